// The platform layer as the Windows library uses it, run under the Windows C runtime: text files
// with exactly one CR LF per line (the runtime's text mode must not add a second CR), file length
// and raw writes through the runtime's descriptor functions, the current directory, and the
// configuration paths joined with a backslash and cut at 255 characters, and the configuration
// directory's lock. A console key check without a console says "no key" at once.
#include <direct.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "platform/files.h"

namespace {

int gFailures = 0;
int gChecks = 0;

void check(bool ok, const char* what) {
    ++gChecks;
    if (!ok) {
        std::printf("FAIL: %s\n", what);
        ++gFailures;
    }
}

std::string readBack(const char* path) {
    std::string content;
    FILE* f = std::fopen(path, "rb");
    if (!f) return "<missing>";
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    std::fclose(f);
    return content;
}

void textFilesGetOneCrLfPerLine() {
    const char* path = "platform_check_text.txt";
    FILE* f = pulsepost::openTextForWriting(path);
    check(f != nullptr, "text file opens");
    if (!f) return;
    check(pulsepost::printText(f, "%lf\n", 12.5), "printText succeeds");
    check(pulsepost::writeText(f, "a\n\nb"), "writeText succeeds");
    check(pulsepost::writeText(f, "\n"), "writeText of a lone line end succeeds");
    std::fclose(f);
    check(readBack(path) == "12.500000\r\na\r\n\r\nb\r\n", "one CR LF per line, no CR CR LF");
    std::remove(path);
}

void fileLengthAndRawWrite() {
    const char* path = "platform_check_raw.bin";
    FILE* f = std::fopen(path, "wb+");
    check(f != nullptr, "binary file opens");
    if (!f) return;
    check(pulsepost::fileLength(f) == 0, "new file has length 0");
    check(pulsepost::rawWrite(f, "ab\ncd", 5) == 5, "raw write reports 5 bytes");
    check(pulsepost::fileLength(f) == 5, "length after the raw write is 5");
    std::fclose(f);
    check(readBack(path) == "ab\ncd", "raw write stores the bytes unchanged (no CR added)");
    std::remove(path);
}

void currentDirectoryMatchesTheRuntime() {
    char ours[pulsepost::kPathLimit + 1];
    char runtime[1024];
    check(pulsepost::currentDirectory(ours, pulsepost::kPathLimit), "current directory known");
    check(_getcwd(runtime, sizeof runtime) != nullptr, "_getcwd succeeds");
    check(std::strncmp(ours, runtime, pulsepost::kPathLimit) == 0, "same directory as _getcwd");
    char small[9];
    check(pulsepost::currentDirectory(small, 8), "cut directory known");
    check(std::strlen(small) <= 8 && std::strncmp(small, runtime, 8) == 0, "cut at 8 characters");
}

void configurationPathsUseBackslashes() {
    char out[pulsepost::kPathLimit + 1];
    pulsepost::joinPathCut(out, "C:\\controller", "ZORVAN.CFG");
    check(std::strcmp(out, "C:\\controller\\ZORVAN.CFG") == 0, "directory and name joined by \\");
    const std::string dir250(250, 'd');
    pulsepost::joinPathCut(out, dir250.c_str(), "ZORVAN.CFG");
    check(std::string(out) == dir250 + "\\ZORV", "250-character directory keeps 4 name characters");
    const std::string dir300(300, 'd');
    pulsepost::joinPathCut(out, dir300.c_str(), "params.cfg");
    check(std::string(out) == std::string(255, 'd'), "long directory cut at 255 characters");
}

struct LockWaiter {
    const char* dir;
    volatile LONG locked;
};

DWORD WINAPI takeLock(void* argument) {
    auto* waiter = static_cast<LockWaiter*>(argument);
    const pulsepost::DirectoryLock lock(waiter->dir);
    InterlockedExchange(&waiter->locked, 1);
    return 0;
}

// Two callers of one configuration directory take turns: the second waits for the first.
void directoryLockMakesTheNextCallerWait() {
    LockWaiter waiter{"platform_check_lock", 0};
    _mkdir(waiter.dir);
    HANDLE thread = nullptr;
    {
        const pulsepost::DirectoryLock held(waiter.dir);
        thread = CreateThread(nullptr, 0, takeLock, &waiter, 0, nullptr);
        check(thread != nullptr, "a second thread starts");
        if (thread == nullptr) return;
        Sleep(300);
        check(InterlockedCompareExchange(&waiter.locked, 0, 0) == 0,
              "the second caller waits while the lock is held");
    }
    check(WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && waiter.locked == 1,
          "the second caller has the lock once the first lets go");
    CloseHandle(thread);
    std::remove("platform_check_lock\\pulsepost.lck");
    _rmdir(waiter.dir);
}

void keyCheckWithoutConsoleDoesNotBlock() {
    // Standard input is not a console here: no key is ever waiting.
    check(pulsepost::consoleKeyWaiting() == 0, "no key waiting without a console");
}

}  // namespace

int main() {
    textFilesGetOneCrLfPerLine();
    fileLengthAndRawWrite();
    currentDirectoryMatchesTheRuntime();
    configurationPathsUseBackslashes();
    directoryLockMakesTheNextCallerWait();
    keyCheckWithoutConsoleDoesNotBlock();
    std::printf("platform checks: %d passed, %d failed\n", gChecks - gFailures, gFailures);
    return gFailures == 0 ? 0 : 1;
}
