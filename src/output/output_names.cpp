#include "output/output_names.h"

#include <cstring>

namespace pulsepost {

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
