// AxisMap: which logical axis (X, Y, Z, A = 0..3) feeds which motor output, in which direction,
// with how many pulses per unit, and which axes take part.
#pragma once

#include <cstdint>

namespace pulsepost {

struct AxisMap {
    int32_t axisEnabled[4] = {1, 1, 1, 1};       // by logical axis
    int32_t axisChannel[4] = {0, 1, 2, 3};       // by motor output: its logical axis (self-inverse)
    int32_t axisSign[4] = {1, 1, -1, -1};        // by logical axis: +1 or -1
    double axisScale[4] = {0.0, 0.0, 0.0, 0.0};  // by logical axis: pulses per unit, >= 0
};

// Pulses: an output counts its position in 32 bits, strictly inside this range either way.
constexpr double kPulseRange = 2147483647.0;

AxisMap& axisMap();
// Restores the tables the library starts with.
void resetAxisMap();

// Recomputes all four tables from stepsPerUnit and swapXY of the machine configuration; an axis
// with 0 pulses per unit is disabled and gets scale 0.
void buildAxisMap();

}  // namespace pulsepost
