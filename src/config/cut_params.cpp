#include "config/cut_params.h"

namespace pulsepost {

namespace {
CutParams gCutParams{};
}

CutParams& cutParams() { return gCutParams; }

}  // namespace pulsepost
