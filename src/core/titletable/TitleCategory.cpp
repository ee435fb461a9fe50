#include "TitleCategory.h"

#include <array>

namespace zel {

namespace {

using namespace Qt::Literals::StringLiterals;

constexpr std::array<TitleCategoryInfo, kTitleCategoryCount> kCategories{{
    {"CAMERA ID"_L1, ""_L1, "[CAMERA]"_L1, 1, 0x02, 0, true},
    {"POSITION ID"_L1, "POSITION No."_L1, "[POSITION]"_L1, 255, 0x03, 1, false},
    {"TRACE ID"_L1, "TRACE No."_L1, "[TRACE]"_L1, 2, 0x04, 1, false},
    {"AUTO PAN ID"_L1, ""_L1, "[AUTOPAN]"_L1, 1, 0x05, 0, true},
    {"TOUR ID"_L1, "TOUR No."_L1, "[TOUR]"_L1, 16, 0x06, 1, false},
    {"HOME ID"_L1, "HOME No."_L1, "[HOME]"_L1, 3, 0x07, 1, false},
    {"ALARM ID"_L1, "ALARM No."_L1, "[ALARM]"_L1, 8, 0x08, 1, false},
    {"SECTOR ID"_L1, "SECTOR No."_L1, "[SECTOR]"_L1, 8, 0x09, 1, false},
    {"AUX ID"_L1, "AUX No."_L1, "[AUX]"_L1, 8, 0x0A, 1, false},
}};

constexpr int totalTitles() {
    int total = 0;
    for (const TitleCategoryInfo& info : kCategories)
        total += info.titleCount;
    return total;
}
static_assert(totalTitles() == kTotalTitleCount);

} // namespace

bool IsTitleCategory(int category) {
    return category >= 0 && category < kTitleCategoryCount;
}

const TitleCategoryInfo& TitleCategoryAt(int category) {
    return kCategories.at(static_cast<size_t>(category));
}

int TitleCategoryForCameraCode(int code) {
    for (int category = 0; category < kTitleCategoryCount; ++category)
        if (kCategories[static_cast<size_t>(category)].cameraCode == code)
            return category;
    return -1;
}

} // namespace zel
