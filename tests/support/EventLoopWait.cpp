#include "EventLoopWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace zel::test {

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(5);
    if (!done())
        loop.exec();
    return done();
}

void runEventsFor(int ms) {
    waitUntil([] { return false; }, ms);
}

} // namespace zel::test
