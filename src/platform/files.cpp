#include "platform/files.h"

#include <cstdarg>
#include <cstring>

#if defined(_WIN32)
#include <direct.h>
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pulsepost {

long fileLength(FILE* file) {
#if defined(_WIN32)
    return _filelength(_fileno(file));
#else
    struct stat info {};
    if (fstat(fileno(file), &info) != 0) return -1;
    return static_cast<long>(info.st_size);
#endif
}

long rawWrite(FILE* file, const void* data, std::size_t size) {
#if defined(_WIN32)
    return _write(_fileno(file), data, static_cast<unsigned>(size));
#else
    return static_cast<long>(write(fileno(file), data, size));
#endif
}

bool currentDirectory(char* buffer, int limit) {
    buffer[0] = '\0';
    char full[4096];
#if defined(_WIN32)
    if (_getcwd(full, sizeof full) == nullptr) return false;
#else
    if (getcwd(full, sizeof full) == nullptr) return false;
#endif
    std::strncpy(buffer, full, static_cast<std::size_t>(limit));
    buffer[limit] = '\0';
    return true;
}

FILE* openTextForWriting(const char* path) {
    // Binary mode on every host: the CR LF line ends are written by writeText itself, so that
    // Windows' text mode cannot add a second CR.
    return std::fopen(path, "wb");
}

bool writeText(FILE* file, const char* text) {
    bool ok = true;
    const char* run = text;
    for (const char* c = text;; ++c) {
        if (*c == '\n' || *c == '\0') {
            const std::size_t n = static_cast<std::size_t>(c - run);
            if (n != 0 && std::fwrite(run, 1, n, file) != n) ok = false;
            if (*c == '\0') break;
            if (std::fwrite("\r\n", 1, 2, file) != 2) ok = false;
            run = c + 1;
        }
    }
    return ok;
}

bool printText(FILE* file, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return false;
    return writeText(file, buffer);
}

void joinPathCut(char (&out)[kPathLimit + 1], const char* directory, const char* name) {
#if defined(_WIN32)
    const char* separator = "\\";
#else
    const char* separator = "/";
#endif
    out[0] = '\0';
    std::strncat(out, directory, kPathLimit);
    std::strncat(out, separator, kPathLimit - std::strlen(out));
    std::strncat(out, name, kPathLimit - std::strlen(out));
}

namespace {
bool isSeparator(char c) {
#if defined(_WIN32)
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}
}  // namespace

bool outputPath(char (&out)[kPathLimit + 1], const char* programPath, const char* extension) {
    out[0] = '\0';
    const std::size_t pathLength = std::strlen(programPath);
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < pathLength; ++i) {
        if (isSeparator(programPath[i])) nameStart = i + 1;
    }
    const char* dot = std::strrchr(programPath + nameStart, '.');
    const std::size_t stem = dot ? static_cast<std::size_t>(dot - programPath) : pathLength;
    const std::size_t total = stem + 1 + std::strlen(extension);
    if (total > static_cast<std::size_t>(kPathLimit)) return false;
    std::memcpy(out, programPath, stem);
    out[stem] = '.';
    std::strcpy(out + stem + 1, extension);
    return true;
}

}  // namespace pulsepost
