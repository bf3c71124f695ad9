#include "geometry/segment.h"

#include "platform/portable_math.h"

namespace pulsepost {

namespace {

// Moves the arc's centre onto the perpendicular bisector of its chord, within the arc's plane.
void correctCentre(Segment& s) {
    const Vec4 chord = subtract(s.end, s.start);
    const Vec4 q = subtract(s.centre, s.start);
    const Vec4 n = cross(q, chord);
    const Vec4 m = cross(chord, n);
    const double l = length(m);
    if (l * l == 0.0) return;
    const Vec4 mid = add(s.start, scale(0.5, chord));
    s.centre = add(mid, scale(dot(subtract(s.centre, mid), m) / (l * l), m));
}

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
    Segment s;
    s.kind = kind;
    s.flags = SegmentFlags::Arc | ((minor & 1) ? SegmentFlags::MinorArc : 0);
    s.start = start;
    s.end = end;
    s.centre = centre;
    s.speed = speed;
    const double r1 = length(subtract(centre, start));
    const double r2 = length(subtract(centre, end));
    if (r1 - r2 > kCentreTolerance) correctCentre(s);
    computeLength(s);
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

void computeLength(Segment& s) {
    if (!s.has(SegmentFlags::Arc)) {
        s.length = length(subtract(s.end, s.start));
        return;
    }
    const double r = length(subtract(s.start, s.centre));
    const double d = 2.0 * r;
    double c = length(subtract(s.end, s.start));
    if (c > d) c = d;
    const double x = c / d;
    s.length = s.has(SegmentFlags::MinorArc) ? d * portableAsin(x) : d * (kPi - portableAsin(x));
}

Vec4 tangentAt(const Segment& s, bool atEnd) {
    if (!s.has(SegmentFlags::Arc)) return subtract(s.end, s.start);
    const Vec4 u = subtract(s.start, s.centre);
    const Vec4 w = subtract(s.centre, s.end);
    Vec4 t;
    if (!atEnd) {
        const double lu = length(u);
        t = subtract(w, scale(dot(w, u) / (lu * lu), u));
    } else {
        const double lw = length(w);
        t = subtract(u, scale(dot(u, w) / (lw * lw), w));
    }
    if (s.has(SegmentFlags::MinorArc)) t = scale(-1.0, t);
    return t;
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
