// params.cfg, the FILTER.CFG overrides and the axis map.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "report/message_sink.h"
#include "test_support.h"

namespace pulsepost {
namespace {

void readParamsIn(const testing::ScratchDir& dir) {
    setConfigurationDirectory(dir.path().c_str());
    resetCutParams();
    readCutParams();
}

TEST(CutParamsFile, MissingFileIsCreatedAndRead) {
    testing::ScratchDir dir;
    cutParams().maxFilletAngle = 99.0;
    readParamsIn(dir);
    EXPECT_EQ(testing::readFile(dir.file("params.cfg")),
              "7000      //Tool holder backoff (in pulses)\r\n"
              "0.1       //Minimum Fillet Tolerance (degrees)\r\n"
              "15.0      //Maximum Fillet Tolerance (degrees)\r\n"
              "10.16     //Max Fillet Error\r\n");
    const CutParams& p = cutParams();
    EXPECT_EQ(p.toolHolderBackoff, 7000.0);
    EXPECT_EQ(p.maxFilletAngle, 15.0);
    EXPECT_EQ(p.minFilletAngle, 0.1);
    EXPECT_EQ(p.maxFilletError, 10.16);
}

TEST(CutParamsFile, NumbersAtTheStartOfLinesInMemoryOrder) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("params.cfg"), "  12.5xyz\n1 min\n2e1\nnone\nignored 5\n");
    readParamsIn(dir);
    EXPECT_EQ(cutParams().toolHolderBackoff, 12.5);
    EXPECT_EQ(cutParams().minFilletAngle, 1.0);
    EXPECT_EQ(cutParams().maxFilletAngle, 20.0);
    EXPECT_EQ(cutParams().maxFilletError, 0.0);  // a line without a number

    // A line longer than 254 characters is read in pieces: its rest is the next line.
    testing::writeFile(dir.file("params.cfg"), "5" + std::string(253, ' ') + "7 rest\n8\n9\n10\n");
    readParamsIn(dir);
    EXPECT_EQ(cutParams().toolHolderBackoff, 5.0);
    EXPECT_EQ(cutParams().minFilletAngle, 7.0);
    EXPECT_EQ(cutParams().maxFilletAngle, 8.0);
    EXPECT_EQ(cutParams().maxFilletError, 9.0);
}

// The optional fifth line declares the machine's unit; what is no unit is reported and declares
// none. A unit declared for the process takes the file's place.
TEST(CutParamsFile, FifthLineDeclaresTheUnit) {
    static std::vector<std::string> notices;
    setMessageSink([](int32_t code, const char* text) {
        if (code == MessageCode::Notice) notices.emplace_back(text);
    });
    testing::ScratchDir dir;
    const std::string four = "7000\r\n0.1\r\n15.0\r\n10.16\r\n";
    // A long fourth line is read in pieces; the unit is still the file's fifth line.
    const std::string longFourth = four.substr(0, four.size() - 2) + std::string(300, ' ');
    struct Case {
        std::string fifth;
        MachineUnit unit;
        bool reported;
        std::string before = {};  // the four lines, when not four
    };
    const Case cases[] = {
        {"", MachineUnit::Undeclared, false},
        {"in        //Machine unit (in or mm)\r\n", MachineUnit::Inch, false},
        {" MM//metric\n", MachineUnit::Millimetre, false},
        {"\r\n", MachineUnit::Undeclared, false},
        {"// a note\r\n", MachineUnit::Undeclared, false},
        {"mm\r\n", MachineUnit::Millimetre, false, longFourth + "//error\r\n"},
        {"", MachineUnit::Undeclared, false, longFourth + "in\r\n"},
        // White space of any kind and any length around the word, a NUL byte after it: as
        // pulsepost config reads the line.
        {"\fmm\f\r\n", MachineUnit::Millimetre, false},
        {std::string(300, ' ') + "in\r\n", MachineUnit::Inch, false},
        {std::string("mm\0x\r\n", 6), MachineUnit::Millimetre, false},
        {"inch\r\n", MachineUnit::Undeclared, true},
        {"ignored 5\n", MachineUnit::Undeclared, true},
    };
    for (const Case& c : cases) {
        notices.clear();
        testing::writeFile(dir.file("params.cfg"), (c.before.empty() ? four : c.before) + c.fifth);
        readParamsIn(dir);
        EXPECT_EQ(cutParams().unit, c.unit) << c.fifth;
        EXPECT_EQ(machineUnit(), c.unit) << c.fifth;
        EXPECT_EQ(cutParams().maxFilletError, 10.16) << c.fifth;
        EXPECT_EQ(notices.size(), c.reported ? 1u : 0u) << c.fifth;
    }
    EXPECT_NE(notices.at(0).find("line 5 \"ignored 5\" declares no unit (write in or mm)"),
              std::string::npos)
        << notices.at(0);
    setUnitOverride(MachineUnit::Millimetre);
    testing::writeFile(dir.file("params.cfg"), four + "in\r\n");
    readParamsIn(dir);
    EXPECT_EQ(machineUnit(), MachineUnit::Millimetre);
    setUnitOverride(MachineUnit::Undeclared);
    EXPECT_EQ(machineUnit(), MachineUnit::Inch);
    setMessageSink(nullptr);
}

TEST(CutParamsFile, MissingLinesKeepTheirDefaults) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("params.cfg"), "100\r\n0.5");
    readParamsIn(dir);
    EXPECT_EQ(cutParams().toolHolderBackoff, 100.0);
    EXPECT_EQ(cutParams().minFilletAngle, 0.5);
    EXPECT_EQ(cutParams().maxFilletAngle, 15.0);
    EXPECT_EQ(cutParams().maxFilletError, 10.16);
    testing::writeFile(dir.file("params.cfg"), "");
    readParamsIn(dir);
    EXPECT_EQ(cutParams().toolHolderBackoff, 7000.0);
    EXPECT_EQ(testing::readFile(dir.file("params.cfg")), "");  // present: not rewritten
}

class FilterOverrides : public ::testing::Test {
  protected:
    void SetUp() override {
        resetMachineConfig();
        setDefaultMachineConfig();
    }
    void apply(const std::string& content) {
        testing::writeFile("FILTER.CFG", content);
        EXPECT_TRUE(applyFilterOverrides());
        removeFilterOverrides();
    }
    void expectRow(int axis, int p1, int p2, int p3, int p4) {
        const int32_t* row = machineConfig().filterTable[axis];
        EXPECT_EQ(row[0], p1);
        EXPECT_EQ(row[1], p2);
        EXPECT_EQ(row[2], p3);
        EXPECT_EQ(row[3], p4);
    }
    testing::ScratchDir dir_;
    testing::WorkingDir here_{dir_.path()};
};

TEST_F(FilterOverrides, RecordsReplaceTheirAxisRow) {
    apply("x 0 1 2 3 4\n");
    expectRow(0, 1, 3, 3, 4);
    expectRow(1, 300, 15, 1000, 15);
    apply("R 0 500 10 900 20\n");
    expectRow(3, 500, 10, 900, 20);
    apply("Y 0 0x10 010 -5 3\n");
    expectRow(1, 16, 8, -5, 3);
}

TEST_F(FilterOverrides, UnknownLettersAreSkippedAndLaterRecordsWin) {
    apply("\nA 0 1 1 1 1\nz 9 10 11 12 13\nZ 9 20\n  21 22 23\nq 1 2 3 4 5\ny 0 7 7 7 7\n");
    expectRow(2, 20, 21, 22, 23);
    expectRow(1, 7, 7, 7, 7);
    expectRow(3, 300, 15, 1000, 15);
}

TEST_F(FilterOverrides, ReadingStopsAtARecordThatDoesNotConvert) {
    apply("X 0 1 5 1 5\nY 0 oops 1 1 1\nZ 0 2 6 2 6\n");
    expectRow(0, 1, 5, 1, 5);
    expectRow(1, 300, 15, 1000, 15);
    expectRow(2, 200, 15, 1000, 15);
    apply("X 0 9 9 9");  // end of file inside a record
    expectRow(0, 1, 5, 1, 5);
}

TEST_F(FilterOverrides, NoFileChangesNothing) {
    EXPECT_FALSE(applyFilterOverrides());
    expectRow(0, 300, 15, 1000, 15);
}

class AxisMapping : public ::testing::Test {
  protected:
    void SetUp() override {
        resetAxisMap();
        resetMachineConfig();
        setDefaultMachineConfig();
    }
    void TearDown() override { resetAxisMap(); }
    static void build(double x, double y, double z, double a, uint16_t swap) {
        MachineConfig& c = machineConfig();
        c.stepsPerUnit[0] = x;
        c.stepsPerUnit[1] = y;
        c.stepsPerUnit[2] = z;
        c.stepsPerUnit[3] = a;
        c.swapXY = swap;
        buildAxisMap();
    }
    static void expectTables(std::array<int32_t, 4> channel, std::array<int32_t, 4> sign,
                             std::array<int32_t, 4> enabled, std::array<double, 4> scale) {
        const AxisMap& m = axisMap();
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(m.axisChannel[i], channel[i]) << "output " << i;
            EXPECT_EQ(m.axisSign[i], sign[i]) << "axis " << i;
            EXPECT_EQ(m.axisEnabled[i], enabled[i]) << "axis " << i;
            EXPECT_EQ(m.axisScale[i], scale[i]) << "axis " << i;
        }
    }
};

TEST_F(AxisMapping, DefaultAndSwappedMachines) {
    expectTables({0, 1, 2, 3}, {1, 1, -1, -1}, {1, 1, 1, 1}, {0, 0, 0, 0});  // at load
    build(10160, 10160, 10160, 0, 0);
    expectTables({0, 1, 2, 3}, {1, 1, -1, 1}, {1, 1, 1, 0}, {10160, 10160, 10160, 0});
    build(10160, 10160, 10160, 0, 1);
    expectTables({1, 0, 2, 3}, {1, -1, -1, 1}, {1, 1, 1, 0}, {10160, 10160, 10160, 0});
    build(10160, -2000, 10160, 0, 7);
    expectTables({1, 0, 2, 3}, {1, 1, -1, 1}, {1, 1, 1, 0}, {10160, 2000, 10160, 0});
}

TEST_F(AxisMapping, NegativeValuesReverseTheSenseAndKeepAPositiveScale) {
    build(-10160, 500, -10160, -36, 0);
    expectTables({0, 1, 2, 3}, {-1, 1, 1, -1}, {1, 1, 1, 1}, {10160, 500, 10160, 36});
}

TEST_F(AxisMapping, DisabledAxisNeverKeepsAnEarlierScale) {
    build(100, 200, 300, 400, 0);
    build(0, 200, 300, 0, 0);
    expectTables({0, 1, 2, 3}, {1, 1, -1, 1}, {0, 1, 1, 0}, {0, 200, 300, 0});
}

}  // namespace
}  // namespace pulsepost
