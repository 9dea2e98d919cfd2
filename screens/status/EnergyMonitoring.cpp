#include "EnergyMonitoring.h"

#include "CompSupport.h"
#include "KeyCodes.h"

using namespace statusframe;

namespace {

// Heading and button texts: 12 pt.
constexpr int kTextSize = 12288;
const char* const kTextColour = "WHITE";
const char* const kButtonColour = "black";
const char* const kResetColour = "#78c4aa";
constexpr float kRowSpacing = 3;

}  // namespace

const EnergyMonitoring::CounterRow EnergyMonitoring::kCounterTable[4] = {
    {"MotoringEnergy(TRIP)", 47, [](const ReadMVBData& s) { return s.TripMotoringEnergy; }},
    {"RegeneratingEnergy(TRIP)", 67, [](const ReadMVBData& s) { return s.TripRegeneratingEnergy; }},
    {"MotoringEnergy", 192, [](const ReadMVBData& s) { return s.TotalMotoringEnergy; }},
    {"RegeneratingEnergy", 212, [](const ReadMVBData& s) { return s.TotalRegeneratingEnergy; }},
};

EnergyMonitoring::EnergyMonitoring()
{
    ConstructLayout();
}

EnergyMonitoring::~EnergyMonitoring() = default;

void EnergyMonitoring::PlaceHeading(Gtk::EventBox& box, Gtk::Label& label, const char* text, int y)
{
    label.set_text(text);
    compsupport::Foreground(label, "white");
    compsupport::SetFont(label, kTextSize);
    compsupport::Background(box, "BLACK");
    box.set_size_request(580, 25);
    box.add(label);
    put(box, 10, y);
}

void EnergyMonitoring::ConstructLayout()
{
    const auto placeRow = [this](int i) {
        CompSingleVal& row = m_CounterRows[i];
        row.CaptionText = kCounterTable[i].caption;
        row.ValueText = "0";
        row.UnitImagePath = "./Images/KwhUnit.jpg";
        // 3-pixel gaps keep the row (582 wide at x 10) within the page's 592.
        row.Spacing = kRowSpacing;
        row.ConstructLayout();
        put(row, 10, kCounterTable[i].y);
    };
    PlaceHeading(m_TripHeadingBox, m_TripHeading, "TRIP-Energy Consumption", 1);
    placeRow(0);
    placeRow(1);

    // The button: a black box inside a white frame 2 pixels wider each side.
    compsupport::Background(m_ResetFrame, "white");
    m_ResetFrame.set_size_request(154, 29);
    put(m_ResetFrame, 190, 107);
    m_ResetLabel.set_text("ResetTrip");
    compsupport::Foreground(m_ResetLabel, "white");
    compsupport::SetFont(m_ResetLabel, kTextSize);
    compsupport::Background(m_ResetBox, kButtonColour);
    m_ResetBox.set_size_request(150, 25);
    m_ResetBox.add(m_ResetLabel);
    put(m_ResetBox, 192, 109);

    PlaceHeading(m_LifeHeadingBox, m_LifeHeading, "LIFE-TIME Energy Consumption", 147);
    placeRow(2);
    placeRow(3);
    show_all_children(true);
}

void EnergyMonitoring::UpdateEnergyMonitoringScreen()
{
    const ReadMVBData& store = *ReadMVBData::getInstance();
    for (int i = 0; i < 4; ++i)
        NumberStep(m_CounterCaches[i], kCounterTable[i].field(store), m_Stream, m_CounterRows[i].ValueLabel);

    // Painted on every update; a waiting request shows for this one update.
    static const Gdk::Color text = compsupport::Colour(kTextColour);
    static const Gdk::Color button = compsupport::Colour(kButtonColour);
    static const Gdk::Color reset = compsupport::Colour(kResetColour);
    m_ResetLabel.modify_fg(Gtk::STATE_NORMAL, text);
    m_ResetBox.modify_bg(Gtk::STATE_NORMAL, button);
    if (m_ResetHighlight == 1) {
        m_ResetLabel.modify_fg(Gtk::STATE_NORMAL, text);
        m_ResetBox.modify_bg(Gtk::STATE_NORMAL, reset);
        m_ResetHighlight = 0;
    }
}

void EnergyMonitoring::SelectPassword(short code)
{
    if (code != KeyEnter)
        return;
    m_ResetHighlight = 1;
    ReadMVBData& store = *ReadMVBData::getInstance();
    store.TripResetRequest = static_cast<unsigned short>(store.TripResetRequest + 1);
}
