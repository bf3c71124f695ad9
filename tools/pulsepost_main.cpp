// pulsepost: converts G-code part programs into the pulse and break streams of a four-axis
// pulse-driven controller, and more through its subcommands.
//
// Exit statuses: what the subcommand returns (0 done, 1 failed), 2 for a usage error (an unknown
// command or option, a missing or invalid argument), which is reported on standard error with
// what was wrong and where to read more.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commands.h"
#include "pulsepost/pulsepost.h"

namespace pulsepost::cli {

int& commandStatus() {
    static int status = 0;
    return status;
}

namespace {

constexpr int kUsageError = 2;

std::vector<std::string> commandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(sub->get_name());
    return names;
}

std::string commandListText(const CLI::App& app) {
    std::string text = "the commands are";
    for (const std::string& name : commandNames(app))
        text += " " + name;
    return text;
}

CLI::App* findCommand(CLI::App& app, const std::string& name) {
    for (CLI::App* sub : app.get_subcommands([](const CLI::App*) { return true; }))
        if (sub->get_name() == name) return sub;
    return nullptr;
}

// Edits (insertions, deletions, substitutions, swaps of neighbours) that turn a into b.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// "unknown command 'conver'; did you mean 'convert'?" when one command is close enough (a typo
// of at most a third of the word, at least one edit), else the list of commands.
std::string unknownCommandText(const CLI::App& app, const std::string& word) {
    std::string text = "unknown command '" + word + "'";
    std::string nearest;
    std::size_t best = std::max<std::size_t>(1, word.size() / 3) + 1;
    for (const std::string& name : commandNames(app)) {
        const std::size_t distance = editDistance(word, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    if (!nearest.empty()) return text + "; did you mean '" + nearest + "'?";
    return text + "; " + commandListText(app);
}

int usageError(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the usage.\n", where.c_str(), what.c_str(),
                 where.c_str());
    return kUsageError;
}

// `pulsepost help [COMMAND]`: the help of the program or of one command.
void registerHelpCommand(CLI::App& app) {
    static std::string topic;
    CLI::App* help = app.add_subcommand("help", "Show the help of the program or of COMMAND");
    help->add_option("COMMAND", topic, "the command to explain");
    help->callback([&app] {
        if (topic.empty()) {
            // App::help would describe the selected command, help itself.
            const std::string text =
                app.get_formatter()->make_help(&app, "pulsepost", CLI::AppFormatMode::Normal);
            std::fputs(text.c_str(), stdout);
            return;
        }
        CLI::App* command = findCommand(app, topic);
        if (command == nullptr) {
            commandStatus() = usageError("pulsepost help", unknownCommandText(app, topic));
            return;
        }
        std::fputs(command->help("pulsepost").c_str(), stdout);
    });
}

}  // namespace

}  // namespace pulsepost::cli

namespace {

int run(int argc, char** argv) {
    using namespace pulsepost::cli;
    CLI::App app{"pulsepost: G-code post-processor for four-axis pulse-driven CNC machines.\n"};
    app.name("pulsepost");
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("pulsepost ") + pulsepost_version(),
                         "Print the version and exit");
    app.footer(
        "Run 'pulsepost help COMMAND' or 'pulsepost COMMAND --help' for the options and the "
        "details of a command.");

    registerConvertCommand(app);
    registerInspectCommand(app);
    registerPlotCommand(app);
    registerConfigCommand(app);
    registerHelpCommand(app);

    // What comes before a command is checked here: CLI11 would only say that a command is
    // required.
    if (argc < 2) return usageError("pulsepost", "no command given; " + commandListText(app));
    const std::string first = argv[1];
    if (first[0] != '-' && findCommand(app, first) == nullptr)
        return usageError("pulsepost", unknownCommandText(app, first));
    if (first[0] == '-' && first != "-h" && first != "--help" && first != "--version")
        return usageError("pulsepost", "unknown option '" + first + "'");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help, --version
    } catch (const CLI::ParseError& e) {
        std::string where = "pulsepost";
        for (const CLI::App* sub = &app; !sub->get_subcommands().empty();) {
            sub = sub->get_subcommands().front();
            where += " " + sub->get_name();
        }
        return usageError(where, e.what());
    }
    return commandStatus();
}

}  // namespace

// A failure of the C++ runtime (an allocation, say) ends the command with a message and status 1
// rather than with std::terminate.
int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pulsepost: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "pulsepost: internal failure\n");
    }
    return 1;
}
