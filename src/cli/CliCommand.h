#pragma once
// zelctl commands register themselves by name; main() parses the global options and runs one.
#include <QStringList>
#include <functional>

namespace zel::cli {

class CliContext;

// Exit codes shared by every command; a run ended by a signal exits with 128 + its number
// (130 SIGINT, 143 SIGTERM).
enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitSignalBase = 128 };

using CommandFunction = std::function<int(CliContext& context, const QStringList& args)>;

// What a command needs of the Qt application: a console one, or fonts and painting (PDF
// output) on the offscreen platform, without a display.
enum class CommandNeeds { Console, Painting };

struct CliCommand {
    QString name;
    QString usage; // one or more lines for --help
    CommandFunction run;
    CommandNeeds needs = CommandNeeds::Console;
};

// Static registration: `static const CommandRegistrar reg{{"name", "usage", &run}};`
struct CommandRegistrar {
    explicit CommandRegistrar(CliCommand command);
};

const std::vector<CliCommand>& RegisteredCommands();

} // namespace zel::cli
