// The shared helpers: every float-to-integer conversion guarded, one colour
// parser, one font rule, one picture loader that never throws.
#include "Bounded.h"
#include "CompBoolValRect.h"
#include "CompSupport.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <cmath>
#include <limits>
#include <memory>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ClampCase {
    double value;
    long long lo, hi, nan;
    long long expected;
};

class ClampToIntegerTest : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampToIntegerTest, TruncatesWithinRange)
{
    const ClampCase& c = GetParam();
    EXPECT_EQ(compsupport::ClampToInteger(c.value, c.lo, c.hi, c.nan), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampToIntegerTest,
    testing::Values(ClampCase{12.9, 0, 100, 0, 12}, ClampCase{-12.9, -100, 100, 0, -12},
                    ClampCase{100.0, 0, 100, 0, 100}, ClampCase{100.5, 0, 100, 0, 100},
                    ClampCase{1e30, 0, 100, 0, 100}, ClampCase{-1e30, 0, 100, 0, 0},
                    ClampCase{kInf, INT_MIN, INT_MAX, 0, INT_MAX}, ClampCase{-kInf, INT_MIN, INT_MAX, 0, INT_MIN},
                    ClampCase{kNaN, 0, 100, 0, 0}, ClampCase{kNaN, 0, 100, 101, 101}));

TEST(PixelConversions, PositionsSizesAndFontUnits)
{
    EXPECT_EQ(compsupport::Px(30.9), 30);
    EXPECT_EQ(compsupport::Px(-4.5), -4);
    EXPECT_EQ(compsupport::Px(kNaN), 0);
    EXPECT_EQ(compsupport::Px(1e20), INT_MAX);
    EXPECT_EQ(compsupport::Whole(-3.0), 0);
    EXPECT_EQ(compsupport::Whole(322.4), 322);
    EXPECT_EQ(compsupport::Whole(1e9), 32767);
    EXPECT_EQ(compsupport::Whole(kNaN), 0);
    EXPECT_EQ(compsupport::PangoSize(8.4f), 8601);
    EXPECT_EQ(compsupport::PangoSize(9), 9216);
}

class HelperWidgets : public testing::Test {
protected:
    void SetUp() override { testsupport::InitToolkit(); }
    testsupport::TempWorkDir dir;
};

TEST_F(HelperWidgets, ColoursParseNamesAndHexAlike)
{
    EXPECT_EQ(compsupport::Colour("#78c4aa").get_green(), 0xc4c4);
    EXPECT_EQ(compsupport::Colour("BLACK").get_red(), 0);
    EXPECT_EQ(compsupport::Colour("white").get_blue(), 0xffff);
    // An unknown name leaves black, never a critical.
    EXPECT_EQ(compsupport::Colour("no such colour").get_red(), 0);
}

TEST_F(HelperWidgets, FontKeepsThemeSizeForNoSize)
{
    EXPECT_EQ(compsupport::Font(8601).get_size(), 8601);
    EXPECT_EQ(compsupport::Font(0).get_set_fields() & Pango::FONT_MASK_SIZE, 0);
    EXPECT_EQ(compsupport::Font(-5).get_set_fields() & Pango::FONT_MASK_SIZE, 0);
    EXPECT_EQ(compsupport::Font(9216).get_set_fields() & Pango::FONT_MASK_WEIGHT, 0);
    EXPECT_EQ(compsupport::Font(9216, compsupport::Weight::Bold).get_weight(), Pango::WEIGHT_BOLD);
    EXPECT_EQ(compsupport::Font(9216, compsupport::Weight::Normal).get_weight(), Pango::WEIGHT_NORMAL);
}

TEST_F(HelperWidgets, PictureLoaderNaturalAndScaledSizes)
{
    testsupport::WritePicture("./Images/Box.png", 40, 20, 0x00ff00);
    Glib::RefPtr<Gdk::Pixbuf> natural = compsupport::LoadPicture("./Images/Box.png");
    ASSERT_TRUE(natural);
    EXPECT_EQ(natural->get_width(), 40);
    Glib::RefPtr<Gdk::Pixbuf> scaled = compsupport::LoadPicture("./Images/Box.png", 160.9f, 18.0f);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->get_width(), 160);
    EXPECT_EQ(scaled->get_height(), 18);
    // A size that is not above zero is no picture, never the file's own size.
    for (float bad : {0.0f, -1.0f, 0.5f, std::nanf("")})
        EXPECT_FALSE(compsupport::LoadPicture("./Images/Box.png", bad, 18.0f)) << bad;
}

TEST_F(HelperWidgets, MissingOrBrokenPictureLeavesImageAsItWas)
{
    testsupport::WritePicture("./Images/Good.png", 10, 10, 0xff0000);
    dir.WriteFile("Images/Broken.png", "not a picture at all");
    Gtk::Image image;
    ASSERT_TRUE(compsupport::SetPicture(image, "./Images/Good.png", 10, 10, 0, ""));
    const Glib::RefPtr<Gdk::Pixbuf> shown = image.get_pixbuf();
    for (const char* path : {"./Images/Missing.png", "./Images/Broken.png"}) {
        EXPECT_FALSE(compsupport::LoadPicture(path)) << path;
        EXPECT_FALSE(compsupport::SetPicture(image, path, 10, 10, 0, "")) << path;
        EXPECT_EQ(image.get_pixbuf(), shown) << path;
    }
}

// ---- The picture cache ------------------------------------------------------

// Colour of the picture's first pixel as 0xRRGGBB.
unsigned FirstPixel(const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    const guint8* p = picture->get_pixels();
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
}

// The picture cache's clock in these tests: the wall clock, ahead by what
// a test lets pass.
long g_aheadMs = 0;

timespec AheadClock()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long ns = now.tv_nsec + g_aheadMs * 1000000LL;
    now.tv_sec += static_cast<time_t>(ns / 1000000000LL);
    now.tv_nsec = static_cast<long>(ns % 1000000000LL);
    return now;
}

class PictureCacheTest : public HelperWidgets {
protected:
    void SetUp() override
    {
        HelperWidgets::SetUp();
        g_aheadMs = 0;
        compsupport::SetPictureCacheClock(&AheadClock);
    }
    void TearDown() override { compsupport::SetPictureCacheClock(nullptr); }
    // The files written so far count as settled: to the cache more than two
    // seconds have passed since, so it may keep their pictures.
    static void LetFilesSettle() { g_aheadMs = 2100; }
};

// A file changed less than two seconds before it is decoded may change
// again with the same time stamps: it is decoded at every check until then.
TEST_F(PictureCacheTest, FileChangedWithinTwoSecondsIsDecodedAtEachCheck)
{
    testsupport::WritePicture("./Images/Fresh.png", 6, 6, 0x336699);
    g_aheadMs = 1000;
    const Glib::RefPtr<Gdk::Pixbuf> first = compsupport::LoadPicture("./Images/Fresh.png", 12, 12);
    ASSERT_TRUE(first);
    EXPECT_NE(compsupport::LoadPicture("./Images/Fresh.png", 12, 12), first) << "a second after its change";
    LetFilesSettle();
    const Glib::RefPtr<Gdk::Pixbuf> settled = compsupport::LoadPicture("./Images/Fresh.png", 12, 12);
    EXPECT_EQ(compsupport::LoadPicture("./Images/Fresh.png", 12, 12), settled) << "two seconds after its change";
    EXPECT_EQ(FirstPixel(settled), 0x336699u);
}

// What happens to the file between two loads, and what the second load gives.
struct FileChange {
    const char* name;
    void (*change)(const std::string& path);
    bool loads;
    unsigned rgb;  // of the second load when it loads
};

class PictureFileChange : public PictureCacheTest, public testing::WithParamInterface<FileChange> {};

TEST_P(PictureFileChange, SecondLoadFollowsTheFile)
{
    const FileChange& c = GetParam();
    const std::string path = "./Images/Lamp.png";
    testsupport::WritePicture(path, 12, 8, 0xff0000);
    for (bool settled : {false, true}) {
        SCOPED_TRACE(settled ? "settled file" : "fresh file");
        testsupport::WritePicture(path, 12, 8, 0xff0000);
        if (settled)
            LetFilesSettle();
        Gtk::Image image;
        ASSERT_TRUE(compsupport::SetPicture(image, path, 24, 16, 0, ""));
        ASSERT_EQ(FirstPixel(compsupport::LoadPicture(path)), 0xff0000u);
        const Glib::RefPtr<Gdk::Pixbuf> shown = image.get_pixbuf();
        c.change(path);
        const Glib::RefPtr<Gdk::Pixbuf> natural = compsupport::LoadPicture(path);
        const Glib::RefPtr<Gdk::Pixbuf> scaled = compsupport::LoadPicture(path, 24, 16);
        EXPECT_EQ(static_cast<bool>(natural), c.loads);
        EXPECT_EQ(static_cast<bool>(scaled), c.loads);
        EXPECT_EQ(compsupport::SetPicture(image, path, 24, 16, 0, ""), c.loads);
        if (c.loads) {
            EXPECT_EQ(FirstPixel(natural), c.rgb);
            EXPECT_EQ(FirstPixel(scaled), c.rgb);
            EXPECT_EQ(FirstPixel(image.get_pixbuf()), c.rgb);
        } else {
            EXPECT_EQ(image.get_pixbuf(), shown);  // left as it was
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, PictureFileChange,
    testing::Values(
        FileChange{"Unchanged", [](const std::string&) {}, true, 0xff0000},
        // Same size, same name, same inode: only the times tell.
        FileChange{"RewrittenInPlace",
                   [](const std::string& path) {
                       testsupport::WritePicture("./Images/Other.png", 12, 8, 0x00ff00);
                       std::ifstream in("./Images/Other.png", std::ios::binary);
                       const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                       std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
                   },
                   true, 0x00ff00},
        FileChange{"ReplacedByRename",
                   [](const std::string& path) {
                       testsupport::WritePicture("./Images/New.png", 12, 8, 0x0000ff);
                       ASSERT_EQ(std::rename("./Images/New.png", path.c_str()), 0);
                   },
                   true, 0x0000ff},
        FileChange{"Removed", [](const std::string& path) { ASSERT_EQ(std::remove(path.c_str()), 0); }, false, 0},
        FileChange{"Broken",
                   [](const std::string& path) { std::ofstream(path, std::ios::trunc) << "no longer a picture"; },
                   false, 0}),
    [](const testing::TestParamInfo<FileChange>& info) { return std::string(info.param.name); });

TEST_F(PictureCacheTest, SettledFileIsDecodedOncePerSize)
{
    testsupport::WritePicture("./Images/Dial.png", 30, 20, 0x123456);
    LetFilesSettle();
    const Glib::RefPtr<Gdk::Pixbuf> natural = compsupport::LoadPicture("./Images/Dial.png");
    const Glib::RefPtr<Gdk::Pixbuf> scaled = compsupport::LoadPicture("./Images/Dial.png", 60, 40);
    ASSERT_TRUE(natural && scaled);
    EXPECT_NE(natural, scaled);
    EXPECT_EQ(compsupport::LoadPicture("./Images/Dial.png"), natural);
    EXPECT_EQ(compsupport::LoadPicture("./Images/Dial.png", 60.7f, 40.2f), scaled);
    EXPECT_NE(compsupport::LoadPicture("./Images/Dial.png", 61, 40), scaled);
    // Setting the picture the image shows already leaves the image alone.
    Gtk::Image image;
    ASSERT_TRUE(compsupport::SetPicture(image, "./Images/Dial.png", 60, 40, 0, ""));
    EXPECT_EQ(image.get_pixbuf(), scaled);
}

// The component libraries link the helpers each for themselves, yet load
// through the one cache of the program.
TEST_F(PictureCacheTest, ComponentLibrariesShareTheCache)
{
    testsupport::WritePicture("./Images/BoolValON.jpg", 10, 10, 0xff0000);
    LetFilesSettle();
    CompBoolValRect lamp;
    lamp.SetImageStatus(1);
    const Glib::RefPtr<Gdk::Pixbuf> shown = lamp.StatusImage.get_pixbuf();
    ASSERT_TRUE(shown);
    EXPECT_EQ(compsupport::LoadPicture("./Images/BoolValON.jpg", static_cast<float>(shown->get_width()),
                                       static_cast<float>(shown->get_height())),
              shown);
}

TEST_F(PictureCacheTest, BrokenFileStaysBrokenUntilReplaced)
{
    dir.WriteFile("Images/Cell.png", "not a picture");
    LetFilesSettle();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(compsupport::LoadPicture("./Images/Cell.png", 10, 10)) << i;
    testsupport::WritePicture("./Images/Cell.png", 5, 5, 0xabcdef);
    const Glib::RefPtr<Gdk::Pixbuf> picture = compsupport::LoadPicture("./Images/Cell.png", 10, 10);
    ASSERT_TRUE(picture);
    EXPECT_EQ(FirstPixel(picture), 0xabcdefu);
}

// Within a check round each file is checked once: a change made during the
// round shows from the next round on; outside rounds every use checks.
TEST_P(PictureFileChange, CheckRoundFollowsTheFileFromTheNextRound)
{
    const FileChange& c = GetParam();
    const std::string path = "./Images/Lamp.png";
    testsupport::WritePicture(path, 12, 8, 0xff0000);
    LetFilesSettle();
    Glib::RefPtr<Gdk::Pixbuf> first;
    {
        compsupport::PictureCheckRound round;
        first = compsupport::LoadPicture(path, 24, 16);
        ASSERT_EQ(FirstPixel(first), 0xff0000u);
        c.change(path);
        EXPECT_EQ(compsupport::LoadPicture(path, 24, 16), first);
        {
            compsupport::PictureCheckRound inner;  // a round inside a round is the same round
            EXPECT_EQ(compsupport::LoadPicture(path, 24, 16), first);
        }
        EXPECT_EQ(compsupport::LoadPicture(path, 24, 16), first);
    }
    compsupport::PictureCheckRound next;
    const Glib::RefPtr<Gdk::Pixbuf> now = compsupport::LoadPicture(path, 24, 16);
    EXPECT_EQ(static_cast<bool>(now), c.loads);
    if (c.loads) {
        EXPECT_EQ(FirstPixel(now), c.rgb);
    }
}

TEST_F(PictureCacheTest, HoldsAtMostItsLimit)
{
    testsupport::WritePicture("./Images/Step.png", 4, 4, 0x808080);
    for (int width = 1; width <= static_cast<int>(compsupport::kPictureCacheLimit) + 20; ++width)
        ASSERT_TRUE(compsupport::LoadPicture("./Images/Step.png", static_cast<float>(width), 4)) << width;
    EXPECT_EQ(compsupport::PictureCacheEntries(), compsupport::kPictureCacheLimit);
    // The latest pictures are still there; the earliest went first.
    EXPECT_EQ(compsupport::LoadPicture("./Images/Step.png", 3, 4)->get_width(), 3);
    EXPECT_EQ(compsupport::PictureCacheEntries(), compsupport::kPictureCacheLimit);
}

// The program names every picture it cannot load, once per path, through
// the one cache; with naming off (a component alone) nothing is printed.
class MissingPictureNames : public PictureCacheTest {
protected:
    void TearDown() override { compsupport::NameMissingPictures(false); }
    // What the loads print.
    static std::string Printed(const std::function<void()>& loads)
    {
        testing::internal::CaptureStdout();
        loads();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(MissingPictureNames, EachPictureThatCannotBeLoadedIsNamedOnce)
{
    testsupport::WritePicture("./Images/Good.png", 4, 4, 0x808080);
    dir.WriteFile("Images/Broken.png", "not a picture");
    Gtk::Image image;
    const auto loads = [&image] {
        for (int round = 0; round < 2; ++round) {
            compsupport::LoadPicture("./Images/Missing.png");
            compsupport::LoadPicture("./Images/Missing.png", 10, 10);
            compsupport::SetPicture(image, "./Images/Broken.png", 20, 20, 0, "");
            compsupport::LoadPicture("./Images/Good.png", 8, 8);
            compsupport::LoadPicture("./Images/Good.png", 0, 8);  // no size asked: no fault of the file
            CompBoolValRect lamp;                                 // a component library's own loads
            lamp.SetImageStatus(1);
        }
    };
    EXPECT_EQ("", Printed(loads)) << "naming off";
    compsupport::NameMissingPictures(true);
    EXPECT_EQ("Picture missing: ./Images/Missing.png\n"
              "Picture missing: ./Images/Broken.png\n"
              "Picture missing: ./Images/BoolValON.jpg\n",
              Printed(loads));
    EXPECT_EQ("", Printed(loads)) << "each path once";
    compsupport::NameMissingPictures(true);
    EXPECT_EQ("Picture missing: ./Images/Missing.png\n",
              Printed([] { compsupport::LoadPicture("./Images/Missing.png"); }))
        << "turned on again, it starts afresh";
}

// Whatever stands under a picture's name, the loader answers at once: a
// pipe, a device or a link is never opened, a file too large or of too
// many pixels is never decoded; each is named once, "<path>: not shown:
// <reason>", and the image keeps what it showed.
struct HostilePicture {
    const char* name;
    std::function<void(const std::string& path)> make;
    const char* line;  // what the first load prints
    bool regular;      // a regular file (which FileExists finds)
};

std::string PngOfSize(unsigned width, unsigned height)
{
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (unsigned v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) png += static_cast<char>((v >> shift) & 0xFF);
    return png + std::string("\x08\x06\0\0\0", 5) + std::string(100, '\0');
}

std::string JpegOfSize(unsigned width, unsigned height)
{
    std::string jpeg("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\xFF\xC0\0\x11\x08", 25);
    for (unsigned v : {height, width}) jpeg += {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
    return jpeg + std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10) + std::string(100, '\0');
}

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// A program that holds a picture's pipe open and has written into it.
int& HostilePictureWriter()
{
    static int writer = -1;
    return writer;
}

const HostilePicture kHostilePictures[] = {
    {"NamedPipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
     "./Images/Lamp.png: not shown: a named pipe, not a file\n", false},
    {"NamedPipeWithAWriter",
     [](const std::string& p) {
         ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0);
         HostilePictureWriter() = ::open(p.c_str(), O_RDWR | O_NONBLOCK);  // closed after the case
         ASSERT_EQ(::write(HostilePictureWriter(), "\x89PNG", 4), 4);
     },
     "./Images/Lamp.png: not shown: a named pipe, not a file\n", false},
    {"LinkToAPicture", [](const std::string& p) { ASSERT_EQ(::symlink("Good.png", p.c_str()), 0); },
     "./Images/Lamp.png: not shown: a symbolic link, not followed\n", false},
    {"LinkToDevZero", [](const std::string& p) { ASSERT_EQ(::symlink("/dev/zero", p.c_str()), 0); },
     "./Images/Lamp.png: not shown: a symbolic link, not followed\n", false},
    {"Folder", [](const std::string& p) { ASSERT_EQ(::mkdir(p.c_str(), 0755), 0); },
     "./Images/Lamp.png: not shown: a folder, not a file\n", false},
    {"OverTheByteLimit",
     [](const std::string& p) {
         Write(p, PngOfSize(10, 10));
         ASSERT_EQ(::truncate(p.c_str(), compsupport::kPictureByteLimit + 1), 0);
     },
     "./Images/Lamp.png: not shown: larger than 4 MB\n", true},
    {"PngOfTooManyPixels", [](const std::string& p) { Write(p, PngOfSize(30000, 30000)); },
     "./Images/Lamp.png: not shown: 30000 x 30000 pixels, more than 2048 a side\n", true},
    {"JpegOfTooManyPixels", [](const std::string& p) { Write(p, JpegOfSize(640, 40000)); },
     "./Images/Lamp.png: not shown: 640 x 40000 pixels, more than 2048 a side\n", true},
    {"NeitherPngNorJpeg", [](const std::string& p) { Write(p, "GIF89a" + std::string(100, 'x')); }, "", true},
};

class HostilePictureFile : public PictureCacheTest, public testing::WithParamInterface<HostilePicture> {
protected:
    void TearDown() override
    {
        if (HostilePictureWriter() >= 0) ::close(HostilePictureWriter());
        HostilePictureWriter() = -1;
    }
};

TEST_P(HostilePictureFile, IsRefusedAtOnceAndNamedOnce)
{
    compsupport::NameMissingPictures(false);  // a refusal is named even so
    testsupport::WritePicture("./Images/Good.png", 10, 10, 0xff0000);
    const std::string path = "./Images/Lamp.png";
    GetParam().make(path);
    Gtk::Image image;
    ASSERT_TRUE(compsupport::SetPicture(image, "./Images/Good.png", 10, 10, 0, ""));
    const Glib::RefPtr<Gdk::Pixbuf> shown = image.get_pixbuf();
    std::string first, again;
    testsupport::FinishesWithin(2000, [&] {
        testing::internal::CaptureStdout();
        EXPECT_FALSE(compsupport::SetPicture(image, path, 10, 10, 0, ""));
        first = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        EXPECT_FALSE(compsupport::LoadPicture(path));
        EXPECT_FALSE(compsupport::LoadPicture(path, 20, 20));
        again = testing::internal::GetCapturedStdout();
    }, {path});
    EXPECT_EQ(first, GetParam().line);
    EXPECT_EQ(again, "") << "named once";
    EXPECT_EQ(image.get_pixbuf(), shown);
    EXPECT_EQ(compsupport::FileExists(path), GetParam().regular);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostilePictureFile, testing::ValuesIn(kHostilePictures), testsupport::CaseName());

TEST_F(PictureCacheTest, PicturesAtTheLimitsAreShown)
{
    testsupport::WritePicture("./Images/Wide.png", compsupport::kPictureSideLimit, 2, 0x00ff00);
    testsupport::WritePicture("./Images/Tall.jpg", 2, compsupport::kPictureSideLimit, 0x0000ff);
    EXPECT_TRUE(compsupport::LoadPicture("./Images/Wide.png"));
    EXPECT_TRUE(compsupport::LoadPicture("./Images/Tall.jpg", 10, 10));
    EXPECT_TRUE(compsupport::FileExists("./Images/Wide.png"));
}

// The label of a window, so its style follows the modifier colours.
class ShownLabel : public HelperWidgets {
protected:
    void SetUp() override
    {
        HelperWidgets::SetUp();
        window.reset(new Gtk::Window);
        label_.reset(new Gtk::Label("50"));
        window->add(*label_);
        window->show_all();
        testsupport::DrainEvents();
    }
    void TearDown() override
    {
        window.reset();  // the window goes before its label
        label_.reset();
    }
    std::unique_ptr<Gtk::Window> window;
    std::unique_ptr<Gtk::Label> label_;

    Gtk::Label& label() { return *label_; }
};

TEST_F(ShownLabel, TextIsWrittenOnlyWhenItDiffers)
{
    EXPECT_FALSE(compsupport::ShowText(label(), "50"));
    EXPECT_EQ(label().get_text(), "50");
    EXPECT_TRUE(compsupport::ShowText(label(), "51"));
    EXPECT_EQ(label().get_text(), "51");
    EXPECT_FALSE(compsupport::ShowText(label(), "51"));
    EXPECT_TRUE(compsupport::ShowText(label(), ""));
    EXPECT_EQ(label().get_text(), "");
    EXPECT_FALSE(compsupport::ShowText(label(), ""));
}

TEST_F(ShownLabel, TextColourIsGivenOnlyWhenItDiffers)
{
    const Gdk::Color cyan("#00ffff");
    EXPECT_TRUE(compsupport::ShowForeground(label(), cyan));
    EXPECT_FALSE(compsupport::ShowForeground(label(), Gdk::Color("cyan")));
    EXPECT_TRUE(gdk_color_equal(label().get_style()->get_fg(Gtk::STATE_NORMAL).gobj(), cyan.gobj()));
    EXPECT_TRUE(compsupport::ShowForeground(label(), Gdk::Color("green")));
    EXPECT_FALSE(compsupport::ShowForeground(label(), Gdk::Color("green")));
    // A colour given the plain way counts too.
    label().modify_fg(Gtk::STATE_NORMAL, cyan);
    EXPECT_FALSE(compsupport::ShowForeground(label(), cyan));
    EXPECT_TRUE(compsupport::ShowForeground(label(), Gdk::Color("green")));
    EXPECT_TRUE(gdk_color_equal(label().get_style()->get_fg(Gtk::STATE_NORMAL).gobj(),
                                Gdk::Color("green").gobj()));
}

TEST_F(ShownLabel, BackgroundIsGivenOnlyWhenItDiffers)
{
    Gtk::EventBox& box = *Gtk::manage(new Gtk::EventBox);
    window->remove();
    window->add(box);
    const Gdk::Color teal("#008080");
    EXPECT_TRUE(compsupport::ShowBackground(box, teal));
    EXPECT_FALSE(compsupport::ShowBackground(box, teal));
    // The text colour is a colour of its own.
    EXPECT_TRUE(compsupport::ShowForeground(box, teal));
    EXPECT_TRUE(compsupport::ShowBackground(box, Gdk::Color("red")));
    EXPECT_FALSE(compsupport::ShowForeground(box, teal));
    testsupport::DrainEvents();
    EXPECT_TRUE(gdk_color_equal(box.get_style()->get_bg(Gtk::STATE_NORMAL).gobj(), Gdk::Color("red").gobj()));
}

// A label not yet in a window: the colour it was given still counts, not the
// theme's colour it shows meanwhile.
TEST_F(HelperWidgets, ColourOfALabelOutsideAWindowIsKept)
{
    Gtk::Label label("x");
    const Gdk::Color themed = label.get_style()->get_fg(Gtk::STATE_NORMAL);
    EXPECT_TRUE(compsupport::ShowForeground(label, Gdk::Color("red")));
    EXPECT_TRUE(compsupport::ShowForeground(label, themed));
    Gtk::Window window;
    window.add(label);
    window.show_all();
    testsupport::DrainEvents();
    EXPECT_TRUE(gdk_color_equal(label.get_style()->get_fg(Gtk::STATE_NORMAL).gobj(), themed.gobj()));
}

struct Utf8Case {
    const char* name;
    std::string text;
    std::string shown;
};

class ValidUtf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(ValidUtf8Test, InvalidBytesBecomeReplacementMarks)
{
    EXPECT_EQ(compsupport::ValidUtf8(GetParam().text), GetParam().shown);
}

#define REPLACED "\xEF\xBF\xBD"
INSTANTIATE_TEST_SUITE_P(Table, ValidUtf8Test, testing::Values(
    Utf8Case{"Ascii", "SS01 : MAIN_POWER", "SS01 : MAIN_POWER"},
    Utf8Case{"TwoThreeFourBytes", "\xC3\xA4 \xE2\x82\xAC \xF0\x9D\x84\x9E", "\xC3\xA4 \xE2\x82\xAC \xF0\x9D\x84\x9E"},
    Utf8Case{"ByteOrderMarkIsText", "\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},
    Utf8Case{"Latin1", "Bremsdruck niedrig \xE4\xF6\xFC!", "Bremsdruck niedrig " REPLACED REPLACED REPLACED "!"},
    Utf8Case{"CutAtTheEnd", "ab\xE2\x82", "ab" REPLACED REPLACED},
    Utf8Case{"LoneContinuation", "\x80x", REPLACED "x"},
    Utf8Case{"Overlong", "\xC0\x80\xE0\x80\xAF", REPLACED REPLACED REPLACED REPLACED REPLACED},
    Utf8Case{"Surrogate", "\xED\xA0\x80", REPLACED REPLACED REPLACED},
    Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", REPLACED REPLACED REPLACED REPLACED},
    Utf8Case{"Nul", std::string("a\0b", 3), "a" REPLACED "b"},
    Utf8Case{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });
#undef REPLACED

const char kEllipsis[] = "\xE2\x80\xA6";

struct FitCase {
    const char* name;
    std::string text;
    compsupport::TextBox box;
    bool whole;   // shown as it is
};

// A label with the pop-up rows' font in a shown window, set up as the box
// asks (wrapped labels request the box's width).
class FitTextTest : public HelperWidgets, public testing::WithParamInterface<FitCase> {
protected:
    void SetUp() override
    {
        HelperWidgets::SetUp();
        for (Gtk::Label* l : {&label, &loose}) {
            l->modify_font(compsupport::Font(11468));
            if (GetParam().box.wrapped) {
                l->set_line_wrap(true);
                l->set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
                l->set_size_request(GetParam().box.width, -1);
            }
        }
        window.add(fixed);
        fixed.put(label, 0, 0);
        window.show_all();
        testsupport::DrainEvents();
    }
    struct ToolkitUp {
        ToolkitUp() { testsupport::InitToolkit(); }
    } up;   // before the widgets below
    Gtk::Window window;
    Gtk::Fixed fixed;
    Gtk::Label label;
    Gtk::Label loose;   // in no window
};

TEST_P(FitTextTest, ShownTextStaysInItsBox)
{
    const FitCase& c = GetParam();
    const std::string valid = compsupport::ValidUtf8(c.text);
    const std::string shown = compsupport::FitText(label, c.text, c.box);
    EXPECT_EQ(compsupport::FitText(loose, c.text, c.box), shown) << "the same before the label is in a window";
    if (c.whole) {
        EXPECT_EQ(shown, valid);
    } else {
        ASSERT_GE(shown.size(), 3u);
        EXPECT_EQ(shown.substr(shown.size() - 3), kEllipsis);
        const std::string start = shown.substr(0, shown.size() - 3);
        EXPECT_EQ(valid.compare(0, start.size(), start), 0) << "a start of the text";
        EXPECT_GT(start.size(), 0u);
    }
    label.set_text(shown);
    testsupport::DrainEvents();
    const Gtk::Requisition size = label.size_request();
    EXPECT_LE(size.width, c.box.width);
    EXPECT_LE(size.height, c.box.height);
    if (!c.box.wrapped) {
        EXPECT_EQ(label.get_layout()->get_line_count(), 1);
    }
}

const compsupport::TextBox kLine{300, 30, false};

std::string Repeat(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}
const compsupport::TextBox kField{300, 100, true};

INSTANTIATE_TEST_SUITE_P(Table, FitTextTest, testing::Values(
    FitCase{"ShortLine", "Main breaker tripped", kLine, true},
    FitCase{"EmptyLine", "", kLine, true},
    FitCase{"LongLine", std::string(500, 'W'), kLine, false},
    FitCase{"LongWordsLine", "Auxiliary converter two out of service after an over-current in its output", kLine,
            false},
    FitCase{"CarriageReturnEndsTheLine", "first part\rsecond part", kLine, false},
    FitCase{"InvalidBytesLine", "Druck \xE4\xF6\xFC", kLine, true},
    FitCase{"ZeroWidthSpaces", Repeat("\xE2\x80\x8B", 10000) + "end", kLine, false},
    FitCase{"ShortField", "Check the relay", kField, true},
    FitCase{"WordsField", Repeat("brake pipe pressure ", 1000), kField, false},
    FitCase{"OneHugeWordField", std::string(20000, 'm'), kField, false},
    FitCase{"LineFeedsField", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl", kField, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelperWidgets, BoxTooSmallForAnEllipsisShowsNothing)
{
    Gtk::Label label;
    EXPECT_EQ(compsupport::FitText(label, "text", {2, 30, false}), "");
    EXPECT_EQ(compsupport::FitText(label, "text", {300, 0, false}), "");
}

TEST(NumberText, DefaultStreamFormat)
{
    EXPECT_EQ(compsupport::FormatNumber(230.39999f), "230.4");
    EXPECT_EQ(compsupport::FormatNumber(2.5e6), "2.5e+06");
    EXPECT_EQ(compsupport::FormatNumber(0.0), "0");
}

}  // namespace
