#include "FaultPlan.h"

namespace zel::sim {

namespace {

bool fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

// A whole decimal number within [low, high], or -1.
int decimalIn(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return (ok && !text.startsWith(u'+') && !text.startsWith(u'-') && value >= low && value <= high)
               ? value
               : -1;
}

} // namespace

bool FaultRule::matches(int frameCommand, int frameNumber) const {
    if (remaining == 0)
        return false;
    if (command >= 0 && command != frameCommand)
        return false;
    return number < 0 || number == frameNumber;
}

const FaultRule* FaultPlan::take(FaultKind kind, int command, int number, std::mt19937& random) {
    for (FaultRule& rule : m_rules) {
        if (rule.kind != kind || !rule.matches(command, number))
            continue;
        if (rule.probability < 1.0) {
            std::uniform_real_distribution<double> draw(0.0, 1.0);
            if (draw(random) >= rule.probability)
                continue;
        }
        if (rule.remaining > 0)
            --rule.remaining;
        return &rule;
    }
    return nullptr;
}

bool FaultPlan::parseScope(const QString& text, FaultRule* rule, QString* error) {
    const QStringList parts = text.split(u':');
    if (parts.size() > 2 || parts.first().isEmpty())
        return fail(error, QStringLiteral("bad target \"%1\": expected CMD[:NUM]").arg(text));
    const QString command = parts.first();
    if (command == u"*") {
        rule->command = -1;
    } else {
        bool ok = false;
        rule->command = command.size() <= 2 ? command.toInt(&ok, 16) : -1;
        if (!ok)
            return fail(
                error,
                QStringLiteral("bad command \"%1\": expected two hex digits or *").arg(command));
    }
    if (parts.size() == 2) {
        rule->number = decimalIn(parts.at(1), 0, 65535);
        if (rule->number < 0)
            return fail(error, QStringLiteral("bad block or title number \"%1\"").arg(parts.at(1)));
    }
    return true;
}

bool FaultPlan::parseTarget(const QString& text, FaultRule* rule, QString* error) {
    QString scope = text;
    const qsizetype times = text.lastIndexOf(u'x');
    if (times > 0) {
        rule->remaining = decimalIn(text.mid(times + 1), 1, 1000000);
        if (rule->remaining < 0)
            return fail(error,
                        QStringLiteral("bad count in \"%1\": expected xK, K >= 1").arg(text));
        scope = text.left(times);
    }
    return parseScope(scope, rule, error);
}

bool FaultPlan::addTarget(FaultKind kind, const QString& text, QString* error) {
    FaultRule rule;
    rule.kind = kind;
    if (!parseTarget(text, &rule, error))
        return false;
    add(rule);
    return true;
}

bool FaultPlan::addBusyProbability(const QString& text, QString* error) {
    FaultRule rule;
    rule.kind = FaultKind::Busy;
    const qsizetype at = text.indexOf(u'@');
    bool ok = false;
    rule.probability = text.left(at < 0 ? text.size() : at).toDouble(&ok);
    if (!ok || rule.probability < 0.0 || rule.probability > 1.0)
        return fail(error, QStringLiteral("bad probability \"%1\": expected 0..1").arg(text));
    if (at >= 0 && !parseScope(text.mid(at + 1), &rule, error))
        return false;
    add(rule);
    return true;
}

bool FaultPlan::addFragment(const QString& text, QString* error) {
    FaultRule rule;
    rule.kind = FaultKind::Fragment;
    const qsizetype at = text.indexOf(u'@');
    const QStringList sizeGap = text.left(at < 0 ? text.size() : at).split(u':');
    if (sizeGap.size() != 2)
        return fail(error, QStringLiteral("bad fragment \"%1\": expected N:GAPMS").arg(text));
    rule.fragmentSize = decimalIn(sizeGap.at(0), 1, 512);
    rule.gapMs = decimalIn(sizeGap.at(1), 0, 60000);
    if (rule.fragmentSize < 0 || rule.gapMs < 0)
        return fail(error,
                    QStringLiteral("bad fragment \"%1\": N 1..512, GAPMS 0..60000").arg(text));
    if (at >= 0 && !parseScope(text.mid(at + 1), &rule, error))
        return false;
    add(rule);
    return true;
}

bool FaultPlan::addGarbage(const QString& text, QString* error) {
    FaultRule rule;
    rule.kind = FaultKind::Garbage;
    const qsizetype at = text.indexOf(u'@');
    rule.garbageBytes = decimalIn(text.left(at < 0 ? text.size() : at), 1, 4096);
    if (rule.garbageBytes < 0)
        return fail(error, QStringLiteral("bad garbage count \"%1\": expected 1..4096").arg(text));
    if (at >= 0 && !parseScope(text.mid(at + 1), &rule, error))
        return false;
    add(rule);
    return true;
}

} // namespace zel::sim
