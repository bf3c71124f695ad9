#include "gcode/diagnostics.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "report/message_sink.h"

namespace pulsepost {

namespace {

Diagnostics gDiagnostics;

constexpr int kKinds = static_cast<int>(DiagnosticKind::Count);

// What each kind says happened, in the order of DiagnosticKind. A text split over two lines is
// parenthesised, so that it reads (to clang-tidy too) as one entry rather than a missing comma.
constexpr const char* kKindText[kKinds] = {
    "G code without a meaning here, ignored",
    "M code without a meaning here, ignored",
    "G code with a fraction read as its whole number (G92.1 as G92, G90.1 as G90)",
    "lower-case letters read as words, as upper case (the controller ignores them)",
    "# parameters and [ ] expressions are not read: a word written with one reads as 0",
    "word the dialect never reads (O, L, B, C, D, E, H, U), ignored",
    "dwell time not written right after the G4 (as G4P500): the dwell reads 0",
    ("letter without a number (as inside a keyword such as WAITFORON or AT) read as a word with "
     "value 0"),
    ("F word ignored: option bit 0x01 of ZORVAN.CFG ignores F words, moves run at the configured "
     "speeds"),
    "word for an axis with 0 pulses per unit, executed but no motor moves it",
    ("unit selection not honoured: coordinates and feeds are taken in the machine's unit, which "
     "params.cfg does not declare"),
    ("lengths and feeds scaled from the program's unit to the machine's (the controller ignores "
     "G20/G21)"),
    "text after ; read as a comment (the controller reads it as words)",
    "line after the program's end (M2 or M30) not executed (the controller runs it)",
    "arc given by its radius, centre taken from it (the controller skips the arc)",
    ("G91.1 read as I, J, K relative to the arc's start, coordinates stay absolute (the controller "
     "reads G91: incremental coordinates)"),
    ("arc ending within a tenth of a pulse of its start cut as a full circle (the controller "
     "takes the short way there and cuts next to nothing)"),
    ("arc moving A: A moves steadily with the turn, the circle lies in the plane (the controller "
     "runs it off its circle)"),
    ("arc starting on its centre not executed: it has no radius, the next move starts where the "
     "arc would have started"),
    ("chip-breaking peck cycle not executed: the lines in its mode drill no hole (the controller "
     "does the same)"),
    ("cycle drilled along Z with its R and Z as machine heights: the G18/G19 plane, incremental "
     "mode and a G92 offset do not apply to them (the controller does the same)"),
    "no motion",
};

// Character classes of scanUnreadText.
constexpr uint8_t kLowerCase = 0x01;
constexpr uint8_t kExpressionMark = 0x02;  // # [
constexpr uint8_t kUnreadLetter = 0x04;    // a letter no word of the dialect uses
constexpr uint8_t kLineEnd = 0x80;         // the line ends here: "*(%/;" or its terminator

constexpr std::array<uint8_t, 256> kTextClass = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = kLowerCase;
    table['#'] = kExpressionMark;
    table['['] = kExpressionMark;
    for (const char c : {'O', 'L', 'B', 'C', 'D', 'E', 'H', 'U'})
        table[static_cast<unsigned char>(c)] = kUnreadLetter;
    for (const char c : {'*', '(', '%', '/', ';', '\0'})
        table[static_cast<unsigned char>(c)] = kLineEnd;
    return table;
}();

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

uint8_t classOf(char c) {
    return kTextClass[static_cast<unsigned char>(c)];
}

// An unread letter is a word when a number follows it (O also with a name: O<sub>); inside the
// keywords (WAITFORON, OUT) a letter follows it instead.
bool startsUnreadWord(const char* at) {
    return startsNumber(at + 1) || (*at == 'O' && at[1] == '<');
}

// The e of an exponent (1e-3, 2.5E4) belongs to its number.
bool isExponent(const char* line, const char* at) {
    return (*at == 'e' || *at == 'E') && at > line &&
           ((at[-1] >= '0' && at[-1] <= '9') || at[-1] == '.');
}

// Lower-case letters are words, as in every RS274 reader: the line is read in upper case,
// keywords included ("waitforon2" waits as WAITFORON2 does). The e of an exponent stays as it is,
// and so do the letters of a [ ] expression (function names such as sin) and of a #<name>
// parameter: they are no words, and the dialect reads neither. The controller ignores lower-case
// letters, so the first one folded is reported.
void foldLowerCase(char* line, int32_t lineNumber) {
    bool noted = false;
    int brackets = 0;
    bool name = false;
    for (char* c = line; *c; ++c) {
        if (*c == '[') brackets += 1;
        if (*c == ']' && brackets > 0) brackets -= 1;
        if (*c == '<' && c > line && c[-1] == '#') name = true;
        if (*c == '>') name = false;
        if (brackets > 0 || name || classOf(*c) != kLowerCase || isExponent(line, c)) continue;
        if (!noted) noteDiagnostic(DiagnosticKind::LowerCase, lineNumber, c);
        noted = true;
        *c = static_cast<char>(*c - 'a' + 'A');
    }
}

void noteUnreadText(const char* line, int32_t lineNumber, uint8_t found) {
    bool expression = (found & kExpressionMark) == 0;
    bool unread = (found & kUnreadLetter) == 0;
    for (const char* c = line; *c && !(expression && unread); ++c) {
        const uint8_t cls = isExponent(line, c) ? 0 : classOf(*c);
        if (!expression && cls == kExpressionMark) {
            const bool afterLetter = c > line && c[-1] >= 'A' && c[-1] <= 'Z';
            noteDiagnostic(DiagnosticKind::Expression, lineNumber, afterLetter ? c - 1 : c);
            expression = true;
        } else if (!unread && cls == kUnreadLetter && startsUnreadWord(c)) {
            noteDiagnostic(DiagnosticKind::UnreadWord, lineNumber, c);
            unread = true;
        }
    }
}

const char* noMotionReason() {
    if (diagnosed(DiagnosticKind::Expression)) {
        return "its coordinates are # parameters or [ ] expressions, which the dialect does not "
               "read";
    }
    if (diagnosed(DiagnosticKind::CycleNotRun)) {
        return "its holes are drilled with G73, which the dialect does not execute";
    }
    return "no line of the program moves the machine";
}

}  // namespace

Diagnostics& diagnostics() {
    return gDiagnostics;
}

void resetDiagnostics() {
    gDiagnostics = Diagnostics{};
}

void noteFirstDiagnostic(DiagnosticKind kind, int32_t lineNumber, const char* word) {
    Diagnostics& d = gDiagnostics;
    const int k = static_cast<int>(kind);
    d.seen |= 1u << k;
    d.firstLine[k] = lineNumber;
    // The word: its letter, then its text up to a blank or the next upper-case letter.
    std::size_t n = 0;
    if (word && *word) {
        d.firstWord[k][n++] = word[0];
        for (; n + 1 < sizeof d.firstWord[k] && word[n] && !isBlank(word[n]) &&
               !(word[n] >= 'A' && word[n] <= 'Z');
             ++n) {
            d.firstWord[k][n] = word[n];
        }
    }
    d.firstWord[k][n] = '\0';
}

void noteUnknownCode(DiagnosticKind kind, int32_t lineNumber, const char* word) {
    noteDiagnostic(kind, lineNumber, word);
    Diagnostics& d = gDiagnostics;
    const int list = kind == DiagnosticKind::UnknownMCode ? 1 : 0;
    char code[sizeof d.codes[0][0]] = {word[0]};
    std::size_t n = 1;
    for (const char* c = word + 1; n + 1 < sizeof code && ((*c >= '0' && *c <= '9') || *c == '.');
         ++c) {
        code[n++] = *c;
    }
    const int32_t listed = std::min(d.codeCount[list], static_cast<int32_t>(kListedCodes));
    for (int32_t i = 0; i < listed; ++i)
        if (std::strcmp(d.codes[list][i], code) == 0) return;
    if (d.codeCount[list] < kListedCodes) std::memcpy(d.codes[list][d.codeCount[list]], code, n);
    if (d.codeCount[list] <= kListedCodes) d.codeCount[list] += 1;  // past the list: "..."
}

bool cutLine(char* line, int32_t lineNumber) {
    uint8_t found = 0;
    char* c = line;
    for (uint8_t cls = classOf(*c); (cls & kLineEnd) == 0; cls = classOf(*++c))
        found |= cls;
    if (*c == ';') noteDiagnostic(DiagnosticKind::SemicolonComment, lineNumber, c);
    const bool cut = *c != '\0';
    *c = '\0';
    if ((found & kLowerCase) != 0) {
        foldLowerCase(line, lineNumber);
        found |= kUnreadLetter;  // a folded o, l, b... may be a word the dialect never reads
    }
    if (found != 0) noteUnreadText(line, lineNumber, found);
    return cut;
}

namespace {

// ": G94 G40 G54" after the text of the unknown-code kinds that saw more than one code; " ..."
// ends a list of more than kListedCodes. Empty otherwise.
std::array<char, kListedCodes * 8 + 8> codeList(int kind) {
    std::array<char, kListedCodes * 8 + 8> text{};
    const Diagnostics& d = gDiagnostics;
    const int list = kind == static_cast<int>(DiagnosticKind::UnknownMCode)   ? 1
                     : kind == static_cast<int>(DiagnosticKind::UnknownGCode) ? 0
                                                                              : -1;
    if (list < 0 || d.codeCount[list] < 2) return text;
    std::size_t n = 0;
    const auto put = [&](const char* s) {
        for (; *s && n + 1 < text.size(); ++s)
            text[n++] = *s;
    };
    put(":");
    const int32_t listed = std::min(d.codeCount[list], static_cast<int32_t>(kListedCodes));
    for (int32_t i = 0; i < listed; ++i) {
        put(" ");
        put(d.codes[list][i]);
    }
    if (d.codeCount[list] > kListedCodes) put(" ...");
    return text;
}

}  // namespace

void reportDiagnostics() {
    const Diagnostics& d = gDiagnostics;
    for (int k = 0; k < kKinds; ++k) {
        if ((d.seen & (1u << k)) == 0) continue;
        if (k == static_cast<int>(DiagnosticKind::NoMotion)) {
            messageSinkf(MessageCode::Warning, "no motion: %s", noMotionReason());
            continue;
        }
        const unsigned long long times = d.count[k];
        messageSinkf(MessageCode::Warning, "line %d: %s%s%s%s (%llu time%s)",
                     static_cast<int>(d.firstLine[k]), d.firstWord[k],
                     d.firstWord[k][0] ? ": " : "", kKindText[k], codeList(k).data(), times,
                     times == 1 ? "" : "s");
    }
}

}  // namespace pulsepost
