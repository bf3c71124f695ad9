// Diagnostics: every kind of reading that departs from what the program says is reported once,
// with its first line, its word and a count, after the read; the records stay those of the
// dialect.
#include <string>
#include <vector>

#include "gcode_fixture.h"

namespace pulsepost {
namespace {

using testing::interpret;
using testing::InterpretOptions;

std::vector<std::string> warnings(const testing::Interpretation& run) {
    std::vector<std::string> out;
    for (const auto& [code, text] : run.messages) {
        if (code == MessageCode::Warning) out.push_back(text);
    }
    return out;
}

TEST(GcodeDiagnostics, EveryKindIsReportedOnceWithItsFirstLineWordAndCount) {
    InterpretOptions ignoreF;
    ignoreF.limits.ignoreFWords = true;
    InterpretOptions noA;
    noA.limits.disabledAxes = 0x08;
    InterpretOptions inchMachine;
    inchMachine.limits.unit = MachineUnit::Inch;
    struct Case {
        const char* program;
        InterpretOptions options;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // Every distinct code is named, the first twelve of them.
        {"G1 X1\nG38.2 Z-5\nG1 X2 G38.2 G28\n",
         {},
         {"line 2: G38.2: G code without a meaning here, ignored: G38.2 G28 (3 times)"}},
        {"G1 X1\nM1\nM107\n",
         {},
         {"line 2: M1: M code without a meaning here, ignored: M1 M107 (2 times)"}},
        {"G1 X1\nG94\nG94\n",
         {},
         {"line 2: G94: G code without a meaning here, ignored (2 times)"}},
        {"G1 X1\nG40 G41 G42 G43 G49 G53 G54 G55 G56 G57 G58 G59 G61 G64\n",
         {},
         {"line 2: G40: G code without a meaning here, ignored: G40 G41 G42 G43 G49 G53 G54 G55 "
          "G56 G57 G58 G59 ... (14 times)"}},
        {"G1 X1\nG92.1\nG90.1 G91.1\nG1.0 X2\n",
         {},
         {"line 2: G92.1: G code with a fraction read as its whole number (G92.1 as G92, G90.1 as "
          "G90) (2 times)",
          "line 3: G91.1: G91.1 read as I, J, K relative to the arc's start, coordinates stay "
          "absolute (the controller reads G91: incremental coordinates) (1 time)"}},
        // A cycle drills along Z to machine heights, in G91 and G18 too.
        {"G91 G81 X1 Y1 R0.1 Z-0.5\nX1\nG90 G18\nG83 X2 Y2 R1 Z-1 Q0.5\nG80\n",
         {},
         {"line 1: G81: cycle drilled along Z with its R and Z as machine heights: the G18/G19 "
          "plane, incremental mode and a G92 offset do not apply to them (the controller does the "
          "same) (4 times)"}},
        // G73 is a mode whose lines drill nothing: each line in it is counted.
        {"G0 Z5\nG98 G73 X1 Y1 Z-1 R1 Q0.25\nX2\n\nG80\nG0 X0\n",
         {},
         {"line 2: G98: G code without a meaning here, ignored (1 time)",
          "line 2: G73: chip-breaking peck cycle not executed: the lines in its mode drill no hole "
          "(the controller does the same) (2 times)"}},
        // M2 and M30 end the program: later lines only count (an empty tail says nothing).
        {"G1 X1\nM30\n\n(end)\n%\n", {}, {}},
        {"G1 X1\nM2 G1 X2\nG1 Z-5\n\nG0 X9\n",
         {},
         {"line 3: line after the program's end (M2 or M30) not executed (the controller runs it) "
          "(2 times)"}},
        {"G1 X1\ng1 x10\ng1 y10\n",
         {},
         {"line 2: g1: lower-case letters read as words, as upper case (the controller ignores "
          "them) (2 times)"}},
        {"G1 X1\nG1 Y[2+3] Z1.5e-3\n",
         {},
         {"line 2: Y[2+3]: # parameters and [ ] expressions are not read: a word written with one "
          "reads as 0 (1 time)",
          "line 2: Y[2+3]: letter without a number (as inside a keyword such as WAITFORON or AT) "
          "read "
          "as a word with value 0 (1 time)"}},
        {"O100 SUB\nG1 X1 L2\nM91 OUT3\n",
         {},
         {"line 1: O100: word the dialect never reads (O, L, B, C, D, E, H, U), ignored (2 "
          "times)"}},
        {"G1 X1\nG4P500\nG4 P500\nG04P500\n",
         {},
         {"line 3: G4: dwell time not written right after the G4 (as G4P500): the dwell reads 0 "
          "(2 times)"}},
        {"G1 X1\nWAITFORON3\nM50 AT50 OUT3\n",
         {},
         {"line 2: A: letter without a number (as inside a keyword such as WAITFORON or AT) read "
          "as a word with value 0 (5 times)"}},
        {"G1 X1 F100\nG1 X2 F200\nWAITFOROFF1\n",
         ignoreF,
         {"line 3: A: letter without a number (as inside a keyword such as WAITFORON or AT) read "
          "as a word with value 0 (3 times)",
          "line 1: F100: F word ignored: option bit 0x01 of ZORVAN.CFG ignores F words, moves run "
          "at the configured speeds (2 times)"}},
        {"G1 X1 A5\nG1 X2\n",
         noA,
         {"line 1: A5: word for an axis with 0 pulses per unit, executed but no motor moves it (1 "
          "time)"}},
        {"G21\nG1 X1\nG20\n",
         {},
         {"line 1: G21: unit selection not honoured: coordinates and feeds are taken in the "
          "machine's unit, which params.cfg does not declare (2 times)"}},
        // With the unit declared, only a selection other than the machine's unit is reported.
        {"G20\nG1 X1\nG21 G1 X25.4\nG20\nG21\n",
         inchMachine,
         {"line 3: G21: lengths and feeds scaled from the program's unit to the machine's (the "
          "controller ignores G20/G21) (2 times)"}},
        // ";" starts a comment: "Z-2" after it is not a plunge.
        {"G1 X1 ; now plunge Z-2 was too deep\nG1 Z-0.05;Z-2\n",
         {},
         {"line 1: ;: text after ; read as a comment (the controller reads it as words) (2 "
          "times)"}},
        // An arc that starts on its centre (I0 J0) has no circle: its move is not made. A line
        // of the arc mode that moves nothing (S100) asks for no arc.
        {"G1 X1\nG2 X3 Y0 I0 J0\nS100\nX4\nG1 X2\n",
         {},
         {"line 2: arc starting on its centre not executed: it has no radius, the next move "
          "starts where the arc would have started (2 times)"}},
        // Programs that move nothing, with the likeliest reason.
        {"M3\nG4P10\n", {}, {"no motion: no line of the program moves the machine"}},
        {"G73 X1 Y1 Z-1 R1\nX2\n",
         {},
         {"line 1: G73: chip-breaking peck cycle not executed: the lines in its mode drill no hole "
          "(the controller does the same) (2 times)",
          "no motion: its holes are drilled with G73, which the dialect does not execute"}},
        // Programs read as written: nothing to say.
        {"", {}, {}},
        {"(only a comment)\n\n", {}, {}},
        {"G0 X1 Y1\nG1 Z-1 F100\nG2 X3 Y1 I1 J0\nG81 X5 Y5 Z-2 R1\nG80\nM3 S1000\nM8\nM6 T2\n"
         "G1 X6 Y6\nG4P250\nG91 G1 X1E-1\n",
         {},
         {}},
    };
    for (const Case& c : cases) {
        const auto run = interpret(c.program, c.options);
        EXPECT_EQ(run.result, 0) << c.program;
        EXPECT_EQ(warnings(run), c.expected) << c.program;
    }
}

TEST(GcodeDiagnostics, ALongProgramGivesOneLinePerKindAndTheSameRecords) {
    std::string program = "G1 X1\n";
    for (int i = 0; i < 5000; ++i)
        program += "G1 X" + std::to_string(i % 7) + " G43\n";
    const auto run = interpret(program);
    EXPECT_EQ(warnings(run),
              std::vector<std::string>{
                  "line 2: G43: G code without a meaning here, ignored (5000 times)"});
    std::string clean = "G1 X1\n";
    for (int i = 0; i < 5000; ++i)
        clean += "G1 X" + std::to_string(i % 7) + "\n";
    const auto plain = interpret(clean);
    ASSERT_EQ(run.records.size(), plain.records.size());
    for (std::size_t i = 0; i < run.records.size(); ++i)
        EXPECT_EQ(run.records[i].end.x, plain.records[i].end.x);
}

}  // namespace
}  // namespace pulsepost
