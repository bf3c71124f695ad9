// Converts hostile input through the exported p in a scratch directory and reads back what it
// wrote: the result, the messages, and the decoded streams when the conversion completed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "conversion_fixture.h"

namespace pulsepost::testing {

class Hardening : public ConversionTest {
  protected:
    void quickMachine() { configure(testing::quickMachine); }
    bool exists(const std::string& name) const { return fileExists(dir.file(name)); }
};

inline void expectAt(const Vec4& v, double x, double y, double z, double tolerance = 2e-3) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

}  // namespace pulsepost::testing
