#pragma once
// Included by every test executable that needs windows: one application for the whole run,
// headless. The application's real message box is taken away again, so a box answers at once
// (support/messageboxes.h records and answers them where a test looks at them), printing
// prints nothing instead of asking with the print dialog, and every web request goes to a proxy
// on the loopback address that closes the connection at once: a test reaches no other address
// (support/httpserver.h serves the pages a test looks at).

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>

#include "toolkit/gui/application.h"
#include "toolkit/gui/webbrowser.h"
#include "toolkit/messagebox.h"

class GuiApplicationEnvironment : public testing::Environment {
public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 2;
    static char program[] = "lomtak-test", argument[] = "/test";
    static char* argv[] = {program, argument, nullptr};
    application_ = new TApplication(argc, argv);
    SetMessageDlgHandler(nullptr);
    SetPrintHandler([](QTextDocument&) {});
    noWeb_ = new QTcpServer;
    noWeb_->listen(QHostAddress::LocalHost);
    QObject::connect(noWeb_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = noWeb_->nextPendingConnection()) {
        socket->close();
        socket->deleteLater();
      }
    });
    QNetworkProxy::setApplicationProxy(
        QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", noWeb_->serverPort()));
  }
  void TearDown() override {
    delete noWeb_;
    delete application_;
  }

private:
  TApplication* application_ = nullptr;
  QTcpServer* noWeb_ = nullptr;
};

inline testing::Environment* const kGuiApplicationEnvironment =
    testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);
