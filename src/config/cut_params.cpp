#include "config/cut_params.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "platform/files.h"
#include "report/message_sink.h"

namespace pulsepost {

namespace {

CutParams gCutParams{};
MachineUnit gUnitOverride = MachineUnit::Undeclared;

constexpr int kParamsLineSize = 255;  // bytes of the line buffer: 254 characters and the NUL
constexpr int kParamsLines = 4;
constexpr int kFilterParamMin = 3;  // filter parameters 2 and 4 are at least this
constexpr char kFilterAxisLetters[4] = {'X', 'Y', 'Z', 'R'};  // R names the fourth axis, A

constexpr const char* kDefaultParamsText =
    "7000      //Tool holder backoff (in pulses)\n"
    "0.1       //Minimum Fillet Tolerance (degrees)\n"
    "15.0      //Maximum Fillet Tolerance (degrees)\n"
    "10.16     //Max Fillet Error\n";

}  // namespace

CutParams& cutParams() {
    return gCutParams;
}

void resetCutParams() {
    gCutParams = CutParams{};
}

// Written whole under a temporary name and renamed into place, never through a symbolic link.
bool writeDefaultCutParams() {
    Replacement replacement;
    FILE* file = beginReplacement(replacement, paramsFilePath());
    if (file == nullptr) return false;
    if (!writeText(file, kDefaultParamsText)) {
        abandonReplacement(replacement);
        errno = EIO;
        return false;
    }
    return commitReplacement(replacement);
}

namespace {

// A configuration file that is there but cannot be read is reported and left as it is; the
// conversion goes on with the defaults.
void reportUnreadable(const char* path, OpenStatus status, int error) {
    if (status == OpenStatus::NotRegular) {
        messageSinkf(MessageCode::FileOpen, "%s is not a regular file; the defaults are used",
                     path);
    } else {
        messageSinkf(MessageCode::FileOpen, "%s cannot be read: %s; the defaults are used", path,
                     std::strerror(error));
    }
}

// Characters of a fifth line that declares no unit quoted in the notice.
constexpr int kShownUnitLine = 40;

// The fifth line of params.cfg, read from file up to its end: a unit word ("in" or "mm", in
// either case) after any white space, ended by white space, a // comment, a NUL byte or the end
// of the line, as pulsepost config shows and sets it (however long the line). A line that is
// blank or only a comment declares nothing. False for any other word; shown then holds the line
// from the word on (at most kShownUnitLine characters, up to its end).
bool readUnitLine(FILE* file, MachineUnit& unit, char (&shown)[kShownUnitLine + 1]) {
    const auto space = [](int c) { return c != '\n' && std::isspace(c) != 0; };
    int c = std::getc(file);
    while (space(c))
        c = std::getc(file);
    char word[3] = {};
    int length = 0;  // of the word so far
    int kept = 0;    // characters in shown
    int previous = 0;
    while (c != EOF && c != '\n' && c != '\0' && !space(c)) {
        if (c == '/' && previous == '/') {
            --length;  // a // comment starts at the '/' before
            break;
        }
        previous = c;
        if (length < 2) word[length] = static_cast<char>(std::tolower(c));
        ++length;
        if (kept < kShownUnitLine) shown[kept++] = static_cast<char>(c);
        c = std::getc(file);
    }
    unit = MachineUnit::Undeclared;
    if (length == 0) return true;
    if (length == 2 && std::strncmp(word, "in", 2) == 0) {
        unit = MachineUnit::Inch;
        return true;
    }
    if (length == 2 && std::strncmp(word, "mm", 2) == 0) {
        unit = MachineUnit::Millimetre;
        return true;
    }
    while (c != EOF && c != '\n' && c != '\r' && c != '\0' && kept < kShownUnitLine) {
        shown[kept++] = static_cast<char>(c);
        c = std::getc(file);
    }
    shown[kept] = '\0';
    return false;
}

// params.cfg: four lines, each a number at its start and a comment after it, and an optional
// fifth line that declares the machine's unit. The file lists the minimum fillet angle before the
// maximum; memory keeps the maximum first. A line is read in pieces of at most 254 characters, so
// the rest of a longer line counts as the next line. A line without a number gives 0.0; a line
// the file does not have keeps the value CutParams already holds (its default after the set-up).
// A fifth line that declares no unit is reported and leaves the unit undeclared, so that a typing
// error never passes for a declaration while the program's G20/G21 go on being reported. The
// unit is read from the file's fifth line however many pieces the four before it took, as
// pulsepost config shows and sets it: the rest of a long fourth line is no declaration.
void readParamsFile(FILE* file) {
    double* const fields[kParamsLines] = {&gCutParams.toolHolderBackoff, &gCutParams.minFilletAngle,
                                          &gCutParams.maxFilletAngle, &gCutParams.maxFilletError};
    char line[kParamsLineSize];
    int linesEnded = 0;
    // The next piece of the file; false at its end. The buffer is cleared first, so that a line
    // end found in it was read with this piece (a NUL byte may come before it).
    const auto readPiece = [&]() {
        std::memset(line, 0, sizeof line);
        if (std::fgets(line, sizeof line, file) == nullptr) return false;
        if (std::memchr(line, '\n', sizeof line) != nullptr) ++linesEnded;
        return true;
    };
    for (double* field : fields) {
        if (!readPiece()) return;
        *field = std::strtod(line, nullptr);  // atof, read the same way by every C runtime
    }
    while (linesEnded < kParamsLines)
        if (!readPiece()) return;
    char shown[kShownUnitLine + 1] = {};
    if (!readUnitLine(file, gCutParams.unit, shown) && gUnitOverride == MachineUnit::Undeclared) {
        messageSinkf(MessageCode::Notice,
                     "%s line 5 \"%s\" declares no unit (write in or mm); the unit stays "
                     "undeclared and G20/G21 change nothing",
                     paramsFilePath(), shown);
    }
}

}  // namespace

// Only a missing file is created with the defaults: one that is there but cannot be read (no
// permission, a directory or a FIFO in its place) is reported and left alone, and a file that
// cannot be read leaves every value as it is.
void readCutParams() {
    OpenStatus status = OpenStatus::Missing;
    FILE* file = openRegularFile(paramsFilePath(), "r", status);
    if (file == nullptr && status == OpenStatus::Missing) {
        if (!writeDefaultCutParams()) {
            messageSinkf(MessageCode::FileOpen,
                         "%s could not be created: %s; the defaults are used", paramsFilePath(),
                         std::strerror(errno));
            return;
        }
        file = openRegularFile(paramsFilePath(), "r", status);
    }
    if (file == nullptr) {
        reportUnreadable(paramsFilePath(), status, errno);
        return;
    }
    readParamsFile(file);
    std::fclose(file);
}

void readExistingCutParams() {
    OpenStatus status = OpenStatus::Missing;
    FILE* file = openRegularFile(paramsFilePath(), "r", status);
    if (file == nullptr) {
        if (status != OpenStatus::Missing) reportUnreadable(paramsFilePath(), status, errno);
        return;
    }
    readParamsFile(file);
    std::fclose(file);
}

void setUnitOverride(MachineUnit unit) {
    gUnitOverride = unit;
}

MachineUnit machineUnit() {
    return gUnitOverride != MachineUnit::Undeclared ? gUnitOverride : gCutParams.unit;
}

// FILTER.CFG: records of an axis letter, an ignored integer and four filter parameters, read
// with " %c %*i %i %i %i %i" so that line breaks are white space like any other. Each record
// replaces its axis's row of the filter table; later records win; a record with an unknown
// letter counts for nothing. Reading stops at the first record that does not convert all five
// fields. Something other than a regular file under the name is reported and not read.
bool applyFilterOverrides() {
    OpenStatus status = OpenStatus::Missing;
    FILE* file = openRegularFile(kFilterFileName, "r", status);
    if (file == nullptr) {
        if (status != OpenStatus::Missing) {
            messageSinkf(
                MessageCode::FileOpen, "%s %s; its overrides are not applied", kFilterFileName,
                status == OpenStatus::NotRegular ? "is not a regular file" : std::strerror(errno));
        }
        return false;
    }
    char letter = 0;
    int params[4] = {};
    while (std::fscanf(file, " %c %*i %i %i %i %i", &letter, &params[0], &params[1], &params[2],
                       &params[3]) == 5) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
        int axis = 0;
        while (axis < 4 && kFilterAxisLetters[axis] != upper)
            ++axis;
        if (axis == 4) continue;
        if (params[1] < kFilterParamMin) params[1] = kFilterParamMin;
        if (params[3] < kFilterParamMin) params[3] = kFilterParamMin;
        for (int j = 0; j < 4; ++j)
            machineConfig().filterTable[axis][j] = params[j];
    }
    std::fclose(file);
    return true;
}

void removeFilterOverrides() {
    std::remove(kFilterFileName);
}

}  // namespace pulsepost
