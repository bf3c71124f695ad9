#include "geometry/segment.h"

#include <algorithm>
#include <cmath>

#include "platform/portable_math.h"

namespace pulsepost {

namespace {

// Moves the arc's centre onto the perpendicular bisector of its chord, within the arc's plane.
// m is the direction across the chord on the centre's side: chord x (q x chord), or, for an arc
// that moves both Z and A (a helix piece that turns A), the part of q across the chord, which is
// the same direction and needs no third axis.
void correctCentre(Segment& s) {
    const Vec4 chord = subtract(s.end, s.start);
    const Vec4 q = subtract(s.centre, s.start);
    Vec4 m;
    if (crossDefined(q, chord)) {
        m = cross(chord, cross(q, chord));
    } else {
        const double lc = length(chord);
        if (lc == 0.0) return;
        m = subtract(q, scale(dot(q, chord) / (lc * lc), chord));
    }
    const double l = length(m);
    if (l * l == 0.0) return;
    const Vec4 mid = add(s.start, scale(0.5, chord));
    s.centre = add(mid, scale(dot(subtract(s.centre, mid), m) / (l * l), m));
}

double setArcLength(Segment& s, const Vec4& r0, double l0, const Vec4& r1, double l1);

// makeArc; directions gets what setArcLength returns, or 0 where the centre was corrected.
Segment arcOf(SegmentKind kind, const Vec4& start, const Vec4& end, const Vec4& centre, int minor,
              double speed, double& directions) {
    Segment s;
    s.kind = kind;
    s.flags = SegmentFlags::Arc | ((minor & 1) ? SegmentFlags::MinorArc : 0);
    s.start = start;
    s.end = end;
    s.centre = centre;
    s.speed = speed;
    directions = 0.0;
    // The radii are measured once: their lengths give the arc's length unless the centre moves.
    const Vec4 r1 = subtract(start, centre);
    const Vec4 r2 = subtract(end, centre);
    const double l1 = length(r1);
    const double l2 = length(r2);
    if (l1 - l2 > kCentreTolerance) {
        correctCentre(s);
        computeLength(s);
    } else {
        directions = setArcLength(s, r1, l1, r2, l2);
    }
    return s;
}

// Where setArcLength's measure of the directions is at least this, both directions of travel are
// surely longer than the length floor (see directionsOfChords).
constexpr double kSureDirections = 0x1p-29;

}  // namespace

Segment makeMove(SegmentKind kind, const Vec4& start, const Vec4& end, double speed) {
    Segment s;
    s.kind = kind;
    s.start = start;
    s.end = end;
    s.speed = speed;
    s.flags = kind == SegmentKind::Rapid ? (SegmentFlags::StopAtEnd | SegmentFlags::BreakPoint) : 0;
    computeLength(s);
    return s;
}

Segment makeArc(SegmentKind kind, const Vec4& start, const Vec4& end, const Vec4& centre, int minor,
                double speed) {
    double directions;
    return arcOf(kind, start, end, centre, minor, speed, directions);
}

Segment makeArcWithDirections(SegmentKind kind, const Vec4& start, const Vec4& end,
                              const Vec4& centre, int minor, double speed, bool& hasDirections) {
    double directions;
    const Segment s = arcOf(kind, start, end, centre, minor, speed, directions);
    hasDirections = directions >= kSureDirections || hasRadiusAndDirections(s);
    return s;
}

Segment makeEvent(SegmentKind kind, const Vec4& position) {
    Segment s;
    s.kind = kind;
    s.start = position;
    s.end = position;
    s.flags = SegmentFlags::StopAtEnd;
    computeLength(s);
    return s;
}

// Theory of operation: arc curves.
//
// An arc record holds its start, end and centre. Rounded coordinates put the end a little off the
// circle through the start; tracing that circle would reach the end radius only at the next
// record, with a jump. So the curve's radius goes linearly with the angle turned, from the start
// radius r0 to the end radius r1:
//
//      rho(a) = r0 + (r1 - r0) * a / theta,   0 <= a <= theta,
//
// where theta is the angle between the two radii in the direction of travel (MinorArc: the
// shorter way). The angle comes from the directions of the radii, not from the chord: a chord
// is no measure of the angle near half a turn (it is longer than the start diameter as soon as
// the end radius is), and a chord clamped to the diameter puts the end at the antipode of the
// start. The length of the spiral is the integral of sqrt(rho^2 + rho'^2) over the angle, taken
// by Gauss-Legendre quadrature (the integrand is smooth and nearly constant).
//
// Radii that agree within kCentreTolerance make a circle of the start radius, as ever: its length
// is the chord measure d * asin(c / d) where that is exact, so that such an arc keeps its bits.

namespace {

// radians: two chord and direction measures of a circle's angle that differ by less agree.
constexpr double kAngleAgreement = 1e-9;

// Gauss-Legendre nodes and weights on [-1, 1], five points.
constexpr double kGaussNodes[5] = {-0.9061798459386640, -0.5384693101056831, 0.0,
                                   0.5384693101056831, 0.9061798459386640};
constexpr double kGaussWeights[5] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889,
                                     0.4786286704993665, 0.2369268850561891};

bool isSpiral(double r0, double r1) {
    return std::fabs(r1 - r0) > kCentreTolerance;
}

double spiralLength(double r0, double r1, double theta) {
    if (theta == 0.0) return std::fabs(r1 - r0);
    const double slope = (r1 - r0) / theta;  // units per radian
    double sum = 0.0;
    for (int i = 0; i < 5; ++i) {
        const double rho = r0 + (r1 - r0) * 0.5 * (1.0 + kGaussNodes[i]);
        sum += kGaussWeights[i] * std::sqrt(rho * rho + slope * slope);
    }
    return 0.5 * theta * sum;
}

// The sine of half a circle's arc as its chord gives it: c / d, the chord c at most d = 2r.
double chordSine(const Segment& s, double d) {
    double c = length(subtract(s.end, s.start));
    if (c > d) c = d;
    return c / d;
}

// The chord measure of a circle's arc of radius r: d * asin(c / d).
double chordMeasure(const Segment& s, double r) {
    const double d = 2.0 * r;
    const double x = chordSine(s, d);
    return s.has(SegmentFlags::MinorArc) ? d * portableAsin(x) : d * (kPi - portableAsin(x));
}

// The chords between the unit vectors of a and b, and between one and the other turned round.
struct UnitChords {
    double apart;
    double together;
};

UnitChords unitChords(const Vec4& a, double la, const Vec4& b, double lb) {
    const Vec4 ua = scale(1.0 / la, a);
    const Vec4 ub = scale(1.0 / lb, b);
    return {length(subtract(ua, ub)), length(add(ua, ub))};
}

// The angle between two unit vectors from their chords.
double angleOfChords(UnitChords chords) {
    // Each asin argument stays at most sqrt(1/2), where asin is well conditioned.
    if (chords.apart <= chords.together) return 2.0 * portableAsin(0.5 * chords.apart);
    return kPi - 2.0 * portableAsin(0.5 * chords.together);
}

// angleApart of a and b, whose lengths la and lb the caller has measured.
double angleApartOf(const Vec4& a, double la, const Vec4& b, double lb) {
    return angleOfChords(unitChords(a, la, b, lb));
}

// arcAngle from the arc's radii r0 = start - centre and r1 = end - centre and their lengths.
double arcAngleOf(const Segment& s, const Vec4& r0, double l0, const Vec4& r1, double l1) {
    if (l0 == 0.0 || l1 == 0.0) return 0.0;
    const double between = angleApartOf(r0, l0, r1, l1);
    return s.has(SegmentFlags::MinorArc) ? between : 2.0 * kPi - between;
}

// Unit chords shorter than this give no measure of an arc's directions (directionsOfChords).
constexpr double kShortestChord = 0x1p-20;

// A measure of the directions of travel of an arc whose radii r0 and r1 (lengths l0, l1, neither
// zero) have the unit chords given: min(l0, l1) apart together, or 0 where a chord is shorter
// than kShortestChord. For exact unit vectors apart together / 2 is the sine of the angle
// between the radii, and each direction (tangentAt) is the other radius times that sine. The
// computed chords are within 1e-13 of the exact ones (unit vectors to 2^-51 and components
// snapped by at most 1e-14), so at 2^-20 or more the measure is within a factor 1 +- 4e-7 of
// twice the shorter direction. That direction is formed (unsignedArcTangent) to within about
// 1e-14 of its radius plus 4e-14 (roundings and snaps), under 3 % of it where the sine is at
// least 2^-41. A measure of at least kSureDirections = 2^-29 therefore puts both directions at
// 9e-10 or more, far above the length floor: hasRadiusAndDirections holds.
double directionsOfChords(UnitChords chords, double l0, double l1) {
    if (!(chords.apart >= kShortestChord && chords.together >= kShortestChord)) return 0.0;
    return std::min(l0, l1) * chords.apart * chords.together;
}

// Half-sine arguments of the chord and angle measures that differ by at most this agree (see
// setMinorCircleLength).
constexpr double kSureAgreement = 0x1p-32;

// The length of a circle's minor arc of radius r (neither radius zero): the chord measure where
// it agrees with r times the angle between the radii (their unit chords given), else r times the
// angle. Where the angle is at most a quarter turn, the two measures are d asin(x) and
// d asin(xa), d = 2r, x the chord sine and xa = apart / 2 <= sqrt(1/2) + 2^-50; asin' <= 1.42
// there, so |x - xa| <= kSureAgreement puts them at most 1.42 d 2^-32 < 0.34e-9 d apart, and
// their roundings (two each, below 2^-52 of 0.8 d) add less than 4e-16 d: far inside the
// agreement of 1e-9 r = 0.5e-9 d. The agreed length is then the chord measure, and the angle's
// asin is not needed. Otherwise both are formed and compared as for any arc.
void setMinorCircleLength(Segment& s, UnitChords chords, double r) {
    const double d = 2.0 * r;
    const double x = chordSine(s, d);
    const double chord = d * portableAsin(x);
    if (chords.apart <= chords.together && std::fabs(x - 0.5 * chords.apart) <= kSureAgreement &&
        std::isfinite(chord)) {
        s.length = chord;
        return;
    }
    const double theta = angleOfChords(chords);
    s.length = std::fabs(chord - r * theta) <= kAngleAgreement * r ? chord : r * theta;
}

// Sets an arc's length (see computeLength) from its radii and their lengths, as arcAngleOf
// takes them; the start radius l0 and end radius l1 are the arc's own (arcStartRadius, and
// arcEndRadius unless the two make a circle). Returns directionsOfChords where the unit chords
// were measured (a circle's minor arc), else 0.
double setArcLength(Segment& s, const Vec4& r0, double l0, const Vec4& r1, double l1) {
    const double end = isSpiral(l0, l1) ? l1 : l0;
    if (end == l0 && l0 != 0.0 && l1 != 0.0 && s.has(SegmentFlags::MinorArc)) {
        const UnitChords chords = unitChords(r0, l0, r1, l1);
        setMinorCircleLength(s, chords, l0);
        return directionsOfChords(chords, l0, l1);
    }
    const double theta = arcAngleOf(s, r0, l0, r1, l1);
    if (end != l0) {
        s.length = spiralLength(l0, end, theta);
        return 0.0;
    }
    const double chord = chordMeasure(s, l0);
    s.length = std::fabs(chord - l0 * theta) <= kAngleAgreement * l0 ? chord : l0 * theta;
    return 0.0;
}

// An arc's direction of travel at one end, up to its sense (tangentAt's before MinorArc turns
// it): u = start - centre and w = centre - end, lu and lw their lengths.
Vec4 unsignedArcTangent(const Vec4& u, double lu, const Vec4& w, double lw, bool atEnd) {
    if (!atEnd) return subtract(w, scale(dot(w, u) / (lu * lu), u));
    return subtract(u, scale(dot(u, w) / (lw * lw), w));
}

}  // namespace

double angleApart(const Vec4& a, const Vec4& b) {
    return angleApartOf(a, length(a), b, length(b));
}

double arcStartRadius(const Segment& s) {
    return length(subtract(s.start, s.centre));
}

double arcEndRadius(const Segment& s) {
    const double r0 = arcStartRadius(s);
    const double r1 = length(subtract(s.end, s.centre));
    return isSpiral(r0, r1) ? r1 : r0;
}

double arcLeastRadius(const Segment& s) {
    const double r0 = length(subtract(s.start, s.centre));
    const double r1 = length(subtract(s.end, s.centre));
    return std::min(r0, isSpiral(r0, r1) ? r1 : r0);
}

double arcAngle(const Segment& s) {
    const Vec4 r0 = subtract(s.start, s.centre);
    const Vec4 r1 = subtract(s.end, s.centre);
    return arcAngleOf(s, r0, length(r0), r1, length(r1));
}

double arcRadiusAt(const Segment& s, double angle) {
    const double r0 = arcStartRadius(s);
    const double r1 = arcEndRadius(s);
    if (r1 == r0) return r0;
    const double theta = arcAngle(s);
    return theta > 0.0 ? r0 + (r1 - r0) * (angle / theta) : r1;
}

void computeLength(Segment& s) {
    if (!s.has(SegmentFlags::Arc)) {
        s.length = length(subtract(s.end, s.start));
        return;
    }
    const Vec4 r0 = subtract(s.start, s.centre);
    const Vec4 r1 = subtract(s.end, s.centre);
    setArcLength(s, r0, length(r0), r1, length(r1));
}

Vec4 tangentAt(const Segment& s, bool atEnd) {
    if (!s.has(SegmentFlags::Arc)) return subtract(s.end, s.start);
    const Vec4 u = subtract(s.start, s.centre);
    const Vec4 w = subtract(s.centre, s.end);
    // Only the length of the radius the formula divides by is needed.
    const double lu = atEnd ? 0.0 : length(u);
    const double lw = atEnd ? length(w) : 0.0;
    const Vec4 t = unsignedArcTangent(u, lu, w, lw, atEnd);
    return s.has(SegmentFlags::MinorArc) ? scale(-1.0, t) : t;
}

bool hasRadiusAndDirections(const Segment& arc) {
    const Vec4 u = subtract(arc.start, arc.centre);
    const double lu = length(u);
    if (!(lu > 0.0)) return false;
    // Turning a direction round (MinorArc) leaves its length as it is.
    const Vec4 w = subtract(arc.centre, arc.end);
    const double lw = length(w);
    return length(unsignedArcTangent(u, lu, w, lw, false)) > 0.0 &&
           length(unsignedArcTangent(u, lu, w, lw, true)) > 0.0;
}

const Segment& placeholderRecord() {
    static const Segment placeholder = [] {
        Segment s;
        s.kind = SegmentKind::Placeholder;
        return s;
    }();
    return placeholder;
}

}  // namespace pulsepost
