// A configuration that cannot drive a conversion is refused with a reason, never repaired: the
// readers accept "nan", "inf" and hexadecimal floats because the C library's conversions do, so
// a damaged file can carry them; zero or negative speeds would divide by zero in the planner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_validation.h"
#include "config/configuration_setup.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "test_support.h"

namespace pulsepost {
namespace {

// A configuration directory with the default files, whose values can be replaced one by one.
class ConfigDir {
  public:
    ConfigDir() : here_(dir_.path()) {
        setUpConfiguration(dir_.path().c_str());
        std::string text = testing::readFile(dir_.file("ZORVAN.CFG"));
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            lines_.push_back(text.substr(start, end - start));
            start = end + 2;
        }
    }
    // Replaces the text of value position (1-based) after its 0xFE byte.
    void setValue(int position, const std::string& text) {
        lines_.at(position - 1) = "\xFE" + text;
        std::string file;
        for (const std::string& line : lines_)
            file += line + "\r\n";
        testing::writeFile(dir_.file("ZORVAN.CFG"), file);
    }
    void setParams(const std::string& text) { testing::writeFile(dir_.file("params.cfg"), text); }
    // Sets the configuration up from the files and validates it.
    int32_t check(ConfigProblem& problem) {
        setUpConfiguration(dir_.path().c_str());
        return validateConfiguration(problem);
    }

  private:
    testing::ScratchDir dir_;
    testing::WorkingDir here_;
    std::vector<std::string> lines_;
};

TEST(ConfigValidation, DefaultsAndOrdinaryVariationsAreAccepted) {
    ConfigDir dir;
    ConfigProblem problem;
    EXPECT_EQ(dir.check(problem), 0) << problem.text;
    EXPECT_STREQ(problem.text, "");

    // A disabled axis (0), a reversed axis (negative) and a zero fillet error are settings.
    dir.setValue(3, "-10160.0");
    dir.setValue(6, "0.0");
    dir.setParams("7000\n0\n0\n0\n");
    EXPECT_EQ(dir.check(problem), 0) << problem.text;
    EXPECT_DOUBLE_EQ(stepsPerUnit(0), -10160.0);

    // A hexadecimal float is an odd spelling of a finite number: the reader takes it.
    dir.setValue(9, "0x1.9p+5");  // 50
    EXPECT_EQ(dir.check(problem), 0) << problem.text;
    EXPECT_DOUBLE_EQ(feedSpeed(), 50.0);
}

TEST(ConfigValidation, NonFinitePulsesPerUnitAreRefusedNamingTheAxis) {
    const struct {
        int position;
        const char* text;
        const char* axis;
    } cases[] = {
        {3, "nan", "of X"}, {4, "inf", "of Y"}, {5, "-INFINITY", "of Z"}, {6, "1e999", "of A"}};
    for (const auto& c : cases) {
        ConfigDir dir;
        dir.setValue(c.position, c.text);
        ConfigProblem problem;
        EXPECT_EQ(dir.check(problem), -1) << c.text;
        const std::string text = problem.text;
        EXPECT_NE(text.find("ZORVAN.CFG"), std::string::npos) << text;
        EXPECT_NE(text.find(c.axis), std::string::npos) << text;
    }
}

TEST(ConfigValidation, SpeedsAndAccelerationMustBePositiveAndFinite) {
    const struct {
        int position;
        const char* text;
        const char* what;
    } cases[] = {{7, "0.0", "rapid speed"},      {8, "-100", "Z rapid speed"},
                 {9, "nan", "feed speed"},       {10, "inf", "plunge speed"},
                 {11, "0", "acceleration"},      {11, "-15", "acceleration"},
                 {11, "0x0p+0", "acceleration"}, {9, "-0.0", "feed speed"}};
    for (const auto& c : cases) {
        ConfigDir dir;
        dir.setValue(c.position, c.text);
        ConfigProblem problem;
        EXPECT_EQ(dir.check(problem), -1) << c.text;
        const std::string text = problem.text;
        EXPECT_NE(text.find(c.what), std::string::npos) << text;
        EXPECT_NE(text.find("positive and finite"), std::string::npos) << text;
    }
}

TEST(ConfigValidation, FilletParametersMustBeFiniteAndNotNegative) {
    const struct {
        const char* params;
        const char* what;
    } cases[] = {
        {"7000\nnan\n15.0\n10.16\n", "minimum fillet angle"},
        {"7000\n0.1\ninf\n10.16\n", "maximum fillet angle"},
        {"7000\n0.1\n15.0\n-1\n", "maximum fillet error"},
        {"7000\n-0.1\n15.0\n10.16\n", "minimum fillet angle"},
        {"7000\n0.1\n15.0\n1e400\n", "maximum fillet error"},
    };
    for (const auto& c : cases) {
        ConfigDir dir;
        dir.setParams(c.params);
        ConfigProblem problem;
        EXPECT_EQ(dir.check(problem), -1) << c.params;
        const std::string text = problem.text;
        EXPECT_NE(text.find("params.cfg"), std::string::npos) << text;
        EXPECT_NE(text.find(c.what), std::string::npos) << text;
    }
    // The tool holder backoff is carried, not used: any value passes.
    ConfigDir dir;
    dir.setParams("nan\n0.1\n15.0\n10.16\n");
    ConfigProblem problem;
    EXPECT_EQ(dir.check(problem), 0) << problem.text;
}

}  // namespace
}  // namespace pulsepost
