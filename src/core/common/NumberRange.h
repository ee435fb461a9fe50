#pragma once
// The rule of the number boxes (REMOTE No., CAMERA No., the panel's entry and speed boxes),
// applied when a box is left, before a send and to command-line options: non-empty, decimal
// digits only, within low..high. The up/down buttons step a box within the same range.
#include <QString>

namespace zel {

class LanguageTables;
class MessageSink;

class NumberRange {
public:
    constexpr NumberRange(int low, int high) : m_low(low), m_high(high) {}

    constexpr int low() const { return m_low; }
    constexpr int high() const { return m_high; }

    bool contains(const QString& text) const;
    // Shows the range message (message 4, "low to high ...") when the text breaks the rule.
    bool check(MessageSink& messages, const LanguageTables& language, const QString& text) const;
    // The value one up/down step (`by`) from `text`, held within the range; a text that is no
    // number steps to the low end.
    int stepped(const QString& text, int by) const;

    // Both boxes of a camera address before a transfer: the remote number first.
    static bool checkAddress(MessageSink& messages, const LanguageTables& language,
                             const QString& remoteNo, const QString& cameraNo);

private:
    int m_low;
    int m_high;
};

// REMOTE No.: the camera controller's number on the line.
inline constexpr NumberRange kRemoteNoRange{1, 99};
// CAMERA No. of a transfer (backup, titles, site lists).
inline constexpr NumberRange kCameraNoRange{1, 255};
// CAMERA No. where 0 addresses every camera (communication test, panel entry).
inline constexpr NumberRange kAnyCameraNoRange{0, 255};

} // namespace zel
