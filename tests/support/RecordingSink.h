#pragma once
// Message sink for tests: records every message and answers from a script.
#include "common/MessageSink.h"

#include <QList>
#include <QString>

namespace zel::test {

struct ShownMessage {
    int number;
    QString extra;
};

class RecordingSink : public MessageSink {
public:
    int ShowMessage(int number, const QString& extra = {}) override;

    // Answers given in order to the next messages; when exhausted, `defaultAnswer`.
    QList<int> answers;
    int defaultAnswer = ButtonOk;
    QList<ShownMessage> shown;

    QList<int> numbers() const;
    void clear() { shown.clear(); }
};

} // namespace zel::test
