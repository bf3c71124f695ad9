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
//   asin:      for |w| <= 1/2, w = a + h with a = i/256 the nearest table point (|h| <= 1/512,
//              h exact) and asin(a + h) = asin a + c1 h + (c2 h^2 + ... + c7 h^7), the Taylor
//              series at a. asin a and c1 come from the table as double-doubles (2^-106), c1 h is
//              formed exactly, and the rest P in plain doubles by Horner's rule: |P| <= 2^-17.7
//              |asin w| (2^-20.5 for a = 0), the coefficients are positive (odd powers only at 0)
//              and |h c(k+1)| <= c(k) / 6, so no inner sum cancels: its twelve roundings and the
//              coefficients' own cost below 2^-49 |P| = 2^-66.7; the terms left out are below
//              2^-69.3, the low part's two sums after P below 2^-70.6 each: together below
//              2^-66.2 |asin w| (measured against the exact evaluation over 20M arguments:
//              2^-68.7), bound 2^-64.
//              A low part of w (below 2^-52 |w|) enters c1 h exactly and P through h.
//              For |x| > 1/2, asin |x| = pi/2 - 2 asin w with w = sqrt((1 - |x|) / 2) <= 1/2 as
//              a double-double (1 - |x| is exact there), which keeps the slope bounded.
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

// asin at i/256, i = 0 .. 128, and the Taylor coefficients there: asin and the first derivative
// as double-doubles, the coefficients of h^2 .. h^7 as doubles (worked out to 300 bits).
struct AsinPoint {
    double asinHi;
    double asinLo;
    double c1Hi;
    double c1Lo;
    double c2;
    double c3;
    double c4;
    double c5;
    double c6;
    double c7;
};

constexpr AsinPoint kAsinTable[] = {
    {0.0, 0.0, 0x1.0000000000000p+0, 0.0, 0.0, 0x1.5555555555555p-3, 0.0, 0x1.3333333333333p-4, 0.0,
     0x1.6db6db6db6db7p-5},
    {0x1.00002aaabdddfp-8, -0x1.ad18dfe48fd32p-62, 0x1.0000800060005p+0, 0x1.1800fc00e700dp-66,
     0x1.00018001e0023p-9, 0x1.555b5561d569cp-3, 0x1.8006400f501d9p-10, 0x1.3342337073d89p-4,
     0x1.400a357eadcc7p-10, 0x1.6dd9dc59fa946p-5},
    {0x1.0000aaabdde0cp-7, -0x1.ab2904d668b9dp-61, 0x1.0002000600140p+0, 0x1.1803f00e7035ap-58,
     0x1.0006001e008c0p-8, 0x1.556d561d5a702p-3, 0x1.801900f507623p-9, 0x1.336f37075c8cap-4,
     0x1.4028d7eaf31d7p-9, 0x1.6e42ea32a51ebp-5},
    {0x1.800240091cfdap-7, -0x1.c7305887fe505p-64, 0x1.0004801e60e3dp+0, 0x1.c08fb15ad73a0p-54,
     0x1.801440e3d9586p-8, 0x1.558b594a0f7c1p-3, 0x1.202a33a27b15fp-8, 0x1.33ba46964a456p-4,
     0x1.e089e3a140f02p-9, 0x1.6ef2263891715p-5},
    {0x1.0002aabdde94cp-6, 0x1.130cd26cdfa37p-62, 0x1.0008006005004p+0, 0x1.80fc0e70d68c9p-54,
     0x1.001801e023027p-7, 0x1.55b561d69c1d9p-3, 0x1.80640f51d8b1ap-8, 0x1.3423707d8a98bp-4,
     0x1.40a37eb4c82d1p-8, 0x1.6fe7c7e95018dp-5},
    {0x1.4005358ff0bd8p-6, -0x1.3535f7d78211ap-61, 0x1.000c80ea73147p+0, 0x1.603503f2bf69cp-56,
     0x1.402ee5b97ef6fp-7, 0x1.55eb73deb427ep-3, 0x1.e0c37ec3b2803p-8, 0x1.34aac8e3e936fp-4,
     0x1.913f80fa00224p-8, 0x1.71241d1968bfdp-5},
    {0x1.80090091d9024p-6, 0x1.1158c93fa3e42p-62, 0x1.001201e638fb0p+0, 0x1.7495d256642e8p-55,
     0x1.80510e3f5660bp-7, 0x1.562d94abe13acp-3, 0x1.20a8fa3388484p-7, 0x1.355069bd129a9p-4,
     0x1.e2287a739b8e7p-8, 0x1.72a78a19349c5p-5},
    {0x1.c00e4be5f0304p-6, 0x1.8d9822a9352bep-60, 0x1.00188384efb56p+0, 0x1.9e38be72f1d2ap-56,
     0x1.c080becd28c24p-7, 0x1.567bcab6864e1p-3, 0x1.510c75d818100p-7, 0x1.361472d1cef2cp-4,
     0x1.19b702b0242fap-7, 0x1.747289e46a247p-5},
    {0x1.000aabde0b9c8p-5, 0x1.d6d94551be3e9p-61, 0x1.0020060140461p+0, -0x1.e3194a6d70f37p-59,
     0x1.00601e08c276bp-6, 0x1.56d61da71d91fp-3, 0x1.8190f57651b41p-7, 0x1.36f709ca192f4p-4,
     0x1.428fecb2dd781p-7, 0x1.7685ae5c79889p-5},
    {0x1.200f3229fdf2cp-5, -0x1.e64678dc83d79p-62, 0x1.0028899ee96f2p+0, -0x1.f02d504dc3357p-56,
     0x1.2088e62397e01p-6, 0x1.573c9657b108bp-3, 0x1.b23b428d71d08p-7, 0x1.37f85a3916f82p-4,
     0x1.6ba6e84d28233p-7, 0x1.78e1a08de0a8bp-5},
    {0x1.4014d8ffaf8afp-5, -0x1.3090b48c9545fp-59, 0x1.00320eaac655dp+0, -0x1.9679d79caa42dp-56,
     0x1.40bbdbb74b84cp-6, 0x1.57af3ed58e51cp-3, 0x1.e3102de2f6308p-7, 0x1.391895aaf7410p-4,
     0x1.9503f64f88efbp-7, 0x1.7b872100a4955p-5},
    {0x1.601bc0922e634p-5, 0x1.19e216f0d8af1p-59, 0x1.003c957ad60cbp+0, -0x1.7475e57e62c4dp-55,
     0x1.60fa23c3cdddcp-6, 0x1.582e226336309p-3, 0x1.0a0a48395e5b1p-6, 0x1.3a57f3b4be11ap-4,
     0x1.beaf2de6487ecp-7, 0x1.7e770814262fcp-5},
    {0x1.8024091fdb0a9p-5, 0x1.80650020adbcap-60, 0x1.00481e6e44059p+0, 0x1.03acae7576bffp-54,
     0x1.8144e465df560p-6, 0x1.58b94d7a886dep-3, 0x1.22a6a630e08e8p-6, 0x1.3bb6b206050e7p-4,
     0x1.e8b0bf3a8df99p-7, 0x1.81b246668f2e5p-5},
    {0x1.a02dd2f38ebf6p-5, -0x1.21775a5ea9faap-59, 0x1.0054a9ed716d4p+0, -0x1.a93c3a4ed4a30p-54,
     0x1.a19d44f45da35p-6, 0x1.5950cdcf2cc3bp-3, 0x1.3b5fa6f9e43edp-6, 0x1.3d35147cb93b5p-4,
     0x1.09887b0fb78b5p-6, 0x1.8539e5481cb45p-5},
    {0x1.c0393e65c2c93p-5, 0x1.0d0a050c59955p-60, 0x1.00623869ff721p+0, 0x1.d48433c73e900p-54,
     0x1.c2046e1dcdd94p-6, 0x1.59f4b251399b2p-3, 0x1.5437c642256dfp-6, 0x1.3ed3653adf6fbp-4,
     0x1.1eec1e6622f14p-6, 0x1.890f073a94d31p-5},
    {0x1.e0466bddb929cp-5, -0x1.0f5d1ce9e5858p-59, 0x1.0070ca5eda78bp+0, -0x1.11a628120a249p-54,
     0x1.e27b8a06290c5p-6, 0x1.5aa50b3019744p-3, 0x1.6d3185c1764c8p-6, 0x1.4091f4be69f0dp-4,
     0x1.34878f52d2cc5p-6, 0x1.8d32e87d3cb4ap-5},
    {0x1.002abde953619p-4, 0x1.182e2dc6ddeedp-58, 0x1.00806050463f4p+0, -0x1.828b6295ee621p-54,
     0x1.0181e23278b7fp-5, 0x1.5b61e9ddafe71p-3, 0x1.864f6db9edae1p-6, 0x1.427119fb2aadbp-4,
     0x1.4a5f258b28dc2p-6, 0x1.91a6dfa5adec1p-5},
    {0x1.103347666f892p-4, -0x1.6b150ed546e9cp-62, 0x1.0090facbeaf37p+0, -0x1.f4e9e4e6e186dp-55,
     0x1.11cf2551caf8cp-5, 0x1.5c2b6111bf417p-3, 0x1.9f940d7a31ef0p-6, 0x1.44713276eea77p-4,
     0x1.60774c3cd2a66p-6, 0x1.966c5e45f2729p-5},
    {0x1.203ce2b380cd3p-4, -0x1.9210506159851p-59, 0x1.00a29a68e33c6p+0, -0x1.fc03924fa2d0dp-57,
     0x1.222625fe1536cp-5, 0x1.5d0184cd8fda0p-3, 0x1.b901fbe20c0bbp-6, 0x1.4692a267d026cp-4,
     0x1.76d4838c721f9p-6, 0x1.9b84f1a058475p-5},
    {0x1.3047a02794911p-4, -0x1.d6b1ea5a7dd6bp-58, 0x1.00b53fc7cb3bdp+0, 0x1.d742525d72478p-54,
     0x1.32877ccc3d599p-5, 0x1.5de46a5fda48bp-3, 0x1.d29bd7e96fc19p-6, 0x1.48d5d4d4ce7fdp-4,
     0x1.8d7b621e7eb22p-6, 0x1.a0f2436977781p-5},
    {0x1.405390240e6fdp-4, 0x1.1ed0159037972p-58, 0x1.00c8eb92d0899p+0, -0x1.21bd3807a2df1p-56,
     0x1.42f3c358bf56fp-5, 0x1.5ed42868f5c98p-3, 0x1.ec64492a26c6ap-6, 0x1.4b3b3bb8bb4fdp-4,
     0x1.a47096ab28fccp-6, 0x1.a6b61a98ef9c9p-5},
    {0x1.5060c31541da5p-4, 0x1.9d93daac249e9p-58, 0x1.00dd9e7dc32bcp+0, -0x1.82caa4e40c050p-55,
     0x1.536b94579b139p-5, 0x1.5fd0d6df4c280p-3, 0x1.032f003627372p-5, 0x1.4dc350278e557p-4,
     0x1.bbb8e99e13319p-6, 0x1.acd25c496c8c2p-5},
    {0x1.606f49730ccc5p-4, 0x1.9850602873eadp-60, 0x1.00f3594627903p+0, 0x1.ea0772d42fdc4p-56,
     0x1.63ef8ba4795bbp-5, 0x1.60da8f1414a82p-3, 0x1.1045dc1aec3acp-5, 0x1.506e927632444p-4,
     0x1.d3593ec2b82bfp-6, 0x1.b3490ca88d53ap-5},
    {0x1.707f33c173a99p-4, -0x1.08661d0497936p-58, 0x1.010a1cb349899p+0, 0x1.4923823aa0d83p-58,
     0x1.748046530b502p-5, 0x1.61f16bb8577a9p-3, 0x1.1d781aaea095fp-5, 0x1.533d8a64de43dp-4,
     0x1.eb5696fe641d6p-6, 0x1.ba1c4ff754466p-5},
    {0x1.809092913e52ep-4, 0x1.cf6b1f9befb16p-60, 0x1.0121e99650547p+0, -0x1.ef574385b7b2ap-54,
     0x1.851e62bfa7b80p-5, 0x1.631588e23b648p-3, 0x1.2ac723cfd763cp-5, 0x1.5630c74c11239p-4,
     0x1.01db090c55949p-5, 0x1.c14e6b9bd36ddp-5},
    {0x1.90a3768096840p-4, 0x1.490d716da34b1p-58, 0x1.013ac0ca53a83p+0, -0x1.0f847dae8eb13p-55,
     0x1.95ca80a029bcbp-5, 0x1.644704129f5c3p-3, 0x1.3834651d57b20p-5, 0x1.5948e04c44b89p-4,
     0x1.0e3e7849aa377p-5, 0x1.c8e1c744d5b34p-5},
    {0x1.a0b7f03ba78acp-4, 0x1.649d95519e008p-58, 0x1.0154a33471d84p+0, -0x1.d0b9d3605464bp-57,
     0x1.a685411514a9fp-5, 0x1.6585fc3b01f7dp-3, 0x1.45c15244e67e8p-5, 0x1.5c8674807153bp-4,
     0x1.1ad84ac95d74bp-5, 0x1.d0d8ee2052e5dp-5},
    {0x1.b0ce107d3f690p-4, 0x1.f23930c39d637p-58, 0x1.016f91c3e7096p+0, 0x1.7e0b280ce4bc5p-54,
     0x1.b74f46bb00640p-5, 0x1.66d291c3b8a80p-3, 0x1.536f655418508p-5, 0x1.5fea2b337ac83p-4,
     0x1.27ab446bd8978p-5, 0x1.d93690258b500p-5},
    {0x1.c0e5e80f7172dp-4, 0x1.d8eeba8bc0030p-58, 0x1.018b8d7225808p+0, 0x1.5f957888f35b7p-56,
     0x1.c82935bc525d2p-5, 0x1.682ce69278d34p-3, 0x1.61401f0b4814ap-5, 0x1.6374b418a219cp-4,
     0x1.34ba3c6600d13p-5, 0x1.e1fd8373b6ebfp-5},
    {0x1.d0ff87cc3a7a5p-4, -0x1.6ed5a3f89d96ap-59, 0x1.01a89742ef0f4p+0, -0x1.4adab25e1faedp-54,
     0x1.d913b3e346efap-5, 0x1.69951e1135088p-3, 0x1.6f350732d1f82p-5, 0x1.6726c78718976p-4,
     0x1.42081e5158fb0p-5, 0x1.eb30c5c6448d1p-5},
    {0x1.e11b009e269b5p-4, 0x1.865800d58cefcp-59, 0x1.01c6b0446fa3fp+0, -0x1.55a6eb4e0463ap-58,
     0x1.ea0f68ac4f197p-5, 0x1.6b0b5d35509b3p-3, 0x1.7d4facf2b2287p-5, 0x1.6b0126b8d2ee9p-4,
     0x1.4f97eb469f979p-5, 0x1.f4d37dffb6899p-5},
    {0x1.f1386380f8b9ap-4, 0x1.2716c4af7554ep-58, 0x1.01e5d98f59023p+0, 0x1.117bfdc2b599bp-54,
     0x1.fb1cfd58c6b63p-5, 0x1.6c8fca872c1e4p-3, 0x1.8b91a72ca897fp-5, 0x1.6f049c0cbc9c2p-4,
     0x1.5d6cbb038b45bp-5, 0x1.fee8fdcc3cad4p-5},
    {0x1.00abe0c129e1ep-3, 0x1.7ceb0ee49d42ap-60, 0x1.02061446ffa9ap+0, -0x1.3e4dd7a0f0c8dp-54,
     0x1.061e8e8103b88p-4, 0x1.6e228e2a0d52fp-3, 0x1.99fc94d904350p-5, 0x1.7331fb4c6e147p-4,
     0x1.6b89bd1c4ff93p-5, 0x1.04ba61ae9f4bbp-4},
    {0x1.08bc95e132e6fp-3, 0x1.8ca3d5b6e0423p-58, 0x1.0227619978f0bp+0, -0x1.832b63952bd32p-55,
     0x1.0eb83a566e63dp-4, 0x1.6fc3d1e465468p-3, 0x1.a8921d6639631p-5, 0x1.778a21f58a06dp-4,
     0x1.79f23a399ffb5p-5, 0x1.0a3d3d9f8f165p-4},
    {0x1.10ce59ba4a8c4p-3, -0x1.ecbd1cfea3329p-61, 0x1.0249c2bfba5a5p+0, -0x1.bba47efe330a2p-54,
     0x1.175bd9aeaecd4p-4, 0x1.7173c128777a3p-3, 0x1.b753f11b68fb6p-5, 0x1.7c0df786e847dp-4,
     0x1.88a99563e4f56p-5, 0x1.0fff012547c8ep-4},
    {0x1.18e134f0178afp-3, 0x1.e8366fb31c741p-57, 0x1.026d38fdba2bep+0, 0x1.de5370aa3d929p-54,
     0x1.2009c51597f42p-4, 0x1.7332891d651bep-3, 0x1.c643c97dfea86p-5, 0x1.80be6dd1b7310p-4,
     0x1.97b34d5c77264p-5, 0x1.1601b3d97daa3p-4},
    {0x1.20f530308cc20p-3, -0x1.ed63934b583b4p-57, 0x1.0291c5a2914b9p+0, -0x1.99132ef934ec5p-54,
     0x1.28c2562b1dbb8p-4, 0x1.750058a89f789p-3, 0x1.d56369ba8f121p-5, 0x1.859c814ebea71p-4,
     0x1.a712fe05a369dp-5, 0x1.1c477799bc02ap-4},
    {0x1.290a543442d6ap-3, -0x1.d1c5881b1ed75p-60, 0x1.02b76a089e6c7p+0, -0x1.8b53d161fe090p-55,
     0x1.3185e7ade82bfp-4, 0x1.76dd6077c4feep-3, 0x1.e4b49f11200dep-5, 0x1.8aa93977f279bp-4,
     0x1.b6cc61da5bf0ep-5, 0x1.22d289ae01634p-4},
    {0x1.3120a9bed2f46p-3, -0x1.c02be339d3487p-57, 0x1.02de2795aa91ep+0, 0x1.969cf9bd17c71p-54,
     0x1.3a54d586232bap-4, 0x1.78c9d30aec511p-3, 0x1.f439414506dbfp-5, 0x1.8fe5a9268475dp-4,
     0x1.c6e353767b7e1p-5, 0x1.29a544005d1bfp-4},
    {0x1.3938399f32b5cp-3, -0x1.75f32343248f7p-57, 0x1.0305ffbb0ef02p+0, -0x1.9b952c3d56f44p-57,
     0x1.432f7cd08d4c2p-4, 0x1.7ac5e4bf61134p-3, 0x1.01f9998845356p-4, 0x1.9552eef5a94d6p-4,
     0x1.d75bcf308fb8dp-5, 0x1.30c21e667e75fp-4},
    {0x1.41510cb011423p-3, -0x1.15d675180eda8p-58, 0x1.032ef3f5dc32cp+0, 0x1.b9f313919470ap-57,
     0x1.4c163be9c863ep-4, 0x1.7cd1cbdad651ap-3, 0x1.09f2314e3cd56p-4, 0x1.9af235aa4669dp-4,
     0x1.e839f4c62cc13p-5, 0x1.382baffe36223p-4},
    {0x1.496b2bd835ab9p-3, -0x1.5f053e118fc40p-60, 0x1.035905cf0331fp+0, 0x1.7db6c58df2f0bp-54,
     0x1.55097279eec0cp-4, 0x1.7eedc097128c8p-3, 0x1.120764fdf4128p-4, 0x1.a0c4b49fc1d9cp-4,
     0x1.f982091bdaa6ap-5, 0x1.3fe4b09dfb330p-4},
    {0x1.5186a00ade974p-3, 0x1.4d5f66b2b5c3cp-59, 0x1.038436db7f1e8p+0, 0x1.c75c9ea6dc3acp-56,
     0x1.5e0981806fdadp-4, 0x1.8119fd2e19a92p-3, 0x1.1a3a37d622ab8p-4, 0x1.a6cbb03a30d41p-4,
     0x1.059c3c08de6b3p-4, 0x1.47effa5a97023p-4},
    {0x1.59a37248233eap-3, 0x1.30e1789226732p-60, 0x1.03b088bc812e1p+0, -0x1.08cf4769b9508p-55,
     0x1.6716cb603786fp-4, 0x1.8356bde6d93e5p-3, 0x1.228bb38d02e07p-4, 0x1.ad087a5e24c33p-4,
     0x1.0eb0eb3712049p-4, 0x1.50508b232ea6fp-4},
    {0x1.61c1ab9d55d30p-3, -0x1.95a37debb0f64p-57, 0x1.03ddfd1f9dd13p+0, -0x1.c95a31ca69f7dp-59,
     0x1.7031b3ec22c6ap-4, 0x1.85a441225beb2p-3, 0x1.2afce8950b937p-4, 0x1.b37c72ee5a759p-4,
     0x1.180171efa661ap-4, 0x1.59098674f52e2p-4},
    {0x1.69e1552567517p-3, 0x1.862b5acd13ce5p-57, 0x1.040c95befb7d1p+0, -0x1.d8d230d6bd145p-55,
     0x1.795aa073c56c8p-4, 0x1.8802c769889fdp-3, 0x1.338eee642e1f4p-4, 0x1.ba29084f92f49p-4,
     0x1.2190468acf988p-4, 0x1.621e3727e7c29p-4},
    {0x1.720278094cd3cp-3, 0x1.fa81a09cedb07p-57, 0x1.043c54618312fp+0, -0x1.6925d653a0ad8p-54,
     0x1.8291f7d083edbp-4, 0x1.8a72937b7300dp-3, 0x1.3c42e3bdb76e1p-4, 0x1.c10fb7f2e19cep-4,
     0x1.2b5ff6fbec8c7p-4, 0x1.6b9211560c6d4p-4},
    {0x1.7a251d80666abp-3, -0x1.9c0a0c0c668d0p-58, 0x1.046d3adb11f07p+0, -0x1.ee37fb97f0e46p-59,
     0x1.8bd8227304d5ep-4, 0x1.8cf3ea5c424a4p-3, 0x1.4519eefef5627p-4, 0x1.c8320ee6bf6efp-4,
     0x1.357329f94ff33p-4, 0x1.7568b45ec5351p-4},
    {0x1.82494ed0e78fcp-3, -0x1.443c2697a7d2fp-57, 0x1.049f4b0cadb3bp+0, 0x1.bb890653e497cp-54,
     0x1.952d8a70fd76cp-4, 0x1.8f871364b45f7p-3, 0x1.4e153e6ec33c2p-4, 0x1.cf91aa6f3828bp-4,
     0x1.3fcca03287c26p-4, 0x1.7fa5ed07e4435p-4},
    {0x1.8a6f1550413c4p-3, 0x1.3268eac79ea67p-57, 0x1.04d286e4b9beep+0, -0x1.97fdf1359f634p-58,
     0x1.9e929b935d8cbp-4, 0x1.922c585242f89p-3, 0x1.573608902158fp-4, 0x1.d73038a58a9b9p-4,
     0x1.4a6f3595f97a5p-4, 0x1.8a4db7be4a740p-4},
    {0x1.92967a638db38p-3, -0x1.9cd53f748193ep-60, 0x1.0506f05f2e873p+0, 0x1.bb5f6a1292fb2p-54,
     0x1.a807c364ddb88p-4, 0x1.94e40557f12a7p-3, 0x1.607d8c77fe7b1p-4, 0x1.df0f791f9ae05p-4,
     0x1.555de2a6b6b17p-4, 0x1.956442f7f8844p-4},
    {0x1.9abf877ffe0e8p-3, -0x1.b5aa8885e05b4p-57, 0x1.053c8985d2bc9p+0, 0x1.8e1719e461211p-56,
     0x1.b18d7140f4d40p-4, 0x1.97ae692fc7d3dp-3, 0x1.69ed12265aa66p-4, 0x1.e7313d9f9a867p-4,
     0x1.609bbde37b101p-4, 0x1.a0edf1b99c0a9p-4},
    {0x1.a2ea462b4998ep-3, -0x1.51d494caa9d70p-57, 0x1.057354707655fp+0, 0x1.58d85a325840bp-54,
     0x1.bb241663384e7p-4, 0x1.9a8bd52d07cd0p-3, 0x1.7385eae2eda93p-4, 0x1.ef976acc50af3p-4,
     0x1.6c2bfd3fd3a39p-4, 0x1.acef5e41c4bcap-4},
    {0x1.ab16bffc1f0ddp-3, -0x1.16472c3e1c004p-57, 0x1.05ab53452f914p+0, -0x1.b6a0b8064f5bap-54,
     0x1.c4cc25f72be96p-4, 0x1.9d7c9d4f190c8p-3, 0x1.7d49719d7d85cp-4, 0x1.f843f8f272342p-4,
     0x1.7811f7b07f2edp-4, 0x1.b96d5cdc1467ap-4},
    {0x1.b344fe9a97c4dp-3, 0x1.17c005e947d2bp-58, 0x1.05e4883899f3dp+0, -0x1.3ae6d36729422p-55,
     0x1.ce861528855a6p-4, 0x1.a08118553e4f6p-3, 0x1.87390b521331fp-4, 0x1.009c7a67c0434p-3,
     0x1.845126cc27e66p-4, 0x1.c66cfedee49ecp-4},
    {0x1.bb750bc0acdefp-3, -0x1.244e3b92c7436p-58, 0x1.061ef58e175b7p+0, 0x1.d365a44d56fd2p-54,
     0x1.d8525b33e883bp-4, 0x1.a3999fd315319p-3, 0x1.915627713e873p-4, 0x1.053c403356780p-3,
     0x1.90ed2881a8ff4p-4, 0x1.d3f395d608ba2p-4},
    {0x1.c3a6f13aae84bp-3, -0x1.7739d10fe8bc1p-57, 0x1.065a9d98132e6p+0, -0x1.549771762b513p-54,
     0x1.e231717821274p-4, 0x1.a6c69045eb07ep-3, 0x1.9ba2404c9cc04p-4, 0x1.0a0269f0229f8p-3,
     0x1.9de9c0e525a3dp-4, 0x1.e206b6dd81823p-4},
    {0x1.cbdab8e7bd466p-3, 0x1.7b8d9e879e1eep-57, 0x1.069782b847ba6p+0, -0x1.de047a79eb7efp-54,
     0x1.ec23d387df2b4p-4, 0x1.aa08492aef36cp-3, 0x1.a61edb87d792ap-4, 0x1.0ef01f3a1b67dp-3,
     0x1.ab4adc154b671p-4, 0x1.f0ac3e2f2a1dbp-4},
    {0x1.d4106cba45b08p-3, 0x1.ee49ea61bfe56p-57, 0x1.06d5a76005d46p+0, 0x1.b681116df254dp-55,
     0x1.f629ff3bfabbcp-4, 0x1.ad5f2d164c2e3p-3, 0x1.b0cd8a8e55c3cp-4, 0x1.140693b01e9a9p-3,
     0x1.b914903a303dcp-4, 0x1.ffea52e69bc1bp-4},
    {0x1.dc4816b87e25ep-3, 0x1.f92bef1c8a889p-57, 0x1.07150e107ec92p+0, 0x1.8bdeb732d9c31p-66,
     0x1.00223a6322e70p-3, 0x1.b0cba1cb30aadp-3, 0x1.bbafeb0dd91c5p-4, 0x1.194707752d5c9p-3,
     0x1.c74b1f9f537bep-4, 0x1.07e3b57f5fccbp-3},
    {0x1.e481c0fce7134p-3, 0x1.c9bcb7ab7132bp-62, 0x1.0755b95b10b0ep+0, -0x1.f223ae7a5bbafp-54,
     0x1.0539db627862bp-3, 0x1.b44e1054d3541p-3, 0x1.c6c7a77648ca0p-4, 0x1.1eb2c7b821295p-3,
     0x1.d5f2faea626fbp-4, 0x1.102527c6624eep-3},
    {0x1.ecbd75b6cd8f0p-3, 0x1.afa2fb0a2a9b7p-57, 0x1.0797abe195398p+0, 0x1.35dbd03b7b955p-54,
     0x1.0a5c252b441bdp-3, 0x1.b7e6e5207b528p-3, 0x1.d216777eea9ecp-4, 0x1.244b2f4232695p-3,
     0x1.e510c3707c154p-4, 0x1.18bd109e3907dp-3},
    {0x1.f4fb3f2ad079bp-3, 0x1.06aa46436695ap-58, 0x1.07dae856b2fa7p+0, 0x1.156e2a0b1edc8p-54,
     0x1.0f895b9749073p-3, 0x1.bb9690189901ep-3, 0x1.dd9e20b151300p-4, 0x1.2a11a70caedc7p-3,
     0x1.f4a94dabcc202p-4, 0x1.21af2e890ba7fp-3},
    {0x1.fd3b27b368330p-3, 0x1.31d9600322487p-57, 0x1.081f717e3165ep+0, 0x1.2d60c732def16p-55,
     0x1.14c1c3d56845fp-3, 0x1.bf5d84c0fa714p-3, 0x1.e96076fa48a37p-4, 0x1.3007a6de43c8dp-3,
     0x1.0260d1e9ba369p-3, 0x1.2aff70bb53a83p-3},
    {0x1.02be9ce0b87cdp-2, 0x1.e5d09da2e0f04p-58, 0x1.08654a2d4f6dbp+0, -0x1.fcd7aa9a877b8p-54,
     0x1.1a05a47498fd8p-3, 0x1.c33c3a5427fc0p-3, 0x1.f55f5d410ffb9p-4, 0x1.362eb5f045f67p-3,
     0x1.0aaf844bee781p-3, 0x1.34b1f9c970a7cp-3},
    {0x1.06e0bfee5c057p-2, 0x1.db5bbbadcccb2p-57, 0x1.08ac754b1cf11p+0, -0x1.275f589484fc9p-54,
     0x1.1f55456f3a123p-3, 0x1.c7332be1f5e5fp-3, 0x1.00ce6302987d5p-3, 0x1.3c886b9c67f8cp-3,
     0x1.13437d02d2ca4p-3, 0x1.3ecb227f61352p-3},
    {0x1.0b04025245cccp-2, 0x1.784cec5727455p-56, 0x1.08f4f5d0d70aap+0, -0x1.1c32ba20e26c2p-54,
     0x1.24b0f036c176ep-3, 0x1.cb42d86f588d9p-3, 0x1.070d5a01a69dap-3, 0x1.431670135636dp-3,
     0x1.1c1f9a48cdbc4p-3, 0x1.494f7ce56e308p-3},
    {0x1.0f28696826d95p-2, -0x1.6b73b247c58d3p-60, 0x1.093ececa47560p+0, -0x1.5cc92bbfe8c3ep-54,
     0x1.2a18efbfccee8p-3, 0x1.cf6bc31789796p-3, 0x1.0d6d9d709df57p-3, 0x1.49da7d1cb77e5p-3,
     0x1.2546db281dcb4p-3, 0x1.5443d774cb227p-3},
    {0x1.134dfa9805147p-2, -0x1.bbe27a4ac52e2p-56, 0x1.098a035626467p+0, 0x1.079a4ca43d3c9p-57,
     0x1.2f8d908e98498p-3, 0x1.d3ae732e8c418p-3, 0x1.13f03ff0ec572p-3, 0x1.50d65ee118d16p-3,
     0x1.2ebc612dbc4d4p-3, 0x1.5fad407f66227p-3},
    {0x1.1774bb5687cf9p-2, -0x1.a2fb3e84f654ap-56, 0x1.09d696a680a83p+0, -0x1.23e0494f82392p-55,
     0x1.350f20c3dd549p-3, 0x1.d80b7465231cbp-3, 0x1.1a965d5074d29p-3, 0x1.580bf4be5380fp-3,
     0x1.38837234d43a6p-3, 0x1.6b9109ce5e94fp-3},
    {0x1.1b9cb12545e62p-2, -0x1.7f2d0bf1d1630p-57, 0x1.0a248c0120673p+0, 0x1.b8f8099eeee0cp-55,
     0x1.3a9df02a21e16p-3, 0x1.dc8356ee43a9bp-3, 0x1.21611aebc421bp-3, 0x1.5f7d322705a2bp-3,
     0x1.429f7a4c5844dp-3, 0x1.77f4cc7adb84cp-3},
    {0x1.1fc5e19315893p-2, -0x1.4b10824670d24p-65, 0x1.0a73e6bff8b80p+0, -0x1.b9e1e6278b2a2p-55,
     0x1.403a504378844p-3, 0x1.e116afa61d6b5p-3, 0x1.2851a814bf6c7p-3, 0x1.672c1f8dbe81cp-3,
     0x1.4d140db85eae7p-3, 0x1.84de6d0541066p-3},
    {0x1.23f0523c5dc2bp-2, 0x1.4fc2674a3d6b2p-59, 0x1.0ac4aa5195bf3p+0, -0x1.138c42820d226p-54,
     0x1.45e49457b8d60p-3, 0x1.e5c6183ac4587p-3, 0x1.2f693e7e09901p-3, 0x1.6f1adb5c8ae8ap-3,
     0x1.57e4eb1106519p-3, 0x1.92541faf106e5p-3},
    {0x1.281c08cb69be8p-2, 0x1.1a06e50610d28p-59, 0x1.0b16da398fd6cp+0, 0x1.94a5fe9cb08ebp-58,
     0x1.4b9d11833443fp-3, 0x1.ea922f5692d71p-3, 0x1.36a922ab5e8e7p-3, 0x1.774b9af99813fp-3,
     0x1.6315fd80c7806p-3, 0x1.a05c6d1c11972p-3},
    {0x1.2c490af8bde81p-2, -0x1.61b192e95f88bp-56, 0x1.0b6a7a110290ap+0, -0x1.33d4689f8eab7p-55,
     0x1.51641ec5ecb25p-3, 0x1.ef7b98cc57818p-3, 0x1.3e12a46728775p-3, 0x1.7fc0abd9afcf4p-3,
     0x1.6eab5f2434e4ep-3, 0x1.aefe373fbc9dcp-3},
    {0x1.30775e8b6eeb9p-2, 0x1.0b08737cd3bb3p-56, 0x1.0bbf8d8707978p+0, 0x1.5fa9a85949082p-54,
     0x1.573a151352745p-3, 0x1.f482fdc56427dp-3, 0x1.45a71f3d95096p-3, 0x1.887c74a15cc1ep-3,
     0x1.7aa95b8d549f9p-3, 0x1.be40be9c3bda4p-3},
    {0x1.34a709597aab1p-2, -0x1.70f1371722985p-56, 0x1.0c16186135911p+0, 0x1.d0c42851f934fp-54,
     0x1.5d1f4f628f5f2p-3, 0x1.f9a90cf194a64p-3, 0x1.4d67fafd77761p-3, 0x1.9181765593578p-3,
     0x1.8714726ce0ad8p-3, 0x1.ce2ba7d8c6267p-3},
    {0x1.38d8114823369p-2, 0x1.bf6444858ac43p-58, 0x1.0c6e1e7c2324dp+0, 0x1.504389153149cp-54,
     0x1.63142abf6502cp-3, 0x1.feee7ab9655fcp-3, 0x1.5556ac3f4622ep-3, 0x1.9ad24d9cca034p-3,
     0x1.93f15a63e767ep-3, 0x1.dec701b5825adp-3},
    {0x1.3d0a7c4c4bd9cp-2, -0x1.87f647bb796d8p-58, 0x1.0cc7a3cbee4dcp+0, 0x1.8b39c91b4e252p-54,
     0x1.6919065ba45d0p-3, 0x1.022a00b919398p-2, 0x1.5d74b4f289006p-3, 0x1.a471b4117af94p-3,
     0x1.a145040071e97p-3, 0x1.f01b4b639f1dfp-3},
    {0x1.413e506ad84eep-2, 0x1.71db7c5df9586p-56, 0x1.0d22ac5cc81dep+0, 0x1.1d54e890e5326p-55,
     0x1.6f2e43a145a81p-3, 0x1.04ed30ca5d0f6p-2, 0x1.65c3a4f212194p-3, 0x1.ae6281a719eb4p-3,
     0x1.af149ce8069edp-3, 0x1.0118bda4673e8p-2},
    {0x1.457393b90e2aap-2, 0x1.b1f64d329fe98p-56, 0x1.0d7f3c53851c3p+0, -0x1.95634658de958p-59,
     0x1.755446452737bp-3, 0x1.07c130faff1d6p-2, 0x1.6e451a9f5f5c3p-3, 0x1.b8a7ae2299f55p-3,
     0x1.bd659333127ffp-3, 0x1.0a89831af219ep-2},
    {0x1.49aa4c5cf8926p-2, 0x1.c1d2f6ce8524bp-56, 0x1.0ddd57ee32684p+0, -0x1.583105d68eeedp-54,
     0x1.7b8b745a7aae1p-3, 0x1.0aa6680151181p-2, 0x1.76fac3858a5edp-3, 0x1.c34452a7b2ce7p-3,
     0x1.cc3d98fc7bc4fp-3, 0x1.1464f38c78871p-2},
    {0x1.4de2808dce513p-2, 0x1.ba77dda083efap-58, 0x1.0e3d0384afcf7p+0, -0x1.186d2b525ab12p-55,
     0x1.81d43666e82bep-3, 0x1.0d9d3ffe723f7p-2, 0x1.7fe65d0430f6dp-3, 0x1.ce3bab5c2894ep-3,
     0x1.dba2a828dda52p-3, 0x1.1eb05399ef3cbp-2},
    {0x1.521c36945a5f2p-2, -0x1.5e7e018b26645p-57, 0x1.0e9e43894f02dp+0, -0x1.fe18b5e7a900dp-56,
     0x1.882ef7776f7f0p-3, 0x1.10a6269eaa496p-2, 0x1.8909b502c809fp-3, 0x1.d99119226f4d5p-3,
     0x1.eb9b06692e3e8p-3, 0x1.29713370a2341p-2},
    {0x1.565774cb66f02p-2, -0x1.c537759c5cce1p-56, 0x1.0f011c89781dap+0, -0x1.de4795ed6a448p-56,
     0x1.8e9c25360fb82p-3, 0x1.13c18d3b33bfap-2, 0x1.9266aaacd0ef5p-3, 0x1.e548236d1a856p-3,
     0x1.fc2d497cd6888p-3, 0x1.34ad7378fd33bp-2},
    {0x1.5a9441a02b1fdp-2, -0x1.35e8dbcb0816cp-56, 0x1.0f65932e53afap+0, 0x1.210056c6ace92p-57,
     0x1.951c30003dfa7p-3, 0x1.16efe8fd8814cp-2, 0x1.9bff2f37712c7p-3, 0x1.f1647a2ca29aap-3,
     0x1.06b02ddbc8514p-2, 0x1.406b49575e4c6p-2},
    {0x1.5ed2a392bb50fp-2, 0x1.feb5a76d36567p-56, 0x1.0fcbac3d7a7ffp+0, -0x1.aa7481d4dd1b1p-54,
     0x1.9baf8afe34c8ep-3, 0x1.1a31b30440bbep-2, 0x1.a5d546b0f4477p-3, 0x1.fde9f7d924161p-3,
     0x1.0f9dc067d9b3fp-2, 0x1.4cb1454513f0cp-2},
    {0x1.6312a1367c57cp-2, -0x1.e8ea4df76e5b6p-60, 0x1.10336c99ab3f9p+0, 0x1.5e9fd0914b20ep-54,
     0x1.a256ac3b258b8p-3, 0x1.1d876889a1a53p-2, 0x1.afeb08dac7ea8p-3, 0x1.056e51cced3efp-2,
     0x1.18e32d7cf5bb7p-2, 0x1.598657c827cd9p-2},
    {0x1.675441329986ep-2, 0x1.d027ed2bb2edap-56, 0x1.109cd94386664p+0, -0x1.825e2e62128bcp-54,
     0x1.a9120cbe5685ep-3, 0x1.20f18b0be2ac0p-2, 0x1.ba42a20e8ba32p-3, 0x1.0c2059c61b8f2p-2,
     0x1.2284782be1355p-2, 0x1.66f1d7d122428p-2},
    {0x1.6b978a427db95p-2, -0x1.b1dd0afc579e2p-57, 0x1.1107f75a50748p+0, -0x1.30f6fe9a66712p-54,
     0x1.afe228a537fb2p-3, 0x1.2470a0774ebf0p-2, 0x1.c4de542ed741bp-3, 0x1.130d47964ae1dp-2,
     0x1.2c85d85f5ebc4p-2, 0x1.74fb8946894c1p-2},
    {0x1.6fdc83364f719p-2, 0x1.cc49c4fdd8042p-56, 0x1.1174cc1cbadc0p+0, -0x1.da878ef89f086p-57,
     0x1.b6c77f3e7bca2p-3, 0x1.2805335250db9p-2, 0x1.cfc077a4653cfp-3, 0x1.1a3768f15ab37p-2,
     0x1.36ebbdef26e00p-2, 0x1.83aba406820cap-2},
    {0x1.742332f3702b4p-2, 0x1.87e8e9ef7b2ffp-57, 0x1.11e35ce9b3cedp+0, -0x1.1c6e9a7615c31p-57,
     0x1.bdc293263b60dp-3, 0x1.2bafd2eb885aap-2, 0x1.daeb7c68599cfp-3, 0x1.21a126da20ca3p-2,
     0x1.41bad3e5a385ep-2, 0x1.930adb67af2fbp-2},
    {0x1.786ba074fef93p-2, -0x1.73b1910f90a93p-56, 0x1.1253af413d3b5p+0, 0x1.5d2143ddf7dcdp-59,
     0x1.c4d3ea6338818p-3, 0x1.2f711389ff8a4p-2, 0x1.e661eb1c69d77p-3, 0x1.294d070ff18d9p-2,
     0x1.4cf803fc0b3cfp-2, 0x1.a322664329898p-2},
    {0x1.7cb5d2cc5e8edp-2, -0x1.1b526c99fd02ep-58, 0x1.12c5c8c54b3d2p+0, -0x1.8f5ae40cbc233p-55,
     0x1.cbfc0e8545fe9p-3, 0x1.33498e9fa1258p-2, 0x1.f2266631b6c7bp-3, 0x1.313dad91bdca9p-2,
     0x1.58a87a50c12b2p-2, 0x1.b3fc079245257p-2},
    {0x1.8101d121bed2dp-2, 0x1.1db04b2b75f1fp-58, 0x1.1339af3aaa4e8p+0, 0x1.9d37cd9797ed3p-55,
     0x1.d33b8cc4e63e5p-3, 0x1.3739e2fe0aea9p-2, 0x1.fe3bab1f37947p-3, 0x1.3975de382fefbp-2,
     0x1.64d1a95c2c394p-2, 0x1.c5a217abbd278p-2},
    {0x1.854fa2b4aa1a3p-2, -0x1.a3ef44d643855p-58, 0x1.13af6889ed89ep+0, -0x1.aed49c828fc11p-54,
     0x1.da92f6242e154p-3, 0x1.3b42b50ddd5c5p-2, 0x1.055249d4517f3p-2, 0x1.41f87e684cf4ep-2,
     0x1.71794e288cc74p-2, 0x1.d81f8e2cde5cbp-2},
    {0x1.899f4edc962d3p-2, 0x1.3e919701b7c6dp-60, 0x1.1426fac0654dbp+0, -0x1.094cdd1bdfbc0p-54,
     0x1.e202df90fb4b1p-3, 0x1.3f64af08aaa6ap-2, 0x1.0bb20b9b6a221p-2, 0x1.4ac896e03961dp-2,
     0x1.7ea574d1b4122p-2, 0x1.eb800c9c5d2ecp-2},
    {0x1.8df0dd0979384p-2, 0x1.0a7dc7300f1dfp-57, 0x1.14a06c111e9abp+0, -0x1.576036fe87ceap-60,
     0x1.e98be2088eeffp-3, 0x1.43a08135a8a74p-2, 0x1.123ea6215cd34p-2, 0x1.53e9559fe15c7p-2,
     0x1.8c5c7d51e443bp-2, 0x1.ffcfe9d5b23a5p-2},
    {0x1.924454c462cc4p-2, 0x1.f2cb742770a5cp-56, 0x1.151bc2d5eb868p+0, 0x1.9b1542bbd420cp-54,
     0x1.f12e9abc9c861p-3, 0x1.47f6e2294c4c6p-2, 0x1.18f9b4e9f6567p-2, 0x1.5d5e0fef63957p-2,
     0x1.9aa520a18c947p-2, 0x1.0a8e1f2691c8dp-1},
    {0x1.9699bdb019139p-2, -0x1.b53a9536565bep-56, 0x1.159905907522cp+0, 0x1.2ab039a4dd61dp-56,
     0x1.f8ebab39dff05p-3, 0x1.4c688f07f6cbcp-2, 0x1.1fe4e48a13dcdp-2, 0x1.672a4485427adp-2,
     0x1.a98676300ad4bp-2, 0x1.15b9789f054e1p-1},
    {0x1.9af11f89ba61cp-2, 0x1.a884c2416dce8p-56, 0x1.16183aeb573c3p+0, 0x1.8baf670d1405bp-56,
     0x1.0061dcc826883p-2, 0x1.50f64bcbdfb22p-2, 0x1.2701f37c70ae5p-2, 0x1.71519dce85895p-2,
     0x1.b907f9bc1bf4dp-2, 0x1.2171636b39548p-1},
    {0x1.9f4a82296347bp-2, -0x1.71ef7327550c7p-56, 0x1.169969bb465b6p+0, 0x1.8a1a3b796e71cp-54,
     0x1.045bb83e7684dp-2, 0x1.55a0e38e6971bp-2, 0x1.2e52b3023620dp-2, 0x1.7bd7f45b1e2e9p-2,
     0x1.c931919330c21p-2, 0x1.2dbdb7ba6f130p-1},
    {0x1.a3a5ed82d9537p-2, 0x1.a2f7c3ea46d69p-57, 0x1.171c990040746p+0, -0x1.f473dc452cb2cp-55,
     0x1.0863bfcabf1b7p-2, 0x1.5a6928d510eb8p-2, 0x1.35d90810095dcp-2, 0x1.86c1517110ad3p-2,
     0x1.da0b953f74155p-2, 0x1.3aa6cc076df58p-1},
    {0x1.a80369a63aaa8p-2, -0x1.37a794e54ac5ap-58, 0x1.17a1cfe6c8b8dp+0, 0x1.a5eccfa2a61f0p-56,
     0x1.0c7a4dbaf6873p-2, 0x1.5f4ff5e22b76dp-2, 0x1.3d96ec485f6e9p-2, 0x1.9211f1c9122dfp-2,
     0x1.eb9ed4acf556fp-2, 0x1.48357dec8fafdp-1},
    {0x1.ac62fec0b2a92p-2, 0x1.cb9f9a052f11fp-56, 0x1.182915c92f066p+0, -0x1.96040f1fedc7dp-56,
     0x1.109fbef7deb6ep-2, 0x1.64562d09aa292p-2, 0x1.458e6f03ee033p-2, 0x1.9dce487781efcp-2,
     0x1.fdf49fcf1ed2fp-2, 0x1.56733ba605254p-1},
    {0x1.b0c4b51d33b86p-2, 0x1.beb0350ac9f2ap-56, 0x1.18b27230e36f8p+0, -0x1.95d8e8b261eacp-55,
     0x1.14d4731dbe8ccp-2, 0x1.697cb90a1c95cp-2, 0x1.4dc1b6691e6e4p-2, 0x1.a9fb0204dcbcap-2,
     0x1.088b676832299p-1, 0x1.656a0e5105869p-1},
    {0x1.b5289525368abp-2, 0x1.74049ce3d99e1p-57, 0x1.193decd7d6651p+0, 0x1.2a4de2a90980dp-56,
     0x1.1918cc962cd31p-2, 0x1.6ec48d6a30f4dp-2, 0x1.563300937888cp-2, 0x1.b69d07b907ce7p-2,
     0x1.1287e56b76b7bp-1, 0x1.7524a4f7f1f02p-1},
    {0x1.b98ea7617ef3ap-2, 0x1.e506899c56eb0p-57, 0x1.19cb8da9e60cbp+0, 0x1.9621cc08b4ca8p-54,
     0x1.1d6d30b2fabe9p-2, 0x1.742ea6daf3993p-2, 0x1.5ee4a4cc0ca69p-2, 0x1.c3b9831d139a8p-2,
     0x1.1cf54bb4f4e58p-1, 0x1.85ae607cf2ec1p-1},
    {0x1.bdf6f47ae6904p-2, 0x1.e7bfe76547424p-56, 0x1.1a5b5cc659574p+0, -0x1.dab16f444e53ap-54,
     0x1.21d207ca4ca5ep-2, 0x1.79bc0b9f13dedp-2, 0x1.67d914d3f69b1p-2, 0x1.d155e1b760053p-2,
     0x1.27d96e421efb7p-1, 0x1.97136076362edp-1},
    {0x1.c261853b2d785p-2, -0x1.14e12e6f91a4bp-57, 0x1.1aed628169723p+0, -0x1.70ca5a4bc344dp-56,
     0x1.2647bd53f06c5p-2, 0x1.7f6dcbf7794c0p-2, 0x1.7112de4228206p-2, 0x1.df77d9065ad49p-2,
     0x1.333a78b128113p-1, 0x1.a9609110bdc1dp-1},
    {0x1.c6ce628dd132cp-2, -0x1.a252213096b1dp-58, 0x1.1b81a765da37ap+0, -0x1.4c90b7ad2ea26p-54,
     0x1.2acec0080207cp-2, 0x1.8545029578832p-2, 0x1.7a94abf5bee52p-2, 0x1.ee256abe676e6p-2,
     0x1.3f1ef40cf747fp-1, 0x1.bca3ba10ab1f0p-1},
    {0x1.cb3d9580ea2b8p-2, 0x1.d9730350eb057p-56, 0x1.1c183436a246fp+0, -0x1.70a6c1fca3614p-57,
     0x1.2f6781feef7e0p-2, 0x1.8b42d512fce45p-2, 0x1.8461479e42362p-2, 0x1.fd64e94fdca9bp-2,
     0x1.4b8dcd064cc59p-1, 0x1.d0eb8f081d92fp-1},
    {0x1.cfaf27460fe9fp-2, -0x1.8bf75f355f723p-57, 0x1.1cb111f0a37bcp+0, -0x1.86634f69e42e2p-55,
     0x1.341278d2eebedp-2, 0x1.91687471015e6p-2, 0x1.8e7b9b5b3dd4fp-2, 0x1.069e7e5d35ba5p-1,
     0x1.588e5aa2f5378p-1, 0x1.e647c0e02135ap-1},
    {0x1.d4232133444adp-2, -0x1.c74e53df13c4ep-56, 0x1.1d4c49cc747fdp+0, 0x1.32856363d9aaep-57,
     0x1.38d01dc2f8d6ap-2, 0x1.97b71d9cb8fdcp-2, 0x1.98e6b374cb3c0p-2, 0x1.0eda53d9d808bp-1,
     0x1.6628656cb22bap-1, 0x1.fcc910d1d1429p-1},
    {0x1.d8998cc3e6049p-2, 0x1.885cf38c7579ep-56, 0x1.1de9e5403c408p+0, 0x1.a8e072e23bc8ap-54,
     0x1.3da0edd75f233p-2, 0x1.9e3019fbce473p-2, 0x1.a3a5c02eb8827p-2, 0x1.1769a69394475p-1,
     0x1.74642f2a5a903p-1, 0x1.0a40b2785e4bfp+0},
    {0x1.dd127399aabe7p-2, 0x1.d06bac15788a4p-57, 0x1.1e89ee01a019cp+0, 0x1.56b8a499ae906p-55,
     0x1.42856a0810706p-2, 0x1.a4d4c00027674p-2, 0x1.aebc17b81c7d8p-2, 0x1.20505b0b27725p-1,
     0x1.834a7b2ea92fap-1, 0x1.16c1ef356ace8p+0},
    {0x1.e18ddf7da106bp-2, -0x1.58029cecb4d7bp-58, 0x1.1f2c6e07c5944p+0, -0x1.78cb398dbb5d3p-59,
     0x1.477e1764a53b6p-2, 0x1.aba673c3a4c6dp-2, 0x1.ba2d38394ad5fp-2, 0x1.29928bf012631p-1,
     0x1.92e497493946bp-1, 0x1.23f278d2e44a7p+0},
    {0x1.e60bda613a78fp-2, 0x1.c2a7131b3172ep-61, 0x1.1fd16f8d68a0ep+0, 0x1.d003d420ea01ap-54,
     0x1.4c8b7f3e4bc49p-2, 0x1.b2a6a7ac57a72p-2, 0x1.c5fcca0240d09p-2, 0x1.33348d7c0dfd3p-1,
     0x1.a33c656755e67p-1, 0x1.31dd4032c333ap+0},
    {0x1.ea8c6e5f5e67fp-2, -0x1.6a70e7b5a472cp-56, 0x1.2078fd1307479p+0, -0x1.ecc5308781324p-60,
     0x1.51ae2f53ae20fp-2, 0x1.b9d6dd19b71efp-2, 0x1.d22ea1dbccc5bp-2, 0x1.3d3af10a789a7p-1,
     0x1.b45c65f382823p-1, 0x1.408dfb1618a8bp+0},
    {0x1.ef0fa5bd85625p-2, 0x1.7b9360c3b830dp-56, 0x1.2123216123cd1p+0, -0x1.e8a25a3b59021p-54,
     0x1.56e6b9feee197p-2, 0x1.c138a51b63304p-2, 0x1.dec6c37ddefbcp-2, 0x1.47aa88f0652c5p-1,
     0x1.c64fc30404f09p-1, 0x1.5011338438a1dp+0},
    {0x1.f3958aecddef4p-2, -0x1.fc135930a7786p-58, 0x1.21cfe78a9e62ap+0, 0x1.be6debdf33777p-55,
     0x1.5c35b665d4687p-2, 0x1.c8cda1320fcb1p-2, 0x1.ebc9642da3280p-2, 0x1.52886c9a5ab93p-1,
     0x1.d9225c6a3ecbep-1, 0x1.607458864a77dp+0},
    {0x1.f81e288b7ae20p-2, -0x1.0803b3e82edbdp-56, 0x1.227f5aef2780cp+0, -0x1.05bd41e9b5318p-54,
     0x1.619bc0ac52c06p-2, 0x1.d097841b3c74ap-2, 0x1.f93aed86368e2p-2, 0x1.5dd9fcf542a22p-1,
     0x1.ece0d4b6515f0p-1, 0x1.71c5d0576d508p+0},
    {0x1.fca989658baafp-2, -0x1.10e104cee0e3fp-57, 0x1.2331873dcc1dep+0, -0x1.c82f08483f1c2p-54,
     0x1.67197a297a074p-2, 0x1.d89812a8690c4p-2, 0x1.0390003784022p-1, 0x1.69a4e9287e745p-1,
     0x1.00cc4fa230477p+0, 0x1.84150c2ced4cfp+0},
    {0x1.009bdc3b4f877p-1, -0x1.3064f62367547p-56, 0x1.23e678779d056p+0, -0x1.58de0fa360ec9p-54,
     0x1.6caf899f08570p-2, 0x1.e0d124a284d75p-2, 0x1.0abebc2196b67p-1, 0x1.75ef33a7a40bap-1,
     0x1.0bac07b569a74p+0, 0x1.97729dbdb3faep+0},
    {0x1.02e46075785a1p-1, 0x1.d1c9139aa7a36p-56, 0x1.249e3af272a2fp+0, -0x1.90699e6080472p-56,
     0x1.725e9b73b49e3p-2, 0x1.e944a5ba62b0ep-2, 0x1.122c37169efdap-1, 0x1.82bf37a2f1a3ap-1,
     0x1.17173471984fcp+0, 0x1.abf04eb435d2cp+0},
    {0x1.052e571060fd4p-1, -0x1.c950a10cffaf4p-55, 0x1.2558db5bceab9p+0, 0x1.f5e1eabdaf73fp-55,
     0x1.782761f060332p-2, 0x1.f1f496870c08ep-2, 0x1.19db1e5dc5333p-1, 0x1.901baede2c890p-1,
     0x1.2315f8c4da84dp+0, 0x1.c1a13a3aac364p+0},
    {0x1.0779c5d4df4b8p-1, 0x1.d8e763d34303bp-55, 0x1.261666bbdd21dp+0, -0x1.88616d2ad4929p-55,
     0x1.7e0a958059501p-2, 0x1.fae30d92dc61bp-2, 0x1.21ce41d86e43ep-1, 0x1.9e0bb7f64ddfdp-1,
     0x1.2fb102493e527p+0, 0x1.d899e8d67de28p+0},
    {0x1.09c6b2a636bb7p-1, 0x1.bd43d34640206p-57, 0x1.26d6ea789648cp+0, 0x1.16f6b7d6effbep-56,
     0x1.8408f4f4dc466p-2, 0x1.02091c3c3026cp-1, 0x1.2a08960b1fc43p-1, 0x1.ac96dd1f23165p-1,
     0x1.3cf193ab1487ap+0, 0x1.f0f06ecd5f642p+0},
    {0x1.0c152382d7366p-1, -0x1.ee6913347c2a6p-55, 0x1.279a74590331cp+0, 0x1.34863e0792bedp-54,
     0x1.8a2345cc04426p-2, 0x1.06c22e8802d6ep-1, 0x1.328d364958a56p-1, 0x1.bbc51b62dcf93p-1,
     0x1.4ae18feda4c2cp+0, 0x1.055e46aa8225bp+1},
};

// Relative error bound of the quick asin for |w| <= 1/2 (below 2^-66.2, see above), with a margin.
constexpr double kQuickAsinError = 0x1p-64;

// asin w for |w| <= 1/2, w = wHi + wLo with |wLo| <= 2^-52 |wHi|; *bound gets its error bound.
inline DD quickAsinSmall(double wHi, double wLo, double* bound) {
    const double a = std::fabs(wHi);
    const double n = (a * 256.0 + kRoundingShift) - kRoundingShift;
    const AsinPoint& e = kAsinTable[static_cast<int>(n)];
    const double h = a - n * 0x1p-8;  // exact: a and n/256 are within 1/512 and a factor 2
    const double hLo = wHi < 0.0 ? -wLo : wLo;
    const double hs = h + hLo;
    const double rest =
        hs * hs * (e.c2 + hs * (e.c3 + hs * (e.c4 + hs * (e.c5 + hs * (e.c6 + hs * e.c7)))));
    const DD ct = twoProduct(e.c1Hi, h);
    const DD s = fastTwoSum(e.asinHi, ct.hi);  // |asin(i/256)| >= |c1 h| unless i = 0
    const double lo = ((((ct.lo + e.c1Lo * h) + e.c1Hi * hLo) + e.asinLo) + rest) + s.lo;
    const DD y = fastTwoSum(s.hi, lo);
    *bound = kQuickAsinError * std::fabs(y.hi);
    return wHi < 0.0 ? negate(y) : y;
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
