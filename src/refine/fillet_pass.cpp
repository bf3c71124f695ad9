// Corner fillet pass: theory of operation
//
// While the program is read, the append marks each corner that is to be rounded: the record
// that starts at the corner gets FilletBefore, and a Placeholder is stored just before it. This
// pass walks the store once. At each marked corner it takes the window prev / slot / next out of
// the store, shortens prev and next by the same tangent distance D, puts a circular arc tangent
// to both into the slot, and writes the three records back in place.
//
//                                  P  (the sharp corner, prev.end = next.start)
//      prev  -------------------A . . +
//                               |`-.  :     A = trimmed end of prev,   |PA| = D
//                               |   `.:     B = trimmed start of next, |PB| = D
//                               |     \     h = half the interior angle APB at P
//                             r |      |    C = centre, on the bisector of that angle,
//                               |      |        |PC| = D / cos h
//                               C------B    r = |CA| = |CB| = D tan h
//                                      |    gap between P and the arc: |PC| - r
//                                      v next
//
// Size. The fillet error e (Max Fillet Error, given in X pulses, over the X pulses per unit)
// is the largest gap allowed between P and the arc. The arc whose gap is exactly e has radius
// R_e = e / (1 - sin h) - e and tangent distance D_e = R_e / tan h. Two limits can make the
// fillet smaller, in which case its gap is less than e:
//  - D never exceeds a quarter of the length either neighbour had when it was appended (its
//    distance field until the distance pass), so the two fillets at the ends of one record can
//    never overlap, however the first has already trimmed it;
//  - beside an arc of radius r, D never exceeds sqrt(e (2r + e)): moved that far along the
//    arc's tangent, a point leaves the arc's circle by e. A trimmed arc end is moved along the
//    tangent and then put back on the circle, so it lands within e of the fillet's tangent point.
// The centre lies on the bisector of the interior angle, the direction of u2 - u1 (u1, u2 the
// unit directions of travel into and out of P). Taken from unit directions, it stays exact to
// rounding however different the two neighbours' lengths are.
//
// Trimming (between tangents). A straight neighbour is cut D back from P along its own direction.
// An arc neighbour is moved D along its tangent line and then projected back onto its circle (at
// its start radius for prev, at its end radius for next), so its recorded centre and radius stay
// exact; a spiral (an arc whose end radius differs from its start radius) is projected onto the
// spiral, at the radius it has at that angle, so that the trimmed arc keeps the curve. An arc of
// more than half a turn can become one of at most half a turn: the sense of the turn from its
// fixed end to the new end is compared with the sense towards P, and MinorArc is toggled when
// they differ. The fillet itself is always the minor arc from A to B, at the lower of the two
// neighbours' speeds, with the modal values (tool, spindle, outputs, P, S) of next; it never
// carries an event mark, which stays on next, where the program announced it.
//
// Beside an arc. When the corner's neighbours lie in one plane and one of them or both are arcs,
// the fillet is built tangent to them: its centre lies rho from a straight neighbour and
// r - rho (the arc's centre on the inside of the corner) or r + rho (outside) from an arc's
// centre: a line and an arc give the crossing of the offset line and the offset circle nearest
// to the corner, two arcs the crossing of the two offset circles nearest to it. An arc is cut
// where the line from its centre through the fillet's centre meets it, a straight record at
// the foot of the fillet's centre. rho starts at the size the corner would have between two
// straight records and is halved until the gap to P is at most e and neither neighbour loses
// more than a quarter of its appended length; when no such fillet is found the corner stays
// sharp, with a stop. A spiral is touched on the circle of the radius it has where the fillet
// meets it (found by a few refinements), so the cut end lies on the spiral. The directions then
// agree at both ends of the fillet to rounding.
// A corner whose line leaves the arc's plane (a ramp or a helix into an arc) has no circular
// fillet tangent to both: one tangent to the line and to the arc at the point where it meets the
// arc would need the line in the arc's plane. It keeps the construction between tangents: the
// trimmed arc end is the point put back on the curve, not a tangent point, and the fillet, whose
// end radius may then differ from its start radius, runs as a spiral onto it (see
// computeLength). Its direction of travel therefore turns a little at its ends (of the order of
// D / r beside an arc of radius r). Such a fillet is made smaller, its reach halved, until the
// turns at its ends cost no more change of speed than a corner of the minimum fillet angle, which
// the motion runs straight through at the records' speed: a turn of at most that angle, or more in
// proportion where the fillet's radius holds the planner to a lower speed (sqrt(a r), the
// distance pass), since the planner is at most that fast where the fillet begins and ends. A
// smaller fillet must not leave a spiral neighbour with radii further apart than the tick stage
// traces where the largest fillet did not. When no size does, the largest fillet is kept and the
// motion comes to rest at both its ends, so that its turns cost no change of speed; when not
// even that is sound (its radii differ by more than kArcRadiusShare, say), the corner stays
// sharp, with a stop. Between straight records the fillet is tangent to rounding and its gap is
// at most e.
//
// Corners without a sound fillet. Every Feed record later divides by its length and by its
// direction, so the pass never writes a fillet of zero size or an undefined direction:
//  - a corner whose directions are exactly opposite (a reversal), a neighbour with no direction
//    at the corner, a fillet error that cannot be computed or is not positive (no pulses per unit
//    on X, a zero error), or a fillet whose size comes out zero or not finite: the corner stays
//    sharp and the motion comes to rest there (StopAtEnd on prev), as at any corner too sharp to
//    round;
//  - a corner that turns by less than kStraightOnTurn: it stays sharp and the motion runs
//    straight on, as at a corner below the minimum fillet angle (the bisector cannot be resolved
//    finely enough there to place a fillet better than the sharp corner).
//  In both cases prev and next keep their full lengths, and the slot stays a Placeholder, placed
//  at the corner point: a record every later stage passes over without motion or output.
#include "refine/fillet_pass.h"
#include "platform/portable_math.h"

#include <algorithm>
#include <cmath>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "refine/pass_progress.h"

namespace pulsepost {

namespace {

// radians: below this change of direction a marked corner is run through sharp.
constexpr double kStraightOnTurn = 1e-6;
constexpr double kQuarterOfAppendedLength = 0.25;
// Sizes tried for a fillet beside an arc whose plane the other neighbour leaves, each half the
// one before.
constexpr int kLeavingThePlaneAttempts = 10;

// The largest gap between corner and fillet, in units; 0 when it cannot be had.
double filletError() {
    const double pulsesPerUnit = axisMap().axisScale[0];
    if (!(pulsesPerUnit > 0.0)) return 0.0;
    const double e = cutParams().maxFilletError / pulsesPerUnit;
    return std::isfinite(e) && e > 0.0 ? e : 0.0;
}

// A moving record that later stages can divide by: finite, with a positive length.
bool isSoundMove(const Vec4& start, const Vec4& end, const Vec4& centre, double length) {
    const ComponentPair d = finiteCheck(start) + finiteCheck(end) + finiteCheck(centre);
    return (d[0] + d[1]) + (length - length) == 0.0 && length > 0.0;
}
bool isSoundMove(const Segment& s) {
    return isSoundMove(s.start, s.end, s.centre, s.length);
}

// A fillet arc with a radius and a direction of travel at both ends (isSoundMove and
// hasRadiusAndDirections; between two straight records makeArcWithDirections decides the second).
bool isSoundFillet(const Segment& arc) {
    return isSoundMove(arc) && hasRadiusAndDirections(arc);
}

// Beside an arc the fillet ends on the arc's trimmed end, which need not lie on the fillet's
// circle: the fillet then runs as a spiral onto it. One whose radii differ by more than the tick
// stage traces is no fillet the machine should run: the corner stays sharp instead.
bool radiiAgree(const Segment& fillet) {
    const double r0 = arcStartRadius(fillet);
    return std::fabs(arcEndRadius(fillet) - r0) <= kArcRadiusShare * r0;
}

// A straight record, or an arc whose radii agree as radiiAgree asks.
bool isTraced(const Segment& s) {
    return !s.has(SegmentFlags::Arc) || radiiAgree(s);
}

void keepCornerSharp(Segment (&window)[3], bool stop) {
    Segment& slot = window[1];
    slot.start = window[0].end;
    slot.end = window[0].end;
    if (stop) window[0].set(SegmentFlags::StopAtEnd, true);
}

// The fillet runs into next: it takes next's modal values, but not its event mark.
void takeModalValuesOf(const Segment& next, Segment& fillet) {
    fillet.tool = next.tool;
    fillet.spindle = next.spindle;
    fillet.outputs = next.outputs;
    fillet.pValue = next.pValue;
    fillet.sValue = next.sValue;
}

// Tangent distance allowed beside an arc of radius r: along the tangent that far, a point
// is e away from the circle.
double tangentReach(double e, double r) {
    return std::sqrt(e * (2.0 * r + e));
}

// Cuts prev back to newEnd; an arc is put back onto its curve (its circle at its start radius, or
// its spiral at the angle of the new end). false when the new end cannot be placed.
bool trimEnd(Segment& prev, const Vec4& corner, const Vec4& newEnd) {
    const Segment whole = prev;
    prev.end = newEnd;
    if (prev.has(SegmentFlags::Arc)) {
        const Vec4 c = prev.centre;
        const Vec4 rs = subtract(prev.start, c);
        const Vec4 re = subtract(prev.end, c);
        const double lre = length(re);
        if (lre == 0.0) return false;
        double radius = length(rs);
        if (arcEndRadius(whole) != radius) {
            const double turned = arcAngle(whole) - angleApart(re, subtract(whole.end, c));
            radius = arcRadiusAt(whole, turned);
        }
        prev.end = add(c, scale(radius / lre, re));
        if (crossDot(rs, re, rs, subtract(corner, c)) < 0.0) {
            prev.flags ^= SegmentFlags::MinorArc;
        }
    }
    computeLength(prev);
    return true;
}

// Cuts next forward to newStart; an arc is put back onto its curve (its circle at its end radius,
// or its spiral at the angle of the new start). false when the new start cannot be placed.
bool trimStart(Segment& next, const Vec4& corner, const Vec4& newStart) {
    const Segment whole = next;
    next.start = newStart;
    if (next.has(SegmentFlags::Arc)) {
        const Vec4 c = next.centre;
        const Vec4 r1 = subtract(next.start, c);
        const Vec4 r2 = subtract(next.end, c);
        const double lr1 = length(r1);
        if (lr1 == 0.0) return false;
        double radius = length(r2);
        if (arcEndRadius(whole) != arcStartRadius(whole)) {
            radius = arcRadiusAt(whole, angleApart(subtract(whole.start, c), r1));
        }
        next.start = add(c, scale(radius / lr1, r1));
        if (crossDot(r1, r2, subtract(corner, c), r2) < 0.0) {
            next.flags ^= SegmentFlags::MinorArc;
        }
    }
    computeLength(next);
    return true;
}

// An arc whose plane holds the straight neighbour's unit direction u: the corner can then be
// rounded by an arc tangent to both. tangent is the arc's direction at the corner, far its
// other end.
bool isArcInPlaneOf(const Segment& arc, const Vec4& corner, const Vec4& tangent, const Vec4& far,
                    const Vec4& u) {
    const double rc = length(subtract(corner, arc.centre));
    const double lt = length(tangent);
    if (!(rc > 0.0) || !(lt > 0.0)) return false;
    const Vec4 radial = scale(1.0 / rc, subtract(corner, arc.centre));
    const Vec4 along = scale(1.0 / lt, tangent);
    const auto outOfPlane = [&](const Vec4& v) {
        return length(subtract(v, add(scale(dot(v, radial), radial), scale(dot(v, along), along))));
    };
    constexpr double kPlaneTolerance = 1e-9;
    return outOfPlane(u) <= kPlaneTolerance &&
           outOfPlane(subtract(far, arc.centre)) <= kPlaneTolerance * rc;
}

// One neighbour of a corner as the fillet sees it: a straight record, cut at the foot of the
// fillet's centre, or an arc, cut where the line from its centre through the fillet's centre
// meets it.
struct Leg {
    const Segment* record = nullptr;
    bool first = false;  // the record before the corner
    bool arc = false;
    Vec4 away;            // a straight record: its unit direction away from the corner
    Vec4 interior;        // a straight record: its unit normal towards the inside of the corner
    bool inside = false;  // an arc: its centre lies on the inside of the corner
    double radius = 0.0;  // an arc: the radius of the circle the fillet touches
    double limit = 0.0;   // the most the record may lose, units
};

// The radius of a curve at the point where it is cut at touch.
double radiusWhereCut(const Leg& leg, const Vec4& corner, const Vec4& touch) {
    const Segment& arc = *leg.record;
    const double apart = angleApart(subtract(corner, arc.centre), subtract(touch, arc.centre));
    return arcRadiusAt(arc, leg.first ? arcAngle(arc) - apart : apart);
}

// The fillet centre rho from a straight leg and at r -+ rho from an arc's centre: on the offset
// line, at its crossing with the offset circle nearest to the corner.
bool centreBesideLineAndArc(const Vec4& corner, const Leg& line, const Leg& arc, double rho,
                            Vec4& centre) {
    const double d = arc.inside ? arc.radius - rho : arc.radius + rho;
    if (!(d > 0.0)) return false;
    const Vec4 w = subtract(add(corner, scale(rho, line.interior)), arc.record->centre);
    const double b = dot(w, line.away);
    const double disc = b * b - dot(w, w) + d * d;
    if (!(disc >= 0.0)) return false;
    const double root = std::sqrt(disc);
    double s = -b - root;
    if (!(s > 0.0)) s = -b + root;
    if (!(s > 0.0) || !std::isfinite(s)) return false;
    centre = add(add(corner, scale(s, line.away)), scale(rho, line.interior));
    return true;
}

// The fillet centre at r -+ rho from both arcs' centres: the crossing of the two offset circles
// nearest to the corner. inPlane is a direction of the arcs' plane.
bool centreBetweenArcs(const Vec4& corner, const Leg& a, const Leg& b, const Vec4& inPlane,
                       double rho, Vec4& centre) {
    const double da = a.inside ? a.radius - rho : a.radius + rho;
    const double db = b.inside ? b.radius - rho : b.radius + rho;
    const Vec4 ca = a.record->centre;
    const Vec4 apart = subtract(b.record->centre, ca);
    const double d = length(apart);
    if (!(da > 0.0) || !(db > 0.0) || !(d > 0.0)) return false;
    const Vec4 along = scale(1.0 / d, apart);
    const double x = (da * da - db * db + d * d) / (2.0 * d);
    const double y2 = da * da - x * x;
    Vec4 across = subtract(inPlane, scale(dot(inPlane, along), along));
    const double lacross = length(across);
    if (!(y2 >= 0.0) || !(lacross > 0.0)) return false;
    across = scale(std::sqrt(y2) / lacross, across);
    const Vec4 base = add(ca, scale(x, along));
    const Vec4 one = add(base, across);
    const Vec4 other = subtract(base, across);
    centre = length(subtract(one, corner)) <= length(subtract(other, corner)) ? one : other;
    return isFinite(centre);
}

// Where the fillet of centre q and radius rho touches a leg.
Vec4 touchingPoint(const Leg& leg, const Vec4& corner, const Vec4& q, double rho) {
    if (!leg.arc) return add(corner, scale(dot(subtract(q, corner), leg.away), leg.away));
    const Vec4 c = leg.record->centre;
    const double d = leg.inside ? leg.radius - rho : leg.radius + rho;
    return add(c, scale(leg.radius / d, subtract(q, c)));
}

// What a leg loses when cut at touch, units.
double cutLength(const Leg& leg, const Vec4& corner, const Vec4& touch) {
    if (!leg.arc) return length(subtract(touch, corner));
    const Vec4 c = leg.record->centre;
    return leg.radius * angleApart(subtract(corner, c), subtract(touch, c));
}

// Units from a to b, the direction of a and the direction of b agreeing within this.
constexpr double kTangentTolerance = 1e-7;  // radians

bool meetsTangent(const Vec4& a, const Vec4& b) {
    const double la = length(a);
    const double lb = length(b);
    return la > 0.0 && lb > 0.0 && dot(a, b) > 0.0 &&
           length(subtract(scale(1.0 / la, a), scale(1.0 / lb, b))) <= kTangentTolerance;
}

// The direction of travel at the start or the end of a record, not normalised. An arc's includes
// the rate at which a spiral's radius changes with the angle turned, which tangentAt leaves out.
Vec4 travelDirection(const Segment& s, bool atEnd) {
    const Vec4 t = tangentAt(s, atEnd);
    const double r0 = arcStartRadius(s);
    const double r1 = arcEndRadius(s);
    const double theta = arcAngle(s);
    const double lt = length(t);
    if (!s.has(SegmentFlags::Arc) || r1 == r0 || !(lt > 0.0) || !(theta > 0.0)) return t;
    const Vec4 radial = subtract(atEnd ? s.end : s.start, s.centre);
    return add(scale((atEnd ? r1 : r0) / lt, t),
               scale((r1 - r0) / (theta * length(radial)), radial));
}

// Radians: the largest turn a corner between two records may keep without slowing down, the
// minimum fillet angle (gentler corners are run straight through), at least kTangentTolerance.
double straightThroughTurn() {
    return std::max(kTangentTolerance, cutParams().minFilletAngle * kPi / 180.0);
}

// Radians a fillet may turn at its ends: as much as the records' straight-through turn costs in
// change of speed at their speed, at the speed the fillet's radius holds the planner to, sqrt(a r)
// (see the distance pass), where that is lower.
double turnAllowed(const Segment& fillet, double straightThrough) {
    const double radius = std::min(arcStartRadius(fillet), arcEndRadius(fillet));
    const double arcSpeed = std::sqrt(acceleration() * radius);  // units per second
    return arcSpeed > 0.0 && arcSpeed < fillet.speed ? straightThrough * (fillet.speed / arcSpeed)
                                                     : straightThrough;
}

// Two directions of travel that turn by at most limit radians from one to the other.
bool turnsWithin(const Vec4& a, const Vec4& b, double limit) {
    return length(a) > 0.0 && length(b) > 0.0 && angleApart(a, b) <= limit;
}

// Rounds a corner beside an arc, whose neighbours lie in one plane, by an arc tangent to both:
// its gap to the corner at most e, neither neighbour cut by more than a quarter of its appended
// length. The radius starts at rho (the size the corner would have between two straight
// records) and is halved until those hold. false when no such fillet is found; window is then
// unchanged.
bool filletBesideArc(Segment (&window)[3], double e, double rho) {
    Segment& prev = window[0];
    Segment& next = window[2];
    const Vec4 corner = prev.end;
    const Vec4 u1 = tangentAt(prev, true);
    const Vec4 u2 = tangentAt(next, false);
    const Vec4 bisector = subtract(scale(1.0 / length(u2), u2), scale(1.0 / length(u1), u1));
    Leg legs[2];
    for (int i = 0; i < 2; ++i) {
        Leg& leg = legs[i];
        leg.first = i == 0;
        leg.record = leg.first ? &prev : &next;
        leg.arc = leg.record->has(SegmentFlags::Arc);
        leg.limit = kQuarterOfAppendedLength * leg.record->distance;
        if (leg.arc) {
            leg.radius = leg.first ? arcEndRadius(prev) : arcStartRadius(next);
            leg.inside = dot(subtract(leg.record->centre, corner), bisector) > 0.0;
            if (leg.inside) rho = std::min(rho, 0.5 * leg.radius);
        } else {
            leg.away = leg.first ? scale(-1.0 / length(u1), u1) : scale(1.0 / length(u2), u2);
            const Vec4 across = subtract(bisector, scale(dot(bisector, leg.away), leg.away));
            const double la = length(across);
            if (!(la > 0.0)) return false;
            leg.interior = scale(1.0 / la, across);
        }
    }
    const bool bothArcs = legs[0].arc && legs[1].arc;
    const int lineIndex = legs[0].arc ? 1 : 0;

    // Beside a spiral the fillet touches the circle of the radius the spiral has where the fillet
    // meets it: a few refinements of that radius put the touching point on the spiral.
    constexpr int kSpiralRefinements = 4;
    constexpr int kShrinkSteps = 40;
    for (int step = 0; step < kShrinkSteps && rho > 0.0; ++step, rho *= 0.5) {
        Vec4 q;
        Vec4 touch[2];
        bool placed = false;
        for (int refine = 0; refine < kSpiralRefinements; ++refine) {
            placed = bothArcs ? centreBetweenArcs(corner, legs[0], legs[1], u1, rho, q)
                              : centreBesideLineAndArc(corner, legs[lineIndex], legs[1 - lineIndex],
                                                       rho, q);
            if (!placed) break;
            for (int i = 0; i < 2; ++i)
                touch[i] = touchingPoint(legs[i], corner, q, rho);
            for (Leg& leg : legs) {
                if (leg.arc) leg.radius = radiusWhereCut(leg, corner, touch[leg.first ? 0 : 1]);
            }
        }
        if (!placed) continue;
        if (length(subtract(q, corner)) - rho > e ||
            cutLength(legs[0], corner, touch[0]) > legs[0].limit ||
            cutLength(legs[1], corner, touch[1]) > legs[1].limit) {
            continue;
        }
        Segment trimmedPrev = prev;
        Segment trimmedNext = next;
        if (!trimEnd(trimmedPrev, corner, touch[0]) || !trimStart(trimmedNext, corner, touch[1])) {
            return false;
        }
        Segment fillet = makeArc(SegmentKind::Feed, trimmedPrev.end, trimmedNext.start, q, 1,
                                 std::min(prev.speed, next.speed));
        takeModalValuesOf(next, fillet);
        if (!isSoundMove(trimmedPrev) || !isSoundMove(trimmedNext) || !isSoundFillet(fillet) ||
            !meetsTangent(tangentAt(trimmedPrev, true), tangentAt(fillet, false)) ||
            !meetsTangent(tangentAt(fillet, true), tangentAt(trimmedNext, false))) {
            return false;
        }
        prev = trimmedPrev;
        window[1] = fillet;
        next = trimmedNext;
        return true;
    }
    return false;
}

// Rounds a corner beside an arc whose plane the other neighbour leaves, between the tangents at
// the corner (each neighbour's direction of travel there, a spiral's with the change of its
// radius), reach at most maxReach. The first of the sizes tried (each half the one before) whose
// ends turn by no more than turnAllowed is taken, provided that
// it leaves each arc neighbour's radii agreeing within kArcRadiusShare where the largest does
// (cutting a spiral short brings its radii closer; the tick stage refuses a wider difference).
// When none is, the largest is taken with the motion at rest at both its ends, where it turns;
// the corner stays sharp, with a stop, when even that cannot be built.
void filletLeavingThePlane(Segment (&window)[3], double e, double maxReach) {
    Segment& prev = window[0];
    Segment& next = window[2];
    const Vec4 corner = prev.end;
    const Vec4 t1 = travelDirection(prev, true);
    const Vec4 t2 = travelDirection(next, false);
    const double l1 = length(t1);
    const double l2 = length(t2);
    const double h = l1 > 0.0 && l2 > 0.0 ? clampedAcos(-dot(t1, t2) / (l1 * l2)) * 0.5 : 0.0;
    const Vec4 bisector = subtract(scale(1.0 / l2, t2), scale(1.0 / l1, t1));
    const double lb = length(bisector);
    const double errorRadius = e / (1.0 - portableSin(h)) - e;
    const double errorReach = errorRadius / portableTan(h);
    double reach = std::min(errorReach, maxReach);
    // units from the corner along the bisector
    double centreDistance = errorReach > maxReach ? maxReach / portableCos(h) : errorRadius + e;
    const double turnLimit = straightThroughTurn();
    Segment largest[3];
    bool haveLargest = false;
    for (int attempt = 0; attempt < kLeavingThePlaneAttempts; ++attempt) {
        if (attempt > 0) {
            reach *= 0.5;
            centreDistance = reach / portableCos(h);
        }
        if (!(h > 0.0) || !(lb > 0.0) || !(reach > 0.0) || !std::isfinite(centreDistance)) break;
        const Vec4 centre = add(corner, scale(centreDistance / lb, bisector));
        Segment trimmedPrev = prev;
        Segment trimmedNext = next;
        if (!trimEnd(trimmedPrev, corner, subtract(corner, scale(reach / l1, t1))) ||
            !trimStart(trimmedNext, corner, add(next.start, scale(reach / l2, t2)))) {
            break;
        }
        Segment fillet = makeArc(SegmentKind::Feed, trimmedPrev.end, trimmedNext.start, centre, 1,
                                 std::min(prev.speed, next.speed));
        takeModalValuesOf(next, fillet);
        if (!isSoundMove(trimmedPrev) || !isSoundMove(trimmedNext) || !isSoundFillet(fillet) ||
            !radiiAgree(fillet)) {
            if (attempt == 0) break;
            continue;
        }
        if (attempt == 0) {
            largest[0] = trimmedPrev;
            largest[1] = fillet;
            largest[2] = trimmedNext;
            haveLargest = true;
        } else if ((isTraced(largest[0]) && !isTraced(trimmedPrev)) ||
                   (isTraced(largest[2]) && !isTraced(trimmedNext))) {
            continue;
        }
        const double allowed = turnAllowed(fillet, turnLimit);
        if (turnsWithin(travelDirection(trimmedPrev, true), travelDirection(fillet, false),
                        allowed) &&
            turnsWithin(travelDirection(fillet, true), travelDirection(trimmedNext, false),
                        allowed)) {
            prev = trimmedPrev;
            window[1] = fillet;
            next = trimmedNext;
            return;
        }
    }
    if (!haveLargest) {
        keepCornerSharp(window, true);
        return;
    }
    largest[0].set(SegmentFlags::StopAtEnd, true);
    largest[1].set(SegmentFlags::StopAtEnd, true);
    for (int i = 0; i < 3; ++i)
        window[i] = largest[i];
}

}  // namespace

void filletCorner(Segment (&window)[3]) {
    Segment& prev = window[0];
    Segment& next = window[2];
    const Vec4 corner = prev.end;
    const double e = filletError();

    const Vec4 t1 = tangentAt(prev, true);
    const Vec4 t2 = tangentAt(next, false);
    const double l1 = prev.has(SegmentFlags::Arc) ? length(t1) : prev.length;
    const double l2 = next.has(SegmentFlags::Arc) ? length(t2) : next.length;
    if (l1 == 0.0 || l2 == 0.0) {
        keepCornerSharp(window, true);  // no direction of travel at the corner
        return;
    }
    const double h = clampedAcos(-dot(t1, t2) / (l1 * l2)) * 0.5;
    if (!(h > 0.0)) {
        keepCornerSharp(window, true);  // a reversal
        return;
    }
    if (kPi - 2.0 * h < kStraightOnTurn) {
        keepCornerSharp(window, false);
        return;
    }
    if (e == 0.0) {
        keepCornerSharp(window, true);
        return;
    }

    // Into the interior angle: the difference of the unit directions out of and into P.
    const Vec4 bisector = subtract(scale(1.0 / length(t2), t2), scale(1.0 / length(t1), t1));
    const double lb = length(bisector);

    double sinH;  // of the half angle, the three from one reduction of h
    double cosH;
    double tanH;
    portableSinCosTan(h, &sinH, &cosH, &tanH);
    const double errorRadius = e / (1.0 - sinH) - e;
    const double errorReach = errorRadius / tanH;

    double maxReach = kQuarterOfAppendedLength * std::min(prev.distance, next.distance);
    if (prev.has(SegmentFlags::Arc)) {
        maxReach = std::min(maxReach, tangentReach(e, length(subtract(prev.start, prev.centre))));
    }
    if (next.has(SegmentFlags::Arc)) {
        maxReach = std::min(maxReach, tangentReach(e, length(subtract(next.end, next.centre))));
    }

    double reach;
    double centreDistance;  // units from the corner along the bisector
    if (errorReach > maxReach) {
        reach = maxReach;
        centreDistance = maxReach / cosH;
    } else {
        reach = errorReach;
        centreDistance = errorRadius + e;
    }
    if (!(reach > 0.0) || !std::isfinite(reach) || !(lb > 0.0) || !std::isfinite(centreDistance)) {
        keepCornerSharp(window, true);
        return;
    }
    const bool arcBefore = prev.has(SegmentFlags::Arc);
    const bool arcAfter = next.has(SegmentFlags::Arc);
    if ((arcBefore || arcAfter) &&
        (!arcBefore || isArcInPlaneOf(prev, corner, t1, prev.start, scale(1.0 / l2, t2))) &&
        (!arcAfter || isArcInPlaneOf(next, corner, t2, next.end, scale(1.0 / l1, t1)))) {
        const double lineLimit = kQuarterOfAppendedLength *
                                 (arcBefore && arcAfter ? std::min(prev.distance, next.distance)
                                  : arcBefore           ? next.distance
                                                        : prev.distance);
        const double rho = std::min(errorReach, lineLimit) * tanH;
        if (!filletBesideArc(window, e, rho)) keepCornerSharp(window, true);
        return;
    }
    if (arcBefore || arcAfter) {
        filletLeavingThePlane(window, e, maxReach);
        return;
    }
    const Vec4 centre = add(corner, scale(centreDistance / lb, bisector));

    // Both neighbours are straight: trimming one moves its end (or start) and sets its length
    // as trimEnd and trimStart do, so only those two fields are formed until the fillet is sound.
    const Vec4 newEnd = subtract(corner, scale(reach / l1, t1));
    const Vec4 newStart = add(next.start, scale(reach / l2, t2));
    const double prevLength = length(subtract(newEnd, prev.start));
    const double nextLength = length(subtract(next.end, newStart));
    bool hasDirections = false;
    Segment fillet = makeArcWithDirections(SegmentKind::Feed, newEnd, newStart, centre, 1,
                                           std::min(prev.speed, next.speed), hasDirections);
    takeModalValuesOf(next, fillet);
    if (!isSoundMove(prev.start, newEnd, prev.centre, prevLength) ||
        !isSoundMove(newStart, next.end, next.centre, nextLength) || !isSoundMove(fillet) ||
        !hasDirections) {
        keepCornerSharp(window, true);
        return;
    }
    prev.end = newEnd;
    prev.length = prevLength;
    window[1] = fillet;
    next.start = newStart;
    next.length = nextLength;
}

// The records are copied out and back only when they straddle two pages; otherwise the window is
// the three records where they lie.
void filletMarkedCorner(SegmentStore& store, int32_t index) {
    const int32_t first = index - 2;
    if (first < 0 || slotAt(store, first + 1).kind != SegmentKind::Placeholder) return;
    if (first / kRecordsPerPage == index / kRecordsPerPage) {
        filletCorner(*reinterpret_cast<Segment(*)[3]>(&slotAt(store, first)));
        return;
    }
    Segment window[3] = {slotAt(store, first), slotAt(store, first + 1), slotAt(store, index)};
    filletCorner(window);
    for (int32_t k = 0; k < 3; ++k)
        slotAt(store, first + k) = window[k];
}

// Looks at the flags of each record where it lies in its page rather than copying it out.
int32_t runFilletPass(SegmentStore& store, ProgressCallback progress) {
    rewind(store);
    PassProgress pass = startPassProgress(Stage::Fillets, store);
    for (int32_t i = 0; i < store.highWater; ++i) {
        store.cursor = i + 1;
        if (slotAt(store, i).has(SegmentFlags::FilletBefore)) filletMarkedCorner(store, i);
        if (stepPassProgress(pass, store.cursor, progress) != 0) return -1;
    }
    reportProgress(progress, Stage::Fillets, kPercentDone);
    return 0;
}

}  // namespace pulsepost
