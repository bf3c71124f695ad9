// Trigonometric functions that give the same bits on every build. The C libraries' sin, cos, tan,
// asin and acos may differ in the last bit between hosts (the Windows C runtime's asin and acos
// differ from the Linux C library's for about one argument in a hundred), and one bit in an arc
// length or a tick position can move a pulse; these compute in plain IEEE double arithmetic,
// which SSE2 performs identically everywhere, and round correctly (to nearest) in all but
// astronomically rare cases.
#pragma once

namespace pulsepost {

double portableSin(double x);
double portableCos(double x);
double portableTan(double x);
// Both at once, as portableSin and portableCos give them, for about the cost of one.
void portableSinCos(double x, double* sine, double* cosine);
// sin x, cos x and tan x, as portableSin, portableCos and portableTan give them, from one reduction
// of x (for the half angle of a corner, which needs all three).
void portableSinCosTan(double x, double* sine, double* cosine, double* tangent);
// sin x and cos x each within 2^-51 of the true value, in plain double arithmetic (so the same
// bits on every build) but without the rounding proof: for positions whose use holds with a
// margin, at a third of the cost of portableSinCos.
void approximateSinCos(double x, double* sine, double* cosine);
double portableAsin(double x);  // NaN outside [-1, 1]
double portableAcos(double x);  // NaN outside [-1, 1]

}  // namespace pulsepost
