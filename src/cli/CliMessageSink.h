#pragma once
#include "common/MessageSink.h"

#include <QList>
#include <functional>

namespace zel {
class LanguageTables;
}

namespace zel::cli {

// Prints "title: text" on stderr in the active language and answers questions without a
// prompt: Yes with --yes, otherwise No (the safe choice). Remembers what it showed so a
// command can turn a message into exit code 1.
class CliMessageSink : public MessageSink {
public:
    explicit CliMessageSink(const LanguageTables& language) : m_language(language) {}
    int ShowMessage(int number, const QString& extra = {}) override;

    void setAnswerYes(bool yes) { m_answerYes = yes; }
    // Added in brackets after a message's text ("(camera 1, block 12)"); empty for none.
    void setDetailSource(std::function<QString(int number)> source) {
        m_detailSource = std::move(source);
    }
    bool anyShown() const { return !m_shown.isEmpty(); }
    const QList<int>& shown() const { return m_shown; }

private:
    const LanguageTables& m_language;
    bool m_answerYes = false;
    QList<int> m_shown;
    std::function<QString(int)> m_detailSource;
};

} // namespace zel::cli
