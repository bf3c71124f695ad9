// `pulsepost plot PROGRAM -o FILE.svg`: a picture of the motion the streams written beside the
// program will make: the XY toolpath coloured by speed with rapids dashed and events marked, an
// XZ side view, and the speed over time with every stop visible.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "commands.h"
#include "readback/configured_scale.h"
#include "readback/motion_plot.h"

namespace pulsepost::cli {

namespace {

struct PlotOptions {
    std::string program;
    std::string output;
    std::string configDir = ".";
};

int runPlot(const PlotOptions& o) {
    MotionScale scale;
    readConfiguredScale(o.configDir.c_str(), scale);
    std::string svg;
    Readback r;
    ReadbackError error;
    if (plotProgram(o.program.c_str(), scale, svg, r, error) != 0) {
        std::fprintf(stderr, "pulsepost plot: %s: %s\n", o.program.c_str(),
                     describeReadbackError(error).c_str());
        return 1;
    }
    FILE* out = std::fopen(o.output.c_str(), "wb");
    if (out == nullptr || std::fwrite(svg.data(), 1, svg.size(), out) != svg.size()) {
        std::fprintf(stderr, "pulsepost plot: %s cannot be written\n", o.output.c_str());
        if (out) std::fclose(out);
        return 1;
    }
    if (std::fclose(out) != 0) {
        std::fprintf(stderr, "pulsepost plot: %s cannot be written\n", o.output.c_str());
        return 1;
    }
    std::printf("%s: %.2f s of motion, %d chunks, %zu events drawn into %s\n", o.program.c_str(),
                r.motion.motionSeconds, r.motion.chunkCount, r.motion.events.size(),
                o.output.c_str());
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
    cmd->add_option("-o,--output", options->output, "the SVG file to write")->required();
    cmd->add_option("--config-dir", options->configDir,
                    "directory of the ZORVAN.CFG the conversion used")
        ->capture_default_str();
    cmd->callback([options]() { commandStatus() = runPlot(*options); });
}

}  // namespace pulsepost::cli
