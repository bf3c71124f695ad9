/* A host application in miniature: loads the pulsepost library at run time the way a
 * controller's host program does (LoadLibrary / GetProcAddress on Windows, dlopen / dlsym on
 * Linux), converts part programs through the single entry p with a progress callback, and checks
 * what such a host relies on:
 *
 *   - the entry is found under the plain name "p" (and not under a decorated stdcall name);
 *   - on 32-bit Windows p is called through a stdcall pointer and leaves the stack pointer and
 *     the callee-saved registers as they were (a cdecl entry would leave 12 bytes on the stack);
 *   - the progress reports come in stages 0, 1, 2, ... in order, percents within 0..100 and never
 *     falling within a stage, and every stage that was left ended with 100;
 *   - the text files (EV, LIM, timeMem.txt, the configuration files) end every line with exactly
 *     one CR LF;
 *   - with --reference DIR: every output file and the progress log are the same bytes as those of
 *     another run (the Linux library's run of the same programs), the configuration file up to
 *     the line that records each run's own working directory.
 *
 * Usage: dll_host LIBRARY WORKDIR [--reference DIR] PROGRAM...
 * Each program is copied to WORKDIR/NAME/NAME.nc and converted there with a fresh configuration
 * directory WORKDIR/NAME/cfg (so the defaults are written), with WORKDIR/NAME as the working
 * directory. The exit status is 0 when every check passed. */
#include <errno.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "pulsepost/pulsepost.h"

#if defined(_WIN32)
#include <direct.h>
#include <windows.h>
#define SEPARATOR '\\'
#define makeDirectory(path) _mkdir(path)
#define changeDirectory(path) _chdir(path)
#define currentDirectoryOf(buffer, size) _getcwd(buffer, size)
#else
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#define SEPARATOR '/'
#define makeDirectory(path) mkdir(path, 0777)
#define changeDirectory(path) chdir(path)
#define currentDirectoryOf(buffer, size) getcwd(buffer, size)
#endif

typedef int32_t(PULSEPOST_CALL* EntryFn)(const char* programPath, PulsepostProgress progress,
                                         const char* configDir);

enum { kPathSize = 1024, kMaxReports = 100000 };

static int gFailures = 0;
static int gProgramsFailed = 0;

static void fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    fputs("FAIL: ", stdout);
    vprintf(format, args);
    fputc('\n', stdout);
    va_end(args);
    ++gFailures;
}

/* ---- Calling p with the stack watched -------------------------------------------------------- */

#if defined(_WIN32) && defined(__i386__)
/* Calls fn(a, b, c) as stdcall with known values in EBX, ESI and EDI, and records the stack
 * pointer just before the arguments are pushed and just after the call returns: a stdcall callee
 * pops its 12 bytes of arguments, so the two must be equal. Written in assembly so that no
 * compiler-generated stack adjustment can hide a mismatch. */
uint32_t gEspBefore;
uint32_t gEspAfter;
uint32_t gRegistersKept;
int32_t checkedCall(EntryFn fn, const char* a, PulsepostProgress b, const char* c);
__asm__(
    ".text\n"
    ".globl _checkedCall\n"
    "_checkedCall:\n"
    "    pushl %ebp\n"
    "    movl %esp, %ebp\n"
    "    pushl %ebx\n"
    "    pushl %esi\n"
    "    pushl %edi\n"
    "    movl $0x5a5a1001, %ebx\n"
    "    movl $0x5a5a2002, %esi\n"
    "    movl $0x5a5a3003, %edi\n"
    "    movl %esp, _gEspBefore\n"
    "    pushl 20(%ebp)\n"
    "    pushl 16(%ebp)\n"
    "    pushl 12(%ebp)\n"
    "    call *8(%ebp)\n"
    "    movl %esp, _gEspAfter\n"
    "    xorl %ecx, %ecx\n"
    "    cmpl $0x5a5a1001, %ebx\n"
    "    jne 1f\n"
    "    cmpl $0x5a5a2002, %esi\n"
    "    jne 1f\n"
    "    cmpl $0x5a5a3003, %edi\n"
    "    jne 1f\n"
    "    movl $1, %ecx\n"
    "1:\n"
    "    movl %ecx, _gRegistersKept\n"
    "    leal -12(%ebp), %esp\n"
    "    popl %edi\n"
    "    popl %esi\n"
    "    popl %ebx\n"
    "    popl %ebp\n"
    "    ret\n");

static int32_t callEntry(EntryFn fn, const char* program, PulsepostProgress progress,
                         const char* configDir) {
    const int32_t result = checkedCall(fn, program, progress, configDir);
    if (gEspAfter != gEspBefore) {
        fail("stack pointer moved by %ld bytes across p", (long)gEspAfter - (long)gEspBefore);
    }
    if (!gRegistersKept) fail("p did not keep EBX, ESI and EDI");
    return result;
}
#else
static int32_t callEntry(EntryFn fn, const char* program, PulsepostProgress progress,
                         const char* configDir) {
    return fn(program, progress, configDir);
}
#endif

/* ---- Progress -------------------------------------------------------------------------------- */

typedef struct {
    int32_t stage;
    int32_t percent;
} Report;

static Report gReports[kMaxReports];
static long gReportCount = 0;

static void PULSEPOST_CALL onProgress(int32_t stage, int32_t percent) {
    if (gReportCount < kMaxReports) {
        gReports[gReportCount].stage = stage;
        gReports[gReportCount].percent = percent;
    }
    ++gReportCount;
}

/* Checks the order of the reports. Returns the last stage reported (-1 for none). */
static int checkProgress(const char* name) {
    if (gReportCount > kMaxReports) {
        fail("%s: %ld progress reports, more than %d", name, gReportCount, kMaxReports);
        return -1;
    }
    int stage = -1;
    int percent = 0;
    for (long i = 0; i < gReportCount; ++i) {
        const Report r = gReports[i];
        if (r.percent < 0 || r.percent > 100) {
            fail("%s: report %ld has percent %d", name, i, (int)r.percent);
            return -1;
        }
        if (r.stage == stage) {
            if (r.percent < percent) {
                fail("%s: stage %d fell from %d%% to %d%%", name, stage, percent, (int)r.percent);
                return -1;
            }
        } else if (r.stage == stage + 1) {
            if (stage >= 0 && percent != 100) {
                fail("%s: stage %d left at %d%%", name, stage, percent);
                return -1;
            }
        } else {
            fail("%s: stage %d reported after stage %d", name, (int)r.stage, stage);
            return -1;
        }
        stage = r.stage;
        percent = r.percent;
    }
    if (stage >= 0 && percent != 100) fail("%s: last stage %d ended at %d%%", name, stage, percent);
    return stage;
}

/* The reports that both libraries must send alike, every one of them: stage 0 measures the bytes
 * of the program consumed, the same count on both hosts whatever the line ends. */
static void writeProgressLog(const char* path) {
    FILE* f = fopen(path, "wb");
    if (!f) {
        fail("cannot create %s", path);
        return;
    }
    for (long i = 0; i < gReportCount && i < kMaxReports; ++i) {
        fprintf(f, "%d %d\n", (int)gReports[i].stage, (int)gReports[i].percent);
    }
    fclose(f);
}

/* ---- Files ----------------------------------------------------------------------------------- */

typedef struct {
    unsigned char* data;
    long size; /* -1: the file could not be read */
} Bytes;

static Bytes readAll(const char* path) {
    Bytes b = {NULL, -1};
    FILE* f = fopen(path, "rb");
    if (!f) return b;
    long capacity = 1 << 16;
    b.data = (unsigned char*)malloc((size_t)capacity);
    b.size = 0;
    size_t n;
    while (b.data && (n = fread(b.data + b.size, 1, (size_t)(capacity - b.size), f)) > 0) {
        b.size += (long)n;
        if (b.size == capacity) {
            capacity *= 2;
            b.data = (unsigned char*)realloc(b.data, (size_t)capacity);
        }
    }
    fclose(f);
    if (!b.data) b.size = -1;
    return b;
}

static int copyFile(const char* from, const char* to) {
    Bytes b = readAll(from);
    if (b.size < 0) return 0;
    FILE* f = fopen(to, "wb");
    int ok = f && fwrite(b.data, 1, (size_t)b.size, f) == (size_t)b.size;
    if (f && fclose(f) != 0) ok = 0;
    free(b.data);
    return ok;
}

/* out = directory + separator + name, cut to kPathSize - 1 characters; out may be directory. */
static void joinPath(char* out, const char* directory, const char* name) {
    const size_t d = strlen(directory);
    const size_t n = strlen(name);
    if (d + 1 + n >= kPathSize) {
        fail("path too long: %s%c%s", directory, SEPARATOR, name);
        out[0] = '\0';
        return;
    }
    memmove(out, directory, d);
    out[d] = SEPARATOR;
    memcpy(out + d + 1, name, n + 1);
}

/* A text file written by the library: every line ends in exactly one CR LF. */
static void checkTextFile(const char* path, int required) {
    Bytes b = readAll(path);
    if (b.size < 0) {
        if (required) fail("%s is missing", path);
        return;
    }
    for (long i = 0; i < b.size; ++i) {
        if (b.data[i] == '\n' && (i == 0 || b.data[i - 1] != '\r')) {
            fail("%s: line end without CR at byte %ld", path, i);
            break;
        }
        if (b.data[i] == '\r' && (i + 1 == b.size || b.data[i + 1] != '\n')) {
            fail("%s: CR not followed by LF at byte %ld", path, i);
            break;
        }
    }
    if (b.size > 0 && b.data[b.size - 1] != '\n') fail("%s: last line has no line end", path);
    free(b.data);
}

/* Byte-for-byte comparison with the reference run's file of the same name. */
static void compareWithReference(const char* path, const char* referencePath) {
    Bytes ours = readAll(path);
    Bytes theirs = readAll(referencePath);
    if (ours.size < 0 || theirs.size < 0) {
        if (ours.size != theirs.size) {
            fail("%s exists in one run only (%s)", path, ours.size < 0 ? "reference" : "this");
        }
    } else if (ours.size != theirs.size) {
        fail("%s: %ld bytes, the reference has %ld", path, ours.size, theirs.size);
    } else {
        for (long i = 0; i < ours.size; ++i) {
            if (ours.data[i] != theirs.data[i]) {
                fail("%s: first difference at byte %ld (0x%02x here, 0x%02x in the reference)",
                     path, i, ours.data[i], theirs.data[i]);
                break;
            }
        }
    }
    free(ours.data);
    free(theirs.data);
}

/* Splits b into lines (without their CR LF) in place; returns the number of lines. */
static long splitLines(Bytes* b, char** lines, long maxLines) {
    long count = 0;
    char* start = (char*)b->data;
    for (long i = 0; i < b->size && count < maxLines; ++i) {
        if (b->data[i] == '\n') {
            b->data[i] = '\0';
            if (i > 0 && b->data[i - 1] == '\r') b->data[i - 1] = '\0';
            lines[count++] = start;
            start = (char*)b->data + i + 1;
        }
    }
    return count;
}

/* The configuration file records the working directory of the run that wrote it, which differs
 * between the two runs by design; every other line must be the same. The directory each run saw
 * is in its cwd.txt. */
static void compareConfiguration(const char* path, const char* referencePath, const char* cwd,
                                 const char* referenceCwd) {
    enum { kMaxLines = 400 };
    char* ours[kMaxLines];
    char* theirs[kMaxLines];
    Bytes a = readAll(path);
    Bytes b = readAll(referencePath);
    if (a.size < 0 || b.size < 0) {
        fail("%s: missing in %s run", path, a.size < 0 ? "this" : "the reference");
        free(a.data);
        free(b.data);
        return;
    }
    const long na = splitLines(&a, ours, kMaxLines);
    const long nb = splitLines(&b, theirs, kMaxLines);
    if (na != nb) fail("%s: %ld lines, the reference has %ld", path, na, nb);
    for (long i = 0; i < na && i < nb; ++i) {
        if (strcmp(ours[i], theirs[i]) == 0) continue;
        /* The directory line: the 0xFE mark and the start of each run's own directory. */
        const int isDirectoryLine =
            (unsigned char)ours[i][0] == 0xFE && (unsigned char)theirs[i][0] == 0xFE &&
            ours[i][1] != '\0' && strncmp(cwd, ours[i] + 1, strlen(ours[i] + 1)) == 0 &&
            strncmp(referenceCwd, theirs[i] + 1, strlen(theirs[i] + 1)) == 0;
        if (!isDirectoryLine) fail("%s: line %ld differs from the reference", path, i + 1);
    }
    free(a.data);
    free(b.data);
}

static void removeIfThere(const char* path) {
    if (remove(path) != 0 && errno != ENOENT) fail("cannot remove %s", path);
}

/* ---- One conversion -------------------------------------------------------------------------- */

static const char* const kOutputExtensions[] = {"CM", "BRK", "LIM", "EV"};
enum { kOutputCount = 4 };

static void convertOne(EntryFn entry, const char* workDir, const char* referenceDir,
                       const char* programSource) {
    const int failuresBefore = gFailures;
    /* NAME: the program's file name without its extension. */
    const char* base = programSource;
    for (const char* c = programSource; *c; ++c) {
        if (*c == '/' || *c == '\\') base = c + 1;
    }
    char name[256];
    snprintf(name, sizeof name, "%s", base);
    char* dot = strrchr(name, '.');
    if (dot) *dot = '\0';

    char jobDir[kPathSize], configDir[kPathSize], program[kPathSize], path[kPathSize];
    char fileName[300];
    joinPath(jobDir, workDir, name);
    joinPath(configDir, jobDir, "cfg");
    makeDirectory(jobDir);
    makeDirectory(configDir);
    snprintf(fileName, sizeof fileName, "%s.nc", name);
    joinPath(program, jobDir, fileName);
    for (int i = 0; i < kOutputCount; ++i) {
        snprintf(fileName, sizeof fileName, "%s.%s", name, kOutputExtensions[i]);
        joinPath(path, jobDir, fileName);
        removeIfThere(path);
    }
    joinPath(path, configDir, "ZORVAN.CFG");
    removeIfThere(path);
    joinPath(path, configDir, "params.cfg");
    removeIfThere(path);
    joinPath(path, jobDir, "timeMem.txt");
    removeIfThere(path);
    if (!copyFile(programSource, program)) {
        fail("cannot copy %s to %s", programSource, program);
        return;
    }

    if (changeDirectory(jobDir) != 0) {
        fail("cannot enter %s", jobDir);
        return;
    }
    char cwd[kPathSize];
    if (!currentDirectoryOf(cwd, sizeof cwd)) cwd[0] = '\0';
    joinPath(path, jobDir, "cwd.txt");
    FILE* f = fopen(path, "wb");
    if (f) {
        fputs(cwd, f);
        fclose(f);
    }

    gReportCount = 0;
    const int32_t result = callEntry(entry, program, onProgress, configDir);
    if (result != 0) fail("%s: p returned %d", name, (int)result);
    const int lastStage = checkProgress(name);
    joinPath(path, jobDir, "progress.txt");
    writeProgressLog(path);

    snprintf(fileName, sizeof fileName, "%s.CM", name);
    joinPath(path, jobDir, fileName);
    Bytes cm = readAll(path);
    if (cm.size > 0 && lastStage != 5) fail("%s: motion written but stage 5 never reported", name);
    free(cm.data);

    const char* const textFiles[] = {"EV", "LIM"};
    for (int i = 0; i < 2; ++i) {
        snprintf(fileName, sizeof fileName, "%s.%s", name, textFiles[i]);
        joinPath(path, jobDir, fileName);
        checkTextFile(path, 1);
    }
    joinPath(path, jobDir, "timeMem.txt");
    checkTextFile(path, lastStage == 5);
    joinPath(path, configDir, "params.cfg");
    checkTextFile(path, 1);
    joinPath(path, configDir, "ZORVAN.CFG");
    checkTextFile(path, 1);

    if (referenceDir) {
        char referenceJob[kPathSize], referencePath[kPathSize];
        joinPath(referenceJob, referenceDir, name);
        for (int i = 0; i < kOutputCount; ++i) {
            snprintf(fileName, sizeof fileName, "%s.%s", name, kOutputExtensions[i]);
            joinPath(path, jobDir, fileName);
            joinPath(referencePath, referenceJob, fileName);
            compareWithReference(path, referencePath);
        }
        joinPath(path, jobDir, "progress.txt");
        joinPath(referencePath, referenceJob, "progress.txt");
        compareWithReference(path, referencePath);
        joinPath(path, configDir, "params.cfg");
        joinPath(referencePath, referenceJob, "cfg");
        joinPath(referencePath, referencePath, "params.cfg");
        compareWithReference(path, referencePath);

        joinPath(referencePath, referenceJob, "cwd.txt");
        Bytes referenceCwd = readAll(referencePath);
        if (referenceCwd.size < 0) {
            fail("%s is missing", referencePath);
        } else {
            referenceCwd.data =
                (unsigned char*)realloc(referenceCwd.data, (size_t)referenceCwd.size + 1);
            referenceCwd.data[referenceCwd.size] = '\0';
            joinPath(path, configDir, "ZORVAN.CFG");
            joinPath(referencePath, referenceJob, "cfg");
            joinPath(referencePath, referencePath, "ZORVAN.CFG");
            compareConfiguration(path, referencePath, cwd, (const char*)referenceCwd.data);
        }
        free(referenceCwd.data);
    }
    printf("%-28s %s, %ld progress reports, last stage %d\n", name,
           gFailures == failuresBefore ? "ok" : "FAILED", gReportCount, lastStage);
}

/* ---- Loading the library --------------------------------------------------------------------- */

static EntryFn loadEntry(const char* library) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(library);
    if (!module) {
        fail("LoadLibrary(%s) failed with error %lu", library, (unsigned long)GetLastError());
        return NULL;
    }
    if (GetProcAddress(module, "p@12") || GetProcAddress(module, "_p@12")) {
        fail("the entry is also exported under a decorated stdcall name");
    }
    return (EntryFn)(void (*)(void))GetProcAddress(module, "p");
#else
    void* module = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        fail("dlopen(%s): %s", library, dlerror());
        return NULL;
    }
    EntryFn entry;
    void* symbol = dlsym(module, "p");
    memcpy(&entry, &symbol, sizeof entry);
    return entry;
#endif
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: %s LIBRARY WORKDIR [--reference DIR] PROGRAM...\n", argv[0]);
        return 2;
    }
    const char* library = argv[1];
    const char* workDir = argv[2];
    const char* referenceDir = NULL;
    int first = 3;
    if (strcmp(argv[3], "--reference") == 0 && argc > 4) {
        referenceDir = argv[4];
        first = 5;
    }
    makeDirectory(workDir);

    EntryFn entry = loadEntry(library);
    if (!entry) {
        fail("%s has no entry named p", library);
        return 1;
    }
    for (int i = first; i < argc; ++i) {
        const int failuresBefore = gFailures;
        convertOne(entry, workDir, referenceDir, argv[i]);
        if (gFailures != failuresBefore) ++gProgramsFailed;
    }

    printf("conversions: %d passed, %d failed\n", argc - first - gProgramsFailed, gProgramsFailed);
    return gFailures == 0 ? 0 : 1;
}
