#include "platform/portable_math.h"

#include <cmath>
#include <limits>

#include "platform/portable_math_paths.h"

namespace pulsepost {

// Theory of operation.
//
// Each function is evaluated twice over if need be (Ziv's strategy). The quick evaluation forms
// the result as an unevaluated sum hi + lo of two doubles together with a proven bound on its
// error, and returns hi + lo rounded once when the bound shows that the rounding cannot go the
// other way (every value within the bound rounds to the same double). Otherwise the exact
// evaluation computes again in full double-double (about 2^-100 relative), whose rounding is the
// correct one unless the true result lies within 2^-100 of the midpoint between two doubles. The
// quick bound is a few units in the 2^-62 place, so about one argument in three hundred needs
// the exact evaluation.
//
// Quick evaluation.
//   reduction: x = k * pi/2 + r, |r| <= pi/4, with pi/2 held as three 33-bit parts and a double:
//              x - k * part1 and k * part2 are exact (|k| < 2^19), their sum is split exactly
//              into two doubles, and the last two parts go into the low double: r is off by at
//              most 2^-100. Where |r| < 2^-20 (x close to a multiple of pi/2) that would not be
//              enough, and the exact reduction below is used instead.
//   sin, cos:  r = a + t with a = i/64 the nearest table point (|t| <= 1/128) and
//                sin(a + t) = sin a + cos a * t + cos a * (sin t - t) + sin a * (cos t - 1)
//                cos(a + t) = cos a - sin a * t + cos a * (cos t - 1) - sin a * (sin t - t)
//              sin a and cos a come from a table of double-doubles (exact to 2^-107); the
//              product with t is formed exactly; sin t - t (below 2^-23) and cos t - 1 (below
//              2^-15) are short series in plain doubles whose rounding errors, a few units in
//              the 2^-53 place of those small terms, keep the whole below 2^-63.7 relative.
//   tan:       the quotient of the two, with one correction step: below 2^-62.5 relative.
//   asin:      for |x| <= 1/2, one Newton step on sin(y) = x from the C library's asin y0:
//              y0 - (sin y0 - x) / cos y0, with sin y0 from the quick sine. Its error is the
//              sine's divided by cos y0 >= 0.86, plus the square of the step (computed, so the
//              bound holds whatever the C library returned). For |x| > 1/2,
//              asin |x| = pi/2 - 2 asin w with w = sqrt((1 - |x|) / 2) <= 1/2 as a double-double
//              (1 - |x| is exact there), which keeps the slope cos y away from 0.
//   acos:      pi/2 - asin x for |x| <= 1/2; 2 asin w above, pi - 2 asin w below -1/2.
//
// Exact evaluation.
//   sin, cos:  the reduction keeps about 150 bits of pi/2; sin r and cos r are their Taylor series
//              to r^29 and r^30 summed in double-double, the quadrant k mod 4 picks and signs.
//   tan:       the double-double quotient of the two.
//   asin:      two double-double Newton steps from the C library's asin.
//   acos:      pi/2 - asin x in double-double.
//
// Only +, -, *, / and sqrt of doubles are used, with no fused multiply-add (the build disables
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

struct Reduced {
    DD r;
    int quadrant;  // k mod 4
};

// Round to the nearest integer by adding and removing 1.5 * 2^52: plain arithmetic, the same on
// every host.
constexpr double kRoundingShift = 0x1.8p52;

// x = k * pi/2 + r with r to about 150 bits; valid for |x| < kReductionLimit * pi/2.
Reduced reduce(double x) {
    if (std::fabs(x) <= kPio4) return {{x, 0.0}, 0};
    const double k = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    DD r = {x - k * kPio2Part1, 0.0};  // exact: k * part has at most 52 bits, x is close to it
    r = add(r, {-k * kPio2Part2, 0.0});
    r = add(r, {-k * kPio2Part3, 0.0});
    r = add(r, negate(twoProduct(k, kPio2Part4)));
    return {r, static_cast<int>(k) & 3};
}

bool reducible(double x) {
    return std::fabs(x) < kReductionLimit;
}

// ---- Exact evaluation ----

// sin x and cos x as double-doubles from the reduced argument.
void carefulSinCos(const Reduced& red, DD& s, DD& c) {
    const DD z = multiply(red.r, red.r);
    const DD sr = multiply(red.r, horner(kSinCoefficients, z));
    const DD cr = horner(kCosCoefficients, z);
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
DD carefulSinOrCos(double x, bool wantSin) {
    const Reduced red = reduce(x);
    const DD z = multiply(red.r, red.r);
    const int quadrant = wantSin ? red.quadrant : (red.quadrant + 1) & 3;
    const DD v =
        (quadrant & 1) ? horner(kCosCoefficients, z) : multiply(red.r, horner(kSinCoefficients, z));
    return (quadrant & 2) ? negate(v) : v;
}

// w = sqrt((1 - |x|) / 2) for 1/2 < |x| < 1, as a double-double to 2^-104.
inline DD halfAngleSine(double x) {
    const double u = (1.0 - std::fabs(x)) * 0.5;  // exact
    const double w = std::sqrt(u);
    const DD square = twoProduct(w, w);
    return {w, ((u - square.hi) - square.lo) / (2.0 * w)};
}

// c - z for c = pi/2 or pi and |z| <= c / 2 (a double-double with its error below 2^-100).
inline DD minus(DD c, DD z) {
    const DD h = fastTwoSum(c.hi, -z.hi);
    return {h.hi, h.lo + (c.lo - z.lo)};
}

inline DD twice(DD z) {
    return {2.0 * z.hi, 2.0 * z.lo};
}

constexpr DD kPi = {2.0 * kPio2.hi, 2.0 * kPio2.lo};

// One Newton step on sin(y) = x from y = (hi, lo): y - (sin y - x) / cos y. With |lo| < 2^-50,
// sin(hi + lo) = sin hi + lo cos hi to well below 2^-106.
DD carefulAsinStep(DD y, DD x) {
    DD s;
    DD c;
    carefulSinCos(reduce(y.hi), s, c);
    s = add(s, twoProduct(y.lo, c.hi));
    const DD residual = add(s, negate(x));
    return add(y, negate(divide(residual, c)));
}

// asin x as a double-double for 2^-26 <= |x| <= 1/2 or x = hi + lo with |lo| <= 2^-52 |hi|.
DD carefulAsin(DD x) {
    DD y = {std::asin(x.hi), 0.0};
    for (int step = 0; step < 2; ++step)
        y = carefulAsinStep(y, x);
    return y;
}

double exactSin(double x) {
    return rounded(carefulSinOrCos(x, true));
}

double exactCos(double x) {
    return rounded(carefulSinOrCos(x, false));
}

double exactTan(double x) {
    DD s;
    DD c;
    carefulSinCos(reduce(x), s, c);
    return rounded(divide(s, c));
}

// For |x| > 1/2 through the half angle as the quick evaluation does: the Newton step divides by
// cos y, which would magnify the sine's error near |x| = 1 (to 2^-55 of acos x next to 1).
double exactAsin(double x) {
    if (std::fabs(x) <= 0.5) return rounded(carefulAsin({x, 0.0}));
    const double v = rounded(minus(kPio2, twice(carefulAsin(halfAngleSine(x)))));
    return x < 0.0 ? -v : v;
}

double exactAcos(double x) {
    // Tiny x: asin x = x to far below the bound that matters next to pi/2.
    if (std::fabs(x) < 0x1p-26) return rounded(add(kPio2, {-x, 0.0}));
    if (std::fabs(x) <= 0.5) return rounded(minus(kPio2, carefulAsin({x, 0.0})));
    const DD z = twice(carefulAsin(halfAngleSine(x)));
    return rounded(x > 0.0 ? z : minus(kPi, z));
}

// ---- Quick evaluation ----

// Relative error bound of the quick sine and cosine (below 2^-63.7, see above), with a margin.
constexpr double kQuickError = 0x1p-62;

// sin(i/64) and cos(i/64) for i = 0 .. 51, as double-doubles (hi, lo, hi, lo).
struct TablePoint {
    double sinHi;
    double sinLo;
    double cosHi;
    double cosLo;
};

constexpr TablePoint kTable[] = {
    {0.0, 0.0, 0x1p+0, 0.0},
    {0x1.fffaaaaeeeed5p-7, -0x1.2ab639a9f0776p-63, 0x1.fff000155549fp-1, 0x1.28a28a03a5ef3p-55},
    {0x1.ffeaaaeeee86fp-6, -0x1.cd406fb224ae2p-60, 0x1.ffc00155527d3p-1, -0x1.3b54492d89b5bp-55},
    {0x1.7fdc01032fba9p-5, -0x1.599bdf46e997ap-59, 0x1.ff7006bfdf99fp-1, -0x1.8b3b560648d5fp-56},
    {0x1.ffaaaeeed4edbp-5, -0x1.2d16d32684b69p-59, 0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55},
    {0x1.3facb12d1755bp-4, -0x1.921915299468bp-58, 0x1.fe7034129ef6fp-1, -0x1.cbf4337c96f97p-57},
    {0x1.7f701032550e4p-4, 0x1.afc2d1800501ap-60, 0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55},
    {0x1.bf1b78568391dp-4, 0x1.e91841dea4cc8p-58, 0x1.fcf0c800e99b1p-1, 0x1.ea3d786d186acp-57},
    {0x1.feaaeee86ee36p-4, -0x1.afcb2bcc6f03bp-59, 0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55},
    {0x1.1f0d3d7afceafp-3, -0x1.6ef95099769a5p-57, 0x1.faf22263c4bd3p-1, -0x1.52ace133a2769p-58},
    {0x1.3eb312c5d66cbp-3, 0x1.47d666b66cb91p-57, 0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55},
    {0x1.5e44fcfa126f3p-3, -0x1.6f443063f89b6p-57, 0x1.f874c2e1eecf6p-1, -0x1.c6514e1332b16p-55},
    {0x1.7dc102fbaf2b5p-3, 0x1.5ab50e23c97c3p-59, 0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55},
    {0x1.9d252d0cec312p-3, 0x1.9c43d80b1137dp-58, 0x1.f57948cff6797p-1, 0x1.e3a0d3e03b1d4p-57},
    {0x1.bc6f84edc6199p-3, 0x1.9c1a56a7b0cabp-57, 0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57},
    {0x1.db9e15fb5a5d0p-3, -0x1.32e20d6cc6fc2p-57, 0x1.f20073086649fp-1, 0x1.b940416c1984bp-56},
    {0x1.faaeed4f31577p-3, -0x1.15d88508e32b8p-57, 0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55},
    {0x1.0cd00cef36436p-2, -0x1.9fb0a0c93e2b4p-56, 0x1.ee0b1fbc0f11cp-1, -0x1.bfd2380bbc3b1p-59},
    {0x1.1c37d64c6b876p-2, 0x1.46076fe0dcff4p-56, 0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55},
    {0x1.2b8ddc43eb49fp-2, 0x1.1553899f2d807p-57, 0x1.e99a4c3a7cd83p-1, -0x1.2264b1bc53ce8p-55},
    {0x1.3ad129769d3d8p-2, 0x1.03d550487839ap-63, 0x1.e733ea0193d40p-1, -0x1.6428b3546ce13p-55},
    {0x1.4a00c9b0f3d20p-2, 0x1.823ba6bb08eadp-56, 0x1.e4af14b2a449cp-1, -0x1.68ca02e8a6833p-55},
    {0x1.591bc9fa2f597p-2, 0x1.7c74bac3fe0cbp-57, 0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58},
    {0x1.682138a38d7f7p-2, -0x1.d889202444aadp-56, 0x1.df4ab3ebd875ep-1, -0x1.e2d8a7e6736c4p-55},
    {0x1.7710255764214p-2, -0x1.6ead7314bb6cep-57, 0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58},
    {0x1.85e7a12826949p-2, 0x1.8a40e9b5face0p-56, 0x1.d96e82f71a9dcp-1, 0x1.ff61bd5d2039dp-55},
    {0x1.94a6be9f546c5p-2, -0x1.69ce13e683f58p-56, 0x1.d653f073e4040p-1, -0x1.76236434bec37p-55},
    {0x1.a34c91cc50ccap-2, -0x1.a310e3b50cecdp-58, 0x1.d31bf8d8d7c06p-1, 0x1.e60dd3089cbddp-56},
    {0x1.b1d8305321617p-2, -0x1.ae242cb99f519p-56, 0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55},
    {0x1.c048b17b140a3p-2, 0x1.19fe6757e9fa7p-57, 0x1.cc54aa2b2972ep-1, 0x1.4ee162ba83a98p-57},
    {0x1.ce9d2e3d4a51fp-2, -0x1.2fc8a12dae298p-57, 0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56},
    {0x1.dcd4c15329c9ap-2, 0x1.0d4c6e171fd9ap-56, 0x1.c51a48b8b175ep-1, -0x1.1bbb43b9aa880p-57},
    {0x1.eaee8744b05f0p-2, -0x1.789b43c9b027dp-58, 0x1.c1528065b7d50p-1, -0x1.892111312e828p-55},
    {0x1.f8e99e76abc97p-2, 0x1.9d950af2d00a3p-58, 0x1.bd6ea310294f5p-1, 0x1.31bbcc88c109dp-56},
    {0x1.0362939c69955p-1, -0x1.2d8cd78397b01p-55, 0x1.b96eeef58840ep-1, 0x1.45a3cc78fade0p-58},
    {0x1.0a4021e9e1001p-1, -0x1.6f643a13914f6p-55, 0x1.b553a410c104ep-1, 0x1.8ff7947027a15p-58},
    {0x1.110d0c4b69c3bp-1, 0x1.d918998809981p-55, 0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56},
    {0x1.17c8e5f2eedb0p-1, 0x1.35e57102e2488p-57, 0x1.accb526f69de5p-1, 0x1.8fb6a8dd6b6ccp-55},
    {0x1.1e7343236574cp-1, 0x1.22a3fa4f41d5ap-56, 0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57},
    {0x1.250bb93788bbbp-1, 0x1.ea3d02457bccep-56, 0x1.a3d7d0352bdcfp-1, -0x1.68dbaeca19669p-55},
    {0x1.2b91dea88421ep-1, -0x1.fa371db216ab0p-55, 0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55},
    {0x1.32054b148bc4fp-1, 0x1.f6b42095a135bp-55, 0x1.9a7b5a36a6514p-1, 0x1.722cfcc9fa7a9p-55},
    {0x1.386597456282bp-1, -0x1.10fada93b07a8p-56, 0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55},
    {0x1.3eb25d36cd53ap-1, -0x1.be570e1570fc0p-58, 0x1.90b84784ddaf7p-1, -0x1.0feb10ab93b87p-56},
    {0x1.44eb381cf386bp-1, -0x1.3ed6c1e6a5505p-55, 0x1.8bb105a5dc900p-1, 0x1.863e03e9474c1p-55},
    {0x1.4b0fc46aab761p-1, 0x1.0da05738cc59cp-61, 0x1.869108d77a6c6p-1, 0x1.338ffe2bfe9ddp-56},
    {0x1.511f9fd7b351cp-1, -0x1.5c0e861c48831p-55, 0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57},
    {0x1.571a6966d59b3p-1, 0x1.c843b4d0fb197p-58, 0x1.7c0827f09e54fp-1, -0x1.c73d6d72aee68p-57},
    {0x1.5cffc16bf8f0dp-1, 0x1.96cb370eb578ap-55, 0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57},
    {0x1.62cf49921ac79p-1, -0x1.edd9855b6241ap-55, 0x1.712046fa77678p-1, 0x1.425b0a5029c81p-55},
    {0x1.6888a4e134b2fp-1, -0x1.6b7d37644d5e6p-55, 0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56},
    {0x1.6e2b77c40bde1p-1, -0x1.0e729857fad53p-56, 0x1.65dc1fdeb8cbap-1, -0x1.97c1b47337c77p-58},
};

// Taylor coefficients of sin t - t and cos t - 1 for |t| <= 1/128: the terms left out are below
// 2^-81 and 2^-92.
constexpr double kSin3 = -0x1.5555555555555p-3;
constexpr double kSin5 = 0x1.1111111111111p-7;
constexpr double kSin7 = -0x1.a01a01a01a01ap-13;
constexpr double kCos2 = -0x1p-1;
constexpr double kCos4 = 0x1.5555555555555p-5;
constexpr double kCos6 = -0x1.6c16c16c16c17p-10;
constexpr double kCos8 = 0x1.a01a01a01a01ap-16;

// x = k * pi/2 + r to within 2^-100, or to about 150 bits where |r| is small.
inline Reduced quickReduce(double x) {
    if (std::fabs(x) <= kPio4) return {{x, 0.0}, 0};
    const double k = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    const DD s = twoSum(x - k * kPio2Part1, -k * kPio2Part2);  // both terms exact
    if (std::fabs(s.hi) < 0x1p-20) return reduce(x);
    const double lo = (s.lo - k * kPio2Part3) - k * kPio2Part4;
    return {fastTwoSum(s.hi, lo), static_cast<int>(k) & 3};
}

// r = i/64 + t: the table point's sine and cosine, t = tHi + tLo exactly, and the series.
struct NearPoint {
    double sinHi;
    double sinLo;
    double cosHi;
    double cosLo;
    double tHi;
    double tLo;
    double sinRest;  // sin t - t
    double cosRest;  // cos t - 1
};

inline NearPoint nearPoint(DD r) {
    const double n = (r.hi * 64.0 + kRoundingShift) - kRoundingShift;
    const int i = static_cast<int>(n);
    const TablePoint& e = kTable[i < 0 ? -i : i];
    const double sign = i < 0 ? -1.0 : 1.0;
    const double tHi = r.hi - n * 0x1p-6;  // exact: r.hi and n/64 are within 1/128
    const double t = tHi + r.lo;
    const double t2 = t * t;
    return {sign * e.sinHi,
            sign * e.sinLo,
            e.cosHi,
            e.cosLo,
            tHi,
            r.lo,
            t * t2 * (kSin3 + t2 * (kSin5 + t2 * kSin7)),
            t2 * (kCos2 + t2 * (kCos4 + t2 * (kCos6 + t2 * kCos8)))};
}

// sin(a + t): the exact sum of sin a and the leading part of cos a * t, the small terms in the
// low part (smallest first). |sin a| >= 2 |cos a * t| unless a = 0, so the sum is fast.
inline DD sinNear(const NearPoint& p) {
    const DD ct = twoProduct(p.cosHi, p.tHi);
    const DD h = fastTwoSum(p.sinHi, ct.hi);
    const double lo =
        ((((ct.lo + p.cosLo * p.tHi) + p.cosHi * p.tLo) + p.sinLo) + p.cosHi * p.sinRest) +
        p.sinHi * p.cosRest + h.lo;
    return {h.hi, lo};
}

// cos(a + t) likewise; cos a >= 0.7 is far above sin a * t.
inline DD cosNear(const NearPoint& p) {
    const DD st = twoProduct(p.sinHi, p.tHi);
    const DD h = fastTwoSum(p.cosHi, -st.hi);
    const double lo =
        ((((p.cosLo - st.lo) - p.sinLo * p.tHi) - p.sinHi * p.tLo) - p.sinHi * p.sinRest) +
        p.cosHi * p.cosRest + h.lo;
    return {h.hi, lo};
}

// True when every value within e of hi + lo rounds to the same double; *out gets that double.
inline bool roundsSafely(DD v, double e, double* out) {
    const double up = v.hi + (v.lo + e);
    if (up != v.hi + (v.lo - e)) return false;
    *out = v.hi + v.lo;
    return true;
}

// sin r, cos r, -sin r, -cos r for q = 0..3.
inline DD quarterTurn(const NearPoint& p, int q) {
    const DD v = (q & 1) ? cosNear(p) : sinNear(p);
    return (q & 2) ? negate(v) : v;
}

// The same from sin r and cos r already formed.
inline DD quarterTurnOf(DD sinR, DD cosR, int q) {
    const DD v = (q & 1) ? cosR : sinR;
    return (q & 2) ? negate(v) : v;
}

inline bool quickSinOrCos(double x, int quarterTurns, double* out) {
    const Reduced red = quickReduce(x);
    const DD v = quarterTurn(nearPoint(red.r), (red.quadrant + quarterTurns) & 3);
    return roundsSafely(v, kQuickError * std::fabs(v.hi), out);
}

bool quickSin(double x, double* out) {
    return quickSinOrCos(x, 0, out);
}

bool quickCos(double x, double* out) {
    return quickSinOrCos(x, 1, out);
}

// tan from sin r and cos r as sinNear and cosNear give them, r in quadrant q.
bool quickTanOf(DD s, DD c, int quadrant, double* out) {
    s = fastTwoSum(s.hi, s.lo);
    c = fastTwoSum(c.hi, c.lo);
    // tan(r + q pi/2) = sin r / cos r for even q, -cos r / sin r for odd q.
    const DD num = (quadrant & 1) ? negate(c) : s;
    const DD den = (quadrant & 1) ? s : c;
    const double q = num.hi / den.hi;
    const DD qd = twoProduct(q, den.hi);
    const double correction = (((num.hi - qd.hi) - qd.lo) + num.lo - q * den.lo) / den.hi;
    return roundsSafely({q, correction}, 1.5 * kQuickError * std::fabs(q), out);
}

bool quickTan(double x, double* out) {
    const Reduced red = quickReduce(x);
    const NearPoint p = nearPoint(red.r);
    return quickTanOf(sinNear(p), cosNear(p), red.quadrant, out);
}

// asin w for |w| <= 1/2, w = wHi + wLo with |wLo| <= 2^-52 |wHi|; *bound gets its error bound.
inline DD quickAsinSmall(double wHi, double wLo, double* bound) {
    const double y0 = std::asin(wHi);
    const NearPoint p = nearPoint({y0, 0.0});
    const DD s = sinNear(p);
    // 1 / cos y0 to 2^-22 relative (only the step's last bits depend on it), formed while the
    // sine is still being summed rather than dividing by the cosine after it.
    const double secant = 1.0 / (p.cosHi - p.sinHi * p.tHi + p.cosHi * p.cosRest);
    const double step = (((s.hi - wHi) + s.lo) - wLo) * secant;  // s.hi - wHi is exact
    *bound = 1.5 * kQuickError * std::fabs(y0) + step * step + 0x1p-21 * std::fabs(step);
    return fastTwoSum(y0, -step);
}

bool quickAsin(double x, double* out) {
    double bound = 0.0;
    if (std::fabs(x) <= 0.5) {
        const DD y = quickAsinSmall(x, 0.0, &bound);
        return roundsSafely(y, bound, out);
    }
    const DD w = halfAngleSine(x);
    const DD v = minus(kPio2, twice(quickAsinSmall(w.hi, w.lo, &bound)));
    if (!roundsSafely(v, 2.0 * bound + 0x1p-100, out)) return false;
    if (x < 0.0) *out = -*out;
    return true;
}

bool quickAcos(double x, double* out) {
    double bound = 0.0;
    if (std::fabs(x) <= 0.5) {
        const DD y = quickAsinSmall(x, 0.0, &bound);
        return roundsSafely(minus(kPio2, y), bound + 0x1p-100, out);
    }
    const DD w = halfAngleSine(x);
    const DD z = quickAsinSmall(w.hi, w.lo, &bound);
    if (x > 0.0) return roundsSafely(twice(z), 2.0 * bound + 0x1p-100 * z.hi, out);
    return roundsSafely(minus(kPi, twice(z)), 2.0 * bound + 0x1p-100, out);
}

}  // namespace

namespace portable_math_paths {

bool quick(Function f, double x, double* result) {
    switch (f) {
        case Function::Sin:
            return quickSin(x, result);
        case Function::Cos:
            return quickCos(x, result);
        case Function::Tan:
            return quickTan(x, result);
        case Function::Asin:
            return quickAsin(x, result);
        default:
            return quickAcos(x, result);
    }
}

double exact(Function f, double x) {
    switch (f) {
        case Function::Sin:
            return exactSin(x);
        case Function::Cos:
            return exactCos(x);
        case Function::Tan:
            return exactTan(x);
        case Function::Asin:
            return exactAsin(x);
        default:
            return exactAcos(x);
    }
}

}  // namespace portable_math_paths

double portableSin(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::sin(x);
    if (x == 0.0) return x;
    double result;
    return quickSin(x, &result) ? result : exactSin(x);
}

double portableCos(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::cos(x);
    double result;
    return quickCos(x, &result) ? result : exactCos(x);
}

void portableSinCos(double x, double* sine, double* cosine) {
    if (!std::isfinite(x) || !reducible(x) || x == 0.0) {
        *sine = portableSin(x);
        *cosine = portableCos(x);
        return;
    }
    const Reduced red = quickReduce(x);
    const NearPoint p = nearPoint(red.r);
    const DD s = quarterTurn(p, red.quadrant);
    const DD c = quarterTurn(p, (red.quadrant + 1) & 3);
    if (!roundsSafely(s, kQuickError * std::fabs(s.hi), sine)) *sine = exactSin(x);
    if (!roundsSafely(c, kQuickError * std::fabs(c.hi), cosine)) *cosine = exactCos(x);
}

void portableSinCosTan(double x, double* sine, double* cosine, double* tangent) {
    if (!std::isfinite(x) || !reducible(x) || x == 0.0) {
        *sine = portableSin(x);
        *cosine = portableCos(x);
        *tangent = portableTan(x);
        return;
    }
    const Reduced red = quickReduce(x);
    const NearPoint p = nearPoint(red.r);
    const DD sr = sinNear(p);
    const DD cr = cosNear(p);
    const DD s = quarterTurnOf(sr, cr, red.quadrant);
    const DD c = quarterTurnOf(sr, cr, (red.quadrant + 1) & 3);
    if (!roundsSafely(s, kQuickError * std::fabs(s.hi), sine)) *sine = exactSin(x);
    if (!roundsSafely(c, kQuickError * std::fabs(c.hi), cosine)) *cosine = exactCos(x);
    if (!quickTanOf(sr, cr, red.quadrant, tangent)) *tangent = exactTan(x);
}

// The quick evaluation's terms summed in plain doubles: each of sin a + cos a * t and
// cos a - sin a * t rounds once (2^-53), the small terms add about 2^-58.
void approximateSinCos(double x, double* sine, double* cosine) {
    if (!std::isfinite(x) || !reducible(x)) {
        portableSinCos(x, sine, cosine);
        return;
    }
    const Reduced red = quickReduce(x);
    const NearPoint p = nearPoint(red.r);
    const double t = p.tHi + p.tLo;
    const double sr =
        p.sinHi + (p.cosHi * t + ((p.sinLo + p.cosHi * p.sinRest) + p.sinHi * p.cosRest));
    const double cr =
        p.cosHi + (((p.cosLo - p.sinHi * p.sinRest) + p.cosHi * p.cosRest) - p.sinHi * t);
    // sin(r + q pi/2) for q = 0..3: sin r, cos r, -sin r, -cos r; cos likewise one step on.
    const double values[4] = {sr, cr, -sr, -cr};
    *sine = values[red.quadrant];
    *cosine = values[(red.quadrant + 1) & 3];
}

double portableTan(double x) {
    if (!std::isfinite(x)) return x - x;
    if (!reducible(x)) return std::tan(x);
    if (x == 0.0) return x;
    double result;
    return quickTan(x, &result) ? result : exactTan(x);
}

double portableAsin(double x) {
    if (std::isnan(x) || std::fabs(x) > 1.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1.0) return kPio2.hi;
    if (x == -1.0) return -kPio2.hi;
    if (std::fabs(x) < 0x1p-26) return x;  // asin x = x (1 + x^2/6 + ...) rounds to x
    double result;
    return quickAsin(x, &result) ? result : exactAsin(x);
}

double portableAcos(double x) {
    if (std::isnan(x) || std::fabs(x) > 1.0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 1.0) return 0.0;
    if (x == -1.0) return kPi.hi;  // pi rounded
    if (std::fabs(x) < 0x1p-57) return kPio2.hi;
    double result;
    return quickAcos(x, &result) ? result : exactAcos(x);
}

}  // namespace pulsepost
