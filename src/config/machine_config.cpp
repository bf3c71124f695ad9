#include "config/machine_config.h"

#include <cassert>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "config/machine_config_layout.h"
#include "platform/files.h"

namespace pulsepost {

namespace {

MachineConfig gMachineConfig{};
char gConfigFilePath[kPathLimit + 1] = "";
char gParamsFilePath[kPathLimit + 1] = "";

constexpr unsigned char kValueMark = 0xFE;  // starts every value of ZORVAN.CFG

// Appends the values in file order; each add names the kind through the field's type.
class ValueListBuilder {
  public:
    explicit ValueListBuilder(ConfigValueList& list) : list_(list) {}
    void hex(uint32_t* f, double d) { add(ConfigKind::Hex, f, d); }
    void unsigned32(uint32_t* f, double d) { add(ConfigKind::Unsigned, f, d); }
    void unsigned16(uint16_t* f, double d) { add(ConfigKind::Unsigned16, f, d); }
    void long32(int32_t* f, double d) { add(ConfigKind::Long, f, d); }
    void int32(int32_t* f, double d) { add(ConfigKind::Int, f, d); }
    void real(double* f, double d) { add(ConfigKind::Double, f, d); }
    void text(char (&f)[kConfigTextSize]) { add(ConfigKind::Text, f, 0.0); }
    int count() const { return count_; }

  private:
    void add(ConfigKind kind, void* field, double defaultValue) {
        if (count_ < kConfigValueCount) list_[count_] = ConfigValue{kind, field, defaultValue};
        ++count_;
    }
    ConfigValueList& list_;
    int count_ = 0;
};

}  // namespace

// The file order of the values, with the position of each in the comments. It differs from the
// record's grouping in places (the 166th value is the third motion double; the pair table
// interleaves its first and second doubles), so every read, write and default goes through this
// one list.
ConfigValueList configValues(MachineConfig& c) {
    ConfigValueList list{};
    ValueListBuilder v(list);
    v.hex(&c.controllerFlags, 0x290);   // 1
    v.unsigned32(&c.leadingValue, 11);  // 2
    for (int i = 0; i < 4; ++i) {       // 3-6
        v.real(&c.stepsPerUnit[i], i < 3 ? 10160.0 : 0.0);
    }
    v.real(&c.rapidSpeed, 100.0);         // 7
    v.real(&c.rapidSpeedZ, 100.0);        // 8
    v.real(&c.feedSpeed, 50.0);           // 9
    v.real(&c.plungeSpeed, 25.0);         // 10
    v.real(&c.acceleration, 15.0);        // 11
    v.real(&c.motionDoubles[0], 0.0);     // 12
    v.real(&c.motionDoubles[1], 0.6425);  // 13
    for (int i = 3; i < 7; ++i) {         // 14-17
        v.real(&c.motionDoubles[i], 0.0);
    }
    v.unsigned16(&c.swapXY, 0);         // 18
    v.unsigned16(&c.optionBits, 0x61);  // 19
    for (int k = 0; k < 4; ++k) {       // 20-27
        v.real(&c.pairFirst[k], 1.0);
        v.real(&c.pairSecond[k], 0.0);
    }
    v.real(&c.pairExtra[0], 100.0);      // 28
    v.real(&c.pairExtra[1], 30.0);       // 29
    v.unsigned16(&c.pairWords[0], 1);    // 30
    v.unsigned16(&c.pairWords[1], 0);    // 31
    v.long32(&c.eightLongs[0], -22717);  // 32
    v.long32(&c.eightLongs[1], -17937);  // 33
    v.unsigned16(&c.eightWord, 1);       // 34
    for (int k = 0; k < 8; ++k) {        // 35-66
        v.real(&c.eightA[k], -0.25);
        v.real(&c.eightB[k], 100.0);
        v.int32(&c.eightC[k], 0);
        v.real(&c.eightD[k], 0.5);
    }
    v.real(&c.eightLastDouble, 0.25);             // 67
    v.unsigned16(&c.eightLastWord, 0);            // 68
    v.unsigned16(&c.singleWord, 0);               // 69
    for (ConfigTenEntry& entry : c.tenEntries) {  // 70-119
        for (double& value : entry.values) {
            v.real(&value, 0.0);
        }
        v.unsigned16(&entry.word, 1);
    }
    v.real(&c.tenTrailingDouble, 2.0);       // 120
    v.unsigned32(&c.tenTrailingInteger, 2);  // 121
    for (int i = 0; i < 8; ++i) {            // 122-129
        v.long32(&c.integerTable[i], 1000.0 * i);
    }
    for (int i = 8; i < 11; ++i) {  // 130-132
        v.int32(&c.integerTable[i], 8);
    }
    constexpr double kEightDoubles[8] = {20.0, 10.0, 10.0, 0.0, 60.0, 0.1, 3.0, 0.25};
    for (int i = 0; i < 8; ++i) {  // 133-140
        v.real(&c.eightDoubles[i], kEightDoubles[i]);
    }
    v.int32(&c.eightDoublesTrailing, 4);  // 141
    constexpr double kFourDoubles[4] = {0.0, 0.0, 2.0, 2.0};
    for (int i = 0; i < 4; ++i) {  // 142-145
        v.real(&c.fourDoubles[i], kFourDoubles[i]);
    }
    v.unsigned16(&c.filterWord, 0);         // 146
    for (int axis = 0; axis < 4; ++axis) {  // 147-162
        const double first = axis == 2 ? 200.0 : 300.0;
        v.int32(&c.filterTable[axis][0], first);
        v.int32(&c.filterTable[axis][1], 15);
        v.int32(&c.filterTable[axis][2], 1000);
        v.int32(&c.filterTable[axis][3], 15);
    }
    v.text(c.text);                     // 163
    v.real(&c.pair[0], 200.0);          // 164
    v.real(&c.pair[1], 20.0);           // 165
    v.real(&c.motionDoubles[2], 20.0);  // 166
    assert(v.count() == kConfigValueCount);
    return list;
}

void storableText(char (&out)[kConfigTextSize], const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    int n = 0;
    while (n < kConfigTextSize - 1 && text[n] != '\0' && text[n] != '\r' && text[n] != '\n' &&
           static_cast<unsigned char>(text[n]) != kValueMark) {
        out[n] = text[n];
        ++n;
    }
    if (n == 0) out[n++] = '.';
    out[n] = '\0';
}

MachineConfig& machineConfig() {
    return gMachineConfig;
}

void resetMachineConfig() {
    gMachineConfig = MachineConfig{};
}

double stepsPerUnit(int axis) {
    return gMachineConfig.stepsPerUnit[axis];
}
double rapidSpeed() {
    return gMachineConfig.rapidSpeed;
}
double rapidSpeedZ() {
    return gMachineConfig.rapidSpeedZ;
}
double feedSpeed() {
    return gMachineConfig.feedSpeed;
}
double plungeSpeed() {
    return gMachineConfig.plungeSpeed;
}
double acceleration() {
    return gMachineConfig.acceleration;
}
uint16_t swapXY() {
    return gMachineConfig.swapXY;
}
uint16_t optionBits() {
    return gMachineConfig.optionBits;
}

bool setConfigurationDirectory(const char* configDir) {
    const char* dir = configDir != nullptr ? configDir : "";
    joinPathCut(gConfigFilePath, dir, "ZORVAN.CFG");
    joinPathCut(gParamsFilePath, dir, "params.cfg");
    return std::strlen(dir) <= static_cast<std::size_t>(kConfigDirectoryLimit);
}

const char* configFilePath() {
    return gConfigFilePath;
}
const char* paramsFilePath() {
    return gParamsFilePath;
}

namespace {

// The text value is the rest of its line after the 0xFE byte and any spaces or tabs: a
// directory with spaces in its name or longer than 80 characters is read as the text it is.
// The text ends at the line end or at a 0xFE byte (the next value on the same line); a longer
// text than the field holds keeps its first 255 characters. -1 when the file ends first.
int readTextValue(FILE* file, char* field) {
    int c = std::fgetc(file);
    while (c == ' ' || c == '\t')
        c = std::fgetc(file);
    if (c == EOF) return EOF;
    int n = 0;
    while (c != EOF && c != '\n' && c != kValueMark) {
        if (n < kConfigTextSize - 1) field[n++] = static_cast<char>(c);
        c = std::fgetc(file);
    }
    if (c == kValueMark) std::ungetc(c, file);
    if (n > 0 && field[n - 1] == '\r') --n;
    field[n] = '\0';
    return 1;
}

// One conversion as the C library's scanf counts it: 1 converted, 0 did not match, -1 the end
// of the file came first. Each value's text is read with its kind's conversion into the width
// the C library writes (unsigned int, long, int), then stored at the field's own width.
int readValueText(FILE* file, const ConfigValue& value) {
    switch (value.kind) {
        case ConfigKind::Hex:
        case ConfigKind::Unsigned:
        case ConfigKind::Unsigned16: {
            unsigned int number = 0;
            const int n = value.kind == ConfigKind::Hex ? std::fscanf(file, "%x", &number)
                                                        : std::fscanf(file, "%u", &number);
            if (n != 1) return n;
            if (value.kind == ConfigKind::Unsigned16) {
                *static_cast<uint16_t*>(value.field) = static_cast<uint16_t>(number);
            } else {
                *static_cast<uint32_t*>(value.field) = static_cast<uint32_t>(number);
            }
            return 1;
        }
        case ConfigKind::Long: {
            long number = 0;
            const int n = std::fscanf(file, "%li", &number);
            if (n == 1) *static_cast<int32_t*>(value.field) = static_cast<int32_t>(number);
            return n;
        }
        case ConfigKind::Int: {
            int number = 0;
            const int n = std::fscanf(file, "%i", &number);
            if (n == 1) *static_cast<int32_t*>(value.field) = static_cast<int32_t>(number);
            return n;
        }
        case ConfigKind::Double:
            return std::fscanf(file, "%le", static_cast<double*>(value.field));
        case ConfigKind::Text:
            return readTextValue(file, static_cast<char*>(value.field));
    }
    return 0;
}

// Skips white space, requires the 0xFE byte, then converts the value's text.
int readValue(FILE* file, const ConfigValue& value) {
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c))
        c = std::fgetc(file);
    if (c == EOF) return EOF;
    if (c != kValueMark) {
        std::ungetc(c, file);
        return 0;
    }
    return readValueText(file, value);
}

bool writeValue(FILE* file, const ConfigValue& value) {
    if (std::fputc(kValueMark, file) == EOF) return false;
    switch (value.kind) {
        case ConfigKind::Hex:
            return printText(file, "%X\n", *static_cast<const uint32_t*>(value.field));
        case ConfigKind::Unsigned:
            return printText(file, "%u\n", *static_cast<const uint32_t*>(value.field));
        case ConfigKind::Unsigned16:
            return printText(file, "%u\n", *static_cast<const uint16_t*>(value.field));
        case ConfigKind::Long:
            return printText(file, "%li\n",
                             static_cast<long>(*static_cast<const int32_t*>(value.field)));
        case ConfigKind::Int:
            return printText(file, "%i\n", *static_cast<const int32_t*>(value.field));
        case ConfigKind::Double:
            return printText(file, "%f\n", *static_cast<const double*>(value.field));
        case ConfigKind::Text: {
            char text[kConfigTextSize];
            storableText(text, static_cast<const char*>(value.field));
            return printText(file, "%s\n", text);
        }
    }
    return false;
}

}  // namespace

// Reading ZORVAN.CFG: each value is white space, the 0xFE byte and the text its kind converts.
// The results of all 166 conversions are added up whatever happens; once one fails the file
// position stays at the text that did not match, so every later one fails too. The read is good
// only when the sum is exactly 166. Lines carry no meaning of their own: LF or CR LF line ends,
// blank lines and spaces before a 0xFE byte all read the same, and data after the 166th value
// is ignored. Only a regular file is read: a FIFO or a device in its place reads as not good.
int32_t readMachineConfig(ConfigReadOutcome* outcome) {
    ConfigReadOutcome local;
    ConfigReadOutcome& result = outcome != nullptr ? *outcome : local;
    result = ConfigReadOutcome{};
    FILE* file = openRegularFile(gConfigFilePath, "r", result.open);
    if (file == nullptr) {
        result.error = errno;
        return -1;
    }
    int sum = 0;
    int number = 0;
    for (const ConfigValue& value : configValues(gMachineConfig)) {
        ++number;
        const int converted = readValue(file, value);
        if (converted != 1 && result.firstBadValue == 0) result.firstBadValue = number;
        sum += converted;
    }
    std::fclose(file);
    return sum == kConfigValueCount ? 0 : -1;
}

void setDefaultMachineConfig() {
    for (const ConfigValue& value : configValues(gMachineConfig)) {
        switch (value.kind) {
            case ConfigKind::Hex:
            case ConfigKind::Unsigned:
                *static_cast<uint32_t*>(value.field) = static_cast<uint32_t>(value.defaultValue);
                break;
            case ConfigKind::Unsigned16:
                *static_cast<uint16_t*>(value.field) = static_cast<uint16_t>(value.defaultValue);
                break;
            case ConfigKind::Long:
            case ConfigKind::Int:
                *static_cast<int32_t*>(value.field) = static_cast<int32_t>(value.defaultValue);
                break;
            case ConfigKind::Double:
                *static_cast<double*>(value.field) = value.defaultValue;
                break;
            case ConfigKind::Text:
                currentDirectory(static_cast<char*>(value.field), kPathLimit);
                break;
        }
    }
}

// The file is replaced whole (a temporary beside it, renamed over it), so that a failed write
// never leaves a cut configuration and a symbolic link in its place is never written through.
bool writeMachineConfig() {
    Replacement replacement;
    FILE* file = beginReplacement(replacement, gConfigFilePath);
    if (file == nullptr) return false;
    bool ok = true;
    for (const ConfigValue& value : configValues(gMachineConfig)) {
        ok = writeValue(file, value) && ok;
    }
    if (!ok) {
        const int error = errno;
        abandonReplacement(replacement);
        errno = error != 0 ? error : EIO;
        return false;
    }
    return commitReplacement(replacement);
}

}  // namespace pulsepost
