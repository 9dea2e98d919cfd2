// The display's one way of opening files. The fault table, the diagnostics
// log, the settings files, the pictures and the copy on a stick all go
// through here, so that whatever stands under their names none of them
// blocks the main loop, writes through a link or is read without bound:
// - a file is looked at (lstat) before it is opened, opened without
//   following a link and without waiting (a pipe or a device is never
//   opened), and checked once open: only the regular file that was looked
//   at is read or written;
// - a read has a limit for the whole file, and for each line: a longer line
//   is a damaged line, skipped without being held;
// - a file is replaced whole through a new file of an unpredictable name in
//   the same folder, synced and renamed over it, the folder synced too;
// - a folder is listed up to a number of entries.
// Each refusal says why (an Outcome, no exceptions); Report() prints one
// line about it, once per file and cause.
#ifndef CABDISPLAY_FILEIO_FILEIO_H
#define CABDISPLAY_FILEIO_FILEIO_H

#include <cstddef>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fileio {

// Why an operation did not happen.
enum class Refusal : unsigned char {
    None,            // it did
    Missing,         // no such file or folder
    Link,            // a symbolic link stands under the name; never followed
    Folder,          // a folder where a file should be
    Pipe,            // a named pipe
    Device,          // a device or another special file
    Socket,          // a socket
    NotAFolder,      // something else where a folder should be
    Swapped,         // another file took the name between the look and the open
    TooLarge,        // larger than its limit
    TooManyEntries,  // a folder with more entries than its limit
    Failed,          // the system refused an open, read, write, sync or rename
    DamagedLines,    // read, but lines longer than their limit were skipped (only reported)
};

struct Outcome {
    Refusal refusal = Refusal::None;
    int error = 0;            // errno, for Failed; how many lines, for DamagedLines
    std::uint64_t limit = 0;  // for TooLarge (bytes), TooManyEntries, DamagedLines (bytes)

    bool ok() const { return refusal == Refusal::None; }
    static Outcome Because(Refusal why, std::uint64_t limit = 0) { return Outcome{why, 0, limit}; }
    static Outcome FromErrno(int error);
};

// The reason in words: "a named pipe, not a file", "larger than 4 MB", ...
std::string Reason(const Outcome& outcome);

// Prints "<path>: <what was not done>: <reason>" on standard output (for
// damaged lines "<path>: <reason>") for a refusal it has not printed for
// that path and deed since they last did well: one line per cause, however
// often the display tries. A missing file is not reported here (the
// display has its own lines for that). True when it printed.
class Reporter {
public:
    bool Report(const std::string& path, const std::string& notDone, const Outcome& outcome);
    void Forget() { said_.clear(); }

private:
    std::map<std::pair<std::string, std::string>, std::pair<Refusal, int>> said_;
};

// Report() of the process's own reporter; `notDone` says what was not
// done: "not read", "not written", ...
bool Report(const std::string& path, const std::string& notDone, const Outcome& outcome);
// Forgets what Report() has said (for tests that start as the display does).
void ForgetReported();

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool open() const { return fd_ >= 0; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    // Gives the descriptor away: no longer closed here.
    int Release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; false when the close reports an error (a lost write).
    bool Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_ = -1;
};

// The refusal for a file of this kind where a regular file should be;
// None for a regular file.
Refusal RefusalForKind(mode_t mode);

// --- reading ------------------------------------------------------------

// A regular file open for reading.
class Reader {
public:
    // Looks at `path` (relative to the folder `at`), refuses anything but a
    // regular file of at most byteLimit bytes, opens it without following a
    // link or waiting, and checks that the open file is the one looked at.
    Outcome Open(const char* path, std::uint64_t byteLimit, int at = AT_FDCWD);
    Outcome Open(const std::string& path, std::uint64_t byteLimit, int at = AT_FDCWD)
    {
        return Open(path.c_str(), byteLimit, at);
    }
    int fd() const { return fd_.get(); }
    // The file as it was opened.
    const struct stat& Opened() const { return opened_; }

private:
    Descriptor fd_;
    struct stat opened_ {};
};

// Reads up to `size` bytes, again after an interruption; what read(2)
// returns otherwise.
ssize_t ReadSome(int fd, char* data, std::size_t size);

// Limits of a read by lines.
struct LineLimits {
    std::uint64_t bytes;  // the whole file
    std::size_t line;     // one line, its line feed not counted
};

// Called with each line, without its line feed (a last line without one
// too); false stops the reading. The bytes live only during the call.
using LineFunction = std::function<bool(const char* line, std::size_t size)>;

// What a read by lines saw.
struct LinesRead {
    unsigned long lines = 0;    // handed to the line function
    unsigned long damaged = 0;  // longer than the line limit: skipped
    bool stopped = false;       // the line function stopped the read
    bool endsWithLineFeed = true;  // or the file is empty
    struct stat before {};     // the file as opened...
    struct stat after {};      // ... and once read
};

// Reads the regular file by lines within the limits. A file that grows past
// the byte limit while it is read is refused as too large.
Outcome ReadLines(const std::string& path, const LineLimits& limits, const LineFunction& line,
                  LinesRead* read = nullptr, int at = AT_FDCWD);

// What a read by lines has to report: its refusal, else the damaged lines
// it skipped, else that it did well.
Outcome ToReport(const Outcome& outcome, const LinesRead& read, const LineLimits& limits);

// The whole regular file, at most byteLimit bytes. `opened` (when given)
// gets the file as it was opened.
Outcome ReadAll(const std::string& path, std::uint64_t byteLimit, std::string& bytes,
                struct stat* opened = nullptr, int at = AT_FDCWD);

// The whole regular file into the buffer, allocating nothing: refused as
// too large when it holds more than `capacity` bytes.
Outcome ReadInto(const char* path, char* buffer, std::size_t capacity, std::size_t& length);

// --- writing ------------------------------------------------------------

// The write step; tests give their own (a stick pulled out, a full disk).
using WriteFunction = ssize_t (*)(int fd, const void* data, std::size_t size);

// Writes every byte, again after an interrupted or short write. False when
// a write fails or writes nothing.
bool WriteAll(int fd, const char* data, std::size_t size, WriteFunction write = &::write);

// What an append did.
struct Appended {
    bool created = false;        // the file did not exist
    bool lineFeedAdded = false;  // the file did not end in a line feed: one went first
    struct stat before {};       // the file as opened (size 0 when created)
    struct stat after {};        // and with the row
};

// Appends the row to the regular file `path`, created when missing. The
// bytes go in one write, after a line feed when the file does not end in
// one; a write that fails or a close that reports an error cuts the file
// back to its size before the append.
Outcome AppendRow(const std::string& path, const std::string& row, Appended* appended = nullptr,
                  WriteFunction write = &::write);

// Writes the content of a new file; false on any error.
using FillFunction = std::function<bool(int fd)>;

// Replaces `name` in the open folder whole: a new file of an unpredictable
// name in the folder (created, never an existing file, link or pipe),
// filled, synced, renamed over `name`, then the folder synced (a file
// system that cannot sync a folder says so with EINVAL; that is accepted).
// On any failure the new file is removed and `name` is left as it was.
Outcome Replace(int folder, const std::string& name, const FillFunction& fill);
// ... with these bytes.
Outcome Replace(int folder, const std::string& name, const char* data, std::size_t size,
                WriteFunction write = &::write);
// ... with the bytes of an open file, from its start.
Outcome Replace(int folder, const std::string& name, const Reader& source, WriteFunction write = &::write);
// ... a file named by its path, in its own folder.
Outcome Replace(const std::string& path, const char* data, std::size_t size);

// True for the names the display's replaces of `name` give their new files
// ("." name "." and a suffix of hexadecimal digits and dots), and for the
// fixed names of earlier versions ("<name>.tmp").
bool IsOwnTemporary(const std::string& entry, const std::string& name);

// Removes what killed replaces of `name` left in the folder (entries named
// by IsOwnTemporary: files, links and pipes, never what a link points to),
// looking at no more than entryLimit entries. The number removed.
std::size_t RemoveLeftovers(int folder, const std::string& name, std::size_t entryLimit);

// --- folders ------------------------------------------------------------

// Opens the folder `path` (relative to `at`) for use with the operations
// above. A link in its place is refused unless followLink.
Outcome OpenFolder(const std::string& path, Descriptor& folder, bool followLink, int at = AT_FDCWD);

// The names in the folder, without "." and "..", in the folder's own order:
// at most entryLimit of them; a folder with more is refused as having too
// many entries, `names` then holding the first entryLimit.
Outcome ListFolder(int folder, std::size_t entryLimit, std::vector<std::string>& names);
Outcome ListFolder(const std::string& path, std::size_t entryLimit, std::vector<std::string>& names,
                   bool followLink);

// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);
// The last part of a path.
std::string NameOf(const std::string& path);

}  // namespace fileio

#endif
