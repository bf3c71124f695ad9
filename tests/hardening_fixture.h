// Converts hostile input through the exported p in a scratch directory and reads back what it
// wrote: the result, the messages, and the decoded streams when the conversion completed.
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

inline std::vector<std::pair<int32_t, std::string>>& hardeningMessages() {
    static std::vector<std::pair<int32_t, std::string>> messages;
    return messages;
}

inline void recordHardeningMessage(int32_t code, const char* text) {
    hardeningMessages().emplace_back(code, text);
}

class Hardening : public ::testing::Test {
  protected:
    void SetUp() override {
        hardeningMessages().clear();
        pulsepost_set_message_sink(recordHardeningMessage);
    }
    void TearDown() override { pulsepost_set_message_sink(nullptr); }

    // ZORVAN.CFG in the scratch directory: the defaults, changed by edit.
    void configure(const std::function<void(MachineConfig&)>& edit) {
        std::remove(dir.file("ZORVAN.CFG").c_str());
        setUpConfiguration(dir.path().c_str());
        edit(machineConfig());
        ASSERT_TRUE(writeMachineConfig());
    }

    // A quick machine: 1000 pulses per unit on X, Y and Z, fast moves, F words ignored.
    void quickMachine() {
        configure([](MachineConfig& c) {
            for (int i = 0; i < 3; ++i)
                c.stepsPerUnit[i] = 1000.0;
            c.stepsPerUnit[3] = 0.0;
            c.rapidSpeed = 6000.0;
            c.rapidSpeedZ = 6000.0;
            c.feedSpeed = 3000.0;
            c.plungeSpeed = 3000.0;
            c.acceleration = 1000.0;
        });
    }

    int32_t convertFile(const std::string& path) {
        programPath = path;
        return p(programPath.c_str(), nullptr, dir.path().c_str());
    }

    int32_t convert(const std::string& program, const std::string& name = "part.nc") {
        writeFile(dir.file(name), program);
        return convertFile(dir.file(name));
    }

    // Decodes the streams beside the last program; fails the test when they do not read back.
    Readback readBack() {
        MotionScale scale;
        readConfiguredScale(dir.path().c_str(), scale);
        Readback r;
        ReadbackError error;
        EXPECT_EQ(readbackProgram(programPath.c_str(), scale, r, error), 0)
            << describeReadbackError(error);
        return r;
    }

    // The one refusal of the last conversion (code 8), or "" when there was none.
    std::string refusal() const {
        std::string text;
        for (const auto& [code, message] : hardeningMessages()) {
            if (code == 8) text += message;
        }
        return text;
    }

    bool exists(const std::string& name) const { return fileExists(dir.file(name)); }

    ScratchDir dir;
    WorkingDir here{dir.path()};
    std::string programPath;
};

inline void expectAt(const Vec4& v, double x, double y, double z, double tolerance = 2e-3) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace pulsepost::testing
