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
    // Added after the brackets ("on /dev/ttyS0"); empty for none.
    void setPlaceSource(std::function<QString(int number)> source) {
        m_placeSource = std::move(source);
    }
    // Runs after a message is printed (a hint on what to do next).
    void setAfterMessage(std::function<void(int number)> hook) { m_afterMessage = std::move(hook); }
    // Runs before a message is printed (the progress line ends first, so no stale progress
    // line follows the message).
    void setBeforeMessage(std::function<void()> hook) { m_beforeMessage = std::move(hook); }
    bool anyShown() const { return !m_shown.isEmpty(); }
    const QList<int>& shown() const { return m_shown; }

private:
    const LanguageTables& m_language;
    bool m_answerYes = false;
    QList<int> m_shown;
    std::function<QString(int)> m_detailSource;
    std::function<QString(int)> m_placeSource;
    std::function<void()> m_beforeMessage;
    std::function<void(int)> m_afterMessage;
};

} // namespace zel::cli
