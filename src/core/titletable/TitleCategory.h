#pragma once
// The nine title categories, in tab order, with their file section, camera category code and
// title numbers. Categories 0 (CAMERA) and 3 (AUTO PAN) hold one title in a text box; the
// others are grids of numbered rows.
#include <QLatin1StringView>

namespace zel {

enum TitleCategoryIndex {
    CategoryCamera = 0,
    CategoryPosition = 1,
    CategoryTrace = 2,
    CategoryAutoPan = 3,
    CategoryTour = 4,
    CategoryHome = 5,
    CategoryAlarm = 6,
    CategorySector = 7,
    CategoryAux = 8,
};

struct TitleCategoryInfo {
    QLatin1StringView tabCaption;    // "POSITION ID"
    QLatin1StringView numberHeader;  // "POSITION No.", empty for the text-box categories
    QLatin1StringView sectionHeader; // "[POSITION]"
    int titleCount;
    int cameraCode;  // category byte of the B1 command
    int firstNumber; // title number of the first title on the wire
    bool isTextBox;
    // Title number after the last one (TitleEndNo).
    constexpr int endNumber() const { return firstNumber + titleCount; }
};

constexpr int kTitleCategoryCount = 9;
constexpr int kTotalTitleCount = 302;

bool IsTitleCategory(int category);
// `category` must be 0..8.
const TitleCategoryInfo& TitleCategoryAt(int category);
// The category whose camera code is `code`, or -1.
int TitleCategoryForCameraCode(int code);

} // namespace zel
