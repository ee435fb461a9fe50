#include "TestScreen.h"

#include "link/FrameCodec.h"

namespace zel {

TestRow& TestScreen::row(int rowNo) {
    if (!isRowNo(rowNo)) {
        m_outside = TestRow{};
        return m_outside;
    }
    return m_rows[static_cast<size_t>(rowNo - 1)];
}

const TestRow& TestScreen::row(int rowNo) const {
    return isRowNo(rowNo) ? m_rows[static_cast<size_t>(rowNo - 1)] : m_outside;
}

void TestScreen::setRowText(int rowNo, const QString& text) {
    row(rowNo).text = text.left(TestRow::kMaxDigits);
}

bool TestScreen::cameraAwaitsReply() const {
    // Free format always awaits a reply; a frame to camera 0 never does.
    return freeFormat || LeadingNumber(camNo) != 0;
}

int TestScreen::sendableCount() const {
    int count = 0;
    for (const TestRow& each : m_rows)
        count += each.sendable() ? 1 : 0;
    return count;
}

void TestScreen::Reset_TestScreen() {
    *this = TestScreen{};
}

} // namespace zel
