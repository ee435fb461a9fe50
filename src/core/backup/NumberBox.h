#pragma once
// The rule of the REMOTE No. and CAMERA No. boxes, applied when a box loses the focus and
// before a transfer starts: non-empty, decimal digits only, within low..high.
#include <QString>

namespace zel {

class LanguageTables;
class MessageSink;

class NumberBox {
public:
    static constexpr int kRemoteLow = 1;
    static constexpr int kRemoteHigh = 99;
    static constexpr int kCameraLow = 1;
    static constexpr int kCameraHigh = 255;

    static bool isInRange(const QString& text, int low, int high);

    // Shows the range message (message 4, "low to high ...") when the text breaks the rule.
    static bool check(MessageSink& messages, const LanguageTables& language, const QString& text,
                      int low, int high);
    static bool checkRemoteNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text);
    static bool checkCameraNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text);
    // Both boxes before a transfer: the remote number first, then the camera number.
    static bool checkAddress(MessageSink& messages, const LanguageTables& language,
                             const QString& remoteNo, const QString& cameraNo);
};

} // namespace zel
