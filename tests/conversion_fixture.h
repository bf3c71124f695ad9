// Whole conversions through the exported p, as a host runs them: a scratch directory that is also
// the current directory (timeMem.txt goes there), a machine configured in it, the program written
// there and converted, its messages and progress reports recorded, and the files read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "config/configuration_setup.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "pulsepost/pulsepost.h"
#include "readback/configured_scale.h"
#include "readback/motion_readback.h"
#include "test_support.h"

namespace pulsepost::testing {

using Messages = std::vector<std::pair<int32_t, std::string>>;
using Reports = std::vector<std::pair<int, int>>;

// What the library said during the conversions of the running test.
inline Messages& conversionMessages() {
    static Messages messages;
    return messages;
}
inline Reports& progressReports() {
    static Reports reports;
    return reports;
}
inline void recordConversionMessage(int32_t code, const char* text) {
    conversionMessages().emplace_back(code, text);
}
inline void PULSEPOST_CALL recordConversionProgress(int32_t stage, int32_t percent) {
    progressReports().emplace_back(stage, percent);
}

// The machines the tests configure, each a change of the defaults.

// 100 pulses per unit on X, Y and Z, feeds at 1 unit per second, acceleration 1, F words
// ignored: the machine of the worked examples.
inline void exampleMachine(MachineConfig& c) {
    for (int i = 0; i < 3; ++i)
        c.stepsPerUnit[i] = 100.0;
    c.stepsPerUnit[3] = 0.0;
    c.feedSpeed = 60.0;
    c.plungeSpeed = 60.0;
    c.rapidSpeed = 600.0;
    c.rapidSpeedZ = 600.0;
    c.acceleration = 1.0;
    c.optionBits = kOptionIgnoreFWords;
}

// A quick machine: 1000 pulses per unit on X, Y and Z, fast moves, F words ignored.
inline void quickMachine(MachineConfig& c) {
    for (int i = 0; i < 3; ++i)
        c.stepsPerUnit[i] = 1000.0;
    c.stepsPerUnit[3] = 0.0;
    c.rapidSpeed = 6000.0;
    c.rapidSpeedZ = 6000.0;
    c.feedSpeed = 3000.0;
    c.plungeSpeed = 3000.0;
    c.acceleration = 1000.0;
}

// A shop machine that runs the program's F words, plays rapids from the break stream, swaps X and
// Y and drives the fourth axis.
inline void shopMachine(MachineConfig& c) {
    c.stepsPerUnit[3] = 200.0;
    c.feedSpeed = 120.0;
    c.rapidSpeed = 300.0;
    c.acceleration = 40.0;
    c.swapXY = 1;
    c.optionBits = 0;
}

// One scratch directory for conversions; usable alone (in a loop of a test) or as the base of a
// fixture. Messages and progress are recorded from construction to destruction.
class ScratchConversion {
  public:
    ScratchConversion() {
        conversionMessages().clear();
        progressReports().clear();
        pulsepost_set_message_sink(recordConversionMessage);
    }
    ~ScratchConversion() { pulsepost_set_message_sink(nullptr); }
    ScratchConversion(const ScratchConversion&) = delete;
    ScratchConversion& operator=(const ScratchConversion&) = delete;

    // ZORVAN.CFG in configDir (the scratch directory when empty): the defaults, changed by edit.
    void configure(const std::function<void(MachineConfig&)>& edit,
                   const std::string& configDir = "") {
        const std::string where = configDir.empty() ? dir.path() : configDir;
        std::remove((where + "/ZORVAN.CFG").c_str());
        setUpConfiguration(where.c_str());
        edit(machineConfig());
        ASSERT_TRUE(writeMachineConfig());
    }

    // Converts the program at path with the configuration in configDir (the scratch directory
    // when empty).
    int32_t convertFile(const std::string& path, const std::string& configDir = "") {
        programPath = path;
        const std::string where = configDir.empty() ? dir.path() : configDir;
        return p(programPath.c_str(), recordConversionProgress, where.c_str());
    }

    // Writes program into the scratch directory under name and converts it.
    int32_t convert(const std::string& program, const std::string& name = "part.nc") {
        writeFile(dir.file(name), program);
        return convertFile(dir.file(name));
    }

    // The file written beside the last program with the extension.
    std::string outputFile(const std::string& extension) const {
        return programPath.substr(0, programPath.rfind('.')) + "." + extension;
    }
    std::vector<uint8_t> output(const std::string& extension) const {
        return readBytes(outputFile(extension));
    }

    // Decodes the streams beside the last program with the scale of the scratch directory's
    // configuration; 0, or -1 with error.
    int32_t readBack(Readback& r, ReadbackError& error,
                     const MotionObserver* observer = nullptr) const {
        MotionScale scale;
        readConfiguredScale(dir.path().c_str(), scale);
        return readbackProgram(programPath.c_str(), scale, r, error, observer);
    }

    // The refusals (code 8) of the conversions so far, or "" when there was none.
    static std::string refusal() {
        std::string text;
        for (const auto& [code, message] : conversionMessages()) {
            if (code == 8) text += message;
        }
        return text;
    }

    ScratchDir dir;
    WorkingDir here{dir.path()};
    std::string programPath;
};

// A test with a fresh scratch conversion.
class ConversionTest : public ::testing::Test, public ScratchConversion {
  protected:
    // Decodes the streams beside the last program; fails the test when they do not read back.
    Readback readBack() {
        Readback r;
        ReadbackError error;
        EXPECT_EQ(ScratchConversion::readBack(r, error), 0) << describeReadbackError(error);
        return r;
    }
};

}  // namespace pulsepost::testing
