#include "Settings.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <optional>

namespace zel {

namespace {

constexpr int kValueChars = 17; // the profile reader's 18-character buffer
constexpr double kLargestValue = 65535;

const QString kSoft = QStringLiteral("SOFT");
const QString kLanguage = QStringLiteral("LANGUAGE");
const QString kRs232c = QStringLiteral("RS232C");
const QString kTimeOut = QStringLiteral("TIMEOUT");
const QString kRsWait = QStringLiteral("RsWait");
const QString kMode = QStringLiteral("Mode");

// `ReadIniValue`: the value (at most 17 characters, trimmed) or the default.
QString ReadIniValue(const IniFile& file, const QString& section, const QString& key,
                     const QString& defaultValue) {
    const auto value = file.value(section, key);
    if (!value)
        return defaultValue;
    return value->left(kValueChars).trimmed();
}

// The number a settings text holds, rounded to a whole number; std::nullopt when it holds
// none (empty, letters, infinity).
std::optional<double> numberOf(const QString& text) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return std::round(number);
}

// Enumerated key: a number inside [low, high] is kept as its text, anything else (or no
// number) becomes `replacement`.
QString enumerated(const QString& text, int low, int high, const QString& replacement) {
    const auto number = numberOf(text);
    if (!number || *number < low || *number > high)
        return replacement;
    return QString::number(static_cast<int>(*number));
}

// Numeric key: the number rewritten as text when it lies within [low, 65535], else the
// default. Timer intervals need at least 1, counts at least 0.
QString numeric(const QString& text, int low, const QString& defaultValue) {
    const auto number = numberOf(text);
    if (!number || *number < low || *number > kLargestValue)
        return defaultValue;
    return QString::number(static_cast<int>(*number));
}

int toInt(const QString& text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : fallback;
}

} // namespace

void Settings::setFolder(const QString& folder) {
    QString absolute = QDir(folder.isEmpty() ? QDir::currentPath() : folder).absolutePath();
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute += QLatin1Char('/');
    ApplicationFolder = absolute;
    SettingsFilePath = ApplicationFolder + QStringLiteral("zel.ini");
}

bool Settings::ReadSettings(const QString& folder) {
    setFolder(folder);
    if (!QFileInfo(SettingsFilePath).isFile())
        return false;
    IniFile file(SettingsFilePath);
    file.load(); // an unreadable file reads as an empty one: every key its default
    readValues(file);
    return true;
}

void Settings::readValues(const IniFile& file) {
    const Settings defaults;
    auto read = [&](const QString& section, const QString& key, const QString& def) {
        return ReadIniValue(file, section, key, def);
    };
    SoftMode = enumerated(read(kSoft, kMode, defaults.SoftMode), 0, 1, defaults.SoftMode);
    LanguageMode =
        enumerated(read(kLanguage, kMode, defaults.LanguageMode), 0, 1, defaults.LanguageMode);
    ComPort = enumerated(read(kRs232c, QStringLiteral("ComPort"), defaults.ComPort), 1, 4,
                         defaults.ComPort);
    Rate = enumerated(read(kRs232c, QStringLiteral("Rate"), defaults.Rate), 0, 3, defaults.Rate);
    AutoSave = enumerated(read(kRs232c, QStringLiteral("AutoSave"), defaults.AutoSave), 0, 3,
                          defaults.AutoSave);
    TimeOutDsp = numeric(read(kTimeOut, QStringLiteral("TimeOutDsp"), defaults.TimeOutDsp), 1,
                         defaults.TimeOutDsp);
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        Read[i] = numeric(read(kRsWait, QStringLiteral("Read") + n, defaults.Read[i]), 0,
                          defaults.Read[i]);
        Write[i] = numeric(read(kRsWait, QStringLiteral("Write") + n, defaults.Write[i]), 1,
                           defaults.Write[i]);
    }
    TimeOutWait = numeric(read(kRsWait, QStringLiteral("TimeOutWait"), defaults.TimeOutWait), 1,
                          defaults.TimeOutWait);
    RetryCnt =
        numeric(read(kRsWait, QStringLiteral("RetryCnt"), defaults.RetryCnt), 0, defaults.RetryCnt);
    TimeOutRetry = numeric(read(kRsWait, QStringLiteral("TimeOutRetry"), defaults.TimeOutRetry), 1,
                           defaults.TimeOutRetry);
    ConnectWait = numeric(read(kRsWait, QStringLiteral("ConnectWait"), defaults.ConnectWait), 1,
                          defaults.ConnectWait);
    // Device paths are ours, not limited to the 17 characters of the documented keys.
    for (int i = 0; i < 4; ++i)
        Device[i] = file.value(kRs232c, QStringLiteral("Device") + QString::number(i + 1))
                        .value_or(QString());
    recomputeCurrentWriteWait();
}

bool Settings::P_SetIniRS232C(const QString& port, const QString& rate) {
    IniFile file(SettingsFilePath);
    const bool written = file.writeValue(kRs232c, QStringLiteral("ComPort"), port) &&
                         file.writeValue(kRs232c, QStringLiteral("Rate"), rate);
    ComPort = enumerated(port, 1, 4, QStringLiteral("1"));
    Rate = enumerated(rate, 0, 3, QStringLiteral("3"));
    return written;
}

bool Settings::P_SetIniAutoSave(const QString& autoSave) {
    IniFile file(SettingsFilePath);
    const bool written = file.writeValue(kRs232c, QStringLiteral("AutoSave"), autoSave);
    AutoSave = enumerated(autoSave, 0, 3, QStringLiteral("0"));
    return written;
}

void Settings::recomputeCurrentWriteWait() {
    const int rate = std::clamp(toInt(Rate, 3), 0, 3);
    CurrentWriteWait = toInt(Write[rate], 200);
}

int Settings::languageIndex() const {
    return LanguageMode == QStringLiteral("1") ? 1 : 0;
}

bool Settings::testMode() const {
    return SoftMode == QStringLiteral("1");
}

int Settings::baudRate() const {
    static constexpr int kRates[] = {4800, 9600, 19200, 38400};
    return kRates[std::clamp(toInt(Rate, 3), 0, 3)];
}

int Settings::timeOutWaitMs() const {
    return toInt(TimeOutWait, 500);
}

int Settings::retryCount() const {
    return toInt(RetryCnt, 3);
}

int Settings::timeOutRetryMs() const {
    return toInt(TimeOutRetry, 500);
}

int Settings::connectWaitMs() const {
    return toInt(ConnectWait, 5000);
}

int Settings::timeOutDspMs() const {
    return toInt(TimeOutDsp, 2000);
}

int Settings::autoSaveMinutes() const {
    static constexpr int kMinutes[] = {0, 3, 5, 10};
    return kMinutes[std::clamp(toInt(AutoSave, 0), 0, 3)];
}

bool Settings::P_SetIniDevice(int port, const QString& device) {
    if (port < 1 || port > 4)
        return false;
    IniFile file(SettingsFilePath);
    const QString key = QStringLiteral("Device") + QString::number(port);
    if (!file.writeValue(kRs232c, key, device))
        return false;
    Device[static_cast<size_t>(port - 1)] = device;
    return true;
}

QString Settings::portDevice() const {
    if (!PortOverride.isEmpty())
        return PortOverride;
    return deviceOfPort(toInt(ComPort, 1));
}

int Settings::portOfDevice(const QString& device) const {
    for (int port = 1; port <= 4; ++port)
        if (deviceOfPort(port) == device)
            return port;
    return 0;
}

QString Settings::deviceOfPort(int comPort) const {
    const int port = std::clamp(comPort, 1, 4);
    if (!Device[port - 1].isEmpty())
        return Device[port - 1];
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

} // namespace zel
