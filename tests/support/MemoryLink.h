#pragma once
// The link engine on an in-memory port with manual timers: the rig of the unit tests of the
// engine and of the screens that use it. The log fills only once recording starts.
#include "LinkRig.h"
#include "ManualTimer.h"
#include "MemoryBytePort.h"
#include "RecordingSink.h"
#include "Words.h" // expected frame lists

namespace zel::test {

struct MemoryLink : LinkRig<MemoryBytePort, ManualTimer, RecordingSink> {
    // Points the settings at a test device and opens the port; false when it did not open.
    bool openTestPort() { return openOn(u"/dev/ttyTEST"_qs); }
    // Another screen's frame goes out and its reply is awaited: the link is busy for
    // `screenCode`. False when the frame did not go out.
    bool occupyLink(int screenCode) {
        engine.claim(nullptr);
        const CommSendRecord record{u"1"_qs, u"1"_qs, u"True"_qs, u"0"_qs,
                                    QString::number(screenCode)};
        return engine.SendCommandFrame(record, u"20"_qs) == LinkEngine::kSendOk;
    }
    // Command data of every frame written so far, as hex.
    QStringList sentData() const { return CommandDataHex(port.written); }
};

} // namespace zel::test
