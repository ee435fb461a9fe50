#include "CliCommand.h"

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

} // namespace zel::cli
