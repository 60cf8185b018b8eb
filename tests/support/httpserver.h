#pragma once
// A web server on the loopback address for one test: it answers every request with one page,
// or holds every request unanswered. Also the address of a port on which nothing listens.
// User-interface thread (the server answers while the test turns the event loop).

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <string>

class HttpServer {
public:
  explicit HttpServer(QByteArray page, bool answer = true) : Page(std::move(page)) {
    Server.listen(QHostAddress::LocalHost);
    QObject::connect(&Server, &QTcpServer::newConnection, [this, answer] {
      while (QTcpSocket* socket = Server.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, answer] {
          Request += socket->readAll();
          if (!answer || !Request.contains("\r\n\r\n")) return;
          socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                        "Connection: close\r\nContent-Length: " +
                        QByteArray::number(Page.size()) + "\r\n\r\n" + Page);
          socket->disconnectFromHost();
        });
      }
    });
  }

  // "http://127.0.0.1:PORT" + path.
  std::string Address(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(Server.serverPort()) + path;
  }
  // What the requests sent, head and all.
  QByteArray Request;

  // An address on 127.0.0.1 that refuses the connection: a port just given up.
  static std::string RefusedAddress(const std::string& path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return "http://127.0.0.1:" + std::to_string(port) + path;
  }

private:
  QByteArray Page;
  QTcpServer Server;
};
