// File services the conversion needs beyond the C stream functions: the length of an open file,
// a raw write past the stream's buffer, the current directory, and text output with CR LF line
// ends on every host (the controller reads its text files so).
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/printf_format.h"

namespace pulsepost {

constexpr int kPathLimit = 255;  // characters in every path the conversion keeps

// Length in bytes of the open file, or -1 when it cannot be told.
long fileLength(FILE* file);

// Writes size bytes straight to the stream's descriptor; returns the bytes written (or -1).
long rawWrite(FILE* file, const void* data, std::size_t size);

// Copies the current directory, cut to limit characters, into buffer (limit + 1 bytes). Returns
// false (and an empty buffer) when the directory cannot be had.
bool currentDirectory(char* buffer, int limit);

// Opens a text file for writing; every "\n" written with writeText or printText becomes CR LF.
FILE* openTextForWriting(const char* path);

// Writes text, turning each "\n" into CR LF. Returns false when the stream reports a failure.
bool writeText(FILE* file, const char* text);

// printf into a text file with CR LF line ends.
bool printText(FILE* file, const char* format, ...) PULSEPOST_PRINTF_FORMAT(2, 3);

// Joins a directory and a file name with the host's separator, cut silently at kPathLimit
// characters as the configuration paths are: at most 255 characters of the directory, then the
// separator and the name, each limited to the room left.
void joinPathCut(char (&out)[kPathLimit + 1], const char* directory, const char* name);

// Names of the files written beside the part program: the program path with the extension of
// its file name replaced ("plate.nc" -> "plate.CM"). Only a "." in the file name itself counts,
// never one in a directory name; a file name without one gets "." and the extension appended,
// so that no file is ever written outside the program's directory. Builds the path into out;
// false (out empty) when it would not fit kPathLimit characters.
bool outputPath(char (&out)[kPathLimit + 1], const char* programPath, const char* extension);

}  // namespace pulsepost
