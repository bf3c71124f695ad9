// CutParams: the four cutting parameters of params.cfg in the configuration directory.
#pragma once

#include <cstdint>

namespace pulsepost {

// The machine's length unit. Declared, it lets G20 (inches) and G21 (millimetres) scale the
// program's lengths and feeds to it; undeclared, G20 and G21 change nothing.
enum class MachineUnit : uint8_t { Undeclared, Inch, Millimetre };

struct CutParams {
    double toolHolderBackoff = 7000.0;  // pulses; carried, not used by the conversion
    double maxFilletAngle = 15.0;       // degrees: sharper corners stop (file line 3)
    double minFilletAngle = 0.1;        // degrees: gentler corners run straight on (file line 2)
    double maxFilletError = 10.16;      // pulses of the X axis: corner to fillet arc
    MachineUnit unit = MachineUnit::Undeclared;  // the optional file line 5: "in" or "mm"
};

CutParams& cutParams();
// Restores the four defaults, as before a read.
void resetCutParams();

// The one-shot filter overrides, in the current directory.
constexpr const char* kFilterFileName = "FILTER.CFG";

// Reads paramsFilePath(), writing the default file first when it is missing. A file that cannot
// be created or read goes to the message sink (code 7) and is left as it is; what cannot be read
// keeps its current value. A fifth line that declares no unit is reported (code 10) and leaves
// the unit undeclared.
void readCutParams();
// The same read of a file that is there; a missing file is neither created nor reported.
void readExistingCutParams();

// The unit the conversions of this process take instead of params.cfg's (Undeclared: the file's).
void setUnitOverride(MachineUnit unit);
// The unit in force: the override when one is set, else the one params.cfg declared.
MachineUnit machineUnit();
// Writes the four default lines to paramsFilePath() with CR LF line ends, replacing the file
// whole. False (errno set) when it could not be written.
bool writeDefaultCutParams();

// Reads FILTER.CFG from the current directory into the filter table. True when the file was
// read; it stays until removeFilterOverrides, called once the configuration that holds the
// overrides is safely written.
bool applyFilterOverrides();
void removeFilterOverrides();

}  // namespace pulsepost
