// `pulsepost config show|set`: the values of ZORVAN.CFG and params.cfg that drive the conversion,
// by name with their units and meaning, and a change of one of them in the controller's format.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "readback/config_files.h"

namespace pulsepost::cli {

namespace {

struct ConfigOptions {
    std::string configDir = ".";
    std::string name;
    std::string value;
};

int runShow(const ConfigOptions& o) {
    std::fputs(formatConfiguration(readConfigurationFiles(o.configDir)).c_str(), stdout);
    return 0;
}

int runSet(const ConfigOptions& o) {
    std::string message;
    const int status = setConfigurationValue(o.configDir, o.name, o.value, message);
    if (status == 0) {
        std::printf("%s\n", message.c_str());
    } else {
        std::fprintf(stderr, "pulsepost config set: %s\n", message.c_str());
    }
    return status;
}

std::string namesHelp() {
    std::string text = "Names\n";
    for (const Setting& s : settings()) {
        text += "  " + std::string(s.name);
        text.append(s.name[0] != '\0' && std::string(s.name).size() < 21
                        ? 21 - std::string(s.name).size()
                        : 1,
                    ' ');
        text += std::string(s.meaning) + "\n";
    }
    return text +
           "ignore-f-words and rapids-as-feeds take on or off; the numbers are written as the "
           "controller writes them, every other byte of the file is kept.";
}

}  // namespace

void registerConfigCommand(CLI::App& app) {
    auto options = std::make_shared<ConfigOptions>();
    CLI::App* config = app.add_subcommand(
        "config", "Show the machine configuration by name, or change one value of it");
    config->require_subcommand(1);
    const auto addDir = [&](CLI::App* cmd) {
        cmd->add_option("--config-dir", options->configDir,
                        "directory of ZORVAN.CFG and params.cfg (default: the current directory)")
            ->check(CLI::ExistingDirectory);
    };
    CLI::App* show = config->add_subcommand(
        "show", "List the values that drive the conversion with their units and meaning");
    addDir(show);
    show->callback([options] { commandStatus() = runShow(*options); });
    CLI::App* set = config->add_subcommand(
        "set", "Change one value and rewrite its file, every other byte kept");
    set->add_option("NAME", options->name, "the value's name (see below)")->required();
    set->add_option("VALUE", options->value, "the new value")->required();
    addDir(set);
    set->footer(namesHelp());
    set->callback([options] { commandStatus() = runSet(*options); });
}

}  // namespace pulsepost::cli
