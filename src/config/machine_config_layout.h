// The full MachineConfig record and the list of its 166 values in file order. Every value keeps
// the width and signedness it has in the controller's 32-bit build: an L value is an int32 even
// where the host's long is 64 bits wide. Only the named fields drive the conversion; the tables
// are carried: read, defaulted and written back unchanged.
#pragma once

#include <array>
#include <cstdint>

#include "config/machine_config.h"

namespace pulsepost {

constexpr int kConfigValueCount = 166;  // values (lines) of ZORVAN.CFG
constexpr int kConfigTextSize = 256;    // bytes of the text value's buffer

struct ConfigTenEntry {
    double values[4];
    uint16_t word;
};

struct MachineConfig {
    uint32_t controllerFlags;
    uint32_t leadingValue;
    double stepsPerUnit[4];  // pulses per unit of X, Y, Z, A; sign = direction, 0 = unused axis
    double rapidSpeed;       // units per minute
    double rapidSpeedZ;      // units per minute: Z part of a rapid planned as a feed move
    double feedSpeed;        // units per minute: moves with an X, Y or A component
    double plungeSpeed;      // units per minute: moves along Z only
    double acceleration;     // units per second squared, along the path
    double motionDoubles[7];
    uint16_t swapXY;      // non-zero: X and Y exchange motor outputs
    uint16_t optionBits;  // kOptionIgnoreFWords, kOptionRapidsAsFeeds

    double pairFirst[4];
    double pairExtra[2];
    uint16_t pairWords[2];
    double pairSecond[4];

    int32_t eightLongs[2];
    uint16_t eightWord;
    double eightA[8];
    double eightB[8];
    int32_t eightC[8];
    double eightD[8];
    double eightLastDouble;
    uint16_t eightLastWord;

    uint16_t singleWord;

    ConfigTenEntry tenEntries[10];
    double tenTrailingDouble;
    uint32_t tenTrailingInteger;

    int32_t integerTable[11];

    double eightDoubles[8];
    int32_t eightDoublesTrailing;

    double fourDoubles[4];

    uint16_t filterWord;
    int32_t filterTable[4][4];  // axis X, Y, Z, A by four filter parameters

    char text[kConfigTextSize];  // the current directory when the defaults were set

    double pair[2];
};

// How a value is written and read back after its 0xFE byte.
enum class ConfigKind : uint8_t {
    Hex,         // uint32: written "%X", read "%x" (optional 0x)
    Unsigned,    // uint32: "%u"
    Unsigned16,  // uint16: "%u", keeping the low 16 bits of the number read
    Long,        // int32: "%li" (decimal, 0x hexadecimal, 0 octal)
    Int,         // int32: "%i"
    Double,      // double: written "%f", read "%le"
    Text,        // text: the rest of the line, at most 255 characters
};

struct ConfigValue {
    ConfigKind kind = ConfigKind::Double;
    // uint32_t (Hex, Unsigned), uint16_t (Unsigned16), int32_t (Long, Int), double (Double),
    // char[kConfigTextSize] (Text)
    void* field = nullptr;
    double defaultValue = 0.0;  // every numeric default is exact in a double
};

using ConfigValueList = std::array<ConfigValue, kConfigValueCount>;

// The 166 values of config in file order, with their kinds and defaults.
ConfigValueList configValues(MachineConfig& config);

// What the text value is written as, so that it reads back the same: text up to its first line
// end or 0xFE byte, without leading spaces or tabs, at most 255 characters; "." when nothing is
// left, so that the line is never empty.
void storableText(char (&out)[kConfigTextSize], const char* text);

}  // namespace pulsepost
