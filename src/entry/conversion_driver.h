// The conversion driver: the order of one conversion, from the configured speeds to the closed
// output files, with its progress stages and every way it can end.
#pragma once

#include <cstdint>

#include "gcode/interpreter.h"
#include "report/progress.h"

namespace pulsepost {

// Refuses (message code 8, -1) a program that is itself one of the files a conversion writes or
// deletes: its EV, CM, BRK or LIM file, timeMem.txt, FILTER.CFG, or a configuration file of
// configDir with its backup and temporary names; the same file under any name counts. 0 when it
// is none of them. Runs before any file is touched.
int32_t refuseProgramAmongOutputs(const char* programPath, const char* configDir);

// After a conversion of programPath that did not complete: the CM and BRK files beside it, from
// an earlier conversion, are emptied, so that no stream pair stays there looking valid. Creates
// nothing.
void emptyEarlierStreams(const char* programPath);

// What the interpreter is handed from the configuration in force: speeds per second, the
// acceleration, whether F words are ignored, and the machine's unit.
MotionLimits interpreterLimits();

// Reads the program as stage 0 of a conversion does, with the configuration in force, and writes
// no file: its diagnostics (code Warning) and any refusal reach the message sink. 0 when it was
// read, -1 when it could not be opened or a line was refused.
int32_t checkProgram(const char* programPath);

// Converts the program with the configuration already set up. 0: completed, no feed move, or Esc
// in stages 3 to 5; -1: Esc in stages 0 to 2, refused (message code 8), a file that could not be
// created or written (codes 7 and 9). Every end closes the files and releases both stores.
int32_t runConversion(const char* programPath, int32_t breakSpacingLimit,
                      ProgressCallback progress);

}  // namespace pulsepost
