#include "SimCommandLine.h"

#include <QHash>

namespace zel::sim {

namespace {

const QHash<QString, FaultKind>& faultOptions() {
    static const QHash<QString, FaultKind> options{
        {QStringLiteral("--busy"), FaultKind::Busy},
        {QStringLiteral("--nack"), FaultKind::Nack},
        {QStringLiteral("--bad-checksum"), FaultKind::BadChecksum},
        {QStringLiteral("--bad-length"), FaultKind::BadLength},
        {QStringLiteral("--drop"), FaultKind::Drop},
    };
    return options;
}

const QStringList& valueOptions() {
    static const QStringList options{
        QStringLiteral("--device"),
        QStringLiteral("--cameras"),
        QStringLiteral("--rate"),
        QStringLiteral("--seed"),
        QStringLiteral("--busy-probability"),
        QStringLiteral("--fragment"),
        QStringLiteral("--garbage"),
    };
    return options;
}

} // namespace

QString SimCommandLine::helpText() {
    return QStringLiteral(
        "Usage: zelsim [options]\n"
        "Simulated camera controller. Without --device it opens a pseudo-terminal and prints\n"
        "its slave path as the first line on stdout (\"zelsim: /dev/pts/N\"); programs open\n"
        "that path as their serial port. Runs until SIGINT or SIGTERM.\n"
        "\n"
        "Line:\n"
        "  --device PATH          serve PATH (serial port or one end of a pty pair) at 8E1\n"
        "  --rate BPS             pseudo-terminal: reproduce the wire time of BPS (8E1, 11\n"
        "                         bits a byte) in both directions; default unpaced.\n"
        "                         --device: the line rate (default 38400)\n"
        "  --cameras N            cameras 1..N answer (0..255, default 8); others are silent\n"
        "  --verbose              log every frame in and answer out on stderr\n"
        "\n"
        "Faults (each may be given several times; the first matching rule of a kind applies):\n"
        "  TARGET is CMD[:NUM][xK]: CMD the command code in two hex digits (C1, B1, 20) or *\n"
        "  for any; NUM the block number (C1, 1..1000) or title number (B1) in decimal;\n"
        "  xK applies the fault to the first K matching frames only (default: all of them).\n"
        "  --busy TARGET          answer BUSY (00); the command is not carried out\n"
        "  --busy-probability P[@CMD[:NUM]]\n"
        "                         answer BUSY with probability P (0..1)\n"
        "  --nack TARGET          answer NACK (15); the command is not carried out\n"
        "  --bad-checksum TARGET  data replies with an inverted checksum byte\n"
        "  --bad-length TARGET    data replies with a length byte one too small\n"
        "  --drop TARGET          carry the command out but answer nothing\n"
        "  --fragment N:GAPMS[@CMD[:NUM]]\n"
        "                         send answers in pieces of N bytes, GAPMS ms apart\n"
        "  --garbage N[@CMD[:NUM]]\n"
        "                         send N random bytes before each answer\n"
        "  --seed N               seed of the random faults (printed on stderr at start)\n"
        "\n"
        "Examples:\n"
        "  zelsim --rate 38400 --busy C1:7x3     block 7 is BUSY three times, then answered\n"
        "  zelsim --drop B1:5 --garbage 3@15     title 5 never answered; noise before NOW\n"
        "\n"
        "Exit status: 0 after a signal, 1 when the line cannot be opened, 2 on bad usage.\n");
}

SimCommandLine::Outcome SimCommandLine::parse(const QStringList& arguments) {
    m_options = SimOptions{};
    m_error.clear();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        QString value;
        const qsizetype equals = option.indexOf(u'=');
        const bool inlineValue = option.startsWith(QStringLiteral("--")) && equals > 0;
        if (inlineValue) {
            value = option.mid(equals + 1);
            option = option.left(equals);
        }
        if (option == u"--help" || option == u"-h")
            return Outcome::Help;
        if (option == u"--verbose") {
            m_options.verbose = true;
            continue;
        }
        const bool takesValue = faultOptions().contains(option) || valueOptions().contains(option);
        if (!takesValue) {
            m_error = QStringLiteral("unknown option \"%1\" (see --help)").arg(arguments.at(i));
            return Outcome::Error;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                m_error = QStringLiteral("%1 needs a value (see --help)").arg(option);
                return Outcome::Error;
            }
            value = arguments.at(++i);
        }
        if (!applyFault(option, value))
            return Outcome::Error;
    }
    return Outcome::Run;
}

bool SimCommandLine::applyFault(const QString& option, const QString& value) {
    SimConfig& config = m_options.config;
    qint64 number = 0;
    QString why;
    bool ok = true;
    if (option == u"--device") {
        m_options.device = value;
        ok = !value.isEmpty();
        why = QStringLiteral("empty path");
    } else if (option == u"--cameras") {
        if (!parseNumber(option, value, 0, 255, &number))
            return false;
        config.cameraCount = int(number);
    } else if (option == u"--rate") {
        if (!parseNumber(option, value, 1, 4000000, &number))
            return false;
        config.bitRate = int(number);
        m_options.deviceRate = int(number);
    } else if (option == u"--seed") {
        if (!parseNumber(option, value, 0, 0xFFFFFFFFLL, &number))
            return false;
        config.seed = quint32(number);
        m_options.seedGiven = true;
    } else if (option == u"--busy-probability") {
        ok = config.faults.addBusyProbability(value, &why);
    } else if (option == u"--fragment") {
        ok = config.faults.addFragment(value, &why);
    } else if (option == u"--garbage") {
        ok = config.faults.addGarbage(value, &why);
    } else {
        ok = config.faults.addTarget(faultOptions().value(option), value, &why);
    }
    if (!ok)
        m_error = QStringLiteral("%1: %2").arg(option, why);
    return ok;
}

bool SimCommandLine::parseNumber(const QString& option, const QString& value, qint64 low,
                                 qint64 high, qint64* out) {
    bool ok = false;
    const qint64 number = value.toLongLong(&ok, 10);
    if (!ok || number < low || number > high) {
        m_error = QStringLiteral("%1: \"%2\" is not a number from %3 to %4")
                      .arg(option, value)
                      .arg(low)
                      .arg(high);
        return false;
    }
    *out = number;
    return true;
}

} // namespace zel::sim
