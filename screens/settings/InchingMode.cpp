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
constexpr float kLowestSetSpeed = 0.5f;
constexpr float kHighestSetSpeed = 1.5f;
constexpr double kStep = 0.1;

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

void InchingMode::ShowSetSpeed()
{
    m_SetSpeedRow.ValueLabel.set_text(Format(m_Stream, ReadMVBData::getInstance()->StoredActualSpeedVal));
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
    if (up) {
        ShowSetSpeed();
        store->InchingUpPressed = 0;
    }
    const bool down = store->InchingDownPressed == 1;
    ShowArrow(m_ArrowRow.RightStateImage, down, kDownPicture, kDownPressedPicture);
    if (down) {
        ShowSetSpeed();
        store->InchingDownPressed = 0;
    }

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

void InchingMode::SelectPassword(short code)
{
    ReadMVBData* store = ReadMVBData::getInstance();
    float& speed = store->StoredActualSpeedVal;
    switch (code) {
    case keypad::kUp:
        ShowArrow(m_ArrowRow.LeftStateImage, true, kUpPicture, kUpPressedPicture);
        if (speed < kHighestSetSpeed)
            speed = static_cast<float>(double(speed) + kStep);
        ShowSetSpeed();
        store->InchingUpPressed = 0;
        break;
    case keypad::kDown:
        ShowArrow(m_ArrowRow.RightStateImage, true, kDownPicture, kDownPressedPicture);
        if (speed > kLowestSetSpeed)
            speed = static_cast<float>(double(speed) - kStep);
        ShowSetSpeed();
        store->InchingDownPressed = 0;
        break;
    case keypad::kEnter:
        store->InchingSpeedTenths = SpeedTenths(speed);
        break;
    case keypad::kCancel:
        // The label shows the 0 that Enter would now send.
        speed = 0;
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
