#include "NetworkPortName.h"

#include <QHostAddress>

#include <algorithm>

namespace zel {

namespace {

constexpr QLatin1StringView kTcpScheme{"tcp://"};
constexpr QLatin1StringView kRfc2217Scheme{"rfc2217://"};

// Letters, digits, '-' and '.' of ASCII: what a host name may hold (no blanks, '/' or '@').
bool isHostName(const QString& host) {
    if (host.isEmpty() || host.size() > 253)
        return false;
    for (const QChar c : host) {
        const char16_t u = c.unicode();
        const bool fits = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                          (u >= u'0' && u <= u'9') || u == u'-' || u == u'.';
        if (!fits)
            return false;
    }
    return true;
}

struct HostAndPort {
    QString host;
    QString port;
    bool bracketed = false;
};

// "HOST:PORT" or "[V6]:PORT"; nothing when there is no ':' before the port.
std::optional<HostAndPort> splitHostAndPort(const QString& rest) {
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0 || rest.mid(close + 1, 1) != QStringLiteral(":"))
            return std::nullopt;
        return HostAndPort{rest.mid(1, close - 1), rest.mid(close + 2), true};
    }
    const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
    if (colon < 0)
        return std::nullopt;
    return HostAndPort{rest.left(colon), rest.mid(colon + 1), false};
}

bool hostAcceptable(const HostAndPort& parts) {
    if (parts.bracketed)
        return QHostAddress(parts.host).protocol() == QAbstractSocket::IPv6Protocol;
    return isHostName(parts.host);
}

} // namespace

QString NetworkPortName::text() const {
    const QString scheme = mode == Mode::Rfc2217 ? QString(kRfc2217Scheme) : QString(kTcpScheme);
    const QString shownHost =
        host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    return scheme + shownHost + QLatin1Char(':') + QString::number(port);
}

bool IsNetworkPortName(const QString& name) {
    return name.startsWith(kTcpScheme, Qt::CaseInsensitive) ||
           name.startsWith(kRfc2217Scheme, Qt::CaseInsensitive);
}

std::optional<NetworkPortName> ParseNetworkPortName(const QString& name, QString* why) {
    const auto fail = [&](const char* reason) -> std::optional<NetworkPortName> {
        if (why)
            *why = name + QStringLiteral(": ") + QString::fromUtf8(reason);
        return std::nullopt;
    };
    NetworkPortName parsed;
    QString rest;
    if (name.startsWith(kTcpScheme, Qt::CaseInsensitive)) {
        rest = name.mid(kTcpScheme.size());
    } else if (name.startsWith(kRfc2217Scheme, Qt::CaseInsensitive)) {
        parsed.mode = NetworkPortName::Mode::Rfc2217;
        rest = name.mid(kRfc2217Scheme.size());
    } else {
        return fail("not a network port (tcp://HOST:PORT or rfc2217://HOST:PORT)");
    }
    const auto parts = splitHostAndPort(rest);
    if (!parts)
        return fail("the port number is missing (HOST:PORT)");
    if (!hostAcceptable(*parts))
        return fail("the host name is not valid");
    const bool digitsOnly = !parts->port.isEmpty() && parts->port.size() <= 5 &&
                            std::all_of(parts->port.begin(), parts->port.end(), [](QChar c) {
                                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                            });
    const uint port = digitsOnly ? parts->port.toUInt() : 0;
    if (port < 1 || port > 65535)
        return fail("the port number must be 1 to 65535");
    parsed.host = parts->host;
    parsed.port = static_cast<quint16>(port);
    return parsed;
}

} // namespace zel
