// File services the conversion needs beyond the C stream functions: the length of an open file,
// a raw write past the stream's buffer, the current directory, text output with CR LF line ends
// on every host (the controller reads its text files so), opening only regular files, replacing
// a file whole, and a lock on a directory.
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/printf_format.h"

namespace pulsepost {

constexpr int kPathLimit = 255;  // characters in every path the conversion keeps

// The byte that ends a text file as this host's C runtime reads text: Ctrl-Z (0x1A) in the
// Windows runtime's text mode; none elsewhere (-1). Programs are read in binary mode, so that
// the read position is a byte count on every host, and honour this byte themselves.
#if defined(_WIN32)
constexpr int kTextEndByte = 0x1A;
#else
constexpr int kTextEndByte = -1;
#endif

// Length in bytes of the open file, or -1 when it cannot be told.
long fileLength(FILE* file);

// Writes size bytes straight to the stream's descriptor; returns the bytes written (or -1).
long rawWrite(FILE* file, const void* data, std::size_t size);

// Copies the current directory, cut to limit characters, into buffer (limit + 1 bytes). Returns
// false (and an empty buffer) when the directory cannot be had.
bool currentDirectory(char* buffer, int limit);

// Creates the file at path, or empties the one there, and opens it for binary writing. A FIFO
// that no process reads is not waited on: nullptr with errno ENXIO. nullptr with errno set on
// any other failure.
FILE* openForWriting(const char* path);

// Why an open for writing failed with error, for a message: the C library's reason, or that the
// file is a FIFO no process reads.
const char* openFailure(int error);

// Opens a text file for writing as openForWriting does; every "\n" written with writeText or
// printText becomes CR LF.
FILE* openTextForWriting(const char* path);

// Writes text, turning each "\n" into CR LF. Returns false (the failure noted, see
// noteWriteError) when the stream reports a failure.
bool writeText(FILE* file, const char* text);

// printf into a text file with CR LF line ends.
bool printText(FILE* file, const char* format, ...) PULSEPOST_PRINTF_FORMAT(2, 3);

// The C library's error of the first write to file that failed, kept from the moment of the
// failure until the stream is closed with closeWritten: by then errno has long been overwritten,
// and a report would give a stale reason. Call right after a write to file fell short.
void noteWriteError(FILE* file);

// Drops every noted error, at the start of a conversion.
void forgetWriteErrors();

// Closes a stream that was written (its buffer is flushed on the way). 0 when every write and
// the close succeeded; otherwise the C library's error of the first failure (EIO when the
// stream failed without one).
int closeWritten(FILE* file);

// Empties the regular file at path when there is one; creates nothing. False when a regular file
// is there and could not be emptied.
bool truncateIfExists(const char* path);

// How an open of an existing file for reading ended.
enum class OpenStatus {
    Opened,
    Missing,     // no such file (errno ENOENT or ENOTDIR)
    NotRegular,  // a directory, a FIFO, a device: never read as a part program or configuration
    Failed,      // the file is there but cannot be opened (errno tells why)
};

// Opens path for reading in mode ("r", "rb", "rt") only when it is a regular file (a symbolic
// link is followed). A FIFO is looked at without waiting for a writer, so that it is refused
// rather than blocking the call. nullptr with status and errno set otherwise.
FILE* openRegularFile(const char* path, const char* mode, OpenStatus& status);

// True when path itself is a symbolic link (never on hosts without them).
bool isSymbolicLink(const char* path);

// True when both paths name one existing file (the same device and file number; on Windows the
// same full path, letter case ignored).
bool sameFile(const char* a, const char* b);

constexpr int kReplacementPathLimit = kPathLimit + 16;  // a kept path and a suffix of its own

// A file written anew so that the old one stays whole until the new one is complete: the new
// text goes to NAME.new beside it, is forced to the disk and then renamed over NAME. A symbolic
// link in NAME's place is replaced itself, never written through; a stale NAME.new is never
// followed either.
struct Replacement {
    FILE* file = nullptr;
    char target[kReplacementPathLimit + 1] = "";
    char temporary[kReplacementPathLimit + 1] = "";
};

// Creates the temporary file for writing (binary; use writeText for CR LF). nullptr with errno
// set when it cannot be created.
FILE* beginReplacement(Replacement& replacement, const char* path);
// Flushes, syncs and closes the temporary file and renames it over the target. False (errno set,
// the temporary removed, the target untouched) when any step failed.
bool commitReplacement(Replacement& replacement);
// Closes and removes the temporary file; the target stays as it was.
void abandonReplacement(Replacement& replacement);

// Keeps the file at path under the name backup, replacing an older backup. Where the host allows
// it the file stays at path as well (a second link), so that it is never missing there. False
// (errno set) when no backup could be made.
bool keepBackup(const char* path, const char* backup);

// An advisory lock on a directory for the lifetime of the object, taken by every call that may
// rewrite the configuration files in it, so that two conversions starting at once read and
// replace them one after the other. The current directory when dir is empty. Waits for the lock.
// On Linux it is a flock of the directory; on Windows, which locks files and not directories,
// a lock of the empty file pulsepost.lck in it, created when missing and left in place. Where the
// lock cannot be had (the directory or the lock file cannot be opened, a file system without locks)
// the caller goes on without it: the files' own replacement by rename still keeps each of them
// whole.
class DirectoryLock {
  public:
    explicit DirectoryLock(const char* dir);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

  private:
    int descriptor_ = -1;
};

// Joins a directory and a file name with the host's separator, cut silently at kPathLimit
// characters as the configuration paths are: at most 255 characters of the directory, then the
// separator and the name, each limited to the room left.
void joinPathCut(char (&out)[kPathLimit + 1], const char* directory, const char* name);

// Names of the files written beside the part program: the program path with the extension of
// its file name replaced ("plate.nc" -> "plate.CM"). Only a "." in the file name itself counts,
// never one in a directory name; a file name without one gets "." and the extension appended,
// so that no file is ever written outside the program's directory. Builds the path into out;
// false (out empty) when it would not fit kPathLimit characters.
bool outputPath(char (&out)[kPathLimit + 1], const char* programPath, const char* extension);

}  // namespace pulsepost
