#include "readback/readback_error.h"

#include <cstdarg>
#include <cstdio>

namespace pulsepost {

int32_t readbackFailure(ReadbackError& error, const char* file, int64_t offset, const char* format,
                        ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    error.file = file;
    error.offset = offset;
    error.message = text;
    return -1;
}

std::string describeReadbackError(const ReadbackError& error) {
    std::string line = error.file;
    if (error.offset >= 0) line += " byte " + std::to_string(error.offset);
    line += ": ";
    line += error.message;
    return line;
}

}  // namespace pulsepost
