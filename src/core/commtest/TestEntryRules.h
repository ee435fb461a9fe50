#pragma once
// Entry rules of the communication test screen's boxes, checked when a box is left or text
// is pasted. Each check shows its message and returns false when the text breaks the rule.
#include <QString>
#include <optional>

namespace zel {

class LanguageTables;
class MessageSink;

class TestEntryRules {
public:
    static constexpr int kIntervalHigh = 600;

    static bool checkRemoteNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text);
    static bool checkCameraNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text);

    // The interval box: the text to show once it is valid (with a point: exactly three
    // decimals, "0.5" -> "0.500"), or std::nullopt after the range message 0 to 600.
    static std::optional<QString>
    checkInterval(MessageSink& messages, const LanguageTables& language, const QString& text);
    // Whether `text` is a valid interval (numeric, not starting with ".", 0..600, at most
    // three decimals); no message.
    static bool isInterval(const QString& text);
    // A valid interval with a point rewritten with three decimals; others unchanged.
    static QString formatInterval(const QString& text);

    // Paste into a row: only 0-9 and A-F; otherwise message 4 (two Japanese lines), false.
    static bool checkPaste(MessageSink& messages, const QString& text);
};

} // namespace zel
