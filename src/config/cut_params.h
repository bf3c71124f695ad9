// CutParams: the four cutting parameters of params.cfg in the configuration directory.
#pragma once

namespace pulsepost {

struct CutParams {
    double toolHolderBackoff = 7000.0;  // pulses; carried, not used by the conversion
    double maxFilletAngle = 15.0;       // degrees: sharper corners stop (file line 3)
    double minFilletAngle = 0.1;        // degrees: gentler corners run straight on (file line 2)
    double maxFilletError = 10.16;      // pulses of the X axis: corner to fillet arc
};

CutParams& cutParams();
// Restores the four defaults, as before a read.
void resetCutParams();

// Reads paramsFilePath(), writing the default file first when it cannot be opened. Problems are
// printed on the standard error stream; what cannot be read keeps its current value.
void readCutParams();
// Writes the four default lines to paramsFilePath() with CR LF line ends.
void writeDefaultCutParams();

// Reads FILTER.CFG from the current directory into the filter table and deletes the file.
void applyFilterOverrides();

}  // namespace pulsepost
