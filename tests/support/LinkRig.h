#pragma once
// The link engine with the members every rig gives it: a port, the two timers, the settings,
// a message sink and the communication log. The rigs differ only in the kinds of those.
// Header only and free of the test framework, so the fuzz targets share it.
#include "link/CommLogStore.h"
#include "link/LinkEngine.h"
#include "shell/Settings.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace zel::test {

template <class Port, class TimerKind, class Sink> struct LinkRig {
    // Points the settings at `device` and opens the port; false when it did not open.
    bool openOn(const QString& device) {
        settings.PortOverride = device;
        engine.ResetLinkState();
        engine.SetCommPortSettings();
        return engine.OpenCommPort();
    }

    Port port;
    TimerKind timerMenu;
    TimerKind timerReTry;
    Settings settings;
    Sink sink;
    CommLogStore log;
    LinkEngine engine{port, timerMenu, timerReTry, settings, sink, &log};
};

// The command data of a frame as sent (after FE, the length and the three address bytes,
// before the checksum and FF FF), as upper-case hex.
inline QString CommandDataHex(const QByteArray& frame) {
    constexpr qsizetype kHead = 5;
    constexpr qsizetype kTail = 3;
    return QString::fromLatin1(frame.mid(kHead, frame.size() - kHead - kTail).toHex().toUpper());
}

inline QStringList CommandDataHex(const QList<QByteArray>& frames) {
    QStringList data;
    for (const QByteArray& frame : frames)
        data.append(CommandDataHex(frame));
    return data;
}

// The same of frames logged as hex text.
inline QStringList CommandDataHex(const QStringList& hexFrames) {
    QStringList data;
    for (const QString& frame : hexFrames)
        data.append(CommandDataHex(QByteArray::fromHex(frame.toLatin1())));
    return data;
}

} // namespace zel::test
