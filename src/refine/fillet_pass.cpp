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
// Trimming. A straight neighbour is cut D back from P along its own direction. An arc neighbour
// is moved D along its tangent line and then projected back onto its circle (at its start radius
// for prev, at its end radius for next), so its recorded centre and radius stay exact; a spiral
// (an arc whose end radius differs from its start radius) is projected onto the spiral, at the
// radius it has at that angle, so that the trimmed arc keeps the curve. An arc of
// more than half a turn can become one of at most half a turn: the sense of the turn from its
// fixed end to the new end is compared with the sense towards P, and MinorArc is toggled when
// they differ. The fillet itself is always the minor arc from A to B, at the lower of the two
// neighbours' speeds, with the modal values (tool, spindle, outputs, P, S) of next; it never
// carries an event mark, which stays on next, where the program announced it.
// Known limit: beside an arc the fillet is tangent only approximately. Its end on the arc's side
// is the point put back on the circle, not the tangent point, so the directions differ a little
// at both ends of the fillet (about 1e-3 rad for r = 1, e = 0.001; more as r nears e) and the
// gap to P can exceed e by a fraction of e. Its end radius may then differ from its start radius:
// it runs as a spiral onto the arc (see computeLength); when its radii differ by more than
// kArcRadiusShare the corner is left sharp, with a stop, so that the pass never writes an arc the
// tick stage refuses. Between straight records the fillet is tangent to rounding and its gap is
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
#include "refine/pass_progress.h"

namespace pulsepost {

namespace {

// radians: below this change of direction a marked corner is run through sharp.
constexpr double kStraightOnTurn = 1e-6;
constexpr double kQuarterOfAppendedLength = 0.25;

// The largest gap between corner and fillet, in units; 0 when it cannot be had.
double filletError() {
    const double pulsesPerUnit = axisMap().axisScale[0];
    if (!(pulsesPerUnit > 0.0)) return 0.0;
    const double e = cutParams().maxFilletError / pulsesPerUnit;
    return std::isfinite(e) && e > 0.0 ? e : 0.0;
}

// A moving record that later stages can divide by: finite, with a positive length.
bool isSoundMove(const Segment& s) {
    return isFinite(s.start) && isFinite(s.end) && isFinite(s.centre) && std::isfinite(s.length) &&
           s.length > 0.0;
}

// A fillet arc with a radius and a direction of travel at both ends.
bool isSoundFillet(const Segment& arc) {
    return isSoundMove(arc) && length(subtract(arc.start, arc.centre)) > 0.0 &&
           length(tangentAt(arc, false)) > 0.0 && length(tangentAt(arc, true)) > 0.0;
}

// Beside an arc the fillet ends on the arc's trimmed end, which need not lie on the fillet's
// circle: the fillet then runs as a spiral onto it. One whose radii differ by more than the tick
// stage traces is no fillet the machine should run: the corner stays sharp instead.
bool radiiAgree(const Segment& fillet) {
    const double r0 = arcStartRadius(fillet);
    return std::fabs(arcEndRadius(fillet) - r0) <= kArcRadiusShare * r0;
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

// Cuts prev back by d from the corner along its end direction t1 (of length l1); an arc is put
// back onto its curve (its circle at its start radius, or its spiral at the angle of the new end).
// false when the new end cannot be placed.
bool trimEnd(Segment& prev, const Vec4& corner, double d, double l1, const Vec4& t1) {
    const Segment whole = prev;
    prev.end = subtract(corner, scale(d / l1, t1));
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
        if (dot(cross(rs, re), cross(rs, subtract(corner, c))) < 0.0) {
            prev.flags ^= SegmentFlags::MinorArc;
        }
    }
    computeLength(prev);
    return true;
}

// Cuts next forward by d from the corner along its start direction t2 (of length l2); an arc is
// put back onto its curve (its circle at its end radius, or its spiral at the angle of the new
// start). false when the new start cannot be placed.
bool trimStart(Segment& next, const Vec4& corner, double d, double l2, const Vec4& t2) {
    const Segment whole = next;
    next.start = add(next.start, scale(d / l2, t2));
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
        if (dot(cross(r1, r2), cross(subtract(corner, c), r2)) < 0.0) {
            next.flags ^= SegmentFlags::MinorArc;
        }
    }
    computeLength(next);
    return true;
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

    const double errorRadius = e / (1.0 - portableSin(h)) - e;
    const double errorReach = errorRadius / portableTan(h);

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
        centreDistance = maxReach / portableCos(h);
    } else {
        reach = errorReach;
        centreDistance = errorRadius + e;
    }
    if (!(reach > 0.0) || !std::isfinite(reach) || !(lb > 0.0) || !std::isfinite(centreDistance)) {
        keepCornerSharp(window, true);
        return;
    }
    const Vec4 centre = add(corner, scale(centreDistance / lb, bisector));

    Segment trimmedPrev = prev;
    Segment trimmedNext = next;
    if (!trimEnd(trimmedPrev, corner, reach, l1, t1) ||
        !trimStart(trimmedNext, corner, reach, l2, t2)) {
        keepCornerSharp(window, true);
        return;
    }
    Segment fillet = makeArc(SegmentKind::Feed, trimmedPrev.end, trimmedNext.start, centre, 1,
                             std::min(prev.speed, next.speed));
    takeModalValuesOf(next, fillet);
    if (!isSoundMove(trimmedPrev) || !isSoundMove(trimmedNext) || !isSoundFillet(fillet) ||
        !radiiAgree(fillet)) {
        keepCornerSharp(window, true);
        return;
    }
    prev = trimmedPrev;
    window[1] = fillet;
    next = trimmedNext;
}

namespace {

// The record just read (cursor past it) starts a marked corner: fillet the window of the two
// records before it and itself, and put the cursor back where it was.
void filletAtCursor(SegmentStore& store) {
    const int32_t after = store.cursor;
    Segment window[3];
    if (seek(store, -3, after) != 0) return;
    if (read(window, 3, store) != 3 || window[1].kind != SegmentKind::Placeholder) {
        seek(store, 0, after);
        return;
    }
    filletCorner(window);
    seek(store, -3, after);
    write(window, 3, store);
}

}  // namespace

int32_t runFilletPass(SegmentStore& store, ProgressCallback progress) {
    rewind(store);
    PassProgress pass = startPassProgress(Stage::Fillets, store);
    Segment record;
    while (read(&record, 1, store) == 1) {
        if (record.has(SegmentFlags::FilletBefore)) filletAtCursor(store);
        if (stepPassProgress(pass, store.cursor, progress) != 0) return -1;
    }
    reportProgress(progress, Stage::Fillets, kPercentDone);
    return 0;
}

}  // namespace pulsepost
