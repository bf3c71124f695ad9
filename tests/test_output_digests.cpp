// Byte identity of whole conversions: the CM, BRK, LIM and EV files of the example programs, of a
// few programs of the shared corpus and of generated surfacing, pocketing and drilling programs,
// each converted through p, are reduced to 64-bit FNV-1a digests and compared with the reference
// digests below. Any change of any output byte fails here; a change of the code that is meant to
// leave the outputs alone (an optimisation, a clean-up) must pass unchanged.
//
// When the outputs are meant to change, regenerate the table on purpose and review the diff:
//
//   PULSEPOST_ACCEPT_DIGESTS=1 build/tests/pulsepost_tests --gtest_filter='*ConversionDigests*'
//
// prints the new rows (in the table's order) instead of comparing. Corpus programs are read from
// ../shared/corpus beside the repository (or PULSEPOST_CORPUS_DIR); where it is absent their
// cases are skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "conversion_fixture.h"
#include "program_generator.h"
#include "test_support.h"

namespace pulsepost {
namespace {

namespace fs = std::filesystem;

// FNV-1a over the bytes of a file; kAbsent when the file does not exist.
constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr uint64_t kFnvPrime = 0x100000001b3ULL;
constexpr uint64_t kAbsent = 0;

uint64_t fileDigest(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return kAbsent;
    uint64_t h = kFnvOffset;
    unsigned char buffer[1 << 16];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            h ^= buffer[i];
            h *= kFnvPrime;
        }
    }
    std::fclose(f);
    return h;
}

// The two machines: the defaults as p writes them (F words ignored, rapids planned as feeds,
// three axes), and testing::shopMachine.
enum class Machine { Default, Shop };

enum class Source { Example, Corpus, Generated };

struct Case {
    const char* name;  // unique, letters, digits and underscores
    Source source;
    const char* file;  // examples/ or corpus file name; generator kind for Generated
    int64_t lines;     // Generated: lines to write
    Machine machine;
};

// The test list names a case by its name.
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case kCases[] = {
    {"contour", Source::Example, "contour.nc", 0, Machine::Default},
    {"drilling", Source::Example, "drilling.nc", 0, Machine::Default},
    {"fixture_job", Source::Example, "fixture_job.nc", 0, Machine::Default},
    {"helical_bore", Source::Example, "helical_bore.nc", 0, Machine::Default},
    {"contour_shop", Source::Example, "contour.nc", 0, Machine::Shop},
    {"drilling_shop", Source::Example, "drilling.nc", 0, Machine::Shop},
    {"fixture_job_shop", Source::Example, "fixture_job.nc", 0, Machine::Shop},
    {"generated_surfacing", Source::Generated, "surfacing", 20000, Machine::Default},
    {"generated_pocketing", Source::Generated, "pocketing", 4000, Machine::Default},
    {"generated_drilling", Source::Generated, "drilling", 1500, Machine::Default},
    {"generated_surfacing_shop", Source::Generated, "surfacing", 20000, Machine::Shop},
    {"generated_pocketing_shop", Source::Generated, "pocketing", 4000, Machine::Shop},
    {"generated_drilling_shop", Source::Generated, "drilling", 1500, Machine::Shop},
    {"corpus_tort", Source::Corpus, "linuxcnc__tort.ngc", 0, Machine::Default},
    {"corpus_rebels", Source::Corpus, "cnc-training__Rebels5.nc", 0, Machine::Default},
    {"corpus_pcb_back", Source::Corpus, "pcb2gcode__example_board_al_mach3_back.ngc", 0,
     Machine::Default},
    {"corpus_bcnc_sample", Source::Corpus, "bcnc__sample.gcode", 0, Machine::Default},
    {"corpus_axis", Source::Corpus, "linuxcnc__axis.ngc", 0, Machine::Default},
    {"corpus_dice_drill", Source::Corpus, "cnclib__Examples_Dice.drill.nc", 0, Machine::Default},
    {"corpus_compass_text", Source::Corpus, "camotics__compass_text.ngc", 0, Machine::Default},
    {"corpus_helical_thread", Source::Corpus, "cncjs__helical-thread-milling.gcode", 0,
     Machine::Default},
    {"corpus_mmount", Source::Corpus, "linuxcnc__mmount.ngc", 0, Machine::Default},
    {"corpus_headrough_shop", Source::Corpus, "ugs__headrough.nc", 0, Machine::Shop},
};

struct ReferenceRow {
    const char* name;
    int32_t result;  // what p returned
    uint64_t cm, brk, lim, ev;
};

// Reference digests, recorded from the outputs before any optimisation of the conversion.
const ReferenceRow kReference[] = {
    {"contour", 0, 0xd9f7356424c715c3ULL, 0xcc9e9eecb48ab83eULL, 0x894dc602d58aebb0ULL,
     0xcbf29ce484222325ULL},
    {"drilling", 0, 0xde18878fd2d20acfULL, 0x34cf6126d1ed2051ULL, 0x7e1954eefcb78709ULL,
     0xcbf29ce484222325ULL},
    {"fixture_job", 0, 0xcd331588b888a087ULL, 0x65d8523f6b39eedfULL, 0x31053c1b8663f728ULL,
     0xfa90e1d58a1c8de3ULL},
    {"helical_bore", 0, 0x651b68e2a46c5d59ULL, 0x647fd9cba1546844ULL, 0xa39a813b07ac2160ULL,
     0xcbf29ce484222325ULL},
    {"contour_shop", 0, 0x42737c3621c36b61ULL, 0xe5b7ac0992f78ba0ULL, 0x894dc602d58aebb0ULL,
     0xcbf29ce484222325ULL},
    {"drilling_shop", 0, 0xd3cf32754fb93ddbULL, 0x3ec8c2f0638d36e8ULL, 0x7e1954eefcb78709ULL,
     0xcbf29ce484222325ULL},
    {"fixture_job_shop", 0, 0x9a7f74a49d385db5ULL, 0xb3aaaa5fcc26c925ULL, 0x31053c1b8663f728ULL,
     0xfa90e1d58a1c8de3ULL},
    {"generated_surfacing", 0, 0x6e86b2866dee21e9ULL, 0x312363d01231801bULL, 0x6c2d66deb6df889eULL,
     0xcbf29ce484222325ULL},
    {"generated_pocketing", 0, 0xa109539901438727ULL, 0x5c698fb7814bea53ULL, 0x918421e7103f113cULL,
     0xcbf29ce484222325ULL},
    {"generated_drilling", 0, 0x28c84c225476d4cbULL, 0xa4bd03de9d2ac8abULL, 0xb914c88af7c3ffcaULL,
     0xcbf29ce484222325ULL},
    {"generated_surfacing_shop", 0, 0x90a054b5de44e273ULL, 0x103c660b28fbbb2bULL,
     0x6c2d66deb6df889eULL, 0xcbf29ce484222325ULL},
    {"generated_pocketing_shop", 0, 0x3ede134d25cb4d4bULL, 0x74172e950f3ef127ULL,
     0x918421e7103f113cULL, 0xcbf29ce484222325ULL},
    {"generated_drilling_shop", 0, 0xc1c90f2d417d3f45ULL, 0x91794074b830559eULL,
     0xb914c88af7c3ffcaULL, 0xcbf29ce484222325ULL},
    {"corpus_tort", 0, 0x8f2bf3ad888f0d6dULL, 0x8335f3c9d3adb56dULL, 0x6ec8d0598e445781ULL,
     0xcbf29ce484222325ULL},
    {"corpus_rebels", 0, 0x7502d5b5488a55b5ULL, 0xde35e53c8749c46dULL, 0x596900c3303233d7ULL,
     0xcbf29ce484222325ULL},
    {"corpus_pcb_back", 0, 0x64299f9bceb4f5f1ULL, 0x9412fc56ff72537dULL, 0x60ff15d5418f9fc4ULL,
     0xcbf29ce484222325ULL},
    {"corpus_bcnc_sample", 0, 0x073bbb1a34fdabd1ULL, 0x72e79ac46db86d67ULL, 0xcc27cfe7458c8bfdULL,
     0xcbf29ce484222325ULL},
    {"corpus_axis", 0, 0x0239ee4e97dab3c3ULL, 0x2d58ef80cb0ee41dULL, 0xd8d74591a74eaf1eULL,
     0xcbf29ce484222325ULL},
    {"corpus_dice_drill", 0, 0x5a30d40a27517cdfULL, 0xeb6591d1281fa036ULL, 0x8a0ce50de1bda8f3ULL,
     0xcbf29ce484222325ULL},
    {"corpus_compass_text", 0, 0x6b5438d6150999deULL, 0x8d41d45c674ce0e3ULL, 0x956c5f604f07ed43ULL,
     0xcbf29ce484222325ULL},
    {"corpus_helical_thread", 0, 0x15dba898a134ce34ULL, 0x71ab0e0ee847f180ULL,
     0x03c6823ee0e4e651ULL, 0xcbf29ce484222325ULL},
    {"corpus_mmount", 0, 0x46d98614bca4a583ULL, 0xff7a43326c0c81b7ULL, 0x9be1c45563e07103ULL,
     0xcbf29ce484222325ULL},
    {"corpus_headrough_shop", 0, 0x974802dcb14e0015ULL, 0xeb6a1db28b6a3b99ULL,
     0x7bb73d316f4f9f6eULL, 0xcbf29ce484222325ULL},
};

struct Outcome {
    int32_t result = 0;
    uint64_t cm = 0, brk = 0, lim = 0, ev = 0;
};

// The corpus beside the repository, or where PULSEPOST_CORPUS_DIR says (a work tree elsewhere).
std::string corpusDir() {
    const char* dir = std::getenv("PULSEPOST_CORPUS_DIR");
    if (dir != nullptr && *dir != '\0') return dir;
    return std::string(PULSEPOST_SOURCE_DIR) + "/../shared/corpus";
}

std::string sourcePath(const Case& c) {
    if (c.source == Source::Example)
        return std::string(PULSEPOST_SOURCE_DIR) + "/examples/" + c.file;
    return corpusDir() + "/" + c.file;
}

bool accepting() {
    const char* accept = std::getenv("PULSEPOST_ACCEPT_DIGESTS");
    return accept != nullptr && std::strcmp(accept, "1") == 0;
}

class ConversionDigests : public ::testing::TestWithParam<Case> {};

TEST_P(ConversionDigests, OutputsAreByteIdenticalToTheReference) {
    const Case& c = GetParam();
    testing::ScratchConversion run;
    const testing::ScratchDir& dir = run.dir;
    const std::string program = dir.file("part.nc");
    if (c.source == Source::Generated) {
        bench::ProgramKind kind;
        ASSERT_TRUE(bench::programKindNamed(c.file, kind));
        ASSERT_GT(bench::writeProgramFile(kind, program.c_str(), c.lines), 0);
    } else {
        const std::string from = sourcePath(c);
        if (c.source == Source::Corpus && !fs::exists(from)) {
            GTEST_SKIP() << from << " is not there";
        }
        fs::copy_file(from, program);
    }
    const std::string configDir = dir.file("config");
    fs::create_directory(configDir);
    if (c.machine == Machine::Shop) run.configure(testing::shopMachine, configDir);

    Outcome got;
    got.result = run.convertFile(program, configDir);
    got.cm = fileDigest(dir.file("part.CM"));
    got.brk = fileDigest(dir.file("part.BRK"));
    got.lim = fileDigest(dir.file("part.LIM"));
    got.ev = fileDigest(dir.file("part.EV"));

    if (accepting()) {
        std::printf("    {\"%s\", %d, 0x%016" PRIx64 "ULL, 0x%016" PRIx64 "ULL, 0x%016" PRIx64
                    "ULL, 0x%016" PRIx64 "ULL},\n",
                    c.name, static_cast<int>(got.result), got.cm, got.brk, got.lim, got.ev);
        return;
    }
    const ReferenceRow* want =
        std::find_if(std::begin(kReference), std::end(kReference),
                     [&](const ReferenceRow& d) { return std::strcmp(d.name, c.name) == 0; });
    ASSERT_NE(want, std::end(kReference)) << c.name << " has no reference digests";
    EXPECT_EQ(got.result, want->result);
    EXPECT_EQ(got.cm, want->cm) << "CM differs";
    EXPECT_EQ(got.brk, want->brk) << "BRK differs";
    EXPECT_EQ(got.lim, want->lim) << "LIM differs";
    EXPECT_EQ(got.ev, want->ev) << "EV differs";
}

INSTANTIATE_TEST_SUITE_P(Programs, ConversionDigests, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// The digest itself: FNV-1a of known inputs, so that a broken hash cannot pass every case.
TEST(FileDigest, IsFnv1aOfTheFileBytes) {
    testing::ScratchDir dir;
    testing::writeFile(dir.file("empty"), "");
    testing::writeFile(dir.file("a"), "a");
    testing::writeFile(dir.file("foobar"), "foobar");
    EXPECT_EQ(fileDigest(dir.file("empty")), 0xcbf29ce484222325ULL);
    EXPECT_EQ(fileDigest(dir.file("a")), 0xaf63dc4c8601ec8cULL);
    EXPECT_EQ(fileDigest(dir.file("foobar")), 0x85944171f73967e8ULL);
    EXPECT_EQ(fileDigest(dir.file("missing")), kAbsent);
}

}  // namespace
}  // namespace pulsepost
