#pragma once
// The panel session on the in-memory link with manual timers: every frame the panel sends is
// recorded as its command data; pauses are ended by the test.
#include "DataReplyText.h"
#include "ManualTimer.h"
#include "MemoryLink.h"
#include "common/HexText.h"
#include "panel/PanelSession.h"
#include "shell/LanguageTables.h"

#include <QMap>
#include <QStringList>

namespace zel::test {

// A position report for PAN, TILT, ZOOM and D-ZOOM words as they stand on the wire.
inline QString PositionReplyText(int pan, int tilt, int zoom, int dZoom) {
    QByteArray body = QByteArray::fromHex("001001") + QByteArray(1, char(0x15));
    for (const int word : {pan, tilt, zoom, dZoom}) {
        body.append(char((word >> 8) & 0xFF));
        body.append(char(word & 0xFF));
    }
    return DataReplyText(body);
}

// When the camera answers a panel frame: when the test replies, or at once as it goes out.
enum class CameraAcks { WhenTold, AtOnce };

struct PanelRig : MemoryLink {
    explicit PanelRig(CameraAcks acks = CameraAcks::WhenTold)
        : autoAck(acks == CameraAcks::AtOnce) {
        openTestPort();
        panel.onCommandSent = [this](const QString& data) { sent << data; };
        panel.onFocusEntryBox = [this] { ++entryFocused; };
        panel.onBoxRefused = [this](PanelBox box, int index) { refused[box] << index; };
        session.open(); // the entry clears after the settings' 2000 ms
    }

    // Ends every pause, one after the other, as the time passes; with `autoAck` the camera
    // acknowledges each panel frame as it goes out.
    void endPauses() {
        for (;;) {
            if (autoAck && engine.state().ScreenCode == ScreenPanel)
                port.receiveHex(u"06"_qs);
            else if (!pause.fireNow())
                break;
        }
    }
    void click(panel::PanelButton button) {
        panel.click(button);
        endPauses();
    }
    void type(const QString& digits) {
        panel.typeIntoEntry(digits);
        endPauses();
    }
    void fireKeyTimer() {
        keyDown.fireNow();
        endPauses();
    }
    void press(int code) {
        panel.pressMoveKey(code);
        endPauses();
    }
    void release(int code) {
        panel.releaseMoveKey(code);
        endPauses();
    }
    void down(int key) {
        panel.keyPressed(key);
        endPauses();
    }
    void up(int key) {
        panel.keyReleased(key);
        endPauses();
    }
    // Holds `key` until the key timer has fired.
    void hold(int key) {
        down(key);
        fireKeyTimer();
    }
    void reply(const QString& hex) {
        port.receiveHex(hex);
        endPauses();
    }
    QList<int> messages() const { return sink.numbers(); }
    // The bit bytes of the movement frames sent, the command data of the others.
    QStringList bits() const {
        QStringList shown;
        for (const QString& data : sent)
            shown << (data.startsWith(u"20"_qs) ? data.mid(2, 2) : data);
        return shown;
    }

    ManualTimer pause;
    ManualTimer keyDown;
    ManualTimer textCtrl;
    LanguageTables language;
    PanelSession session{engine, language, settings, sink,
                         PanelCommands::Timers{pause, keyDown, textCtrl}};
    PanelCommands& panel = session.commands();
    QStringList sent;
    int entryFocused = 0;
    QMap<PanelBox, QList<int>> refused; // the boxes refused, by kind
    bool autoAck = false;
};

} // namespace zel::test
