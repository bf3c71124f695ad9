#include "platform/portable_math.h"

#include <cmath>
#include <limits>

namespace pulsepost {

// Theory of operation.
//
// Each function forms its result as an unevaluated sum hi + lo of two doubles ("double-double")
// together with a bound on its error, and returns hi + lo rounded once to a double when the
// bound shows that the rounding cannot go the other way (Ziv's test: the value plus and minus the
// bound round to the same double). Otherwise it computes again in full double-double (about
// 2^-100 relative), whose rounding is the correct one unless the true result lies within 2^-100
// of the midpoint between two doubles.
//
//   sin, cos:  x = k * pi/2 + r with |r| <= pi/4. pi/2 is held as three 33-bit parts and a double,
//              so k * part is exact for |k| < 2^19 and r keeps about 150 bits of pi/2 even where
//              x is close to a multiple of pi/2. sin r and cos r are Taylor series in r^2; the
//              quick pass sums the first two or three terms in double-double and the small rest
//              in plain doubles (relative error about 2^-60), the careful pass sums every term to
//              r^29 and r^30 in double-double. The quadrant k mod 4 picks and signs the result.
//   tan:       the double-double quotient of the two.
//   asin:      Newton steps on sin(y) = x from the C library's asin (which is within an ulp or
//              two): one step with the quick sine, two with the careful one.
//   acos:      pi/2 - asin(x) in double-double.
//
// Only +, -, * and / of doubles are used, with no fused multiply-add (the build disables
// contraction), so every host computes the same bits. Arguments of sin, cos and tan beyond
// 2^19 * pi/2 (about 823000 radians) fall back to the C library: no angle the conversion forms
// comes near that.

namespace {

struct DD {
    double hi;
    double lo;
};

// a + b exactly, when |a| >= |b|.
inline DD fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly.
inline DD twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// Dekker's split of a into two 26-bit halves.
inline DD split(double a) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    const double t = kSplitter * a;
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// a * b exactly.
inline DD twoProduct(double a, double b) {
    const double p = a * b;
    const DD as = split(a);
    const DD bs = split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

inline DD add(DD a, DD b) {
    DD s = twoSum(a.hi, b.hi);
    const DD t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = fastTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return fastTwoSum(s.hi, s.lo);
}

inline DD negate(DD a) {
    return {-a.hi, -a.lo};
}

inline DD multiply(DD a, DD b) {
    DD p = twoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return fastTwoSum(p.hi, p.lo);
}

inline DD divide(DD a, DD b) {
    const double q1 = a.hi / b.hi;
    const DD r = add(a, negate(multiply(b, {q1, 0.0})));
    const double q2 = r.hi / b.hi;
    const DD r2 = add(r, negate(multiply(b, {q2, 0.0})));
    const double q3 = r2.hi / b.hi;
    const DD q = fastTwoSum(q1, q2);
    return add(q, {q3, 0.0});
}

inline double rounded(DD a) {
    return a.hi + a.lo;
}

// pi/2 = kPio2Part1 + kPio2Part2 + kPio2Part3 + kPio2Part4; the first three have 33 significant
// bits each.
constexpr double kPio2Part1 = 0x1.921fb544p+0;
constexpr double kPio2Part2 = 0x1.0b4611a6p-34;
constexpr double kPio2Part3 = 0x1.3198a2ep-69;
constexpr double kPio2Part4 = 0x1.b839a252049c1p-104;
constexpr DD kPio2 = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kPio4 = 0x1.921fb54442d18p-1;
constexpr double kReductionLimit = 524288.0;  // |k| below 2^19 keeps k * part exact

// (-1)^k / (2k + 1)!, k = 0 .. 14, as double-doubles.
constexpr DD kSinCoefficients[] = {
    {0x1p+0, 0.0},
    {-0x1.5555555555555p-3, -0x1.5555555555555p-57},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {-0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6cp-73},
    {-0x1.ae64567f544e4p-26, 0x1.c062e06d1f209p-80},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {-0x1.ae7f3e733b81fp-41, -0x1.1d8656b0ee8cbp-97},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {-0x1.2f49b46814157p-57, -0x1.2650f61dbdcb4p-112},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {-0x1.761b41316381ap-75, 0x1.3423c7d91404fp-130},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {-0x1.d1ab1c2dccea3p-94, -0x1.054d0c78aea14p-149},
    {0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157},
};

// (-1)^k / (2k)!, k = 0 .. 15, as double-doubles.
constexpr DD kCosCoefficients[] = {
    {0x1p+0, 0.0},
    {-0x1p-1, 0.0},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {-0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {-0x1.27e4fb7789f5cp-22, -0x1.cbbc05b4fa99ap-76},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {-0x1.93974a8c07c9dp-37, -0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {-0x1.6827863b97d97p-53, -0x1.eec01221a8b0bp-107},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {-0x1.0ce396db7f853p-70, 0x1.aebcdbd20331cp-124},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {-0x1.88e85fc6a4e5ap-89, 0x1.71c37ebd1654p-143},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
    {-0x1.3932c5047d60ep-108, -0x1.832b7b530a627p-162},
};

template <int N>
DD horner(const DD (&coefficients)[N], DD z) {
    DD sum = coefficients[N - 1];
    for (int i = N - 2; i >= 0; --i)
        sum = add(multiply(sum, z), coefficients[i]);
    return sum;
}

// a + b for the quick series, where no cancellation can occur (each term is far smaller than
// the coefficient it is added to): one exact sum of the high parts, the low parts added plainly.
inline DD addQuick(DD a, DD b) {
    DD s = twoSum(a.hi, b.hi);
    s.lo += a.lo + b.lo;
    return fastTwoSum(s.hi, s.lo);
}

// The quick form: the terms from index `first` on (together below 1/300 of the leading term) in
// plain doubles, the leading ones in double-double.
template <int First, int Last, int N>
inline DD quickHorner(const DD (&coefficients)[N], DD z) {
    static_assert(0 < First && First < Last && Last < N);
    double tail = coefficients[Last].hi;
    for (int i = Last - 1; i >= First; --i)
        tail = tail * z.hi + coefficients[i].hi;
    DD sum = {tail, 0.0};
    for (int i = First - 1; i >= 0; --i)
        sum = addQuick(multiply(sum, z), coefficients[i]);
    return sum;
}

// Relative error bound of the quick series: the double tail (terms from r^5 / 5! and r^6 / 6! on,
// at most 1/300 of the result) contributes about 2^-60; the bound keeps a factor 2 in hand.
constexpr double kQuickError = 0x1p-59;

struct Reduced {
    DD r;
    int quadrant;  // k mod 4
};

// x = k * pi/2 + r; valid for |x| < kReductionLimit * pi/2.
Reduced reduce(double x) {
    if (std::fabs(x) <= kPio4) return {{x, 0.0}, 0};
    // Round to the nearest integer by adding and removing 1.5 * 2^52: plain arithmetic, the same
    // on every host.
    constexpr double kRoundingShift = 0x1.8p52;
    const double k = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    DD r = {x - k * kPio2Part1, 0.0};  // exact: k * part has at most 52 bits, x is close to it
    r = add(r, {-k * kPio2Part2, 0.0});
    r = add(r, {-k * kPio2Part3, 0.0});
    r = add(r, negate(twoProduct(k, kPio2Part4)));
    const long long quadrant = static_cast<long long>(k) & 3;
    return {r, static_cast<int>(quadrant)};
}

bool reducible(double x) {
    return std::fabs(x) < kReductionLimit;
}

// sin x and cos x as double-doubles from the reduced argument.
void sinCosOf(const Reduced& red, bool quick, DD& s, DD& c) {
    const DD z = multiply(red.r, red.r);
    const DD sr = multiply(
        red.r, quick ? quickHorner<2, 10>(kSinCoefficients, z) : horner(kSinCoefficients, z));
    const DD cr = quick ? quickHorner<3, 11>(kCosCoefficients, z) : horner(kCosCoefficients, z);
    // sin(r + q pi/2) for q = 0..3: sin r, cos r, -sin r, -cos r; cos likewise one step on.
    switch (red.quadrant) {
        case 0:
            s = sr;
            c = cr;
            break;
        case 1:
            s = cr;
            c = negate(sr);
            break;
        case 2:
            s = negate(sr);
            c = negate(cr);
            break;
        default:
            s = negate(cr);
            c = sr;
            break;
    }
}

// sin x (wantSin) or cos x as a double-double, for finite reducible x.
DD sinOrCos(double x, bool wantSin, bool quick) {
    const Reduced red = reduce(x);
    const DD z = multiply(red.r, red.r);
    const int quadrant = wantSin ? red.quadrant : (red.quadrant + 1) & 3;
    const DD v = (quadrant & 1) ? (quick ? quickHorner<3, 11>(kCosCoefficients, z)
                                         : horner(kCosCoefficients, z))
                                : multiply(red.r, quick ? quickHorner<2, 10>(kSinCoefficients, z)
                                                        : horner(kSinCoefficients, z));
    return (quadrant & 2) ? negate(v) : v;
}

// True when every value within e of v rounds to the same double.
inline bool roundsSafely(DD v, double e) {
    return v.hi + (v.lo + e) == v.hi + (v.lo - e);
}

double sinOrCosRounded(double x, bool wantSin) {
    const DD quick = sinOrCos(x, wantSin, true);
    if (roundsSafely(quick, kQuickError * std::fabs(quick.hi))) return rounded(quick);
    return rounded(sinOrCos(x, wantSin, false));
}

// One Newton step on sin(y) = x from y = (hi, lo): y - (sin y - x) / cos y. With |lo| < 2^-50,
// sin(hi + lo) = sin hi + lo cos hi to well below 2^-106.
DD asinNewtonStep(DD y, double x, bool quick, double* cosine) {
    DD s;
    DD c;
    sinCosOf(reduce(y.hi), quick, s, c);
    s = add(s, twoProduct(y.lo, c.hi));
    const DD residual = add(s, {-x, 0.0});
    *cosine = c.hi;
    return add(y, negate(divide(residual, c)));
}

// asin x as a double-double for 2^-26 <= |x| < 1, with the error bound of the quick pass in
// *bound, or 0 when the careful passes were taken.
DD asinDD(double x, bool quick, double* bound) {
    DD y = {std::asin(x), 0.0};
    double cosine = 1.0;
    if (quick) {
        y = asinNewtonStep(y, x, true, &cosine);
        // The error of the sine, divided by the slope cos y; the Newton step's own error (the
        // square of the starting error, times tan y) is far below it.
        *bound = 2.0 * kQuickError * std::fabs(x) / std::fabs(cosine);
        return y;
    }
    for (int step = 0; step < 2; ++step)
        y = asinNewtonStep(y, x, false, &cosine);
    *bound = 0.0;
    return y;
}

}  // namespace

double portableSin(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::sin(x);
    if (x == 0.0) return x;
    return sinOrCosRounded(x, true);
}

double portableCos(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::cos(x);
    return sinOrCosRounded(x, false);
}

void portableSinCos(double x, double* sine, double* cosine) {
    if (!std::isfinite(x) || !reducible(x) || x == 0.0) {
        *sine = portableSin(x);
        *cosine = portableCos(x);
        return;
    }
    const Reduced red = reduce(x);
    DD s;
    DD c;
    sinCosOf(red, true, s, c);
    if (!roundsSafely(s, kQuickError * std::fabs(s.hi)) ||
        !roundsSafely(c, kQuickError * std::fabs(c.hi))) {
        sinCosOf(red, false, s, c);
    }
    *sine = rounded(s);
    *cosine = rounded(c);
}

double portableTan(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::tan(x);
    if (x == 0.0) return x;
    const Reduced red = reduce(x);
    DD s;
    DD c;
    sinCosOf(red, true, s, c);
    const DD quick = divide(s, c);
    if (roundsSafely(quick, 4.0 * kQuickError * std::fabs(quick.hi))) return rounded(quick);
    sinCosOf(red, false, s, c);
    return rounded(divide(s, c));
}

double portableAsin(double x) {
    if (std::isnan(x) || std::fabs(x) > 1.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1.0) return kPio2.hi;
    if (x == -1.0) return -kPio2.hi;
    if (std::fabs(x) < 0x1p-26) return x;  // asin x = x (1 + x^2/6 + ...) rounds to x
    double bound = 0.0;
    const DD quick = asinDD(x, true, &bound);
    if (roundsSafely(quick, bound)) return rounded(quick);
    return rounded(asinDD(x, false, &bound));
}

double portableAcos(double x) {
    if (std::isnan(x) || std::fabs(x) > 1.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1.0) return 0.0;
    if (x == -1.0) return 2.0 * kPio2.hi;  // pi rounded
    if (std::fabs(x) < 0x1p-57) return kPio2.hi;
    double bound = 0.0;
    if (std::fabs(x) >= 0x1p-26) {
        const DD quick = add(kPio2, negate(asinDD(x, true, &bound)));
        if (roundsSafely(quick, bound)) return rounded(quick);
        return rounded(add(kPio2, negate(asinDD(x, false, &bound))));
    }
    // Tiny x: asin x = x to far below the bound that matters next to pi/2.
    return rounded(add(kPio2, {-x, 0.0}));
}

}  // namespace pulsepost
