// Converts every program of a corpus directory with the default configuration, each in its own
// scratch directory and its own process, and checks the written streams with the readback: a
// conversion must complete with valid streams whose motion stays within the LIM bounds and the
// configured speeds, or be refused with a clear reason that the expectations file lists as the
// deliberate outcome for that program. Crashes, hangs, invalid streams and unlisted refusals
// fail. A program that converts with diagnostics (lines not executed as written) is reported as
// warned with them, one that yields no motion as such: neither is called fine, neither fails. The
// expectations file also lists known faults already reported: they are shown on every run but do
// not fail it, and a listed program that passes says so.
//
// Expectations, one per line: NAME <TAB> refused|known-fault <TAB> why.
//
//   pulsepost_corpus_check CORPUS_DIR EXPECTATIONS_FILE [-j N] [--timeout SECONDS] [NAME...]
//
// Exits 77 (skipped) when the corpus directory does not exist.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "config/machine_config.h"
#include "pulsepost/pulsepost.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "report/message_sink.h"

namespace fs = std::filesystem;
using namespace pulsepost;

namespace {

constexpr int kSkipped = 77;

std::string gMessages;
std::string gWarnings;  // the diagnostics, "; "-separated
bool gNoMotion = false;

void keepMessage(int32_t code, const char* text) {
    if (code == MessageCode::Warning) {
        if (std::strncmp(text, "no motion: ", 11) == 0) gNoMotion = true;
        gWarnings += (gWarnings.empty() ? "" : "; ") + std::string(text);
        return;
    }
    char line[512];
    std::snprintf(line, sizeof line, "%s[%d] %s", gMessages.empty() ? "" : "; ", code, text);
    gMessages.append(line);
    while (!gMessages.empty() && (gMessages.back() == '\n' || gMessages.back() == '\r')) {
        gMessages.pop_back();
    }
}

void ignoreProgress(int32_t, int32_t) {}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Expectation {
    bool refused = false;  // the refusal is the deliberate outcome
    std::string why;
};

std::map<std::string, Expectation> readExpectations(const std::string& path) {
    std::map<std::string, Expectation> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        const std::size_t tab2 = line.find('\t', tab + 1);
        if (tab == std::string::npos || tab2 == std::string::npos) continue;
        Expectation e;
        e.refused = line.compare(tab + 1, tab2 - tab - 1, "refused") == 0;
        e.why = line.substr(tab2 + 1);
        out[line.substr(0, tab)] = e;
    }
    return out;
}

constexpr int kKnownFault = 3;  // child exit status: a listed known fault showed again
constexpr int kWarned = 4;      // converted and read back, with diagnostics
constexpr int kNoMotion = 5;    // converted and read back, yields no motion

// Runs in the child: converts, reads back, prints one line. Exit 0 when the outcome is good.
int checkProgram(const fs::path& program, const std::map<std::string, Expectation>& expected) {
    const std::string name = program.filename().string();
    char pattern[] = "/tmp/pulsepost-corpus-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 1;
    const fs::path dir = pattern;
    const fs::path copy = dir / name;
    fs::copy_file(program, copy);
    fs::current_path(dir);
    setMessageSink(&keepMessage);

    const auto start = std::chrono::steady_clock::now();
    const int32_t result = p(copy.c_str(), &ignoreProgress, dir.c_str());
    const double convertSeconds = secondsSince(start);
    const auto found = expected.find(name);
    const Expectation* listed = found != expected.end() ? &found->second : nullptr;
    std::string problem;
    char text[1024];
    if (result != 0) {
        std::snprintf(text, sizeof text, "conversion returned %d: %s", result, gMessages.c_str());
        problem = text;
    }
    MotionSummary m;
    double readSeconds = 0.0;
    if (problem.empty()) {
        MotionScale scale;
        readConfiguredScale(dir.c_str(), scale);
        const double maxSpeed =
            perSecond(std::max({rapidSpeed(), rapidSpeedZ(), feedSpeed(), plungeSpeed()}));
        const double pulse = 1.0 / std::fabs(scale.stepsPerUnit[0]);
        const double slack = 2.0 * pulse * kTicksPerSecond / kRateWindowTicks;
        Readback r;
        ReadbackError error;
        const auto readStart = std::chrono::steady_clock::now();
        const int32_t read = readbackProgram(copy.c_str(), scale, r, error);
        readSeconds = secondsSince(readStart);
        m = r.motion;
        if (read != 0) {
            problem = "invalid stream: " + describeReadbackError(error);
        } else if (!r.findings.empty()) {
            problem = r.findings[0];
        } else if ((optionBits() & kOptionIgnoreFWords) && m.highestSpeed > maxSpeed + slack) {
            std::snprintf(text, sizeof text, "speed %.4f units/s exceeds the configured %.4f",
                          m.highestSpeed, maxSpeed);
            problem = text;
        }
    }
    char line[8192];
    int status = 0;
    if (problem.empty() && !gWarnings.empty()) {
        std::snprintf(line, sizeof line, "%s %s: %.1f s motion, %lld ticks; %s\n",
                      gNoMotion ? "NO MOTION" : "warned", name.c_str(), m.motionSeconds,
                      static_cast<long long>(m.ticks), gWarnings.c_str());
        status = gNoMotion ? kNoMotion : kWarned;
        if (listed && listed->refused) status = 1;
    } else if (problem.empty()) {
        std::snprintf(line, sizeof line,
                      "ok %s: %.1f s motion, %lld ticks, %d chunks, %zu events, %lld CM bytes; "
                      "converted in %.2f s, read back in %.2f s%s\n",
                      name.c_str(), m.motionSeconds, static_cast<long long>(m.ticks), m.chunkCount,
                      m.events.size(), static_cast<long long>(m.cmBytes), convertSeconds,
                      readSeconds, listed ? " (listed in the expectations: remove it)" : "");
        if (listed && listed->refused) status = 1;
    } else if (listed && listed->refused && result != 0) {
        std::snprintf(line, sizeof line, "refused as listed %s: %s\n", name.c_str(),
                      gMessages.c_str());
    } else if (listed && !listed->refused) {
        std::snprintf(line, sizeof line, "KNOWN FAULT %s: %s (listed: %s)\n", name.c_str(),
                      problem.c_str(), listed->why.c_str());
        status = kKnownFault;
    } else {
        std::snprintf(line, sizeof line, "FAILED %s: %s\n", name.c_str(), problem.c_str());
        status = 1;
    }
    if (write(STDOUT_FILENO, line, std::strlen(line)) < 0) status = 1;
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(dir, ignored);
    return status;
}

// The programs of the corpus: those its MANIFEST.tsv lists (first column, after the header), or
// without a manifest every file that is not a conversion's output.
std::vector<fs::path> listPrograms(const fs::path& corpus) {
    std::vector<fs::path> programs;
    std::ifstream manifest(corpus / "MANIFEST.tsv");
    if (manifest) {
        std::string line;
        std::getline(manifest, line);
        while (std::getline(manifest, line)) {
            const std::string name = line.substr(0, line.find('\t'));
            if (!name.empty() && fs::is_regular_file(corpus / name))
                programs.push_back(corpus / name);
        }
        return programs;
    }
    for (const auto& entry : fs::directory_iterator(corpus)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || entry.path().filename().string()[0] == '.' ||
            ext == ".EV" || ext == ".CM" || ext == ".BRK" || ext == ".LIM") {
            continue;
        }
        programs.push_back(entry.path());
    }
    return programs;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s CORPUS_DIR EXPECTATIONS_FILE [-j N] [--timeout S] [NAME...]\n",
                     argv[0]);
        return 2;
    }
    const fs::path corpus = argv[1];
    if (!fs::is_directory(corpus)) {
        std::printf("corpus directory %s not found: skipped\n", corpus.c_str());
        return kSkipped;
    }
    const auto expected = readExpectations(argv[2]);
    int jobs = 2;
    int timeout = 900;
    std::vector<std::string> only;
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-j" && i + 1 < argc) {
            jobs = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--timeout" && i + 1 < argc) {
            timeout = std::max(1, std::atoi(argv[++i]));
        } else {
            only.push_back(a);
        }
    }
    std::vector<fs::path> programs = listPrograms(corpus);
    if (!only.empty()) {
        std::erase_if(programs, [&only](const fs::path& p) {
            return std::find(only.begin(), only.end(), p.filename().string()) == only.end();
        });
    }
    std::sort(programs.begin(), programs.end());
    std::fflush(stdout);

    struct Running {
        pid_t pid;
        std::string name;
        std::chrono::steady_clock::time_point start;
    };
    std::vector<Running> running;
    int passed = 0;
    int failed = 0;
    int known = 0;
    int warned = 0;
    int noMotion = 0;
    std::size_t next = 0;
    const auto start = std::chrono::steady_clock::now();
    while (next < programs.size() || !running.empty()) {
        while (next < programs.size() && static_cast<int>(running.size()) < jobs) {
            const fs::path program = programs[next++];
            const pid_t pid = fork();
            if (pid == 0) _exit(checkProgram(program, expected));
            running.push_back({pid, program.filename().string(), std::chrono::steady_clock::now()});
        }
        int status = 0;
        const pid_t done = waitpid(-1, &status, WNOHANG);
        if (done <= 0) {
            for (Running& r : running) {
                if (secondsSince(r.start) > timeout) {
                    std::printf("FAILED %s: no result after %d s (killed)\n", r.name.c_str(),
                                timeout);
                    std::fflush(stdout);
                    kill(r.pid, SIGKILL);
                    r.start = std::chrono::steady_clock::now() + std::chrono::hours(24);
                }
            }
            usleep(20000);
            continue;
        }
        const auto it = std::find_if(running.begin(), running.end(),
                                     [done](const Running& r) { return r.pid == done; });
        if (it == running.end()) continue;
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            ++passed;
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == kKnownFault) {
            ++known;
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == kWarned) {
            ++warned;
        } else if (WIFEXITED(status) && WEXITSTATUS(status) == kNoMotion) {
            ++noMotion;
        } else {
            ++failed;
            if (WIFSIGNALED(status) && WTERMSIG(status) != SIGKILL) {
                std::printf("FAILED %s: crashed with signal %d\n", it->name.c_str(),
                            WTERMSIG(status));
                std::fflush(stdout);
            }
        }
        running.erase(it);
    }
    std::printf("corpus: %zu programs in %.1f s; %d known faults listed in %s\n", programs.size(),
                secondsSince(start), known, argv[2]);
    std::printf(
        "%d passed without diagnostics, %d with diagnostics, %d without motion, %d failed\n",
        passed, warned, noMotion, failed);
    return failed == 0 ? 0 : 1;
}
