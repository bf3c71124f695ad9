// ZORVAN.CFG and the configuration set-up: the default file byte for byte, good files taken as
// they are, damaged files replaced, the number forms the reader accepts, the directory text that
// must read back, and the 255-character configuration paths.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "config/axis_map.h"
#include "config/configuration_setup.h"
#include "config/cut_params.h"
#include "config/machine_config.h"
#include "config/machine_config_layout.h"
#include "hardening_fixture.h"
#include "platform/files.h"
#include "report/message_sink.h"
#include "test_support.h"

namespace pulsepost {
namespace {

namespace fs = std::filesystem;

// The texts of the 166 default values in file order; directory is the text of value 163.
std::vector<std::string> defaultTexts(const std::string& directory) {
    std::vector<std::string> t = {"290",          "11",        "10160.000000", "10160.000000",
                                  "10160.000000", "0.000000",  "100.000000",   "100.000000",
                                  "50.000000",    "25.000000", "15.000000",    "0.000000",
                                  "0.642500"};
    for (int i = 14; i <= 17; ++i)
        t.push_back("0.000000");
    t.insert(t.end(), {"0", "97"});
    for (int k = 0; k < 4; ++k)
        t.insert(t.end(), {"1.000000", "0.000000"});
    t.insert(t.end(), {"100.000000", "30.000000", "1", "0", "-22717", "-17937", "1"});
    for (int k = 0; k < 8; ++k)
        t.insert(t.end(), {"-0.250000", "100.000000", "0", "0.500000"});
    t.insert(t.end(), {"0.250000", "0", "0"});
    for (int k = 0; k < 10; ++k) {
        t.insert(t.end(), {"0.000000", "0.000000", "0.000000", "0.000000", "1"});
    }
    t.insert(t.end(), {"2.000000", "2", "0", "1000", "2000", "3000", "4000", "5000", "6000", "7000",
                       "8", "8", "8"});
    t.insert(t.end(),
             {"20.000000", "10.000000", "10.000000", "0.000000", "60.000000", "0.100000",
              "3.000000", "0.250000", "4", "0.000000", "0.000000", "2.000000", "2.000000", "0"});
    for (const char* first : {"300", "300", "200", "300"}) {
        t.insert(t.end(), {first, "15", "1000", "15"});
    }
    t.insert(t.end(), {directory, "200.000000", "20.000000", "20.000000"});
    return t;
}

std::string fileText(const std::vector<std::string>& texts, const std::string& lineEnd = "\r\n") {
    std::string s;
    for (const std::string& text : texts)
        s += "\xFE" + text + lineEnd;
    return s;
}

std::string cwd() {
    return fs::current_path().string();
}

// The messages of the set-up calls made while it lives.
class CapturedMessages {
  public:
    CapturedMessages() {
        testing::conversionMessages().clear();
        setMessageSink(testing::recordConversionMessage);
    }
    ~CapturedMessages() { setMessageSink(nullptr); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;
    // The texts of every message of code, joined.
    static std::string of(int32_t code) {
        std::string text;
        for (const auto& [c, message] : testing::conversionMessages()) {
            if (c == code) text += message + "\n";
        }
        return text;
    }
};

// A directory under base whose path is exactly length characters long.
std::string directoryOfLength(const std::string& base, std::size_t length) {
    std::string dir = base;
    while (dir.size() < length) {
        const std::size_t room = length - dir.size() - 1;
        dir.push_back('/');
        dir.append(std::min<std::size_t>(room, 100), 'd');
    }
    fs::create_directories(dir);
    return dir;
}

TEST(ConfigFile, MissingFileIsWrittenWithEveryDefaultByteForByte) {
    testing::ScratchDir dir;
    testing::WorkingDir here(dir.path());
    setUpConfiguration(dir.path().c_str());
    const std::vector<std::string> texts = defaultTexts(cwd());
    ASSERT_EQ(texts.size(), 166u);
    EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), fileText(texts));
    EXPECT_EQ(stepsPerUnit(0), 10160.0);
    EXPECT_EQ(stepsPerUnit(3), 0.0);
    EXPECT_EQ(rapidSpeed(), 100.0);
    EXPECT_EQ(rapidSpeedZ(), 100.0);
    EXPECT_EQ(feedSpeed(), 50.0);
    EXPECT_EQ(plungeSpeed(), 25.0);
    EXPECT_EQ(acceleration(), 15.0);
    EXPECT_EQ(swapXY(), 0);
    EXPECT_EQ(optionBits(), kOptionIgnoreFWords | kOptionRapidsAsFeeds | 0x40);
    EXPECT_EQ(machineConfig().motionDoubles[2], 20.0);  // the 166th value
}

TEST(ConfigFile, GoodFileIsTakenAsItIsAndFilterFileLeftAlone) {
    testing::ScratchDir dir;
    testing::WorkingDir here(dir.path());
    std::vector<std::string> texts = defaultTexts("C:\\cnc");
    texts[6] = "250.5";  // rapidSpeed
    texts[9] = "1.5e1";  // plungeSpeed
    texts[17] = "1";     // swapXY
    texts[18] = "96";    // optionBits: F words count, rapids planned as feeds
    // LF line ends, blank lines and spaces before the marks, trailing data: all read good.
    std::string content = "\n \t" + fileText(texts, "\n") + "\n\n  \xFE" + "junk after the end\n";
    testing::writeFile(dir.file("ZORVAN.CFG"), content);
    testing::writeFile("FILTER.CFG", "X 0 1 2 3 4\n");

    setUpConfiguration(dir.path().c_str());
    EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), content);
    EXPECT_TRUE(testing::fileExists("FILTER.CFG"));
    EXPECT_EQ(rapidSpeed(), 250.5);
    EXPECT_EQ(plungeSpeed(), 15.0);
    EXPECT_EQ(swapXY(), 1);
    EXPECT_EQ(optionBits(), 96);
    EXPECT_STREQ(machineConfig().text, "C:\\cnc");
    EXPECT_EQ(machineConfig().filterTable[0][0], 300);
    EXPECT_EQ(axisMap().axisChannel[0], 1);
}

TEST(ConfigFile, DamagedFileIsReplacedByDefaultsWithFilterOverrides) {
    const auto damage = [](std::vector<std::string>& t) {
        std::string s = fileText(t);
        s.erase(s.find("\xFE"
                       "0.500000"),
                1);  // a value without its mark
        return s;
    };
    std::vector<std::string> good = defaultTexts("/somewhere");
    good[6] = "999.000000";
    std::vector<std::string> shortFile(good.begin(), good.begin() + 165);
    std::vector<std::string> notANumber = good;
    notANumber[40] = "abc";
    for (const std::string& damaged :
         {damage(good), fileText(shortFile), fileText(notANumber), std::string()}) {
        testing::ScratchDir dir;
        testing::WorkingDir here(dir.path());
        testing::writeFile(dir.file("ZORVAN.CFG"), damaged);
        testing::writeFile(dir.file("ZORVAN.CFG.bak"), "an older backup");
        testing::writeFile("FILTER.CFG", "x 0 1 2 3 4\n");
        const CapturedMessages messages;
        ASSERT_EQ(setUpConfiguration(dir.path().c_str()), 0);
        // The damaged file is kept beside the new one, and the user is told so.
        EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG.bak")), damaged);
        EXPECT_NE(CapturedMessages::of(MessageCode::Notice).find("kept as"), std::string::npos);
        EXPECT_FALSE(fs::exists(dir.file("ZORVAN.CFG.new")));

        std::vector<std::string> expected = defaultTexts(cwd());
        expected[146] = "1";  // filter X row from FILTER.CFG, parameters 2 and 4 raised to 3
        expected[147] = "3";
        expected[148] = "3";
        expected[149] = "4";
        EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), fileText(expected));
        EXPECT_FALSE(testing::fileExists("FILTER.CFG"));
        EXPECT_EQ(rapidSpeed(), 100.0);
    }
}

TEST(ConfigFile, NumbersReadInEveryFormTheirKindAllows) {
    testing::ScratchDir dir;
    std::vector<std::string> texts = defaultTexts("d");
    texts[0] = "0x1F";          // H: hexadecimal with or without 0x
    texts[1] = "4294967295";    // U: the whole 32 bits
    texts[17] = "65537";        // U16: low 16 bits
    texts[18] = "70000";        // U16: 70000 - 65536
    texts[31] = "010";          // L: octal
    texts[32] = "0x10";         // L: hexadecimal
    texts[36] = "-010";         // I: octal, negative
    texts[121] = "2147483647";  // L: the largest int32
    texts[129] = "0X7f";        // I: hexadecimal, upper-case prefix
    texts[11] = "-1.25E-3";     // E: exponent form
    testing::writeFile(dir.file("ZORVAN.CFG"), fileText(texts));
    setConfigurationDirectory(dir.path().c_str());
    resetMachineConfig();
    ASSERT_EQ(readMachineConfig(), 0);
    const MachineConfig& c = machineConfig();
    EXPECT_EQ(c.controllerFlags, 0x1Fu);
    EXPECT_EQ(c.leadingValue, 4294967295u);
    EXPECT_EQ(c.swapXY, 1);
    EXPECT_EQ(c.optionBits, 4464);
    EXPECT_EQ(c.eightLongs[0], 8);
    EXPECT_EQ(c.eightLongs[1], 16);
    EXPECT_EQ(c.eightC[0], -8);
    EXPECT_EQ(c.integerTable[0], 2147483647);
    EXPECT_EQ(c.integerTable[8], 127);
    EXPECT_EQ(c.motionDoubles[0], -1.25e-3);

    // Written back in the file's own forms; six decimals lose what is finer.
    machineConfig().rapidSpeed = 0.0000001;
    ASSERT_TRUE(writeMachineConfig());
    const std::string written = testing::readFile(dir.file("ZORVAN.CFG"));
    EXPECT_EQ(written.substr(0, 8),
              "\xFE"
              "1F\r\n\xFE"
              "42");
    EXPECT_NE(written.find("\xFE"
                           "8\r\n\xFE"
                           "16\r\n"),
              std::string::npos);
    ASSERT_EQ(readMachineConfig(), 0);
    EXPECT_EQ(rapidSpeed(), 0.0);
    EXPECT_EQ(machineConfig().eightC[0], -8);
}

// The directory text is the rest of its line: a directory with spaces or of more than 80
// characters reads back as it is, and the user's settings are never replaced because of it.
TEST(ConfigFile, DirectoryTextReadsBackWithSpacesAndLongNames) {
    testing::ScratchDir dir;
    const std::string spaced = dir.path() + "/my jobs/plate 1";
    const std::string longName = directoryOfLength(dir.path(), 120);
    fs::create_directories(spaced);
    for (const std::string& workDir : {spaced, longName}) {
        testing::WorkingDir here(workDir);
        fs::remove(dir.file("ZORVAN.CFG"));
        setUpConfiguration(dir.path().c_str());
        EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), fileText(defaultTexts(cwd())));
        EXPECT_EQ(std::string(machineConfig().text), cwd());

        // The user's change survives the next call.
        std::vector<std::string> texts = defaultTexts(cwd());
        texts[8] = "42.000000";  // feedSpeed
        testing::writeFile(dir.file("ZORVAN.CFG"), fileText(texts));
        setUpConfiguration(dir.path().c_str());
        EXPECT_EQ(feedSpeed(), 42.0);
        EXPECT_EQ(testing::readFile(dir.file("ZORVAN.CFG")), fileText(texts));
    }
    const std::pair<const char*, const char*> stored[] = {{"  \t", "."},
                                                          {" a b ", "a b "},
                                                          {"x\r\ny", "x"},
                                                          {"c:\\x\xFE"
                                                           "1",
                                                           "c:\\x"}};
    for (const auto& [text, expected] : stored) {
        char out[kConfigTextSize];
        storableText(out, text);
        EXPECT_STREQ(out, expected);
    }
}

// The configuration directory holds ZORVAN.CFG.bak beside ZORVAN.CFG, so it must leave room for
// the file names whole: a longer one is refused before any file is touched. An empty one is the
// current directory, never the root.
TEST(ConfigFile, EmptyDirectoryIsHereAndOneTooLongForTheNamesIsRefused) {
    testing::ScratchDir dir;
    testing::WorkingDir here(dir.path());
    const std::string dir244 = directoryOfLength(dir.path(), 244);
    ASSERT_EQ(setUpConfiguration(dir244.c_str()), 0);
    EXPECT_EQ(std::string(configFilePath()), dir244 + "/ZORVAN.CFG");
    EXPECT_EQ(testing::readFile(dir244 + "/ZORVAN.CFG"), fileText(defaultTexts(cwd())));
    EXPECT_TRUE(testing::fileExists(dir244 + "/params.cfg"));

    for (std::size_t length : {245, 250, 300}) {
        const std::string longDir = directoryOfLength(dir.path() + "/long", length);
        const CapturedMessages messages;
        EXPECT_EQ(setUpConfiguration(longDir.c_str()), -1);
        EXPECT_NE(CapturedMessages::of(MessageCode::Refused).find("244"), std::string::npos);
        EXPECT_TRUE(fs::is_empty(longDir));
        fs::remove_all(dir.path() + "/long");
    }

    ASSERT_EQ(setUpConfiguration(""), 0);
    EXPECT_STREQ(configFilePath(), "ZORVAN.CFG");
    EXPECT_TRUE(testing::fileExists(dir.file("ZORVAN.CFG")));
    EXPECT_TRUE(testing::fileExists(dir.file("params.cfg")));
}

// What stands in the place of a configuration file and is not a regular file the library may
// read and replace is reported naming it and left exactly as it is; the call goes on with the
// defaults at once (a FIFO is never waited on) and FILTER.CFG is kept for a call that can write.
TEST(ConfigFile, FilesThatAreNotRegularOrReadableAreReportedAndLeftAlone) {
    struct Case {
        const char* name;
        const char* file;  // ZORVAN.CFG or params.cfg
        std::function<void(const std::string& path, const std::string& dir)> make;
    };
    const Case cases[] = {
        {"fifo", "ZORVAN.CFG",
         [](const std::string& path, const std::string&) { mkfifo(path.c_str(), 0644); }},
        {"directory", "ZORVAN.CFG",
         [](const std::string& path, const std::string&) { fs::create_directory(path); }},
        {"link to /dev/zero", "ZORVAN.CFG",
         [](const std::string& path, const std::string&) {
             fs::create_symlink("/dev/zero", path);
         }},
        {"link to another file", "ZORVAN.CFG",
         [](const std::string& path, const std::string& dir) {
             testing::writeFile(dir + "/precious.txt", "not a configuration");
             fs::create_symlink(dir + "/precious.txt", path);
         }},
        {"params fifo", "params.cfg",
         [](const std::string& path, const std::string&) { mkfifo(path.c_str(), 0644); }},
        {"unreadable", "ZORVAN.CFG",
         [](const std::string& path, const std::string&) {
             testing::writeFile(path,
                                "\xFE"
                                "290\n");
             chmod(path.c_str(), 0200);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.name) == "unreadable" && geteuid() == 0) continue;  // root reads all
        testing::ScratchDir dir;
        testing::WorkingDir here(dir.path());
        const std::string path = dir.file(c.file);
        c.make(path, dir.path());
        testing::writeFile("FILTER.CFG", "x 0 1 2 3 4\n");
        const auto listing = [&] {
            std::vector<std::string> names;
            for (const auto& entry : fs::directory_iterator(dir.path()))
                names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            return names;
        };
        std::vector<std::string> before = listing();
        const CapturedMessages messages;
        ASSERT_EQ(setUpConfiguration(dir.path().c_str()), 0);
        EXPECT_NE(CapturedMessages::of(MessageCode::FileOpen).find(path), std::string::npos);
        EXPECT_EQ(feedSpeed(), 50.0);
        EXPECT_EQ(cutParams().maxFilletError, 10.16);
        std::vector<std::string> after = listing();
        if (std::string(c.file) == "params.cfg") {  // ZORVAN.CFG was missing: created
            std::erase(after, "ZORVAN.CFG");
            std::erase(before, "FILTER.CFG");
        } else {
            std::erase(after, "params.cfg");
        }
        EXPECT_EQ(after, before);
        if (std::string(c.name) == "link to another file") {
            EXPECT_EQ(testing::readFile(dir.file("precious.txt")), "not a configuration");
        }
        chmod(path.c_str(), 0600);
    }
}

// Two calls that find ZORVAN.CFG missing must not both set the defaults: the second would
// overwrite the first's file without the FILTER.CFG overrides the first consumed. The set-up
// waits for the configuration directory's lock, so the second reads the first's file.
TEST(ConfigFile, SetUpWaitsForTheConfigurationDirectoryLock) {
    testing::ScratchDir dir;
    testing::WorkingDir here(dir.path());
    auto held = std::make_unique<DirectoryLock>(dir.path().c_str());
    std::thread setUp([&] { setUpConfiguration(dir.path().c_str()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(testing::fileExists(dir.file("ZORVAN.CFG")));
    held.reset();
    setUp.join();
    EXPECT_TRUE(testing::fileExists(dir.file("ZORVAN.CFG")));
}

// Nothing can be created: the defaults are used in memory, both files are reported through the
// message sink (never on the standard error stream), and FILTER.CFG stays for a call that can
// write the configuration holding its overrides.
TEST(ConfigFile, UnwritableDirectoryLeavesTheDefaultsInMemory) {
    testing::ScratchDir dir;
    testing::WorkingDir here(dir.path());
    const std::string missing = dir.path() + "/no such dir";
    testing::writeFile("FILTER.CFG", "x 0 1 2 3 4\n");
    const CapturedMessages messages;
    ::testing::internal::CaptureStderr();
    setUpConfiguration(missing.c_str());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    const std::string reported = CapturedMessages::of(MessageCode::FileOpen);
    EXPECT_NE(reported.find(missing + "/ZORVAN.CFG could not be written: No such file"),
              std::string::npos);
    EXPECT_NE(reported.find(missing + "/params.cfg could not be created"), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(testing::fileExists("FILTER.CFG"));
    EXPECT_EQ(feedSpeed(), 50.0);
    EXPECT_EQ(machineConfig().filterTable[0][1], 3);  // the overrides hold in memory
    EXPECT_EQ(cutParams().minFilletAngle, 0.1);
    EXPECT_EQ(axisMap().axisScale[2], 10160.0);
}

}  // namespace
}  // namespace pulsepost
