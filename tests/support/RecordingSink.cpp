#include "RecordingSink.h"

namespace zel::test {

int RecordingSink::ShowMessage(int number, const QString& extra) {
    if (number < 1 || number > 36)
        return ButtonNone;
    shown.append({number, extra});
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

QList<int> RecordingSink::numbers() const {
    QList<int> result;
    for (const auto& m : shown)
        result.append(m.number);
    return result;
}

} // namespace zel::test
