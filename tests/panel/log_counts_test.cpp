// The occurrence count of a fault onset agrees with a whole read of the log
// (the last line that contains the label wins, its last run of digits, 200
// wraps to 1) while the log is fresh, grows, is edited or replaced by hand,
// truncated, torn or damaged, also when the change leaves its size and time
// stamps as they were (a file system whose stamps move once a second: ext4
// with 128-byte inodes, loop-mounted); and the log is read whole only when
// it is not the file the display last read or wrote.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "FaultLog.h"
#include "LogCounts.h"
#include "PanelFixture.h"
#include "WarningPopup.h"

namespace {

const char* const kLog = "DiagnosticsData.csv";

const char* const kTable =
    "\"F0101P1\",\"SS01 : MAIN_POWER\",\"Main breaker tripped\",\"Check the relay\"\n"
    "\"F0202P2\",\"SS12 : X\",\"Msg\",\"Long\"\n"
    "\"F4560P3\",\"SS09 : FLG_1\",\"Master\",\"info\"\n";

// The next count as reading the whole log line by line gives it.
int NextCountByWholeRead(const std::string& log, const std::string& label)
{
    std::istringstream in(log);
    std::string line, count;
    while (std::getline(in, line)) {
        if (line.find(label) == std::string::npos)
            continue;
        std::string run;  // scanned from the end, in reverse
        for (auto c = line.rbegin(); c != line.rend(); ++c) {
            if (*c >= '0' && *c <= '9')
                run += *c;
            else if (!run.empty())
                break;
        }
        if (!run.empty())
            count.assign(run.rbegin(), run.rend());
    }
    long long value = 0;
    for (char c : count)
        if ((value = value * 10 + (c - '0')) > INT_MAX)
            break;
    if (value > INT_MAX || value == 200)
        value = 0;
    return static_cast<int>(value) + 1;
}

std::string ReadAll(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "";
    std::string bytes;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

// A row as the display writes it, with the count last.
std::string Row(const std::string& label, const std::string& count, const std::string& message = "M")
{
    return "\"1\" \" " + label + "\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" " + message + "\" \" " +
           count + "\"\n";
}

class LogCountTest : public paneltest::WidgetFixture {
protected:
    void SetUp() override
    {
        WidgetFixture::SetUp();
        dir.WriteFile("LookUpError.csv", kTable);
    }

public:  // the steps the scenarios below are written in
    // One onset: the count written and kept must be the whole read's.
    void Onset(unsigned short code)
    {
        const std::string label = faultlog::FaultLabel(code);
        const std::string before = ReadAll(kLog);
        const int expected = NextCountByWholeRead(before, label);
        if (timesOnly) {
            OnsetByTimesOnly(label, expected);
            return;
        }
        testing::internal::CaptureStdout();
        popup.UpdateFaultMessage1(code, "Testing  master Fault", "This is Direct Input");
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(popup.CountText, std::to_string(expected)) << label;
        for (const char* trace : {"LINEDATA", "Contains", "Breaked"})
            EXPECT_EQ(out.find(trace), std::string::npos) << "trace line " << trace;
        const std::string after = ReadAll(kLog);
        if (after.size() > before.size()) {
            const std::string tail = "\" \" " + std::to_string(expected) + "\"\n";
            ASSERT_GE(after.size(), tail.size());
            EXPECT_EQ(after.substr(after.size() - tail.size()), tail) << label;
        }
    }
    // The same steps as the pop-up's, with counts that go by the file's
    // times alone (as where the kernel cannot watch the file).
    void OnsetByTimesOnly(const std::string& label, int expected)
    {
        faultlog::LastCount last;
        const bool read = timesOnlyCounts.Find(label, last);
        const int next = (!read || !last.found || last.value == 200 ? 0 : last.value) + 1;
        EXPECT_EQ(next, expected) << label;
        const std::string row = Row(label, std::to_string(next));
        ASSERT_TRUE(faultlog::AppendRow(kLog, row));
        timesOnlyCounts.Appended(row);
    }
    // The log written by hand: same file, new content, a time of its own.
    void HandWrite(const std::string& content)
    {
        dir.WriteFile(kLog, content);
        Touch();
    }
    void HandAppend(const std::string& text) { HandWrite(ReadAll(kLog) + text); }
    // The log replaced: another file renamed into its place.
    void Replace(const std::string& content)
    {
        dir.WriteFile("new.csv", content);
        ASSERT_EQ(std::rename("new.csv", kLog), 0);
        Touch();
    }
    void Truncate(off_t size)
    {
        ASSERT_EQ(::truncate(kLog, size), 0);
        Touch();
    }
    // Each hand change gets a modification time no earlier change had.
    void Touch()
    {
        const timespec times[2] = {{1000000000 + ++edits_, 0}, {1000000000 + edits_, 0}};
        ::utimensat(AT_FDCWD, kLog, times, 0);
    }

    // Changes that leave the size as it was, made at once, times untouched:
    // where stamps move once a second, the times stay as they were too.
    // The last `from` in the log becomes `to` (of the same length).
    void EditInPlace(const std::string& from, const std::string& to)
    {
        ASSERT_EQ(from.size(), to.size());
        const std::string log = ReadAll(kLog);
        const std::string::size_type at = log.rfind(from);
        ASSERT_NE(at, std::string::npos) << from;
        const int fd = ::open(kLog, O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, to.data(), to.size(), static_cast<off_t>(at)), static_cast<ssize_t>(to.size()));
        ::close(fd);
    }
    // Emptied, then written again to its old size with other bytes.
    void TruncateAndGrowBack(const std::string& from, const std::string& to)
    {
        std::string log = ReadAll(kLog);
        const std::string::size_type at = log.rfind(from);
        ASSERT_NE(at, std::string::npos) << from;
        log.replace(at, from.size(), to);
        ASSERT_EQ(::truncate(kLog, 0), 0);
        const int fd = ::open(kLog, O_WRONLY);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, log.data(), log.size()), static_cast<ssize_t>(log.size()));
        ::close(fd);
    }
    // Replaced by rename twice, the second file as long as the first: the
    // file system may give it the first one's freed inode number.
    void ReplaceTwice(const std::string& from, const std::string& to)
    {
        const struct stat first = Stat();
        std::string log = ReadAll(kLog);
        dir.WriteFile("between.csv", log + Row("F0909P9", "1"));
        ASSERT_EQ(std::rename("between.csv", kLog), 0);
        const std::string::size_type at = log.rfind(from);
        ASSERT_NE(at, std::string::npos) << from;
        log.replace(at, from.size(), to);
        dir.WriteFile("second.csv", log);
        ASSERT_EQ(std::rename("second.csv", kLog), 0);
        const struct stat second = Stat();
        inodeReused = inodeReused || (second.st_ino == first.st_ino && second.st_size == first.st_size);
    }
    static struct stat Stat()
    {
        struct stat st {};
        ::stat(kLog, &st);
        return st;
    }

    WarningPopup popup;
    bool timesOnly = false;
    faultlog::LogCounts timesOnlyCounts{kLog, faultlog::LogCounts::Watching::TimesOnly};
    bool inodeReused = false;
    long edits_ = 0;
};

struct Scenario {
    const char* name;
    std::function<void(LogCountTest&)> run;
};

class LogCountScenario : public LogCountTest, public testing::WithParamInterface<Scenario> {};

TEST_P(LogCountScenario, AgreesWithAWholeRead) { GetParam().run(*this); }

const Scenario kScenarios[] = {
    {"Fresh", [](LogCountTest& t) {
         for (int i = 0; i < 3; ++i)
             t.Onset(10101);
         t.Onset(20202);
         t.Onset(10101);
     }},
    {"WrapsAt200", [](LogCountTest& t) {
         t.HandWrite(Row("F0101P1", "198"));
         for (int i = 0; i < 4; ++i)
             t.Onset(10101);
     }},
    {"EditedByHandSameSize", [](LogCountTest& t) {
         t.HandWrite(Row("F0101P1", "17"));
         t.Onset(10101);  // 18
         std::string log = ReadAll(kLog);
         log.replace(log.rfind("18"), 2, "53");
         t.HandWrite(log);
         t.Onset(10101);
     }},
    {"EditedByHandAppended", [](LogCountTest& t) {
         t.Onset(10101);
         t.HandAppend(Row("F0101P1", "150") + Row("F0202P2", "9"));
         t.Onset(10101);
         t.Onset(20202);
     }},
    {"EditedByHandLineRemoved", [](LogCountTest& t) {
         t.HandWrite(Row("F0101P1", "4") + Row("F0101P1", "90"));
         t.Onset(10101);
         t.HandWrite(Row("F0101P1", "4"));
         t.Onset(10101);
     }},
    {"Replaced", [](LogCountTest& t) {
         t.Onset(10101);
         t.Onset(10101);
         t.Replace(Row("F0101P1", "42"));
         t.Onset(10101);
         t.Replace(ReadAll(kLog));  // the same bytes in another file
         t.Onset(10101);
     }},
    {"Truncated", [](LogCountTest& t) {
         t.HandWrite(Row("F0101P1", "12") + Row("F0101P1", "77"));
         t.Onset(10101);
         t.Truncate(0);
         t.Onset(10101);
         t.HandWrite(Row("F0101P1", "12"));
         t.Truncate(static_cast<off_t>(Row("F0101P1", "12").size()) - 3);  // cut inside the count
         t.Onset(10101);
     }},
    {"TornLastLine", [](LogCountTest& t) {
         t.Onset(10101);
         t.HandAppend("\"2\" \" F0101P1\" \" 1\" \" SS 01 \" \" 2024-05-06  14:03:59\" \" M\" \" 6");
         t.Onset(10101);
         t.Onset(10101);
         t.HandAppend("\"3\" \" F0202P2");  // torn inside the label of another fault
         t.Onset(20202);
     }},
    {"DamagedCounts", [](LogCountTest& t) {
         t.HandWrite(Row("F0101P1", "99999999999999999999"));
         t.Onset(10101);
         t.HandAppend(Row("F0101P1", "0200"));
         t.Onset(10101);
         t.HandAppend(Row("F0101P1", "x"));  // the last run is the time's seconds
         t.Onset(10101);
         t.HandAppend(Row("F0101P1", "000000000000000000000000000000007"));
         t.Onset(10101);
         t.HandAppend(Row("F0101P1", "7\r"));
         t.Onset(10101);
         static const char kNul[] = "\"9\" \" F0101P1\0\" \" 31\"\n";
         t.HandAppend(std::string(kNul, sizeof kNul - 1));  // a zero byte inside a line
         t.Onset(10101);
     }},
    {"LabelInsideOtherRows", [](LogCountTest& t) {
         t.HandWrite(Row("F0202P2", "9", "after F0101P1 and F0101P1"));
         t.Onset(10101);
         t.Onset(20202);
         t.HandAppend("F0101P1F0202P2 33\n");
         t.Onset(20202);
         t.Onset(10101);
     }},
    {"Removed", [](LogCountTest& t) {
         t.Onset(10101);
         t.Onset(10101);
         ASSERT_EQ(std::remove(kLog), 0);
         t.Onset(10101);
         t.Onset(10101);
     }},
    {"InternalFaults", [](LogCountTest& t) {
         t.HandWrite(Row("F4560P3", "5"));
         t.Onset(34560);
         t.Onset(34560);
     }},
};

INSTANTIATE_TEST_SUITE_P(Logs, LogCountScenario, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

// Changes that keep the log's size, made within the step of its time
// stamps: nothing but the change itself tells the new log from the old.
const Scenario kSameStepScenarios[] = {
    {"SameSizeChange", [](LogCountTest& t) {
         t.Onset(10101);
         t.Onset(10101);
         t.EditInPlace("\" 2\"", "\" 7\"");
         t.Onset(10101);  // 8
         t.EditInPlace("\" 8\"", "\" 4\"");
         t.Onset(10101);  // 5
         t.Onset(20202);
         t.EditInPlace("F0202P2", "F0101P1");
         t.Onset(10101);
     }},
    {"TruncatedAndGrownBackToTheSameSize", [](LogCountTest& t) {
         for (int i = 0; i < 3; ++i)
             t.Onset(10101);
         t.TruncateAndGrowBack("\" 3\"", "\" 9\"");
         t.Onset(10101);  // 10
         t.TruncateAndGrowBack("F0101P1", "F0202P2");  // the last row another fault's
         t.Onset(10101);  // 10 again
         t.Onset(20202);
     }},
    {"ReplacedTwiceByRename", [](LogCountTest& t) {
         t.Onset(10101);
         t.Onset(10101);
         t.ReplaceTwice("\" 2\"", "\" 4\"");
         t.Onset(10101);  // 5
         t.ReplaceTwice("\" 5\"", "\" 1\"");
         t.Onset(10101);  // 2
         t.Onset(20202);
     }},
};

// Where the log lies: the test's own folder, or a small ext4 file system
// with 128-byte inodes (time stamps in whole seconds), loop-mounted.
enum class Where { Folder, Ext4SmallInodes };
// How the counts learn of changes: the kernel's reports, or the times only.
enum class How { Watch, TimesOnly };
using SameStepCase = std::tuple<Scenario, Where, How>;

class LogCountOnFileSystem : public LogCountTest, public testing::WithParamInterface<SameStepCase> {
protected:
    void SetUp() override
    {
        LogCountTest::SetUp();
        timesOnly = std::get<2>(GetParam()) == How::TimesOnly;
        if (std::get<1>(GetParam()) == Where::Ext4SmallInodes)
            MountExt4();
    }
    void TearDown() override
    {
        if (!mounted_.empty()) {
            if (::chdir(dir.path().c_str()) != 0) ADD_FAILURE() << "cannot leave the file system";
            if (::umount2(mounted_.c_str(), MNT_DETACH) != 0) ADD_FAILURE() << std::strerror(errno);
        }
        LogCountTest::TearDown();
    }

    // A 16 MB ext4 with 128-byte inodes in an image file, mounted through a
    // loop device, and made the working directory with the fault table.
    void MountExt4()
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a loop-mounted ext4 with 128-byte inodes needs the superuser; skipped";
        if (std::system("command -v mkfs.ext4 >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "mkfs.ext4 (e2fsprogs) is not installed; skipped";
        const std::string image = dir.path() + "/ext4.img", point = dir.path() + "/ext4";
        ASSERT_EQ(::mkdir(point.c_str(), 0755), 0);
        const int fd = ::open(image.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, 16 << 20), 0);
        ::close(fd);
        ASSERT_EQ(std::system(("mkfs.ext4 -q -F -I 128 " + image + " >/dev/null 2>&1").c_str()), 0);
        if (std::system(("mount -o loop,nodev,nosuid " + image + " " + point + " 2>/dev/null").c_str()) != 0)
            GTEST_SKIP() << "no loop device to mount an ext4 image on here; skipped";
        mounted_ = point;
        ASSERT_EQ(::chdir(point.c_str()), 0);
        dir.WriteFile("LookUpError.csv", kTable);
        // The file system's stamps have no nanoseconds: a change within the
        // second leaves them as they were.
        ASSERT_TRUE(faultlog::AppendRow(kLog, ""));
        ASSERT_EQ(Stat().st_mtim.tv_nsec, 0);
        ASSERT_EQ(std::remove(kLog), 0);
    }

    std::string mounted_;
};

TEST_P(LogCountOnFileSystem, AgreesWithAWholeReadWhateverTheStamps)
{
    std::get<0>(GetParam()).run(*this);
    if (std::get<1>(GetParam()) == Where::Ext4SmallInodes && !inodeReused &&
        std::string(std::get<0>(GetParam()).name) == "ReplacedTwiceByRename")
        std::printf("(the file system gave the second file a new inode number this time)\n");
}

INSTANTIATE_TEST_SUITE_P(SameStep, LogCountOnFileSystem,
                         testing::Combine(testing::ValuesIn(kSameStepScenarios),
                                          testing::Values(Where::Folder, Where::Ext4SmallInodes),
                                          testing::Values(How::Watch, How::TimesOnly)),
                         [](const testing::TestParamInfo<SameStepCase>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Where::Folder ? "_Folder" : "_Ext4SmallInodes") +
                                    (std::get<2>(info.param) == How::Watch ? "_Watch" : "_TimesOnly");
                         });

// The earlier scenarios on that file system too.
INSTANTIATE_TEST_SUITE_P(Ext4, LogCountOnFileSystem,
                         testing::Combine(testing::ValuesIn(kScenarios), testing::Values(Where::Ext4SmallInodes),
                                          testing::Values(How::Watch)),
                         [](const testing::TestParamInfo<SameStepCase>& info) {
                             return std::string(std::get<0>(info.param).name);
                         });

// Not a plain file in the log's place: refused at once, never waited on.
TEST_F(LogCountTest, PipeOrFolderInPlaceOfTheLogIsRefused)
{
    for (bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "folder");
        ASSERT_EQ(pipe ? ::mkfifo(kLog, 0644) : ::mkdir(kLog, 0755), 0);
        testing::internal::CaptureStdout();
        popup.UpdateFaultMessage1(10101, "", "");
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(out.find("Error Opening Diagnostic Data File\n"), std::string::npos);
        EXPECT_EQ(popup.CountText, "1");
        ASSERT_EQ(pipe ? std::remove(kLog) : ::rmdir(kLog), 0);
    }
}

// The counts read the log whole once, note the display's own rows, and read
// it again only when the file changed under them.
TEST_F(LogCountTest, LogIsReadWholeOnlyWhenItChangedUnderTheDisplay)
{
    dir.WriteFile(kLog, Row("F0101P1", "3"));
    faultlog::LogCounts counts(kLog);
    faultlog::LastCount last;
    auto append = [&](const std::string& row) {
        ASSERT_TRUE(faultlog::AppendRow(kLog, row));
        counts.Appended(row);
    };
    ASSERT_TRUE(counts.Find("F0101P1", last));
    EXPECT_EQ(counts.WholeReads(), 1u);
    EXPECT_TRUE(last.found);
    EXPECT_EQ(last.value, 3);
    for (int count = 4; count < 40; ++count) {
        append(Row("F0101P1", std::to_string(count)));
        ASSERT_TRUE(counts.Find("F0101P1", last));
        EXPECT_EQ(last.value, count);
    }
    ASSERT_TRUE(counts.Find("F0202P2", last));
    EXPECT_FALSE(last.found);
    EXPECT_EQ(counts.WholeReads(), 1u);

    HandAppend(Row("F0101P1", "7"));
    ASSERT_TRUE(counts.Find("F0101P1", last));
    EXPECT_EQ(last.value, 7);
    EXPECT_EQ(counts.WholeReads(), 2u);

    // A torn line the display ends before its row.
    HandAppend("\"x\" \" F0202P2 5");
    ASSERT_TRUE(counts.Find("F0202P2", last));
    EXPECT_EQ(counts.WholeReads(), 3u);
    append(Row("F0202P2", "6"));
    ASSERT_TRUE(counts.Find("F0202P2", last));
    EXPECT_EQ(last.value, 6);
    EXPECT_EQ(counts.WholeReads(), 3u);

    // Another row written beside the display's own between its write and
    // the note: read whole again.
    ASSERT_TRUE(faultlog::AppendRow(kLog, Row("F0101P1", "60")));
    append(Row("F0202P2", "8"));
    ASSERT_TRUE(counts.Find("F0101P1", last));
    EXPECT_EQ(last.value, 60);
    EXPECT_EQ(counts.WholeReads(), 4u);

    // Labels of another shape are looked for in the whole log each time.
    ASSERT_TRUE(counts.Find("SS 01", last));
    EXPECT_TRUE(last.found);
    EXPECT_EQ(last.value, 8);
    EXPECT_EQ(counts.WholeReads(), 4u);

    ASSERT_EQ(std::remove(kLog), 0);
    EXPECT_FALSE(counts.Find("F0101P1", last));
    append(Row("F0101P1", "1"));
    ASSERT_TRUE(counts.Find("F0101P1", last));
    EXPECT_EQ(last.value, 1);
    EXPECT_EQ(counts.WholeReads(), 4u);
}

TEST(FaultLabelShape, OnlyTheLabelsThePopupMakes)
{
    EXPECT_TRUE(faultlog::IsFaultLabel("F0101P1"));
    EXPECT_TRUE(faultlog::IsFaultLabel(faultlog::FaultLabel(65535)));
    for (const char* other : {"", "F0101P", "F0101P11", "f0101P1", "F01a1P1", "F0101Q1", "F0101Px", "SS 01"})
        EXPECT_FALSE(faultlog::IsFaultLabel(other)) << other;
}

}  // namespace
