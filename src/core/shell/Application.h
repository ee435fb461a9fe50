#pragma once
// The one object made at start: settings, language records, the communication log, the
// shared serial port with its two timers and the link engine, and the menu's state.
#include "LanguageTables.h"
#include "Settings.h"
#include "common/QtTimer.h"
#include "find/FindState.h"
#include "link/AnyBytePort.h"
#include "link/CommLogStore.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCharTable.h"

#include <memory>

namespace zel {

class LinkEngine;
class MenuState;
class PortWatch;
class MessageSink;

class Application {
public:
    Application(); // fills both language records
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // `ReadSettings` from `folder` and selects the language. False when zel.ini is missing;
    // the language is then English, for message 15.
    bool readSettings(const QString& folder);

    // Wires the link engine and the menu state to the window system's message boxes.
    void start(MessageSink& messages);
    bool isStarted() const { return m_engine != nullptr; }

    Settings& settings() { return m_settings; }
    LanguageTables& language() { return m_language; }
    CommLogStore& commLog() { return m_commLog; }
    LinkEngine& engine() { return *m_engine; }
    // The port's state for the menu's status line; reopens a port whose device returns.
    PortWatch& portWatch() { return *m_portWatch; }
    MenuState& menu() { return *m_menu; }
    MessageSink& messages() { return *m_messages; }
    // The camera's title character set for the language of this run, built at menu load.
    const TitleCharTable& titleChars() const { return m_titleChars; }
    TitleSlots& titleSlots() { return m_titleSlots; }
    // What the find and replace dialogs remember between openings (every editor shares it).
    FindState& findState() { return m_findState; }

    // Menu load: `ResetLinkState`, `SetCommPortSettings`, `OpenCommPort` (message 6 when it
    // fails), the title character table of the language, both timers stopped.
    bool openPort();
    // After a settings change: `CloseCommPort`, `SetCommPortSettings`, `OpenCommPort`.
    bool reapplyPort();
    // At the end of the program.
    void closePort();

    // `PrintDatabasePath`: the print work database in the program folder.
    QString printDatabasePath() const;
    // `OsVersionMark`: 4 only on the one old system that needs an extra flush; 0 here.
    int osVersionMark() const { return 0; }

private:
    Settings m_settings;
    LanguageTables m_language;
    CommLogStore m_commLog;
    AnyBytePort m_port;
    QtTimer m_timerMenu;
    QtTimer m_timerReTry;
    QtTimer m_timerPortRetry;
    TitleCharTable m_titleChars;
    TitleSlots m_titleSlots;
    FindState m_findState;
    MessageSink* m_messages = nullptr;
    std::unique_ptr<LinkEngine> m_engine;
    std::unique_ptr<PortWatch> m_portWatch;
    std::unique_ptr<MenuState> m_menu;
};

} // namespace zel
