#pragma once
// The communication settings dialog (frmOption): the three choices, "Setting", and the
// close rule (message 7 for an unapplied change; the port is re-applied in every case).
#include <QString>
#include <functional>

namespace zel {

class Application;

class OptionController {
public:
    explicit OptionController(Application& app);

    // Load: the choices of the settings fields (port 1..4, rate 0..3, auto-save 0..3).
    void load();
    int port() const { return m_port; }
    int rate() const { return m_rate; }
    int autoSave() const { return m_autoSave; }
    void setPort(int port);
    void setRate(int rate);
    void setAutoSave(int autoSave);

    // The list of detected ports chose `device` for COM`port`: [RS232C] Device`port` is
    // written at once (message 24 when the file refuses it); the port is re-applied with the
    // other choices.
    bool chooseDevice(int port, const QString& device);
    // The device COM`port` stands for in the settings.
    QString deviceOfPort(int port) const;
    // The device given on the command line for this run (empty without one).
    QString portOverride() const;

    // A choice differs from the settings fields (changed without "Setting").
    bool isChanged() const;

    // "Setting" (`sscSettei`): writes the three keys, recomputes `CurrentWriteWait`, tells
    // the title windows, re-applies the port.
    void applySetting();

    // Close (`sscEnd` or the close box): message 7 when a choice is unapplied (Yes applies),
    // the port re-applied, menu button 4 enabled.
    void close();

    // Each open title window restarts its auto-save timer (`SetTime_OnOffProc`).
    std::function<void()> onAutoSaveChanged;

private:
    void writeChoices();

    Application& m_app;
    int m_port = 1;
    int m_rate = 3;
    int m_autoSave = 0;
};

} // namespace zel
