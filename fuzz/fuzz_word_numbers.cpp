// The numbers of program words: the fast decimal reader must give exactly the double the C
// library's atof gives (bit for bit, the sign of zero and every NaN included), for any text.
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "gcode/line_words.h"

using namespace pulsepost;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // NUL-terminated copy
    const double fast = readDecimal(text.c_str());
    const double library = std::strtod(text.c_str(), nullptr);
    const bool bothNaN = fast != fast && library != library;
    if (!bothNaN && std::memcmp(&fast, &library, sizeof fast) != 0) {
        fuzzing::propertyBroken("\"%s\" reads as %.17g, the C library reads %.17g", text.c_str(),
                                fast, library);
    }
    return 0;
}
