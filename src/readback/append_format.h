// printf-style appending to a string, for the readback's text and picture writers.
#pragma once

#include <string>

namespace pulsepost {

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace pulsepost
