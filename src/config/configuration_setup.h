// The configuration set-up that starts every call: paths, ZORVAN.CFG (or its defaults with the
// FILTER.CFG overrides, written back), params.cfg, then the axis map.
#pragma once

#include <cstdint>

namespace pulsepost {

// 0 when the configuration is in place; -1 (message code 8) when configDir is too long to hold
// the configuration file names, before any file is touched.
int32_t setUpConfiguration(const char* configDir);

}  // namespace pulsepost
