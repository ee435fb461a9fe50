#include "CliHelp.h"
#include "CliHelpTexts.h"

namespace zel::cli {

namespace {

constexpr qsizetype kLineWidth = 79;
constexpr qsizetype kDescriptionColumn = 24;

const QString kExitStatus =
    QStringLiteral("Exit status: 0 success, 1 the operation ended with a message, 2 usage error,\n"
                   "128 + N ended by signal N (130 Ctrl-C).\n");

// Kana, kanji and full-width forms take two columns on a terminal.
bool isWide(QChar c) {
    const char16_t code = c.unicode();
    return code >= 0x2E80 && !(code >= 0xFF61 && code <= 0xFFDC);
}

// Japanese punctuation a line must not start with, and brackets it must not end with.
bool closesClause(QChar c) {
    return QStringView(u"、。，．：；）」』ー～ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ")
               .contains(c) ||
           QStringView(u").,:;").contains(c);
}
bool opensClause(QChar c) {
    return QStringView(u"（「『").contains(c) || QStringView(u"([\"").contains(c);
}

// A word may break between two characters when one of them is wide (Japanese has no spaces).
bool breaksBefore(const QString& word, qsizetype at) {
    const QChar previous = word[at - 1];
    const QChar next = word[at];
    return (isWide(previous) || isWide(next)) && !closesClause(next) && !opensClause(previous);
}

// The pieces a line may break between; `spaced` when a space separates it from the one before.
struct LinePiece {
    QString text;
    bool spaced;
};

QList<LinePiece> piecesOf(const QString& text) {
    QList<LinePiece> pieces;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype start = 0;
        for (qsizetype at = 1; at < word.size(); ++at)
            if (breaksBefore(word, at)) {
                pieces.append({word.mid(start, at - start), start == 0});
                start = at;
            }
        pieces.append({word.mid(start), start == 0});
    }
    return pieces;
}

// One paragraph in lines of at most kLineWidth columns, each after `indent` spaces but the
// first (which continues a line already `indent` wide).
QString wrappedParagraph(const QString& text, qsizetype indent) {
    QString out;
    qsizetype column = indent;
    for (const LinePiece& piece : piecesOf(text)) {
        const qsizetype width = DisplayWidth(piece.text);
        const qsizetype space = piece.spaced ? 1 : 0;
        if (column > indent && column + space + width > kLineWidth) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent && piece.spaced) {
            out += QLatin1Char(' ');
            ++column;
        }
        out += piece.text;
        column += width;
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

// A command's description in the run's language, paragraph by paragraph.
QString translatedParagraphs(const QString& description, int languageIndex) {
    QStringList paragraphs;
    for (const QString& paragraph : description.split(QLatin1Char('\n')))
        paragraphs.append(HelpText(paragraph, languageIndex));
    return paragraphs.join(QLatin1Char('\n'));
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

QString optionDescription(const CliOption& option, int languageIndex) {
    QString text = HelpText(option.description, languageIndex);
    if (!option.defaultValue.isEmpty())
        text += HelpText(QStringLiteral(" (default: %1)"), languageIndex).arg(option.defaultValue);
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

qsizetype DisplayWidth(const QString& text) {
    qsizetype width = 0;
    for (const QChar c : text)
        width += isWide(c) ? 2 : 1;
    return width;
}

QString OptionTable(const CliOptions& options, int languageIndex) {
    QString text;
    for (const CliOption& option : options) {
        QString heading = optionHeading(option);
        if (heading.size() + 2 > kDescriptionColumn)
            heading += QLatin1Char('\n') + QString(kDescriptionColumn, QLatin1Char(' '));
        else
            heading = heading.leftJustified(kDescriptionColumn);
        text += heading + wrapped(optionDescription(option, languageIndex), kDescriptionColumn) +
                QLatin1Char('\n');
    }
    return text;
}

QString GlobalHelp(int languageIndex) {
    const auto in = [languageIndex](const QString& english) {
        return HelpText(english, languageIndex);
    };
    QString text = in(QStringLiteral("Usage: zelctl [global options] COMMAND [arguments]\n\n"
                                     "Global options:\n")) +
                   OptionTable(GlobalOptionDeclarations(), languageIndex) +
                   in(QStringLiteral("  --help, --version\n\nCommands:\n"));
    for (const CliCommand& command : RegisteredCommands())
        for (const QString& synopsis : command.synopses)
            text += QStringLiteral("  ") + synopsis + QLatin1Char('\n');
    return text +
           in(QStringLiteral("\nzelctl COMMAND --help explains one command and its options.\n")) +
           in(kExitStatus);
}

QString CommandHelp(const CliCommand& command, const QString& form, int languageIndex) {
    const auto in = [languageIndex](const QString& english) {
        return HelpText(english, languageIndex);
    };
    const QStringList synopses = synopsesOf(command, form);
    const bool narrowed = synopses.size() < command.synopses.size();
    const QString prefix = in(QStringLiteral("zelctl [global options] "));
    QString text =
        in(QStringLiteral("Usage: ")) + prefix +
        synopses.join(QStringLiteral("\n") +
                      QString(DisplayWidth(in(QStringLiteral("Usage: "))), QLatin1Char(' ')) +
                      prefix) +
        QStringLiteral("\n\n");
    const QString description = descriptionOf(command, narrowed ? form : QString());
    if (!description.isEmpty())
        text +=
            wrapped(translatedParagraphs(description, languageIndex), 0) + QStringLiteral("\n\n");
    const CliOptions options = optionsOf(command, form, narrowed);
    if (!options.isEmpty())
        text += in(QStringLiteral("Options:\n")) + OptionTable(options, languageIndex) +
                QLatin1Char('\n');
    return text +
           wrapped(in(QStringLiteral("The global options (--folder, --port, --rate, --lang, "
                                     "--yes, --quiet) are described in zelctl --help.")),
                   0) +
           QLatin1Char('\n') + in(kExitStatus);
}

QString ManualText(int languageIndex) {
    QString text = GlobalHelp(languageIndex);
    for (const CliCommand& command : RegisteredCommands())
        text += QLatin1Char('\n') + CommandHelp(command, {}, languageIndex);
    return text;
}

} // namespace zel::cli
