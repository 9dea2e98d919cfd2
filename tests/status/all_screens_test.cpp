// Checks over all thirteen screens: the rows and their sizes, what the first
// update draws, that an unchanged store touches no widget, and that missing
// or broken pictures never throw or raise a toolkit critical.
#include "StatusFixture.h"

#include "AuxiliaryConverter.h"
#include "CompBoolValRect.h"
#include "CompButtonGrid.h"

using namespace statustest;

namespace {

// Every label and picture of a screen, marked so that a later draw shows.
class Marks {
public:
    explicit Marks(Gtk::Widget& screen)
    {
        std::vector<Gtk::Widget*> all;
        Descendants(screen, all);
        for (Gtk::Widget* w : all) {
            if (auto* label = dynamic_cast<Gtk::Label*>(w))
                labels_.push_back(label);
            else if (auto* image = dynamic_cast<Gtk::Image*>(w))
                images_.push_back(image);
        }
        marker_ = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, 3, 3);
    }
    void Set()
    {
        for (Gtk::Label* label : labels_)
            label->set_text(kMark);
        for (Gtk::Image* image : images_)
            image->set(marker_);
    }
    int LabelsDrawn() const
    {
        int n = 0;
        for (Gtk::Label* label : labels_)
            n += label->get_text() != kMark;
        return n;
    }
    int ImagesDrawn() const
    {
        int n = 0;
        for (Gtk::Image* image : images_)
            n += image->get_storage_type() != Gtk::IMAGE_PIXBUF || image->get_pixbuf() != marker_;
        return n;
    }

private:
    static constexpr const char* kMark = "#";
    std::vector<Gtk::Label*> labels_;
    std::vector<Gtk::Image*> images_;
    Glib::RefPtr<Gdk::Pixbuf> marker_;
};

// What the first update draws with a running locomotive's store (value
// labels, pictures), and what a second update with the store unchanged
// draws again: the texts the screens set on every update, and the two effort
// bars of the temperature screen whose fractions never match their whole
// number cache.
struct Drawn {
    const char* screen;
    int firstLabels, firstImages;
    int againLabels;
};

const Drawn kDrawn[] = {
    {"SubsystemStatus", 0, 30, 0},     {"HighVoltageCircuit", 5, 7, 0}, {"TractionConverter", 10, 13, 0},
    {"TractionConverter1", 8, 0, 0},   {"AuxiliaryConverter", 18, 2, 0}, {"TractionMotor", 60, 3, 2},
    {"AuxiliarySystem", 1, 18, 0},     {"BrakingSystem", 4, 11, 0},      {"EnergyMonitoring", 4, 0, 0},
    {"Temperatures", 16, 2, 2},        {"Pressures", 5, 1, 0},           {"Node", 7, 0, 0},
    {"SoftwareVer", 8, 0, 1},
};

// The notebook stands at x 203 of the 800-pixel window. The contactor row's
// caption, placed at x 30 of its 200-pixel picture, reaches 10 pixels past
// it, so that row is 595 wide, and the energy screen's rows stand at x 10,
// so it is 594 wide; every other row is at most 592.
constexpr int kRoomRightOfNotebook = 800 - 203;

class EveryScreen : public StatusTest, public testing::WithParamInterface<ScreenKind> {};

std::string NameOf(const testing::TestParamInfo<ScreenKind>& info)
{
    return info.param.name;
}

TEST_P(EveryScreen, FirstUpdateDrawsEveryRowSecondTouchesNothing)
{
    const Drawn* drawn = nullptr;
    for (const Drawn& d : kDrawn)
        if (GetParam().name == std::string(d.screen))
            drawn = &d;
    ASSERT_NE(drawn, nullptr);
    SetRunningLocomotive(store());
    std::unique_ptr<AnyScreen> screen = GetParam().make();
    Marks marks(screen->widget());
    marks.Set();
    screen->Update();
    EXPECT_EQ(marks.LabelsDrawn(), drawn->firstLabels);
    EXPECT_EQ(marks.ImagesDrawn(), drawn->firstImages);
    // Texts changed behind the screen's back stay as they are.
    marks.Set();
    screen->Update();
    EXPECT_EQ(marks.LabelsDrawn(), drawn->againLabels);
    EXPECT_EQ(marks.ImagesDrawn(), 0);
}

TEST_P(EveryScreen, FirstUpdateAtStartValuesDrawsToo)
{
    std::unique_ptr<AnyScreen> screen = GetParam().make();
    Marks marks(screen->widget());
    marks.Set();
    screen->Update();
    EXPECT_GT(marks.LabelsDrawn() + marks.ImagesDrawn(), 0);
}

// Missing pictures, then pictures that exist but will not decode: the
// screens build and update with every value changing, and never throw.
TEST_P(EveryScreen, MissingOrBrokenPicturesNeverThrow)
{
    for (bool broken : {false, true}) {
        testsupport::TempWorkDir empty;
        if (broken)
            WriteBrokenPictures();
        ReadMVBData& s = FreshStore();
        EXPECT_NO_THROW({
            std::unique_ptr<AnyScreen> screen = GetParam().make();
            screen->Update();
            SetRunningLocomotive(s);
            screen->Update();
            for (unsigned short& cell : s.SubsystemStates)
                cell = 1;
            for (unsigned char& cell : s.CircuitBreakerStates)
                cell = 1;
            s.Panto1Up = s.Panto2Up = 0;
            screen->Update();
        }) << (broken ? "broken" : "missing");
    }
}

TEST_P(EveryScreen, FitsItsPage)
{
    std::unique_ptr<AnyScreen> screen = GetParam().make();
    screen->widget().show_all();
    const std::pair<int, int> size = NaturalSize(screen->widget());
    EXPECT_LE(size.first, std::max(GetParam().width, kRoomRightOfNotebook));
    EXPECT_LE(size.second, GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(All, EveryScreen, testing::ValuesIn(AllScreens()), NameOf);

// The rows of the column screens, top to bottom: caption ("" for a spacer,
// the heading text for a fixed heading) and height. The two own rows of the
// auxiliary converter screen are 19 high: their caption sits at y 2 and is
// 17 high.
struct Row {
    const char* caption;
    int height;
};
struct Layout {
    const char* screen;
    int spacing;
    std::vector<Row> rows;
};

std::string CaptionOf(Gtk::Widget& row)
{
    if (auto* r = dynamic_cast<CompBoolValRect*>(&row))
        return r->CaptionLabel.get_text();
    if (auto* r = dynamic_cast<CompProgressBarHolder*>(&row))
        return r->CaptionLabel.get_text();
    if (auto* r = dynamic_cast<CompDualVal*>(&row))
        return r->CaptionLabel.get_text();
    if (auto* r = dynamic_cast<CompSingleVal*>(&row))
        return r->CaptionLabel.get_text();
    if (auto* r = dynamic_cast<CompValueIndicator*>(&row))
        return r->CaptionLabel.get_text();
    // Own rows: the first label found.
    std::vector<Gtk::Widget*> all;
    Descendants(row, all);
    for (Gtk::Widget* w : all)
        if (auto* label = dynamic_cast<Gtk::Label*>(w))
            return label->get_text();
    return "";
}

const Row kPanto[] = {{"Panto 1", 18}, {"Panto 2", 18}};

std::vector<Row> With(std::initializer_list<Row> first, std::initializer_list<Row> rest = {})
{
    std::vector<Row> rows(first);
    rows.insert(rows.end(), rest);
    return rows;
}

const std::vector<Layout>& Layouts()
{
    static const std::vector<Layout> layouts = {
        {"HighVoltageCircuit", 3,
         With({kPanto[0], kPanto[1]},
              {{"Driver Switch for Panto", 18}, {"Minimum Voltage Relay", 18}, {"Driver Switch For Hotel Load", 18},
               {"Driver Switch For VCB", 18}, {"Primary Over Current Relay", 18}, {"Primary Current", 18},
               {"Filter Current", 18}, {"Auxilary Current", 18}, {"HLC - 1 Current", 18}, {"HLC - 2 Current", 18}})},
        {"TractionConverter", 0,
         With({kPanto[0], kPanto[1]},
              {{"", 15}, {"Converter Input Contactor", 18}, {"Pre charge Contactor", 18}, {"Input Currents", 18},
               {"DC Link Voltage", 18}, {"Output Phase Currents", 18}, {"Oil Pressure", 18},
               {"Oil Temperature", 18}, {"Line Converter Pulsing", 18}, {"Drive Converter Pulsing", 18},
               {"Harmonic Main Contactor", 18}, {"Harmonic Adaptation Contactor", 18},
               {"Harmonic Discharge Contactor", 18}})},
        {"TractionConverter1", 0,
         {{"   Bogie1                                 Bogie2", 18}, {"LC-1 Currents", 18}, {"LC-2 Currents", 18},
          {"Input Power", 18}, {"", 15}, {"Bogie1 ventilation Demand", 18}, {"Bogie2 ventilation Demand", 18}}},
        {"AuxiliaryConverter", 3,
         With({kPanto[0], kPanto[1]},
              {{"Battery Voltage", 18}, {"Auxiliary Winding Input Voltage", 18},
               {"Auxiliary Winding Input Current", 18}, {"         ------", 19}, {"BUR Status", 18},
               {"DC Link Voltage", 18}, {"DC Link Current", 18}, {"Output Voltage", 18},
               {"Output Frequency", 18}, {"", 15}, {"BUR Grouping Contactors", 19}})},
        {"TractionMotor", 0,
         {{"TE Demand(W)", 18}, {"TE Actual(X)", 18}, {"Wheel Slip", 18}, {"Label Heading", 18},
          {"DC Link Voltage", 18}, {"Output Phase Current R", 18}, {"Output Phase Current Y", 18},
          {"Output Phase Current B", 18}, {"Converter Input Contactor", 18}, {"Traction Motor Temperature", 18},
          {"Traction Motor Speed", 18}, {"TractionMotor TE_Ref", 18}, {"TractionMotor TE_Act", 18},
          {"TractionMotor BE_Ref", 18}, {"TractionMotor BE_Act", 18}}},
        {"AuxiliarySystem", 3,
         With({kPanto[0], kPanto[1]},
              {{"Cooling Mode", 18}, {"Auxiliary Winding Input Voltage", 18}, {"Label Heading", 18},
               {"CB Converter/Trafo OCB", 18}, {"CB Machine Room Blower", 18}, {"CB Traction Motor Blower", 18},
               {"CB MR Scavenge Blower", 18}, {"CB Traction Scavenge Blower", 18}, {"CB Oil Pump Converter", 18},
               {"CB Oil Pump Transformer", 18}, {"MCB  Compressor", 18}})},
        {"BrakingSystem", 1,
         With({kPanto[0], kPanto[1]},
              {{"BL Key", 18}, {"Emergency Brake", 18}, {"Vigilance", 18}, {"Penalty Brake", 18},
               {"Train Brake", 18}, {"Loco Brake", 18}, {"Anti Slip Brake", 18}, {"BE Demand(W)", 18},
               {"BE Actual(X)", 18}, {"Pneumatic Brake Demand", 18}, {"BP Pressure", 18}, {"Compressor 1&2", 18}})},
        {"Temperatures", 3,
         {{"BL Key", 18}, {"HighTemp Control Electronics Relay", 18}, {"TE Demand(W)", 18}, {"TE Actual(X)", 18},
          {"BE Demand(W)", 18}, {"BE Actual(X)", 18}, {"Transformer Oil Temperature", 18},
          {"Coolant Temperature Converter", 18}, {"MUB Sim. Temperature", 18}, {"Traction Motor Temperature", 18}}},
        {"Pressures", 3,
         {{"BL Key", 18}, {"Transformer Oil Pressure", 18}, {"Oil Pressure Converter", 18}, {"BP Pressure", 18}}},
        {"Node", 3,
         {{"FLG1 Node Information", 18}, {"FLG2 Node Information", 18}, {"Slv Node Information", 18},
          {"SLG1 Node Information", 18}, {"SLG2 Node Information", 18}, {"ALG1 Node Information", 18},
          {"ALG2 Node Information", 18}}},
        {"SoftwareVer", 3,
         {{"FLG1 SoftwareVersion", 18}, {"FLG2 SoftwareVersion", 18}, {"SLG1 SoftwareVersion", 18},
          {"SLG2 SoftwareVersion", 18}, {"BUR1 SoftwareVersion", 18}, {"BUR2 SoftwareVersion", 18},
          {"BUR3 SoftwareVersion", 18}, {"DDU SoftwareVersion", 18}}},
    };
    return layouts;
}

using ScreenRows = StatusTest;


TEST_F(ScreenRows, ColumnScreensHoldTheirRowsInOrder)
{
    for (const Layout& layout : Layouts()) {
        SCOPED_TRACE(layout.screen);
        const ScreenKind* kind = nullptr;
        for (const ScreenKind& k : AllScreens())
            if (layout.screen == std::string(k.name))
                kind = &k;
        ASSERT_NE(kind, nullptr);
        std::unique_ptr<AnyScreen> screen = kind->make();
        // As the main layout shows its pages.
        screen->widget().show_all();
        auto* box = dynamic_cast<Gtk::VBox*>(&screen->widget());
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->get_homogeneous());
        EXPECT_EQ(box->get_spacing(), layout.spacing);
        const std::vector<Gtk::Widget*> rows = Children(*box);
        ASSERT_EQ(rows.size(), layout.rows.size());
        int height = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(CaptionOf(*rows[i]), layout.rows[i].caption) << "row " << i + 1;
            EXPECT_EQ(NaturalSize(*rows[i]).second, layout.rows[i].height) << "row " << i + 1;
            EXPECT_LE(NaturalSize(*rows[i]).first, kRoomRightOfNotebook) << "row " << i + 1;
            height += layout.rows[i].height;
        }
        height += layout.spacing * static_cast<int>(rows.size() - 1);
        EXPECT_EQ(NaturalSize(*box).second, height);
    }
}

}  // namespace
