#include "platform/console.h"

#if defined(_WIN32)
#include <conio.h>
#else
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace pulsepost {

namespace {

KeySource gKeySource{};
bool gHaveKeySource = false;

#if !defined(_WIN32)
// Reads one byte from the terminal with canonical mode and echo switched off for the moment of
// the read, so that a single key press is seen without Enter. waitMs < 0 waits indefinitely.
int readTerminalByte(int waitMs, bool consume) {
    if (!isatty(STDIN_FILENO)) return -1;
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0) return -1;
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    int result = -1;
    if (poll(&pfd, 1, waitMs) > 0 && (pfd.revents & POLLIN)) {
        if (consume) {
            unsigned char c = 0;
            if (read(STDIN_FILENO, &c, 1) == 1) result = c;
        } else {
            result = 1;
        }
    }
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    return result;
}
#endif

}  // namespace

void setKeySource(const KeySource* source) {
    gHaveKeySource = source != nullptr;
    if (source) gKeySource = *source;
}

int consoleKeyWaiting() {
    if (gHaveKeySource) return gKeySource.keyWaiting(gKeySource.context);
#if defined(_WIN32)
    return _kbhit();
#else
    return readTerminalByte(0, false) > 0 ? 1 : 0;
#endif
}

int consoleReadKey() {
    if (gHaveKeySource) return gKeySource.readKey(gKeySource.context);
#if defined(_WIN32)
    return _getch();
#else
    const int c = readTerminalByte(0, true);
    return c < 0 ? 0 : c;
#endif
}

}  // namespace pulsepost
