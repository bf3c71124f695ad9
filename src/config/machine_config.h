// MachineConfig: the controller configuration, the 166 values of ZORVAN.CFG in the
// configuration directory. Only a few drive the conversion (pulses per unit, the four speeds,
// the acceleration, the X/Y swap and two option bits); the rest are carried unchanged.
#pragma once

#include <cstdint>

#include "platform/files.h"

namespace pulsepost {

constexpr uint16_t kOptionIgnoreFWords = 0x01;   // optionBits: F words of the program ignored
constexpr uint16_t kOptionRapidsAsFeeds = 0x20;  // optionBits: rapids planned as feed moves

struct MachineConfig;  // defined in machine_config_layout.h

MachineConfig& machineConfig();
// Clears every value to 0 (and the text to empty), as before a read.
void resetMachineConfig();

// The values the conversion reads, by name.
double stepsPerUnit(int axis);  // pulses per unit, axis 0..3 (X, Y, Z, A); sign = direction
double rapidSpeed();            // units per minute
double rapidSpeedZ();           // units per minute
double feedSpeed();             // units per minute
double plungeSpeed();           // units per minute
double acceleration();          // units per second squared
uint16_t swapXY();
uint16_t optionBits();

// Characters of a configuration directory at most: the directory, a separator and "ZORVAN.CFG"
// fit the 255 characters of a path.
constexpr int kConfigDirectoryLimit = 244;

// The configuration paths of the running call: the directory joined with "ZORVAN.CFG" and
// "params.cfg" (the bare names for an empty directory: the current one), cut at 255
// characters. False when the directory is longer than kConfigDirectoryLimit, so that the names
// were cut and must not be used.
bool setConfigurationDirectory(const char* configDir);
const char* configFilePath();
const char* paramsFilePath();

// How a read of ZORVAN.CFG ended, for the set-up to decide whether the file may be replaced.
struct ConfigReadOutcome {
    OpenStatus open = OpenStatus::Missing;
    int error = 0;          // errno of an open that failed
    int firstBadValue = 0;  // number (1..166) of the first value that did not convert; 0: none
};

// Reads configFilePath(): 0 when all 166 values converted, else -1 (values read so far may
// already be stored; the caller then sets the defaults). outcome, when given, says why.
int32_t readMachineConfig(ConfigReadOutcome* outcome = nullptr);
// Sets all 166 values to their defaults; the text value becomes the current directory.
void setDefaultMachineConfig();
// Writes configFilePath() with CR LF line ends, replacing the file whole. False (errno set, the
// old file untouched) when the new one could not be created or written.
bool writeMachineConfig();

}  // namespace pulsepost
