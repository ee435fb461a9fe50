#pragma once
// Which rows of the traffic log are shown: by direction, camera and command. The recording
// itself is never touched; a filter only chooses among its decoded entries.
#include "FrameDecoder.h"

namespace zel {

struct CommLogFilter {
    FrameDirection direction = FrameDirection::Unknown; // Unknown: both directions
    int camera = -1;                                    // -1: every camera
    int command = -1;                                   // -1: every command

    bool isActive() const {
        return direction != FrameDirection::Unknown || camera >= 0 || command >= 0;
    }
    bool accepts(const DecodedFrame& frame) const {
        return (direction == FrameDirection::Unknown || frame.direction == direction) &&
               (camera < 0 || frame.camera == camera) && (command < 0 || frame.command == command);
    }
};

} // namespace zel
