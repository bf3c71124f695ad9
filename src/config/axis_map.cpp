#include "config/axis_map.h"

namespace pulsepost {

namespace {
AxisMap gAxisMap{};
}

AxisMap& axisMap() { return gAxisMap; }

}  // namespace pulsepost
