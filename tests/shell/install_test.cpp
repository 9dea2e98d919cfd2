// The install for the cab: cmake --install into a temporary prefix (without
// the device model mvbsim, which only the bench component adds), a working
// directory prepared from its share/cabdisplay as the README says, and the
// installed cabdisplay against the installed mvbsim, its keypad a
// pseudo-terminal of mvbsim's.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

#include "KeyCodes.h"
#include "ProgramSupport.h"
#include "TestSupport.h"

namespace {

const char* const kComponentLibraries[] = {"pictureboard", "keypanel",    "cellpanel", "dialmeter",
                                           "numberpanel",  "airgaugetwo", "airgauge",  "valuebox",
                                           "barframe",     "pairbox",     "lampbox",   "levelbar"};

// The keypad bytes the tests write.
constexpr unsigned char kRight = BusKeyRight, kUp = BusKeyUp, kEnter = BusKeyEnter;

bool IsFile(const std::string& path)
{
    struct stat s;
    return ::stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The pictures in a folder (the build's picture folder holds its build
// files as well).
std::vector<std::string> PicturesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (EndsWith(entry->d_name, ".png") || EndsWith(entry->d_name, ".jpg"))
                names.push_back(entry->d_name);
        ::closedir(dir);
    }
    return names;
}

std::string Read(const std::string& path) { return testsupport::ReadWholeFile(path); }

// Inching allowed by the bus; 13 x right to the inching screen, six steps
// up (0.5 km/h, then five tenths) and enter, one key every 400 ms from the
// display's first poll.
std::string InchingScenario()
{
    std::string scenario = "0 port 1215 0 0x4000\n";
    std::vector<unsigned char> keys(13, kRight);
    keys.insert(keys.end(), {kUp, kUp, kUp, kUp, kUp, kUp, kEnter});
    int ms = 1000;
    for (unsigned char key : keys) {
        scenario += std::to_string(ms) + " key " + std::to_string(key) + "\n";
        ms += 400;
    }
    return scenario;
}

class Installed : public ::testing::Test {
protected:
    void TearDown() override
    {
        testsupport::StopProgram(display_);
        testsupport::StopProgram(sim_);
    }
    std::string Path(const std::string& name) const { return dir_.path() + "/" + name; }
    // cmake --install of the build tree into prefix, with further arguments.
    void Install(const std::string& prefix, const std::vector<std::string>& more = {})
    {
        std::vector<std::string> args = {CMAKE_BIN, "--install", BUILD_TREE, "--prefix", prefix};
        args.insert(args.end(), more.begin(), more.end());
        const pid_t install = testsupport::StartProgram(args, {}, Path("install.out"), dir_.path());
        int status = -1;
        ASSERT_EQ(install, ::waitpid(install, &status, 0));
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Read(Path("install.out"));
    }

    testsupport::TempWorkDir dir_;
    pid_t sim_ = -1, display_ = -1;
};

TEST_F(Installed, ProgramRunsFromAWorkingDirectoryPreparedFromTheInstall)
{
    const std::string prefix = Path("prefix");
    ASSERT_NO_FATAL_FAILURE(Install(prefix));

    const std::string bin = prefix + "/" INSTALL_BINDIR "/", lib = prefix + "/" INSTALL_LIBDIR "/",
                      share = prefix + "/" INSTALL_DATADIR "/cabdisplay/";
    EXPECT_TRUE(IsFile(bin + "cabdisplay"));
    EXPECT_FALSE(IsFile(bin + "mvbsim")) << "the cab's install holds no device model";
    // The bench adds it.
    ASSERT_NO_FATAL_FAILURE(Install(prefix, {"--component", "bench"}));
    EXPECT_TRUE(IsFile(bin + "mvbsim"));
    for (const char* name : kComponentLibraries)
        EXPECT_TRUE(IsFile(lib + "lib" + name + ".so")) << name;
    EXPECT_TRUE(IsFile(share + "LookUpError.csv"));
    const std::vector<std::string> pictures = PicturesIn(std::string(BUILD_TREE) + "/Images");
    ASSERT_FALSE(pictures.empty());
    for (const std::string& name : pictures)
        EXPECT_TRUE(IsFile(share + "Images/" + name)) << name;

    // The working directory: the pictures and the fault table.
    const std::string work = Path("work");
    ASSERT_TRUE(testsupport::CopyFolder(share, work));
    ASSERT_TRUE(testsupport::CopyFolder(share + "Images", work + "/Images"));
    EXPECT_TRUE(IsFile(work + "/LookUpError.csv"));
    ::mkdir((work + "/media").c_str(), 0755);

    std::ofstream(Path("inching.scn")) << InchingScenario();
    sim_ = testsupport::StartProgram({bin + "mvbsim", "--socket", Path("sim.sock"), "--keypad-link", Path("keypad"),
                                      "--log", Path("port301.log"), "--scenario", Path("inching.scn")},
                                     {}, Path("mvbsim.out"), dir_.path());
    ASSERT_TRUE(testsupport::WaitFor([&] { return Read(Path("mvbsim.out")).find("listening") != std::string::npos; },
                                     5000))
        << Read(Path("mvbsim.out"));
    display_ = testsupport::StartProgram({bin + "cabdisplay"},
                                         {"CABDISPLAY_MVB=sim:" + Path("sim.sock"), "CABDISPLAY_KEYPAD=" + Path("keypad"),
                                          "CABDISPLAY_MEDIA=" + work + "/media", "G_DEBUG=fatal-criticals"},
                                         Path("cabdisplay.out"), work);

    EXPECT_TRUE(testsupport::WaitFor([&] { return testsupport::WindowSize(display_) == "800x600"; }, 8000))
        << testsupport::WindowSize(display_) << "\n" << Read(Path("cabdisplay.out"));
    // The components come from the installed lib/, none from the build tree.
    const std::string maps = Read("/proc/" + std::to_string(display_) + "/maps");
    EXPECT_NE(maps.find(lib + "libdialmeter.so"), std::string::npos) << maps;
    EXPECT_EQ(maps.find(std::string(BUILD_TREE) + "/lib/"), std::string::npos) << maps;
    // 1.0 km/h in tenths goes out in port 301 word 1.
    EXPECT_TRUE(testsupport::WaitFor(
        [&] { return Read(Path("port301.log")).find("port 301 word 1 0x0000 -> 0x000A") != std::string::npos; }, 20000))
        << Read(Path("port301.log")) << Read(Path("cabdisplay.out"));
    const std::string output = Read(Path("cabdisplay.out"));
    EXPECT_EQ(output.find("CRITICAL"), std::string::npos) << output;
    EXPECT_EQ(output.find("Picture missing"), std::string::npos) << output;
}

}  // namespace
