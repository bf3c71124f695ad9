// The configuration set-up that starts every call: paths, ZORVAN.CFG (or its defaults with the
// FILTER.CFG overrides, written back), params.cfg, then the axis map.
#pragma once

namespace pulsepost {

void setUpConfiguration(const char* configDir);

}  // namespace pulsepost
