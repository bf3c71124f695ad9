// Names of the files written beside the part program: the program path with the extension of
// its file name replaced ("plate.nc" -> "plate.CM"). Only a "." in the file name itself counts,
// never one in a directory name; a file name without one gets "." and the extension appended,
// so that no file is ever written outside the program's directory.
#pragma once

#include "platform/files.h"

namespace pulsepost {

// Builds the path into out; false (out empty) when it would not fit kPathLimit characters.
bool outputPath(char (&out)[kPathLimit + 1], const char* programPath, const char* extension);

}  // namespace pulsepost
