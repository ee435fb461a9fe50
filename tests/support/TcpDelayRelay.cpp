#include "TcpDelayRelay.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace zel::test {

struct TcpDelayRelay::Pair {
    std::unique_ptr<QTcpSocket> client;
    QTcpSocket upstream;
};

TcpDelayRelay::TcpDelayRelay(quint16 upstreamPort, int delayMs)
    : m_upstreamPort(upstreamPort), m_delayMs(delayMs) {
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
}

TcpDelayRelay::~TcpDelayRelay() {
    for (auto& pair : m_pairs) {
        pair->client->disconnect();
        pair->upstream.disconnect();
    }
}

bool TcpDelayRelay::listen() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void TcpDelayRelay::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto pair = std::make_unique<Pair>();
        pair->client.reset(socket);
        socket->setParent(nullptr);
        QTcpSocket& client = *pair->client;
        QTcpSocket& upstream = pair->upstream;
        client.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        upstream.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        upstream.connectToHost(QHostAddress::LocalHost, m_upstreamPort);
        relay(client, upstream, true);
        relay(upstream, client, false);
        m_pairs.push_back(std::move(pair));
    }
}

// Passes what `from` receives to `to` after the delay; a close is passed on after it too.
void TcpDelayRelay::relay(QTcpSocket& from, QTcpSocket& to, bool fromClient) {
    QPointer<QTcpSocket> target(&to);
    QObject::connect(&from, &QTcpSocket::readyRead, &from, [this, &from, target, fromClient] {
        const QByteArray bytes = from.readAll();
        if (fromClient)
            m_clientBytes += bytes;
        QTimer::singleShot(m_delayMs, &from, [target, bytes] {
            if (target) {
                target->write(bytes);
                target->flush();
            }
        });
    });
    QObject::connect(&from, &QTcpSocket::disconnected, &from, [this, &from, target] {
        QTimer::singleShot(m_delayMs, &from, [target] {
            if (target)
                target->disconnectFromHost();
        });
    });
}

} // namespace zel::test
