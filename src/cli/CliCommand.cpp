#include "CliCommand.h"

#include <cstdio>

namespace zel::cli {

namespace {
std::vector<CliCommand>& registry() {
    static std::vector<CliCommand> commands;
    return commands;
}
} // namespace

CommandRegistrar::CommandRegistrar(CliCommand command) {
    registry().push_back(std::move(command));
}

const std::vector<CliCommand>& RegisteredCommands() {
    return registry();
}

const CliCommand* FindCommand(const QString& name) {
    for (const CliCommand& command : registry())
        if (command.name == name)
            return &command;
    return nullptr;
}

int UsageError(const QString& command, const QString& text) {
    const QString line = QStringLiteral("zelctl: ") + command + QStringLiteral(": ") + text;
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    return ExitUsage;
}

} // namespace zel::cli
