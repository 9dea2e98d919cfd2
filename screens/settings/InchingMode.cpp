#include "InchingMode.h"

#include "KeypadEntry.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"

#include <cmath>

using namespace settingsui;

namespace {

constexpr const char* kUpPicture = "./Images/upButton.png";
constexpr const char* kUpPressedPicture = "./Images/upButtonPressed.png";
constexpr const char* kDownPicture = "./Images/DownButton.png";
constexpr const char* kDownPressedPicture = "./Images/DownButtonPressed.png";
constexpr const char* kSpeedUnit = "./Images/KM_HR.jpg";
constexpr float kArrowWidth = 160;
constexpr float kArrowHeight = 30;
// The set speeds the vehicle takes, in tenths of a km/h; 0 is no speed set.
constexpr std::uint16_t kLowestTenths = 5;
constexpr std::uint16_t kHighestTenths = 15;

bool Sendable(std::uint16_t tenths)
{
    return tenths == 0 || (tenths >= kLowestTenths && tenths <= kHighestTenths);
}

// One up or down step in whole tenths. Up from below the range goes to its
// lowest speed, down from above it to its highest; inside it a step moves
// one tenth and stops at the ends. Down below the range and up above it
// change nothing.
std::uint16_t Stepped(std::uint16_t tenths, bool up)
{
    if (up) {
        if (tenths < kLowestTenths)
            return kLowestTenths;
        return tenths < kHighestTenths ? static_cast<std::uint16_t>(tenths + 1) : tenths;
    }
    if (tenths > kHighestTenths)
        return kHighestTenths;
    return tenths > kLowestTenths ? static_cast<std::uint16_t>(tenths - 1) : tenths;
}

void BuildValueRow(CompSingleVal& row, const char* caption, const char* value)
{
    row.CaptionText = caption;
    row.ValueText = value;
    row.UnitImagePath = kSpeedUnit;
    row.ConstructLayout();
}

}  // namespace

InchingMode::InchingMode() : Gtk::VBox(false, 0)
{
    ConstructLayout();
}

InchingMode::~InchingMode() = default;

void InchingMode::ConstructLayout()
{
    set_spacing(3);
    m_StatusRow.CaptionText = "Status";
    m_StatusRow.StatusOn = 0;
    m_StatusRow.CaptionCellVisible = 1;
    m_StatusRow.StatusCellVisible = 1;
    m_StatusRow.ConstructLayout();
    BuildValueRow(m_ActualSpeedRow, "Actual Speed", "00");
    BuildValueRow(m_SetSpeedRow, "Set Speed", "0.5");
    m_Spacer.set_size_request(10, 15);
    m_ArrowRow.CaptionText = "SET SPEED";
    m_ArrowRow.ShowValueTexts = 0;
    m_ArrowRow.UnitImagePath = "./Images/NULLUnit.jpg";
    m_ArrowRow.ConstructLayout();
    for (Gtk::Widget* row : {static_cast<Gtk::Widget*>(&m_StatusRow), static_cast<Gtk::Widget*>(&m_ActualSpeedRow),
                             static_cast<Gtk::Widget*>(&m_SetSpeedRow), static_cast<Gtk::Widget*>(&m_Spacer),
                             static_cast<Gtk::Widget*>(&m_ArrowRow)})
        pack_start(*row, Gtk::PACK_SHRINK, 0);

    GetReSizedImage(m_ArrowRow.CaptionBackgroundImage, "./Images/GreyBox.png", 200, 30);
    SetFont(m_ArrowRow.CaptionLabel, 9, false);
    GetReSizedImage(m_ArrowRow.LeftStateImage, kUpPicture, kArrowWidth, kArrowHeight);
    GetReSizedImage(m_ArrowRow.RightStateImage, kDownPicture, kArrowWidth, kArrowHeight);
    GetReSizedImage(m_ArrowRow.UnitImage, kSpeedUnit, 56, 30);
    m_ArrowRow.CaptionLabel.set_text("Press UP/DOWN");

    ShowSetSpeed();
    m_LastActualSpeed = 0;

    m_HintLabel.set_text("Press Up/Down key for set spees -> press Enter key");
    SetForeground(m_HintLabel, "black");
    SetFont(m_HintLabel, 12, false);
    m_HintBox.add(m_HintLabel);
    m_HintBox.set_size_request(80, 60);
    pack_start(m_HintBox, Gtk::PACK_SHRINK, 0);
    show_all_children(true);
}

std::uint16_t InchingMode::SetSpeedTenths()
{
    return SpeedTenths(ReadMVBData::getInstance()->StoredActualSpeedVal);
}

// The set speed as the whole tenths Enter stores, so what the driver reads
// is what goes out.
void InchingMode::ShowSetSpeed()
{
    const std::string text = Format(m_Stream, static_cast<float>(SetSpeedTenths() / 10.0));
    if (m_SetSpeedRow.ValueLabel.get_text() != text)
        m_SetSpeedRow.ValueLabel.set_text(text);
}

void InchingMode::ShowArrow(Gtk::Image& image, bool pressed, const char* plain, const char* pressedPath)
{
    GetReSizedImage(image, pressed ? pressedPath : plain, kArrowWidth, kArrowHeight);
}

void InchingMode::UpdateinchingModeScreen()
{
    ReadMVBData* store = ReadMVBData::getInstance();
    m_StatusRow.SetImageStatus(store->InchingSendFlag == 1 ? 1 : 0);

    const bool up = store->InchingUpPressed == 1;
    ShowArrow(m_ArrowRow.LeftStateImage, up, kUpPicture, kUpPressedPicture);
    if (up)
        store->InchingUpPressed = 0;
    const bool down = store->InchingDownPressed == 1;
    ShowArrow(m_ArrowRow.RightStateImage, down, kDownPicture, kDownPressedPicture);
    if (down)
        store->InchingDownPressed = 0;
    // The label follows the set speed on every refresh, wherever it came from.
    ShowSetSpeed();

    if (store->ActualSpeed != m_LastActualSpeed) {
        m_LastActualSpeed = store->ActualSpeed;
        m_ActualSpeedRow.ValueLabel.set_text(Format(m_Stream, m_LastActualSpeed));
    }
}

std::uint16_t InchingMode::SpeedTenths(float speed)
{
    const double tenths = std::round(double(speed) * 10.0);
    if (!(tenths > 0))
        return 0;   // also a speed that is not a number
    return tenths >= 65535.0 ? 65535 : static_cast<std::uint16_t>(tenths);
}

// The set speed is held in exact tenths: each step stores the tenth it
// shows, and Enter sends the tenth shown when the vehicle takes it (0 or
// 0.5..1.5 km/h), else nothing.
void InchingMode::SelectPassword(short code)
{
    ReadMVBData* store = ReadMVBData::getInstance();
    switch (code) {
    case KeyUp:
    case KeyDown: {
        const bool up = code == KeyUp;
        if (up)
            ShowArrow(m_ArrowRow.LeftStateImage, true, kUpPicture, kUpPressedPicture);
        else
            ShowArrow(m_ArrowRow.RightStateImage, true, kDownPicture, kDownPressedPicture);
        store->StoredActualSpeedVal = static_cast<float>(Stepped(SetSpeedTenths(), up) / 10.0);
        ShowSetSpeed();
        (up ? store->InchingUpPressed : store->InchingDownPressed) = 0;
        break;
    }
    case KeyEnter: {
        const std::uint16_t tenths = SetSpeedTenths();
        if (Sendable(tenths))
            store->InchingSpeedTenths = tenths;
        break;
    }
    case KeyCancel:
        // The label shows the 0 that Enter would now send.
        store->StoredActualSpeedVal = 0;
        ShowSetSpeed();
        break;
    default:
        break;
    }
}

void InchingMode::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    LoadScreenPicture(image, path, width, height);
}

bool InchingMode::FileExists(const std::string& path)
{
    return FileReadable(path);
}

void InchingMode::PrintStatement(std::string) {}
