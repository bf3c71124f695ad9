// pulsepost: converts G-code part programs into the pulse and break streams of a four-axis
// pulse-driven controller, and more through its subcommands.
#include <CLI/CLI.hpp>

#include "commands.h"

namespace pulsepost::cli {

int& commandStatus() {
    static int status = 0;
    return status;
}

}  // namespace pulsepost::cli

int main(int argc, char** argv) {
    CLI::App app{"pulsepost: G-code post-processor for four-axis pulse-driven CNC machines.\n"};
    app.require_subcommand(1);
    app.footer("Run 'pulsepost COMMAND --help' for the options and the details of a command.");

    pulsepost::cli::registerConvertCommand(app);
    pulsepost::cli::registerInspectCommand(app);
    pulsepost::cli::registerPlotCommand(app);

    CLI11_PARSE(app, argc, argv);
    return pulsepost::cli::commandStatus();
}
