#pragma once
// The fields of the communication test screen: REMOTE No., CAMERA No., free format,
// continuous send with its interval, and 16 rows of command data as hex text.
#include <QString>
#include <array>

namespace zel {

// One row: in use, write or read, command bytes as upper-case hex text, last reply shown.
struct TestRow {
    static constexpr int kMaxDigits = 494; // 247 bytes

    bool valid = true; // CheckValid
    bool read = false; // OptionTypeR (else OptionTypeW)
    QString text;      // TextSend
    QString reply;     // TextReceive

    int byteCount() const { return static_cast<int>(text.size() / 2); } // LabelSendLen
    // In use and of even length (an empty text counts as even).
    bool sendable() const { return valid && text.size() % 2 == 0; }
    QString letter() const { return read ? QStringLiteral("R") : QStringLiteral("W"); }
};

class TestScreen {
public:
    static constexpr int kRowCount = 16;

    QString hostNo = QStringLiteral("1");   // TextHostNo, 1..99
    QString camNo = QStringLiteral("1");    // TextCamNo, 0..255; 0: no reply awaited
    bool freeFormat = false;                // CheckFreeFormat
    bool continuous = false;                // CheckCommTest
    QString interval = QStringLiteral("0"); // TextCommTime, seconds 0..600

    // Row 1..16; an index outside gives a throwaway row, never a crash.
    TestRow& row(int rowNo);
    const TestRow& row(int rowNo) const;
    static bool isRowNo(int rowNo) { return rowNo >= 1 && rowNo <= kRowCount; }

    // Typed or pasted text of row `rowNo`: cut to the box's 494 digits.
    void setRowText(int rowNo, const QString& text);

    bool cameraAwaitsReply() const;
    int sendableCount() const;

    void Reset_TestScreen();

private:
    std::array<TestRow, kRowCount> m_rows;
    TestRow m_outside;
};

} // namespace zel
