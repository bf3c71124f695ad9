// The trigonometric functions that give the same bits on every build: correctly rounded results
// (checked against values worked out to 300 bits), including arguments where a common C library
// rounds the other way, the exact special values, symmetry, and closeness to the host library
// over a sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "platform/portable_math.h"
#include "platform/portable_math_paths.h"

namespace pulsepost {
namespace {

struct TrigCase {
    double x;
    double sin;
    double cos;
    double tan;
};

// sin, cos and tan rounded to nearest from 300-bit values.
constexpr TrigCase kTrigCases[] = {
    {0x1p-1, 0x1.eaee8744b05fp-2, 0x1.c1528065b7d5p-1, 0x1.17b4f5bf3474ap-1},
    {0x1p+0, 0x1.aed548f090ceep-1, 0x1.14a280fb5068cp-1, 0x1.8eb245cbee3a6p+0},
    {0x1p+1, 0x1.d18f6ead1b446p-1, -0x1.aa22657537205p-2, -0x1.17af62e0950f8p+1},
    // The doubles nearest pi, pi/2, 3 pi/2 and 2 pi: results decided by the bits of pi beyond
    // the argument's own.
    {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1p+0, -0x1.1a62633145c07p-53},
    {0x1.921fb54442d18p+0, 0x1p+0, 0x1.1a62633145c07p-54, 0x1.d02967c31cdb5p+53},
    {0x1.2d97c7f3321d2p+2, -0x1p+0, -0x1.a79394c9e8a0ap-53, 0x1.3570efd768923p+52},
    {0x1.921fb54442d18p+2, -0x1.1a62633145c07p-52, 0x1p+0, -0x1.1a62633145c07p-52},
    {0x1.9p+6, -0x1.03425b78c4db8p-1, 0x1.b981dbf665fdfp-1, -0x1.2ca74d62b5d38p-1},
    {0x1.921fb54442d18p-1, 0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1, 0x1.fffffffffffffp-1},
    {0x1.4f8b588e368f1p-17, 0x1.4f8b588e1e8a2p-17, 0x1.ffffffff920c8p-1, 0x1.4f8b588e6698ep-17},
    {-0x1.4p+1, -0x1.326af0dcfcab1p-1, -0x1.9a2f7ef858b7dp-1, 0x1.7e79b4e00bb15p-1},
    {0x1.81cd6c8b43958p+13, -0x1.687d5890974a5p-1, 0x1.6b94c3bbe24b8p-1, -0x1.fba5836323a4ep-1},
};

struct InverseCase {
    double x;
    double asin;
    double acos;
};

constexpr InverseCase kInverseCases[] = {
    {0x1p-1, 0x1.0c152382d7366p-1, 0x1.0c152382d7366p+0},
    {-0x1p-1, -0x1.0c152382d7366p-1, 0x1.0c152382d7366p+1},
    {0x1.999999999999ap-4, 0x1.9a49276037884p-4, 0x1.787b22ce3f59p+0},
    {0x1.ffffffff2419p-1, 0x1.921ec8003f9d8p+0, 0x1.da88066815a95p-17},
    {-0x1.ffffffff2419p-1, -0x1.921ec8003f9d8p+0, 0x1.921f3ea241378p+1},
    {0x1.6a09e667f3bcdp-1, 0x1.921fb54442d19p-1, 0x1.921fb54442d18p-1},
    {0x1.b7cdfd9d7bdbbp-34, 0x1.b7cdfd9d7bdbbp-34, 0x1.921fb543d4de0p+0},
    {0x1.3333333333333p-2, 0x1.380159e14f6ffp-2, 0x1.441f5ecbeef59p+0},
    // Next to 1 and -1, where the slope of asin grows without bound.
    {0x1.ffffffffffffdp-1, 0x1.921fb4d568e5ep+0, 0x1.bb67ae8584cabp-26},
    {0x1.ffffffffffbp-1, 0x1.921fac528703cp+0, 0x1.1e3779b97f4e3p-21},
    {-0x1.fffffffffffc8p-1, -0x1.921fb36554307p+0, 0x1.921fb454cb81p+1},
};

// Arguments where the Linux C library of this machine's kind (glibc 2.36) returns the neighbour
// of the correctly rounded result: the reason the conversion does not use the C libraries here.
TEST(PortableMath, CorrectlyRoundedWhereCLibrariesDiffer) {
    EXPECT_EQ(portableSin(0x1.dbe4ac1af2049p+1), -0x1.170303cf2e35dp-1);
    EXPECT_EQ(portableSin(0x1.60b91775f437ap+1), 0x1.8177e7b50d629p-2);
    EXPECT_EQ(portableSin(0x1.317f62232feaep-1), 0x1.1fb0b6fe8c573p-1);
    EXPECT_EQ(portableAcos(-0x1.5c15cbcd34a6cp-2), 0x1.eaea28d2aaf57p+0);
    EXPECT_EQ(portableAcos(0x1.af9c1d15f9514p-2), 0x1.22bd825c0be16p+0);
    EXPECT_EQ(portableAcos(-0x1.5a08ad50ea8dp-3), 0x1.bd962ace340d5p+0);
}

TEST(PortableMath, MatchesValuesWorkedOutTo300Bits) {
    for (const TrigCase& c : kTrigCases) {
        EXPECT_EQ(portableSin(c.x), c.sin) << std::hexfloat << c.x;
        EXPECT_EQ(portableCos(c.x), c.cos) << std::hexfloat << c.x;
        EXPECT_EQ(portableTan(c.x), c.tan) << std::hexfloat << c.x;
    }
    for (const InverseCase& c : kInverseCases) {
        EXPECT_EQ(portableAsin(c.x), c.asin) << std::hexfloat << c.x;
        EXPECT_EQ(portableAcos(c.x), c.acos) << std::hexfloat << c.x;
    }
}

TEST(PortableMath, SpecialValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_TRUE(std::signbit(portableSin(-0.0)) && portableSin(-0.0) == 0.0);
    EXPECT_TRUE(std::signbit(portableTan(-0.0)) && portableTan(-0.0) == 0.0);
    EXPECT_EQ(portableCos(0.0), 1.0);
    EXPECT_EQ(portableAsin(1.0), 0x1.921fb54442d18p+0);
    EXPECT_EQ(portableAsin(-1.0), -0x1.921fb54442d18p+0);
    EXPECT_EQ(portableAcos(1.0), 0.0);
    EXPECT_EQ(portableAcos(-1.0), 0x1.921fb54442d18p+1);
    EXPECT_EQ(portableAcos(0.0), 0x1.921fb54442d18p+0);
    EXPECT_EQ(portableAsin(0x1p-30), 0x1p-30);
    EXPECT_EQ(portableAcos(0x1p-60), 0x1.921fb54442d18p+0);
    EXPECT_TRUE(std::isnan(portableAsin(1.0 + 0x1p-52)));
    EXPECT_TRUE(std::isnan(portableAcos(-2.0)));
    EXPECT_TRUE(std::isnan(portableAsin(nan)));
    EXPECT_TRUE(std::isnan(portableSin(inf)));
    EXPECT_TRUE(std::isnan(portableCos(-inf)));
    EXPECT_TRUE(std::isnan(portableTan(nan)));
}

// A sweep over the angles the conversion meets: odd and even symmetry hold exactly, sin and cos
// (and tan) together equal them apart, and every
// result is within one unit in the last place of the host library's (which is itself within
// about half a unit of the true value), so no quadrant or sign can be wrong.
TEST(PortableMath, SweepIsSymmetricAndWithinAnUlpOfTheHostLibrary) {
    uint64_t state = 0x9e3779b97f4a7c15ULL;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<double>(state >> 11) * 0x1p-53;
    };
    auto withinUlp = [](double a, double b) { return a == b || std::nextafter(a, b) == b; };
    for (int i = 0; i < 20000; ++i) {
        const double x = (next() * 2.0 - 1.0) * 20.0;
        const double c = next() * 2.0 - 1.0;
        ASSERT_EQ(portableSin(-x), -portableSin(x)) << std::hexfloat << x;
        ASSERT_EQ(portableCos(-x), portableCos(x)) << std::hexfloat << x;
        ASSERT_EQ(portableAsin(-c), -portableAsin(c)) << std::hexfloat << c;
        double sine = 0.0;
        double cosine = 0.0;
        portableSinCos(x, &sine, &cosine);
        ASSERT_EQ(sine, portableSin(x)) << std::hexfloat << x;
        ASSERT_EQ(cosine, portableCos(x)) << std::hexfloat << x;
        double tangent = 0.0;
        portableSinCosTan(x, &sine, &cosine, &tangent);
        ASSERT_EQ(sine, portableSin(x)) << std::hexfloat << x;
        ASSERT_EQ(cosine, portableCos(x)) << std::hexfloat << x;
        ASSERT_EQ(tangent, portableTan(x)) << std::hexfloat << x;
        ASSERT_TRUE(withinUlp(portableSin(x), std::sin(x))) << std::hexfloat << x;
        ASSERT_TRUE(withinUlp(portableCos(x), std::cos(x))) << std::hexfloat << x;
        ASSERT_TRUE(withinUlp(portableTan(x), std::tan(x))) << std::hexfloat << x;
        ASSERT_TRUE(withinUlp(portableAsin(c), std::asin(c))) << std::hexfloat << c;
        ASSERT_TRUE(withinUlp(portableAcos(c), std::acos(c))) << std::hexfloat << c;
    }
}

using portable_math_paths::Function;

struct HardCase {
    Function f;
    double x;
    double result;  // rounded to nearest from a 160-bit value
};

// Arguments whose result lies within 2^-16 units in the last place of the midpoint between two
// doubles (the closest of 150000 to 200000 random ones per function): beyond what the quick
// evaluation can decide, so they exercise the exact one.
constexpr HardCase kHardCases[] = {
    {Function::Sin, 0x1.c7b7e19048db8p+3, 0x1.fd3b666a61b8p-1},
    {Function::Sin, 0x1.eff43468c9378p+3, 0x1.a9baf164da7b3p-3},
    {Function::Sin, 0x1.c0bd4dc1113c4p+3, 0x1.fcac57b1e3b18p-1},
    {Function::Cos, -0x1.3aa125ab61934p+4, 0x1.5f3e7dac9c3e4p-1},
    {Function::Cos, -0x1.36e237a3a57a9p+4, 0x1.ac1478a61d1a2p-1},
    {Function::Cos, -0x1.1a03ee03ac73dp+4, 0x1.5c6eb40986219p-2},
    {Function::Tan, -0x1.fb8179f8348c8p+2, 0x1.a5608e67c40b9p+3},
    {Function::Tan, -0x1.421dd709adf1p+1, 0x1.7171c565d869fp-1},
    {Function::Tan, 0x1.02cdd16fa1d18p+2, 0x1.441339e10e50bp+0},
    {Function::Tan, 0x1.7267ffa482964p+1, -0x1.0310aaf005258p-2},
    {Function::Tan, 0x1.0eef8cd72e881p+3, -0x1.6c229e0741746p+0},
    {Function::Tan, -0x1.f19ee3c512cacp+1, -0x1.d93b40e872c74p-1},
    {Function::Asin, -0x1.97b15b813f714p-2, -0x1.a3503102c46e1p-2},
    {Function::Asin, 0x1.9555934722c78p-2, 0x1.a0be59cfadafdp-2},
    {Function::Asin, 0x1.7441c44535eep-1, 0x1.a0c95c3c12d07p-1},
    {Function::Acos, 0x1.2ab47c689e554p-1, 0x1.e5503344d8647p-1},
    {Function::Acos, -0x1.3cc2fe9b67234p-2, 0x1.e2a28b06161bp+0},
    {Function::Acos, -0x1.82c11dc72ad6p-1, 0x1.36a8e78ecc85fp+1},
    {Function::Asin, -0x1.3962bc091c4b0p-1, -0x1.513fcfad4a989p-1},
    {Function::Asin, 0x1.50b9bb28f0d20p-2, 0x1.571c194a58b00p-2},
    {Function::Asin, -0x1.94ce14fa46360p-4, -0x1.9577863eba32cp-4},
    {Function::Acos, 0x1.5317558c41571p-3, 0x1.678a977421d18p+0},
    {Function::Acos, -0x1.3eaf57e15afacp-3, 0x1.ba1f3c6ee185ap+0},
    {Function::Acos, 0x1.bede020da6404p-2, 0x1.1e8484db32a61p+0},
};

double evaluate(Function f, double x) {
    switch (f) {
        case Function::Sin:
            return portableSin(x);
        case Function::Cos:
            return portableCos(x);
        case Function::Tan:
            return portableTan(x);
        case Function::Asin:
            return portableAsin(x);
        default:
            return portableAcos(x);
    }
}

TEST(PortableMath, HardCasesNearRoundingBoundariesGoToTheExactEvaluation) {
    for (const HardCase& c : kHardCases) {
        double quick = 0.0;
        EXPECT_FALSE(portable_math_paths::quick(c.f, c.x, &quick)) << std::hexfloat << c.x;
        EXPECT_EQ(evaluate(c.f, c.x), c.result) << std::hexfloat << c.x;
        if (c.f <= Function::Tan) {  // the three at once fall back for the one that needs it
            double values[3] = {0.0, 0.0, 0.0};
            portableSinCosTan(c.x, &values[0], &values[1], &values[2]);
            EXPECT_EQ(values[static_cast<int>(c.f)], c.result) << std::hexfloat << c.x;
        }
    }
}

// Wherever the quick evaluation decides, it gives the exact evaluation's result, and it decides
// for all but a small share of arguments; approximateSinCos keeps its error bound. The families aim
// at the places where its error bound is tightest or its formulas change: near multiples of pi/2
// (reduction), halfway between the tables' points (sine, tan and asin), up to the largest reducible
// angles, and for asin and acos near 0, +-1/2 (where the half-angle form takes over) and +-1.
TEST(PortableMath, QuickEvaluationAgreesWithTheExactOne) {
    uint64_t state = 0x2545f4914f6cdd1dULL;
    auto unit = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<double>(state >> 11) * 0x1p-53;
    };
    auto signedUnit = [&unit] { return unit() * 2.0 - 1.0; };
    auto tiny = [&unit] { return std::ldexp(unit(), -static_cast<int>(unit() * 50.0)); };
    const double halfPi = 0x1.921fb54442d18p+0;
    struct Family {
        const char* name;
        std::vector<Function> functions;
        std::function<double()> argument;
    };
    const std::vector<Function> direct = {Function::Sin, Function::Cos, Function::Tan};
    const std::vector<Function> inverse = {Function::Asin, Function::Acos};
    const Family families[] = {
        {"turns", direct, [&] { return signedUnit() * 20.0; }},
        {"near k pi/2", direct,
         [&] {
             return std::round(signedUnit() * 1000.0) * halfPi * (1.0 + signedUnit() * tiny());
         }},
        // Halfway between the points of the sine's table (i/64) and of tan's (i/256).
        {"between table points", direct,
         [&] {
             if (unit() < 0.5)
                 return (std::floor(signedUnit() * 50.0) + 0.5) / 64.0 + signedUnit() * 0x1p-40;
             return std::round(signedUnit() * 8.0) * halfPi +
                    (std::floor(signedUnit() * 201.0) + 0.5) / 256.0 + signedUnit() * 0x1p-40;
         }},
        {"large", direct, [&] { return signedUnit() * 823000.0; }},
        {"cosines", inverse, [&] { return signedUnit(); }},
        {"near 0", inverse, [&] { return signedUnit() * 0x1p-20 + 0x1p-25; }},
        {"near 1/2", inverse,
         [&] { return std::copysign(0.5, signedUnit()) + signedUnit() * 0x1p-30; }},
        {"near 1", inverse, [&] { return std::copysign(1.0 - tiny() * 0x1p-3, signedUnit()); }},
        // Halfway between the points of asin's table (i/256), directly and through the half angle.
        {"between asin table points", inverse,
         [&] {
             const double w = (std::floor(unit() * 128.0) + 0.5) / 256.0 + signedUnit() * 0x1p-40;
             return std::copysign(unit() < 0.5 ? w : 1.0 - 2.0 * w * w, signedUnit());
         }},
    };
    for (const Family& family : families) {
        for (Function f : family.functions) {
            constexpr int kArguments = 40000;
            int fallbacks = 0;
            for (int i = 0; i < kArguments; ++i) {
                const double x = family.argument();
                if (x == 0.0 || (std::fabs(x) >= 1.0 && f >= Function::Asin)) continue;
                if (f == Function::Sin || f == Function::Cos) {
                    // The plain-double pair that tick positions use stays within its 2^-51.
                    double sine = 0.0;
                    double cosine = 0.0;
                    approximateSinCos(x, &sine, &cosine);
                    const double approximate = f == Function::Sin ? sine : cosine;
                    ASSERT_LE(std::fabs(approximate - portable_math_paths::exact(f, x)), 0x1.2p-51)
                        << family.name << " " << std::hexfloat << x;
                }
                double quick = 0.0;
                if (!portable_math_paths::quick(f, x, &quick)) {
                    ++fallbacks;
                    continue;
                }
                ASSERT_EQ(quick, portable_math_paths::exact(f, x))
                    << family.name << " " << static_cast<int>(f) << " " << std::hexfloat << x;
            }
            EXPECT_LT(fallbacks, kArguments / 50) << family.name << " " << static_cast<int>(f);
        }
    }
}

}  // namespace
}  // namespace pulsepost
