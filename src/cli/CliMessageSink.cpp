#include "CliMessageSink.h"

#include "CliTexts.h"

#include "shell/LanguageTables.h"
#include "shell/MessageCatalog.h"

#include <cstdio>

namespace zel::cli {

int CliMessageSink::ShowMessage(int number, const QString& extra) {
    const auto content = ComposeMessage(m_language, number, extra);
    if (!content)
        return ButtonNone;
    m_shown.append(number);
    QString text = content->text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    const QString detail = m_detailSource ? m_detailSource(number) : QString();
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + QLatin1Char(')');
    const QString place = m_placeSource ? m_placeSource(number) : QString();
    if (!place.isEmpty())
        text += QLatin1Char(' ') + place;
    if (content->buttons != MessageButtons::Ok)
        text += cliText(m_language, m_answerYes ? CliText::AnsweredYes : CliText::AnsweredNo);
    if (m_beforeMessage)
        m_beforeMessage();
    const QString line = content->title + QStringLiteral(": ") + text + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    if (m_afterMessage)
        m_afterMessage(number);
    switch (content->buttons) {
    case MessageButtons::Ok:
        return ButtonOk;
    case MessageButtons::YesNo:
        return m_answerYes ? ButtonYes : ButtonNo;
    case MessageButtons::YesNoCancel:
        return m_answerYes ? ButtonYes : ButtonCancel;
    }
    return ButtonOk;
}

} // namespace zel::cli
