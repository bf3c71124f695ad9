#include "fuzz_support.h"

#include <dirent.h>
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "config/machine_config_layout.h"
#include "platform/console.h"
#include "report/message_sink.h"
#include "store/paged_store.h"

namespace pulsepost::fuzzing {

void setSmallMachine(MachineConfig& c) {
    c.stepsPerUnit[0] = 1000.0;
    c.stepsPerUnit[1] = 1000.0;
    c.stepsPerUnit[2] = 1000.0;
    c.stepsPerUnit[3] = 500.0;
    c.rapidSpeed = 6000.0;
    c.rapidSpeedZ = 3000.0;
    c.feedSpeed = 3000.0;
    c.plungeSpeed = 1200.0;
    c.acceleration = 500.0;
    c.optionBits = 0x40;
}

namespace {

std::string gScratch;

void removeScratch() {
    std::error_code ignored;
    if (!gScratch.empty()) std::filesystem::remove_all(gScratch, ignored);
}

}  // namespace

const std::string& scratchDirectory() {
    if (gScratch.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pulsepost-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) propertyBroken("cannot make a scratch directory");
        gScratch = pattern;
        std::atexit(removeScratch);
        if (chdir(gScratch.c_str()) != 0) propertyBroken("cannot enter %s", gScratch.c_str());
    }
    return gScratch;
}

std::string scratchFile(const char* name) {
    return scratchDirectory() + "/" + name;
}

void writeInput(const std::string& path, const uint8_t* data, std::size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) propertyBroken("cannot create %s", path.c_str());
    if (size > 0 && std::fwrite(data, 1, size, file) != size) propertyBroken("short write");
    if (std::fclose(file) != 0) propertyBroken("cannot close %s", path.c_str());
}

void propertyBroken(const char* format, ...) {
    std::fputs("\nPROPERTY BROKEN: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}

namespace {

struct PageBudgetExceeded {};

// Store pages are kept for reuse across runs: a fresh 76 MB allocation under AddressSanitizer
// costs more than a whole small conversion.
struct PagePool {
    struct Page {
        void* memory;
        std::size_t bytes;
    };
    Page idle[2 * kMaxPages] = {};
    int idleCount = 0;
    Page inUse[2 * kMaxPages] = {};
    int inUseCount = 0;
};

struct RunState {
    RunBudget budget;
    RunOutcome outcome;
    std::chrono::steady_clock::time_point deadline;
    int pagesAllocated = 0;
};

RunState gRun;
PagePool gPool;

void* budgetedPage(std::size_t bytes) {
    if (gRun.pagesAllocated >= gRun.budget.maxPages) {
        // p turns every exception into a refusal; the flag tells the run what really happened.
        gRun.outcome.overBudget = true;
        throw PageBudgetExceeded{};
    }
    gRun.pagesAllocated += 1;
    void* memory = nullptr;
    for (int i = 0; i < gPool.idleCount; ++i) {
        if (gPool.idle[i].bytes == bytes) {
            memory = gPool.idle[i].memory;
            gPool.idle[i] = gPool.idle[--gPool.idleCount];
            break;
        }
    }
    if (memory == nullptr) memory = std::malloc(bytes);
    if (memory != nullptr) gPool.inUse[gPool.inUseCount++] = {memory, bytes};
    return memory;
}

void releaseToPool(void* page) {
    for (int i = 0; i < gPool.inUseCount; ++i) {
        if (gPool.inUse[i].memory == page) {
            gPool.idle[gPool.idleCount++] = gPool.inUse[i];
            gPool.inUse[i] = gPool.inUse[--gPool.inUseCount];
            return;
        }
    }
    propertyBroken("a store page released twice or never allocated");
}

void recordMessage(int32_t code, const char* text) {
    if (code == MessageCode::Refused) gRun.outcome.refusals += 1;
    if (code == MessageCode::FileOpen) gRun.outcome.fileFailures += 1;
    if (code >= 1 && code <= 6) gRun.outcome.storeFailures += 1;
    gRun.outcome.lastMessage = text != nullptr ? text : "";
}

bool pastDeadline() {
    return std::chrono::steady_clock::now() > gRun.deadline;
}

int keyWaiting(void*) {
    return pastDeadline() ? 1 : 0;
}

int readKey(void*) {
    if (!pastDeadline()) return 0;
    gRun.outcome.escaped = true;
    return kEscKey;
}

std::set<int> openDescriptors() {
    std::set<int> fds;
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr) return fds;
    const int own = dirfd(dir);
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        const int fd = std::atoi(entry->d_name);
        if (fd != own) fds.insert(fd);
    }
    closedir(dir);
    return fds;
}

}  // namespace

RunOutcome guardedRun(const RunBudget& budget, void (*conversion)(void* context), void* context) {
    gRun.budget = budget;
    gRun.outcome = RunOutcome{};
    gRun.pagesAllocated = 0;
    gRun.deadline = std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double>(budget.maxSeconds));
    const std::set<int> before = openDescriptors();
    const KeySource keys{&keyWaiting, &readKey, nullptr};
    setKeySource(&keys);
    setMessageSink(&recordMessage);
    setPageAllocator(&budgetedPage);
    setPageReleaser(&releaseToPool);

    __lsan_disable();
    try {
        conversion(context);
    } catch (const PageBudgetExceeded&) {
        gRun.outcome.overBudget = true;
    }
    __lsan_enable();

    setPageAllocator(nullptr);
    setPageReleaser(nullptr);
    setMessageSink(nullptr);
    setKeySource(nullptr);

    std::set<int> after = openDescriptors();
    for (int fd : before)
        after.erase(fd);
    if (gRun.outcome.overBudget) {
        while (gPool.inUseCount > 0)
            releaseToPool(gPool.inUse[0].memory);
        for (int fd : after)
            close(fd);
    } else {
        if (gPool.inUseCount != 0) {
            propertyBroken("%d store pages were not released", gPool.inUseCount);
        }
        if (!after.empty()) {
            char link[64];
            char target[512] = "";
            std::snprintf(link, sizeof link, "/proc/self/fd/%d", *after.begin());
            const ssize_t n = readlink(link, target, sizeof target - 1);
            if (n > 0) target[n] = '\0';
            propertyBroken("%zu files were left open (first: %s)", after.size(), target);
        }
    }
    return gRun.outcome;
}

}  // namespace pulsepost::fuzzing
