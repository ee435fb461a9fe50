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

// Options of the CPU in boot mode that take a value.
const QStringList& bootValueOptions() {
    static const QStringList options{
        QStringLiteral("--busy-block"),         QStringLiteral("--write-error"),
        QStringLiteral("--bad-reply-checksum"), QStringLiteral("--silent-after"),
        QStringLiteral("--save-image"),         QStringLiteral("--write-boot-files"),
    };
    return options;
}

const QStringList& flagOptions() {
    static const QStringList options{QStringLiteral("--verbose"), QStringLiteral("--boot-cpu"),
                                     QStringLiteral("--erase-error"), QStringLiteral("--no-cpu")};
    return options;
}

// "N" or "NxK": a block number 0..2047 and an optional count 1..1000.
bool parseBlockCount(const QString& text, int* block, int* count) {
    const QStringList parts = text.split(u'x');
    if (parts.isEmpty() || parts.size() > 2)
        return false;
    bool ok = false;
    *block = parts[0].toInt(&ok);
    if (!ok || *block < 0 || *block > 2047)
        return false;
    if (parts.size() == 1)
        return true;
    *count = parts[1].toInt(&ok);
    return ok && *count >= 1 && *count <= 1000;
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
        "CPU in boot mode (flash write at 19200 bit/s 8N1):\n"
        "  --boot-cpu             simulate the camera's CPU in boot mode instead of the\n"
        "                         controller: answers 0x00 to 0x00 and 0xAA to 0x55, echoes the\n"
        "                         boot program, acknowledges each flash block with its number.\n"
        "                         --rate paces 8N1 (10 bits a byte); --device defaults to 19200\n"
        "  --erase-error          answer 0xFF (flash erase error) to 0x55\n"
        "  --no-cpu               answer nothing at all\n"
        "  --busy-block N[xK]     send K busy replies (0x1000, default 1) before acknowledging\n"
        "                         block N (0..2047)\n"
        "  --write-error N        answer block N with 0x1001 (flash write error)\n"
        "  --bad-reply-checksum N reply to block N with a checksum one too high\n"
        "  --silent-after N       answer no block after block N\n"
        "  --save-image FILE      write the 0x40000 flash bytes to FILE when block 2047 arrives\n"
        "  --write-boot-files DIR write stand-in boot program files (the two .MOT files the\n"
        "                         CPU writer loads) into DIR for trying a write against the\n"
        "                         simulator, then end; a real CPU needs the real files\n"
        "  zelsim --boot-cpu --rate 19200 --save-image flash.bin\n"
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
        if (flagOptions().contains(option) && !inlineValue) {
            if (!applyFlag(option))
                return Outcome::Error;
            continue;
        }
        const bool takesValue = faultOptions().contains(option) ||
                                valueOptions().contains(option) ||
                                bootValueOptions().contains(option);
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
        const bool applied = bootValueOptions().contains(option) ? applyBootOption(option, value)
                                                                 : applyFault(option, value);
        if (!applied)
            return Outcome::Error;
    }
    return checkCombination() ? Outcome::Run : Outcome::Error;
}

bool SimCommandLine::applyFlag(const QString& option) {
    if (option == u"--verbose")
        m_options.verbose = true;
    else if (option == u"--boot-cpu")
        m_options.bootCpu = true;
    else if (option == u"--erase-error")
        m_options.bootFaults.eraseError = true;
    else
        m_options.bootFaults.noCpu = true;
    return true;
}

bool SimCommandLine::applyBootOption(const QString& option, const QString& value) {
    BootCpuFaults& faults = m_options.bootFaults;
    if (option == u"--write-boot-files") {
        m_options.bootFilesFolder = value;
        if (value.isEmpty())
            m_error = QStringLiteral("--write-boot-files: empty folder");
        return !value.isEmpty();
    }
    if (option == u"--save-image") {
        m_options.saveImage = value;
        if (value.isEmpty())
            m_error = QStringLiteral("--save-image: empty path");
        return !value.isEmpty();
    }
    int block = -1;
    int count = 1;
    const bool withCount = option == u"--busy-block";
    if (!parseBlockCount(value, &block, &count) || (!withCount && value.contains(u'x'))) {
        m_error =
            QStringLiteral("%1: \"%2\" is not a block number from 0 to 2047%3")
                .arg(option, value,
                     withCount ? QStringLiteral(" (with an optional xK, K 1..1000)") : QString());
        return false;
    }
    if (withCount) {
        faults.busyBlock = block;
        faults.busyCount = count;
    } else if (option == u"--write-error") {
        faults.writeErrorBlock = block;
    } else if (option == u"--bad-reply-checksum") {
        faults.badChecksumBlock = block;
    } else {
        faults.silentAfterBlock = block;
    }
    return true;
}

// The boot CPU's options and the controller's do not mix.
bool SimCommandLine::checkCombination() {
    const SimOptions& options = m_options;
    if (!options.bootCpu && (options.bootFaults.any() || !options.saveImage.isEmpty())) {
        m_error = QStringLiteral("the CPU options (--erase-error, --no-cpu, --busy-block, "
                                 "--write-error, --bad-reply-checksum, --silent-after, "
                                 "--save-image) need --boot-cpu");
        return false;
    }
    if (options.bootCpu && !options.config.faults.isEmpty()) {
        m_error = QStringLiteral("the controller's fault options do not apply to --boot-cpu");
        return false;
    }
    if (options.bootCpu && !options.rateGiven)
        m_options.deviceRate = 19200;
    return true;
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
        m_options.rateGiven = true;
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
