#pragma once
// A TCP relay on a loopback port in this thread's event loop: each connection is joined to
// `upstream`, and every piece is passed on `delayMs` later in each direction (a slow
// network). Keeps what the clients sent, to check what a program asked of the server.
#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <memory>
#include <vector>

class QTcpSocket;

namespace zel::test {

class TcpDelayRelay {
public:
    TcpDelayRelay(quint16 upstreamPort, int delayMs);
    ~TcpDelayRelay();

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // Everything the clients sent, all connections in order.
    QByteArray clientBytes() const { return m_clientBytes; }

private:
    struct Pair;
    void accept();
    void relay(QTcpSocket& from, QTcpSocket& to, bool fromClient);

    QTcpServer m_server;
    quint16 m_upstreamPort;
    int m_delayMs;
    QByteArray m_clientBytes;
    std::vector<std::unique_ptr<Pair>> m_pairs;
};

} // namespace zel::test
