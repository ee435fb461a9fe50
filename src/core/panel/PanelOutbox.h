#pragma once
// The operation panel's frames on their way to the link, in the order the panel made them.
// One panel frame awaits its answer at a time: a frame made meanwhile waits its turn and goes
// out once the answer came or the wait ended, so frames made back to back reach the camera in
// order and each answer belongs to its own frame.
//
// While another screen's transaction holds the link, a frame that ends a movement is handed
// to the engine, which sends it as soon as the link is free, ahead of anything else; any other
// frame is not sent, so nothing starts moving that could not be stopped.
#include "link/CommSendRecord.h"

#include <QString>
#include <deque>
#include <functional>

namespace zel {

class LinkClient;
class LinkEngine;

class PanelOutbox {
public:
    static constexpr int kMaxQueued = 64; // frames beyond it are dropped, stops excepted

    struct Frame {
        CommSendRecord record;
        QString data; // command data, the command code first
        int expectedReplyKind = 0;
    };

    PanelOutbox(LinkEngine& engine, LinkClient& panel);

    // Sends, queues, hands to the engine or drops `frame`; false when it was dropped.
    bool submit(const Frame& frame);
    // The panel's wait ended (its answer came or it timed out): the next frames go out.
    void sendNext();
    // The panel closes: queued frames are dropped, but the newest queued stop is left with
    // the engine, so it still goes out after the frame in flight.
    void abandon();
    bool isEmpty() const { return m_queue.empty(); }
    // The last movement frame handed on set a movement: the camera may be moving.
    bool cameraMayMove() const { return m_wireBits != 0; }

    // A frame went out (after SendCommandFrame accepted it).
    std::function<void(const Frame& frame)> onSent;

private:
    struct Queued {
        Frame frame;
        bool stops = false;
    };
    // The movement bit byte of a command-20 frame, or -1 for any other frame.
    static int moveBits(const QString& data);
    bool stopsMovement(int bits) const;
    bool transmit(const Frame& frame);
    bool refuse(const Queued& queued); // another screen holds the link

    LinkEngine& m_engine;
    LinkClient& m_panel;
    std::deque<Queued> m_queue;
    int m_wireBits = 0; // bit byte of the last movement frame handed on
};

} // namespace zel
