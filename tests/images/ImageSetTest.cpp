// The picture set as the build leaves it in Images/: every file the screens
// load is there, decodes, has its size and format; the dials are graduated
// where the gauges turn their needles; the two states of each lamp, key and
// pantograph read differently.
#include "ImageTable.h"
#include "TestSupport.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using cabimages::ImageSpec;
using cabimages::kImageTable;

constexpr double kPi = 3.14159265358979323846;

std::string ImagePath(const std::string& file) { return std::string(CABDISPLAY_IMAGE_DIR) + "/" + file; }

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

struct PixbufDeleter {
    void operator()(GdkPixbuf* p) const { g_object_unref(p); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, PixbufDeleter>;

Pixbuf Load(const std::string& file)
{
    GError* error = nullptr;
    GdkPixbuf* p = gdk_pixbuf_new_from_file(ImagePath(file).c_str(), &error);
    if (error)
        g_error_free(error);
    return Pixbuf(p);
}

struct Pixel {
    int r, g, b, a;
    double Luma() const { return (0.299 * r + 0.587 * g + 0.114 * b) * a / 255.0; }
};

bool Inside(GdkPixbuf* p, int x, int y)
{
    return x >= 0 && y >= 0 && x < gdk_pixbuf_get_width(p) && y < gdk_pixbuf_get_height(p);
}

// A pixel of the picture; a position outside it fails the test.
Pixel At(GdkPixbuf* p, int x, int y)
{
    if (!Inside(p, x, y)) {
        ADD_FAILURE() << "pixel " << x << "," << y << " lies outside the " << gdk_pixbuf_get_width(p) << "x"
                      << gdk_pixbuf_get_height(p) << " picture";
        return { 0, 0, 0, 0 };
    }
    const int n = gdk_pixbuf_get_n_channels(p);
    const guchar* px = gdk_pixbuf_get_pixels(p) + y * gdk_pixbuf_get_rowstride(p) + x * n;
    return { px[0], px[1], px[2], n == 4 ? px[3] : 255 };
}

double MeanLuma(GdkPixbuf* p)
{
    const int w = gdk_pixbuf_get_width(p), h = gdk_pixbuf_get_height(p);
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            sum += At(p, x, y).Luma();
    return sum / (w * h);
}

// Clock angle (degrees clockwise from 12 o'clock) to a pixel position.
void Polar(double cx, double cy, double clockDeg, double r, int& x, int& y)
{
    const double a = clockDeg * kPi / 180.0;
    x = int(std::lround(cx + r * std::sin(a)));
    y = int(std::lround(cy - r * std::cos(a)));
}

class ImageSetTest : public ::testing::Test {
protected:
    testsupport::TempWorkDir dir_;
};

// ------------------------------------------------------------ every file

class EveryPicture : public ::testing::TestWithParam<ImageSpec> {
protected:
    testsupport::TempWorkDir dir_;
};

TEST_P(EveryPicture, ExistsDecodesAtItsSizeInItsFormat)
{
    const ImageSpec& spec = GetParam();
    std::ifstream in(ImagePath(spec.file), std::ios::binary);
    ASSERT_TRUE(in.good()) << spec.file << " missing";
    unsigned char magic[4] = {};
    in.read(reinterpret_cast<char*>(magic), 4);
    if (EndsWith(spec.file, ".png"))
        EXPECT_TRUE(magic[0] == 0x89 && magic[1] == 'P' && magic[2] == 'N' && magic[3] == 'G') << spec.file;
    else
        EXPECT_TRUE(magic[0] == 0xFF && magic[1] == 0xD8) << spec.file << " is not a JPEG";

    Pixbuf p = Load(spec.file);
    ASSERT_TRUE(p) << spec.file << " does not decode";
    EXPECT_EQ(gdk_pixbuf_get_width(p.get()), spec.width) << spec.file;
    EXPECT_EQ(gdk_pixbuf_get_height(p.get()), spec.height) << spec.file;
}

std::string TestName(const ::testing::TestParamInfo<ImageSpec>& info)
{
    std::string name = info.param.file;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, EveryPicture, ::testing::ValuesIn(kImageTable), TestName);

TEST_F(ImageSetTest, TableNamesEightyDistinctPngOrJpegFiles)
{
    std::set<std::string> names;
    for (const ImageSpec& spec : kImageTable) {
        EXPECT_TRUE(names.insert(spec.file).second) << spec.file << " listed twice";
        EXPECT_TRUE(EndsWith(spec.file, ".png") || EndsWith(spec.file, ".jpg")) << spec.file;
        EXPECT_GT(spec.width, 0);
        EXPECT_GT(spec.height, 0);
    }
    EXPECT_EQ(names.size(), 80u);
}

// ------------------------------------------------------------- the dials

// A dial as its gauge paints it: face, then the needle turned about a pivot.
struct Dial {
    const char* face;
    const char* needle;
    double faceX, faceY;      // pivot on the face
    double needleX, needleY;  // the needle's point that lands on it
    std::function<double(double)> rotation;  // gauge's rotation for a value
    double drawnClock;        // clock angle of the needle as drawn in its file
    std::vector<double> marks;  // values the face is graduated at
    double tickRadius;        // radius that crosses every major tick
    double gapClock;          // a clock angle outside the scale whose tick circle lies on the picture
};

std::vector<Dial> Dials()
{
    return {
        // Speed: UpdateSpeed turns a needle drawn towards 3 o'clock by
        // 1.495 s + 121 about the picture centre.
        { "CircularGauge.png", "CircularNeedle.png", 120, 126, 120, 126,
          [](double s) { return s * 1.495 + 121; }, 90,
          { 0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200 }, 101, 180 },
        // Volt: UpdateVolt turns a needle drawn upwards by (v - 70) 1.25 + 310,
        // its point (48, 60) landing on the face's (48, 55).
        { "Voltmeter.png", "VoltMeterNeedel.png", 48, 55, 48, 60,
          [](double v) { return (v - 70) * 1.25 + 310; }, 0, { 70, 90, 110, 130, 150 }, 35, 90 },
        // Title bar icon: speed x 1.556 + 260 about the centre (20, 21).
        { "SpeedIcon.png", "SpeedIconNeedle.png", 20, 21, 20, 21,
          [](double s) { return s * 1.556 + 260; }, 320, { 0, 60, 120, 180 }, 13, 180 },
    };
}

double ClockOf(const Dial& d, double value) { return std::fmod(d.drawnClock + d.rotation(value) + 720.0, 360.0); }

TEST_F(ImageSetTest, DialFacesAreGraduatedWhereTheNeedleTurns)
{
    for (const Dial& d : Dials()) {
        Pixbuf face = Load(d.face);
        ASSERT_TRUE(face) << d.face;
        for (double v : d.marks) {
            // The tick is a few pixels wide: take the brightest pixel across it.
            double best = 0;
            for (double da = -1.5; da <= 1.5; da += 0.5) {
                int x, y;
                Polar(d.faceX, d.faceY, ClockOf(d, v) + da, d.tickRadius, x, y);
                best = std::max(best, At(face.get(), x, y).Luma());
            }
            EXPECT_GT(best, 180) << d.face << ": no tick at " << v;
        }
        int x, y;
        Polar(d.faceX, d.faceY, d.gapClock, d.tickRadius, x, y);
        EXPECT_LT(At(face.get(), x, y).Luma(), 100) << d.face << ": the gap below the scale holds a tick";
    }
}

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Paints the needle as the gauge does for a value; returns the needle layer.
Surface PaintNeedle(const Dial& d, double value, int w, int h)
{
    Surface needle(cairo_image_surface_create_from_png(ImagePath(d.needle).c_str()));
    Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    cairo_t* cr = cairo_create(out.get());
    cairo_translate(cr, d.faceX, d.faceY);
    cairo_rotate(cr, d.rotation(value) * kPi / 180.0);
    cairo_set_source_surface(cr, needle.get(), -d.needleX, -d.needleY);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(out.get());
    return out;
}

int AlphaAt(cairo_surface_t* s, int x, int y)
{
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s)) {
        ADD_FAILURE() << "needle layer pixel " << x << "," << y << " lies outside the picture";
        return 0;
    }
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return (reinterpret_cast<const uint32_t*>(row)[x] >> 24) & 0xff;
}

TEST_F(ImageSetTest, NeedlesPointAtTheFigureTheGaugeShows)
{
    for (const Dial& d : Dials()) {
        Pixbuf face = Load(d.face);
        ASSERT_TRUE(face) << d.face;
        const int w = gdk_pixbuf_get_width(face.get()), h = gdk_pixbuf_get_height(face.get());
        for (double v : { d.marks.front(), d.marks[d.marks.size() / 2], d.marks.back() }) {
            Surface layer = PaintNeedle(d, v, w, h);
            ASSERT_EQ(cairo_surface_status(layer.get()), CAIRO_STATUS_SUCCESS) << d.needle;
            // It turns about its hub, which covers the face's pivot.
            EXPECT_GT(AlphaAt(layer.get(), int(d.faceX), int(d.faceY)), 128) << d.needle << " hub off the pivot";
            int x, y;
            Polar(d.faceX, d.faceY, ClockOf(d, v), d.tickRadius * 0.8, x, y);
            EXPECT_GT(AlphaAt(layer.get(), x, y), 128) << d.needle << " does not reach " << v;
            // And nothing of it lies on the opposite side beyond its short tail.
            Polar(d.faceX, d.faceY, ClockOf(d, v) + 180, d.tickRadius * 0.8, x, y);
            EXPECT_EQ(AlphaAt(layer.get(), x, y), 0) << d.needle << " at " << v;
        }
    }
}

TEST_F(ImageSetTest, NeedlesAndBlankAreTransparentAround)
{
    for (const char* file : { "CircularNeedle.png", "VoltMeterNeedel.png", "SpeedIconNeedle.png", "blank.png",
                              "lf1.png", "PressureGuageLeftIndicator.png", "PressureGuageRightIndicator.png" }) {
        Pixbuf p = Load(file);
        ASSERT_TRUE(p) << file;
        ASSERT_TRUE(gdk_pixbuf_get_has_alpha(p.get())) << file;
        const int w = gdk_pixbuf_get_width(p.get()), h = gdk_pixbuf_get_height(p.get());
        for (auto [x, y] : { std::pair{ 0, 0 }, { w - 1, 0 }, { 0, h - 1 }, { w - 1, h - 1 } })
            EXPECT_EQ(At(p.get(), x, y).a, 0) << file << " corner " << x << "," << y;
    }
    Pixbuf blank = Load("blank.png");
    ASSERT_TRUE(blank);
    EXPECT_EQ(MeanLuma(blank.get()), 0.0);
}

// ------------------------------------------------------- the two states

double MeanDifference(GdkPixbuf* a, GdkPixbuf* b)
{
    const int w = gdk_pixbuf_get_width(a), h = gdk_pixbuf_get_height(a);
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Pixel p = At(a, x, y), q = At(b, x, y);
            sum += (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b)) / 3.0;
        }
    return sum / (w * h);
}

TEST_F(ImageSetTest, OnAndOffPicturesReadDifferently)
{
    // State pairs differ in colour over the whole picture; the arrow keys
    // only in their arrow.
    struct Pair {
        const char* first;
        const char* second;
        double minDifference;
    };
    const Pair pairs[] = {
        { "BoolValON.jpg", "BoolValOFF.jpg", 8 },         { "DualBoolValON.jpg", "DualBoolValOFF.jpg", 8 },
        { "pantoup.jpg", "pantodown.jpg", 8 },            { "Panto1Up.png", "Panto1Down.jpg", 8 },
        { "Panto2Up.png", "Panto2Down.jpg", 8 },          { "Button1ON.png", "Button1OFF.png", 8 },
        { "Button2ON.png", "Button2OFF.png", 8 },         { "Button3ON.png", "Button3OFF.png", 8 },
        { "motorON.png", "motorOFF.png", 8 },             { "BlKeyON.png", "BlKeyOFF.png", 8 },
        { "TrainBrakeON.png", "TrainBrakeOFF.png", 8 },   { "LocoBrakeON.png", "LocoBrakeOFF.png", 8 },
        { "WheelSlipON.png", "WheelSlipOFF.png", 8 },     { "usb_on.png", "usb_off.png", 8 },
        { "upButtonPressed.png", "upButton.png", 8 },     { "DownButtonPressed.png", "DownButton.png", 8 },
        { "upButtonOn1.png", "upButton1.png", 8 },        { "DownButtonOn1.png", "DownButton1.png", 8 },
        { "upButton.png", "DownButton.png", 2 },          { "upButton1.png", "DownButton1.png", 2 },
    };
    for (const Pair& pair : pairs) {
        Pixbuf a = Load(pair.first), b = Load(pair.second);
        ASSERT_TRUE(a && b) << pair.first << " / " << pair.second;
        EXPECT_GT(MeanDifference(a.get(), b.get()), pair.minDifference)
            << pair.first << " and " << pair.second << " look alike";
    }
    // The lit lamps are the brighter ones.
    for (const auto& [on, off] : { std::pair{ "BoolValON.jpg", "BoolValOFF.jpg" },
                                   { "DualBoolValON.jpg", "DualBoolValOFF.jpg" },
                                   { "BlKeyON.png", "BlKeyOFF.png" },
                                   { "WheelSlipON.png", "WheelSlipOFF.png" } }) {
        Pixbuf a = Load(on), b = Load(off);
        ASSERT_TRUE(a && b);
        EXPECT_GT(MeanLuma(a.get()), MeanLuma(b.get()) + 5) << on;
    }
}

TEST_F(ImageSetTest, InstrumentsHaveDarkBackgrounds)
{
    for (const char* file : { "Background.jpg", "CircularGauge.png", "Voltmeter.png", "ProgressBarAmp.png",
                              "ProgressBarVolt.png", "Pressures.jpg", "NULLUnit.jpg", "AmpsUnit.jpg",
                              "ValIndicator3.jpg", "ProgressHolder.jpg", "WarningPopup.png", "USBPOPUP.png" }) {
        Pixbuf p = Load(file);
        ASSERT_TRUE(p) << file;
        EXPECT_LT(MeanLuma(p.get()), 70) << file;
    }
}

}  // namespace
