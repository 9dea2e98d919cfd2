// Copy of the log to a USB stick under a temporary media root.
#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "DataLog.h"
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
        store->FunctionKeyMode = 105;
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
    store->FunctionKeyMode = 10;
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
