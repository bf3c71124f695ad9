// Compile-time checking of printf-style formats in the library's own formatting functions. The
// Windows build formats through mingw-w64's C99 printf family (not the old C runtime's), which
// accepts the same conversions as the Linux C library (%zu, %lld, ...), so both builds check by
// the GNU rules.
#pragma once

#if defined(__MINGW32__)
#define PULSEPOST_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define PULSEPOST_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#endif
