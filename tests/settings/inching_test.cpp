// The inching screen: set speed steps, the tenths Enter stores, what the
// decode tick sends on port 301 word 1 and keeps in ActualSpeedVal.txt, the
// status lamp, the actual speed and the pressed arrows.
#include "SettingsFixture.h"

#include "SettingsFiles.h"

#include <cmath>

using namespace settingstest;

namespace {

struct InchingCase {
    const char* name;
    float start;            // StoredActualSpeedVal when the screen is built
    const char* keys;       // on screen 13, ending with Enter
    const char* shown;      // set speed label
    unsigned short tenths;  // InchingSpeedTenths, port 301 word 1
    const char* file;       // ActualSpeedVal.txt after a tick
};

const InchingCase kCases[] = {
    {"two up", 0.5f, "U U E", "0.7", 7, "ActualSpeedVal=0.700000"},
    {"ten up to the top", 0.5f, "U U U U U U U U U U E", "1.5", 15, "ActualSpeedVal=1.500000"},
    {"eleventh up changes nothing", 0.5f, "U U U U U U U U U U U E", "1.5", 15, "ActualSpeedVal=1.500000"},
    {"down at the bottom", 0.5f, "D E", "0.5", 5, "ActualSpeedVal=0.500000"},
    {"one down from the top stores what is shown", 1.5f, "D E", "1.4", 14, "ActualSpeedVal=1.400000"},
    {"down all the way stores the bottom", 1.5f, "D D D D D D D D D D E", "0.5", 5,
     "ActualSpeedVal=0.500000"},
    {"cancel shows and sends 0", 1.2f, "C E", "0", 0, "ActualSpeedVal=0.000000"},
    {"up after cancel goes to the lowest speed", 1.2f, "C U E", "0.5", 5, "ActualSpeedVal=0.500000"},
    {"enter without a step", 0.9f, "E", "0.9", 9, "ActualSpeedVal=0.900000"},
};

class InchingScript : public SettingsTest, public ::testing::WithParamInterface<InchingCase> {};

TEST_P(InchingScript, KeysToLabelToTenthsToPortAndFile)
{
    const InchingCase& c = GetParam();
    store().StoredActualSpeedVal = c.start;
    EnableInching();
    Run("go:13");
    Run(c.keys);
    EXPECT_EQ(Text(Inching().m_SetSpeedRow.ValueLabel), c.shown);
    EXPECT_EQ(store().InchingSpeedTenths, c.tenths);
    Poll();
    EXPECT_EQ(DDU_301[1], c.tenths);
    EXPECT_TRUE(Bit(DDU_301[0], 0));
    EXPECT_EQ(ReadFile("ActualSpeedVal.txt"), c.file);
}

INSTANTIATE_TEST_SUITE_P(Cases, InchingScript, ::testing::ValuesIn(kCases), CaseName());

TEST(InchingTenths, RoundedToTheTenthShownAndClamped)
{
    const struct {
        float speed;
        unsigned short tenths;
    } cases[] = {{1.3999999f, 14}, {0.49999997f, 5}, {1.5000001f, 15}, {0.0f, 0}, {0.04f, 0}, {0.05f, 1},
                 {-3.0f, 0}, {6553.5f, 65535}, {1e9f, 65535}, {NAN, 0}, {INFINITY, 65535}};
    for (const auto& c : cases) EXPECT_EQ(InchingMode::SpeedTenths(c.speed), c.tenths) << c.speed;
}

using InchingScreen = SettingsTest;

TEST_F(InchingScreen, NothingSentWithoutTheBusOrOffTheScreen)
{
    store().StoredActualSpeedVal = 0.5f;
    Run("go:13 U E T");
    EXPECT_EQ(store().InchingSpeedTenths, 6);
    EXPECT_EQ(DDU_301[1], 0) << "bus does not enable inching";
    EXPECT_FALSE(Bit(DDU_301[0], 0));
    EXPECT_EQ(Inching().m_StatusRow.CurrentStatusPath, "./Images/BoolValOFF.jpg");

    EnableInching();
    Run("R T");   // screen 14 now
    EXPECT_EQ(DDU_301[1], 0) << "the inching screen is not current";
    Run("L T");
    EXPECT_EQ(DDU_301[1], 6);
    EXPECT_EQ(Inching().m_StatusRow.CurrentStatusPath, "./Images/BoolValON.jpg");
}

TEST_F(InchingScreen, SavedSpeedComesBackAsTheSameTenth)
{
    store().StoredActualSpeedVal = 1.5f;
    EnableInching();
    Run("go:13 D E T");
    EXPECT_EQ(ReadFile("ActualSpeedVal.txt"), "ActualSpeedVal=1.400000");
    float reloaded = 0;
    ASSERT_TRUE(settingsfiles::LoadActualSpeed(reloaded));
    EXPECT_EQ(InchingMode::SpeedTenths(reloaded), 14);
}

TEST_F(InchingScreen, ActualSpeedShownOnChangeOnly)
{
    Run("go:13 T");
    EXPECT_EQ(Text(Inching().m_ActualSpeedRow.ValueLabel), "00") << "0 equals the empty start";
    Inching().m_ActualSpeedRow.ValueLabel.set_text("x");
    store().ActualSpeed = 0;
    Run("T");
    EXPECT_EQ(Text(Inching().m_ActualSpeedRow.ValueLabel), "x");
    // The decode tick takes the speed from the bus: port 1020 word 3 / 10.
    Publish(1020, 3, 125);
    Run("T");
    EXPECT_FLOAT_EQ(store().ActualSpeed, 12.5f);
    EXPECT_EQ(Text(Inching().m_ActualSpeedRow.ValueLabel), "12.5");
}

// Solid pictures tell the pressed arrow from the plain one.
TEST_F(InchingScreen, PressedArrowLastsUntilTheRefreshAfterTheOneThatClearedIt)
{
    const struct {
        const char* name;
        unsigned rgb;
    } pictures[] = {{"upButton.png", 0x0000ff},
                    {"upButtonPressed.png", 0x00ff00},
                    {"DownButton.png", 0x0000ff},
                    {"DownButtonPressed.png", 0xff0000}};
    for (const auto& p : pictures) ReplacePicture(std::string("Images/") + p.name, 160, 30, p.rgb);
    auto colour = [](Gtk::Image& image) {
        Glib::RefPtr<Gdk::Pixbuf> pixbuf = image.get_pixbuf();
        if (!pixbuf) return -1;
        const guint8* px = pixbuf->get_pixels();
        return (px[0] << 16) | (px[1] << 8) | px[2];
    };
    store().StoredActualSpeedVal = 0.5f;
    Run("go:13");
    Gtk::Image& up = Inching().m_ArrowRow.LeftStateImage;
    Gtk::Image& down = Inching().m_ArrowRow.RightStateImage;
    EXPECT_EQ(colour(up), 0x0000ff);
    // A keyboard key between two ticks: the refresh after it shows the
    // pressed arrow and clears the flag, the one after that the plain one.
    Run("kb:U");
    EXPECT_EQ(colour(up), 0x00ff00);
    EXPECT_EQ(store().InchingUpPressed, 1);
    Run("T");
    EXPECT_EQ(colour(up), 0x00ff00) << "first refresh keeps it and clears the flag";
    EXPECT_EQ(store().InchingUpPressed, 0);
    Run("T");
    EXPECT_EQ(colour(up), 0x0000ff);
    Run("kb:D T");
    EXPECT_EQ(colour(down), 0xff0000);
    EXPECT_EQ(colour(up), 0x0000ff);
    EXPECT_EQ(up.get_pixbuf()->get_width(), 160);
    EXPECT_EQ(up.get_pixbuf()->get_height(), 30);
    // A keypad key comes with its own tick, whose refresh is the first.
    Run("T U");
    EXPECT_EQ(colour(up), 0x00ff00);
    EXPECT_EQ(colour(down), 0x0000ff);
    EXPECT_EQ(store().InchingUpPressed, 0);
    Run("T");
    EXPECT_EQ(colour(up), 0x0000ff);
}

TEST_F(InchingScreen, StartShowsTheStoredSetSpeedAndTheHint)
{
    store().StoredActualSpeedVal = 1.0f;
    InchingMode built;   // a screen built on the store's set speed
    EXPECT_EQ(Text(built.m_SetSpeedRow.ValueLabel), "1");
    for (InchingMode* screen : {&Inching(), &built}) {
        EXPECT_EQ(Text(screen->m_HintLabel), "Press Up/Down key for set spees -> press Enter key");
        EXPECT_EQ(Text(screen->m_ArrowRow.CaptionLabel), "Press UP/DOWN");
        EXPECT_EQ(screen->get_children().size(), 6u) << "five rows and the hint, nothing more";
    }
}

}  // namespace
