// Helpers for the refinement tests: records as the append leaves them, a store filled with them,
// the fillet error set for the duration of a test, and a recorder of progress reports.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "config/axis_map.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "geometry/segment.h"
#include "store/segment_store.h"

namespace pulsepost::testing {

// Sets the fillet error to e units (as pulses of X over X pulses per unit) and restores the
// configuration afterwards.
class FilletErrorScope {
  public:
    explicit FilletErrorScope(double e, double pulsesPerUnit = 100.0)
        : savedScale_(axisMap().axisScale[0]), savedError_(cutParams().maxFilletError) {
        axisMap().axisScale[0] = pulsesPerUnit;
        cutParams().maxFilletError = e * pulsesPerUnit;
    }
    ~FilletErrorScope() {
        axisMap().axisScale[0] = savedScale_;
        cutParams().maxFilletError = savedError_;
    }
    FilletErrorScope(const FilletErrorScope&) = delete;
    FilletErrorScope& operator=(const FilletErrorScope&) = delete;

  private:
    double savedScale_;
    double savedError_;
};

// Sets the machine's acceleration (units per second squared) and restores it afterwards.
class AccelerationScope {
  public:
    explicit AccelerationScope(double a) : saved_(machineConfig().acceleration) {
        machineConfig().acceleration = a;
    }
    ~AccelerationScope() { machineConfig().acceleration = saved_; }
    AccelerationScope(const AccelerationScope&) = delete;
    AccelerationScope& operator=(const AccelerationScope&) = delete;

  private:
    double saved_;
};

// A Feed line or arc as the append stores it: distance holds the appended length.
inline Segment feedLine(const Vec4& from, const Vec4& to, double speed = 1.0) {
    Segment s = makeMove(SegmentKind::Feed, from, to, speed);
    s.distance = s.length;
    return s;
}
inline Segment feedArc(const Vec4& from, const Vec4& to, const Vec4& centre, int minor,
                       double speed = 1.0) {
    Segment s = makeArc(SegmentKind::Feed, from, to, centre, minor, speed);
    s.distance = s.length;
    return s;
}
inline Segment withFilletBefore(Segment s) {
    s.set(SegmentFlags::FilletBefore, true);
    return s;
}

// The window filletCorner works on: prev, the placeholder, next (with FilletBefore).
struct CornerWindow {
    Segment records[3];
    CornerWindow(const Segment& prev, const Segment& next)
        : records{prev, placeholderRecord(), withFilletBefore(next)} {}
    Segment& prev() { return records[0]; }
    Segment& slot() { return records[1]; }
    Segment& next() { return records[2]; }
};

// A created store that is destroyed with the object. add() writes records as the append emits
// them: a placeholder before every record with FilletBefore.
class FilledStore {
  public:
    FilledStore() { create(store); }
    ~FilledStore() { destroy(store); }
    FilledStore(const FilledStore&) = delete;
    FilledStore& operator=(const FilledStore&) = delete;
    void add(const Segment& s) {
        if (s.has(SegmentFlags::FilletBefore)) write(&placeholderRecord(), 1, store);
        write(&s, 1, store);
    }
    void add(std::initializer_list<Segment> records) {
        for (const Segment& s : records)
            add(s);
    }
    std::vector<Segment> all() {
        std::vector<Segment> out(static_cast<std::size_t>(store.highWater));
        rewind(store);
        read(out.data(), store.highWater, store);
        return out;
    }
    SegmentStore store;
};

// Collects what the passes report; the callback has no context, so the record is static.
struct ProgressLog {
    static std::vector<std::pair<int, int>>& reports() {
        static std::vector<std::pair<int, int>> log;
        return log;
    }
    static void record(int32_t stage, int32_t percent) { reports().emplace_back(stage, percent); }
    ProgressLog() { reports().clear(); }
};

inline bool isFiniteRecord(const Segment& s) {
    return isFinite(s.start) && isFinite(s.end) && isFinite(s.centre) && std::isfinite(s.length) &&
           std::isfinite(s.distance) && std::isfinite(s.speed);
}

// Angle in radians between two directions, accurate for small angles (computed without the
// snapping of the Vec4 constructors).
inline double angleBetween(const Vec4& u, const Vec4& v) {
    const double lu = std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z + u.a * u.a);
    const double lv = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z + v.a * v.a);
    const double dx = u.x / lu - v.x / lv, dy = u.y / lu - v.y / lv;
    const double dz = u.z / lu - v.z / lv, da = u.a / lu - v.a / lv;
    const double chord = std::sqrt(dx * dx + dy * dy + dz * dz + da * da);
    return 2.0 * std::asin(std::min(1.0, chord / 2.0));
}

inline double distanceBetween(const Vec4& u, const Vec4& v) {
    const double dx = u.x - v.x, dy = u.y - v.y, dz = u.z - v.z, da = u.a - v.a;
    return std::sqrt(dx * dx + dy * dy + dz * dz + da * da);
}

// The gap between a fillet arc and the corner point: the corner lies on the arc's bisector,
// outside its circle, so the nearest arc point is on the line from the centre to the corner.
inline double gapToCorner(const Segment& fillet, const Vec4& corner) {
    return distanceBetween(corner, fillet.centre) - distanceBetween(fillet.start, fillet.centre);
}

}  // namespace pulsepost::testing
