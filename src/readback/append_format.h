// printf-style appending to a string, for the readback's text and picture writers.
#pragma once

#include <string>

namespace pulsepost {

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Appends a duration as h:mm:ss, rounded to whole seconds: the clock form of the summary and
// the plot.
void appendClock(std::string& out, double seconds);

}  // namespace pulsepost
