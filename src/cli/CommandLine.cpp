#include "CommandLine.h"

#include "CliTexts.h"

#include <QCommandLineParser>

namespace zel::cli {

namespace {

const CliOption* optionNamed(const CliOptions& options, const QString& name) {
    for (const CliOption& option : options)
        if (option.names.contains(name))
            return &option;
    return nullptr;
}

// "--camera=5" -> "camera"; "-o" -> "o".
QString nameIn(const QString& arg) {
    const qsizetype dashes = arg.startsWith(QStringLiteral("--")) ? 2 : 1;
    return arg.mid(dashes).section(QLatin1Char('='), 0, 0);
}

bool isOptionArgument(const QString& arg) {
    return arg.size() > 1 && arg.startsWith(QLatin1Char('-'));
}

} // namespace

QString DescribeParseError(const CliOptions& options, const QStringList& args,
                           const QStringList& unknownNames, int languageIndex) {
    const auto text = [languageIndex](CliText id) { return cliText(languageIndex, id); };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QStringLiteral("--"))
            break;
        if (!isOptionArgument(arg))
            continue;
        const QString written = arg.section(QLatin1Char('='), 0, 0);
        const CliOption* option = optionNamed(options, nameIn(arg));
        if (!option || unknownNames.contains(nameIn(arg)))
            return text(CliText::UnknownOption).arg(written);
        const bool inline_ = arg.contains(QLatin1Char('='));
        if (option->takesValue() && !inline_ && i + 1 >= args.size())
            return text(CliText::NeedsValue).arg(written);
        if (!option->takesValue() && inline_)
            return text(CliText::TakesNoValue).arg(written);
        if (option->takesValue() && !inline_)
            ++i; // its value, whatever it looks like
    }
    return text(CliText::UnreadableArgs);
}

bool CommandLine::parse(const CliOptions& options, const QStringList& args, QString* error) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const CliOption& option : options)
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName,
                                            option.defaultValue));
    if (!parser.parse(QStringList{QStringLiteral("zelctl")} + args)) {
        *error = DescribeParseError(options, args, parser.unknownOptionNames(), m_languageIndex);
        return false;
    }
    m_options = options;
    for (const CliOption& option : options) {
        const QString& name = option.names.first();
        if (parser.isSet(name))
            m_given.insert(name);
        if (option.takesValue())
            m_values.insert(name, parser.value(name));
    }
    m_positional = parser.positionalArguments();
    return true;
}

QString CommandLine::misplacedOption(const QString& command, const QString& form) const {
    for (const CliOption& option : m_options) {
        if (option.forms.isEmpty() || option.forms.contains(form) || !isSet(option.names.first()))
            continue;
        QStringList places;
        for (const QString& owner : option.forms)
            places.append(command + QLatin1Char(' ') + owner);
        return cliText(m_languageIndex, CliText::BelongsTo)
            .arg(option.written(), places.join(cliText(m_languageIndex, CliText::And)));
    }
    return {};
}

} // namespace zel::cli
