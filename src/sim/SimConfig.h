#pragma once
// How a simulated controller is set up: cameras present, pacing, faults, random seed.
#include "FaultPlan.h"

namespace zel::sim {

struct SimConfig {
    int cameraCount = 8; // cameras 1..cameraCount answer
    int bitRate = 0;     // wire time reproduced at this rate; 0 unpaced
    quint32 seed = 1;    // for probabilities and garbage bytes
    FaultPlan faults;
};

} // namespace zel::sim
