#pragma once
// Composes message box 1..36 (title, text, buttons, icon) in the current language.
#include <QString>
#include <optional>

namespace zel {

class LanguageTables;
class MessageSink;

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { Stop, Warning, Question, Information };

struct MessageBoxContent {
    QString title;
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Information;
};

// std::nullopt for numbers outside 1..36.
std::optional<MessageBoxContent> ComposeMessage(const LanguageTables& language, int number,
                                                const QString& extra = {});

// Message 4 with low + range joiner + high + range tail of the current language.
int ShowRangeError(MessageSink& sink, const LanguageTables& language, const QString& low,
                   const QString& high);

} // namespace zel
