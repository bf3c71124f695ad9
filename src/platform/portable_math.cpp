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
// quick bound is 2^-64 to 2^-62 relative, so one argument in three hundred (sin, cos) to one in
// a few thousand (asin, acos) needs the exact evaluation.
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
//   tan, asin: f(w) for w = a + h with a = i/256 the nearest table point (|h| <= 1/512, h exact)
//              and f(a + h) = f(a) + c1 h + (c2 h^2 + ... + c7 h^7), the Taylor series at a. f(a)
//              comes from a table as a double-double (2^-106), c1 as a 26-bit part and a double
//              (2^-78) so that c1 h is the exact sum of two products of 26-bit halves and a small
//              term below 2^-25 |c1 h| (its roundings below 2^-78), and the rest P in plain
//              doubles by Horner's rule. |P| <= 2^-17.7 |asin w| and 2^-16.8
//              |tan w| (2^-20.5 and 2^-19.5 for a = 0); the coefficients are positive (odd powers
//              only at 0) and |h c(k+1)| <= c(k) / 6, so no inner sum cancels: its twelve
//              roundings and the coefficients' own cost below 2^-49 |P|; the terms left out are
//              below 2^-69.3 (asin) and 2^-68.8 (tan), the low part's two sums after P below
//              2^-53 |P| each. Together below 2^-66.2 |asin w| and 2^-65.4 |tan w|, bounds 2^-64
//              and 2^-63 (measured against the exact evaluation over 20M and 12M arguments:
//              2^-68.7 and 2^-67.7). A low part of w (below 2^-52 |w|) enters c1 h exactly and P
//              through h.
//   tan:       tan w with w = r for even quadrants; for odd ones tan(r + pi/2) = -1 / tan r, the
//              reciprocal q = 1 / hi with one correction step q (1 - q (hi + lo)), 1 - q hi exact:
//              below 2^-100 relative on top of tan r's error; the reduction's 2^-100 adds below
//              2^-79 relative, as |r| >= 2^-20 there.
//   asin:      asin w for |x| = |w| <= 1/2 from the table above.
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

// An odd function f at a = i/256 and its Taylor coefficients there: f(a) as a double-double,
// f'(a) as c1Hi of 26 significant bits plus c1Lo (to 2^-78), the coefficients of h^2 .. h^7 as
// doubles (worked out to 300 bits).
struct TaylorPoint {
    double valueHi;
    double valueLo;
    double c1Hi;
    double c1Lo;
    double c2;
    double c3;
    double c4;
    double c5;
    double c6;
    double c7;
};

// asin at i/256, i = 0 .. 128.
constexpr TaylorPoint kAsinTable[] = {
    {0.0, 0.0, 0x1.0000000000000p+0, 0.0, 0.0, 0x1.5555555555555p-3, 0.0, 0x1.3333333333333p-4, 0.0,
     0x1.6db6db6db6db7p-5},
    {0x1.00002aaabdddfp-8, -0x1.ad18dfe48fd32p-62, 0x1.0000800000000p+0, 0x1.8001400118010p-34,
     0x1.00018001e0023p-9, 0x1.555b5561d569cp-3, 0x1.8006400f501d9p-10, 0x1.3342337073d89p-4,
     0x1.400a357eadcc7p-10, 0x1.6dd9dc59fa946p-5},
    {0x1.0000aaabdde0cp-7, -0x1.ab2904d668b9dp-61, 0x1.0002000000000p+0, 0x1.80050011803f0p-30,
     0x1.0006001e008c0p-8, 0x1.556d561d5a702p-3, 0x1.801900f507623p-9, 0x1.336f37075c8cap-4,
     0x1.4028d7eaf31d7p-9, 0x1.6e42ea32a51ebp-5},
    {0x1.800240091cfdap-7, -0x1.c7305887fe505p-64, 0x1.0004800000000p+0, 0x1.e60e3d7023ec5p-28,
     0x1.801440e3d9586p-8, 0x1.558b594a0f7c1p-3, 0x1.202a33a27b15fp-8, 0x1.33ba46964a456p-4,
     0x1.e089e3a140f02p-9, 0x1.6ef2263891715p-5},
    {0x1.0002aabdde94cp-6, 0x1.130cd26cdfa37p-62, 0x1.0008008000000p+0, -0x1.ffaffb9fc0fc6p-28,
     0x1.001801e023027p-7, 0x1.55b561d69c1d9p-3, 0x1.80640f51d8b1ap-8, 0x1.3423707d8a98bp-4,
     0x1.40a37eb4c82d1p-8, 0x1.6fe7c7e95018dp-5},
    {0x1.4005358ff0bd8p-6, -0x1.3535f7d78211ap-61, 0x1.000c810000000p+0, -0x1.58ceb8e9fcafcp-28,
     0x1.402ee5b97ef6fp-7, 0x1.55eb73deb427ep-3, 0x1.e0c37ec3b2803p-8, 0x1.34aac8e3e936fp-4,
     0x1.913f80fa00224p-8, 0x1.71241d1968bfdp-5},
    {0x1.80090091d9024p-6, 0x1.1158c93fa3e42p-62, 0x1.0012020000000p+0, -0x1.9c704fd16d45bp-28,
     0x1.80510e3f5660bp-7, 0x1.562d94abe13acp-3, 0x1.20a8fa3388484p-7, 0x1.355069bd129a9p-4,
     0x1.e2287a739b8e7p-8, 0x1.72a78a19349c5p-5},
    {0x1.c00e4be5f0304p-6, 0x1.8d9822a9352bep-60, 0x1.0018838000000p+0, 0x1.3bed58678e2fap-30,
     0x1.c080becd28c24p-7, 0x1.567bcab6864e1p-3, 0x1.510c75d818100p-7, 0x1.361472d1cef2cp-4,
     0x1.19b702b0242fap-7, 0x1.747289e46a247p-5},
    {0x1.000aabde0b9c8p-5, 0x1.d6d94551be3e9p-61, 0x1.0020060000000p+0, 0x1.40460fc39cd6bp-32,
     0x1.00601e08c276bp-6, 0x1.56d61da71d91fp-3, 0x1.8190f57651b41p-7, 0x1.36f709ca192f4p-4,
     0x1.428fecb2dd781p-7, 0x1.7685ae5c79889p-5},
    {0x1.200f3229fdf2cp-5, -0x1.e64678dc83d79p-62, 0x1.0028898000000p+0, 0x1.ee96f1e0fd2b0p-28,
     0x1.2088e62397e01p-6, 0x1.573c9657b108bp-3, 0x1.b23b428d71d08p-7, 0x1.37f85a3916f82p-4,
     0x1.6ba6e84d28233p-7, 0x1.78e1a08de0a8bp-5},
    {0x1.4014d8ffaf8afp-5, -0x1.3090b48c9545fp-59, 0x1.00320e8000000p+0, 0x1.5632ae734c314p-27,
     0x1.40bbdbb74b84cp-6, 0x1.57af3ed58e51cp-3, 0x1.e3102de2f6308p-7, 0x1.391895aaf7410p-4,
     0x1.9503f64f88efbp-7, 0x1.7b872100a4955p-5},
    {0x1.601bc0922e634p-5, 0x1.19e216f0d8af1p-59, 0x1.003c958000000p+0, -0x1.4a7cd4ba3af2cp-30,
     0x1.60fa23c3cdddcp-6, 0x1.582e226336309p-3, 0x1.0a0a48395e5b1p-6, 0x1.3a57f3b4be11ap-4,
     0x1.beaf2de6487ecp-7, 0x1.7e770814262fcp-5},
    {0x1.8024091fdb0a9p-5, 0x1.80650020adbcap-60, 0x1.00481e8000000p+0, -0x1.1bbfa6bf14d46p-28,
     0x1.8144e465df560p-6, 0x1.58b94d7a886dep-3, 0x1.22a6a630e08e8p-6, 0x1.3bb6b206050e7p-4,
     0x1.e8b0bf3a8df99p-7, 0x1.81b246668f2e5p-5},
    {0x1.a02dd2f38ebf6p-5, -0x1.21775a5ea9faap-59, 0x1.0054aa0000000p+0, -0x1.28e92c6a4f0e9p-28,
     0x1.a19d44f45da35p-6, 0x1.5950cdcf2cc3bp-3, 0x1.3b5fa6f9e43edp-6, 0x1.3d35147cb93b5p-4,
     0x1.09887b0fb78b5p-6, 0x1.8539e5481cb45p-5},
    {0x1.c0393e65c2c93p-5, 0x1.0d0a050c59955p-60, 0x1.0062388000000p+0, -0x1.6008de8adef31p-28,
     0x1.c2046e1dcdd94p-6, 0x1.59f4b251399b2p-3, 0x1.5437c642256dfp-6, 0x1.3ed3653adf6fbp-4,
     0x1.1eec1e6622f14p-6, 0x1.890f073a94d31p-5},
    {0x1.e0466bddb929cp-5, -0x1.0f5d1ce9e5858p-59, 0x1.0070ca8000000p+0, -0x1.092c3aa234c50p-27,
     0x1.e27b8a06290c5p-6, 0x1.5aa50b3019744p-3, 0x1.6d3185c1764c8p-6, 0x1.4091f4be69f0dp-4,
     0x1.34878f52d2cc5p-6, 0x1.8d32e87d3cb4ap-5},
    {0x1.002abde953619p-4, 0x1.182e2dc6ddeedp-58, 0x1.0080608000000p+0, -0x1.7dce0630516c5p-27,
     0x1.0181e23278b7fp-5, 0x1.5b61e9ddafe71p-3, 0x1.864f6db9edae1p-6, 0x1.427119fb2aadbp-4,
     0x1.4a5f258b28dc2p-6, 0x1.91a6dfa5adec1p-5},
    {0x1.103347666f892p-4, -0x1.6b150ed546e9cp-62, 0x1.0090fb0000000p+0, -0x1.a0a8649f4e9e5p-27,
     0x1.11cf2551caf8cp-5, 0x1.5c2b6111bf417p-3, 0x1.9f940d7a31ef0p-6, 0x1.44713276eea77p-4,
     0x1.60774c3cd2a66p-6, 0x1.966c5e45f2729p-5},
    {0x1.203ce2b380cd3p-4, -0x1.9210506159851p-59, 0x1.00a29a8000000p+0, -0x1.71cc3a0fe01c9p-28,
     0x1.222625fe1536cp-5, 0x1.5d0184cd8fda0p-3, 0x1.b901fbe20c0bbp-6, 0x1.4692a267d026cp-4,
     0x1.76d4838c721f9p-6, 0x1.9b84f1a058475p-5},
    {0x1.3047a02794911p-4, -0x1.d6b1ea5a7dd6bp-58, 0x1.00b5400000000p+0, -0x1.c1a6214517b5bp-27,
     0x1.32877ccc3d599p-5, 0x1.5de46a5fda48bp-3, 0x1.d29bd7e96fc19p-6, 0x1.48d5d4d4ce7fdp-4,
     0x1.8d7b621e7eb22p-6, 0x1.a0f2436977781p-5},
    {0x1.405390240e6fdp-4, 0x1.1ed0159037972p-58, 0x1.00c8eb8000000p+0, 0x1.2d0898ede42c8p-28,
     0x1.42f3c358bf56fp-5, 0x1.5ed42868f5c98p-3, 0x1.ec64492a26c6ap-6, 0x1.4b3b3bb8bb4fdp-4,
     0x1.a47096ab28fccp-6, 0x1.a6b61a98ef9c9p-5},
    {0x1.5060c31541da5p-4, 0x1.9d93daac249e9p-58, 0x1.00dd9e8000000p+0, -0x1.1e6a2182caa4ep-31,
     0x1.536b94579b139p-5, 0x1.5fd0d6df4c280p-3, 0x1.032f003627372p-5, 0x1.4dc350278e557p-4,
     0x1.bbb8e99e13319p-6, 0x1.acd25c496c8c2p-5},
    {0x1.606f49730ccc5p-4, 0x1.9850602873eadp-60, 0x1.00f3598000000p+0, -0x1.cec37e70afc47p-27,
     0x1.63ef8ba4795bbp-5, 0x1.60da8f1414a82p-3, 0x1.1045dc1aec3acp-5, 0x1.506e927632444p-4,
     0x1.d3593ec2b82bfp-6, 0x1.b3490ca88d53ap-5},
    {0x1.707f33c173a99p-4, -0x1.08661d0497936p-58, 0x1.010a1c8000000p+0, 0x1.9a4c4c8292470p-27,
     0x1.748046530b502p-5, 0x1.61f16bb8577a9p-3, 0x1.1d781aaea095fp-5, 0x1.533d8a64de43dp-4,
     0x1.eb5696fe641d6p-6, 0x1.ba1c4ff754466p-5},
    {0x1.809092913e52ep-4, 0x1.cf6b1f9befb16p-60, 0x1.0121e98000000p+0, 0x1.650546842a2f2p-28,
     0x1.851e62bfa7b80p-5, 0x1.631588e23b648p-3, 0x1.2ac723cfd763cp-5, 0x1.5630c74c11239p-4,
     0x1.01db090c55949p-5, 0x1.c14e6b9bd36ddp-5},
    {0x1.90a3768096840p-4, 0x1.490d716da34b1p-58, 0x1.013ac10000000p+0, -0x1.ad62be90f847ep-27,
     0x1.95ca80a029bcbp-5, 0x1.644704129f5c3p-3, 0x1.3834651d57b20p-5, 0x1.5948e04c44b89p-4,
     0x1.0e3e7849aa377p-5, 0x1.c8e1c744d5b34p-5},
    {0x1.a0b7f03ba78acp-4, 0x1.649d95519e008p-58, 0x1.0154a30000000p+0, 0x1.a38ec1f8bd18bp-27,
     0x1.a685411514a9fp-5, 0x1.6585fc3b01f7dp-3, 0x1.45c15244e67e8p-5, 0x1.5c8674807153bp-4,
     0x1.1ad84ac95d74bp-5, 0x1.d0d8ee2052e5dp-5},
    {0x1.b0ce107d3f690p-4, 0x1.f23930c39d637p-58, 0x1.016f920000000p+0, -0x1.e0c7b4d03e9b0p-27,
     0x1.b74f46bb00640p-5, 0x1.66d291c3b8a80p-3, 0x1.536f655418508p-5, 0x1.5fea2b337ac83p-4,
     0x1.27ab446bd8978p-5, 0x1.d93690258b500p-5},
    {0x1.c0e5e80f7172dp-4, 0x1.d8eeba8bc0030p-58, 0x1.018b8d8000000p+0, -0x1.bb4fefd40d50fp-29,
     0x1.c82935bc525d2p-5, 0x1.682ce69278d34p-3, 0x1.61401f0b4814ap-5, 0x1.6374b418a219cp-4,
     0x1.34ba3c6600d13p-5, 0x1.e1fd8373b6ebfp-5},
    {0x1.d0ff87cc3a7a5p-4, -0x1.6ed5a3f89d96ap-59, 0x1.01a8978000000p+0, -0x1.e88786295b565p-27,
     0x1.d913b3e346efap-5, 0x1.69951e1135088p-3, 0x1.6f350732d1f82p-5, 0x1.6726c78718976p-4,
     0x1.42081e5158fb0p-5, 0x1.eb30c5c6448d1p-5},
    {0x1.e11b009e269b5p-4, 0x1.865800d58cefcp-59, 0x1.01c6b08000000p+0, -0x1.dc82e082ab4ddp-27,
     0x1.ea0f68ac4f197p-5, 0x1.6b0b5d35509b3p-3, 0x1.7d4facf2b2287p-5, 0x1.6b0126b8d2ee9p-4,
     0x1.4f97eb469f979p-5, 0x1.f4d37dffb6899p-5},
    {0x1.f1386380f8b9ap-4, 0x1.2716c4af7554ep-58, 0x1.01e5d98000000p+0, 0x1.eb204688bdfeep-29,
     0x1.fb1cfd58c6b63p-5, 0x1.6c8fca872c1e4p-3, 0x1.8b91a72ca897fp-5, 0x1.6f049c0cbc9c2p-4,
     0x1.5d6cbb038b45bp-5, 0x1.fee8fdcc3cad4p-5},
    {0x1.00abe0c129e1ep-3, 0x1.7ceb0ee49d42ap-60, 0x1.0206148000000p+0, -0x1.c802b327c9bafp-27,
     0x1.061e8e8103b88p-4, 0x1.6e228e2a0d52fp-3, 0x1.99fc94d904350p-5, 0x1.7331fb4c6e147p-4,
     0x1.6b89bd1c4ff93p-5, 0x1.04ba61ae9f4bbp-4},
    {0x1.08bc95e132e6fp-3, 0x1.8ca3d5b6e0423p-58, 0x1.0227618000000p+0, 0x1.978f0acf9a939p-28,
     0x1.0eb83a566e63dp-4, 0x1.6fc3d1e465468p-3, 0x1.a8921d6639631p-5, 0x1.778a21f58a06dp-4,
     0x1.79f23a399ffb5p-5, 0x1.0a3d3d9f8f165p-4},
    {0x1.10ce59ba4a8c4p-3, -0x1.ecbd1cfea3329p-61, 0x1.0249c28000000p+0, 0x1.fdd2d2488b702p-27,
     0x1.175bd9aeaecd4p-4, 0x1.7173c128777a3p-3, 0x1.b753f11b68fb6p-5, 0x1.7c0df786e847dp-4,
     0x1.88a99563e4f56p-5, 0x1.0fff012547c8ep-4},
    {0x1.18e134f0178afp-3, 0x1.e8366fb31c741p-57, 0x1.026d390000000p+0, -0x1.22ea0c43591ebp-31,
     0x1.2009c51597f42p-4, 0x1.7332891d651bep-3, 0x1.c643c97dfea86p-5, 0x1.80be6dd1b7310p-4,
     0x1.97b34d5c77264p-5, 0x1.1601b3d97daa3p-4},
    {0x1.20f530308cc20p-3, -0x1.ed63934b583b4p-57, 0x1.0291c58000000p+0, 0x1.148a5c4cdd9a2p-27,
     0x1.28c2562b1dbb8p-4, 0x1.750058a89f789p-3, 0x1.d56369ba8f121p-5, 0x1.859c814ebea71p-4,
     0x1.a712fe05a369dp-5, 0x1.1c477799bc02ap-4},
    {0x1.290a543442d6ap-3, -0x1.d1c5881b1ed75p-60, 0x1.02b76a0000000p+0, 0x1.13cd8d9d2b0bap-29,
     0x1.3185e7ade82bfp-4, 0x1.76dd6077c4feep-3, 0x1.e4b49f11200dep-5, 0x1.8aa93977f279bp-4,
     0x1.b6cc61da5bf0ep-5, 0x1.22d289ae01634p-4},
    {0x1.3120a9bed2f46p-3, -0x1.c02be339d3487p-57, 0x1.02de278000000p+0, 0x1.5aa91e65a73e7p-28,
     0x1.3a54d586232bap-4, 0x1.78c9d30aec511p-3, 0x1.f439414506dbfp-5, 0x1.8fe5a9268475dp-4,
     0x1.c6e353767b7e1p-5, 0x1.29a544005d1bfp-4},
    {0x1.3938399f32b5cp-3, -0x1.75f32343248f7p-57, 0x1.0305ff8000000p+0, 0x1.d87780f991ab5p-27,
     0x1.432f7cd08d4c2p-4, 0x1.7ac5e4bf61134p-3, 0x1.01f9998845356p-4, 0x1.9552eef5a94d6p-4,
     0x1.d75bcf308fb8dp-5, 0x1.30c21e667e75fp-4},
    {0x1.41510cb011423p-3, -0x1.15d675180eda8p-58, 0x1.032ef40000000p+0, -0x1.4479a7e460cecp-29,
     0x1.4c163be9c863ep-4, 0x1.7cd1cbdad651ap-3, 0x1.09f2314e3cd56p-4, 0x1.9af235aa4669dp-4,
     0x1.e839f4c62cc13p-5, 0x1.382baffe36223p-4},
    {0x1.496b2bd835ab9p-3, -0x1.5f053e118fc40p-60, 0x1.0359060000000p+0, -0x1.87e6705049275p-27,
     0x1.55097279eec0cp-4, 0x1.7eedc097128c8p-3, 0x1.120764fdf4128p-4, 0x1.a0c4b49fc1d9cp-4,
     0x1.f982091bdaa6ap-5, 0x1.3fe4b09dfb330p-4},
    {0x1.5186a00ade974p-3, 0x1.4d5f66b2b5c3cp-59, 0x1.0384370000000p+0, -0x1.24070bf1c51b1p-27,
     0x1.5e0981806fdadp-4, 0x1.8119fd2e19a92p-3, 0x1.1a3a37d622ab8p-4, 0x1.a6cbb03a30d41p-4,
     0x1.059c3c08de6b3p-4, 0x1.47effa5a97023p-4},
    {0x1.59a37248233eap-3, 0x1.30e1789226732p-60, 0x1.03b0888000000p+0, 0x1.e409706f730b9p-27,
     0x1.6716cb603786fp-4, 0x1.8356bde6d93e5p-3, 0x1.228bb38d02e07p-4, 0x1.ad087a5e24c33p-4,
     0x1.0eb0eb3712049p-4, 0x1.50508b232ea6fp-4},
    {0x1.61c1ab9d55d30p-3, -0x1.95a37debb0f64p-57, 0x1.03ddfd0000000p+0, 0x1.f9dd12fc6d4bap-28,
     0x1.7031b3ec22c6ap-4, 0x1.85a441225beb2p-3, 0x1.2afce8950b937p-4, 0x1.b37c72ee5a759p-4,
     0x1.180171efa661ap-4, 0x1.59098674f52e2p-4},
    {0x1.69e1552567517p-3, 0x1.862b5acd13ce5p-57, 0x1.040c958000000p+0, 0x1.f7dbe86272dcfp-27,
     0x1.795aa073c56c8p-4, 0x1.8802c769889fdp-3, 0x1.338eee642e1f4p-4, 0x1.ba29084f92f49p-4,
     0x1.2190468acf988p-4, 0x1.621e3727e7c29p-4},
    {0x1.720278094cd3cp-3, 0x1.fa81a09cedb07p-57, 0x1.043c548000000p+0, -0x1.e7ced15a49759p-28,
     0x1.8291f7d083edbp-4, 0x1.8a72937b7300dp-3, 0x1.3c42e3bdb76e1p-4, 0x1.c10fb7f2e19cep-4,
     0x1.2b5ff6fbec8c7p-4, 0x1.6b9211560c6d4p-4},
    {0x1.7a251d80666abp-3, -0x1.9c0a0c0c668d0p-58, 0x1.046d3b0000000p+0, -0x1.27707c81ee380p-27,
     0x1.8bd8227304d5ep-4, 0x1.8cf3ea5c424a4p-3, 0x1.4519eefef5627p-4, 0x1.c8320ee6bf6efp-4,
     0x1.357329f94ff33p-4, 0x1.7568b45ec5351p-4},
    {0x1.82494ed0e78fcp-3, -0x1.443c2697a7d2fp-57, 0x1.049f4b0000000p+0, 0x1.95b676ddc4833p-29,
     0x1.952d8a70fd76cp-4, 0x1.8f871364b45f7p-3, 0x1.4e153e6ec33c2p-4, 0x1.cf91aa6f3828bp-4,
     0x1.3fcca03287c26p-4, 0x1.7fa5ed07e4435p-4},
    {0x1.8a6f1550413c4p-3, 0x1.3268eac79ea67p-57, 0x1.04d2870000000p+0, -0x1.b46412065ff7cp-28,
     0x1.9e929b935d8cbp-4, 0x1.922c585242f89p-3, 0x1.573608902158fp-4, 0x1.d73038a58a9b9p-4,
     0x1.4a6f3595f97a5p-4, 0x1.8a4db7be4a740p-4},
    {0x1.92967a638db38p-3, -0x1.9cd53f748193ep-60, 0x1.0506f08000000p+0, -0x1.068bc6489412cp-27,
     0x1.a807c364ddb88p-4, 0x1.94e40557f12a7p-3, 0x1.607d8c77fe7b1p-4, 0x1.df0f791f9ae05p-4,
     0x1.555de2a6b6b17p-4, 0x1.956442f7f8844p-4},
    {0x1.9abf877ffe0e8p-3, -0x1.b5aa8885e05b4p-57, 0x1.053c898000000p+0, 0x1.74af246385c68p-30,
     0x1.b18d7140f4d40p-4, 0x1.97ae692fc7d3dp-3, 0x1.69ed12265aa66p-4, 0x1.e7313d9f9a867p-4,
     0x1.609bbde37b101p-4, 0x1.a0edf1b99c0a9p-4},
    {0x1.a2ea462b4998ep-3, -0x1.51d494caa9d70p-57, 0x1.0573548000000p+0, -0x1.f135415393d2ep-29,
     0x1.bb241663384e7p-4, 0x1.9a8bd52d07cd0p-3, 0x1.7385eae2eda93p-4, 0x1.ef976acc50af3p-4,
     0x1.6c2bfd3fd3a39p-4, 0x1.acef5e41c4bcap-4},
    {0x1.ab16bffc1f0ddp-3, -0x1.16472c3e1c004p-57, 0x1.05ab538000000p+0, -0x1.d6837636d4170p-27,
     0x1.c4cc25f72be96p-4, 0x1.9d7c9d4f190c8p-3, 0x1.7d49719d7d85cp-4, 0x1.f843f8f272342p-4,
     0x1.7811f7b07f2edp-4, 0x1.b96d5cdc1467ap-4},
    {0x1.b344fe9a97c4dp-3, 0x1.17c005e947d2bp-58, 0x1.05e4880000000p+0, 0x1.c4cf9e6c5192dp-27,
     0x1.ce861528855a6p-4, 0x1.a08118553e4f6p-3, 0x1.87390b521331fp-4, 0x1.009c7a67c0434p-3,
     0x1.845126cc27e66p-4, 0x1.c66cfedee49ecp-4},
    {0x1.bb750bc0acdefp-3, -0x1.244e3b92c7436p-58, 0x1.061ef58000000p+0, 0x1.c2eb6ee9b2d22p-29,
     0x1.d8525b33e883bp-4, 0x1.a3999fd315319p-3, 0x1.915627713e873p-4, 0x1.053c403356780p-3,
     0x1.90ed2881a8ff4p-4, 0x1.d3f395d608ba2p-4},
    {0x1.c3a6f13aae84bp-3, -0x1.7739d10fe8bc1p-57, 0x1.065a9d8000000p+0, 0x1.8132e5aada23ap-28,
     0x1.e231717821274p-4, 0x1.a6c69045eb07ep-3, 0x1.9ba2404c9cc04p-4, 0x1.0a0269f0229f8p-3,
     0x1.9de9c0e525a3dp-4, 0x1.e206b6dd81823p-4},
    {0x1.cbdab8e7bd466p-3, 0x1.7b8d9e879e1eep-57, 0x1.0697828000000p+0, 0x1.c23dd2c43f70bp-27,
     0x1.ec23d387df2b4p-4, 0x1.aa08492aef36cp-3, 0x1.a61edb87d792ap-4, 0x1.0ef01f3a1b67dp-3,
     0x1.ab4adc154b671p-4, 0x1.f0ac3e2f2a1dbp-4},
    {0x1.d4106cba45b08p-3, 0x1.ee49ea61bfe56p-57, 0x1.06d5a78000000p+0, -0x1.ffa2b9c92fdddp-28,
     0x1.f629ff3bfabbcp-4, 0x1.ad5f2d164c2e3p-3, 0x1.b0cd8a8e55c3cp-4, 0x1.140693b01e9a9p-3,
     0x1.b914903a303dcp-4, 0x1.ffea52e69bc1bp-4},
    {0x1.dc4816b87e25ep-3, 0x1.f92bef1c8a889p-57, 0x1.07150e0000000p+0, 0x1.07ec9200062f8p-28,
     0x1.00223a6322e70p-3, 0x1.b0cba1cb30aadp-3, 0x1.bbafeb0dd91c5p-4, 0x1.194707752d5c9p-3,
     0x1.c74b1f9f537bep-4, 0x1.07e3b57f5fccbp-3},
    {0x1.e481c0fce7134p-3, 0x1.c9bcb7ab7132bp-62, 0x1.0755b98000000p+0, -0x1.277a793e4475dp-27,
     0x1.0539db627862bp-3, 0x1.b44e1054d3541p-3, 0x1.c6c7a77648ca0p-4, 0x1.1eb2c7b821295p-3,
     0x1.d5f2faea626fbp-4, 0x1.102527c6624eep-3},
    {0x1.ecbd75b6cd8f0p-3, 0x1.afa2fb0a2a9b7p-57, 0x1.0797ac0000000p+0, -0x1.e6ac67b2890bfp-28,
     0x1.0a5c252b441bdp-3, 0x1.b7e6e5207b528p-3, 0x1.d216777eea9ecp-4, 0x1.244b2f4232695p-3,
     0x1.e510c3707c154p-4, 0x1.18bd109e3907dp-3},
    {0x1.f4fb3f2ad079bp-3, 0x1.06aa46436695ap-58, 0x1.07dae88000000p+0, -0x1.4a682c5d523acp-27,
     0x1.0f895b9749073p-3, 0x1.bb9690189901ep-3, 0x1.dd9e20b151300p-4, 0x1.2a11a70caedc7p-3,
     0x1.f4a94dabcc202p-4, 0x1.21af2e890ba7fp-3},
    {0x1.fd3b27b368330p-3, 0x1.31d9600322487p-57, 0x1.081f718000000p+0, -0x1.ce9a1da53e71ap-32,
     0x1.14c1c3d56845fp-3, 0x1.bf5d84c0fa714p-3, 0x1.e96076fa48a37p-4, 0x1.3007a6de43c8dp-3,
     0x1.0260d1e9ba369p-3, 0x1.2aff70bb53a83p-3},
    {0x1.02be9ce0b87cdp-2, 0x1.e5d09da2e0f04p-58, 0x1.08654a0000000p+0, 0x1.6a7b6d40650abp-27,
     0x1.1a05a47498fd8p-3, 0x1.c33c3a5427fc0p-3, 0x1.f55f5d410ffb9p-4, 0x1.362eb5f045f67p-3,
     0x1.0aaf844bee781p-3, 0x1.34b1f9c970a7cp-3},
    {0x1.06e0bfee5c057p-2, 0x1.db5bbbadcccb2p-57, 0x1.08ac758000000p+0, -0x1.a71877a4ebeb1p-27,
     0x1.1f55456f3a123p-3, 0x1.c7332be1f5e5fp-3, 0x1.00ce6302987d5p-3, 0x1.3c886b9c67f8cp-3,
     0x1.13437d02d2ca4p-3, 0x1.3ecb227f61352p-3},
    {0x1.0b04025245cccp-2, 0x1.784cec5727455p-56, 0x1.08f4f60000000p+0, -0x1.7947ab2386574p-27,
     0x1.24b0f036c176ep-3, 0x1.cb42d86f588d9p-3, 0x1.070d5a01a69dap-3, 0x1.431670135636dp-3,
     0x1.1c1f9a48cdbc4p-3, 0x1.494f7ce56e308p-3},
    {0x1.0f28696826d95p-2, -0x1.6b73b247c58d3p-60, 0x1.093ecf0000000p+0, -0x1.adc5502b99257p-27,
     0x1.2a18efbfccee8p-3, 0x1.cf6bc31789796p-3, 0x1.0d6d9d709df57p-3, 0x1.49da7d1cb77e5p-3,
     0x1.2546db281dcb4p-3, 0x1.5443d774cb227p-3},
    {0x1.134dfa9805147p-2, -0x1.bbe27a4ac52e2p-56, 0x1.098a038000000p+0, -0x1.4ecdcc7be196dp-27,
     0x1.2f8d908e98498p-3, 0x1.d3ae732e8c418p-3, 0x1.13f03ff0ec572p-3, 0x1.50d65ee118d16p-3,
     0x1.2ebc612dbc4d4p-3, 0x1.5fad407f66227p-3},
    {0x1.1774bb5687cf9p-2, -0x1.a2fb3e84f654ap-56, 0x1.09d6968000000p+0, 0x1.3405416dc1fb7p-27,
     0x1.350f20c3dd549p-3, 0x1.d80b7465231cbp-3, 0x1.1a965d5074d29p-3, 0x1.580bf4be5380fp-3,
     0x1.38837234d43a6p-3, 0x1.6b9109ce5e94fp-3},
    {0x1.1b9cb12545e62p-2, -0x1.7f2d0bf1d1630p-57, 0x1.0a248c0000000p+0, 0x1.20673371f0134p-32,
     0x1.3a9df02a21e16p-3, 0x1.dc8356ee43a9bp-3, 0x1.21611aebc421bp-3, 0x1.5f7d322705a2bp-3,
     0x1.429f7a4c5844dp-3, 0x1.77f4cc7adb84cp-3},
    {0x1.1fc5e19315893p-2, -0x1.4b10824670d24p-65, 0x1.0a73e68000000p+0, 0x1.ffc5bfe461e1ap-27,
     0x1.403a504378844p-3, 0x1.e116afa61d6b5p-3, 0x1.2851a814bf6c7p-3, 0x1.672c1f8dbe81cp-3,
     0x1.4d140db85eae7p-3, 0x1.84de6d0541066p-3},
    {0x1.23f0523c5dc2bp-2, 0x1.4fc2674a3d6b2p-59, 0x1.0ac4aa8000000p+0, -0x1.735206a271885p-27,
     0x1.45e49457b8d60p-3, 0x1.e5c6183ac4587p-3, 0x1.2f693e7e09901p-3, 0x1.6f1adb5c8ae8ap-3,
     0x1.57e4eb1106519p-3, 0x1.92541faf106e5p-3},
    {0x1.281c08cb69be8p-2, 0x1.1a06e50610d28p-59, 0x1.0b16da0000000p+0, 0x1.cc7eb603294c0p-27,
     0x1.4b9d11833443fp-3, 0x1.ea922f5692d71p-3, 0x1.36a922ab5e8e7p-3, 0x1.774b9af99813fp-3,
     0x1.6315fd80c7806p-3, 0x1.a05c6d1c11972p-3},
    {0x1.2c490af8bde81p-2, -0x1.61b192e95f88bp-56, 0x1.0b6a7a0000000p+0, 0x1.102909d98572fp-28,
     0x1.51641ec5ecb25p-3, 0x1.ef7b98cc57818p-3, 0x1.3e12a46728775p-3, 0x1.7fc0abd9afcf4p-3,
     0x1.6eab5f2434e4ep-3, 0x1.aefe373fbc9dcp-3},
    {0x1.30775e8b6eeb9p-2, 0x1.0b08737cd3bb3p-56, 0x1.0bbf8d8000000p+0, 0x1.c1e5e15fa9a86p-30,
     0x1.573a151352745p-3, 0x1.f482fdc56427dp-3, 0x1.45a71f3d95096p-3, 0x1.887c74a15cc1ep-3,
     0x1.7aa95b8d549f9p-3, 0x1.be40be9c3bda4p-3},
    {0x1.34a709597aab1p-2, -0x1.70f1371722985p-56, 0x1.0c16188000000p+0, -0x1.eca6ee8bcef5fp-28,
     0x1.5d1f4f628f5f2p-3, 0x1.f9a90cf194a64p-3, 0x1.4d67fafd77761p-3, 0x1.9181765593578p-3,
     0x1.8714726ce0ad8p-3, 0x1.ce2ba7d8c6267p-3},
    {0x1.38d8114823369p-2, 0x1.bf6444858ac43p-58, 0x1.0c6e1e8000000p+0, -0x1.ee6d955f78eddp-31,
     0x1.63142abf6502cp-3, 0x1.feee7ab9655fcp-3, 0x1.5556ac3f4622ep-3, 0x1.9ad24d9cca034p-3,
     0x1.93f15a63e767ep-3, 0x1.dec701b5825adp-3},
    {0x1.3d0a7c4c4bd9cp-2, -0x1.87f647bb796d8p-58, 0x1.0cc7a40000000p+0, -0x1.a08d91ce98c6ep-27,
     0x1.6919065ba45d0p-3, 0x1.022a00b919398p-2, 0x1.5d74b4f289006p-3, 0x1.a471b4117af94p-3,
     0x1.a145040071e97p-3, 0x1.f01b4b639f1dfp-3},
    {0x1.413e506ad84eep-2, 0x1.71db7c5df9586p-56, 0x1.0d22ac8000000p+0, -0x1.19bf10ee2ab17p-27,
     0x1.6f2e43a145a81p-3, 0x1.04ed30ca5d0f6p-2, 0x1.65c3a4f212194p-3, 0x1.ae6281a719eb4p-3,
     0x1.af149ce8069edp-3, 0x1.0118bda4673e8p-2},
    {0x1.457393b90e2aap-2, 0x1.b1f64d329fe98p-56, 0x1.0d7f3c8000000p+0, -0x1.63d71e8195634p-27,
     0x1.755446452737bp-3, 0x1.07c130faff1d6p-2, 0x1.6e451a9f5f5c3p-3, 0x1.b8a7ae2299f55p-3,
     0x1.bd659333127ffp-3, 0x1.0a89831af219ep-2},
    {0x1.49aa4c5cf8926p-2, 0x1.c1d2f6ce8524bp-56, 0x1.0ddd580000000p+0, -0x1.1cd97c560c417p-28,
     0x1.7b8b745a7aae1p-3, 0x1.0aa6680151181p-2, 0x1.76fac3858a5edp-3, 0x1.c34452a7b2ce7p-3,
     0x1.cc3d98fc7bc4fp-3, 0x1.1464f38c78871p-2},
    {0x1.4de2808dce513p-2, 0x1.ba77dda083efap-58, 0x1.0e3d038000000p+0, 0x1.2bf3db73c96a5p-30,
     0x1.81d43666e82bep-3, 0x1.0d9d3ffe723f7p-2, 0x1.7fe65d0430f6dp-3, 0x1.ce3bab5c2894ep-3,
     0x1.dba2a828dda52p-3, 0x1.1eb05399ef3cbp-2},
    {0x1.521c36945a5f2p-2, -0x1.5e7e018b26645p-57, 0x1.0e9e438000000p+0, 0x1.29e059c03ce94p-29,
     0x1.882ef7776f7f0p-3, 0x1.10a6269eaa496p-2, 0x1.8909b502c809fp-3, 0x1.d99119226f4d5p-3,
     0x1.eb9b06692e3e8p-3, 0x1.29713370a2341p-2},
    {0x1.565774cb66f02p-2, -0x1.c537759c5cce1p-56, 0x1.0f011c8000000p+0, 0x1.2f03b3c4370d4p-29,
     0x1.8e9c25360fb82p-3, 0x1.13c18d3b33bfap-2, 0x1.9266aaacd0ef5p-3, 0x1.e548236d1a856p-3,
     0x1.fc2d497cd6888p-3, 0x1.34ad7378fd33bp-2},
    {0x1.5a9441a02b1fdp-2, -0x1.35e8dbcb0816cp-56, 0x1.0f65930000000p+0, 0x1.729d7d0484016p-27,
     0x1.951c30003dfa7p-3, 0x1.16efe8fd8814cp-2, 0x1.9bff2f37712c7p-3, 0x1.f1647a2ca29aap-3,
     0x1.06b02ddbc8514p-2, 0x1.406b49575e4c6p-2},
    {0x1.5ed2a392bb50fp-2, 0x1.feb5a76d36567p-56, 0x1.0fcbac0000000p+0, 0x1.ebd3ff4ab16fcp-27,
     0x1.9baf8afe34c8ep-3, 0x1.1a31b30440bbep-2, 0x1.a5d546b0f4477p-3, 0x1.fde9f7d924161p-3,
     0x1.0f9dc067d9b3fp-2, 0x1.4cb1454513f0cp-2},
    {0x1.6312a1367c57cp-2, -0x1.e8ea4df76e5b6p-60, 0x1.10336c8000000p+0, 0x1.9ab3f957a7f42p-28,
     0x1.a256ac3b258b8p-3, 0x1.1d876889a1a53p-2, 0x1.afeb08dac7ea8p-3, 0x1.056e51cced3efp-2,
     0x1.18e32d7cf5bb7p-2, 0x1.598657c827cd9p-2},
    {0x1.675441329986ep-2, 0x1.d027ed2bb2edap-56, 0x1.109cd98000000p+0, -0x1.e3ccce304bc5dp-27,
     0x1.a9120cbe5685ep-3, 0x1.20f18b0be2ac0p-2, 0x1.ba42a20e8ba32p-3, 0x1.0c2059c61b8f2p-2,
     0x1.2284782be1355p-2, 0x1.66f1d7d122428p-2},
    {0x1.6b978a427db95p-2, -0x1.b1dd0afc579e2p-57, 0x1.1107f78000000p+0, -0x1.2d7c5c261edfdp-27,
     0x1.afe228a537fb2p-3, 0x1.2470a0774ebf0p-2, 0x1.c4de542ed741bp-3, 0x1.130d47964ae1dp-2,
     0x1.2c85d85f5ebc4p-2, 0x1.74fb8946894c1p-2},
    {0x1.6fdc83364f719p-2, 0x1.cc49c4fdd8042p-56, 0x1.1174cc0000000p+0, 0x1.cbadbff12bc39p-28,
     0x1.b6c77f3e7bca2p-3, 0x1.2805335250db9p-2, 0x1.cfc077a4653cfp-3, 0x1.1a3768f15ab37p-2,
     0x1.36ebbdef26e00p-2, 0x1.83aba406820cap-2},
    {0x1.742332f3702b4p-2, 0x1.87e8e9ef7b2ffp-57, 0x1.11e35d0000000p+0, -0x1.64c31308e374dp-28,
     0x1.bdc293263b60dp-3, 0x1.2bafd2eb885aap-2, 0x1.daeb7c68599cfp-3, 0x1.21a126da20ca3p-2,
     0x1.41bad3e5a385ep-2, 0x1.930adb67af2fbp-2},
    {0x1.786ba074fef93p-2, -0x1.73b1910f90a93p-56, 0x1.1253af8000000p+0, -0x1.f616257ea2decp-27,
     0x1.c4d3ea6338818p-3, 0x1.2f711389ff8a4p-2, 0x1.e661eb1c69d77p-3, 0x1.294d070ff18d9p-2,
     0x1.4cf803fc0b3cfp-2, 0x1.a322664329898p-2},
    {0x1.7cb5d2cc5e8edp-2, -0x1.1b526c99fd02ep-58, 0x1.12c5c90000000p+0, -0x1.d5a61718f5ae4p-27,
     0x1.cbfc0e8545fe9p-3, 0x1.33498e9fa1258p-2, 0x1.f2266631b6c7bp-3, 0x1.313dad91bdca9p-2,
     0x1.58a87a50c12b2p-2, 0x1.b3fc079245257p-2},
    {0x1.8101d121bed2dp-2, 0x1.1db04b2b75f1fp-58, 0x1.1339af0000000p+0, 0x1.d5527419d37cep-27,
     0x1.d33b8cc4e63e5p-3, 0x1.3739e2fe0aea9p-2, 0x1.fe3bab1f37947p-3, 0x1.3975de382fefbp-2,
     0x1.64d1a95c2c394p-2, 0x1.c5a217abbd278p-2},
    {0x1.854fa2b4aa1a3p-2, -0x1.a3ef44d643855p-58, 0x1.13af688000000p+0, 0x1.3db13b2895b1cp-29,
     0x1.da92f6242e154p-3, 0x1.3b42b50ddd5c5p-2, 0x1.055249d4517f3p-2, 0x1.41f87e684cf4ep-2,
     0x1.71794e288cc74p-2, 0x1.d81f8e2cde5cbp-2},
    {0x1.899f4edc962d3p-2, 0x1.3e919701b7c6dp-60, 0x1.1426fb0000000p+0, -0x1.fcd592a1299bap-27,
     0x1.e202df90fb4b1p-3, 0x1.3f64af08aaa6ap-2, 0x1.0bb20b9b6a221p-2, 0x1.4ac896e03961dp-2,
     0x1.7ea574d1b4122p-2, 0x1.eb800c9c5d2ecp-2},
    {0x1.8df0dd0979384p-2, 0x1.0a7dc7300f1dfp-57, 0x1.14a06c0000000p+0, 0x1.11e9aafea89fdp-28,
     0x1.e98be2088eeffp-3, 0x1.43a08135a8a74p-2, 0x1.123ea6215cd34p-2, 0x1.53e9559fe15c7p-2,
     0x1.8c5c7d51e443bp-2, 0x1.ffcfe9d5b23a5p-2},
    {0x1.924454c462cc4p-2, 0x1.f2cb742770a5cp-56, 0x1.151bc30000000p+0, -0x1.50a3cbcc9d57bp-27,
     0x1.f12e9abc9c861p-3, 0x1.47f6e2294c4c6p-2, 0x1.18f9b4e9f6567p-2, 0x1.5d5e0fef63957p-2,
     0x1.9aa520a18c947p-2, 0x1.0a8e1f2691c8dp-1},
    {0x1.9699bdb019139p-2, -0x1.b53a9536565bep-56, 0x1.1599058000000p+0, 0x1.07522c12ab03ap-28,
     0x1.f8ebab39dff05p-3, 0x1.4c688f07f6cbcp-2, 0x1.1fe4e48a13dcdp-2, 0x1.672a4485427adp-2,
     0x1.a98676300ad4bp-2, 0x1.15b9789f054e1p-1},
    {0x1.9af11f89ba61cp-2, 0x1.a884c2416dce8p-56, 0x1.16183b0000000p+0, -0x1.4a8c3ce745099p-28,
     0x1.0061dcc826883p-2, 0x1.50f64bcbdfb22p-2, 0x1.2701f37c70ae5p-2, 0x1.71519dce85895p-2,
     0x1.b907f9bc1bf4dp-2, 0x1.2171636b39548p-1},
    {0x1.9f4a82296347bp-2, -0x1.71ef7327550c7p-56, 0x1.1699698000000p+0, 0x1.da32db3143477p-27,
     0x1.045bb83e7684dp-2, 0x1.55a0e38e6971bp-2, 0x1.2e52b3023620dp-2, 0x1.7bd7f45b1e2e9p-2,
     0x1.c931919330c21p-2, 0x1.2dbdb7ba6f130p-1},
    {0x1.a3a5ed82d9537p-2, 0x1.a2f7c3ea46d69p-57, 0x1.171c990000000p+0, 0x1.01d1705c611ddp-34,
     0x1.0863bfcabf1b7p-2, 0x1.5a6928d510eb8p-2, 0x1.35d90810095dcp-2, 0x1.86c1517110ad3p-2,
     0x1.da0b953f74155p-2, 0x1.3aa6cc076df58p-1},
    {0x1.a80369a63aaa8p-2, -0x1.37a794e54ac5ap-58, 0x1.17a1d00000000p+0, -0x1.937472e5a1330p-28,
     0x1.0c7a4dbaf6873p-2, 0x1.5f4ff5e22b76dp-2, 0x1.3d96ec485f6e9p-2, 0x1.9211f1c9122dfp-2,
     0x1.eb9ed4acf556fp-2, 0x1.48357dec8fafdp-1},
    {0x1.ac62fec0b2a92p-2, 0x1.cb9f9a052f11fp-56, 0x1.1829160000000p+0, -0x1.b687cd0cb0208p-27,
     0x1.109fbef7deb6ep-2, 0x1.64562d09aa292p-2, 0x1.458e6f03ee033p-2, 0x1.9dce487781efcp-2,
     0x1.fdf49fcf1ed2fp-2, 0x1.56733ba605254p-1},
    {0x1.b0c4b51d33b86p-2, 0x1.beb0350ac9f2ap-56, 0x1.18b2720000000p+0, 0x1.871b7be6a2717p-27,
     0x1.14d4731dbe8ccp-2, 0x1.697cb90a1c95cp-2, 0x1.4dc1b6691e6e4p-2, 0x1.a9fb0204dcbcap-2,
     0x1.088b676832299p-1, 0x1.656a0e5105869p-1},
    {0x1.b5289525368abp-2, 0x1.74049ce3d99e1p-57, 0x1.193ded0000000p+0, -0x1.414cd776ad90fp-27,
     0x1.1918cc962cd31p-2, 0x1.6ec48d6a30f4dp-2, 0x1.563300937888cp-2, 0x1.b69d07b907ce7p-2,
     0x1.1287e56b76b7bp-1, 0x1.7524a4f7f1f02p-1},
    {0x1.b98ea7617ef3ap-2, 0x1.e506899c56eb0p-57, 0x1.19cb8d8000000p+0, 0x1.4f3065b2c4398p-27,
     0x1.1d6d30b2fabe9p-2, 0x1.742ea6daf3993p-2, 0x1.5ee4a4cc0ca69p-2, 0x1.c3b9831d139a8p-2,
     0x1.1cf54bb4f4e58p-1, 0x1.85ae607cf2ec1p-1},
    {0x1.bdf6f47ae6904p-2, 0x1.e7bfe76547424p-56, 0x1.1a5b5d0000000p+0, -0x1.cd35463b562dfp-27,
     0x1.21d207ca4ca5ep-2, 0x1.79bc0b9f13dedp-2, 0x1.67d914d3f69b1p-2, 0x1.d155e1b760053p-2,
     0x1.27d96e421efb7p-1, 0x1.97136076362edp-1},
    {0x1.c261853b2d785p-2, -0x1.14e12e6f91a4bp-57, 0x1.1aed628000000p+0, 0x1.69722e8f35a5bp-32,
     0x1.2647bd53f06c5p-2, 0x1.7f6dcbf7794c0p-2, 0x1.7112de4228206p-2, 0x1.df77d9065ad49p-2,
     0x1.333a78b128113p-1, 0x1.a9609110bdc1dp-1},
    {0x1.c6ce628dd132cp-2, -0x1.a252213096b1dp-58, 0x1.1b81a78000000p+0, -0x1.a25c8653242dfp-28,
     0x1.2acec0080207cp-2, 0x1.8545029578832p-2, 0x1.7a94abf5bee52p-2, 0x1.ee256abe676e6p-2,
     0x1.3f1ef40cf747fp-1, 0x1.bca3ba10ab1f0p-1},
    {0x1.cb3d9580ea2b8p-2, 0x1.d9730350eb057p-56, 0x1.1c18340000000p+0, 0x1.b512377a3d650p-27,
     0x1.2f6781feef7e0p-2, 0x1.8b42d512fce45p-2, 0x1.8461479e42362p-2, 0x1.fd64e94fdca9bp-2,
     0x1.4b8dcd064cc59p-1, 0x1.d0eb8f081d92fp-1},
    {0x1.cfaf27460fe9fp-2, -0x1.8bf75f355f723p-57, 0x1.1cb1120000000p+0, -0x1.eb90886198d3ep-29,
     0x1.341278d2eebedp-2, 0x1.91687471015e6p-2, 0x1.8e7b9b5b3dd4fp-2, 0x1.069e7e5d35ba5p-1,
     0x1.588e5aa2f5378p-1, 0x1.e647c0e02135ap-1},
    {0x1.d4232133444adp-2, -0x1.c74e53df13c4ep-56, 0x1.1d4c4a0000000p+0, -0x1.9c5c017b35ea7p-27,
     0x1.38d01dc2f8d6ap-2, 0x1.97b71d9cb8fdcp-2, 0x1.98e6b374cb3c0p-2, 0x1.0eda53d9d808bp-1,
     0x1.6628656cb22bap-1, 0x1.fcc910d1d1429p-1},
    {0x1.d8998cc3e6049p-2, 0x1.885cf38c7579ep-56, 0x1.1de9e58000000p+0, -0x1.fe1dfbcae3f1ap-27,
     0x1.3da0edd75f233p-2, 0x1.9e3019fbce473p-2, 0x1.a3a5c02eb8827p-2, 0x1.1769a69394475p-1,
     0x1.74642f2a5a903p-1, 0x1.0a40b2785e4bfp+0},
    {0x1.dd127399aabe7p-2, 0x1.d06bac15788a4p-57, 0x1.1e89ee0000000p+0, 0x1.a019c2ad71493p-32,
     0x1.42856a0810706p-2, 0x1.a4d4c00027674p-2, 0x1.aebc17b81c7d8p-2, 0x1.20505b0b27725p-1,
     0x1.834a7b2ea92fap-1, 0x1.16c1ef356ace8p+0},
    {0x1.e18ddf7da106bp-2, -0x1.58029cecb4d7bp-58, 0x1.1f2c6e0000000p+0, 0x1.f1650ff439a63p-30,
     0x1.477e1764a53b6p-2, 0x1.aba673c3a4c6dp-2, 0x1.ba2d38394ad5fp-2, 0x1.29928bf012631p-1,
     0x1.92e497493946bp-1, 0x1.23f278d2e44a7p+0},
    {0x1.e60bda613a78fp-2, 0x1.c2a7131b3172ep-61, 0x1.1fd16f8000000p+0, 0x1.ad141ce801ea1p-29,
     0x1.4c8b7f3e4bc49p-2, 0x1.b2a6a7ac57a72p-2, 0x1.c5fcca0240d09p-2, 0x1.33348d7c0dfd3p-1,
     0x1.a33c656755e67p-1, 0x1.31dd4032c333ap+0},
    {0x1.ea8c6e5f5e67fp-2, -0x1.6a70e7b5a472cp-56, 0x1.2078fd0000000p+0, 0x1.307478fe133adp-28,
     0x1.51ae2f53ae20fp-2, 0x1.b9d6dd19b71efp-2, 0x1.d22ea1dbccc5bp-2, 0x1.3d3af10a789a7p-1,
     0x1.b45c65f382823p-1, 0x1.408dfb1618a8bp+0},
    {0x1.ef0fa5bd85625p-2, 0x1.7b9360c3b830dp-56, 0x1.2123218000000p+0, -0x1.edc32f7a28969p-28,
     0x1.56e6b9feee197p-2, 0x1.c138a51b63304p-2, 0x1.dec6c37ddefbcp-2, 0x1.47aa88f0652c5p-1,
     0x1.c64fc30404f09p-1, 0x1.5011338438a1dp+0},
    {0x1.f3958aecddef4p-2, -0x1.fc135930a7786p-58, 0x1.21cfe78000000p+0, 0x1.53cc546f9b7afp-29,
     0x1.5c35b665d4687p-2, 0x1.c8cda1320fcb1p-2, 0x1.ebc9642da3280p-2, 0x1.52886c9a5ab93p-1,
     0x1.d9225c6a3ecbep-1, 0x1.607458864a77dp+0},
    {0x1.f81e288b7ae20p-2, -0x1.0803b3e82edbdp-56, 0x1.227f5b0000000p+0, -0x1.0d87f4416f508p-28,
     0x1.619bc0ac52c06p-2, 0x1.d097841b3c74ap-2, 0x1.f93aed86368e2p-2, 0x1.5dd9fcf542a22p-1,
     0x1.ece0d4b6515f0p-1, 0x1.71c5d0576d508p+0},
    {0x1.fca989658baafp-2, -0x1.10e104cee0e3fp-57, 0x1.2331870000000p+0, 0x1.ee60eec6fa1efp-27,
     0x1.67197a297a074p-2, 0x1.d89812a8690c4p-2, 0x1.0390003784022p-1, 0x1.69a4e9287e745p-1,
     0x1.00cc4fa230477p+0, 0x1.84150c2ced4cfp+0},
    {0x1.009bdc3b4f877p-1, -0x1.3064f62367547p-56, 0x1.23e6788000000p+0, -0x1.0c5f54ac6f07dp-29,
     0x1.6caf899f08570p-2, 0x1.e0d124a284d75p-2, 0x1.0abebc2196b67p-1, 0x1.75ef33a7a40bap-1,
     0x1.0bac07b569a74p+0, 0x1.97729dbdb3faep+0},
    {0x1.02e46075785a1p-1, 0x1.d1c9139aa7a36p-56, 0x1.249e3b0000000p+0, -0x1.b1aba2320d33dp-29,
     0x1.725e9b73b49e3p-2, 0x1.e944a5ba62b0ep-2, 0x1.122c37169efdap-1, 0x1.82bf37a2f1a3ap-1,
     0x1.17173471984fcp+0, 0x1.abf04eb435d2cp+0},
    {0x1.052e571060fd4p-1, -0x1.c950a10cffaf4p-55, 0x1.2558db8000000p+0, -0x1.218aa360a1e15p-27,
     0x1.782761f060332p-2, 0x1.f1f496870c08ep-2, 0x1.19db1e5dc5333p-1, 0x1.901baede2c890p-1,
     0x1.2315f8c4da84dp+0, 0x1.c1a13a3aac364p+0},
    {0x1.0779c5d4df4b8p-1, 0x1.d8e763d34303bp-55, 0x1.2616668000000p+0, 0x1.dee90e6779e93p-27,
     0x1.7e0a958059501p-2, 0x1.fae30d92dc61bp-2, 0x1.21ce41d86e43ep-1, 0x1.9e0bb7f64ddfdp-1,
     0x1.2fb102493e527p+0, 0x1.d899e8d67de28p+0},
    {0x1.09c6b2a636bb7p-1, 0x1.bd43d34640206p-57, 0x1.26d6ea8000000p+0, -0x1.da6dcfba42521p-30,
     0x1.8408f4f4dc466p-2, 0x1.02091c3c3026cp-1, 0x1.2a08960b1fc43p-1, 0x1.ac96dd1f23165p-1,
     0x1.3cf193ab1487ap+0, 0x1.f0f06ecd5f642p+0},
    {0x1.0c152382d7366p-1, -0x1.ee6913347c2a6p-55, 0x1.279a748000000p+0, -0x1.37e671d96f384p-27,
     0x1.8a2345cc04426p-2, 0x1.06c22e8802d6ep-1, 0x1.328d364958a56p-1, 0x1.bbc51b62dcf93p-1,
     0x1.4ae18feda4c2cp+0, 0x1.055e46aa8225bp+1},
};

// Relative error bound of the quick asin for |w| <= 1/2 (below 2^-66.2, see above), with a margin.
constexpr double kQuickAsinError = 0x1p-64;

// f(w) for odd f from its table at i/256, w = wHi + wLo with |wLo| <= 2^-52 |wHi|, as the
// theory of operation describes: f(a) + c1 h + (c2 h^2 + ... + c7 h^7) with w = a + h.
inline DD taylorNear(const TaylorPoint* table, double wHi, double wLo) {
    const double a = std::fabs(wHi);
    const double n = (a * 256.0 + kRoundingShift) - kRoundingShift;
    const TaylorPoint& e = table[static_cast<int>(n)];
    const double h = a - n * 0x1p-8;  // exact: a and n/256 are within 1/512 and a factor 2
    const double hLo = wHi < 0.0 ? -wLo : wLo;
    const double hs = h + hLo;
    const double rest =
        hs * hs * (e.c2 + hs * (e.c3 + hs * (e.c4 + hs * (e.c5 + hs * (e.c6 + hs * e.c7)))));
    const DD hParts = split(h);  // two 26-bit halves: c1Hi (26 bits) times each is exact
    const DD s = fastTwoSum(e.valueHi, e.c1Hi * hParts.hi);  // |f(i/256)| >= |c1 h| unless i = 0
    const double lo =
        ((((e.c1Hi * hParts.lo + e.c1Lo * h) + e.c1Hi * hLo) + e.valueLo) + rest) + s.lo;
    const DD y = fastTwoSum(s.hi, lo);
    return wHi < 0.0 ? negate(y) : y;
}

// Relative error bound of the quick tan (below 2^-65.4, see above), with a margin.
constexpr double kQuickTanError = 0x1p-63;

// tan at i/256, i = 0 .. 201 (pi/4 = 201.06 / 256).
constexpr TaylorPoint kTanTable[] = {
    {0.0, 0.0, 0x1.0000000000000p+0, 0.0, 0.0, 0x1.5555555555555p-2, 0.0, 0x1.1111111111111p-3, 0.0,
     0x1.ba1ba1ba1ba1cp-5},
    {0x1.0000555577778p-8, 0x1.521687a1eedb7p-62, 0x1.0001000000000p+0, 0x1.555616c1d0dd4p-33,
     0x1.0001555677784p-8, 0x1.555aaab238eaep-2, 0x1.55591c7749fa8p-9, 0x1.111a22382da3ap-3,
     0x1.82df86b3760bcp-10, 0x1.ba34d3aace1ccp-5},
    {0x1.00015557777afp-7, -0x1.12eaf386ee6bap-61, 0x1.0004000000000p+0, 0x1.55585b0bfccc4p-29,
     0x1.0005556777a9ep-7, 0x1.556aab23900f3p-2, 0x1.5564721f4b6b0p-8, 0x1.113556b613916p-3,
     0x1.82f59309e283ap-9, 0x1.ba806de039fc7p-5},
    {0x1.80048010336e3p-7, 0x1.ecaad2e6c5004p-61, 0x1.0009000000000p+0, 0x1.b0089b5b8edfdp-27,
     0x1.80120089b6903p-7, 0x1.558557b96a42cp-2, 0x1.0019814ed94b8p-7, 0x1.1162b1a4a190fp-3,
     0x1.2253bf9efaa44p-8, 0x1.bafe7d857205fp-5},
    {0x1.0005557778549p-6, -0x1.4792827ea2e3ep-60, 0x1.0010008000000p+0, 0x1.5585b1ee2b5d1p-27,
     0x1.001556778410cp-6, 0x1.55aab23959261p-2, 0x1.5591cc9fa7924p-7, 0x1.11a2382f8f201p-3,
     0x1.834dcfe944d50p-8, 0x1.bbaf1890881d9p-5},
    {0x1.400a6b12d9739p-6, 0x1.4a19a921c2106p-64, 0x1.0019018000000p+0, 0x1.060dd4f1547fcp-27,
     0x1.4029ae205169fp-6, 0x1.55dabd1ea42ffp-2, 0x1.ab20c9b6dae4bp-7, 0x1.11f3f19553209p-3,
     0x1.e4740c169c59bp-8, 0x1.bc925dc7fa730p-5},
    {0x1.8012010341f4fp-6, 0x1.22272a5bc5679p-60, 0x1.0024038000000p+0, -0x1.fbb215aad5654p-28,
     0x1.8048089c0a807p-6, 0x1.56157b9a911e8p-2, 0x1.006614efecc58p-6, 0x1.1257e7286702ep-3,
     0x1.22e8c6c658c7bp-7, 0x1.bda874ca4ee03p-5},
    {0x1.c01c9785bc7bcp-6, -0x1.5dca4e0840077p-60, 0x1.0031068000000p+0, -0x1.f53d36af56ec7p-27,
     0x1.c07267f1ca8a5p-6, 0x1.565af194c1320p-2, 0x1.2b4cd0d1928e4p-6, 0x1.12ce2450e6cf4p-3,
     0x1.53b8bbaa31356p-7, 0x1.bef18e17df024p-5},
    {0x1.00155777aec08p-5, 0x1.5f48b25fa0262p-59, 0x1.00400a8000000p+0, 0x1.616daa0c8e95fp-27,
     0x1.0055677a9e26bp-5, 0x1.56ab23aba33f1p-2, 0x1.564774b6b539bp-6, 0x1.1356b68e8e73fp-3,
     0x1.84af7c06333e6p-7, 0x1.c06de31ed84f6p-5},
    {0x1.201e63d8a480ap-5, 0x1.1222c14f879d6p-61, 0x1.0051110000000p+0, 0x1.910bff64fc803p-28,
     0x1.2079a0b4767fcp-5, 0x1.57061734faae3p-2, 0x1.8158df1b9fb68p-6, 0x1.13f1ad7b14d65p-3,
     0x1.b5d2a5ef6c837p-7, 0x1.c21db649742a5p-5},
    {0x1.4029b12e5d036p-5, 0x1.d606e3db20fa3p-60, 0x1.00641a0000000p+0, 0x1.06f8900da5214p-28,
     0x1.40a6e2105d36fp-5, 0x1.576bd23e7b7f4p-2, 0x1.ac83f116d5ec4p-6, 0x1.149f1acce53cep-3,
     0x1.e727df3d0ef06p-7, 0x1.c401530e6caffp-5},
    {0x1.60377fd3862bcp-5, 0x1.57c5b5a57dc9dp-59, 0x1.0079260000000p+0, 0x1.571bbb5f26f46p-27,
     0x1.60de2e9230301p-5, 0x1.57dc5b8e7b6c1p-2, 0x1.d7cb8eadcd94fp-6, 0x1.155f125a37be1p-3,
     0x1.0c5a6b4367c35p-6, 0x1.c6190e03b3bd3p-5},
    {0x1.80481036e4452p-5, 0x1.3d85e10c65fcep-60, 0x1.0090360000000p+0, 0x1.13b732dada891p-28,
     0x1.812089e91497bp-5, 0x1.5857baa4b8499p-2, 0x1.01994f951530dp-5, 0x1.1631aa1c89793p-3,
     0x1.253fa212b889bp-6, 0x1.c86544f3726edp-5},
    {0x1.a05ba2dd59647p-5, -0x1.679ac4992a781p-60, 0x1.00a94a8000000p+0, -0x1.bc6d8fe566a79p-31,
     0x1.a16ef880e2c7ap-5, 0x1.58ddf7bb33ca0p-2, 0x1.175e06b7c638cp-5, 0x1.1716fa3475757p-3,
     0x1.3e46759add8ffp-6, 0x1.cae65ef3581f0p-5},
    {0x1.c0727863ee42dp-5, -0x1.b4e57b2e2af0ap-59, 0x1.00c4640000000p+0, 0x1.b11a670f93eecp-27,
     0x1.c1ca7f93a7c7fp-5, 0x1.596f1bc724c65p-2, 0x1.2d35642900242p-5, 0x1.180f1cedef1c0p-3,
     0x1.5771cd4f0f1bfp-6, 0x1.cd9ccc7e40b0ap-5},
    {0x1.e08cd181dcb49p-5, 0x1.1f1e3f975e8d9p-59, 0x1.00e1840000000p+0, 0x1.7c73348f7a50dp-28,
     0x1.e234253b3e731p-5, 0x1.5a0b3079fe39ap-2, 0x1.4320e1768fccfp-5, 0x1.191a2ec4df5abp-3,
     0x1.70c4970ba3c52p-6, 0x1.d08907903ac14p-5},
    {0x1.005577854df01p-4, -0x1.f35b10671bea1p-58, 0x1.0100ab0000000p+0, 0x1.72664660b53a8p-29,
     0x1.0156784181238p-4, 0x1.5ab240428c1c8p-2, 0x1.5921fa7df935bp-5, 0x1.1a384e6a2594fp-3,
     0x1.8a41c79bf3718p-6, 0x1.d3ab93c4f72b3p-5},
    {0x1.106688f7f72b9p-4, -0x1.fcb55985490cdp-58, 0x1.0121da0000000p+0, 0x1.840b83bbd3314p-29,
     0x1.119af4bccefa0p-4, 0x1.5b64564e26523p-2, 0x1.6f3a2d98d01ccp-5, 0x1.1b699cc8fda3ap-3,
     0x1.a3ec5b41f587ap-6, 0x1.d704fe78ac149p-5},
    {0x1.2079bda1f91bap-4, 0x1.5ac87bc418048p-58, 0x1.0145120000000p+0, 0x1.248a00a2050c3p-27,
     0x1.21e80ca17bde2p-4, 0x1.5c217e89f9ddap-2, 0x1.856afbc980864p-5, 0x1.1cae3d0ccc3c3p-3,
     0x1.bdc7563fbcf4ep-6, 0x1.da95deeb76a14p-5},
    {0x1.308f361d99ba9p-4, 0x1.4cbd5df35d928p-58, 0x1.016a548000000p+0, -0x1.eb864c53ddac5p-29,
     0x1.323e45151edf2p-4, 0x1.5ce9c5a46898cp-2, 0x1.9bb5e8e88f491p-5, 0x1.1e0654a75332ep-3,
     0x1.d7d5c562f5471p-6, 0x1.de5ed66747376p-5},
    {0x1.40a71317603a9p-4, 0x1.e341cf23dfe5cp-58, 0x1.0191a20000000p+0, 0x1.cc45a7e81bd6dp-28,
     0x1.429e23da0a248p-4, 0x1.5dbd390e7fab9p-2, 0x1.b21c7bd25acd2p-5, 0x1.1f720b574f268p-3,
     0x1.f21abe9284c5fp-6, 0x1.e2609068652d5p-5},
    {0x1.50c1754f208c2p-4, 0x1.882408c7292d9p-59, 0x1.01bafc8000000p+0, -0x1.9de337fa47332p-28,
     0x1.53082f58742efp-4, 0x1.5e9be6fd85052p-2, 0x1.c8a03e956446cp-5, 0x1.20f18b2f803f6p-3,
     0x1.064cb0af3c19bp-5, 0x1.e69bc2c89799bp-5},
    {0x1.60de7d99082fep-4, -0x1.0b00eb95c6311p-58, 0x1.01e6648000000p+0, 0x1.ac2e98c9d01c0p-28,
     0x1.637ceea7b4474p-4, 0x1.5f85de6c9c1d9p-2, 0x1.df42bea129de5p-5, 0x1.2285009e1fc60p-3,
     0x1.13aa6bc92ed07p-5, 0x1.eb112ded01f18p-5},
    {0x1.70fe4cdeac66dp-4, -0x1.1b411517ec664p-61, 0x1.0213dc0000000p+0, 0x1.99cd09aa878fbp-28,
     0x1.73fce9979332fp-4, 0x1.607b2f1e824adp-2, 0x1.f6058cf59a57dp-5, 0x1.242c9a74c4736p-3,
     0x1.21282ae51a4cap-5, 0x1.efc19cf6c410cp-5},
    {0x1.8121042019d39p-4, 0x1.e53de54163d36p-58, 0x1.0243648000000p+0, -0x1.6aab0fcf257e3p-27,
     0x1.8488a8b9b14b8p-4, 0x1.617be99f62f75p-2, 0x1.06751f29957a3p-4, 0x1.25e889f0b77a2p-3,
     0x1.2ec78e050d627p-5, 0x1.f4ade5f66e469p-5},
    {0x1.9146c474e59f3p-4, -0x1.2c14bd88ab690p-61, 0x1.0274ff0000000p+0, -0x1.c7ce0f942b5bcp-27,
     0x1.9520b56b031a2p-4, 0x1.62881f46c40e5p-2, 0x1.11f935b5cc388p-4, 0x1.27b902c3bc63cp-3,
     0x1.3c8a3b2c6e8b8p-5, 0x1.f9d6ea225b00bp-5},
    {0x1.a16faf0d40347p-4, 0x1.5a68ce2de7e1bp-58, 0x1.02a8ad0000000p+0, 0x1.204e0b764ee8bp-29,
     0x1.a5c599dd659a3p-4, 0x1.639fe2398af52p-2, 0x1.1d8fd889ae190p-4, 0x1.299e3b1d4dfdbp-3,
     0x1.4a71deaecb4b8p-5, 0x1.ff3d961000bbep-5},
    {0x1.b19be53309a58p-4, 0x1.11d0926bdd64cp-59, 0x1.02de708000000p+0, 0x1.e22ffd1f50b89p-27,
     0x1.b677e1214b4ddp-4, 0x1.64c3456c1a6e2p-2, 0x1.2939d839ef6b3p-4, 0x1.2b986bb452af3p-3,
     0x1.58802b8043709p-5, 0x1.027170f827f8fp-4},
    {0x1.c1cb884ae7ce3p-4, -0x1.91f3cfab70c67p-60, 0x1.03164b8000000p+0, 0x1.5e8307c8c1190p-28,
     0x1.c738172f834f7p-4, 0x1.65f25ca489c62p-2, 0x1.34f8079f38d05p-4, 0x1.2da7cfd14ab31p-3,
     0x1.66b6db87a5cafp-5, 0x1.0563e8e798ec2p-4},
    {0x1.d1feb9d55e475p-4, 0x1.d3589cdd18a1ap-58, 0x1.03503f8000000p+0, -0x1.1b8ca99d59741p-27,
     0x1.d806c8f31b93ap-4, 0x1.672d3c7cf5b26p-2, 0x1.40cb3bf00c2a8p-4, 0x1.2fcca558faceep-3,
     0x1.7517aff2548f8p-5, 0x1.0876baeb1ef54p-4},
    {0x1.e2359b6fe83eap-4, 0x1.1322f1cadf7cfp-58, 0x1.038c4e0000000p+0, -0x1.774debd3f38a6p-28,
     0x1.e8e484535f91bp-4, 0x1.6873fa65eb496p-2, 0x1.4cb44cdb16b0bp-4, 0x1.32072cd796451p-3,
     0x1.83a4718a08330p-5, 0x1.0baa75495eb27p-4},
    {0x1.f2704ed61446dp-4, -0x1.1ac2a45c07caep-59, 0x1.03ca790000000p+0, 0x1.1fefd3e2efe72p-27,
     0x1.f9d1d83df48e5p-4, 0x1.69c6aca8ed86dp-2, 0x1.58b414a1f52e0p-4, 0x1.3457a98c6ae09p-3,
     0x1.925ef10c88359p-5, 0x1.0effac9f8a893p-4},
    {0x1.01577af1511a5p-3, -0x1.fba60a478d2b0p-59, 0x1.040ac30000000p+0, 0x1.5ea7f36aa6519p-29,
     0x1.0567aa588a653p-3, 0x1.6b256a6b15ceap-2, 0x1.64cb70346f90bp-4, 0x1.36be6176121d4p-3,
     0x1.a14907857203ep-5, 0x1.1276fc07d7895p-4},
    {0x1.0978d948518e9p-3, -0x1.4e345bde11555p-57, 0x1.044d2d8000000p+0, 0x1.5c84a227f4835p-27,
     0x1.0deec562f56dep-3, 0x1.6c904bafcfe99p-2, 0x1.70fb3f4c310b6p-4, 0x1.393b9d5f2a94fp-3,
     0x1.b06496aa26c9fp-5, 0x1.16110541bfc5bp-4},
    {0x1.119c537e4dc4dp-3, -0x1.86d1b3972f757p-57, 0x1.0491bb0000000p+0, 0x1.3127e0f465c44p-27,
     0x1.167e865d873f0p-3, 0x1.6e07695bb1facp-2, 0x1.7d446489022b3p-4, 0x1.3bcfa8eb9cfddp-3,
     0x1.bfb38937f9d7ep-5, 0x1.19ce70dc204c5p-4},
    {0x1.19c1fab2d3fb6p-3, -0x1.071d32f0e64abp-57, 0x1.04d86d8000000p+0, 0x1.6b119066758fap-27,
     0x1.1f1736ff92161p-3, 0x1.6f8add3770f1cp-2, 0x1.89a7c58d8a68ap-4, 0x1.3e7ad2a6702fcp-3,
     0x1.cf37d354ba01bp-5, 0x1.1dafee61419a5p-4},
    {0x1.21e9e01751d9cp-3, -0x1.8f2e9b85cdb48p-60, 0x1.0521478000000p+0, 0x1.9e556971784f0p-30,
     0x1.27b9219dd06eep-3, 0x1.711ac1f2f2057p-2, 0x1.96264b1c9eda2p-4, 0x1.413d6c102fccdp-3,
     0x1.def372f1b1392p-5, 0x1.21b63484da24bp-4},
    {0x1.2a1414efa91b0p-3, -0x1.fe29e60935febp-59, 0x1.056c4b0000000p+0, 0x1.289e6dcb2eaf4p-29,
     0x1.3064912fd9a39p-3, 0x1.72b7332879c57p-2, 0x1.a2c0e13723d6bp-4, 0x1.4417c9ade9532p-3,
     0x1.eee870313680dp-5, 0x1.25e201541b50cp-4},
    {0x1.3240aa92c57ddp-3, -0x1.d06af58819344p-57, 0x1.05b97a8000000p+0, 0x1.03936556a7896p-27,
     0x1.3919d155aa015p-3, 0x1.74604d5ff95a0p-2, 0x1.af78773a877afp-4, 0x1.470a4318c38a0p-3,
     0x1.ff18ddceef417p-5, 0x1.2a341a67da029p-4},
    {0x1.3a6fb26b34056p-3, -0x1.bb0caa218e6a2p-59, 0x1.0608d90000000p+0, -0x1.b299e24edb63ap-27,
     0x1.41d92e5d3f081p-3, 0x1.76162e127a8cdp-2, 0x1.bc4dffffdb2dep-4, 0x1.4a15330e3466ap-3,
     0x1.07c36cc56f001p-4, 0x1.2ead4d18e4b87p-4},
    {0x1.42a13df7bb968p-3, -0x1.981948de81ac0p-57, 0x1.065a680000000p+0, 0x1.5c8d201f16ee0p-28,
     0x1.4aa2f54848915p-3, 0x1.77d8f3adab3dcp-2, 0x1.c94271fb926a5p-4, 0x1.4d38f780d9b4ep-3,
     0x1.101a464baebb4p-4, 0x1.334e6eb69a05bp-4},
    {0x1.4ad55ecbf6fbbp-3, -0x1.f32b8a1bee604p-57, 0x1.06ae2b0000000p+0, 0x1.479768870994bp-27,
     0x1.537773d1ef9a9p-3, 0x1.79a8bd9788eb8p-2, 0x1.d656c75ded3fap-4, 0x1.5075f1a9f8fd6p-3,
     0x1.18921605140d5p-4, 0x1.38185cbfd3235p-4},
    {0x1.530c2690f05c9p-3, 0x1.7b323bbdd11bcp-57, 0x1.0704248000000p+0, 0x1.d6efff62e53e1p-27,
     0x1.5c56f874b377bp-3, 0x1.7b85ac322cffbp-2, 0x1.e38bfe341528fp-4, 0x1.53cc861bab556p-3,
     0x1.212bfca8469f7p-4, 0x1.3d0bfd1e37384p-4},
    {0x1.5b45a705be341p-3, -0x1.826841e80b7edp-57, 0x1.075c578000000p+0, 0x1.6f41ec8656092p-28,
     0x1.6541d2705e32cp-3, 0x1.7d6fe0dfba933p-2, 0x1.f0e31889f309ep-4, 0x1.573d1cd3b9f55p-3,
     0x1.29e921537b0d8p-4, 0x1.422a3e640cf2ep-4},
    {0x1.6381f20021d08p-3, -0x1.9360ee39e7d86p-58, 0x1.07b6c68000000p+0, 0x1.c889aba393a17p-28,
     0x1.6e3851d010e4bp-3, 0x1.7f677e066e68bp-2, 0x1.fe5d1c8cc552ep-4, 0x1.5ac8214f30a9bp-3,
     0x1.32cab1c9ef20fp-4, 0x1.4774180ca10d3p-4},
    {0x1.6bc1196d276b6p-3, 0x1.bb5113cdf4871p-60, 0x1.0813748000000p+0, 0x1.f85cdcce9b475p-27,
     0x1.773ac77068d68p-3, 0x1.816ca714d1dfcp-2, 0x1.05fd8a573ec02p-3, 0x1.5e6e029eab658p-3,
     0x1.3bd1e2b33227ap-4, 0x1.4cea8abf59619p-4},
    {0x1.74032f51c7e36p-3, 0x1.c407111cded9fp-57, 0x1.0872650000000p+0, 0x1.8fd196b460d66p-30,
     0x1.80498505be3efp-3, 0x1.837f808611acap-2, 0x1.0cdf07e4f6301p-3, 0x1.622f337b6477ep-3,
     0x1.44ffefdc4c73ep-4, 0x1.528ea0958d4c3p-4},
    {0x1.7c4845cb8c264p-3, -0x1.7506b8c92b0a2p-59, 0x1.08d39a8000000p+0, 0x1.cdcecbdd49f8ap-29,
     0x1.8964dd227d760p-3, 0x1.85a02fe67926ap-2, 0x1.13d390a3e2607p-3, 0x1.660c2a5d091f6p-3,
     0x1.4e561c7ad9c4dp-4, 0x1.58616d633d389p-4},
    {0x1.84906f1132568p-3, 0x1.20efcd2f809c3p-60, 0x1.0937188000000p+0, 0x1.14a20f60eaa57p-29,
     0x1.928d233d9b7c1p-3, 0x1.87cedbd81307ep-2, 0x1.1adbb0a23e333p-3, 0x1.6a0561905a72bp-3,
     0x1.57d5b3722b0f4p-4, 0x1.5e640f02c469dp-4},
    {0x1.8cdbbd7354babp-3, 0x1.5489bdeb7b1c9p-58, 0x1.099ce20000000p+0, 0x1.d74fb501e7352p-27,
     0x1.9bc2abb926b7fp-3, 0x1.8a0bac1770804p-2, 0x1.21f7f65b89affp-3, 0x1.6e1b574ea0d3ep-3,
     0x1.6180079a84e10p-4, 0x1.6497ada3a1494p-4},
    {0x1.952a435d12828p-3, 0x1.a5f37e2e25488p-61, 0x1.0a04fb0000000p+0, 0x1.ea8d4d6a6ab17p-34,
     0x1.a505cbe8f4d4cp-3, 0x1.8c56c98097868p-2, 0x1.2928f2cc650b7p-3, 0x1.724e8dd5f8653p-3,
     0x1.6b56740a90634p-4, 0x1.6afd7c1c71d0ap-4},
    {0x1.9d7c1354ba6f9p-3, -0x1.cf1fa5c7be096p-57, 0x1.0a6f668000000p+0, -0x1.afbc5d3a9ea88p-27,
     0x1.ae56da196eadep-3, 0x1.8eb05e14195a8p-2, 0x1.306f3986e75a8p-3, 0x1.769f8b827d394p-3,
     0x1.755a5c6315d3cp-4, 0x1.7196b84042ff1p-4},
    {0x1.a5d13ffc776f5p-3, 0x1.b89182a3a38d7p-57, 0x1.0adc278000000p+0, 0x1.df7ac35cd50fep-28,
     0x1.b7b62d967b3cbp-3, 0x1.911894fc5233cp-2, 0x1.37cb60c7755f3p-3, 0x1.7b0edae85e3e9p-3,
     0x1.7f8d2d1d182aep-4, 0x1.7864ab3753b00p-4},
    {0x1.ae29dc12ff346p-3, -0x1.b45238c88b4e1p-58, 0x1.0b4b428000000p+0, 0x1.8a03269377404p-28,
     0x1.c1241eb28a82dp-3, 0x1.938f9a92d321ep-2, 0x1.3f3e018a1d04bp-3, 0x1.7f9d0aeede2e5p-3,
     0x1.89f05bda6a8bbp-4, 0x1.7f68a9db6ca28p-4},
    {0x1.b685fa7442dc0p-3, 0x1.15e2fa0afabd5p-57, 0x1.0bbcbb0000000p+0, -0x1.36fe589849624p-28,
     0x1.caa106cdc170ap-3, 0x1.96159c65f72cap-2, 0x1.46c7b7a07a42cp-3, 0x1.844aaeec4a11ap-3,
     0x1.948567b8d90cep-4, 0x1.86a41517f10aap-4},
    {0x1.bee5ae1a21b03p-3, 0x1.602107fe39146p-58, 0x1.0c30948000000p+0, -0x1.d3005d905e3b3p-28,
     0x1.d42d405d47cefp-3, 0x1.98aac93ea4caep-2, 0x1.4e6921c82a47cp-3, 0x1.89185ec2ed3ffp-3,
     0x1.9f4dd9a7ff66cp-4, 0x1.8e185a4dcc9fcp-4},
    {0x1.c7490a1d1e12dp-3, 0x1.d2fc0e48d3694p-58, 0x1.0ca6d30000000p+0, -0x1.26b742f46840ep-27,
     0x1.ddc926f2b9398p-3, 0x1.9b4f51263cd29p-2, 0x1.5622e1c1d1f1ep-3, 0x1.8e06b6ff0b080p-3,
     0x1.aa4b44c1e91b4p-4, 0x1.95c6f3bb65c91p-4},
    {0x1.cfb021b514a25p-3, 0x1.33a06b8e2aa00p-57, 0x1.0d1f7a8000000p+0, -0x1.9c943e08540c4p-27,
     0x1.e7751743ba3e3p-3, 0x1.9e03656cb80d4p-2, 0x1.5df59c68bcc7dp-3, 0x1.931658f5e68b8p-3,
     0x1.b57f46a697c0cp-4, 0x1.9db168e8bc4a2p-4},
    {0x1.d81b0839f5a64p-3, -0x1.ceb733107c419p-57, 0x1.0d9a8f0000000p+0, -0x1.d9f135b223ec3p-27,
     0x1.f1316f31b2bd0p-3, 0x1.a0c738aef4a78p-2, 0x1.65e1f9cb19cf7p-3, 0x1.9847eae5e1abfp-3,
     0x1.c0eb87da8d39bp-4, 0x1.a5d94f17dea85p-4},
    {0x1.e089d12480d33p-3, 0x1.ae1f7579b3fd8p-57, 0x1.0e18148000000p+0, -0x1.61663e5c4b8ecp-28,
     0x1.fafe8dd1aeaafp-3, 0x1.a39afedd34bc4p-2, 0x1.6de8a542dbcb1p-3, 0x1.9d9c1817bc426p-3,
     0x1.cc91bc2878d1fp-4, 0x1.ae4049b9e26b7p-4},
    {0x1.e8fc900f0376bp-3, -0x1.b971a98dc7fb0p-57, 0x1.0e980f8000000p+0, -0x1.9ad42be4e8338p-30,
     0x1.026e69ba33318p-2, 0x1.a67eed41cf493p-2, 0x1.760a4d8f42985p-3, 0x1.a3139100fd3b2p-3,
     0x1.d873a3062775fp-4, 0x1.b6e80ae88d5f9p-4},
    {0x1.f17358b619196p-3, -0x1.0aab21163cf59p-57, 0x1.0f1a848000000p+0, -0x1.b28406693b81dp-27,
     0x1.076650d737dbdp-2, 0x1.a9733a8814e39p-2, 0x1.7e47a4ef13993p-3, 0x1.a8af0b678f908p-3,
     0x1.e49307fcd8820p-4, 0x1.bfd253e4e0178p-4},
    {0x1.f9ee3ef96eaa2p-3, -0x1.c70683abde1b8p-58, 0x1.0f9f778000000p+0, -0x1.ba5843aa5ad5ep-27,
     0x1.0c672db04c7f2p-2, 0x1.ac781ec369922p-2, 0x1.86a1613b8745dp-3, 0x1.ae6f42869d860p-3,
     0x1.f0f1c3151a026p-4, 0x1.c900f59ab421fp-4},
    {0x1.0136ab6e44206p-2, 0x1.3a7ac46e45fffp-58, 0x1.1026ed0000000p+0, -0x1.fd5e5c09db0fdp-32,
     0x1.1171326037ad1p-2, 0x1.af8dd376953cap-2, 0x1.8f183c03f2381p-3, 0x1.b454f734b4f0fp-3,
     0x1.fd91b94650a46p-4, 0x1.d275d129a2b1cp-4},
    {0x1.05785a43c4c56p-2, -0x1.9c6bfe7769a3dp-58, 0x1.10b0ea0000000p+0, 0x1.45dd2d4795cc2p-29,
     0x1.168491b078c88p-2, 0x1.b2b4939b4c2e1p-2, 0x1.97acf2aa303aap-3, 0x1.ba60f00b3fc8ep-3,
     0x1.053a6e75088a3p-3, 0x1.dc32d8736ae22p-4},
    {0x1.09bc362400794p-2, 0x1.40b8634043bcbp-56, 0x1.113d730000000p+0, 0x1.3b0ca77c204f3p-27,
     0x1.1ba17f1db85ecp-2, 0x1.b5ec9ba9f1351p-2, 0x1.a060467fd81e0p-3, 0x1.c093f98f5cafdp-3,
     0x1.0bce9719b906ep-3, 0x1.e63a0eb011476p-4},
    {0x1.0e024948dac9fp-2, -0x1.51349a0419593p-58, 0x1.11cc8d0000000p+0, 0x1.4d73d00011b34p-27,
     0x1.20c82edc5020dp-2, 0x1.b93629a192fa3p-2, 0x1.a932fce43f50dp-3, 0x1.c6eee65c23982p-3,
     0x1.12865dd53fff5p-3, 0x1.f08d8907f51f9p-4},
    {0x1.124a9dffbc075p-2, -0x1.fe1d3986fe341p-56, 0x1.125e3d0000000p+0, -0x1.1b04813024dd5p-33,
     0x1.25f8d5dceb2e2p-2, 0x1.bc917d1026335p-2, 0x1.b225df635478bp-3, 0x1.cd728f4e632c9p-3,
     0x1.1962d155fe6a3p-3, 0x1.fb2f6f341a3eep-4},
    {0x1.16953ea9fb257p-2, 0x1.06b03f377d8f0p-59, 0x1.12f2878000000p+0, 0x1.8d9755383af65p-27,
     0x1.2b33a9d13f6c9p-2, 0x1.bffed71afe697p-2, 0x1.bb39bbd558868p-3, 0x1.d41fd3b1e421cp-3,
     0x1.206507f6cc225p-3, 0x1.0310fe1274dc8p-3},
    {0x1.1ae235bd4920fp-2, 0x1.04d71be59e1fbp-56, 0x1.1389728000000p+0, -0x1.b80d665bd9b19p-28,
     0x1.3078e130e0aa0p-2, 0x1.c37e7a878715ap-2, 0x1.c46f647f7e06cp-3, 0x1.daf79970401e4p-3,
     0x1.278e200367617p-3, 0x1.08b3bf57d7299p-3},
    {0x1.1f318dc41deecp-2, 0x1.416ec874dbce6p-56, 0x1.1423028000000p+0, -0x1.4558a6c6cf6e1p-27,
     0x1.35c8b33e2e4c5p-2, 0x1.c710abc43ee94p-2, 0x1.cdc7b03576b34p-3, 0x1.e1facd415a756p-3,
     0x1.2edf3fff4fa0cp-3, 0x1.0e812d218a7f7p-3},
    {0x1.2383515e2701dp-2, 0x1.a622a8757f776p-58, 0x1.14bf3d0000000p+0, -0x1.a793193a33eb4p-28,
     0x1.3b23580b5c58bp-2, 0x1.cab5b0f1f726dp-2, 0x1.d7437a7bf7935p-3, 0x1.e92a62dd89843p-3,
     0x1.365996ef24ef2p-3, 0x1.147a83d17e783p-3},
    {0x1.27d78b40b7704p-2, 0x1.f391de0df335dp-56, 0x1.155e278000000p+0, 0x1.a964e0ee98bb1p-30,
     0x1.4089087f98a20p-2, 0x1.ce6dd1ed59008p-2, 0x1.e0e3a3ac3c448p-3, 0x1.f08755318018ep-3,
     0x1.3dfe5ca4a5de0p-3, 0x1.1aa10ad5f3355p-3},
    {0x1.2c2e463739c2dp-2, 0x1.cb93c32f2fb7ap-59, 0x1.15ffc80000000p+0, -0x1.88a0c23270f9ap-27,
     0x1.45f9fe5c4cf1fp-2, 0x1.d2395858b303ep-2, 0x1.eaa9111892539p-3, 0x1.f812a69406ecfp-3,
     0x1.45ced20d67407p-3, 0x1.20f6150f2982ap-3},
    {0x1.30878d23a3785p-2, -0x1.4da5be0bf5995p-56, 0x1.16a4238000000p+0, -0x1.05325b9e7a287p-28,
     0x1.4b7674427f0a2p-2, 0x1.d6188fa610ac5p-2, 0x1.f494ad31f5e02p-3, 0x1.ffcd60fd96e25p-3,
     0x1.4dcc4184621ecp-3, 0x1.277b01393706cp-3},
    {0x1.34e36afeea48cp-2, -0x1.1fd0a90569f3cp-57, 0x1.174b400000000p+0, 0x1.be28454eb8b17p-27,
     0x1.50fea5b84f5d1p-2, 0x1.da0bc5219e475p-2, 0x1.fea767aec918cp-3, 0x1.03dc4b20f2b03p-2,
     0x1.55f7ff2675799p-3, 0x1.2e313a5a2bd84p-3},
    {0x1.3941ead97b329p-2, -0x1.736dee67c7385p-57, 0x1.17f5240000000p+0, 0x1.40e9247aada21p-28,
     0x1.5692cf2e97688p-2, 0x1.de1347fc5b6b7p-2, 0x1.04711ad9583c3p-2, 0x1.07eab025ba71fp-2,
     0x1.5e536929fabb1p-3, 0x1.351a3834b8ed5p-3},
    {0x1.3da317dbb35d2p-2, -0x1.6c1a67e091f49p-59, 0x1.18a1d50000000p+0, 0x1.fafc687db42c3p-29,
     0x1.5c332e06a89fdp-2, 0x1.e22f69571e54ep-2, 0x1.09a308fbcf039p-2, 0x1.0c1270ac9e48bp-2,
     0x1.66dfe8398d079p-3, 0x1.3c377fbf8917ap-3},
    {0x1.4206fd465adc8p-2, -0x1.1b4ce8080e5e1p-56, 0x1.1951598000000p+0, -0x1.5514c679efa6fp-27,
     0x1.61e000982cdcbp-2, 0x1.e6607c4dea8ffp-2, 0x1.0ee9fe7c0b225p-2, 0x1.1054221f3d306p-2,
     0x1.6f9eefd225060p-3, 0x1.438aa3a180941p-3},
    {0x1.466da6732161ap-2, -0x1.d3131da867feep-58, 0x1.1a03b70000000p+0, 0x1.7231a447865c6p-27,
     0x1.6799863729542p-2, 0x1.eaa6d6039d70ep-2, 0x1.14467e8d5ce01p-2, 0x1.14b05e5262214p-2,
     0x1.7891fea4ac29ep-3, 0x1.4b1544b319ab3p-3},
    {0x1.4ad71ed51ce39p-2, -0x1.b8c42b22fff4bp-56, 0x1.1ab8f50000000p+0, 0x1.08f09f1f75469p-30,
     0x1.6d5fff3a2514ap-2, 0x1.ef02cdadf2ecap-2, 0x1.19b90f6f8f68dp-2, 0x1.1927c3a836be0p-2,
     0x1.81ba9efb2c112p-3, 0x1.52d9128517741p-3},
    {0x1.4f4371f94a4d6p-2, -0x1.2f20f31d1b0bdp-58, 0x1.1b71198000000p+0, -0x1.f0b44e96ffc92p-28,
     0x1.7333ad00741abp-2, 0x1.f374bca1e57eep-2, 0x1.1f423a8603a65p-2, 0x1.1dbaf533ab290p-2,
     0x1.8b1a6721c0209p-3, 0x1.5ad7cbecca7f4p-3},
    {0x1.53b2ab87103e2p-2, -0x1.8f297160606e5p-57, 0x1.1c2c2b0000000p+0, -0x1.05503b322d089p-28,
     0x1.7914d1f8a8117p-2, 0x1.f7fcfe606be23p-2, 0x1.24e28c6f7f3e0p-2, 0x1.226a9add1e837p-2,
     0x1.94b2f9d371351p-3, 0x1.63133f9626092p-3},
    {0x1.5824d740c3e6ep-2, -0x1.d5e92cb3f7792p-56, 0x1.1cea308000000p+0, -0x1.a592753af2903p-31,
     0x1.7f03b1a727dc0p-2, 0x1.fc9bf0a39776bp-2, 0x1.2a9a951eb613ap-2, 0x1.273761885412dp-2,
     0x1.9e8606ab2501ep-3, 0x1.6b8d4c9be74ffp-3},
    {0x1.5c9a01043014bp-2, -0x1.8a3aeeb99c243p-57, 0x1.1dab310000000p+0, -0x1.2ec879d11bc41p-29,
     0x1.850090acef0f9p-2, 0x1.00a8f9b60b274p-1, 0x1.306ae7f394eeep-2, 0x1.2c21fb3bc1878p-2,
     0x1.a8954a98cc88dp-3, 0x1.7447e32613cd1p-3},
    {0x1.611234cb1e73dp-2, 0x1.f2dc65b5db120p-56, 0x1.1e6f338000000p+0, -0x1.1c5e91190e392p-28,
     0x1.8b0bb4ce768c8p-2, 0x1.030fb4878df98p-1, 0x1.36541bd554231p-2, 0x1.312b1f4943668p-2,
     0x1.b2e2905aff07ep-3, 0x1.7d45050f165dfp-3},
    {0x1.658d7eabe319ep-2, -0x1.6b4f98a342f61p-56, 0x1.1f363f0000000p+0, 0x1.802f6bec5bf01p-28,
     0x1.912564fac76fdp-2, 0x1.05825b225a085p-1, 0x1.3c56cb4d59574p-2, 0x1.36538a784520ap-2,
     0x1.bd6fb0fd30ba0p-3, 0x1.8686c68fc6e22p-3},
    {0x1.6a0bead9ea64cp-2, -0x1.d636b832182f8p-61, 0x1.20005b8000000p+0, -0x1.a0d776e97f2dbp-27,
     0x1.974de952b99f8p-2, 0x1.0801211b4129bp-1, 0x1.427394a2efd60p-2, 0x1.3b9bff316af69p-2,
     0x1.c83e945ab6e7ep-3, 0x1.900f4ef2ab782p-3},
    {0x1.6e8d85a6493e1p-2, -0x1.80e8ea578b238p-56, 0x1.20cd8f8000000p+0, 0x1.8fe1811c087f4p-30,
     0x1.9d858b305f3f0p-2, 0x1.0a8c3b47796fbp-1, 0x1.48ab19f7df116p-2, 0x1.410545abcc5c3p-2,
     0x1.d35131a6ccfbcp-3, 0x1.99e0d94ec658cp-3},
    {0x1.73125b804fd02p-2, -0x1.83135d98dfabep-56, 0x1.219de38000000p+0, -0x1.7919eb227626dp-28,
     0x1.a3cc952e9e61cp-2, 0x1.0d23dfc46f768p-1, 0x1.4efe0165e7540p-2, 0x1.46902c1bce30ep-2,
     0x1.dea98ff9d09f0p-3, 0x1.a3fdb54a47589p-3},
    {0x1.779a78f61ebd5p-2, -0x1.f6b39691799f1p-56, 0x1.22715e8000000p+0, 0x1.cb67a9974427ap-27,
     0x1.aa235330fa5ebp-2, 0x1.0fc845ffd4989p-1, 0x1.556cf51d2ce5cp-2, 0x1.4c3d86e3acc43p-2,
     0x1.ea49c6e3ed586p-3, 0x1.ae6847e57c545p-3},
    {0x1.7c25eab53ee84p-2, -0x1.99d93ac3d79dfp-60, 0x1.2348098000000p+0, -0x1.983daa7cbb34bp-28,
     0x1.b08a126b8e316p-2, 0x1.1279a6bfeaef1p-1, 0x1.5bf8a3839a3ccp-2, 0x1.520e30c5c64ebp-2,
     0x1.f633ff0572aedp-3, 0x1.b9230c4e6043bp-3},
    {0x1.80b4bd8b3bdd9p-2, 0x1.5a80279094351p-59, 0x1.2421eb8000000p+0, 0x1.e65dde1dd360cp-31,
     0x1.b701216b39616p-2, 0x1.15383c2c1114fp-1, 0x1.62a1bf5542281p-2, 0x1.58030b18b7395p-2,
     0x1.0135395689426p-2, 0x1.c43094bd2d5e9p-3},
    {0x1.8546fe6640eedp-2, 0x1.668778014787bp-56, 0x1.24ff0d8000000p+0, -0x1.9690f7cb45892p-27,
     0x1.bd88d01e00f47p-2, 0x1.180441d58fb60p-1, 0x1.6968ffc5cb392p-2, 0x1.5e1cfdfd5a4cbp-2,
     0x1.0777b73e24177p-2, 0x1.cf938b5a5bb03p-3},
    {0x1.89dcba55b9103p-2, -0x1.44e7869224429p-56, 0x1.25df770000000p+0, 0x1.35fe953299b9ep-27,
     0x1.c4216fdba5fd0p-2, 0x1.1addf4c0ab060p-1, 0x1.704f20a2ee0fdp-2, 0x1.645cf896bfa6cp-2,
     0x1.0de2a90915debp-2, 0x1.db4eb32e7aa88p-3},
    {0x1.8e75fe8af1893p-2, -0x1.aeacbde680faep-56, 0x1.26c3318000000p+0, 0x1.daaf1f4668ae9p-28,
     0x1.cacb536e73623p-2, 0x1.1dc5936dfa4fep-1, 0x1.7754e278108aep-2, 0x1.6ac3f1442e242p-2,
     0x1.1477485e7c03fp-2, 0x1.e764e91c59b18p-3},
    {0x1.9312d859bf8b0p-2, -0x1.de9ddeb7d4180p-57, 0x1.27aa458000000p+0, -0x1.724b79e789091p-28,
     0x1.d186cf1c448d8p-2, 0x1.20bb5de407e05p-1, 0x1.7e7b0ab308438p-2, 0x1.7152e5dd43c3dp-2,
     0x1.1b36d91946a53p-2, 0x1.f3d924e5f992dp-3},
    {0x1.97b3553928bdap-2, 0x1.0c27b1cb6b492p-56, 0x1.2894bb8000000p+0, -0x1.63f62704e8b13p-28,
     0x1.d85438afc6b6fp-2, 0x1.23bf95b93ba61p-1, 0x1.85c263ca0f25ap-2, 0x1.780adbf04a6d9p-2,
     0x1.2222a9a81ec76p-2, 0x1.00573d1e633efp-2},
    {0x1.9c5782c40ed6ep-2, 0x1.59de2842977fcp-56, 0x1.29829c8000000p+0, 0x1.6899e8bed6f9cp-27,
     0x1.df33e781f6969p-2, 0x1.26d27e1e12f69p-1, 0x1.8d2bbd62f560fp-2, 0x1.7eece102d770dp-2,
     0x1.293c137119d85p-2, 0x1.06f40ceed07f6p-2},
    {0x1.a0ff6eb9de4dep-2, 0x1.0b3f4ef78100ap-58, 0x1.2a73f28000000p+0, -0x1.462755c37722dp-28,
     0x1.e6263483dc530p-2, 0x1.29f45be7a7fdbp-1, 0x1.94b7ec7b9c624p-2, 0x1.85fa0ad4cd09ap-2,
     0x1.30847b3964c5ep-2, 0x1.0dc4a95ca1658p-2},
    {0x1.a5ab26ff403edp-2, -0x1.522f5c7d91fa7p-59, 0x1.2b68c60000000p+0, 0x1.61507e5ee1121p-29,
     0x1.ed2b7a4887919p-2, 0x1.2d25759a8b767p-1, 0x1.9c67cb93c6fc8p-2, 0x1.8d3377a5d63d8p-2,
     0x1.37fd519112ee9p-2, 0x1.14cac994c9bd9p-2},
    {0x1.aa5ab99ecf92dp-2, 0x1.f4da0c3eb5771p-57, 0x1.2c61210000000p+0, 0x1.eb95158709e39p-28,
     0x1.f444150f4d9f0p-2, 0x1.30661375f3639p-1, 0x1.a43c3ad84b635p-2, 0x1.949a4e7d766fdp-2,
     0x1.3fa813433f3f6p-2, 0x1.1c08351a445a4p-2},
    {0x1.af0e34c9d1807p-2, -0x1.d0bddceaa69d4p-56, 0x1.2d5d0d8000000p+0, -0x1.769f9c191136ep-28,
     0x1.fb7062ce4bb5ap-2, 0x1.33b67f7f41995p-1, 0x1.ac36204fb41bbp-2, 0x1.9c2fbf75c72d7p-2,
     0x1.478649cab003cp-2, 0x1.237ec46e9a956p-2},
    {0x1.b3c5a6d8f1796p-2, 0x1.2a5ed818d74d4p-56, 0x1.2e5c950000000p+0, -0x1.30425ddf08a56p-27,
     0x1.0158619e97bd3p-1, 0x1.3717058de5028p-1, 0x1.b45668085d8e8p-2, 0x1.a3f50408ffd47p-2,
     0x1.4f998bcb30353p-2, 0x1.2b3061c1d913cp-2},
    {0x1.b8811e4d009c3p-2, -0x1.2f8192327ea6bp-58, 0x1.2f5fc18000000p+0, 0x1.483f49a1a1d9ap-28,
     0x1.0502cbf023ec5p-1, 0x1.3a87f35798aa5p-1, 0x1.bc9e04481e761p-2, 0x1.abeb5f61e3f99p-2,
     0x1.57e37d8fd37fep-2, 0x1.331f09aa4c057p-2},
    {0x1.bd40a9cfb8be4p-2, 0x1.01f92997ba9f9p-58, 0x1.30669e0000000p+0, -0x1.4e7f3a486727fp-28,
     0x1.08b7a209f03cbp-1, 0x1.3e09987d03acfp-1, 0x1.c50dedbd89f2cp-2, 0x1.b4141eaf36b03p-2,
     0x1.6065d18e5cbb8p-2, 0x1.3b4ccbe461b68p-2},
    {0x1.c20458348326bp-2, 0x1.bbe1ebd1bdd9bp-60, 0x1.3171348000000p+0, -0x1.d482e3bd9436cp-28,
     0x1.0c77168bf512ap-1, 0x1.419c4696bd53bp-1, 0x1.cda723b2daae0p-2, 0x1.bc70997a5231ap-2,
     0x1.692248f0013c6p-2, 0x1.43bbcc1b1722cp-2},
    {0x1.c6cc387943101p-2, -0x1.168a008a4f3b9p-57, 0x1.327f8f8000000p+0, 0x1.9c13ca8cb2d10p-27,
     0x1.10415d0df939fp-1, 0x1.45405142b8bd4p-1, 0x1.d66aac4297121p-2, 0x1.c502320104c79p-2,
     0x1.721ab41fc6309p-2, 0x1.4c6e42b957602p-2},
    {0x1.cb9859c724099p-2, -0x1.923f8a8057bf7p-57, 0x1.3391bb0000000p+0, -0x1.b2946771caf59p-27,
     0x1.1416aa25b6a05p-1, 0x1.48f60e321b959p-1, 0x1.df59948dff475p-2, 0x1.cdca5592d5544p-2,
     0x1.7b50f35eb82a8p-2, 0x1.55667dc4bc1c3p-2},
    {0x1.d068cb736c500p-2, 0x1.895af99c04e01p-56, 0x1.34a7c10000000p+0, -0x1.cbd3f2d370f98p-27,
     0x1.17f7336d2938cp-1, 0x1.4cbdd53783819p-1, 0x1.e874f0f556559p-2, 0x1.d6ca7cf1d35d5p-2,
     0x1.84c6f75e40131p-2, 0x1.5ea6e1c223214p-2},
    {0x1.d53d9d0053381p-2, -0x1.95b3890de5b0ep-61, 0x1.35c1ad0000000p+0, 0x1.7635c78b095cap-32,
     0x1.1be32f89095aap-1, 0x1.50980055be07bp-1, 0x1.f1bddd5218801p-2, 0x1.e0042cb7181cbp-2,
     0x1.8e7ec1e0dbfe5p-2, 0x1.6831eaa492dcbp-2},
    {0x1.da16de1ddbc31p-2, 0x1.a0edccbe77631p-56, 0x1.36df8b0000000p+0, 0x1.22ff50031305ep-29,
     0x1.1fdad62f72f85p-1, 0x1.5484ebcef6e20p-1, 0x1.fb357d3331b2cp-2, 0x1.e978f5bb1fc91p-2,
     0x1.987a666185c86p-2, 0x1.720a2cc6ee3f6p-2},
    {0x1.def49eaab37a1p-2, 0x1.1e48c7a265428p-56, 0x1.3801668000000p+0, 0x1.2226fc964479ap-27,
     0x1.23de602ebb183p-1, 0x1.5884f63460ccep-1, 0x1.026e7e0da3cfbp-1, 0x1.f32a75822410fp-2,
     0x1.a2bc0ac214fb6p-2, 0x1.7c3255f0ff06ep-2},
    {0x1.e3d6eeb515a94p-2, -0x1.bfb2d1d9ba62fp-57, 0x1.39274c0000000p+0, -0x1.665d76fd31a17p-27,
     0x1.27ee077475048p-1, 0x1.5c9880765d0f5p-1, 0x1.075ac6e095fd9p-1, 0x1.fd1a56aca29cdp-2,
     0x1.ad45e800ed484p-2, 0x1.86ad2e686498ap-2},
    {0x1.e8bdde7bb318bp-2, -0x1.551b271b41370p-58, 0x1.3a51470000000p+0, -0x1.7b1098569f14ap-27,
     0x1.2c0a0714a8b5bp-1, 0x1.60bfedf526215p-1, 0x1.0c6037294613ap-1, 0x1.03a528b61e311p-1,
     0x1.b81a4af64ed98p-2, 0x1.917d9a0dfd146p-2},
    {0x1.eda97e6e9e5f1p-2, 0x1.10ad8f0c3d16dp-59, 0x1.3b7f640000000p+0, 0x1.2e3a7852e3023p-28,
     0x1.30329b513c070p-1, 0x1.64fba49202012p-1, 0x1.117f715c7a3afp-1, 0x1.08de15fe8e4e5p-1,
     0x1.c33b9519a1fafp-2, 0x1.9ca6998866302p-2},
    {0x1.f299df303cebbp-2, -0x1.925b4a577d0aap-58, 0x1.3cb1b08000000p+0, -0x1.95e45e9436b5bp-27,
     0x1.346801a190537p-1, 0x1.694c0cc100f5fp-1, 0x1.16b91c709f156p-1, 0x1.0e38dd920c342p-1,
     0x1.ceac3d4f1bfb8p-2, 0x1.a82b4b7c3bca9p-2},
    {0x1.f78f11963ce6ap-2, -0x1.a0b36452fa263p-57, 0x1.3de8388000000p+0, -0x1.ddeb40dc4baedp-29,
     0x1.38aa78ba5627ep-1, 0x1.6db1919b4daddp-1, 0x1.1c0de402c0284p-1, 0x1.13b67158dd1d7p-1,
     0x1.da6ed0be1fd89p-2, 0x1.b40eedd2c2fa1p-2},
    {0x1.fc8926aa90063p-2, -0x1.d94cbf8f86866p-56, 0x1.3f23098000000p+0, 0x1.77a9fed611a05p-27,
     0x1.3cfa409598c5ep-1, 0x1.722ca0f213d42p-1, 0x1.217e787cce42ep-1, 0x1.1957cb05376a9p-1,
     0x1.e685f3b0c2286p-2, 0x1.c054df0fb9b4fp-2},
    {0x1.00c417d635bcep-1, 0x1.a42f326a4f815p-56, 0x1.4062318000000p+0, -0x1.f124bbf4d687bp-30,
     0x1.41579a7b03427p-1, 0x1.76bdab6202741p-1, 0x1.270b8f3d40f8ep-1, 0x1.1f1dec5a05e1ep-1,
     0x1.f2f4627cdce53p-2, 0x1.cd009fb70d100p-2},
    {0x1.03461f08a685dp-1, -0x1.71d22a449a2eap-55, 0x1.41a5bd8000000p+0, 0x1.f5c383e256994p-36,
     0x1.45c2c908611cep-1, 0x1.7b6524676fad5p-1, 0x1.2cb5e2c020d9dp-1, 0x1.2509df7475115p-1,
     0x1.ffbcf277252c0p-2, 0x1.da15d3c342843p-2},
    {0x1.05cab1c302cd4p-1, -0x1.d7938b4b51b4dp-55, 0x1.42edbb8000000p+0, 0x1.e94dcc3f88418p-27,
     0x1.4a3c103a5c39ap-1, 0x1.80238273237b1p-1, 0x1.327e32c988a4ep-1, 0x1.2b1cb71869895p-1,
     0x1.067149785d601p-1, 0x1.e798442d6bb55p-2},
    {0x1.0851d8f7e487dp-1, 0x1.f53c3fb2b2a2cp-57, 0x1.443a3a8000000p+0, -0x1.56cf97fd4d689p-28,
     0x1.4ec3b5757a3f6p-1, 0x1.84f93effcf867p-1, 0x1.38654491ac541p-1, 0x1.31578effff190p-1,
     0x1.0d34271fd7987p-1, 0x1.f58be08787e5ap-2},
    {0x1.0adb9db6a1fa0p-1, 0x1.aa7c65faf545ap-56, 0x1.458b480000000p+0, 0x1.3601f1ad2d33cp-29,
     0x1.5359ff8f5b677p-1, 0x1.89e6d6a83a3a3p-1, 0x1.3e6be2f27580ap-1, 0x1.37bb8c2e32b8ap-1,
     0x1.1428a56984703p-1, 0x1.01fa6055214eep-1},
    {0x1.0d68092bdb64ep-1, -0x1.9115b88532a0ap-55, 0x1.46e0f38000000p+0, -0x1.c983debe28bbap-28,
     0x1.57ff36d83ce3bp-1, 0x1.8eecc93e238e1p-1, 0x1.4492de96c54bfp-1, 0x1.3e49dd44da62cp-1,
     0x1.1b50662966720p-1, 0x1.096b933b86132p-1},
    {0x1.0ff724a20ba82p-1, -0x1.23095b3a1f2b6p-56, 0x1.483b4b8000000p+0, 0x1.3654f3399856ap-29,
     0x1.5cb3a524c1121p-1, 0x1.940b99e1ea402p-1, 0x1.4adb0e2b6caffp-1, 0x1.4503bade0fcbap-1,
     0x1.22ad1a6650e77p-1, 0x1.111bbfd7cb251p-1},
    {0x1.1288f9821bed4p-1, 0x1.63d4764a30292p-55, 0x1.499a600000000p+0, -0x1.36dd981d16b66p-27,
     0x1.617795d7ffc95p-1, 0x1.9943cf1af87a3p-1, 0x1.51454e91ecd42p-1, 0x1.4bea67e934a54p-1,
     0x1.2a4082f6d27adp-1, 0x1.190d33f1e7403p-1},
    {0x1.151d9153fa6f6p-1, -0x1.61baf146a7c00p-57, 0x1.4afe400000000p+0, -0x1.6048402c38c4ep-30,
     0x1.664b55ede11f9p-1, 0x1.9e95f2f0ff268p-1, 0x1.57d2831511cb8p-1, 0x1.52ff320bb8f75p-1,
     0x1.320c712509cd6p-1, 0x1.2142553bbf126p-1},
    {0x1.17b4f5bf3474ap-1, 0x1.0c5e59201e209p-55, 0x1.4c66fc0000000p+0, -0x1.baeb81d37ac30p-28,
     0x1.6b2f3405c5225p-1, 0x1.a402930607845p-1, 0x1.5e83959f7af03p-1, 0x1.5a437205ce044p-1,
     0x1.3a12c759b8e7ep-1, 0x1.29bda26064eadp-1},
    {0x1.1a4f308b938f1p-1, 0x1.b7fbecbc98047p-56, 0x1.4dd4a40000000p+0, -0x1.1aff1e26e0324p-27,
     0x1.7023806d7b0e8p-1, 0x1.a98a40b162da5p-1, 0x1.655976f424e88p-1, 0x1.61b88c1b323d3p-1,
     0x1.425579cef0ce5p-1, 0x1.3281b4206d3cbp-1},
    {0x1.1cec4ba1be39fp-1, -0x1.27c1889a1ec0ap-55, 0x1.4f47488000000p+0, -0x1.59960975018b1p-30,
     0x1.75288d2c8aaf2p-1, 0x1.af2d911b8077ap-1, 0x1.6c551ee90a47ap-1, 0x1.695ff08044ed7p-1,
     0x1.4ad68f4ab3265p-1, 0x1.3b913e7c06717p-1},
    {0x1.1f8c510bdbeabp-1, -0x1.e721e0f2491d7p-56, 0x1.50befa8000000p+0, 0x1.42ab7270f5fd1p-27,
     0x1.7a3eae0fd2a18p-1, 0x1.b4ed1d5ab2881p-1, 0x1.73778ca3f0a94p-1, 0x1.713b1bcb92880p-1,
     0x1.539821e1ecc67p-1, 0x1.44ef11eb8c4d1p-1},
    {0x1.222f4af63cacdp-1, 0x1.5ffe451c2abd6p-56, 0x1.523bcb8000000p+0, 0x1.24fbaa39b9de1p-27,
     0x1.7f6638b57e59cp-1, 0x1.bac98290ea9c5p-1, 0x1.7ac1c6d979227p-1, 0x1.794b976c0ce20p-1,
     0x1.5c9c5fc431321p-1, 0x1.4e9e1ca75984ep-1},
    {0x1.24d543b004604p-1, -0x1.880bc03476816p-56, 0x1.53bdcd0000000p+0, 0x1.33ec86e7915e8p-30,
     0x1.849f849956dbep-1, 0x1.c0c3620a77221p-1, 0x1.8234dc0e8be93p-1, 0x1.8192fa242524ap-1,
     0x1.65e58c10a47ebp-1, 0x1.58a16bffa5270p-1},
    {0x1.277e45abd9b2ep-1, -0x1.cf6e2f81355d7p-55, 0x1.5545108000000p+0, 0x1.b56fb524a82ccp-27,
     0x1.89eaeb21713a3p-1, 0x1.c6db615dcb6a3p-1, 0x1.89d1e2dc38273p-1, 0x1.8a12e889ffe52p-1,
     0x1.6f75ffb486e68p-1, 0x1.62fc2dc545182p-1},
    {0x1.2a2a5b8098ef0p-1, -0x1.13f80937a0c02p-55, 0x1.56d1a90000000p+0, 0x1.315e67b67a278p-31,
     0x1.8f48c7ab3e08ep-1, 0x1.cd122a8c5c42ap-1, 0x1.9199fa36220c8p-1, 0x1.92cd158cfe942p-1,
     0x1.79502a53db680p-1, 0x1.6db1b1c43b490p-1},
    {0x1.2cd98fea0ab88p-1, 0x1.bf004c33955cbp-57, 0x1.5863a88000000p+0, 0x1.8ea66f56aac9ap-29,
     0x1.94b97798fd125p-1, 0x1.d3686c249b915p-1, 0x1.998e49b39a685p-1, 0x1.9bc34300dc64cp-1,
     0x1.8376933ca9484p-1, 0x1.78c56b5100645p-1},
    {0x1.2f8bedc99ed3ap-1, -0x1.db2c6e62a40bdp-56, 0x1.59fb228000000p+0, -0x1.41486b56bea85p-27,
     0x1.9a3d5a5f98bb2p-1, 0x1.d9ded9651dd0dp-1, 0x1.a1b001db7c49ap-1, 0x1.a4f7422e9fdbbp-1,
     0x1.8debda655f1e9p-1, 0x1.843af2e98c9e0p-1},
    {0x1.324180272b110p-1, 0x1.f706216c491c0p-55, 0x1.5b982a0000000p+0, -0x1.c01200730152ap-27,
     0x1.9fd4d194eca2ep-1, 0x1.e0762a60f4c02p-1, 0x1.aa005c72ee794p-1, 0x1.ae6af46ba5760p-1,
     0x1.98b2b976e54b5p-1, 0x1.901607eb2e13dp-1},
    {0x1.34fa5231ae7c3p-1, 0x1.c0ab3d5b3eba7p-55, 0x1.5d3ad28000000p+0, 0x1.185e8f18cb6e4p-27,
     0x1.a58040fe7b341p-1, 0x1.e72f1c254b149p-1, 0x1.b2809ccf27fccp-1, 0x1.b8204bb70b413p-1,
     0x1.a3ce04e2f55b2p-1, 0x1.9c5a925e4bddbp-1},
    {0x1.37b66f4018e8ep-1, -0x1.1899339e50c0ep-56, 0x1.5ee3310000000p+0, 0x1.4070076eb9033p-28,
     0x1.ab400ea095f70p-1, 0x1.ee0a70e04d797p-1, 0x1.bb32102a58426p-1, 0x1.c2194b5dc8d5bp-1,
     0x1.af40ad0753ecbp-1, 0x1.a90ca4d945912p-1},
    {0x1.3a75e2d216fe3p-1, -0x1.3bb3cdd02f1e5p-58, 0x1.6091598000000p+0, 0x1.68fad05b2d37ep-27,
     0x1.b114a2cdfca4cp-1, 0x1.f508f0096db09p-1, 0x1.c4160dfbd517dp-1, 0x1.cc5808a5c2f1bp-1,
     0x1.bb0dbf5e933bcp-1, 0x1.b6307e7bb0ac8p-1},
    {0x1.3d38b890e2df1p-1, -0x1.d545741414cc4p-56, 0x1.6245618000000p+0, -0x1.5fa6bf06f943ap-28,
     0x1.b6fe6837f71a8p-1, 0x1.fc2b668b0d314p-1, 0x1.cd2df853b224ap-1, 0x1.d6deab802df10p-1,
     0x1.c73867bf0d7c5p-1, 0x1.c3ca8d0348270p-1},
    {0x1.3ffefc50198f5p-1, 0x1.a658cb23ba329p-55, 0x1.63ff5d8000000p+0, 0x1.928ea77b48985p-27,
     0x1.bcfdcbfeee79ap-1, 0x1.01b95376ce9b5p+0, 0x1.d67b3c39e74b9p-1, 0x1.e1af6f4396951p-1,
     0x1.d3c3f1a8cfc7ap-1, 0x1.d1df6efbf6595p-1},
    {0x1.42c8ba0e9537ap-1, -0x1.1817d3747956ap-56, 0x1.65bf648000000p+0, -0x1.20253b7ce2519p-27,
     0x1.c3133dc389ea3p-1, 0x1.056fc4c221630p+0, 0x1.dfff52112d160p-1, 0x1.eccca36ded05dp-1,
     0x1.e0b3c9a3387c7p-1, 0x1.e073f60c76aadp-1},
    {0x1.4595fdf74c696p-1, -0x1.97ba7956b28e5p-57, 0x1.67858b8000000p+0, 0x1.6f0baa7092e95p-27,
     0x1.c93f2fb853a26p-1, 0x1.0939764d86eb6p+0, 0x1.e9bbbdfdb8247p-1, 0x1.f838ac6ef2a1cp-1,
     0x1.ee0b7eab16b1cp-1, 0x1.ef8d296122fcdp-1},
    {0x1.4866d46236872p-1, -0x1.a43cbe9fb246ep-57, 0x1.6951ea8000000p+0, -0x1.d9973dfa2c54cp-28,
     0x1.cf8216b3eb03ap-1, 0x1.0d16da5369b6bp+0, 0x1.f3b2104ffe8cfp-1, 0x1.01fb023db814cp+0,
     0x1.fbcec3b223b94p-1, 0x1.ff30483698c9cp-1},
    {0x1.4b3b49d53574dp-1, -0x1.b407a46e33159p-56, 0x1.6b24978000000p+0, 0x1.50eb9bedeba57p-27,
     0x1.d5dc6a43c8cf1p-1, 0x1.1108663b5d95ap+0, 0x1.fde3e5f3b41b5p-1, 0x1.08039e34cf865p+0,
     0x1.0500b8985dde0p+0, 0x1.07b16642fdb7fp+0},
    {0x1.4e136b0504b5fp-1, -0x1.cfa9c233bbb31p-56, 0x1.6cfdab0000000p+0, 0x1.744f8d33ad367p-27,
     0x1.dc4ea4bf9aa5ap-1, 0x1.150e92b3c8c4ap+0, 0x1.0429747196441p+0, 0x1.0e377e4b9b0fcp+0,
     0x1.0c53c365639f0p+0, 0x1.101536ea5a218p+0},
    {0x1.50ef44d62e204p-1, 0x1.2398590276273p-55, 0x1.6edd3d0000000p+0, 0x1.4f4e053fa030cp-28,
     0x1.e2d9435d3b3bbp-1, 0x1.1929dbcc785dbp+0, 0x1.0980684faa7e2p+0, 0x1.149802ecc7eccp+0,
     0x1.13e296846a706p+0, 0x1.18c69214d6f03p+0},
    {0x1.53cee45e044b0p-1, 0x1.0037473ae19b1p-55, 0x1.70c3660000000p+0, 0x1.54994be060525p-32,
     0x1.e97cc6454ce0dp-1, 0x1.1d5ac112297e8p+0, 0x1.0ef7b1563c4adp+0, 0x1.1b26993c332dap+0,
     0x1.1baf5b933888cp+0, 0x1.21c89595137dcp+0},
    {0x1.56b256e3a2e39p-1, 0x1.4ff493b6e992fp-57, 0x1.72b03f0000000p+0, 0x1.94a511224b861p-28,
     0x1.f039b0a87c358p-1, 0x1.21a1c5ab10effp+0, 0x1.1490398a030e8p+0, 0x1.21e4bb99d400ep+0,
     0x1.23bc527b6c45dp+0, 0x1.2b1e82b02cca2p+0},
    {0x1.5999a9e0f5129p-1, -0x1.ebf504ca1c5d4p-56, 0x1.74a3e20000000p+0, 0x1.cd42bb72fdb3bp-30,
     0x1.f71088d57122dp-1, 0x1.25ff70746b897p+0, 0x1.1a4af275c7df1p+0, 0x1.28d3f22a77130p+0,
     0x1.2c0bd270995b3p+0, 0x1.34cbbfd72b2e4p+0},
    {0x1.5c84eb03c21cep-1, 0x1.a894000c74f17p-56, 0x1.769e690000000p+0, -0x1.52942c3838cb5p-31,
     0x1.fe01d84f746a2p-1, 0x1.2a744c2121feap+0, 0x1.2028d570a028cp+0, 0x1.2ff5d36693744p+0,
     0x1.34a04afac9035p+0, 0x1.3ed3da77cc988p+0},
    {0x1.5f74282ec06e5p-1, -0x1.1a30913359945p-55, 0x1.789fee8000000p+0, 0x1.c948b6f7d2d88p-27,
     0x1.028715f2e8308p+0, 0x1.2f00e7598b41dp+0, 0x1.262ae3e7025abp+0, 0x1.374c04af854abp+0,
     0x1.3d7c450e055c5p+0, 0x1.493a88e601898p+0},
    {0x1.62676f7aaf3bep-1, -0x1.738e704972aa9p-55, 0x1.7aa88e8000000p+0, 0x1.a31e6285ca089p-30,
     0x1.061b09e5f9da5p+0, 0x1.33a5d4dc59228p+0, 0x1.2c5227a6d55cdp+0, 0x1.3ed83aeb7ea40p+0,
     0x1.46a2642fa1be0p+0, 0x1.5403ac5f8818ep+0},
    {0x1.655ecf3776ef1p-1, -0x1.a80657cbfeeb6p-55, 0x1.7cb8648000000p+0, -0x1.e4f3a673e9827p-27,
     0x1.09bd11d92eaabp+0, 0x1.3863aba0bb596p+0, 0x1.329fb32e9d310p+0, 0x1.469c3b288303ep+0,
     0x1.501567a9fc151p+0, 0x1.5f33532b26bf3p+0},
    {0x1.685a55ed508b0p-1, 0x1.3ab0e7445b441p-59, 0x1.7ecf8c8000000p+0, -0x1.d01713e7afed9p-28,
     0x1.0d6d79702c7c6p+0, 0x1.3d3b06f9c5bc5p+0, 0x1.3914a1ffe8d18p+0, 0x1.4e99db46c6d3bp+0,
     0x1.59d82bcf7e2c1p+0, 0x1.6acdbad52091ep+0},
    {0x1.6b5a125df43fap-1, -0x1.daaefef2bf829p-55, 0x1.80ee240000000p+0, -0x1.c50f947de8bbbp-29,
     0x1.112c8e2749f4ep+0, 0x1.422c86bb26eb4p+0, 0x1.3fb218f52728ep+0, 0x1.56d302aad0a53p+0,
     0x1.63edab4db1590p+0, 0x1.76d7528a9629fp+0},
    {0x1.6e5e1385cf5f5p-1, -0x1.dfaa72a792e05p-56, 0x1.8314488000000p+0, 0x1.93d2d7aaf8bc4p-28,
     0x1.14fa9f61491b1p+0, 0x1.4738cf5f3d615p+0, 0x1.4679469b0ae22p+0, 0x1.5f49aaf7bf4b9p+0,
     0x1.6e5900914349ep+0, 0x1.8354bd95a1a81p+0},
    {0x1.7166689d41ef0p-1, -0x1.f44ffce65ed2bp-55, 0x1.8542188000000p+0, 0x1.19c0473021494p-27,
     0x1.18d7fe75864cep+0, 0x1.4c608a2e9977bp+0, 0x1.4d6b638da6cb8p+0, 0x1.67ffe0d21d2f6p+0,
     0x1.791d673be7b56p+0, 0x1.904ad5fc195bfp+0},
    {0x1.74732119e4083p-1, 0x1.8aa07cee146f4p-64, 0x1.8777b30000000p+0, -0x1.7fef696cdd975p-32,
     0x1.1cc4febe9ff10p+0, 0x1.51a46568fb944p+0, 0x1.5489b2d96e9f6p+0, 0x1.70f7c4abaeef6p+0,
     0x1.843e3dad108fbp+0, 0x1.9dbeaf430399fp+0},
    {0x1.77844cafd348cp-1, 0x1.004393bf9e111p-55, 0x1.89b5378000000p+0, -0x1.eb6d6c210a0d8p-27,
     0x1.20c1f5a99b719p+0, 0x1.5705146fde703p+0, 0x1.5bd582604a3adp+0, 0x1.7a338b98b1671p+0,
     0x1.8fbf069e85211p+0, 0x1.abb59958e7682p+0},
    {0x1.7a99fb53088c1p-1, -0x1.b66e4f0379e91p-57, 0x1.8bfac58000000p+0, 0x1.9f2a737e970aap-27,
     0x1.24cf3ac58c3bfp+0, 0x1.5c834ff29e20ap+0, 0x1.63502b42eb9eap+0, 0x1.83b5802f0194bp+0,
     0x1.9ba36ad5f0071p+0, 0x1.ba3523a9490a1p+0},
    {0x1.7db43d38b62cap-1, 0x1.489d3c731da14p-55, 0x1.8e487f8000000p+0, -0x1.be16b5b49b773p-27,
     0x1.28ed27d3c1b74p+0, 0x1.621fd61c4d515p+0, 0x1.6afb124e9a8cap+0, 0x1.8d80036faf998p+0,
     0x1.a7ef3aec8cd5cp+0, 0x1.c943205bc73c3p+0},
    {0x1.80d322d8af0f3p-1, -0x1.0a28caf92d96fp-55, 0x1.909e858000000p+0, 0x1.590638b8e088fp-27,
     0x1.2d1c18d881562p+0, 0x1.67db6ac34af12p+0, 0x1.72d7a86fab29dp+0, 0x1.97958dbb8537ep+0,
     0x1.b4a6712e2fcbap+0, 0x1.d8e5a7c1764a3p+0},
    {0x1.83f6bceed6b93p-1, -0x1.dd6470b323227p-56, 0x1.92fcfb8000000p+0, -0x1.ec78af9c2371dp-27,
     0x1.315c6c2c5221dp+0, 0x1.6db6d79aab6cbp+0, 0x1.7ae76b28d7cc5p+0, 0x1.a1f8afd30fcabp+0,
     0x1.c1cd3390f4eb8p+0, 0x1.e9231bf34153ep+0},
    {0x1.871f1c7c9ab93p-1, -0x1.b9482098462efp-55, 0x1.9564030000000p+0, 0x1.9913f525cd9a3p-27,
     0x1.35ae828ddf579p+0, 0x1.73b2ec6589782p+0, 0x1.832be50fb8fefp+0, 0x1.acac13e2c5bb5p+0,
     0x1.cf67d5c6f7ebep+0, 0x1.fa022ca448304p+0},
    {0x1.8a4c52ca75a77p-1, 0x1.4d66e6bea4d61p-55, 0x1.97d3c18000000p+0, -0x1.9e2b717130ef1p-28,
     0x1.3a12bf3477ed6p+0, 0x1.79d07f2c535cap+0, 0x1.8ba6ae4e99d12p+0, 0x1.b7b27e9be805ep+0,
     0x1.dd7adb6b8bcfbp+0, 0x1.05c4ed95b0d9ap+1},
    {0x1.8d7e71697c09dp-1, 0x1.a534b38728d4ap-60, 0x1.9a4c5a8000000p+0, 0x1.a80656a31f33cp-29,
     0x1.3e8987e331153p+0, 0x1.80106c742abbbp+0, 0x1.94596d2be9c40p+0, 0x1.c30ed05ac9659p+0,
     0x1.ec0afa4d7fcd3p+0, 0x1.0ee0bf638f6dap+1},
    {0x1.90b58a34f3665p-1, 0x1.1b5a65f331655p-55, 0x1.9ccdf40000000p+0, 0x1.44643a2fced17p-27,
     0x1.431344fcb2175p+0, 0x1.867397786dc7ap+0, 0x1.9d45d697910d4p+0, 0x1.cec4065b2e5f6p+0,
     0x1.fb1d1cd8176e7p+0, 0x1.1858648ff1ef0p+1},
    {0x1.93f1af53f3d4ep-1, 0x1.f7f9be615a1d2p-55, 0x1.9f58b48000000p+0, 0x1.6f2eaa5e64f0bp-29,
     0x1.47b06197b024cp+0, 0x1.8cfaea6682097p+0, 0x1.a66daebe6f802p+0, 0x1.dad53bfb838fdp+0,
     0x1.055b324e3adf7p+1, 0x1.222fe585f43cep+1},
    {0x1.9732f33b14612p-1, 0x1.c2d4507fd437ap-57, 0x1.a1ecc30000000p+0, -0x1.d8ec17e98a114p-28,
     0x1.4c614b94210bbp+0, 0x1.93a7569bf9f61p+0, 0x1.afd2c9a4523c6p+0, 0x1.e745ac0fb2720p+0,
     0x1.0d6e167eab77fp+1, 0x1.2c6b7ccc98ccap+1},
    {0x1.9a7968ae22917p-1, 0x1.e1030beb4a0ddp-57, 0x1.a48a470000000p+0, 0x1.c3cc49019726cp-27,
     0x1.512673b12c05ep+0, 0x1.9a79d4e72fccap+0, 0x1.b9770bc4b048ap+0, 0x1.f418b2446852ep+0,
     0x1.15ca06ff88a6dp+1, 0x1.370f99b0edd16p+1},
    {0x1.9dc522c1e56b5p-1, -0x1.ee4c9de1be6b1p-59, 0x1.a7316a8000000p+0, -0x1.7bd412cf438efp-31,
     0x1.56004da3e029dp+0, 0x1.a17365ca7180cp+0, 0x1.c35c6aba827b9p+0, 0x1.00a8e649d7aa2p+1,
     0x1.1e71ef9efae0fp+1, 0x1.4220e317ab7cap+1},
    {0x1.a11634ddec4f5p-1, -0x1.d608cffd6a6dfp-56, 0x1.a9e2568000000p+0, 0x1.40e74ee564f88p-29,
     0x1.5aef502eb85e1p+0, 0x1.a89511c1dacefp+0, 0x1.cd84edef8f9afp+0, 0x1.077a4e65e32cap+1,
     0x1.2768dd86a4cfap+1, 0x1.4da43a78c3dd8p+1},
    {0x1.a46cb2be6a0b2p-1, -0x1.29a64ecb1df2ep-56, 0x1.ac9d360000000p+0, 0x1.5032d697b1800p-27,
     0x1.5ff3f539f5057p+0, 0x1.afdfe98bfc04bp+0, 0x1.d7f2af538a563p+0, 0x1.0e827514993cdp+1,
     0x1.30b200e09b975p+1, 0x1.599ebf078780ap+1},
    {0x1.a7c8b0761c830p-1, 0x1.81609fd9f79a2p-55, 0x1.af62350000000p+0, 0x1.ea11a0a148487p-28,
     0x1.650eb9ecd3fa8p+0, 0x1.b75506756d880p+0, 0x1.e2a7dc1b63cd7p+0, 0x1.15c35182899e4p+1,
     0x1.3a50ae931c4fcp+1, 0x1.6615d10a2fa1ap+1},
    {0x1.ab2a427041578p-1, 0x1.47f6dc014a039p-57, 0x1.b231800000000p+0, 0x1.38b01ad9cdb21p-27,
     0x1.6a401ec7afd33p+0, 0x1.bef58aa771bebp+0, 0x1.eda6b5893aaa6p+0, 0x1.1d3eef4c69335p+1,
     0x1.4448621454dd0p+1, 0x1.730f1563cfbf0p+1},
    {0x1.ae917d7297efbp-1, 0x1.1313c8e129b98p-55, 0x1.b50b450000000p+0, 0x1.c4fb27ae65a09p-30,
     0x1.6f88a7bf0fcaep+0, 0x1.c6c2a179c8a0ap+0, 0x1.f8f191bd54755p+0, 0x1.24f76f6c2c5cbp+1,
     0x1.4e9cbf57ac1c7p+1, 0x1.80907953e4f36p+1},
    {0x1.b1fe769f7154ep-1, 0x1.32aa55fd9947dp-56, 0x1.b7efb28000000p+0, 0x1.b7c5eb50a21eap-29,
     0x1.74e8dc57b2206p+0, 0x1.cebd7fc7da041p+0, 0x1.02456e484a651p+1, 0x1.2cef093201492p+1,
     0x1.595194d60c973p+1, 0x1.8ea0366ef1df6p+1},
    {0x1.b5714377ce4f1p-1, 0x1.774574ac96ebdp-55, 0x1.badef88000000p+0, 0x1.ce9f984213cbbp-28,
     0x1.7a6147c39b249p+0, 0x1.d6e764495d8c2p+0, 0x1.083a8c3c7633bp+1, 0x1.35280b49d10d2p+1,
     0x1.646addb2cdc4fp+1, 0x1.9d44d6d3d280ep+1},
    {0x1.b8e9f9dd8c374p-1, -0x1.33dbd3fadfaccp-55, 0x1.bdd9480000000p+0, 0x1.84b64fa4ff0a2p-27,
     0x1.7ff2790033b10p+0, 0x1.df4197eea9192p+0, 0x1.0e596fbc20634p+1, 0x1.3da4dccdf84edp+1,
     0x1.6fecc3fef27b8p+1, 0x1.ac8539a1b45b3p+1},
    {0x1.bc68b015a0f73p-1, -0x1.b0ad35e160fecp-56, 0x1.c0ded38000000p+0, -0x1.95bbd854f7168p-28,
     0x1.859d02f582385p+0, 0x1.e7cd6e40d0a8fp+0, 0x1.14a3720b2a04ap+1, 0x1.4667fe67f2f0bp+1,
     0x1.7bdba31c8f8e1p+1, 0x1.bc6897b2e52ffp+1},
    {0x1.bfed7cca66b49p-1, 0x1.8d237cd4d9245p-55, 0x1.c3efcd8000000p+0, 0x1.b1e41826ed4bbp-30,
     0x1.8b617c968a28dp+0, 0x1.f08c45c5c4c59p+0, 0x1.1b19f9331e48cp+1, 0x1.4f740b7fc16ffp+1,
     0x1.883c0a444c044p+1, 0x1.ccf688a0f599cp+1},
    {0x1.c378770df7a83p-1, 0x1.fbf85ebbfbbacp-56, 0x1.c70c6b0000000p+0, 0x1.5858868e6e4d5p-29,
     0x1.91408102dde33p+0, 0x1.f97f88689eec4p+0, 0x1.21be788c01cbep+1, 0x1.58cbbb7adab54p+1,
     0x1.9512bf2f0cd33p+1, 0x1.de370816fd871p+1},
    {0x1.c709b65c9aa7bp-1, 0x1.93ec21dbe5824p-55, 0x1.ca34e18000000p+0, 0x1.370455ae8028ap-27,
     0x1.973aafa970191p+0, 0x1.015455f326e2fp+1, 0x1.2892714b85489p+1, 0x1.6271e30b89e91p+1,
     0x1.a264c0e600d30p+1, 0x1.f0327b7727572p+1},
    {0x1.caa1529f40ed9p-1, 0x1.a813846064b90p-55, 0x1.cd69688000000p+0, -0x1.6a49679b120dep-27,
     0x1.9d50ac6cb201bp+0, 0x1.0604991f6acd0p+1, 0x1.2f97731af0188p+1, 0x1.6c697591a587ep+1,
     0x1.b0374abb66edap+1, 0x1.0178dbec81d53p+2},
    {0x1.ce3f642e15af6p-1, -0x1.98cfacf28c6b2p-55, 0x1.d0aa378000000p+0, -0x1.6e67b0c606a0ap-27,
     0x1.a3831fc80c726p+0, 0x1.0ad15515ae0ecp+1, 0x1.36cf1cb41bb1dp+1, 0x1.76b5868d9b841p+1,
     0x1.be8fd76e906d2p+1, 0x1.0b3f0433462f0p+2},
    {0x1.d1e403d320183p-1, -0x1.da728ea998b0dp-55, 0x1.d3f7880000000p+0, 0x1.f7956f1eb0ef6p-27,
     0x1.a9d2b6f6c2939p+0, 0x1.0fbb57cc9ccc3p+1, 0x1.3e3b1c85de5edp+1, 0x1.81594b26ddcf0p+1,
     0x1.cd74247dcc145p+1, 0x1.15709a8f149cfp+2},
    {0x1.d58f4accf8435p-1, 0x1.c2d4fce764957p-57, 0x1.d751960000000p+0, 0x1.1eb1fca1b2fd9p-28,
     0x1.b040241c4d9dbp+0, 0x1.14c376152634dp+1, 0x1.45dd316048d1ap+1, 0x1.8c581bc6cb353p+1,
     0x1.dcea35a9147dcp+1, 0x1.2012c5003e996p+2},
    {0x1.d94152d18fd82p-1, 0x1.e7e2d96921a81p-56, 0x1.dab89d0000000p+0, 0x1.6b1d8557953d8p-27,
     0x1.b6cc1e6e41c34p+0, 0x1.19ea8bdd678f9p+1, 0x1.4db72b291feb9p+1, 0x1.97b575c9422a3p+1,
     0x1.ecf858a88d61fp+1, 0x1.2b2aef58a0386p+2},
    {0x1.dcfa36110eeecp-1, -0x1.f3cf665127fd2p-57, 0x1.de2cdb8000000p+0, -0x1.8baeef3e1f1adp-28,
     0x1.bd77625fcd35fp+0, 0x1.1f317c767a5fap+1, 0x1.55caeb9902226p+1, 0x1.a374fd441e04fp+1,
     0x1.fda5291a10116p+1, 0x1.36becf497926ep+2},
    {0x1.e0ba0f38c5ebdp-1, 0x1.ca5961b489a27p-55, 0x1.e1ae900000000p+0, 0x1.3c166ed562e13p-28,
     0x1.c442b1cee301ap+0, 0x1.249932dd4938ap+1, 0x1.5e1a6701ae63cp+1, 0x1.af9a7ee6f3529p+1,
     0x1.077bca549ffc2p+2, 0x1.42d468b2e002bp+2},
    {0x1.e480f97635083p-1, -0x1.e80a8d4caa22ap-56, 0x1.e53dfc0000000p+0, 0x1.05874c6400d26p-28,
     0x1.cb2ed43324563p+0, 0x1.2a22a20690c0dp+1, 0x1.66a7a51de931bp+1, 0x1.bc29f1f475736p+1,
     0x1.107b6fbaee539p+2, 0x1.4f7212394cd8bp+2},
    {0x1.e84f107a2a3f4p-1, 0x1.a7a85f2f69506p-56, 0x1.e8db620000000p+0, -0x1.8624f27983bb1p-27,
     0x1.d23c96ce9bbdfp+0, 0x1.2fcec52e345e2p+1, 0x1.6f74c1eb83ffcp+1, 0x1.c9277a5706b38p+1,
     0x1.19d5545e23fb5p+2, 0x1.5c9e7a260c348p+2},
    {0x1.ec24707bf6687p-1, 0x1.8cb6d1fadd1dap-55, 0x1.ec87058000000p+0, -0x1.cec251e2a4a77p-28,
     0x1.d96ccce05eb29p+0, 0x1.359ea02a102dbp+1, 0x1.7883ee90129b3p+1, 0x1.d6976ad20ca9ap+1,
     0x1.238d77e23e655p+2, 0x1.6a60ab97c774bp+2},
    {0x1.f001363cba44dp-1, 0x1.54d319e74ff0ap-57, 0x1.f0412c8000000p+0, 0x1.664e0e6579a64p-29,
     0x1.e0c04fd92b02dp+0, 0x1.3b933fc07421ap+1, 0x1.81d77248e2aafp+1, 0x1.e47e4751bcefdp+1,
     0x1.2da80c8dff082p+2, 0x1.78c01408b1a01p+2},
    {0x1.f3e57f0acc544p-1, 0x1.59d2c7bcfec07p-55, 0x1.f40a1f0000000p+0, -0x1.febe2466f5dfap-27,
     0x1.e837ff9216899p+0, 0x1.41adba0276855p+1, 0x1.8b71ab66d21c5p+1, 0x1.f2e0c75b3266ap+1,
     0x1.38297a0fcb249p+2, 0x1.87c48930525a8p+2},
    {0x1.f7d168c5384cfp-1, 0x1.8ccb7f473760dp-57, 0x1.f7e2258000000p+0, -0x1.f97fb5bef032cp-27,
     0x1.efd4c28568d30p+0, 0x1.47ef2eaa4eacbp+1, 0x1.95551056aaaf2p+1, 0x1.00e1ec4f5ca2fp+2,
     0x1.4316606d0b5a7p+2, 0x1.97764f475b81fp+2},
    {0x1.fbc511df5917fp-1, 0x1.4e6ef3dde2f07p-55, 0x1.fbc98b0000000p+0, 0x1.fcb78dc38e785p-28,
     0x1.f7978609b77afp+0, 0x1.4e58c77deb3f4p+1, 0x1.9f8430b6b2c8ap+1, 0x1.089650d730370p+2,
     0x1.4e739b1ed13afp+2, 0x1.a7de1fb472260p+2},
    {0x1.ffc099648e404p-1, 0x1.f1945ff358e20p-56, 0x1.ffc09d8000000p+0, -0x1.743ab96e1a186p-27,
     0x1.ff813e8f5f49fp+0, 0x1.54ebb8b5fa671p+1, 0x1.aa01b67a2e536p+1, 0x1.1090426d806fcp+2,
     0x1.5a46445ebb328p+2, 0x1.b905302959c54p+2},
};

// tan r from its table; for odd quadrants tan(r + pi/2) = -1 / tan r, the reciprocal with one
// correction step.
bool quickTan(double x, double* out) {
    const Reduced red = quickReduce(x);
    const DD t = taylorNear(kTanTable, red.r.hi, red.r.lo);
    if (!(red.quadrant & 1)) return roundsSafely(t, kQuickTanError * std::fabs(t.hi), out);
    const double q = 1.0 / t.hi;
    const DD qt = twoProduct(q, t.hi);
    const double correction = (((1.0 - qt.hi) - qt.lo) - q * t.lo) * q;  // 1 - qt.hi is exact
    return roundsSafely({-q, -correction}, kQuickTanError * std::fabs(q), out);
}

// asin w for |w| <= 1/2, w = wHi + wLo with |wLo| <= 2^-52 |wHi|; *bound gets its error bound.
inline DD quickAsinSmall(double wHi, double wLo, double* bound) {
    const DD y = taylorNear(kAsinTable, wHi, wLo);
    *bound = kQuickAsinError * std::fabs(y.hi);
    return y;
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
