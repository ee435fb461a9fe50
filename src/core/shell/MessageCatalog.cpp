#include "MessageCatalog.h"

#include "LanguageTables.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"

#include <array>

namespace zel {

namespace {

// How message 1..36 is built from the caller's extra text and its table text.
// TableTextThenExtra: the table text, then the caller's extra (which file, and why) when
// there is one.
enum class Composition { TableText, ExtraText, ExtraThenTableText, TableTextThenExtra };

struct MessageStyle {
    MessageButtons buttons;
    MessageIcon icon;
    Composition composition = Composition::TableText;
};

constexpr auto kOk = MessageButtons::Ok;
constexpr auto kStop = MessageIcon::Stop;
constexpr auto kWarn = MessageIcon::Warning;
constexpr auto kInfo = MessageIcon::Information;

constexpr std::array<MessageStyle, kMessageCount> kStyles{{
    {MessageButtons::YesNo, kWarn, Composition::ExtraThenTableText}, // 1
    {kOk, kStop},
    {kOk, kWarn},
    {kOk, kStop, Composition::ExtraText},
    {kOk, kStop}, // 5
    {kOk, kStop},
    {MessageButtons::YesNo, MessageIcon::Question},
    {kOk, kInfo},
    {kOk, kInfo},
    {kOk, kWarn}, // 10
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kInfo, Composition::ExtraText},
    {kOk, kWarn}, // 15
    {kOk, kStop},
    {kOk, kStop, Composition::ExtraText},
    {kOk, kInfo, Composition::ExtraText},
    {MessageButtons::YesNoCancel, kInfo},
    {kOk, kWarn, Composition::ExtraThenTableText}, // 20
    {kOk, kWarn},
    {kOk, kStop},
    {kOk, kWarn},
    {kOk, kWarn, Composition::TableTextThenExtra},
    {kOk, kWarn}, // 25
    {kOk, kWarn},
    {kOk, kWarn},
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kStop}, // 30
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kStop},
    {kOk, kStop}, // 35
    {kOk, kWarn},
}};

} // namespace

std::optional<MessageBoxContent> ComposeMessage(const LanguageTables& language, int number,
                                                const QString& extra) {
    if (number < 1 || number > static_cast<int>(kStyles.size()))
        return std::nullopt;
    const MessageStyle& style = kStyles[static_cast<size_t>(number - 1)];
    MessageBoxContent content;
    content.title = language.messageTitle(number);
    content.buttons = style.buttons;
    content.icon = style.icon;
    switch (style.composition) {
    case Composition::TableText:
        content.text = language.messageText(number);
        break;
    case Composition::ExtraText:
        content.text = extra;
        break;
    case Composition::ExtraThenTableText:
        content.text = extra + QStringLiteral("\r\n") + language.messageText(number);
        break;
    case Composition::TableTextThenExtra:
        content.text = language.messageText(number);
        if (!extra.isEmpty())
            content.text += QStringLiteral("\r\n") + extra;
        break;
    }
    return content;
}

int ShowRangeError(MessageSink& sink, const LanguageTables& language, const QString& low,
                   const QString& high) {
    const QString extra = low + language.piece(MessagePiece::RangeJoiner) + high +
                          language.piece(MessagePiece::RangeTail);
    return sink.ShowMessage(MessageError, extra);
}

} // namespace zel
