// The configuration files a person edits, by name: the values of ZORVAN.CFG and params.cfg that
// drive the conversion, each with its unit and meaning, shown and changed one at a time. A
// change rewrites only the bytes of that value's number; every other byte of the file stays.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pulsepost {

enum class SettingFile { Machine, Params };  // ZORVAN.CFG, params.cfg

enum class SettingKind {
    Real,         // any finite number (pulses per unit: the sign is the direction, 0 unused)
    Positive,     // a finite number above 0 (speeds, acceleration)
    NonNegative,  // a finite number, 0 or above (fillet angles and error)
    Word,         // 0 to 65535 (the X/Y swap, the option bits)
    OptionBit,    // on/off: one bit of the option bits
    Unit,         // in, mm, or none: params.cfg's optional fifth line
};

struct Setting {
    const char* name;
    SettingFile file;
    int line;  // 1-based: the value's place in ZORVAN.CFG, or the line of params.cfg
    SettingKind kind;
    unsigned bit;  // OptionBit: its mask in the option bits
    const char* unit;
    const char* meaning;
};

// Every named value, ZORVAN.CFG's in file order, then params.cfg's.
const std::vector<Setting>& settings();

// One configuration file as read: its bytes and where each value's number is in them.
struct SettingFileText {
    std::string path;
    bool present = false;
    bool readable = false;  // every value there (166 for ZORVAN.CFG, 4 lines for params.cfg)
    // Why a file that is there was not read: not a regular file (a FIFO is never waited on), or
    // the C library's reason it could not be opened. Empty when it was read or is missing.
    std::string unread;
    std::string bytes;
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;  // 0: no number at offset (a params.cfg line that reads as 0)
    };
    // In file order. For params.cfg a fifth value when the file has a fifth line: the unit word
    // at its start (length 0 when the line is blank or a comment).
    std::vector<Span> values;
    std::string valueText(int line) const;
};

struct ConfigurationFiles {
    std::string dir;
    SettingFileText machine;
    SettingFileText params;
};

ConfigurationFiles readConfigurationFiles(const std::string& dir);

// The listing of `pulsepost config show`.
std::string formatConfiguration(const ConfigurationFiles& files);

// Sets the named value in dir's file and replaces the file whole. 0 when done (message says what
// was written); 1 when the file is missing, damaged or cannot be written; 2 when the name or the
// value is not valid (message says why).
int setConfigurationValue(const std::string& dir, const std::string& name, const std::string& value,
                          std::string& message);

}  // namespace pulsepost
