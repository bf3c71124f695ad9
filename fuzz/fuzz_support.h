// Shared by the fuzz targets: one scratch directory per fuzzing process, which is also made the
// current directory (FILTER.CFG and timeMem.txt live there), and a way to report a broken
// property so that libFuzzer keeps the input that shows it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pulsepost::fuzzing {

// The process's scratch directory, made on first use and removed when the process exits
// normally. The first call also moves the current directory into it.
const std::string& scratchDirectory();

// scratchDirectory() + "/" + name.
std::string scratchFile(const char* name);

// Creates or truncates path and writes the bytes. Aborts when that fails: a fuzz run that cannot
// write its input tests nothing.
void writeInput(const std::string& path, const uint8_t* data, std::size_t size);

// Prints what broke and aborts, so that libFuzzer saves the input as a crash.
[[noreturn]] void propertyBroken(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace pulsepost::fuzzing
