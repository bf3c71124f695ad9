// Diagnostics: what the reader did not execute as written. The dialect never rejects a word (it
// ignores it or reads it as 0), so the user is told instead: every kind of reading that departs
// from what the program says is counted while the program is read, with the line and the word of
// its first occurrence, and reported once per kind through the message sink (code Warning) when
// the read ends. A 300,000-line program thus gives a few lines, not 300,000. Warnings never
// change a conversion's result or its outputs.
#pragma once

#include <cstdint>

namespace pulsepost {

enum class DiagnosticKind : uint8_t {
    UnknownGCode,         // a G number without a meaning here: ignored
    UnknownMCode,         // an M number without a meaning here: ignored
    WholeGCode,           // a G number with a fraction (G92.1): read as its whole number
    LowerCase,            // lower-case letters: read as words (the controller ignores them)
    Expression,           // a # parameter or a [ ] expression: not read, its word reads 0
    UnreadWord,           // O, L and letters the dialect never reads (N is a line number: fine)
    DwellSpacing,         // G4 whose time is not right after it ("G4 P1"): dwells what it reads
    LetterWithoutNumber,  // a word letter with no number, as inside a keyword: read as 0
    FWordIgnored,         // F words are ignored by option bit 0x01
    DisabledAxis,         // a word for an axis with 0 pulses per unit: moves no motor
    UnitsIgnored,         // G20/G21 with the machine's unit undeclared: lengths stay as written
    UnitsScaled,          // G20/G21 other than the machine's unit: lengths scaled (controller: not)
    SemicolonComment,     // ";" read as the start of a comment, where the controller reads words
    AfterProgramEnd,      // a line after M2/M30, not executed (the controller runs it)
    RadiusArc,            // G2/G3 with R and no I, J, K: centre from the radius (controller skips)
    ArcCentreMode,        // G91.1: I, J, K relative to the start, not G91 (the controller's G91)
    FullTurn,             // an arc ending within a tenth of a pulse of its start: a full circle
    ArcMovesA,            // an arc with an A move: A moves steadily with the turn
    ArcOnCentre,          // an arc starting on its centre: no radius, the arc is skipped
    CycleNotRun,          // a line in the G73 mode: the chip-breaking peck is not run
    CycleHeights,         // a cycle in G18/G19, G91 or under a Z offset: drilled along machine Z
    NoMotion,             // a program with words that yields no motion
    Count
};

constexpr int kListedCodes = 12;  // distinct G or M codes without a meaning named in the report

struct Diagnostics {
    uint32_t seen = 0;  // bit per kind
    uint64_t count[static_cast<int>(DiagnosticKind::Count)] = {};
    int32_t firstLine[static_cast<int>(DiagnosticKind::Count)] = {};
    char firstWord[static_cast<int>(DiagnosticKind::Count)][16] = {};
    // The distinct codes of UnknownGCode [0] and UnknownMCode [1], in the order first seen, so
    // that every code the program holds without a meaning is named, not only the first.
    char codes[2][kListedCodes][8] = {};
    int32_t codeCount[2] = {};  // may exceed kListedCodes: the rest are not named
};

Diagnostics& diagnostics();
void resetDiagnostics();

// Records one more occurrence of kind on the line; word is the text it starts at (copied up to
// its first blank, at most 15 characters) or nullptr. The first occurrence is kept out of line.
void noteFirstDiagnostic(DiagnosticKind kind, int32_t lineNumber, const char* word);
inline void noteDiagnostic(DiagnosticKind kind, int32_t lineNumber, const char* word) {
    Diagnostics& d = diagnostics();
    const int k = static_cast<int>(kind);
    if ((d.seen & (1u << k)) == 0) noteFirstDiagnostic(kind, lineNumber, word);
    d.count[k] += 1;
}

// noteDiagnostic for UnknownGCode and UnknownMCode: the code at word (its letter and number) is
// also listed when it is new.
void noteUnknownCode(DiagnosticKind kind, int32_t lineNumber, const char* word);

inline bool diagnosed(DiagnosticKind kind) {
    return (diagnostics().seen & (1u << static_cast<int>(kind))) != 0;
}

// True when text starts a number as the C library's conversions read it (blanks, a sign, then a
// digit or a point and a digit): otherwise the word reads as 0.
inline bool startsNumber(const char* text) {
    while (*text == ' ' || *text == '\t')
        ++text;
    if (*text == '-' || *text == '+') ++text;
    if (*text == '.') ++text;
    return *text >= '0' && *text <= '9';
}

// Cleans a line: cuts it at the first of "*(%/;" (checksum, comment, tape mark, block delete, and
// the comment CAM systems start with ";", which the controller would read as words), turns
// lower-case letters into upper case (words, where the controller ignores them), and notes what
// is left that the dialect never reads: # and [, and words of letters that are not read. One pass
// with a table; the rare finds go out of line.
// True when the line was cut: the rest of the line, in this piece and in the pieces that follow
// (a line longer than a piece arrives in pieces), is ignored, so a comment is never executed.
bool cutLine(char* line, int32_t lineNumber);

// Sends one Warning message per kind seen (first line, word, count), in the order of the kinds.
void reportDiagnostics();

}  // namespace pulsepost
