#include "readback/config_files.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"
#include "readback/append_format.h"

namespace pulsepost {

namespace {

constexpr int kMachineValues = 166;
constexpr int kParamsLines = 4;
constexpr int kOptionBitsLine = 19;
constexpr int kDirectoryTextLine = 163;
constexpr unsigned char kValueMark = 0xFE;  // starts every value of ZORVAN.CFG
constexpr const char* kMachineName = "ZORVAN.CFG";
constexpr const char* kParamsName = "params.cfg";

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string joined(const std::string& dir, const char* name) {
    if (dir.empty()) return name;
    return dir.back() == '/' ? dir + name : dir + "/" + name;
}

// Reads the file's bytes when it is a regular file, as the conversion reads its configuration.
// False when it is missing, and then with f.unread set when it is there but was not read.
bool readBytes(SettingFileText& f) {
    OpenStatus status = OpenStatus::Opened;
    FILE* file = openRegularFile(f.path.c_str(), "rb", status);
    if (file == nullptr) {
        if (status == OpenStatus::NotRegular) f.unread = "not a regular file";
        if (status == OpenStatus::Failed) f.unread = std::strerror(errno);
        return false;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        f.bytes.append(buffer, n);
    const bool read = std::ferror(file) == 0;
    if (!read) f.unread = std::strerror(errno);
    std::fclose(file);
    return read;
}

// ZORVAN.CFG: each value is white space, the 0xFE byte, optional white space and one word; the
// directory text is instead the rest of its line (up to a line end or the next 0xFE byte, spaces
// included). The file reads when all 166 are there; what follows the last is ignored.
void locateMachineValues(SettingFileText& f) {
    const std::string& b = f.bytes;
    const auto isMark = [&](std::size_t i) {
        return static_cast<unsigned char>(b[i]) == kValueMark;
    };
    std::size_t i = 0;
    while (f.values.size() < static_cast<std::size_t>(kMachineValues)) {
        while (i < b.size() && isSpace(b[i]))
            ++i;
        if (i == b.size() || !isMark(i)) return;
        ++i;
        const bool text = f.values.size() + 1 == static_cast<std::size_t>(kDirectoryTextLine);
        while (i < b.size() && (text ? (b[i] == ' ' || b[i] == '\t') : isSpace(b[i])))
            ++i;
        if (i == b.size()) return;
        const std::size_t start = i;
        while (i < b.size() && !isMark(i) && (text ? b[i] != '\n' : !isSpace(b[i])))
            ++i;
        std::size_t end = i;
        if (text && end > start && b[end - 1] == '\r') --end;
        if (!text && end == start) return;
        f.values.push_back({start, end - start});
    }
    f.readable = true;
}

// params.cfg: a number at the start of each of four lines, a comment after it. A line without a
// number reads as 0; the span is then empty, at the line's first character. An optional fifth
// line starts with the machine's unit word, up to white space, a // comment or a NUL byte.
void locateParamsValues(SettingFileText& f) {
    const std::string& b = f.bytes;
    std::size_t lineStart = 0;
    while (f.values.size() <= static_cast<std::size_t>(kParamsLines) && lineStart < b.size()) {
        std::size_t i = lineStart;
        while (i < b.size() && b[i] != '\n' && isSpace(b[i]))
            ++i;
        const std::string rest = b.substr(i, b.find('\n', i) - i);
        std::size_t length = 0;
        if (f.values.size() < static_cast<std::size_t>(kParamsLines)) {
            char* end = nullptr;
            std::strtod(rest.c_str(), &end);
            length = static_cast<std::size_t>(end - rest.c_str());
        } else {
            while (length < rest.size() && !isSpace(rest[length]) && rest[length] != '\0' &&
                   rest.compare(length, 2, "//") != 0)
                ++length;
        }
        f.values.push_back({i, length});
        const std::size_t newline = b.find('\n', lineStart);
        if (newline == std::string::npos) break;
        lineStart = newline + 1;
    }
    f.readable = f.values.size() >= static_cast<std::size_t>(kParamsLines);
}

// The unit a fifth line's word declares: "in", "mm", "" (none: no line, a blank line or a
// comment), or nullptr when the word is no unit (the conversion reports it and takes none).
const char* declaredUnit(const std::string& word) {
    if (word.empty()) return "";
    std::string lower;
    for (const char c : word)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "in") return "in";
    if (lower == "mm") return "mm";
    return nullptr;
}

constexpr int kUnitLine = 5;
constexpr const char* kUnitComment = "//Machine unit (in or mm)";

// The bytes of params.cfg with its unit set to unit ("in", "mm", or "" for none). A missing
// fifth line is added in the file's own line ends, its value in a column of 10 characters as the
// other lines have it; none removes a fifth line that ends the file, and otherwise only its word
// (a comment mark in its place when other text follows it on the line).
std::string withUnit(const SettingFileText& f, const std::string& unit) {
    std::string b = f.bytes;
    if (f.values.size() <= static_cast<std::size_t>(kParamsLines)) {
        if (unit.empty()) return b;
        const char* eol = b.find("\r\n") != std::string::npos ? "\r\n" : "\n";
        if (!b.empty() && b.back() != '\n') b += eol;
        std::string line = unit;
        line.resize(10, ' ');
        return b + line + kUnitComment + eol;
    }
    const SettingFileText::Span span = f.values[kUnitLine - 1];
    if (!unit.empty()) {
        const bool joins = span.length == 0 && span.offset < b.size() && !isSpace(b[span.offset]);
        return b.replace(span.offset, span.length, joins ? unit + " " : unit);
    }
    const std::size_t lineStart = b.rfind('\n', span.offset - 1) + 1;
    const std::size_t lineEnd = b.find('\n', span.offset);
    const bool last = lineEnd == std::string::npos ||
                      b.find_first_not_of(" \t\r\n", lineEnd) == std::string::npos;
    if (last) return b.substr(0, lineStart);
    // Text after the word that is no comment would be read as the unit word once the word is
    // gone: it is made a comment instead.
    std::size_t rest = span.offset + span.length;
    while (rest < b.size() && b[rest] != '\n' && isSpace(b[rest]))
        ++rest;
    const bool text =
        rest < b.size() && b[rest] != '\n' && b[rest] != '\0' && b.compare(rest, 2, "//") != 0;
    return b.replace(span.offset, span.length, text ? "//" : "");
}

SettingFileText readSettingFile(const std::string& dir, SettingFile which) {
    SettingFileText f;
    f.path = joined(dir, which == SettingFile::Machine ? kMachineName : kParamsName);
    f.present = readBytes(f);
    if (!f.present) {
        f.present = !f.unread.empty();
        return f;
    }
    if (which == SettingFile::Machine) {
        locateMachineValues(f);
    } else {
        locateParamsValues(f);
    }
    return f;
}

const Setting* settingNamed(const std::string& name) {
    for (const Setting& s : settings())
        if (name == s.name) return &s;
    return nullptr;
}

// A number as the controller's readers take it: the whole text must be one finite number.
bool parseNumber(const std::string& text, double& value) {
    if (text.empty() || isSpace(text[0])) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return *end == '\0' && errno != ERANGE && std::isfinite(value);
}

// A 16-bit word in decimal or with a 0x prefix in hexadecimal.
bool parseWord(const std::string& text, unsigned& value) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 0);
    if (*end != '\0' || v > 0xFFFF) return false;
    value = static_cast<unsigned>(v);
    return true;
}

// The shortest decimal text that reads back as value (params.cfg keeps numbers as people write).
std::string shortestText(double value) {
    char text[40];
    for (int digits = 1; digits <= 17; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    return text;
}

bool onOff(const std::string& text, bool& on) {
    if (text == "on" || text == "yes" || text == "1") {
        on = true;
    } else if (text == "off" || text == "no" || text == "0") {
        on = false;
    } else {
        return false;
    }
    return true;
}

// The new text of the value's number, or an explanation in message.
bool newValueText(const Setting& s, const SettingFileText& f, const std::string& value,
                  std::string& text, std::string& message) {
    double number = 0.0;
    unsigned word = 0;
    bool on = false;
    switch (s.kind) {
        case SettingKind::Real:
        case SettingKind::Positive:
        case SettingKind::NonNegative:
            if (!parseNumber(value, number)) {
                message = "'" + value + "' is not a number";
                return false;
            }
            if (s.kind == SettingKind::Positive && !(number > 0.0)) {
                message = std::string(s.name) + " must be above 0";
                return false;
            }
            if (s.kind == SettingKind::NonNegative && number < 0.0) {
                message = std::string(s.name) + " must not be negative";
                return false;
            }
            if (s.file == SettingFile::Params) {
                text = shortestText(number);
            } else {
                appendf(text, "%f", number);  // six decimals, as the controller writes them
            }
            return true;
        case SettingKind::Word:
            if (!parseWord(value, word)) {
                message =
                    "'" + value + "' is not a whole number from 0 to 65535 (or 0x0 to 0xFFFF)";
                return false;
            }
            appendf(text, "%u", word);
            return true;
        case SettingKind::Unit: {
            // In either case, as the conversion reads the line; written in lower case.
            std::string unit = value;
            for (char& c : unit)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (unit != "in" && unit != "mm" && unit != "none") {
                message = "'" + value + "' is no unit: in, mm, or none";
                return false;
            }
            text = unit == "none" ? "" : unit;
            return true;
        }
        case SettingKind::OptionBit:
            if (!onOff(value, on)) {
                message = "'" + value + "' is neither on nor off";
                return false;
            }
            if (!parseWord(f.valueText(kOptionBitsLine), word)) {
                message = "the option bits of " + f.path + " are not a number";
                return false;
            }
            word = on ? (word | s.bit) : (word & ~s.bit);
            appendf(text, "%u", word);
            return true;
    }
    return false;
}

bool replaceFile(const std::string& path, const std::string& bytes) {
    Replacement r;
    FILE* file = beginReplacement(r, path.c_str());
    if (file == nullptr) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        abandonReplacement(r);
        return false;
    }
    return commitReplacement(r);
}

const char* optionState(const SettingFileText& f, unsigned bit) {
    unsigned word = 0;
    if (!parseWord(f.valueText(kOptionBitsLine), word)) return "?";
    return (word & bit) != 0 ? "on" : "off";
}

void appendFile(std::string& out, const SettingFileText& f, SettingFile which) {
    if (!f.unread.empty()) {
        appendf(out, "%s: %s; the conversion leaves it as it is and uses the defaults\n",
                f.path.c_str(), f.unread.c_str());
        return;
    }
    if (!f.present) {
        appendf(out, "%s: missing; the next conversion creates it with the defaults\n",
                f.path.c_str());
        return;
    }
    if (!f.readable) {
        appendf(out,
                which == SettingFile::Machine
                    ? "%s: damaged (not 166 values); the next conversion keeps it as "
                      "ZORVAN.CFG.bak and writes the defaults\n"
                    : "%s: fewer than four lines; the missing values keep their defaults\n",
                f.path.c_str());
        if (which == SettingFile::Machine) return;
    } else {
        appendf(out, "%s\n", f.path.c_str());
    }
    for (const Setting& s : settings()) {
        if (s.file != which) continue;
        if (s.kind == SettingKind::OptionBit) {
            appendf(out, "  %-20s %-14s       0x%02X: %s\n", s.name, optionState(f, s.bit), s.bit,
                    s.meaning);
            continue;
        }
        if (s.kind == SettingKind::Unit) {
            const std::string word = f.valueText(s.line);
            const char* unit = declaredUnit(word);
            const std::string shown = unit == nullptr   ? word + " (no unit)"
                                      : unit[0] == '\0' ? std::string("undeclared")
                                                        : std::string(unit);
            appendf(out, "  %-20s %-20s %s (line %d)\n", s.name, shown.c_str(), s.meaning, s.line);
            continue;
        }
        if (s.line > static_cast<int>(f.values.size())) continue;
        const std::string text = f.valueText(s.line);
        std::string shown(text.empty() ? "0" : text.c_str());
        unsigned word = 0;
        if (s.line == kOptionBitsLine && which == SettingFile::Machine && parseWord(shown, word))
            appendf(shown, " (0x%02X)", word);
        appendf(out, "  %-20s %-14s %-5s %s (%s %d)\n", s.name, shown.c_str(), s.unit, s.meaning,
                which == SettingFile::Machine ? "value" : "line", s.line);
    }
    if (which == SettingFile::Machine) {
        unsigned word = 0;
        if (parseWord(f.valueText(kOptionBitsLine), word) && (word & ~0x21u) != 0) {
            appendf(out, "  %-20s 0x%02X           other option bits, kept for the controller\n",
                    "", word & ~0x21u);
        }
        appendf(out, "  %-20s %-14s       the directory the file was made in (value %d)\n",
                "made-in", f.valueText(kDirectoryTextLine).c_str(), kDirectoryTextLine);
    }
}

}  // namespace

std::string SettingFileText::valueText(int line) const {
    if (line < 1 || line > static_cast<int>(values.size())) return "";
    const Span& s = values[static_cast<std::size_t>(line - 1)];
    return bytes.substr(s.offset, s.length);
}

const std::vector<Setting>& settings() {
    using K = SettingKind;
    using F = SettingFile;
    static const std::vector<Setting> list = {
        {"pulses-per-unit-x", F::Machine, 3, K::Real, 0, "p/u",
         "pulses per unit of X; negative reverses the motor, 0 leaves the axis unused"},
        {"pulses-per-unit-y", F::Machine, 4, K::Real, 0, "p/u", "pulses per unit of Y"},
        {"pulses-per-unit-z", F::Machine, 5, K::Real, 0, "p/u", "pulses per unit of Z"},
        {"pulses-per-unit-a", F::Machine, 6, K::Real, 0, "p/u", "pulses per unit of A"},
        {"rapid-speed", F::Machine, 7, K::Positive, 0, "u/min", "traverses (G0) across X, Y, A"},
        {"rapid-speed-z", F::Machine, 8, K::Positive, 0, "u/min",
         "Z part of a traverse planned as feeds; the cycles' rapid Z moves"},
        {"feed-speed", F::Machine, 9, K::Positive, 0, "u/min",
         "feeds with an X, Y or A part, until an F word sets it"},
        {"plunge-speed", F::Machine, 10, K::Positive, 0, "u/min",
         "feeds along Z alone and drilling, until an F word sets it"},
        {"acceleration", F::Machine, 11, K::Positive, 0, "u/s2", "along the path"},
        {"swap-xy", F::Machine, 18, K::Word, 0, "", "not 0: X and Y exchange motor outputs"},
        {"option-bits", F::Machine, kOptionBitsLine, K::Word, 0, "", "the options below"},
        {"ignore-f-words", F::Machine, kOptionBitsLine, K::OptionBit, 0x01, "",
         "the program's F words are ignored: feeds run at feed-speed and plunge-speed"},
        {"rapids-as-feeds", F::Machine, kOptionBitsLine, K::OptionBit, 0x20, "",
         "traverses are planned as feeds in the pulse stream, not played from the break stream"},
        {"tool-holder-backoff", F::Params, 1, K::Real, 0, "pulse", "kept for the controller"},
        {"min-fillet-angle", F::Params, 2, K::NonNegative, 0, "deg",
         "corners gentler than this run straight on"},
        {"max-fillet-angle", F::Params, 3, K::NonNegative, 0, "deg",
         "corners sharper than this stop; those between are rounded by a fillet arc"},
        {"max-fillet-error", F::Params, 4, K::NonNegative, 0, "pulse",
         "largest distance from a corner to its fillet arc, in pulses of X"},
        {"machine-unit", F::Params, kUnitLine, K::Unit, 0, "",
         "in or mm: G20/G21 scale the program to it; none: undeclared, G20/G21 change nothing"},
    };
    return list;
}

ConfigurationFiles readConfigurationFiles(const std::string& dir) {
    ConfigurationFiles files;
    files.dir = dir;
    files.machine = readSettingFile(dir, SettingFile::Machine);
    files.params = readSettingFile(dir, SettingFile::Params);
    return files;
}

std::string formatConfiguration(const ConfigurationFiles& files) {
    std::string out;
    appendFile(out, files.machine, SettingFile::Machine);
    appendFile(out, files.params, SettingFile::Params);
    out +=
        "Units: p/u pulses per unit, u/min units per minute, u/s2 units per second squared, in "
        "the\n"
        "machine's unit (machine-unit; the program's while it is undeclared).\nThe other values of "
        "ZORVAN.CFG do not drive the conversion and "
        "are kept as they are.\n";
    return out;
}

int setConfigurationValue(const std::string& dir, const std::string& name, const std::string& value,
                          std::string& message) {
    const Setting* s = settingNamed(name);
    if (s == nullptr) {
        message = "no value named '" + name + "'; the names are";
        for (const Setting& each : settings())
            message += std::string(" ") + each.name;
        return 2;
    }
    // Read, change and replace under the lock a conversion takes to rewrite these files.
    DirectoryLock lock(dir.c_str());
    SettingFileText f = readSettingFile(dir, s->file);
    if (!f.unread.empty()) {
        message = f.path + ": " + f.unread + "; it is left as it is";
        return 1;
    }
    if (!f.present || !f.readable) {
        message = f.path + (f.present ? " is damaged" : " is missing") +
                  "; a conversion writes it with the defaults";
        return 1;
    }
    // The new file replaces the link itself, never its target; a link is rather left alone, as
    // the conversion leaves it, than turned into a copy that no longer follows the file it named.
    if (isSymbolicLink(f.path.c_str())) {
        message = f.path + " is a symbolic link; it is left as it is (change the file it names)";
        return 1;
    }
    std::string text;
    if (!newValueText(*s, f, value, text, message)) return 2;
    const std::string old = f.valueText(s->line);
    if (s->kind == SettingKind::Unit) {
        f.bytes = withUnit(f, text);
    } else {
        const SettingFileText::Span span = f.values[static_cast<std::size_t>(s->line - 1)];
        f.bytes.replace(span.offset, span.length, text);
    }
    if (!replaceFile(f.path, f.bytes)) {
        message = f.path + " cannot be written: " + std::strerror(errno);
        return 1;
    }
    const char* none = s->kind == SettingKind::Unit ? "undeclared" : "0";
    message = f.path + ": " + name + " " + (old.empty() ? none : old) + " -> " +
              (text.empty() ? none : text);
    if (s->kind == SettingKind::OptionBit) message += " (option bits)";
    return 0;
}

}  // namespace pulsepost
