#include "geometry/vec4.h"

#include <cstdio>

namespace pulsepost {

Vec4 cross(const Vec4& u, const Vec4& v) {
    if (u.a == 0.0 && v.a == 0.0) {
        return Vec4(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x, 0.0);
    }
    if (u.z == 0.0 && v.z == 0.0) {
        return Vec4(u.y * v.a - u.a * v.y, u.a * v.x - u.x * v.a, 0.0, u.x * v.y - u.y * v.x);
    }
    std::fputs("ERROR: Cross fed 4dim vectors\n", stdout);
    std::fflush(stdout);
    return Vec4();
}

int arcQuadrant(double dx, double dy, int direction) {
    if (direction == 3) {
        if (dx > 0.0 && dy >= 0.0) return 1;
        if (dx <= 0.0 && dy > 0.0) return 2;
        if (dx < 0.0 && dy <= 0.0) return 3;
        return 4;
    }
    if (dx >= 0.0 && dy > 0.0) return 1;
    if (dx < 0.0 && dy >= 0.0) return 2;
    if (dx <= 0.0 && dy < 0.0) return 3;
    return 4;
}

}  // namespace pulsepost
