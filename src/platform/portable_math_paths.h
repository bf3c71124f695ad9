// The two evaluations behind the functions of portable_math.h, for the exactness tests and the
// benchmark. quick() returns true with the correctly rounded result when its error bound proves
// the rounding and false when it cannot; exact() always answers. Both take the ordinary
// arguments: finite, nonzero and below 823000 in magnitude for sin, cos and tan;
// 2^-26 <= |x| < 1 for asin and 2^-57 <= |x| < 1 for acos.
#pragma once

namespace pulsepost::portable_math_paths {

enum class Function { Sin, Cos, Tan, Asin, Acos };

bool quick(Function f, double x, double* result);
double exact(Function f, double x);

}  // namespace pulsepost::portable_math_paths
