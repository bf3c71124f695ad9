#include "platform/files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#if defined(_WIN32)
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace pulsepost {

long fileLength(FILE* file) {
#if defined(_WIN32)
    return _filelength(_fileno(file));
#else
    struct stat info {};
    if (fstat(fileno(file), &info) != 0) return -1;
    return static_cast<long>(info.st_size);
#endif
}

long rawWrite(FILE* file, const void* data, std::size_t size) {
#if defined(_WIN32)
    return _write(_fileno(file), data, static_cast<unsigned>(size));
#else
    return static_cast<long>(write(fileno(file), data, size));
#endif
}

bool currentDirectory(char* buffer, int limit) {
    buffer[0] = '\0';
    char full[4096];
#if defined(_WIN32)
    if (_getcwd(full, sizeof full) == nullptr) return false;
#else
    if (getcwd(full, sizeof full) == nullptr) return false;
#endif
    std::strncpy(buffer, full, static_cast<std::size_t>(limit));
    buffer[limit] = '\0';
    return true;
}

FILE* openForWriting(const char* path) {
#if defined(_WIN32)
    return std::fopen(path, "wb");
#else
    // Without O_NONBLOCK the open of a FIFO waits for a reader that may never come; the
    // descriptor blocks again once open, as a stream's writes expect.
    const int descriptor = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) return nullptr;
    const int flags = fcntl(descriptor, F_GETFL);
    FILE* file = flags >= 0 && fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0
                     ? fdopen(descriptor, "wb")
                     : nullptr;
    if (file == nullptr) {
        const int error = errno;
        close(descriptor);
        errno = error;
    }
    return file;
#endif
}

const char* openFailure(int error) {
    return error == ENXIO ? "a FIFO that no process reads: nothing is written into it"
                          : std::strerror(error);
}

FILE* openTextForWriting(const char* path) {
    // Binary mode on every host: the CR LF line ends are written by writeText itself, so that
    // Windows' text mode cannot add a second CR.
    return openForWriting(path);
}

namespace {

// First write errors of the streams open at once (a conversion writes five at most).
struct NotedError {
    FILE* file;
    int error;
};
constexpr int kNotedStreams = 8;
NotedError gNotedErrors[kNotedStreams] = {};

}  // namespace

void noteWriteError(FILE* file) {
    const int error = errno != 0 ? errno : EIO;
    NotedError* freeSlot = nullptr;
    for (NotedError& noted : gNotedErrors) {
        if (noted.file == file) return;  // the first failure is the reason
        if (noted.file == nullptr && freeSlot == nullptr) freeSlot = &noted;
    }
    if (freeSlot != nullptr) *freeSlot = NotedError{file, error};
}

void forgetWriteErrors() {
    for (NotedError& noted : gNotedErrors)
        noted = NotedError{};
}

int closeWritten(FILE* file) {
    int error = 0;
    for (NotedError& noted : gNotedErrors) {
        if (noted.file == file) {
            error = noted.error;
            noted = NotedError{};
        }
    }
    const bool failedBefore = std::ferror(file) != 0;
    errno = 0;
    if (std::fclose(file) != 0 && error == 0) error = errno != 0 ? errno : EIO;
    if (failedBefore && error == 0) error = EIO;
    return error;
}

bool writeText(FILE* file, const char* text) {
    bool ok = true;
    const char* run = text;
    for (const char* c = text;; ++c) {
        if (*c == '\n' || *c == '\0') {
            const std::size_t n = static_cast<std::size_t>(c - run);
            if (n != 0 && std::fwrite(run, 1, n, file) != n) ok = false;
            if (*c == '\0') break;
            if (std::fwrite("\r\n", 1, 2, file) != 2) ok = false;
            run = c + 1;
        }
    }
    if (!ok) noteWriteError(file);
    return ok;
}

bool printText(FILE* file, const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return false;
    return writeText(file, buffer);
}

void joinPathCut(char (&out)[kPathLimit + 1], const char* directory, const char* name) {
#if defined(_WIN32)
    const char* separator = "\\";
#else
    const char* separator = "/";
#endif
    out[0] = '\0';
    if (directory[0] == '\0') {  // the current directory: the bare name, never the root
        std::strncat(out, name, kPathLimit);
        return;
    }
    std::strncat(out, directory, kPathLimit);
    std::strncat(out, separator, kPathLimit - std::strlen(out));
    std::strncat(out, name, kPathLimit - std::strlen(out));
}

#if defined(_WIN32)

FILE* openRegularFile(const char* path, const char* mode, OpenStatus& status) {
    FILE* file = std::fopen(path, mode);
    if (file == nullptr) {
        const int error = errno;
        struct _stat info {};
        if (_stat(path, &info) == 0 && (info.st_mode & _S_IFREG) == 0) {
            status = OpenStatus::NotRegular;
        } else {
            status = error == ENOENT ? OpenStatus::Missing : OpenStatus::Failed;
        }
        errno = error;
        return nullptr;
    }
    struct _stat info {};
    if (_fstat(_fileno(file), &info) != 0 || (info.st_mode & _S_IFREG) == 0) {
        std::fclose(file);
        status = OpenStatus::NotRegular;
        return nullptr;
    }
    status = OpenStatus::Opened;
    return file;
}

bool truncateIfExists(const char* path) {
    struct _stat info {};
    if (_stat(path, &info) != 0 || (info.st_mode & _S_IFREG) == 0) return true;
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

bool isSymbolicLink(const char*) {
    return false;
}

bool sameFile(const char* a, const char* b) {
    struct _stat infoA {
    }, infoB{};
    if (_stat(a, &infoA) != 0 || _stat(b, &infoB) != 0) return false;
    char fullA[MAX_PATH], fullB[MAX_PATH];
    if (_fullpath(fullA, a, MAX_PATH) == nullptr || _fullpath(fullB, b, MAX_PATH) == nullptr) {
        return false;
    }
    return _stricmp(fullA, fullB) == 0;
}

namespace {
FILE* createTemporary(const char* path) {
    std::remove(path);
    return std::fopen(path, "wb");
}
bool syncAndClose(FILE* file) {
    const bool flushed = std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    const int error = errno;
    const int closeError = closeWritten(file);
    errno = flushed ? closeError : error;
    return flushed && closeError == 0;
}
bool renameOver(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    errno = EACCES;
    return false;
}
}  // namespace

bool keepBackup(const char* path, const char* backup) {
    return renameOver(path, backup);
}

// Windows locks byte ranges of files, not directories: the lock is on the first byte of an
// empty file kept in the directory for it, which every caller opens and never writes. It is
// never removed: a caller that removed it would let the next one lock a new file of that name
// while a third still waits on the old one.
constexpr const char* kDirectoryLockName = "pulsepost.lck";

DirectoryLock::DirectoryLock(const char* dir) {
    char path[kPathLimit + 1];
    joinPathCut(path, dir, kDirectoryLockName);
    descriptor_ =
        _open(path, _O_RDONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (descriptor_ < 0) return;
    OVERLAPPED start{};
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor_));
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start)) {
        _close(descriptor_);  // a file system without locks: go on unlocked, as elsewhere
        descriptor_ = -1;
    }
}

DirectoryLock::~DirectoryLock() {
    if (descriptor_ < 0) return;
    OVERLAPPED start{};
    UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor_)), 0, 1, 0, &start);
    _close(descriptor_);
}

#else

FILE* openRegularFile(const char* path, const char* mode, OpenStatus& status) {
    // Without O_NONBLOCK the open of a FIFO waits for a writer that may never come.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        status = errno == ENOENT || errno == ENOTDIR ? OpenStatus::Missing : OpenStatus::Failed;
        return nullptr;
    }
    struct stat info {};
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        status = OpenStatus::NotRegular;
        return nullptr;
    }
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    FILE* file = fdopen(descriptor, mode);
    if (file == nullptr) {
        const int error = errno;
        close(descriptor);
        errno = error;
        status = OpenStatus::Failed;
        return nullptr;
    }
    status = OpenStatus::Opened;
    return file;
}

bool truncateIfExists(const char* path) {
    const int descriptor = open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return errno == ENOENT;
    struct stat info {};
    const bool regular = fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    const bool emptied = !regular || ftruncate(descriptor, 0) == 0;
    close(descriptor);
    return emptied;
}

bool isSymbolicLink(const char* path) {
    struct stat info {};
    return lstat(path, &info) == 0 && S_ISLNK(info.st_mode);
}

bool sameFile(const char* a, const char* b) {
    struct stat infoA {
    }, infoB{};
    if (stat(a, &infoA) != 0 || stat(b, &infoB) != 0) return false;
    return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

namespace {
// O_EXCL never follows a symbolic link left at the temporary name; a stale temporary of an
// interrupted call is removed once and the creation tried again.
FILE* createTemporary(const char* path) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            FILE* file = fdopen(descriptor, "wb");
            if (file == nullptr) close(descriptor);
            return file;
        }
        if (errno != EEXIST || unlink(path) != 0) return nullptr;
    }
    return nullptr;
}
bool syncAndClose(FILE* file) {
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const int error = errno;
    const int closeError = closeWritten(file);
    errno = flushed ? closeError : error;
    return flushed && closeError == 0;
}
bool renameOver(const char* from, const char* to) {
    return std::rename(from, to) == 0;
}
}  // namespace

bool keepBackup(const char* path, const char* backup) {
    if (unlink(backup) != 0 && errno != ENOENT) return false;
    if (link(path, backup) == 0) return true;
    return renameOver(path, backup);  // a file system without hard links
}

DirectoryLock::DirectoryLock(const char* dir) {
    descriptor_ = open(dir[0] != '\0' ? dir : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0) return;
    while (flock(descriptor_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

DirectoryLock::~DirectoryLock() {
    if (descriptor_ >= 0) close(descriptor_);  // closing the last descriptor releases the lock
}

#endif

FILE* beginReplacement(Replacement& replacement, const char* path) {
    replacement = Replacement{};
    std::snprintf(replacement.target, sizeof replacement.target, "%s", path);
    std::snprintf(replacement.temporary, sizeof replacement.temporary, "%s.new", path);
    replacement.file = createTemporary(replacement.temporary);
    return replacement.file;
}

bool commitReplacement(Replacement& replacement) {
    const bool synced = syncAndClose(replacement.file);
    replacement.file = nullptr;
    if (synced && renameOver(replacement.temporary, replacement.target)) return true;
    const int error = errno != 0 ? errno : EIO;
    std::remove(replacement.temporary);
    errno = error;
    return false;
}

void abandonReplacement(Replacement& replacement) {
    if (replacement.file == nullptr) return;
    closeWritten(replacement.file);
    replacement.file = nullptr;
    std::remove(replacement.temporary);
}

namespace {
bool isSeparator(char c) {
#if defined(_WIN32)
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}
}  // namespace

bool outputPath(char (&out)[kPathLimit + 1], const char* programPath, const char* extension) {
    out[0] = '\0';
    const std::size_t pathLength = std::strlen(programPath);
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < pathLength; ++i) {
        if (isSeparator(programPath[i])) nameStart = i + 1;
    }
    const char* dot = std::strrchr(programPath + nameStart, '.');
    const std::size_t stem = dot ? static_cast<std::size_t>(dot - programPath) : pathLength;
    const std::size_t total = stem + 1 + std::strlen(extension);
    if (total > static_cast<std::size_t>(kPathLimit)) return false;
    std::memcpy(out, programPath, stem);
    out[stem] = '.';
    std::memcpy(out + stem + 1, extension, std::strlen(extension) + 1);
    return true;
}

}  // namespace pulsepost
