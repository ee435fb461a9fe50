#pragma once
// The settings of zel.ini, read once at start. Values are held as normalised texts, as the
// file names them; typed accessors convert where used.
#include <QString>
#include <array>

namespace zel {

class IniFile;

class Settings {
public:
    // [SOFT] Mode, [LANGUAGE] Mode, [RS232C] ComPort/Rate/AutoSave, [TIMEOUT] TimeOutDsp,
    // [RsWait] Read1..4, Write1..4, TimeOutWait, RetryCnt, TimeOutRetry.
    QString SoftMode = QStringLiteral("0");
    QString LanguageMode = QStringLiteral("0");
    QString ComPort = QStringLiteral("1");
    QString Rate = QStringLiteral("3");
    QString AutoSave = QStringLiteral("0");
    QString TimeOutDsp = QStringLiteral("2000");
    std::array<QString, 4> Read{QStringLiteral("200"), QStringLiteral("200"), QStringLiteral("200"),
                                QStringLiteral("200")};
    std::array<QString, 4> Write{QStringLiteral("200"), QStringLiteral("200"),
                                 QStringLiteral("200"), QStringLiteral("200")};
    QString TimeOutWait = QStringLiteral("500");
    QString RetryCnt = QStringLiteral("3");
    QString TimeOutRetry = QStringLiteral("500");
    // [RsWait] ConnectWait: ms to reach a network port (connection and Telnet negotiation).
    QString ConnectWait = QStringLiteral("5000");
    // [RS232C] Device1..Device4: device paths of COM1..COM4 (read only).
    std::array<QString, 4> Device;

    // Derived from Rate: the Write1..Write4 value of the current rate, in ms.
    int CurrentWriteWait = 200;

    // Program folder with a trailing separator, and the settings file in it.
    QString ApplicationFolder;
    QString SettingsFilePath;

    // Device given on the command line (--port); overrides ComPort when not empty.
    QString PortOverride;

    // Reads every key from `folder`/zel.ini; false (nothing read) when the file is missing.
    bool ReadSettings(const QString& folder);
    // Takes every key from a loaded settings file (missing or unfit keys: their defaults).
    void readValues(const IniFile& file);
    // Sets ApplicationFolder and SettingsFilePath without reading (defaults stay).
    void setFolder(const QString& folder);

    // Writes [RS232C] ComPort and Rate / AutoSave, leaving every other line of the file.
    bool P_SetIniRS232C(const QString& port, const QString& rate);
    bool P_SetIniAutoSave(const QString& autoSave);
    // Writes [RS232C] Device`port` (COM1..COM4 ↦ device path), leaving every other line.
    bool P_SetIniDevice(int port, const QString& device);
    void recomputeCurrentWriteWait();

    int languageIndex() const; // 0 English, 1 Japanese
    bool testMode() const;     // [SOFT] Mode "1"
    int baudRate() const;      // 4800..38400 by Rate
    int timeOutWaitMs() const;
    int retryCount() const;
    int timeOutRetryMs() const;
    int connectWaitMs() const;
    int timeOutDspMs() const;
    int autoSaveMinutes() const; // 0 off, 3, 5, 10
    // The device to open: PortOverride, else the device of ComPort (Device1..4, or
    // /dev/ttyS0..3 on Linux, COMn on Windows).
    QString portDevice() const;
    // The device path COM`port` (1..4) stands for, without the override.
    QString deviceOfPort(int port) const;
    // The first COMn (1..4) that stands for `device`, or 0.
    int portOfDevice(const QString& device) const;
};

} // namespace zel
