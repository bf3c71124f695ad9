// `pulsepost plot PROGRAM -o FILE.svg`: a picture of the motion the streams written beside the
// program will make: the XY toolpath coloured by speed with rapids dashed and events marked, an
// XZ side view, and the speed over time with every stop visible.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands.h"
#include "platform/files.h"
#include "readback/config_files.h"
#include "readback/configured_scale.h"
#include "readback/motion_plot.h"
#include "readback/readback_error.h"

namespace pulsepost::cli {

namespace {

struct PlotOptions {
    std::string program;
    std::string output;
    std::string configDir = ".";
};

// With traverses planned as feeds, the slower of the two rapid speeds (units per second): the
// moves planned at it are drawn as traverses. 0 otherwise: traverses are then rapid records.
double traverseSpeed(const std::string& configDir) {
    const ConfigurationFiles files = readConfigurationFiles(configDir);
    const SettingFileText& m = files.machine;
    if (!m.readable) return 0.0;
    const long options = std::strtol(m.valueText(19).c_str(), nullptr, 10);
    if ((options & 0x20) == 0) return 0.0;
    const double rapid = std::atof(m.valueText(7).c_str());
    const double rapidZ = std::atof(m.valueText(8).c_str());
    return std::min(rapid, rapidZ) / 60.0;
}

bool writeSvg(const std::string& output, const std::string& svg) {
    if (output == "-") {
        return std::fwrite(svg.data(), 1, svg.size(), stdout) == svg.size() &&
               std::fflush(stdout) == 0;
    }
    FILE* out = std::fopen(output.c_str(), "wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(svg.data(), 1, svg.size(), out) == svg.size();
    return std::fclose(out) == 0 && written;
}

int runPlot(const PlotOptions& o) {
    const std::string program = printableText(o.program);  // as shown: control bytes escaped
    const std::string output = printableText(o.output);
    const std::size_t dot = o.output.rfind('.');
    if (o.output != "-" && (dot == std::string::npos ||
                            (o.output.substr(dot) != ".svg" && o.output.substr(dot) != ".SVG"))) {
        std::fprintf(stderr,
                     "pulsepost plot: %s: the picture is SVG; name the file .svg, or - for "
                     "standard output\n",
                     output.c_str());
        return 2;
    }
    // The picture must never take the place of the program or of a stream it is drawn from.
    for (const char* extension : {"", "CM", "BRK", "LIM", "EV"}) {
        char path[kPathLimit + 1] = "";
        if (*extension != '\0' && !outputPath(path, o.program.c_str(), extension)) continue;
        const char* input = *extension != '\0' ? path : o.program.c_str();
        if (o.output != "-" && sameFile(o.output.c_str(), input)) {
            std::fprintf(stderr, "pulsepost plot: %s is %s; name another file for the picture\n",
                         output.c_str(),
                         *extension != '\0' ? "one of the program's streams" : "the program");
            return 2;
        }
    }
    MotionScale scale;
    readConfiguredScale(o.configDir.c_str(), scale);
    std::string svg;
    Readback r;
    ReadbackError error;
    if (plotProgram(o.program.c_str(), scale, traverseSpeed(o.configDir), svg, r, error) != 0) {
        std::fprintf(stderr, "pulsepost plot: %s: %s\n", program.c_str(),
                     describeReadbackError(error).c_str());
        return 1;
    }
    if (!writeSvg(o.output, svg)) {
        std::fprintf(stderr, "pulsepost plot: %s cannot be written\n", output.c_str());
        return 1;
    }
    // The note goes to standard error when the picture itself goes to standard output.
    std::fprintf(o.output == "-" ? stderr : stdout,
                 "%s: %.2f s of motion, %d chunks, %zu events drawn into %s\n", program.c_str(),
                 r.motion.motionSeconds, r.motion.chunkCount, r.motion.events.size(),
                 o.output == "-" ? "standard output" : output.c_str());
    return 0;
}

}  // namespace

void registerPlotCommand(CLI::App& app) {
    auto options = std::make_shared<PlotOptions>();
    CLI::App* cmd = app.add_subcommand(
        "plot",
        "Draw the motion the files written beside PROGRAM will make into a self-contained SVG: "
        "the XY toolpath coloured by speed (rapids dashed, events marked), an XZ side view, and "
        "the speed over time with the stops.");
    cmd->add_option("program", options->program, "the part program that was converted")->required();
    cmd->add_option("-o,--output", options->output,
                    "the SVG file to write (.svg), or - for standard output")
        ->required();
    cmd->add_option("--config-dir", options->configDir,
                    "directory of the ZORVAN.CFG the conversion used")
        ->capture_default_str();
    cmd->callback([options]() { commandStatus() = runPlot(*options); });
}

}  // namespace pulsepost::cli
