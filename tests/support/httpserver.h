#pragma once
// A web server on the loopback address for one test: it answers each request with the part
// of its path, any other with one page, or holds every request unanswered. Also the address of a
// port on which nothing listens, and the loopback proxy through which a test's web requests for any
// host reach such a server, so that no test ever contacts another address. User-interface thread
// (the server answers while the test turns the event loop).

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <string>

class HttpServer {
public:
  explicit HttpServer(QByteArray page, bool answer = true) : Page(std::move(page)) {
    Server.listen(QHostAddress::LocalHost);
    QObject::connect(&Server, &QTcpServer::newConnection, [this, answer] {
      while (QTcpSocket* socket = Server.nextPendingConnection()) {
        auto* head = new QByteArray;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, head] {
          delete head;
          socket->deleteLater();
        });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head, answer] {
          const QByteArray bytes = socket->readAll();
          Request += bytes;
          *head += bytes;
          if (!answer || !head->contains("\r\n\r\n")) return;
          // "GET /path HTTP/1.1", or the whole address when the server serves as a proxy.
          const QByteArray target = head->split(' ').value(1);
          const QByteArray body = Parts.value(QUrl(QString::fromLatin1(target)).path(), Page);
          socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nContent-Length: " +
                        QByteArray::number(body.size()) + "\r\n\r\n" + body);
          socket->disconnectFromHost();
        });
      }
    });
  }

  // What a path other than the page's answers, such as "/dot.png".
  QMap<QString, QByteArray> Parts;
  quint16 Port() const { return Server.serverPort(); }
  // "http://127.0.0.1:PORT" + path.
  std::string Address(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(Port()) + path;
  }
  // What the requests sent, head and all.
  QByteArray Request;

  // A port on 127.0.0.1 that refuses the connection: one just given up.
  static quint16 RefusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
  }
  static std::string RefusedAddress(const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(RefusedPort()) + path;
  }

private:
  QByteArray Page;
  QTcpServer Server;
};

// While it lives, every web request of the program goes to the proxy on that loopback port
// (the proxy gets the whole address in its request line), whatever host the address names.
class LoopbackProxy {
public:
  explicit LoopbackProxy(quint16 port) : Before(QNetworkProxy::applicationProxy()) {
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", port));
  }
  ~LoopbackProxy() { QNetworkProxy::setApplicationProxy(Before); }
  LoopbackProxy(const LoopbackProxy&) = delete;
  LoopbackProxy& operator=(const LoopbackProxy&) = delete;

private:
  QNetworkProxy Before;
};
