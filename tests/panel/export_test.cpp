// Copy of the log to a USB stick under a temporary media root: ordinary
// sticks, sticks holding links, pipes and folders where the copy goes, a
// stick pulled out or full half-way.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <sched.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Bounded.h"
#include "DataLog.h"
#include "DiagnosticModes.h"
#include "FileIo.h"
#include "MediaListing.h"
#include "PanelFixture.h"

namespace {

const char* const kLog = "\"1\" \" F0101P1\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" M\" \" 1\"\n";

std::set<std::string> Entries(const std::string& folder)
{
    std::set<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
        ::closedir(d);
    }
    return names;
}

class ExportTest : public paneltest::StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        ::setenv("CABDISPLAY_MEDIA", (dir.path() + "/media").c_str(), 1);
        store->FunctionKeyMode = FunctionKeyCopy;
    }
    void TearDown() override
    {
        ::unsetenv("CABDISPLAY_MEDIA");
        StoreFixture::TearDown();
    }
    void Stick(const std::string& name) { ASSERT_EQ(::mkdir(("media/" + name).c_str(), 0755), 0); }
    void MediaRoot() { ASSERT_EQ(::mkdir("media", 0755), 0); }

    DataLog log;
};

TEST_F(ExportTest, OneStickGetsAByteForByteCopy)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    Stick("STICK");
    EXPECT_EQ(log.findUsb(), 0);
    EXPECT_EQ(store->UsbCopyStatus, 2);
    EXPECT_EQ(dir.ReadFile("media/STICK/DiagnosticsData.csv"), kLog);
    EXPECT_EQ(dir.ReadFile("DiagnosticsData.csv"), kLog);
}

TEST_F(ExportTest, EmptyMediaRoot)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
}

TEST_F(ExportTest, NoMediaRootIsStickNotFound)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    testing::internal::CaptureStdout();
    log.findUsb();
    EXPECT_NE(testing::internal::GetCapturedStdout().find("USB NOT FOUND\r\n"), std::string::npos);
    EXPECT_EQ(store->UsbCopyStatus, 1);
}

TEST_F(ExportTest, F3NeverCopies)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    Stick("STICK");
    store->UsbCopyStatus = 2;
    store->FunctionKeyMode = FunctionKeySearch;
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_FALSE(paneltest::Exists("media/STICK/DiagnosticsData.csv"));
}

TEST_F(ExportTest, MissingSourceIsNoCopy)
{
    MediaRoot();
    Stick("STICK");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_FALSE(paneltest::Exists("media/STICK/DiagnosticsData.csv"));
}

TEST_F(ExportTest, TargetThatIsAFileIsNoCopy)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    dir.WriteFile("media/STICK", "not a folder");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_EQ(dir.ReadFile("media/STICK"), "not a folder");
}

TEST_F(ExportTest, FailedCopyGoesOnWithTheNextName)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    dir.WriteFile("media/AAAA", "a file");
    Stick("BBBB");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 2);
    EXPECT_EQ(dir.ReadFile("media/BBBB/DiagnosticsData.csv"), kLog);
}

TEST_F(ExportTest, ShellSignsInANameRunNothing)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    const std::string name = "X;touch`PWNED`;<Q>\\";
    Stick(name);
    const std::set<std::string> workBefore = Entries(".");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 2);
    EXPECT_EQ(dir.ReadFile("media/" + name + "/DiagnosticsData.csv"), kLog);
    EXPECT_EQ(Entries("."), workBefore);
    EXPECT_EQ(Entries("media"), std::set<std::string>{name});
    EXPECT_EQ(Entries("media/" + name), std::set<std::string>{"DiagnosticsData.csv"});
}

TEST_F(ExportTest, ListingIsCutAt200Bytes)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    dir.WriteFile("media/" + std::string(196, 'A'), "file, not a stick");   // 197 bytes with its line feed
    Stick("BBBBBB");   // starts at byte 198: cut to "BBB", no line end
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
}

// ------------------------------------------------- sticks that are not sticks

// Everything under a folder, links and pipes not followed: path -> kind and
// content ("d", "f:<bytes>", "l:<target>", "p", "?").
using Tree = std::map<std::string, std::string>;

void Walk(const std::string& path, Tree& tree)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return;
    if (S_ISDIR(st.st_mode)) {
        tree[path] = "d";
        for (const std::string& name : Entries(path)) Walk(path + "/" + name, tree);
    } else if (S_ISREG(st.st_mode)) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        tree[path] = "f:" + bytes.str();
    } else if (S_ISLNK(st.st_mode)) {
        char target[4096];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        tree[path] = "l:" + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    } else {
        tree[path] = S_ISFIFO(st.st_mode) ? "p" : "?";
    }
}

Tree TreeOf(const std::string& path)
{
    Tree tree;
    Walk(path, tree);
    return tree;
}

// The tree of "." without the entries at and below `folder`.
Tree Without(Tree tree, const std::string& relative)
{
    const std::string folder = "./" + relative;
    for (auto it = tree.begin(); it != tree.end();)
        it = (it->first == folder || it->first.compare(0, folder.size() + 1, folder + "/") == 0) ? tree.erase(it)
                                                                                                   : std::next(it);
    return tree;
}

bool TemporaryLeft(const Tree& tree)
{
    for (const auto& entry : tree)
        if (entry.first.find("/.DiagnosticsData.csv.") != std::string::npos) return true;
    return false;
}

const char* const kStick = "media/STICK";
const char* const kOnStick = "media/STICK/DiagnosticsData.csv";

// The export as the f1 key runs it, on a thread: an export that waits on a
// pipe fails the test instead of hanging it (once the deadline has passed
// the pipes named are held open at both ends until it ends).
void RunExport(DataLog& log, const std::vector<std::string>& pipes = {})
{
    testsupport::FinishesWithin(5000, [&] { log.findUsb(); }, pipes);
}

struct StickCase {
    const char* name;
    std::function<void(const std::string& work)> make;   // what the stick holds
    unsigned short status;                               // UsbCopyStatus after f1
};

class HostileStick : public ExportTest, public ::testing::WithParamInterface<StickCase> {};

// After the export: the log unchanged, nothing outside the stick folder
// created or changed, no temporary file anywhere; with state 2 the stick
// holds a regular file that is the log, otherwise the stick is as it was.
TEST_P(HostileStick, WritesOnlyARegularFileInsideTheStick)
{
    dir.WriteFile("DiagnosticsData.csv", kLog);
    MediaRoot();
    ::mkdir("outside", 0755);
    dir.WriteFile("outside/target.csv", "not the stick's\n");
    GetParam().make(dir.path());
    const Tree before = TreeOf(".");

    RunExport(log, {kOnStick});

    const Tree after = TreeOf(".");
    EXPECT_EQ(store->UsbCopyStatus, GetParam().status);
    EXPECT_EQ(dir.ReadFile("DiagnosticsData.csv"), kLog);
    EXPECT_EQ(Without(after, kStick), Without(before, kStick));
    if (GetParam().status == 2) {
        Tree expected = before;
        expected[std::string("./") + kOnStick] = std::string("f:") + kLog;
        // What earlier copies left under the copy's own names goes.
        for (auto it = expected.begin(); it != expected.end();)
            it = fileio::IsOwnTemporary(fileio::NameOf(it->first), "DiagnosticsData.csv") ? expected.erase(it)
                                                                                          : std::next(it);
        EXPECT_EQ(after, expected);
    } else {
        EXPECT_EQ(after, before);
    }
}

void Link(const std::string& target, const std::string& name) { ASSERT_EQ(::symlink(target.c_str(), name.c_str()), 0); }

INSTANTIATE_TEST_SUITE_P(Table, HostileStick, ::testing::Values(
    StickCase{"EmptyStick", [](const std::string&) { ::mkdir(kStick, 0755); }, 2},
    StickCase{"EarlierCopyReplaced",
              [](const std::string&) {
                  ::mkdir(kStick, 0755);
                  std::ofstream(kOnStick) << "an earlier copy\n";
              }, 2},
    StickCase{"LinkOutOfTheMediaRoot",
              [](const std::string& work) {
                  ::mkdir(kStick, 0755);
                  Link(work + "/outside/target.csv", kOnStick);
              }, 2},
    StickCase{"DanglingLinkOut",
              [](const std::string& work) {
                  ::mkdir(kStick, 0755);
                  Link(work + "/outside/created.csv", kOnStick);
              }, 2},
    StickCase{"LinkToTheDisplaysOwnLog",
              [](const std::string& work) {
                  ::mkdir(kStick, 0755);
                  Link(work + "/DiagnosticsData.csv", kOnStick);
              }, 2},
    StickCase{"RelativeLinkToTheOwnLog",
              [](const std::string&) {
                  ::mkdir(kStick, 0755);
                  Link("../../DiagnosticsData.csv", kOnStick);
              }, 2},
    StickCase{"NamedPipe",
              [](const std::string&) {
                  ::mkdir(kStick, 0755);
                  ASSERT_EQ(::mkfifo(kOnStick, 0644), 0);
              }, 2},
    StickCase{"DirectoryInItsPlace",
              [](const std::string&) {
                  ::mkdir(kStick, 0755);
                  ::mkdir(kOnStick, 0755);
                  std::ofstream(std::string(kOnStick) + "/inside.txt") << "kept\n";
              }, 1},
    StickCase{"StickFolderIsALink",
              [](const std::string& work) {
                  ::mkdir("outside/folder", 0755);
                  Link(work + "/outside/folder", kStick);
              }, 1},
    StickCase{"StickFolderLinksToTheWorkingDirectory",
              [](const std::string& work) { Link(work, kStick); }, 1},
    StickCase{"StickIsAPlainFile", [](const std::string&) { std::ofstream(kStick) << "a file\n"; }, 1},
    StickCase{"StickIsAPipe", [](const std::string&) { ASSERT_EQ(::mkfifo(kStick, 0644), 0); }, 1},
    StickCase{"TemporaryNameTakenByALink",
              [](const std::string& work) {
                  ::mkdir(kStick, 0755);
                  Link(work + "/outside/target.csv",
                       std::string(kStick) + "/.DiagnosticsData.csv." + std::to_string(::getpid()) + ".0");
              }, 2},
    // Killed copies of earlier versions left files and a hundred links
    // under the names they used; a killed copy of now, one of its own.
    StickCase{"LeftoversOfKilledCopies",
              [](const std::string& work) {
                  ::mkdir(kStick, 0755);
                  for (int n = 0; n < 100; ++n)
                      Link(work + "/outside/target.csv",
                           std::string(kStick) + "/.DiagnosticsData.csv." + std::to_string(1000 + n) + "." +
                               std::to_string(n % 3));
                  for (int pid : {4711, 4712})
                      std::ofstream(std::string(kStick) + "/.DiagnosticsData.csv." + std::to_string(pid) + ".0")
                          << std::string(100000, 'x');
                  std::ofstream(std::string(kStick) + "/.DiagnosticsData.csv.0123456789abcdef") << "half a copy";
                  std::ofstream(std::string(kStick) + "/notes.txt") << "the driver's own file\n";
              }, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// The display's own log in an unusual shape is not read.
struct LogCase {
    const char* name;
    std::function<void(const std::string& work)> make;
};

class UnusualLog : public ExportTest, public ::testing::WithParamInterface<LogCase> {};

TEST_P(UnusualLog, IsNotCopied)
{
    MediaRoot();
    ::mkdir(kStick, 0755);
    dir.WriteFile("elsewhere.csv", kLog);
    GetParam().make(dir.path());
    const Tree before = TreeOf(".");
    RunExport(log, {"DiagnosticsData.csv"});
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_EQ(TreeOf("."), before);
}

INSTANTIATE_TEST_SUITE_P(Table, UnusualLog, ::testing::Values(
    LogCase{"Link", [](const std::string& work) { Link(work + "/elsewhere.csv", "DiagnosticsData.csv"); }},
    LogCase{"NamedPipe", [](const std::string&) { ASSERT_EQ(::mkfifo("DiagnosticsData.csv", 0644), 0); }},
    LogCase{"Directory", [](const std::string&) { ::mkdir("DiagnosticsData.csv", 0755); }}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------ the stick goes away

// Runs `during` once, at the first write onto the stick.
class MidCopy : public ExportTest {
protected:
    void SetUp() override
    {
        ExportTest::SetUp();
        during_ = nullptr;
        datalog::Write = &MidCopy::WriteStep;
        // A log of many writes.
        std::string big;
        while (big.size() < 200000) big += kLog;
        dir.WriteFile("DiagnosticsData.csv", big);
        logBytes = big;
        MediaRoot();
        ::mkdir(kStick, 0755);
        std::ofstream(kOnStick) << "an earlier good copy\n";
    }
    void TearDown() override
    {
        datalog::Write = &::write;
        during_ = nullptr;
        if (!mounted.empty()) ::umount2(mounted.c_str(), MNT_DETACH);
        ExportTest::TearDown();
    }
    static ssize_t WriteStep(int fd, const void* data, std::size_t size)
    {
        if (during_) {
            std::function<ssize_t()> step = during_;
            during_ = nullptr;
            const ssize_t result = step();
            if (result != 0) return result;
        }
        return ::write(fd, data, size);
    }
    static std::function<ssize_t()> during_;
    std::string logBytes;
    std::string mounted;
};

std::function<ssize_t()> MidCopy::during_;

TEST_F(MidCopy, StickRemovedIsNoCopy)
{
    during_ = [] {
        testsupport::RemoveTree(kStick);
        return ssize_t(0);
    };
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_FALSE(paneltest::Exists(kStick));
    EXPECT_EQ(Entries("media"), std::set<std::string>{});
    EXPECT_EQ(dir.ReadFile("DiagnosticsData.csv"), logBytes);
}

// As after a stick pulled out: the name now leads to another folder.
TEST_F(MidCopy, StickReplacedIsNoCopy)
{
    ::mkdir("away", 0755);
    during_ = [] {
        ::rename(kStick, "away/STICK");
        ::mkdir(kStick, 0755);
        return ssize_t(0);
    };
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_EQ(Entries(kStick), std::set<std::string>{});
    EXPECT_FALSE(TemporaryLeft(TreeOf(".")));
    EXPECT_EQ(dir.ReadFile("DiagnosticsData.csv"), logBytes);
}

TEST_F(MidCopy, FailedWriteKeepsTheEarlierCopy)
{
    during_ = [] {
        errno = ENOSPC;
        return ssize_t(-1);
    };
    const Tree before = TreeOf(".");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_EQ(TreeOf("."), before);
}

// A really full stick: a small file system of its own (superuser only),
// mounted in a mount namespace of this test program.
TEST_F(MidCopy, FullStickKeepsTheEarlierCopy)
{
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "a full stick needs the superuser, to mount a small file system";
    ASSERT_EQ(::mount("cabstick", kStick, "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
    mounted = dir.path() + "/" + kStick;
    std::ofstream(kOnStick) << "an earlier good copy\n";
    {
        std::ofstream filler("media/STICK/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    const Tree before = TreeOf(".");
    log.findUsb();
    EXPECT_EQ(store->UsbCopyStatus, 1);
    EXPECT_EQ(TreeOf("."), before);
}

struct ScanCase {
    const char* name;
    std::string listing;
    std::vector<std::string> names;
};

class VolumeNames : public ::testing::TestWithParam<ScanCase> {};

TEST_P(VolumeNames, ScanRule)
{
    EXPECT_EQ(datalog::VolumeNames(GetParam().listing), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(Table, VolumeNames, ::testing::Values(
    ScanCase{"Single", "STICK\n", {"STICK"}},
    ScanCase{"DashEndsARunOfFour", "1234-5678\n", {"1234", "5678"}},
    ScanCase{"ShortRunJoinsNext", "ab\nSTICK\n", {"abSTICK"}},
    ScanCase{"BlankSkipped", "MY DISK\n", {"MYDISK"}},
    ScanCase{"UnderscoreKept", "MY_DISK\n", {"MY_DISK"}},
    ScanCase{"TwoSticks", "DISK1\nDISK2\n", {"DISK1", "DISK2"}},
    ScanCase{"NoLineEnd", "STICK", {}},
    ScanCase{"Empty", "", {}},
    ScanCase{"ShortOnly", "ab\n", {}},
    ScanCase{"HighBytesSkipped", "ST\xC3\xA4ICK\n", {"STICK"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportTest, MediaListingLikeLs)
{
    EXPECT_EQ(cabmedia::MediaRoot(), dir.path() + "/media");
    std::string listing = "stale";
    EXPECT_FALSE(cabmedia::ListMediaRoot(listing));
    MediaRoot();
    Stick("b");
    Stick("B");
    Stick(".hidden");
    dir.WriteFile("media/a", "");
    Stick("\xC3\xA4");
    ASSERT_TRUE(cabmedia::ListMediaRoot(listing));
    EXPECT_EQ(listing, "B\na\nb\n\xC3\xA4\n");
    ::unsetenv("CABDISPLAY_MEDIA");
    EXPECT_EQ(cabmedia::MediaRoot(), "/media");
    ::setenv("CABDISPLAY_MEDIA", "", 1);
    EXPECT_EQ(cabmedia::MediaRoot(), "/media");
}

}  // namespace
