#include "gcode/motion_words.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "config/axis_map.h"
#include "gcode/canned_cycles.h"
#include "gcode/conversion_state.h"
#include "gcode/diagnostics.h"
#include "gcode/line_words.h"
#include "gcode/machine_events.h"
#include "gcode/segment_append.h"
#include "platform/units.h"

namespace pulsepost {

namespace {

constexpr double kPlungeTolerance = 1e-7;  // units: a G1 moving X, Y and A less than this plunges
constexpr int kDwellValueOffset = 3;       // the dwell time is read three characters after G4
// Helices are built from arc pieces (see helicalArc).
constexpr double kPlanarRise = 1e-9;  // units: a smaller rise is rounding, not a helix
// Units: how far a piece may stray from the helix. Across the axis a piece bulges outwards, past
// the bounds the arc declares: a tenth of a pulse on a fine machine (10000 pulses per unit).
constexpr double kHelixTolerance = 1e-5;
constexpr double kHelixPieceAngle = kPi / 4.0;  // radians: the most a piece turns
constexpr double kHelixRiseWobble = 0.008;      // a piece's rise strays 0.008 a^2 h from steady
constexpr double kMaxHelixPieces = 1e5;         // a helix needing more pieces is refused
constexpr int kAxisA = 3;                       // the index of A in a Vec4

// A record whose end, centre or length is not finite cannot be planned or interpolated: the
// coordinates that made it are too large to measure.
// The axis of a move that leaves the range an output counts in, or -1; farthest is then how far
// from zero it may go, in units. A line stays between its ends; an arc within its largest radius
// of its centre.
int outOfPulseRange(const Segment& record, double& farthest) {
    const AxisMap& map = axisMap();
    double reach = 0.0;  // units beyond the end point the move may go
    Vec4 middle = record.end;
    if (record.has(SegmentFlags::Arc)) {
        middle = record.centre;
        reach = std::max(arcStartRadius(record), arcEndRadius(record));
    }
    for (int axis = 0; axis < 4; ++axis) {
        if (map.axisEnabled[axis] != 1) continue;
        farthest = std::fabs(middle[axis]) + reach;
        if (!(farthest * map.axisScale[axis] < kPulseRange)) return axis;
    }
    return -1;
}

// A move the outputs cannot count is refused at its line, before any motion is planned (every
// move starts where an accepted one ended, so its start is in range).
int32_t appendChecked(Segment& record, const MotionState& motion, SegmentStore& store) {
    if (!isFinite(record.end) || !isFinite(record.centre) || !std::isfinite(record.length)) {
        return refuseLine(motion.lineNumber, "a coordinate is too large to measure the move");
    }
    double farthest = 0.0;
    const int axis = outOfPulseRange(record, farthest);
    if (axis >= 0) {
        char reason[160];
        std::snprintf(reason, sizeof reason,
                      "the move goes %g units from zero on %c, beyond the %.0f pulses its output "
                      "can count at %g pulses per unit",
                      farthest, "XYZA"[axis], kPulseRange, axisMap().axisScale[axis]);
        return refuseLine(motion.lineNumber, reason);
    }
    appendSegment(record, store);
    return 0;
}

int32_t appendArcTo(const Vec4& end, const Vec4& centre, int minor, const MotionState& motion,
                    SegmentStore& store) {
    Segment record =
        makeArc(SegmentKind::Feed, currentPosition(), end, centre, minor, motion.feedSpeed);
    // An arc that starts or ends on its centre has no radius there: its speed limit would be 0,
    // which no profile can run. It is refused here, with its line, rather than by the planner.
    if (record.length > 0.0 && std::min(arcStartRadius(record), arcEndRadius(record)) == 0.0) {
        return refuseLine(motion.lineNumber, "the arc starts or ends on its centre");
    }
    return appendChecked(record, motion, store);
}

// G4: the dwell time is the number three characters after the G ("G4P500" dwells 500, "G4 P500"
// dwells 0). It stamps only the Dwell record; the P value is put back afterwards. A G at the
// very end of the line has no such text and dwells 0.
void dwell(const char* line, const char* g, int32_t lineNumber, SegmentStore& store) {
    ConversionState& state = conversionState();
    const int16_t saved = state.pValue;
    const bool textThere = g[1] != '\0' && g[2] != '\0';
    state.pValue = static_cast<int16_t>(textThere ? readInteger(g + kDwellValueOffset) : 0);
    // "G4 P500" and "G04P500" dwell 0 where a dwell of the P word was meant.
    if (const char* p = wordText(line, 'P');
        p && state.pValue != static_cast<int16_t>(readInteger(p))) {
        noteDiagnostic(DiagnosticKind::DwellSpacing, lineNumber, g);
    }
    appendEventHere(SegmentKind::Dwell, store);
    state.pValue = saved;
}

// --- Traverses and straight feeds ---------------------------------------------------------

// G0. With rapids planned as feeds a traverse is split so that the tool never moves sideways
// below its start or end height: rising, Z goes first; descending, X/Y/A go first.
int32_t traverse(const MotionState& motion, const Vec4& target, SegmentStore& store) {
    if (conversionState().rapidsAsFeeds == 0) {
        return appendMoveTo(SegmentKind::Rapid, target, motion.rapidSpeed, motion, store);
    }
    const Vec4 here = currentPosition();
    if (target.z > here.z) {
        const Vec4 up(here.x, here.y, target.z, here.a);
        if (appendMoveTo(SegmentKind::Feed, up, motion.rapidSpeedZ, motion, store) != 0) {
            return kRefused;
        }
        return appendMoveTo(SegmentKind::Feed, target, motion.rapidSpeed, motion, store);
    }
    const Vec4 over(target.x, target.y, here.z, target.a);
    if (appendMoveTo(SegmentKind::Feed, over, motion.rapidSpeed, motion, store) != 0) {
        return kRefused;
    }
    return appendMoveTo(SegmentKind::Feed, target, motion.rapidSpeedZ, motion, store);
}

// G1: a move along Z alone runs at the plunge speed, any other at the feed speed.
int32_t feedMove(const MotionState& motion, const Vec4& target, SegmentStore& store) {
    const Vec4 d = subtract(target, currentPosition());
    const bool plunge = std::fabs(d.x) < kPlungeTolerance && std::fabs(d.y) < kPlungeTolerance &&
                        std::fabs(d.a) < kPlungeTolerance;
    return appendMoveTo(SegmentKind::Feed, target, plunge ? motion.plungeSpeed : motion.feedSpeed,
                        motion, store);
}

// --- Arcs ----------------------------------------------------------------------------------

// The first and second axes of a plane, in the order its arcs turn: X Y for G17, Z X for G18,
// Y Z for G19 (G2 turns clockwise seen from the plane's positive normal).
void planeAxes(int32_t plane, int& first, int& second) {
    first = plane == 18 ? 2 : plane == 19 ? 1 : 0;
    second = plane == 18 ? 0 : plane == 19 ? 2 : 1;
}

// Pulses: an arc whose end lies this close to its start on both axes of its plane is a full turn;
// an arc whose A changes by no more than this leaves A where it is (no output can tell the
// difference, and the short way round would cut nothing).
constexpr double kFullTurnPulses = 0.1;
// Units: the same reach on an axis that moves no motor (no pulses to measure by); it holds the
// 1e-7 by which an unprogrammed coordinate may differ from the programmed one (the initial work
// offset).
constexpr double kFullTurnReachWithoutPulses = 1e-6;

// True when a distance along the axis is within a tenth of a pulse (false for NaN).
bool withinTenthOfPulse(int axis, double distance) {
    const double scale = axisMap().axisScale[axis];
    const double reach = scale > 0.0 ? kFullTurnPulses / scale : kFullTurnReachWithoutPulses;
    return std::fabs(distance) <= reach;
}

// True when the arc from here to target in the plane turns a whole circle: its end lies within a
// tenth of a pulse of its start on each axis of the plane (movement along the plane's normal and
// on A is a rise, not part of the turn).
bool endsOnStart(int32_t plane, const Vec4& here, const Vec4& target) {
    int first = 0;
    int second = 0;
    planeAxes(plane, first, second);
    return withinTenthOfPulse(first, target[first] - here[first]) &&
           withinTenthOfPulse(second, target[second] - here[second]);
}

// Theory of operation: arc bounds by a quadrant walk.
//
// An arc's X/Y extremes are its end points or the points where it crosses an axis through its
// centre. The quadrant of the start and of the end radius (for the direction of travel, so that
// a radius lying on an axis belongs to the quadrant entered there) are found, and the walk goes
// from the start quadrant to the end quadrant one quadrant at a time; every quadrant left
// crosses one axis point at distance r from the centre:
//
//              max Y
//           2  |  1            G2 (clockwise) leaves 1 -> 4 -> 3 -> 2 -> 1
//   min X -----C----- max X    G3 (counter-clockwise) leaves 1 -> 2 -> 3 -> 4 -> 1
//           3  |  4
//              min Y
//
// The radius is measured in X/Y whatever the plane, and the walk is made for arcs in every
// plane (known limit: a G18 or G19 arc's extremes in Z are only its end points). A full turn
// reaches its whole circle: both axes of its plane get the circle's extremes, whatever the
// quadrants of its start and end.
void extendArcBounds(int32_t mode, int32_t plane, bool fullTurn, const Vec4& here,
                     const Vec4& target, const Vec4& centre, const Vec4& r1, const Vec4& r2) {
    ConversionState& s = conversionState();
    const auto raise = [](double& bound, double v) {
        if (v > bound) bound = v;
    };
    const auto lower = [](double& bound, double v) {
        if (v < bound) bound = v;
    };
    if (fullTurn) {
        int first = 0;
        int second = 0;
        planeAxes(plane, first, second);
        const double r =
            std::max(std::hypot(r1[first], r1[second]), std::hypot(r2[first], r2[second]));
        for (const int axis : {first, second}) {
            double& low = axis == 0 ? s.minX : axis == 1 ? s.minY : s.minZ;
            double& high = axis == 0 ? s.maxX : axis == 1 ? s.maxY : s.maxZ;
            lower(low, centre[axis] - r);
            raise(high, centre[axis] + r);
        }
    }
    // A spiral (an end farther from the centre than the start) reaches out to its end radius.
    double r = std::sqrt(r1.x * r1.x + r1.y * r1.y);
    const double rEnd = std::sqrt(r2.x * r2.x + r2.y * r2.y);
    if (rEnd - r > kCentreTolerance) r = rEnd;
    raise(s.maxX, target.x);
    lower(s.minX, target.x);
    raise(s.maxX, here.x);
    lower(s.minX, here.x);
    raise(s.maxY, target.y);
    lower(s.minY, target.y);
    raise(s.maxY, here.y);
    lower(s.minY, here.y);
    const bool clockwise = mode != 3;
    int32_t q = arcQuadrant(r1.x, r1.y, mode);
    const int32_t qe = arcQuadrant(r2.x, r2.y, mode);
    while (q != qe && !fullTurn) {
        if (clockwise) {
            switch (q) {
                case 1:
                    raise(s.maxX, centre.x + r);
                    break;
                case 2:
                    raise(s.maxY, centre.y + r);
                    break;
                case 3:
                    lower(s.minX, centre.x - r);
                    break;
                default:
                    lower(s.minY, centre.y - r);
                    break;
            }
            q = q == 1 ? 4 : q - 1;
        } else {
            switch (q) {
                case 1:
                    raise(s.maxY, centre.y + r);
                    break;
                case 2:
                    lower(s.minX, centre.x - r);
                    break;
                case 3:
                    lower(s.minY, centre.y - r);
                    break;
                default:
                    raise(s.maxX, centre.x + r);
                    break;
            }
            q = q == 4 ? 1 : q + 1;
        }
    }
}

// Theory of operation: helical arcs.
//
// A G2/G3 whose centre lies in the plane of its start but whose end leaves that plane (a move
// along the plane's normal axis: Z in G17, Y in G18, X in G19) is a helix: the tool turns about
// the axis through C along the normal while it moves along that axis at a steady rate. An arc
// that moves A is built the same way: A changes at a steady rate with the angle turned, as the
// normal axis does in a helix (both at once when the line moves both); only the plane's two axes
// make the turn. A record holds a circle, and the circle through start, end and C lies in a plane
// tilted by the rise: traced there, the tool swings out of the helix (over a half turn a whole
// radius up or down). So the helix is built from pieces. Each turns through at most a
// kHelixPieceAngle, rises h, and has its centre on the helix axis at the middle height of the
// piece, so that its start and end are equidistant from its centre. A piece is then the circle
// through its ends in a plane tilted by the helix's slope: across the axis it stays within
// h^2 / (8 R) of the helix, along it within 0.008 a^2 h of the steady rise (a the piece's angle),
// and it rises monotonically between its end heights. Every piece is the one before it turned
// about the axis and raised by h, so the pieces meet with the same tangent and make no corner.
// The radius goes linearly from the start radius to the end radius, so that a centre rounded by
// the CAM system leaves no step. The rise h of a piece is measured along the normal axis and A
// together.
//
//            side view of one piece (rise h)
//                   end
//           C'  +  /        C' = centre of the piece, on the axis, at mid-height
//              /  /
//         start--'
//
// A rise below kPlanarRise is the rounding of the work-offset arithmetic, not a helix: the end
// is put into the start's plane (it moves by less than that), so that a half circle is not
// traced through the vertical plane the rounding would tilt it into. An A change of at most a
// tenth of a pulse of A is no A move either (an A word read for the first time changes A by the
// 1e-7 of the initial work offset).

// The normal axis of a plane: z for G17, y for G18, x for G19.
int normalAxisOf(int32_t plane) {
    if (plane == 18) return 1;
    if (plane == 19) return 0;
    return 2;
}

Vec4 withComponent(Vec4 v, int axis, double value) {
    switch (axis) {
        case 0:
            v.x = value;
            break;
        case 1:
            v.y = value;
            break;
        case 2:
            v.z = value;
            break;
        default:
            v.a = value;
            break;
    }
    return v;
}

// The number of pieces for a helix of radius r (the smaller end radius) turning through angle
// and rising rise: each piece within kHelixTolerance of the helix across and along its axis.
// Zero when more than kMaxHelixPieces would be needed.
int32_t helixPieceCount(double r, double angle, double rise) {
    const double h = std::fabs(rise);
    double n = std::ceil(angle / kHelixPieceAngle);
    n = std::max(n, std::ceil(h / std::sqrt(8.0 * r * kHelixTolerance)));
    n = std::max(n, std::ceil(std::cbrt(kHelixRiseWobble * angle * angle * h / kHelixTolerance)));
    if (!(n <= kMaxHelixPieces)) return 0;  // also NaN
    return std::max(1, static_cast<int32_t>(n));
}

// Appends the helix from the current position to target about the axis through centre along
// the normal axis, A moving steadily by turnA to the target's. p0 and p1 are the start and end
// radii with their normal and A components removed. A full turn turns a whole circle
// whatever the directions of p0 and p1.
int32_t helicalArc(const MotionState& motion, const Vec4& target, const Vec4& centre, int axis,
                   const Vec4& p0, const Vec4& p1, double turnA, bool fullTurn,
                   SegmentStore& store) {
    const Vec4 here = currentPosition();
    const double r0 = length(p0);
    const double r1 = length(p1);
    // The direction of travel at the start: p0 turned a quarter about the normal, clockwise for
    // G2 and counter-clockwise for G3 seen from the normal's positive side.
    const Vec4 normal = withComponent(Vec4(), axis, motion.motionMode == 2 ? 1.0 : -1.0);
    const Vec4 travel = cross(p0, normal);
    // The angle turned, from the start radius to the end radius in the direction of travel; an
    // end on the start's radius makes a whole turn, one on the opposite radius a half turn.
    const Vec4 turn = cross(p0, p1);
    double angle = 0.0;
    if (length(turn) == 0.0) {
        angle = dot(p0, p1) > 0.0 ? 2.0 * kPi : kPi;
    } else {
        angle = clampedAcos(dot(p0, p1) / (r0 * r1));
        if (dot(p1, travel) < 0.0) angle = 2.0 * kPi - angle;
    }
    if (fullTurn) {
        if (angle < kPi) noteDiagnostic(DiagnosticKind::FullTurn, motion.lineNumber, nullptr);
        angle = 2.0 * kPi;
    }
    const double rise = target[axis] - here[axis];
    const double climb = turnA == 0.0 ? rise : std::sqrt(rise * rise + turnA * turnA);
    const int32_t pieces = helixPieceCount(std::min(r0, r1), angle, climb);
    if (pieces == 0) {
        return refuseLine(motion.lineNumber, turnA == 0.0
                                                 ? "the helix is too long to build"
                                                 : "the arc moving A is too long to build");
    }
    const Vec4 across = scale(1.0 / r0, p0);
    const Vec4 along = scale(1.0 / r0, travel);
    for (int32_t k = 1; k <= pieces; ++k) {
        const double f = static_cast<double>(k) / pieces;
        const double middle = f - 0.5 / pieces;
        Vec4 end = target;
        if (k < pieces) {
            double sine;
            double cosine;
            portableSinCos(f * angle, &sine, &cosine);
            const double r = r0 + f * (r1 - r0);
            const Vec4 radial = add(scale(r * cosine, across), scale(r * sine, along));
            end = withComponent(add(centre, radial), axis, here[axis] + f * rise);
            if (turnA != 0.0) end = withComponent(end, kAxisA, here.a + f * turnA);
        }
        Vec4 pieceCentre = withComponent(centre, axis, here[axis] + middle * rise);
        if (turnA != 0.0) pieceCentre = withComponent(pieceCentre, kAxisA, here.a + middle * turnA);
        if (appendArcTo(end, pieceCentre, 1, motion, store) != 0) return kRefused;
    }
    return 0;
}

// Theory of operation: arc records.
//
// The centre comes from I, J, K only. The normal N = R1 x R2 of the start and end radii tells
// the sense of the shorter way: a G3 arc takes the shorter way (MinorArc) when N's components
// sum to >= 0, a G2 arc when they sum to < 0. When N vanishes the end lies on the line through
// the start and the centre (a half circle, or a full circle when it is the start itself) and the
// sense cannot be told from the points: the plane's normal (+1 for G2, -1 for G3) is put into N,
// the arc is split at M = C + R1 x N, a quarter turn along the direction of travel, and the rest
// is a quarter (half circle) or three quarters (full circle). An arc whose start lies on its
// centre has no radius and is skipped.
//
// An arc whose end lies within a tenth of a pulse of its start (on both axes of its plane) is a
// full circle in both directions, split as above; the three quarters end at the programmed end,
// so the next move starts where the program put it. The shorter way from such a start to such
// an end would cut nothing.
int32_t circularArc(const MotionState& motion, const LineTarget& words, SegmentStore& store) {
    const int32_t mode = motion.motionMode;
    const Vec4 here = currentPosition();
    // A takes no part in the turn: the centre's A is the start's.
    const Vec4 centre = withComponent(words.centre, kAxisA, here.a);
    const int axis = normalAxisOf(motion.plane);
    Vec4 target = words.target;
    const double rise = target[axis] - here[axis];
    if (rise != 0.0 && std::fabs(rise) < kPlanarRise)
        target = withComponent(target, axis, here[axis]);
    const Vec4 r1 = subtract(here, centre);
    const Vec4 r2 = subtract(target, centre);
    const bool fullTurn = endsOnStart(motion.plane, here, target);

    extendArcBounds(mode, motion.plane, fullTurn, here, target, centre, r1, r2);
    if (length(r1) == 0.0) {
        // Skipped, but its reach still counts in the bounds: an end too far away to measure
        // would put an infinite bound into the LIM file.
        // Reported when the arc would have gone somewhere: a line of the arc mode with no word
        // that moves (an S, an F or a comment alone) asks for no motion.
        if (length(r2) != 0.0) {
            noteDiagnostic(DiagnosticKind::ArcOnCentre, motion.lineNumber, nullptr);
        }
        const ConversionState& s = conversionState();
        const bool measured = std::isfinite(s.minX) && std::isfinite(s.maxX) &&
                              std::isfinite(s.minY) && std::isfinite(s.maxY) &&
                              std::isfinite(s.minZ) && std::isfinite(s.maxZ);
        return measured
                   ? 0
                   : refuseLine(motion.lineNumber, "a coordinate is too large to measure the move");
    }

    const Vec4 p0 = withComponent(r1, axis, 0.0);
    const Vec4 p1 = withComponent(withComponent(r2, axis, 0.0), kAxisA, 0.0);
    // A moves when no output can miss it: by more than a tenth of a pulse of A. Less is the
    // rounding of the work offset (an A word read for the first time moves A by its 1e-7).
    const bool movesA = !withinTenthOfPulse(kAxisA, r2.a);
    const bool inPlane = std::fabs(r1[axis]) < kPlanarRise;
    if ((target[axis] != here[axis] || movesA) && inPlane && length(p0) != 0.0 &&
        length(p1) != 0.0) {
        if (movesA) noteDiagnostic(DiagnosticKind::ArcMovesA, motion.lineNumber, nullptr);
        return helicalArc(motion, target, centre, axis, p0, p1, movesA ? r2.a : 0.0, fullTurn,
                          store);
    }
    if (movesA) {
        return refuseLine(motion.lineNumber,
                          inPlane ? "the arc starts or ends on its centre"
                                  : "the arc moves A while its centre lies off the plane of its "
                                    "start (K in G17, J in G18, I in G19)");
    }

    // The sense of the turn comes from the plane's axes and the normal: A takes no part.
    Vec4 n = cross(r1, withComponent(r2, kAxisA, 0.0));
    if (length(n) != 0.0) {
        const int minor = sumIsNonNegative(n) != (mode == 2 ? 1 : 0) ? 1 : 0;
        if (!fullTurn) return appendArcTo(target, centre, minor, motion, store);
        if (minor == 1) noteDiagnostic(DiagnosticKind::FullTurn, motion.lineNumber, nullptr);
        n = Vec4();
    }

    n = withComponent(n, axis, mode == 2 ? 1.0 : -1.0);
    const Vec4 quarter = add(centre, cross(r1, n));
    if (appendArcTo(quarter, centre, 1, motion, store) != 0) return kRefused;
    return appendArcTo(target, centre, dot(r1, r2) < 0.0 ? 1 : 0, motion, store);
}

// Program units: how far beyond twice the radius an R arc's end may lie and still be read as a
// half circle (the rounding of a program written to three decimals: its ends and its R). Scaled
// with the program's lengths when G20/G21 scale them.
constexpr double kRadiusReach = 1e-3;

// The centre of an arc written with a radius R instead of I, J, K: on the perpendicular through
// the middle of the chord, at the side that makes the arc at most a half turn for a positive R
// and the longer arc for a negative one. The centre's normal-axis and A components are the
// start's, as for I, J, K. Refused when the end is more than 2R away or is the start itself
// (within a tenth of a pulse: a radius gives no full circle).
int32_t radiusArcCentre(const MotionState& motion, double radius, const char* line,
                        const Vec4& here, LineTarget& words) {
    int a = 0;
    int b = 0;
    planeAxes(motion.plane, a, b);
    const double dx = words.target[a] - here[a];
    const double dy = words.target[b] - here[b];
    const double chord = std::hypot(dx, dy);
    const double r = std::fabs(radius);
    if (endsOnStart(motion.plane, here, words.target)) {
        return refuseLine(motion.lineNumber, "an arc given by its radius (R) ends where it starts");
    }
    if (0.5 * chord > r + kRadiusReach * motion.unitMultiplier / motion.unitDivisor) {
        return refuseLine(motion.lineNumber,
                          "the arc's end is more than twice its radius (R) from its start");
    }
    const double offset = std::sqrt(std::max(0.0, r * r - 0.25 * chord * chord));
    // Right of the chord (seen along it) for a short clockwise or a long counter-clockwise arc.
    const double side = (motion.motionMode == 2) == (radius > 0.0) ? 1.0 : -1.0;
    const double ca = here[a] + 0.5 * dx + side * offset * dy / chord;
    const double cb = here[b] + 0.5 * dy - side * offset * dx / chord;
    words.centre = withComponent(withComponent(here, a, ca), b, cb);
    noteDiagnostic(DiagnosticKind::RadiusArc, motion.lineNumber, wordText(line, 'R') - 1);
    return 0;
}

// True for the G word "G91.1" at g (blanks may follow the G).
bool isArcCentreMode(const char* g) {
    const char* n = g + 1;
    while (*n == ' ' || *n == '\t')
        ++n;
    return std::strncmp(n, "91.1", 4) == 0 && !(n[4] >= '0' && n[4] <= '9');
}

// G20 (inches) and G21 (millimetres): with the machine's unit declared, the length words that
// follow are scaled to it; the positions, offsets and cycle values already read stay as they are
// (they are held in the machine's unit). Undeclared, the words stay in the machine's unit.
void selectProgramUnit(MotionState& motion, int32_t code, const char* g) {
    constexpr double kMillimetresPerInch = 25.4;
    if (motion.machineUnit == MachineUnit::Undeclared) {
        noteDiagnostic(DiagnosticKind::UnitsIgnored, motion.lineNumber, g);
        return;
    }
    const bool inches = code == 20;
    motion.unitMultiplier = 1.0;
    motion.unitDivisor = 1.0;
    if (inches && motion.machineUnit == MachineUnit::Millimetre) {
        motion.unitMultiplier = kMillimetresPerInch;
    } else if (!inches && motion.machineUnit == MachineUnit::Inch) {
        motion.unitDivisor = kMillimetresPerInch;
    } else {
        return;
    }
    noteDiagnostic(DiagnosticKind::UnitsScaled, motion.lineNumber, g);
}

// True when the number of the G word at g has a fraction other than zero (G92.1, G90.1): the
// dialect reads the whole number before the point.
bool hasFraction(const char* g) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    const char* n = g + 1;
    while (*n == ' ' || *n == '\t')
        ++n;
    if (*n == '-' || *n == '+') ++n;
    while (digit(*n))
        ++n;
    if (*n != '.') return false;
    for (++n; digit(*n); ++n)
        if (*n != '0') return true;
    return false;
}

// A word's number, refused when not finite; found tells whether the line holds the word.
struct WordReader {
    const LineLetters& letters;
    int32_t lineNumber;
    double unitMultiplier;
    double unitDivisor;
    int32_t status = 0;

    bool take(char letter, double& value) {
        if (status != 0) return false;
        const char* text = wordText(letters, letter);
        if (!text) return false;
        if (!startsNumber(text)) {
            noteDiagnostic(DiagnosticKind::LetterWithoutNumber, lineNumber, text - 1);
        }
        if (readFiniteWord(text, letter, lineNumber, value) < 0) {
            status = kRefused;
            return false;
        }
        return true;
    }

    // A length (a coordinate, an arc's centre or radius, a cycle height or peck, a feed per
    // minute), in the machine's unit. A number that G20 scales past the largest double is
    // refused as one that is not finite: an infinite feed or coordinate must not reach a record
    // (only G20 on a millimetre machine multiplies).
    bool takeLength(char letter, double& value) {
        if (!take(letter, value)) return false;
        value = value * unitMultiplier / unitDivisor;
        if (std::isfinite(value)) return true;
        char reason[64];
        std::snprintf(reason, sizeof reason,
                      "the number of the %c word is not finite in millimetres", letter);
        status = refuseLine(lineNumber, reason);
        return false;
    }

    // An axis word: also noted when its axis moves no motor. X, Y and Z are lengths; A is an
    // angle, which no unit selection changes.
    bool takeAxis(char letter, int axis, uint8_t disabledAxes, double& value) {
        if (!(axis == 3 ? take(letter, value) : takeLength(letter, value))) return false;
        if ((disabledAxes & (1u << axis)) != 0) {
            noteDiagnostic(DiagnosticKind::DisabledAxis, lineNumber, wordText(letters, letter) - 1);
        }
        return true;
    }
};

// F: units per minute. A value that is not positive cannot be run (and would stop the planner
// dividing by the speed): the speeds keep their values.
void feedWord(MotionState& motion, double perMinute) {
    if (!(perMinute > 0.0)) return;
    const double speed = perSecond(perMinute);
    if (motion.motionMode < 5) motion.feedSpeed = speed;
    motion.plungeSpeed = speed;
}

}  // namespace

void resetMotionState(MotionState& motion, const MotionLimits& limits) {
    motion = MotionState{};
    motion.rapidSpeed = limits.rapidSpeed;
    motion.rapidSpeedZ = limits.rapidSpeedZ;
    motion.feedSpeed = limits.feedSpeed;
    motion.plungeSpeed = limits.plungeSpeed;
    motion.ignoreFWords = limits.ignoreFWords;
    motion.disabledAxes = limits.disabledAxes;
    motion.machineUnit = limits.unit;
}

void handleGWords(const char* line, MotionState& motion, LineTarget& words, SegmentStore& store) {
    for (const char* g = std::strchr(line, 'G'); g; g = std::strchr(g + 1, 'G')) {
        const int32_t v = readInteger(g + 1);
        bool known = true;
        switch (v) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 73:
            case 80:
            case 81:
            case 82:
            case 83:
            case 84:
            case 85:
            case 86:
            case 87:
            case 88:
            case 89:
                motion.motionMode = v;
                if (v != 0 && v != 80) conversionState().rapidsAsFeeds = 1;
                break;
            case 4:
                dwell(line, g, motion.lineNumber, store);
                break;
            case 17:
            case 18:
            case 19:
                motion.plane = v;
                break;
            case 90:
                motion.incremental = false;
                break;
            case 91:
                // G91.1 (I, J, K relative to the arc's start, as they always are here) is what
                // CAM systems write in their header; read as G91 it would make every coordinate
                // of the program incremental.
                if (isArcCentreMode(g)) {
                    noteDiagnostic(DiagnosticKind::ArcCentreMode, motion.lineNumber, g);
                    break;
                }
                motion.incremental = true;
                break;
            case 92:
                words.g92 = true;
                break;
            case 20:
            case 21:
                selectProgramUnit(motion, v, g);
                break;
            default:
                noteUnknownCode(DiagnosticKind::UnknownGCode, motion.lineNumber, g);
                known = false;
                break;
        }
        if (known && hasFraction(g) && !isArcCentreMode(g)) {
            noteDiagnostic(DiagnosticKind::WholeGCode, motion.lineNumber, g);
        }
    }
}

int32_t readLineWords(const char* line, MotionState& motion, LineTarget& words,
                      SegmentStore& store) {
    ConversionState& state = conversionState();
    const Vec4 here = currentPosition();
    const Vec4 program = subtract(here, motion.workOffset);
    Vec4 t = motion.incremental && !words.g92 ? Vec4() : program;
    Vec4 c = program;
    const LineLetters letters = indexLetters(line);
    WordReader r{letters, motion.lineNumber, motion.unitMultiplier, motion.unitDivisor};
    const bool drilling = isDrillingMode(motion.motionMode);

    const uint8_t off = motion.disabledAxes;
    double v = 0.0;
    if (r.takeAxis('X', 0, off, v)) t.x = v;
    if (r.takeAxis('Y', 1, off, v)) t.y = v;
    if (drilling) {
        if (r.takeLength('R', v)) {
            motion.retractPlane = v;
            motion.retractPlaneGiven = true;
        }
    } else if (r.takeAxis('A', 3, off, v)) {
        t.a = v;
    }
    const bool hasZ = r.takeAxis('Z', 2, off, v);
    if (hasZ) t.z = v;
    if (r.takeLength('Q', v)) {
        motion.firstPeck = v;
        motion.nextPeck = v;
        if (r.takeLength('V', v)) motion.nextPeck = v;
    }
    if (r.takeLength('W', v)) motion.peckClearance = v;
    if (drilling && hasZ) motion.cycleDepth = t.z;
    if (!motion.ignoreFWords) {
        if (r.takeLength('F', v)) feedWord(motion, v);
    } else if (const char* f = wordText(letters, 'F'); f && startsNumber(f)) {
        noteDiagnostic(DiagnosticKind::FWordIgnored, motion.lineNumber, f - 1);
    }
    if (r.status != 0) return kRefused;
    if (const char* s = wordText(letters, 'S')) emitSpindleSpeed(readInteger(s), store);
    if (const char* p = wordText(letters, 'P')) state.pValue = static_cast<int16_t>(readInteger(p));
    bool centreWords = false;
    if (r.takeLength('I', v)) {
        c.x += v;
        centreWords = true;
    }
    if (r.takeLength('J', v)) {
        c.y += v;
        centreWords = true;
    }
    if (r.takeLength('K', v)) {
        c.z += v;
        centreWords = true;
    }
    double radius = 0.0;
    const bool radiusArc = (motion.motionMode == 2 || motion.motionMode == 3) && !centreWords &&
                           !words.g92 && r.takeLength('R', radius);
    if (r.status != 0) return kRefused;

    if (words.g92) {
        // Axes without a word took the program position, so they keep their offset.
        motion.workOffset = subtract(here, t);
        return 0;
    }
    words.target = motion.incremental ? add(t, here) : add(t, motion.workOffset);
    words.centre = add(c, motion.workOffset);
    if (radiusArc) return radiusArcCentre(motion, radius, line, here, words);
    return 0;
}

int32_t runLineMotion(MotionState& motion, const LineTarget& words, SegmentStore& store) {
    switch (motion.motionMode) {
        case 0:
            return traverse(motion, words.target, store);
        case 1:
            return feedMove(motion, words.target, store);
        case 2:
        case 3:
            return circularArc(motion, words, store);
        case 80:
            motion.motionMode = 0;
            motion.cycleDepth = 0.0;
            return 0;
        case 81:
        case 82:
        case 84:
        case 85:
        case 89:
            return runDrillingCycle(motion, words.target, store);
        case 83:
        case 86:
        case 87:
        case 88:
            return runPeckCycle(motion, words.target, store);
        default:  // G73: the line moves nothing
            return 0;
    }
}

int32_t appendMoveTo(SegmentKind kind, const Vec4& end, double speed, const MotionState& motion,
                     SegmentStore& store) {
    Segment record = makeMove(kind, currentPosition(), end, speed);
    return appendChecked(record, motion, store);
}

}  // namespace pulsepost
