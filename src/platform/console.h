// Console keyboard for the Esc abort: a check that never blocks and a key read.
#pragma once

namespace pulsepost {

constexpr int kEscKey = 27;

// Returns non-zero when a key is waiting on the console. Without a console (standard input is
// not a terminal) there is never a key.
int consoleKeyWaiting();

// Reads one key without echo. Without a console, or when no key comes, returns 0 at once.
int consoleReadKey();

// A replacement key source, so that tests can press keys. While one is installed the console is
// not touched. Pass nullptr to return to the console.
struct KeySource {
    int (*keyWaiting)(void* context);
    int (*readKey)(void* context);
    void* context;
};
void setKeySource(const KeySource* source);

}  // namespace pulsepost
