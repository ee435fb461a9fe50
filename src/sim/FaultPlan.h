#pragma once
// Faults the simulated controller injects into its answers, each rule selected by command
// code and optionally by block number (C1) or title number (B1).
//
// Text form of a target, as the zelsim options take it:
//   CMD[:NUM][xK]   CMD two hex digits ("C1", "20") or "*" for any command;
//                   NUM decimal block or title number; K how many times (default: always)
#include <QList>
#include <QString>
#include <random>

namespace zel::sim {

enum class FaultKind {
    Busy,        // answer BUSY (0x00) instead; the command is not carried out
    Nack,        // answer NACK (0x15) instead; the command is not carried out
    BadChecksum, // data reply with its checksum byte inverted
    BadLength,   // data reply with its length byte one too small
    Drop,        // carry out the command, answer nothing
    Fragment,    // send the answer in pieces of fragmentSize bytes, gapMs apart
    Garbage,     // send garbageBytes random bytes before the answer
};

struct FaultRule {
    FaultKind kind = FaultKind::Busy;
    int command = -1;   // first data byte; -1 any command
    int number = -1;    // block or title number; -1 any
    int remaining = -1; // uses left; -1 unlimited
    double probability = 1.0;
    int fragmentSize = 0;
    int gapMs = 0;
    int garbageBytes = 0;

    bool matches(int frameCommand, int frameNumber) const;
};

class FaultPlan {
public:
    void add(const FaultRule& rule) { m_rules.append(rule); }
    bool isEmpty() const { return m_rules.isEmpty(); }
    const QList<FaultRule>& rules() const { return m_rules; }
    void clear() { m_rules.clear(); }

    // First rule of `kind` that matches and fires (its probability drawn from `random`);
    // one use of it is spent. Null when none fires.
    const FaultRule* take(FaultKind kind, int command, int number, std::mt19937& random);

    // Option parsers; false with a reason in `error`.
    bool addTarget(FaultKind kind, const QString& text, QString* error); // CMD[:NUM][xK]
    bool addBusyProbability(const QString& text, QString* error);        // P[@CMD[:NUM]]
    bool addFragment(const QString& text, QString* error);               // N:GAPMS[@CMD[:NUM]]
    bool addGarbage(const QString& text, QString* error);                // N[@CMD[:NUM]]

private:
    static bool parseTarget(const QString& text, FaultRule* rule, QString* error);
    static bool parseScope(const QString& text, FaultRule* rule, QString* error);

    QList<FaultRule> m_rules;
};

} // namespace zel::sim
