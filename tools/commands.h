// The subcommands of `pulsepost`. Each lives in its own tools/<name>_command.cpp and adds itself
// to the application with its register function; pulsepost_main.cpp calls each one, one line per
// subcommand. A subcommand's callback leaves its exit status in commandStatus().
#pragma once

namespace CLI {
class App;
}

namespace pulsepost::cli {

// The process's exit status, set by the subcommand that ran.
int& commandStatus();

void registerConvertCommand(CLI::App& app);
void registerInspectCommand(CLI::App& app);
void registerPlotCommand(CLI::App& app);
void registerConfigCommand(CLI::App& app);

}  // namespace pulsepost::cli
