#pragma once
// One option a zelctl command accepts, declared once: the parser reads it, --help and the
// manual page describe it.
#include <QString>
#include <QStringList>

namespace zel::cli {

struct CliOption {
    QStringList names = {};    // "camera"; "o" and "output" for -o / --output
    QString valueName = {};    // "N"; empty for a switch
    QString description = {};  // one sentence for --help
    QString defaultValue = {}; // what value() gives when the option is not given; shown in --help
    QStringList forms = {};    // the subcommands it belongs to; empty: every form of the command

    bool takesValue() const { return !valueName.isEmpty(); }
    // "--camera", "-o": how the user writes the first name.
    QString written() const { return writtenName(names.value(0)); }
    static QString writtenName(const QString& name) {
        return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
};

using CliOptions = QList<CliOption>;

} // namespace zel::cli
