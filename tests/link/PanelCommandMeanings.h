#pragma once
// Command data of the panel's frames and what the traffic log says of each (English).
#include <utility>

namespace zel::test {

inline constexpr std::pair<const char*, const char*> kPanelCommandMeanings[] = {
    {"20563C3C0808", "pan right, tilt down, zoom TELE, focus FAR, speeds 60/60/8/8"},
    {"20C100000808", "tilt up, focus AF, speeds 0/0/8/8"},
    {"202880800808", "pan left, zoom WIDE, speeds ACC-OFF/ACC-OFF/8/8"},
    {"2004", "pan right"},
    {"300402", "AUX4 ON"},
    {"300101", "AUX1 OFF"},
    {"6E0100", "WDR RESET"},
    {"6E0202", "B/W ON"},
    {"6201", "iris DARK"},
    {"88", "alarm ACTION"},
    {"89", "alarm RESET"},
    {"40", "STOP"},
    {"410302", "auto-pan RA T-L"},
    {"410000", "auto-pan"},
    {"A802", "camera menu open"},
    {"A801", "camera menu close"},
    {"A9011234", "menu SET 1234"},
    {"A901FFFF", "menu SET"},
    {"A9000000", "menu cancel"},
    {"100120", "go to position 12"},
    {"111230", "store position 123"},
    {"120070", "clear position 7"},
    {"4802", "run trace 2"},
    {"4901", "record trace 1"},
    {"4A", "stop trace recording"},
    {"4C02", "clear trace 2"},
    {"4D10", "tour 16"},
    {"2102", "turn limit ON"},
    {"2203", "turn limit U-SET"},
    {"4201", "auto-pan limit R-SET"},
    {"4302", "auto-pan limit L-CL"},
    {"1436000100640001D6", "absolute position GO PAN 3600 TILT 100 ZOOM 25600 D-ZOOM 470"},
    {"15", "absolute position NOW"},
};

} // namespace zel::test
