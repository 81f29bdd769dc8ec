#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace wakorin::testing {

// A tiny HTTP server on 127.0.0.1 standing in for the official site: it serves scripted answers
// by path, can stop in the middle of a file, and notes every path asked for. It answers from the
// event loop of the thread that made it.
class ArchiveServer final : public QObject {
 public:
  struct Answer {
    QByteArray body;
    int status = 200;
    // Sends only this many bytes of the body (with the full Content-Length) ...
    qsizetype cutAfter = -1;
    // ... and then keeps the connection open without a word instead of closing it.
    bool stallAfterCut = false;
    // Sends the body one byte at a time, this many milliseconds apart (0: all at once).
    int trickleMilliseconds = 0;
    // A redirect's target (with a 3xx status).
    QByteArray location = {};
  };

  ArchiveServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
      }
    });
  }

  QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
  // The two bases the application takes from its environment.
  QString DayFiles() const { return Base() + QStringLiteral("/od2"); }
  QString RacerFiles() const { return Base() + QStringLiteral("/kibetsu"); }

  void Serve(const QString& path, Answer answer) { answers_[path] = std::move(answer); }
  void Serve(const QString& path, const QByteArray& body) { answers_[path] = Answer{body}; }

  QStringList requests;  // paths, in the order they were asked for

 private:
  void Read(QTcpSocket* socket) {
    QByteArray& pending = buffers_[socket];
    pending += socket->readAll();
    if (!pending.contains("\r\n\r\n")) return;
    const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
    buffers_.remove(socket);
    const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    requests << path;
    const auto found = answers_.constFind(path);
    const Answer answer = found != answers_.cend() ? *found : Answer{"not here", 404};
    const QByteArray reason = answer.status == 200 ? "OK" : "Error";
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + reason +
                       "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
                       QByteArray::number(answer.body.size()) + "\r\n";
    if (!answer.location.isEmpty()) reply += "Location: " + answer.location + "\r\n";
    reply += "Connection: close\r\n\r\n";
    const QByteArray body = answer.cutAfter >= 0 ? answer.body.left(answer.cutAfter) : answer.body;
    if (answer.trickleMilliseconds > 0) {
      socket->write(reply);
      Trickle(socket, body, answer.trickleMilliseconds);
      return;
    }
    socket->write(reply + body);
    if (!answer.stallAfterCut) socket->disconnectFromHost();
  }

  // One byte now, the rest later, for as long as the client listens.
  void Trickle(QTcpSocket* socket, QByteArray rest, int milliseconds) {
    if (rest.isEmpty() || socket->state() != QAbstractSocket::ConnectedState) return;
    socket->write(rest.left(1));
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(milliseconds, this, [this, alive, rest, milliseconds] {
      if (alive) Trickle(alive, rest.mid(1), milliseconds);
    });
  }

  QTcpServer server_;
  QMap<QString, Answer> answers_;
  QMap<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace wakorin::testing
