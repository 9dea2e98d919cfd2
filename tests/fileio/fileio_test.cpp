// The file layer against every kind of thing that can stand under a file's
// name: each read, append and replace does its work on a regular file and
// refuses anything else at once (never waiting on a pipe, never writing
// through a link), says why, and reads within its limits; folders are
// listed within theirs; the change watch sees what the time stamps cannot.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Bounded.h"
#include "ChangeWatch.h"
#include "FileIo.h"
#include "TestSupport.h"

namespace {

using fileio::Outcome;
using fileio::Refusal;

const char* const kFile = "f";
const char* const kOutside = "outside.txt";
const char kOutsideText[] = "outside the display's files\n";

struct stat LinkStat(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

// The layer's steps never wait: two seconds is far more than any needs.
void WithinTwoSeconds(const std::function<void()>& operation, const std::string& pipe = kFile)
{
    testsupport::FinishesWithin(2000, operation, {pipe});
}

class FileLayer : public ::testing::Test {
protected:
    void SetUp() override { dir.WriteFile(kOutside, kOutsideText); }
    void TearDown() override
    {
        for (int fd : held_) ::close(fd);
    }

public:  // for the tables' set-up steps
    // Holds the pipe open for writing, as a program feeding it would.
    void HoldWriter(const char* pipe) { held_.push_back(::open(pipe, O_RDWR | O_NONBLOCK)); }

    testsupport::TempWorkDir dir;
    std::vector<int> held_;
};

// ------------------------------------------------------------- file kinds

struct KindCase {
    const char* name;
    std::function<void(FileLayer&)> make;  // what stands under the name
    const char* path;                      // the name used
    Refusal read;                          // what a read does
    Refusal append;                        // what an append does
};

const std::uint64_t kByteLimit = 4096;

const KindCase kKinds[] = {
    {"Regular", [](FileLayer& t) { t.dir.WriteFile(kFile, "a\nb\n"); }, kFile, Refusal::None, Refusal::None},
    {"Missing", [](FileLayer&) {}, kFile, Refusal::Missing, Refusal::None},
    {"LinkToAFile", [](FileLayer&) { ASSERT_EQ(::symlink(kOutside, kFile), 0); }, kFile, Refusal::Link,
     Refusal::Link},
    {"DanglingLink", [](FileLayer&) { ASSERT_EQ(::symlink("created-by-nobody.txt", kFile), 0); }, kFile,
     Refusal::Link, Refusal::Link},
    {"PipeWithoutAWriter", [](FileLayer&) { ASSERT_EQ(::mkfifo(kFile, 0644), 0); }, kFile, Refusal::Pipe,
     Refusal::Pipe},
    {"PipeWithAWriter",
     [](FileLayer& t) {
         ASSERT_EQ(::mkfifo(kFile, 0644), 0);
         t.HoldWriter(kFile);
     },
     kFile, Refusal::Pipe, Refusal::Pipe},
    {"Folder", [](FileLayer&) { ASSERT_EQ(::mkdir(kFile, 0755), 0); }, kFile, Refusal::Folder, Refusal::Folder},
    {"LinkToDevZero", [](FileLayer&) { ASSERT_EQ(::symlink("/dev/zero", kFile), 0); }, kFile, Refusal::Link,
     Refusal::Link},
    {"DevZeroItself", [](FileLayer&) {}, "/dev/zero", Refusal::Device, Refusal::Device},
    {"Socket",
     [](FileLayer&) {
         const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         std::strcpy(address.sun_path, kFile);
         ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
         ::close(s);
     },
     kFile, Refusal::Socket, Refusal::Socket},
    {"OverTheByteLimit",
     [](FileLayer& t) {
         t.dir.WriteFile(kFile, "");
         ASSERT_EQ(::truncate(kFile, kByteLimit + 1), 0);
     },
     kFile, Refusal::TooLarge, Refusal::None},
    {"AtTheByteLimit", [](FileLayer& t) { t.dir.WriteFile(kFile, std::string(kByteLimit, 'x')); }, kFile,
     Refusal::None, Refusal::None},
};

class FileKind : public FileLayer, public ::testing::WithParamInterface<KindCase> {};

TEST_P(FileKind, ReadsOnlyARegularFileWithinItsLimit)
{
    const KindCase& c = GetParam();
    c.make(*this);
    const struct stat before = LinkStat(c.path);
    Outcome whole, lines;
    std::string bytes;
    WithinTwoSeconds([&] {
        whole = fileio::ReadAll(c.path, kByteLimit, bytes);
        lines = fileio::ReadLines(c.path, {kByteLimit, 100}, [](const char*, std::size_t) { return true; });
    });
    EXPECT_EQ(whole.refusal, c.read) << fileio::Reason(whole);
    EXPECT_EQ(lines.refusal, c.read) << fileio::Reason(lines);
    if (!whole.ok()) {
        EXPECT_TRUE(bytes.empty());
    }
    EXPECT_EQ(LinkStat(c.path).st_mode, before.st_mode);
}

TEST_P(FileKind, AppendsOnlyToARegularFile)
{
    const KindCase& c = GetParam();
    c.make(*this);
    Outcome outcome;
    WithinTwoSeconds([&] { outcome = fileio::AppendRow(c.path, "row\n"); });
    EXPECT_EQ(outcome.refusal, c.append) << fileio::Reason(outcome);
    // Nothing went through a link: its target is as it was, a dangling
    // one's target was not created.
    EXPECT_EQ(dir.ReadFile(kOutside), kOutsideText);
    EXPECT_NE(::access("created-by-nobody.txt", F_OK), 0);
    if (outcome.ok()) {
        const std::string text = dir.ReadFile(c.path);
        EXPECT_EQ(text.substr(text.size() - 4), "row\n");
    }
}

// Whatever stood under the name, a replace leaves a regular file with the
// new bytes there, or (a folder) leaves it alone; links are replaced, not
// followed, and a pipe is never opened.
class ReplacedKind : public FileKind {};

TEST_P(ReplacedKind, LeavesARegularFileOrNothing)
{
    const KindCase& c = GetParam();
    c.make(*this);
    Outcome outcome;
    WithinTwoSeconds([&] { outcome = fileio::Replace(kFile, "new\n", 4); });
    EXPECT_EQ(dir.ReadFile(kOutside), kOutsideText);
    EXPECT_NE(::access("created-by-nobody.txt", F_OK), 0);
    if (c.read == Refusal::Folder) {
        EXPECT_EQ(outcome.refusal, Refusal::Failed);
        EXPECT_TRUE(S_ISDIR(LinkStat(kFile).st_mode));
    } else {
        EXPECT_TRUE(outcome.ok()) << fileio::Reason(outcome);
        EXPECT_TRUE(S_ISREG(LinkStat(kFile).st_mode));
        EXPECT_EQ(dir.ReadFile(kFile), "new\n");
    }
    std::vector<std::string> names;
    fileio::ListFolder(".", 100, names, false);
    for (const std::string& name : names) EXPECT_FALSE(fileio::IsOwnTemporary(name, kFile)) << name << " left";
}

INSTANTIATE_TEST_SUITE_P(Kinds, FileKind, ::testing::ValuesIn(kKinds), testsupport::CaseName());

// The kinds under a name of the test's own folder (never /dev/zero).
std::vector<KindCase> InTheTestsFolder()
{
    std::vector<KindCase> cases;
    for (const KindCase& c : kKinds)
        if (std::string(c.path) == kFile) cases.push_back(c);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReplacedKind, ::testing::ValuesIn(InTheTestsFolder()), testsupport::CaseName());

// As root the permission bits do not stop a read: the case runs as the
// user nobody in a child process there.
TEST_F(FileLayer, UnreadableFileIsRefusedWithTheSystemsReason)
{
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    dir.WriteFile(kFile, "secret\n");
    ASSERT_EQ(::chmod(kFile, 0), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
        std::string bytes;
        const Outcome read = fileio::ReadAll(kFile, kByteLimit, bytes);
        const Outcome appended = fileio::AppendRow(kFile, "row\n");
        ::_exit(read.refusal == Refusal::Failed && read.error == EACCES && appended.refusal == Refusal::Failed &&
                        appended.error == EACCES && bytes.empty()
                    ? 0
                    : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: could not become nobody; 1: not refused with EACCES";
    EXPECT_EQ(fileio::Reason(Outcome{Refusal::Failed, EACCES, 0}), std::strerror(EACCES));
}

// ----------------------------------------------------------------- lines

struct LinesCase {
    const char* name;
    std::string content;
    std::size_t lineLimit;
    std::vector<std::string> lines;  // handed over, in order
    unsigned long damaged;
    bool endsWithLineFeed;
};

const LinesCase kLines[] = {
    {"ShortLines", "a\nbb\n", 8, {"a", "bb"}, 0, true},
    {"EmptyFile", "", 8, {}, 0, true},
    {"EmptyLines", "\n\na\n", 8, {"", "", "a"}, 0, true},
    {"LastLineWithoutLineFeed", "a\nb", 8, {"a", "b"}, 0, false},
    {"LineAtTheLimit", "12345678\n", 8, {"12345678"}, 0, true},
    {"OneLineOverTheLimit", "123456789\nok\n", 8, {"ok"}, 1, true},
    {"LongLastLineWithoutLineFeed", "ok\n" + std::string(100, 'x'), 8, {"ok"}, 1, false},
    {"NulBytesInsideALine", std::string("a\0b\n", 4), 8, {std::string("a\0b", 3)}, 0, true},
    {"NulRunOverTheLimit", "a\n" + std::string(1 << 20, '\0') + "\nb\n", 64 * 1024, {"a", "b"}, 1, true},
    {"NulTailWithoutLineFeed", "a\n" + std::string(200 * 1024, '\0'), 64 * 1024, {"a"}, 1, false},
    {"LineAcrossReadChunks", std::string(150 * 1024, 'y') + "\nz\n", 200 * 1024,
     {std::string(150 * 1024, 'y'), "z"}, 0, true},
    {"LongLineAcrossReadChunks", std::string(150 * 1024, 'y') + "\nz\n", 100 * 1024, {"z"}, 1, true},
};

class Lines : public FileLayer, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(Lines, DamagedLinesAreSkippedNotHeld)
{
    const LinesCase& c = GetParam();
    dir.WriteFile(kFile, c.content);
    std::vector<std::string> seen;
    std::size_t longest = 0;
    fileio::LinesRead read;
    const Outcome outcome = fileio::ReadLines(kFile, {1 << 24, c.lineLimit},
                                              [&](const char* line, std::size_t size) {
                                                  seen.emplace_back(line, size);
                                                  longest = std::max(longest, size);
                                                  return true;
                                              },
                                              &read);
    ASSERT_TRUE(outcome.ok()) << fileio::Reason(outcome);
    EXPECT_EQ(seen, c.lines);
    EXPECT_LE(longest, c.lineLimit);
    EXPECT_EQ(read.lines, c.lines.size());
    EXPECT_EQ(read.damaged, c.damaged);
    EXPECT_EQ(read.endsWithLineFeed, c.endsWithLineFeed);
    EXPECT_EQ(read.after.st_size, static_cast<off_t>(c.content.size()));
}

INSTANTIATE_TEST_SUITE_P(Cases, Lines, ::testing::ValuesIn(kLines), testsupport::CaseName());

TEST_F(FileLayer, LineFunctionStopsTheRead)
{
    dir.WriteFile(kFile, "a\nb\nc\n");
    std::vector<std::string> seen;
    fileio::LinesRead read;
    ASSERT_TRUE(fileio::ReadLines(kFile, {100, 8},
                                  [&](const char* line, std::size_t size) {
                                      seen.emplace_back(line, size);
                                      return seen.size() < 2;
                                  },
                                  &read)
                    .ok());
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(read.stopped);
}

// ---------------------------------------------------------------- append

TEST_F(FileLayer, AppendCreatesThenAppendsAfterATornLine)
{
    fileio::Appended appended;
    ASSERT_TRUE(fileio::AppendRow(kFile, "a\n", &appended).ok());
    EXPECT_TRUE(appended.created);
    EXPECT_EQ(appended.after.st_size, 2);
    dir.WriteFile(kFile, "a\ntorn");
    ASSERT_TRUE(fileio::AppendRow(kFile, "b\n", &appended).ok());
    EXPECT_FALSE(appended.created);
    EXPECT_TRUE(appended.lineFeedAdded);
    EXPECT_EQ(appended.before.st_size, 6);
    EXPECT_EQ(appended.after.st_size, 9);
    EXPECT_EQ(dir.ReadFile(kFile), "a\ntorn\nb\n");
}

// A write that fails half-way (a full disk) leaves the file as it was.
ssize_t WriteThreeThenFail(int fd, const void* data, std::size_t size)
{
    static int calls = 0;
    if (++calls % 2 == 0) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 3));
}

TEST_F(FileLayer, FailedAppendIsCutBack)
{
    dir.WriteFile(kFile, "old\n");
    const Outcome outcome = fileio::AppendRow(kFile, "a longer row\n", nullptr, &WriteThreeThenFail);
    EXPECT_EQ(outcome.refusal, Refusal::Failed);
    EXPECT_EQ(outcome.error, ENOSPC);
    EXPECT_EQ(dir.ReadFile(kFile), "old\n");
}

// --------------------------------------------------------------- replace

std::string NameOfDescriptor(int fd)
{
    char link[4096];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), link, sizeof link - 1);
    return n > 0 ? fileio::NameOf(std::string(link, static_cast<std::size_t>(n))) : "";
}

// The new file's name cannot be foretold, so nothing planted under a name
// is ever written to; each replace takes a new one.
TEST_F(FileLayer, ReplaceWritesANewFileOfAnUnpredictableName)
{
    // The names earlier versions used, planted as links out of the folder.
    ASSERT_EQ(::symlink(kOutside, "f.tmp"), 0);
    ASSERT_EQ(::symlink(kOutside, (".f." + std::to_string(::getpid()) + ".0").c_str()), 0);
    fileio::Descriptor folder;
    ASSERT_TRUE(fileio::OpenFolder(".", folder, true).ok());
    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        const std::string text = "version " + std::to_string(i) + "\n";
        ASSERT_TRUE(fileio::Replace(folder.get(), kFile, [&](int fd) {
                        names.insert(NameOfDescriptor(fd));
                        return fileio::WriteAll(fd, text.data(), text.size());
                    }).ok());
        EXPECT_EQ(dir.ReadFile(kFile), text);
    }
    EXPECT_EQ(names.size(), 3u);
    for (const std::string& name : names) EXPECT_TRUE(fileio::IsOwnTemporary(name, kFile)) << name;
    EXPECT_EQ(dir.ReadFile(kOutside), kOutsideText);
}

TEST_F(FileLayer, FailedReplaceKeepsTheOldFile)
{
    dir.WriteFile(kFile, "old\n");
    fileio::Descriptor folder;
    ASSERT_TRUE(fileio::OpenFolder(".", folder, true).ok());
    const Outcome outcome = fileio::Replace(folder.get(), kFile, "new\n", 4, &WriteThreeThenFail);
    EXPECT_EQ(outcome.refusal, Refusal::Failed);
    EXPECT_EQ(dir.ReadFile(kFile), "old\n");
    std::vector<std::string> names;
    fileio::ListFolder(".", 100, names, false);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{kFile, kOutside}));
}

TEST_F(FileLayer, ReplaceCopiesAnOpenFileWhole)
{
    std::string big;
    while (big.size() < 100000) big += "row " + std::to_string(big.size()) + "\n";
    dir.WriteFile("source", big);
    fileio::Reader source;
    ASSERT_TRUE(source.Open("source", 1 << 20).ok());
    fileio::Descriptor folder;
    ASSERT_TRUE(fileio::OpenFolder(".", folder, true).ok());
    ASSERT_TRUE(fileio::Replace(folder.get(), kFile, source).ok());
    EXPECT_EQ(dir.ReadFile(kFile), big);
}

// What killed replaces left: removed, whatever it is (links as links),
// while everything else stays.
TEST_F(FileLayer, LeftoversOfOwnNamesAreRemoved)
{
    const std::vector<std::string> own = {"f.tmp", ".f.0123456789abcdef", ".f.4711.0", ".f.4711.12"};
    const std::vector<std::string> others = {".f.backup", "f.txt", ".f.", "f", ".g.0123", ".f.0123X"};
    for (const std::string& name : own) ASSERT_EQ(::symlink(kOutside, name.c_str()), 0);
    for (const std::string& name : others) dir.WriteFile(name, "keep\n");
    ASSERT_EQ(::mkdir(".f.99", 0755), 0);  // a folder is never removed
    fileio::Descriptor folder;
    ASSERT_TRUE(fileio::OpenFolder(".", folder, true).ok());
    EXPECT_EQ(fileio::RemoveLeftovers(folder.get(), kFile, 100), own.size());
    std::vector<std::string> names;
    fileio::ListFolder(".", 100, names, false);
    std::set<std::string> expected(others.begin(), others.end());
    expected.insert({kOutside, ".f.99"});
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
    EXPECT_EQ(dir.ReadFile(kOutside), kOutsideText);
}

// ---------------------------------------------------------------- folders

TEST_F(FileLayer, ListingStopsAtItsLimit)
{
    ASSERT_EQ(::mkdir("media", 0755), 0);
    for (int i = 0; i < 10; ++i) dir.WriteFile("media/" + std::to_string(i), "");
    std::vector<std::string> names;
    EXPECT_TRUE(fileio::ListFolder("media", 10, names, false).ok());
    EXPECT_EQ(names.size(), 10u);
    const Outcome outcome = fileio::ListFolder("media", 4, names, false);
    EXPECT_EQ(outcome.refusal, Refusal::TooManyEntries);
    EXPECT_EQ(fileio::Reason(outcome), "more than 4 entries");
    EXPECT_EQ(names.size(), 4u);
}

struct FolderCase {
    const char* name;
    std::function<void()> make;
    bool followLink;
    Refusal refusal;
};

class FolderKind : public FileLayer, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderKind, OnlyAFolderIsListed)
{
    ::mkdir("real", 0755);
    GetParam().make();
    std::vector<std::string> names;
    Outcome outcome;
    WithinTwoSeconds([&] { outcome = fileio::ListFolder("media", 10, names, GetParam().followLink); }, "media");
    EXPECT_EQ(outcome.refusal, GetParam().refusal) << fileio::Reason(outcome);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FolderKind, ::testing::Values(
    FolderCase{"Folder", [] { ::mkdir("media", 0755); }, false, Refusal::None},
    FolderCase{"Missing", [] {}, false, Refusal::Missing},
    FolderCase{"LinkNotFollowed", [] { ASSERT_EQ(::symlink("real", "media"), 0); }, false, Refusal::Link},
    FolderCase{"LinkFollowed", [] { ASSERT_EQ(::symlink("real", "media"), 0); }, true, Refusal::None},
    FolderCase{"File", [] { ::close(::open("media", O_CREAT | O_WRONLY, 0644)); }, false, Refusal::NotAFolder},
    FolderCase{"Pipe", [] { ASSERT_EQ(::mkfifo("media", 0644), 0); }, true, Refusal::NotAFolder}),
    testsupport::CaseName());

// --------------------------------------------------------------- reports

TEST(Report, OneLinePerFileDeedAndCause)
{
    fileio::Reporter reporter;
    const Outcome pipe = Outcome::Because(Refusal::Pipe);
    const Outcome large = Outcome::Because(Refusal::TooLarge, 4 << 20);
    const Outcome damaged{Refusal::DamagedLines, 2, 64 << 10};
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(reporter.Report("LookUpError.csv", "not read", pipe));
    for (int tick = 0; tick < 10; ++tick) EXPECT_FALSE(reporter.Report("LookUpError.csv", "not read", pipe));
    EXPECT_TRUE(reporter.Report("other.csv", "not read", pipe));
    EXPECT_TRUE(reporter.Report("other.csv", "not written", pipe));
    EXPECT_FALSE(reporter.Report("other.csv", "not written", Outcome()));  // another deed did well
    EXPECT_FALSE(reporter.Report("other.csv", "not read", pipe));
    EXPECT_TRUE(reporter.Report("LookUpError.csv", "not read", large));  // another cause
    EXPECT_FALSE(reporter.Report("LookUpError.csv", "not read", Outcome()));  // read well again...
    EXPECT_TRUE(reporter.Report("LookUpError.csv", "not read", large));  // ... so it is said again
    EXPECT_TRUE(reporter.Report("log.csv", "not read", damaged));
    EXPECT_FALSE(reporter.Report("log.csv", "not read", damaged));
    EXPECT_FALSE(reporter.Report("gone.csv", "not read", Outcome::Because(Refusal::Missing)));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "LookUpError.csv: not read: a named pipe, not a file\n"
              "other.csv: not read: a named pipe, not a file\n"
              "other.csv: not written: a named pipe, not a file\n"
              "LookUpError.csv: not read: larger than 4 MB\n"
              "LookUpError.csv: not read: larger than 4 MB\n"
              "log.csv: 2 lines longer than 64 KB skipped\n");
}

// ------------------------------------------------------------ the watch

struct WatchCase {
    const char* name;
    std::function<void()> change;  // done to "f" by someone else
};

const WatchCase kChanges[] = {
    {"SameSizeWrite", [] { ASSERT_EQ(::truncate(kFile, 0) == 0 && ::truncate(kFile, 5) == 0, true); }},
    {"Overwritten",
     [] {
         const int fd = ::open(kFile, O_WRONLY);
         ASSERT_EQ(::pwrite(fd, "X", 1, 0), 1);
         ::close(fd);
     }},
    {"NewTimes", [] { ASSERT_EQ(::utimensat(AT_FDCWD, kFile, nullptr, 0), 0); }},
    {"RenamedOver",
     [] {
         ::close(::open("other", O_CREAT | O_WRONLY, 0644));
         ASSERT_EQ(::rename("other", kFile), 0);
     }},
    {"Removed", [] { ASSERT_EQ(::unlink(kFile), 0); }},
    {"WrittenThroughAnotherName",
     [] {
         ::mkdir("elsewhere", 0755);
         ASSERT_EQ(::link(kFile, "elsewhere/g"), 0);
         const int fd = ::open("elsewhere/g", O_WRONLY);
         ASSERT_EQ(::pwrite(fd, "X", 1, 0), 1);
         ::close(fd);
     }},
};

class WatchedChange : public FileLayer, public ::testing::WithParamInterface<WatchCase> {};

TEST_P(WatchedChange, IsSeenOnceAndOnlyOnce)
{
    dir.WriteFile(kFile, "abcde");
    fileio::ChangeWatch watch;
    ASSERT_TRUE(watch.Watch(kFile));
    EXPECT_FALSE(watch.Changed());
    dir.WriteFile("unrelated", "x");  // another file in the folder
    EXPECT_FALSE(watch.Changed());
    GetParam().change();
    EXPECT_TRUE(watch.Changed());
    EXPECT_FALSE(watch.Changed());
}

INSTANTIATE_TEST_SUITE_P(Changes, WatchedChange, ::testing::ValuesIn(kChanges), testsupport::CaseName());

TEST_F(FileLayer, OwnAppendIsNotAChangeButOneBesideItIs)
{
    fileio::ChangeWatch watch;
    ASSERT_TRUE(watch.Watch(kFile));  // not there yet
    ASSERT_TRUE(fileio::AppendRow(kFile, "a\n").ok());
    EXPECT_FALSE(watch.ChangedBesidesOwnAppend());
    ASSERT_TRUE(watch.Watch(kFile));
    ASSERT_TRUE(fileio::AppendRow(kFile, "b\n").ok());
    EXPECT_FALSE(watch.ChangedBesidesOwnAppend());
    // Someone else's write and close, then the display's own append.
    ASSERT_TRUE(fileio::AppendRow(kFile, "c\n").ok());
    ASSERT_TRUE(fileio::AppendRow(kFile, "d\n").ok());
    EXPECT_TRUE(watch.ChangedBesidesOwnAppend());
    EXPECT_FALSE(watch.Changed());
}

}  // namespace
