#pragma once
// The arguments of one zelctl run read against the declared options with
// QCommandLineParser: "--name VALUE" and "--name=VALUE" alike, "--" ends the options, and an
// unknown option, a missing value or a value given to a switch is refused with one wording
// for every command, in the language the run's usage errors are worded in.
#include "CliOption.h"

#include <QHash>
#include <QSet>

namespace zel::cli {

class CommandLine {
public:
    // `languageIndex`: the language of the usage errors this line words (0 English, 1
    // Japanese).
    explicit CommandLine(int languageIndex = 0) : m_languageIndex(languageIndex) {}
    int languageIndex() const { return m_languageIndex; }

    // Reads `args` (without the program name). False with the usage error in `error`.
    bool parse(const CliOptions& options, const QStringList& args, QString* error);

    bool isSet(const QString& name) const { return m_given.contains(name); }
    // The value given last, or the declared default.
    QString value(const QString& name) const { return m_values.value(name); }
    const QStringList& positional() const { return m_positional; }
    // The first positional argument: the subcommand of commands that have them.
    QString subcommand() const { return m_positional.value(0); }
    // The positional arguments after the subcommand.
    QStringList operands() const { return m_positional.mid(1); }

    // An option given that belongs to another form of the command than `form`: its usage
    // error ("--no-verify belongs to backup upload"), else empty.
    QString misplacedOption(const QString& command, const QString& form) const;

private:
    int m_languageIndex = 0;
    CliOptions m_options;
    QHash<QString, QString> m_values; // by the option's first name
    QSet<QString> m_given;
    QStringList m_positional;
};

// The argument that made the parser refuse `args`, worded for the user.
QString DescribeParseError(const CliOptions& options, const QStringList& args,
                           const QStringList& unknownNames, int languageIndex = 0);

} // namespace zel::cli
