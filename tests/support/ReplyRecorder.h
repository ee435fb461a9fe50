#pragma once
// A link client that keeps every complete reply and counts time-outs.
#include "link/LinkClient.h"
#include "link/LinkEngine.h"

#include <QStringList>

namespace zel::test {

class ReplyRecorder : public LinkClient {
public:
    explicit ReplyRecorder(LinkEngine& engine) : m_engine(engine) {}
    void replyComplete() override { replies.append(m_engine.state().ReceiveBuffer); }
    void replyTimedOut() override { ++timeOuts; }
    QStringList replies;
    int timeOuts = 0;

private:
    LinkEngine& m_engine;
};

} // namespace zel::test
