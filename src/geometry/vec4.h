// Vec4: a point or vector of the machine's four-axis space (X, Y, Z and the fourth axis A), and
// the small arithmetic the geometry is written in.
//
// Two tolerances are part of the type and other code relies on them:
//  - every constructing operation stores a component below kComponentSnap in magnitude (or one
//    that is not a number) as exactly +0.0, so callers may test components for exact zero;
//  - length() reports a length below kLengthFloor as exactly 0, so callers may test lengths of
//    chords, radii and directions for exact zero.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

#include "platform/portable_math.h"

namespace pulsepost {

constexpr double kComponentSnap = 1e-14;
constexpr double kLengthFloor = 1e-10;
constexpr double kPi = 3.141592653589793;

inline double snapComponent(double c) {
    return std::fabs(c) >= kComponentSnap ? c : 0.0;
}

struct Vec4 {
    double x = 0.0;  // length units of the part program
    double y = 0.0;
    double z = 0.0;
    double a = 0.0;

    constexpr Vec4() = default;
    Vec4(double x_, double y_, double z_, double a_)
        : x(snapComponent(x_)), y(snapComponent(y_)), z(snapComponent(z_)), a(snapComponent(a_)) {}
    Vec4(double x_, double y_, double z_)
        : x(snapComponent(x_)), y(snapComponent(y_)), z(snapComponent(z_)), a(0.0) {}

    // Component i: 0 = x, 1 = y, 2 = z, 3 = a.
    double operator[](int i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : a; }
};
static_assert(sizeof(Vec4) == 32, "Vec4 is written byte for byte into the break stream");

inline double length(const Vec4& v) {
    const double l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z + v.a * v.a);
    return l < kLengthFloor ? 0.0 : l;
}

// 1 when ((a + z) + y) + x >= 0: for an arc normal with one non-zero component, the sense in
// which the arc's shorter way turns.
inline int sumIsNonNegative(const Vec4& v) {
    return ((v.a + v.z) + v.y) + v.x >= 0.0 ? 1 : 0;
}

// add, subtract and scale work on two components at a time: each lane is rounded as the
// operation on one component is, and snapped as snapComponent snaps, without a branch.
using ComponentPair = double __attribute__((vector_size(16)));
using ComponentPairBits = int64_t __attribute__((vector_size(16)));

// snapComponent on both lanes: a lane is kept when its magnitude is at least kComponentSnap,
// else (also when it is not a number) it becomes +0.0.
inline ComponentPair snapPair(ComponentPair p) {
    constexpr ComponentPairBits kMagnitude = {INT64_MAX, INT64_MAX};
    constexpr ComponentPair kSnap = {kComponentSnap, kComponentSnap};
    const ComponentPairBits bits = std::bit_cast<ComponentPairBits>(p);
    const auto keep = std::bit_cast<ComponentPair>(bits & kMagnitude) >= kSnap;
    return std::bit_cast<ComponentPair>(bits & std::bit_cast<ComponentPairBits>(keep));
}

inline ComponentPair lowPair(const Vec4& v) {
    return ComponentPair{v.x, v.y};
}
inline ComponentPair highPair(const Vec4& v) {
    return ComponentPair{v.z, v.a};
}

// The vector of the two snapped pairs (x, y) and (z, a).
inline Vec4 fromSnappedPairs(ComponentPair low, ComponentPair high) {
    Vec4 v;
    v.x = low[0];
    v.y = low[1];
    v.z = high[0];
    v.a = high[1];
    return v;
}

// Each component's difference with itself, summed two components at a time: +0 in a lane whose
// two components are finite, NaN where one of them is infinite or not a number.
inline ComponentPair finiteCheck(const Vec4& v) {
    return (lowPair(v) - lowPair(v)) + (highPair(v) - highPair(v));
}

// Every component finite.
inline bool isFinite(const Vec4& v) {
    const ComponentPair d = finiteCheck(v);
    return d[0] + d[1] == 0.0;
}

inline Vec4 add(const Vec4& u, const Vec4& v) {
    return fromSnappedPairs(snapPair(lowPair(u) + lowPair(v)), snapPair(highPair(u) + highPair(v)));
}
inline Vec4 subtract(const Vec4& u, const Vec4& v) {
    return fromSnappedPairs(snapPair(lowPair(u) - lowPair(v)), snapPair(highPair(u) - highPair(v)));
}
inline Vec4 scale(double s, const Vec4& v) {
    const ComponentPair factor = {s, s};
    return fromSnappedPairs(snapPair(factor * lowPair(v)), snapPair(factor * highPair(v)));
}
inline double dot(const Vec4& u, const Vec4& v) {
    return u.a * v.a + u.z * v.z + u.y * v.y + u.x * v.x;
}

// Cross product of two vectors that together span at most three axes: (x, y, z) when neither
// uses a, else (x, y, a) when neither uses z. Vectors that use both z and a have none: the
// message "ERROR: Cross fed 4dim vectors\n" goes to standard output and the result is the zero
// vector. The library never waits for a key: its host may have no one at the console.
Vec4 cross(const Vec4& u, const Vec4& v);

// True when cross gives the cross product of every pair of the vectors: together they use the z
// axis or the a axis, not both.
inline bool crossDefined(const Vec4& u, const Vec4& v, const Vec4& w = Vec4(),
                         const Vec4& x = Vec4()) {
    return (u.a == 0.0 && v.a == 0.0 && w.a == 0.0 && x.a == 0.0) ||
           (u.z == 0.0 && v.z == 0.0 && w.z == 0.0 && x.z == 0.0);
}

// dot(cross(u, v), cross(w, x)), also for vectors that use all four axes: there it is the inner
// product of the planes u, v and w, x, (u.w)(v.x) - (u.x)(v.w), whose sign tells whether the
// turn from u to v and the turn from w to x have the same sense. Where cross is defined it is
// computed from cross, to the same bits as ever.
inline double crossDot(const Vec4& u, const Vec4& v, const Vec4& w, const Vec4& x) {
    if (crossDefined(u, v, w, x)) return dot(cross(u, v), cross(w, x));
    return dot(u, w) * dot(v, x) - dot(u, x) * dot(v, w);
}

// Quadrant 1..4 of the planar vector (dx, dy) for travel counter-clockwise (direction 3) or
// clockwise (any other direction). A vector on an axis belongs to the quadrant that travel in
// that direction enters there; the zero vector belongs to quadrant 4.
int arcQuadrant(double dx, double dy, int direction);

// acos that absorbs rounding just outside [-1, 1]: 0 above 1, pi below -1 or for NaN.
inline double clampedAcos(double c) {
    if (c > 1.0) return 0.0;
    if (c >= -1.0) return portableAcos(c);
    return kPi;
}

// Nearest integer, halves away from zero: 2.5 -> 3, -2.5 -> -3, -0.5 -> -1.
inline int64_t roundHalfAway(double x) {
    return static_cast<int64_t>(x > 0.0 ? x + 0.5 : x - 0.5);
}

}  // namespace pulsepost
