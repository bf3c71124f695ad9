#include "fuzz_support.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace pulsepost::fuzzing {

namespace {

std::string gScratch;

void removeScratch() {
    std::error_code ignored;
    if (!gScratch.empty()) std::filesystem::remove_all(gScratch, ignored);
}

}  // namespace

const std::string& scratchDirectory() {
    if (gScratch.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pulsepost-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) propertyBroken("cannot make a scratch directory");
        gScratch = pattern;
        std::atexit(removeScratch);
        if (chdir(gScratch.c_str()) != 0) propertyBroken("cannot enter %s", gScratch.c_str());
    }
    return gScratch;
}

std::string scratchFile(const char* name) {
    return scratchDirectory() + "/" + name;
}

void writeInput(const std::string& path, const uint8_t* data, std::size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) propertyBroken("cannot create %s", path.c_str());
    if (size > 0 && std::fwrite(data, 1, size, file) != size) propertyBroken("short write");
    if (std::fclose(file) != 0) propertyBroken("cannot close %s", path.c_str());
}

void propertyBroken(const char* format, ...) {
    std::fputs("\nPROPERTY BROKEN: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::abort();
}

}  // namespace pulsepost::fuzzing
