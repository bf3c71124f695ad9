// `pulsepost convert PROGRAM... [--config-dir DIR] [-j N]`: converts each part program with the
// library's entry point p, shows the progress and the library's messages, and prints a summary
// of the files written. One process runs one conversion at a time (the library keeps the running
// conversion in process-wide state), so -j N converts in N worker processes.
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "conversion_summary.h"
#include "platform/files.h"
#include "pulsepost/pulsepost.h"
#include "readback/readback_error.h"

namespace pulsepost::cli {

namespace {

constexpr const char* kConvertHelp = R"(Part programs
  One block per line. Everything after the first of * ( % / ; is ignored, however long the line
  (it is read in 127-byte pieces). Words are a letter and a number, anywhere in the line
  (G1X10Y5 and G1 X10 Y5 are the same); lower-case letters read as upper case, keywords included
  (g1 x10 is G1 X10, waitforon2 is WAITFORON2).
  G0 rapid move          G1 feed move          G2/G3 arc clockwise/counter-clockwise, centre
  G4Pn dwell             G17/G18/G19 plane     from I J K (incremental to the start point)
  G90/G91 absolute/incremental                 G92 set the current position
  G2/G3 with R and no I J K: centre from the radius (R > 0 the arc of at most a half turn,
  R < 0 the longer one; an end more than 2R away is refused). An arc that ends within a tenth
  of a pulse of its start is a full circle; an A word on an arc turns A linearly along it.
  G2/G3 with a move along the plane's axis (Z in G17, Y in G18, X in G19) is a helix.
  G91.1 (I J K relative to the start, as always here) leaves the coordinates absolute.
  G20/G21 inches/millimetres: scaled to the machine's unit when it is declared (params.cfg
  line 5, or --units), every length word (coordinates, I J K R, cycle heights, pecks, F) but A;
  undeclared, lengths stay as written.
  G81 G82 G84 G85 G89 drilling cycles, G83 G86 G87 G88 peck cycles (X Y hole, Z depth,
  R retract plane, Q first peck, V further pecks, W clearance), G80 cancels. A cycle drills
  along Z, R and Z machine heights whatever the plane, G91 or G92 (reported when one applies).
  G73 is not executed: its lines drill no hole (reported).
  M0 pause   M3/M4 spindle on   M5 off   M6 Tn tool change   M7/M8 coolant on   M9 off
  M2/M30 end the program: the lines after them are not executed.
  M50/M51 ATp OUTn announce output n on/off at p per cent of the next move (EV file)
  M90/M91 OUTn output n off/on   M57,v auxiliary value   Sn spindle speed
  WAITFORONn / WAITFOROFFn wait for input n.  F feed in units per minute (unless the
  configuration ignores F words).
  Where the controller reads differently: it reads the text after ; as words and the rest of
  a comment past a 127-byte piece as words, ignores lower-case letters, skips R arcs, runs the
  lines after M2/M30, may cut nothing for a full circle with G2, refuses arcs with an A word,
  ignores G20/G21, and reads G91.1 as G91. Each of these readings is reported when it changes
  what runs; a program written for the controller holds none of them.

Files written beside each program (plate.nc gives plate.CM ...; a name without "." gets the
extension appended)
  .CM   pulse stream: one step word per enabled motor output, 643 ticks per second
  .BRK  break stream: rapid moves and machine events in path order, chunks of the CM stream
  .LIM  program bounds: max X, max Y, min X, min Y, max Z, min Z
  .EV   output events announced with M50/M51
  timeMem.txt (current directory): timing of the last conversion

Configuration
  ZORVAN.CFG and params.cfg in --config-dir, created with the defaults when missing. An
  optional fifth line of params.cfg, in or mm, declares the machine's unit (--units overrides
  it for the run).
  FILTER.CFG in the current directory is applied once when ZORVAN.CFG is re-created.

Diagnostics
  What the dialect does not execute as written is reported on standard error under the
  program's summary, once per kind with its first line and a count: G and M codes without a
  meaning here (each named), G codes with a fraction read as their whole number (G92.1 as G92),
  lines in the G73 mode, cycles in G18/G19, G91 or under a G92 Z offset, lower-case letters
  (read as upper case), # parameters, [ ] expressions and O, L, B, C, D, E, H, U words (never
  read), a dwell written as G4 P500 (dwells 0: write G4P500), letters without a number (the A of
  WAITFORON or AT reads as A0), F words ignored by the configuration, words for an axis with 0
  pulses per unit, G20/G21 (scaled, or with the unit undeclared left as written), the readings
  above that differ from the controller's, and a program that yields no motion. They do not
  change the files; --strict refuses such programs.

Exit status: 0 when every program converted; 1 when any failed, was refused (also by --strict)
or was aborted with Esc (pressed in the terminal during a conversion).)";

constexpr const char* kStageNames[6] = {"reading",  "fillets", "distances",
                                        "planning", "profile", "pulses"};
constexpr int kBarWidth = 30;

// What the callbacks of the running conversion need (p gives them no context).
struct RunningConversion {
    std::string program;
    bool showBar = false;
    bool barDrawn = false;
    int lastStage = -1;
    int lastPercent = -1;
    bool sawPlanning = false;
    bool sawFinal = false;
    std::vector<std::string> warnings;  // the library's diagnostics, one per kind
    unsigned long long occurrences = 0;
    std::string noMotion;  // "no motion: <reason>" when the program yields none
};
RunningConversion gRun;

void clearBar() {
    if (!gRun.barDrawn) return;
    std::fputs("\r\033[K", stderr);
    gRun.barDrawn = false;
}

void PULSEPOST_CALL onProgress(int32_t stage, int32_t percent) {
    if (stage >= 3) gRun.sawPlanning = true;
    if (stage == 5 && percent == 100) gRun.sawFinal = true;
    if (!gRun.showBar || (stage == gRun.lastStage && percent == gRun.lastPercent)) return;
    gRun.lastStage = stage;
    gRun.lastPercent = percent;
    const int filled = percent * kBarWidth / 100;
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    const char* name = stage >= 0 && stage < 6 ? kStageNames[stage] : "?";
    std::fprintf(stderr, "\r\033[K%d/6 %-9s [%s] %3d%%  %s", stage + 1, name, bar, percent,
                 gRun.program.c_str());
    std::fflush(stderr);
    gRun.barDrawn = true;
}

const char* codeName(int32_t code) {
    if (code >= 1 && code <= 6) return "out of memory";
    if (code == 7) return "cannot open file";
    if (code == 8) return "refused";
    if (code == 9) return "write failed";
    return "message";
}

// A warning's text ends with its count: "(N times)" or "(1 time)".
unsigned long long occurrencesOf(const char* text) {
    const char* open = std::strrchr(text, '(');
    return open ? std::strtoull(open + 1, nullptr, 10) : 1;
}

void onMessage(int32_t code, const char* text) {
    if (code == PULSEPOST_MESSAGE_WARNING) {
        if (std::strncmp(text, "no motion: ", 11) == 0) {
            gRun.noMotion = text;
        } else {
            gRun.occurrences += occurrencesOf(text);
        }
        gRun.warnings.emplace_back(text);
        return;
    }
    clearBar();
    std::fprintf(stderr, "pulsepost: %s: %s: %s\n", gRun.program.c_str(), codeName(code),
                 printableText(text).c_str());
    std::fflush(stderr);
}

// Ctrl-C (SIGINT) and SIGTERM end the running conversion as Esc does, at its next progress
// check; its pulse and break streams are then emptied, so that no controller plays a stream that
// stops in the middle of a move, no further program is started, and the exit status is 130.
constexpr int kInterruptedStatus = 130;
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void onInterrupt(int) {
    gInterrupted = 1;
    pulsepost_request_abort();
}

void handleInterrupts() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// The streams of an interrupted conversion: emptied whatever stage it reached.
void emptyInterruptedStreams(const std::string& program) {
    for (const char* extension : {"CM", "BRK"}) {
        char path[kPathLimit + 1];
        if (outputPath(path, program.c_str(), extension)) truncateIfExists(path);
    }
    std::fprintf(stderr, "pulsepost: %s: interrupted; its CM and BRK files are left empty\n",
                 printableText(program).c_str());
}

struct ConvertOptions {
    std::vector<std::string> programs;
    std::string configDir = ".";
    int jobs = 1;
    bool quiet = false;
    bool strict = false;
    std::string units;  // "in" or "mm": the machine's unit for this run; empty: params.cfg's
};

// Under --strict a conversion with diagnostics leaves no playable stream: its CM and BRK files
// are emptied, as the library empties them after a refusal.
void emptyStreams(const std::string& program) {
    for (const char* extension : {"CM", "BRK"}) {
        char path[kPathLimit + 1];
        if (!outputPath(path, program.c_str(), extension)) continue;
        if (FILE* f = std::fopen(path, "wb")) std::fclose(f);
    }
}

// The diagnostics under the summary, on standard error; -q keeps their counts only.
void printWarnings(const std::string& program, bool quiet) {
    if (gRun.warnings.empty()) return;
    if (quiet) {
        const std::size_t kinds = gRun.warnings.size() - (gRun.noMotion.empty() ? 0 : 1);
        std::fprintf(stderr,
                     "%s: %zu kind%s of diagnostics, %llu lines not executed as written%s\n",
                     printableText(program).c_str(), kinds, kinds == 1 ? "" : "s", gRun.occurrences,
                     gRun.noMotion.empty() ? "" : ", no motion");
    } else {
        for (const std::string& w : gRun.warnings)
            std::fprintf(stderr, "  warning %s\n", printableText(w).c_str());
    }
    std::fflush(stderr);
}

// Converts one program and prints its summary in one write. 0 when it converted.
int convertOne(const std::string& program, const ConvertOptions& o, bool showBar) {
    gRun = RunningConversion{};
    gRun.program = printableText(program);  // as shown: control bytes escaped
    gRun.showBar = showBar;
    pulsepost_set_message_sink(onMessage);
    const auto start = std::chrono::steady_clock::now();
    const int32_t result = p(program.c_str(), onProgress, o.configDir.c_str());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    clearBar();
    pulsepost_set_message_sink(nullptr);
    if (gInterrupted != 0) {
        emptyInterruptedStreams(program);
        return kInterruptedStatus;
    }
    const bool aborted = result == 0 && gRun.sawPlanning && !gRun.sawFinal;
    const bool strictRefused = o.strict && result == 0 && !gRun.warnings.empty();
    if (strictRefused) emptyStreams(program);
    if (!o.quiet || result != 0 || aborted || strictRefused) {
        ConversionSummary summary =
            summarizeConversion(program, o.configDir, result, aborted, elapsed.count());
        summary.strictRefused = strictRefused;
        summary.noMotion = gRun.noMotion;
        summary.diagnosticKinds = gRun.warnings.size() - (gRun.noMotion.empty() ? 0 : 1);
        summary.diagnosticLines = gRun.occurrences;
        const std::string text = formatSummary(summary);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fflush(stdout);
    }
    printWarnings(program, o.quiet);
    return result != 0 || aborted || strictRefused ? 1 : 0;
}

struct Worker {
    std::size_t program = 0;
    int summary = -1;          // read end of the pipe the worker writes its summary into
    FILE* messages = nullptr;  // the worker's standard error: its diagnostics and messages
};

// The parent's progress line on a terminal: programs done of all, and which are running.
void drawWorkerProgress(bool show, std::size_t done, std::size_t total,
                        const std::map<pid_t, Worker>& running) {
    if (!show) return;
    std::fprintf(stderr, "\r\033[K%zu of %zu programs done, %zu converting", done, total,
                 running.size());
    std::fflush(stderr);
}

// Copies what a finished worker wrote to the parent's streams: its summary (a few lines) to
// standard output, then its messages and diagnostics to standard error, so that they stand
// under their program's summary as they do without workers. The messages go through an unnamed
// temporary file rather than a pipe, so that a worker with many of them never waits for the
// parent to read.
void forwardWorkerOutput(const Worker& worker) {
    char buffer[4096];
    ssize_t n;
    while ((n = read(worker.summary, buffer, sizeof buffer)) > 0)
        std::fwrite(buffer, 1, static_cast<std::size_t>(n), stdout);
    close(worker.summary);
    std::fflush(stdout);
    if (worker.messages == nullptr) return;
    std::rewind(worker.messages);
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, worker.messages)) > 0)
        std::fwrite(buffer, 1, got, stderr);
    std::fclose(worker.messages);
    std::fflush(stderr);
}

// Up to jobs worker processes, one program each. Each worker writes its summary into a pipe that
// the parent copies out when the worker ends, so that on a terminal the parent's progress line is
// cleared before and drawn again after each summary.
int convertInWorkers(const ConvertOptions& o) {
    const bool show = isatty(fileno(stderr)) != 0;
    std::map<pid_t, Worker> running;
    std::size_t next = 0;
    std::size_t done = 0;
    int failed = 0;
    while ((next < o.programs.size() && gInterrupted == 0) || !running.empty()) {
        while (static_cast<int>(running.size()) < o.jobs && next < o.programs.size() &&
               gInterrupted == 0) {
            std::fflush(stdout);
            std::fflush(stderr);
            int fds[2] = {-1, -1};
            FILE* messages = std::tmpfile();
            const pid_t pid = pipe(fds) == 0 ? fork() : -1;
            if (pid == 0) {
                close(fds[0]);
                dup2(fds[1], fileno(stdout));
                close(fds[1]);
                if (messages != nullptr) dup2(fileno(messages), fileno(stderr));
                const int status = convertOne(o.programs[next], o, false);
                std::fflush(nullptr);
                _exit(status);
            }
            if (pid < 0) {
                if (fds[0] >= 0) {
                    close(fds[0]);
                    close(fds[1]);
                }
                if (messages != nullptr) std::fclose(messages);
                failed += convertOne(o.programs[next], o, false) != 0;  // no worker: here
                done += 1;
            } else {
                close(fds[1]);
                running[pid] = Worker{next, fds[0], messages};
            }
            next += 1;
            drawWorkerProgress(show, done, o.programs.size(), running);
        }
        if (running.empty()) continue;
        int status = 0;
        const pid_t pid = wait(&status);
        if (pid < 0 && errno == EINTR) continue;  // interrupted: the workers end on their own
        if (pid < 0) break;
        const auto worker = running.find(pid);
        if (worker == running.end()) continue;
        if (show) std::fputs("\r\033[K", stderr);
        forwardWorkerOutput(worker->second);
        running.erase(worker);
        done += 1;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) failed += 1;
        drawWorkerProgress(show, done, o.programs.size(), running);
    }
    if (show) std::fputs("\r\033[K", stderr);
    return failed;
}

// Two programs whose output files are the same files (a.nc and a.tap both write a.CM ...) would
// overwrite each other; such a run is refused before anything is converted. Empty when none.
std::string sharedOutputs(const std::vector<std::string>& programs) {
    std::map<std::string, std::string> writer;  // CM path as the file system names it -> program
    for (const std::string& program : programs) {
        char path[kPathLimit + 1];
        if (!outputPath(path, program.c_str(), "CM")) continue;
        std::error_code ignored;
        const std::string key =
            std::filesystem::weakly_canonical(std::filesystem::absolute(path, ignored), ignored)
                .string();
        const auto [at, fresh] = writer.emplace(key.empty() ? path : key, program);
        if (!fresh) {
            return at->second + " and " + program + " both write " + path +
                   " and its BRK, LIM and EV files; convert them in separate runs";
        }
    }
    return "";
}

int runConvert(const ConvertOptions& o) {
    const std::string shared = sharedOutputs(o.programs);
    if (!shared.empty()) {
        std::fprintf(stderr, "pulsepost convert: %s\n", printableText(shared).c_str());
        return 2;
    }
    if (!o.units.empty() && pulsepost_declare_unit(o.units.c_str()) != 0) {
        std::fprintf(stderr, "pulsepost convert: the unit %s cannot be declared\n",
                     o.units.c_str());
        return 2;
    }
    handleInterrupts();
    int failed = 0;
    if (o.jobs <= 1 || o.programs.size() == 1) {
        const bool bar = isatty(fileno(stderr)) != 0;
        for (const std::string& program : o.programs) {
            if (gInterrupted != 0) break;
            failed += convertOne(program, o, bar) != 0;
        }
    } else {
        failed = convertInWorkers(o);
    }
    if (gInterrupted != 0) return kInterruptedStatus;
    if (o.programs.size() > 1) {
        std::printf("pulsepost: %zu of %zu programs converted\n", o.programs.size() - failed,
                    o.programs.size());
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace

void registerConvertCommand(CLI::App& app) {
    static ConvertOptions options;
    CLI::App* convert = app.add_subcommand(
        "convert", "Convert part programs into CM, BRK, LIM and EV files beside each program");
    convert->add_option("PROGRAM", options.programs, "G-code part programs")->required();
    convert
        ->add_option("--config-dir", options.configDir,
                     "Directory of ZORVAN.CFG and params.cfg (default: the current directory)")
        ->check(CLI::ExistingDirectory);
    convert->add_option("-j,--jobs", options.jobs, "Convert in N worker processes at once")
        ->check(CLI::Range(1, 256));
    convert
        ->add_option("--units", options.units,
                     "The machine's unit for this run (in or mm), in place of params.cfg's: G20 "
                     "and G21 programs are scaled to it")
        ->check(CLI::IsMember({"in", "mm"}));
    convert->add_flag("-q,--quiet", options.quiet,
                      "Print only the programs that did not convert, and the count of diagnostics");
    convert->add_flag("--strict", options.strict,
                      "Refuse every program with a diagnostic (a line not executed as written, or "
                      "no motion): exit status 1 and empty CM and BRK files");
    convert->footer(kConvertHelp);
    convert->callback([] { commandStatus() = runConvert(options); });
}

}  // namespace pulsepost::cli
