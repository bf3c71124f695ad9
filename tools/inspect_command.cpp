// `pulsepost inspect PROGRAM`: reads back the streams a conversion wrote beside the program,
// checks them against each other and prints what a machinist checks before running them.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "commands.h"
#include "pulsepost/pulsepost.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "readback/readback_error.h"
#include "readback/summary_text.h"

namespace pulsepost::cli {

namespace {

const char* const kAxisNames[4] = {"X", "Y", "Z", "A"};

// Raised when a field of the JSON changes meaning or goes away (new fields keep it).
constexpr int kJsonSchemaVersion = 1;

struct InspectOptions {
    std::vector<std::string> programs;
    std::string configDir = ".";
    bool json = false;
    bool program = false;  // also read the program itself and show its diagnostics
    std::string units;     // with program: the machine's unit the conversion ran with
};

std::vector<std::string> gDiagnostics;  // the messages of the program's read, in order

void keepDiagnostic(int32_t code, const char* text) {
    gDiagnostics.push_back(code == PULSEPOST_MESSAGE_WARNING ? std::string(text)
                                                             : "error: " + std::string(text));
}

// The program's diagnostics, as a conversion with the configuration of configDir reports them.
std::vector<std::string> programDiagnostics(const std::string& program, const InspectOptions& o) {
    gDiagnostics.clear();
    pulsepost_set_message_sink(keepDiagnostic);
    pulsepost_check_program(program.c_str(), o.configDir.c_str());
    pulsepost_set_message_sink(nullptr);
    return gDiagnostics;
}

double secondsAt(int64_t tick) {
    return static_cast<double>(tick) / kTicksPerSecond;
}

nlohmann::json eventJson(const MotionEvent& e) {
    return {{"tick", e.tick},
            {"seconds", secondsAt(e.tick)},
            {"kind", e.isMark ? "mark" : brkEntryName(e.entry.kind)},
            {"text", e.text},
            {"position", {e.position.x, e.position.y, e.position.z, e.position.a}}};
}

nlohmann::json excessesJson(const std::vector<StepExcess>& kept, int64_t count) {
    nlohmann::json first = nlohmann::json::array();
    for (const StepExcess& e : kept) {
        first.push_back({{"tick", e.tick},
                         {"seconds", secondsAt(e.tick)},
                         {"output", e.output},
                         {"axis", kAxisNames[e.axis]},
                         {"pulses", e.pulses},
                         {"boundPulses", e.bound},
                         {"position", {e.position.x, e.position.y, e.position.z, e.position.a}}});
    }
    return {{"count", count}, {"first", first}};
}

nlohmann::json readbackJson(const Readback& r, const std::string& program, const InspectOptions& o,
                            const MotionScale& scale, bool configRead) {
    const MotionSummary& m = r.motion;
    nlohmann::json j;
    j["schemaVersion"] = kJsonSchemaVersion;
    j["pulsepostVersion"] = pulsepost_version();
    j["units"] = {{"length", "the machine's unit, which the pulses per unit are given in"},
                  {"time", "s"},
                  {"tick", "1/643 s"},
                  {"speed", "length per second unless the name says per minute"}};
    j["program"] = program;
    j["valid"] = true;
    j["configuration"] = {{"directory", o.configDir},
                          {"read", configRead},
                          {"pulsesPerUnit",
                           {scale.stepsPerUnit[0], scale.stepsPerUnit[1], scale.stepsPerUnit[2],
                            scale.stepsPerUnit[3]}},
                          {"swapXY", scale.swapXY},
                          {"topSpeed", scale.topSpeed},
                          {"acceleration", scale.acceleration}};
    j["streams"] = {{"cmBytes", m.cmBytes},
                    {"brkBytes", m.brkBytes},
                    {"lim", r.hasLim},
                    {"evLines", r.hasEv ? nlohmann::json(r.ev.size()) : nlohmann::json()}};
    j["hasMotion"] = m.hasMotion;
    j["ticks"] = m.ticks;
    j["motionSeconds"] = m.motionSeconds;
    nlohmann::json outputs = nlohmann::json::array();
    for (int k = 0; k < 4; ++k) {
        if (!m.layout.enabled[k]) continue;
        outputs.push_back({{"output", k},
                           {"axis", kAxisNames[m.layout.axis[k]]},
                           {"sign", m.layout.sign[k]},
                           {"pulsesPerUnit", m.layout.scale[k]},
                           {"largestStep", m.largestStep[k]},
                           {"largestStepSeconds", secondsAt(m.largestStepTick[k])},
                           {"stepBoundPulses", m.stepLimits.stepBound[k]},
                           {"stepChangeBoundPulses", m.stepLimits.changeBound[k]}});
    }
    j["outputByte"] = m.outputByte;
    j["outputs"] = outputs;
    j["chunks"] = {{"count", m.chunkCount},
                   {"largestBytes", m.largestChunkBytes},
                   {"largestIndex", m.largestChunkIndex + 1}};
    nlohmann::json axes = nlohmann::json::object();
    for (int a = 0; a < 4; ++a) {
        if (!m.axes[a].enabled) continue;
        axes[kAxisNames[a]] = {{"travel", m.axes[a].travel},
                               {"min", m.axes[a].min},
                               {"max", m.axes[a].max},
                               {"final", m.axes[a].final}};
    }
    j["axes"] = axes;
    if (r.hasLim) {
        j["lim"] = {{"minX", r.lim.minX}, {"maxX", r.lim.maxX}, {"minY", r.lim.minY},
                    {"maxY", r.lim.maxY}, {"minZ", r.lim.minZ}, {"maxZ", r.lim.maxZ}};
    }
    j["rapids"] = {{"count", m.rapidCount}, {"travel", m.rapidTravel}, {"seconds", m.rapidSeconds}};
    j["highestSpeed"] = {{"unitsPerSecond", m.highestSpeed},
                         {"unitsPerMinute", perMinute(m.highestSpeed)},
                         {"seconds", secondsAt(m.highestSpeedTick)},
                         {"windowTicks", m.rateWindowTicks}};
    j["highestAcceleration"] = {{"unitsPerSecondSquared", m.highestAcceleration},
                                {"seconds", secondsAt(m.highestAccelerationTick)},
                                {"windowTicks", kRateWindowTicks}};
    const StepLimitCheck& limits = m.stepLimits;
    j["stepsAboveTopSpeed"] = excessesJson(limits.steps, limits.stepCount);
    j["stepChangesAboveAcceleration"] = excessesJson(limits.changes, limits.changeCount);
    nlohmann::json events = nlohmann::json::array();
    for (const MotionEvent& e : m.events)
        events.push_back(eventJson(e));
    j["events"] = events;
    j["findings"] = r.findings;
    return j;
}

// One program: its summary, or the reason it does not read back. 0 when it reads back.
int inspectOne(const std::string& program, const InspectOptions& o, const MotionScale& scale,
               bool configRead, nlohmann::json& json) {
    Readback r;
    ReadbackError error;
    if (readbackProgram(program.c_str(), scale, r, error) != 0) {
        json = {{"schemaVersion", kJsonSchemaVersion},
                {"program", program},
                {"valid", false},
                {"error",
                 {{"file", error.file}, {"offset", error.offset}, {"message", error.message}}}};
        std::fprintf(stderr, "pulsepost inspect: %s: %s\n", printableText(program).c_str(),
                     describeReadbackError(error).c_str());
        return 1;
    }
    const std::vector<std::string> diagnostics =
        o.program ? programDiagnostics(program, o) : std::vector<std::string>{};
    if (o.json) {
        json = readbackJson(r, program, o, scale, configRead);
        if (o.program) json["diagnostics"] = diagnostics;
    } else {
        std::fputs(formatReadbackSummary(r, printableText(program)).c_str(), stdout);
        if (o.program && diagnostics.empty()) std::fputs("diagnostics  none\n", stdout);
        for (const std::string& d : diagnostics)
            std::printf("diagnostic   %s\n", printableText(d).c_str());
    }
    return 0;
}

// Several programs: the summaries one after the other, or with --json an array of the objects
// one program gives. The status is 1 when any does not read back.
int runInspect(const InspectOptions& o) {
    if (!o.units.empty()) pulsepost_declare_unit(o.units.c_str());
    MotionScale scale;
    const bool configRead = readConfiguredScale(o.configDir.c_str(), scale);
    if (!configRead && !o.json) {
        std::printf("configuration  %s/ZORVAN.CFG missing or damaged: default scale used\n",
                    o.configDir.c_str());
    }
    int failed = 0;
    nlohmann::json all = nlohmann::json::array();
    for (std::size_t i = 0; i < o.programs.size(); ++i) {
        if (i > 0 && !o.json) std::fputs("\n", stdout);
        nlohmann::json one;
        failed += inspectOne(o.programs[i], o, scale, configRead, one);
        all.push_back(one);
    }
    if (o.json) {
        const nlohmann::json& shown = o.programs.size() == 1 ? all[0] : all;
        // Paths and quoted file text may hold bytes that are not UTF-8: they become U+FFFD, so
        // that the output is always valid JSON.
        std::printf("%s\n",
                    shown.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace

void registerInspectCommand(CLI::App& app) {
    auto options = std::make_shared<InspectOptions>();
    CLI::App* cmd = app.add_subcommand(
        "inspect",
        "Read back the CM, BRK, LIM and EV files written beside each PROGRAM, check that they "
        "agree, "
        "and summarise the motion: time, travel and extremes per axis, chunks, events, largest "
        "steps, highest speed and acceleration. Exits with 1 and a one-line reason when a "
        "stream is invalid.");
    cmd->add_option("PROGRAM", options->programs, "the part programs that were converted")
        ->required();
    cmd->add_option("--config-dir", options->configDir,
                    "directory of the ZORVAN.CFG the conversion used (pulses per unit, X/Y swap)")
        ->capture_default_str();
    cmd->add_flag("--program", options->program,
                  "also read each program as the conversion does and list its diagnostics: what "
                  "the dialect did not execute as written, or no motion");
    cmd->add_option("--units", options->units,
                    "with --program: the machine's unit the conversion was declared with (in or "
                    "mm), in place of params.cfg's")
        ->check(CLI::IsMember({"in", "mm"}));
    cmd->add_flag("--json", options->json,
                  "print the summary as JSON (an array of them for several programs)");
    cmd->callback([options]() { commandStatus() = runInspect(*options); });
}

}  // namespace pulsepost::cli
