#include "CliHelp.h"

namespace zel::cli {

namespace {

constexpr qsizetype kLineWidth = 79;
constexpr qsizetype kDescriptionColumn = 24;

const QString kExitStatus =
    QStringLiteral("Exit status: 0 success, 1 the operation ended with a message, 2 usage error,\n"
                   "128 + N ended by signal N (130 Ctrl-C).\n");

// One paragraph in lines of at most kLineWidth characters, each after `indent` spaces but the
// first (which continues a line already `indent` wide).
QString wrappedParagraph(const QString& text, qsizetype indent) {
    QString out;
    qsizetype column = indent;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (column > indent && column + 1 + word.size() > kLineWidth) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += word;
        column += word.size();
    }
    return out;
}

// Paragraphs (lines of `text`) wrapped each on its own.
QString wrapped(const QString& text, qsizetype indent) {
    QStringList paragraphs;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        paragraphs.append(wrappedParagraph(paragraph, indent));
    return paragraphs.join(QLatin1Char('\n') + QString(indent, QLatin1Char(' ')));
}

QString optionHeading(const CliOption& option) {
    QStringList written;
    for (const QString& name : option.names)
        written.append(CliOption::writtenName(name));
    QString heading = QStringLiteral("  ") + written.join(QStringLiteral(", "));
    if (option.takesValue())
        heading += QLatin1Char(' ') + option.valueName;
    return heading;
}

QString optionDescription(const CliOption& option) {
    QString text = option.description;
    if (!option.defaultValue.isEmpty())
        text += QStringLiteral(" (default: %1)").arg(option.defaultValue);
    return text;
}

QStringList synopsesOf(const CliCommand& command, const QString& form) {
    if (form.isEmpty())
        return command.synopses;
    QStringList matching;
    for (const QString& line : command.synopses)
        if (line.startsWith(command.name + QLatin1Char(' ') + form + QLatin1Char(' ')) ||
            line == command.name + QLatin1Char(' ') + form)
            matching.append(line);
    return matching.isEmpty() ? command.synopses : matching;
}

// The description, or for one form only its paragraphs that begin with the form's name.
QString descriptionOf(const CliCommand& command, const QString& form) {
    if (form.isEmpty())
        return command.description;
    QStringList paragraphs;
    for (const QString& paragraph : command.description.split(QLatin1Char('\n')))
        if (paragraph.startsWith(form + QLatin1Char(' ')))
            paragraphs.append(paragraph);
    return paragraphs.isEmpty() ? command.description : paragraphs.join(QLatin1Char('\n'));
}

CliOptions optionsOf(const CliCommand& command, const QString& form, bool narrowed) {
    CliOptions shown;
    for (const CliOption& option : command.options)
        if (!narrowed || option.forms.isEmpty() || option.forms.contains(form))
            shown.append(option);
    return shown;
}

} // namespace

const CliOptions& GlobalOptionDeclarations() {
    static const CliOptions options{
        {{QStringLiteral("folder")},
         QStringLiteral("DIR"),
         QStringLiteral("program folder holding zel.ini and the boot programs (default: the "
                        "executable's folder, or ~/.config/zel when that cannot be written)")},
        {{QStringLiteral("port")},
         QStringLiteral("DEVICE"),
         QStringLiteral("serial device path (/dev/ttyUSB0), COMn, or a serial device server's "
                        "port: tcp://HOST:PORT (raw) or rfc2217://HOST:PORT; without it the "
                        "port of zel.ini (COM1 = /dev/ttyS0). zelctl ports lists the ports")},
        {{QStringLiteral("rate")},
         QStringLiteral("BPS"),
         QStringLiteral("line speed: 4800, 9600, 19200 or 38400 (default: zel.ini's)")},
        {{QStringLiteral("lang")},
         QStringLiteral("en|ja"),
         QStringLiteral("language of messages, progress, file labels and the title table "
                        "(default: zel.ini's [LANGUAGE] Mode)")},
        {{QStringLiteral("yes")},
         {},
         QStringLiteral("answer Yes to the questions a screen would ask (default: No)")},
        {{QStringLiteral("quiet")}, {}, QStringLiteral("no progress lines")},
    };
    return options;
}

QString OptionTable(const CliOptions& options) {
    QString text;
    for (const CliOption& option : options) {
        QString heading = optionHeading(option);
        if (heading.size() + 2 > kDescriptionColumn)
            heading += QLatin1Char('\n') + QString(kDescriptionColumn, QLatin1Char(' '));
        else
            heading = heading.leftJustified(kDescriptionColumn);
        text +=
            heading + wrapped(optionDescription(option), kDescriptionColumn) + QLatin1Char('\n');
    }
    return text;
}

QString GlobalHelp() {
    QString text = QStringLiteral("Usage: zelctl [global options] COMMAND [arguments]\n\n"
                                  "Global options:\n") +
                   OptionTable(GlobalOptionDeclarations()) +
                   QStringLiteral("  --help, --version\n\nCommands:\n");
    for (const CliCommand& command : RegisteredCommands())
        for (const QString& synopsis : command.synopses)
            text += QStringLiteral("  ") + synopsis + QLatin1Char('\n');
    return text +
           QStringLiteral("\nzelctl COMMAND --help explains one command and its options.\n") +
           kExitStatus;
}

QString CommandHelp(const CliCommand& command, const QString& form) {
    const QStringList synopses = synopsesOf(command, form);
    const bool narrowed = synopses.size() < command.synopses.size();
    const QString prefix = QStringLiteral("zelctl [global options] ");
    QString text = QStringLiteral("Usage: ") + prefix +
                   synopses.join(QStringLiteral("\n       ") + prefix) + QStringLiteral("\n\n");
    const QString description = descriptionOf(command, narrowed ? form : QString());
    if (!description.isEmpty())
        text += wrapped(description, 0) + QStringLiteral("\n\n");
    const CliOptions options = optionsOf(command, form, narrowed);
    if (!options.isEmpty())
        text += QStringLiteral("Options:\n") + OptionTable(options) + QLatin1Char('\n');
    return text +
           wrapped(QStringLiteral("The global options (--folder, --port, --rate, --lang, "
                                  "--yes, --quiet) are described in zelctl --help."),
                   0) +
           QLatin1Char('\n') + kExitStatus;
}

QString ManualText() {
    QString text = GlobalHelp();
    for (const CliCommand& command : RegisteredCommands())
        text += QLatin1Char('\n') + CommandHelp(command);
    return text;
}

} // namespace zel::cli
