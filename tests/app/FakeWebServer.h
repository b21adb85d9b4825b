// A web server on 127.0.0.1 that records each request and answers every one with the same reply, or never
// answers at all, for the tests of the update check.
#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>

class FakeWebServer : public QObject
{
public:
    FakeWebServer()
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { receive(socket); });
        });
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1/kronvel/").arg(server.serverPort()); }

    // A reply of the given status and body; stall() keeps every connection open without a word.
    void reply(int status, const QByteArray& body)
    {
        response = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error") +
                   "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
                   "\r\nConnection: close\r\n\r\n" + body;
    }
    void stall() { response.clear(); }

    // Each request's head: the request line and the header lines.
    QList<QByteArray> requests;

private:
    void receive(QTcpSocket* socket)
    {
        QByteArray& pending = buffers[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        requests.append(pending.left(end));
        pending.clear();
        if (response.isEmpty())
            return;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer server;
    QHash<QTcpSocket*, QByteArray> buffers;
    QByteArray response;
};
