#include "PtyLink.h"

namespace zel::test {

bool PtyLink::open(QString* error) {
    if (!sim.start(error))
        return false;
    if (!openOn(sim.slavePath())) {
        *error = engine.lastOpenError();
        return false;
    }
    log.startRecording();
    return true;
}

QStringList PtyLink::framesSent() const {
    QStringList frames;
    for (int i = 0; i < log.count(); ++i)
        if (log.entry(i).unit.startsWith(u"HOST"_qs))
            frames.append(log.entry(i).data);
    return frames;
}

} // namespace zel::test
