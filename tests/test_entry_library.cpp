// libpulsepost.so as a host application loads it: the entry point and the message-sink setter
// are the only names it exports, and a conversion through it writes the same files as the
// library linked into the tests.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "pulsepost/pulsepost.h"
#include "test_support.h"

namespace pulsepost {
namespace {

#if defined(PULSEPOST_SHARED_LIBRARY)

using EntryFn = int32_t (*)(const char*, PulsepostProgress, const char*);
using SinkSetterFn = void (*)(PulsepostMessageSink);

int gReports = 0;
void PULSEPOST_CALL countReport(int32_t, int32_t) {
    ++gReports;
}

TEST(SharedLibrary, ExportsTheEntryPointAndConvertsLikeTheLinkedLibrary) {
    void* library = dlopen(PULSEPOST_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto entry = reinterpret_cast<EntryFn>(dlsym(library, "p"));
    const auto setSink =
        reinterpret_cast<SinkSetterFn>(dlsym(library, "pulsepost_set_message_sink"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(setSink, nullptr);
    // The readback's calls.
    EXPECT_NE(dlsym(library, "pulsepost_read_scale"), nullptr);
    EXPECT_NE(dlsym(library, "pulsepost_read_motion_limits"), nullptr);
    EXPECT_NE(dlsym(library, "pulsepost_check_program"), nullptr);
    EXPECT_NE(dlsym(library, "pulsepost_declare_unit"), nullptr);  // the command's --units
    // Internal functions stay inside.
    EXPECT_EQ(dlsym(library, "_ZN9pulsepost13runConversionEPKciPFviiE"), nullptr);
    EXPECT_EQ(dlsym(library, "_ZN9pulsepost18setUpConfigurationEPKc"), nullptr);

    testing::ScratchDir viaLibrary, linked;
    const std::string program = "G1 X1 Y0.5\nM8\nG2 X2 Y0.5 I0.5 J0\n";
    testing::writeFile(viaLibrary.file("part.nc"), program);
    testing::writeFile(linked.file("part.nc"), program);
    {
        testing::WorkingDir cwd(viaLibrary.path());
        EXPECT_EQ(entry(viaLibrary.file("part.nc").c_str(), countReport, viaLibrary.path().c_str()),
                  0);
    }
    EXPECT_GT(gReports, 6);
    {
        testing::WorkingDir cwd(linked.path());
        EXPECT_EQ(p(linked.file("part.nc").c_str(), nullptr, linked.path().c_str()), 0);
    }
    for (const char* name : {"part.CM", "part.BRK", "part.LIM", "part.EV"}) {
        EXPECT_EQ(testing::readBytes(viaLibrary.file(name)), testing::readBytes(linked.file(name)))
            << name;
    }
    dlclose(library);
}

#else
TEST(SharedLibrary, NotBuilt) {
    GTEST_SKIP() << "no shared library in this build";
}
#endif

}  // namespace
}  // namespace pulsepost
