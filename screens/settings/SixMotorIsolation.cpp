#include "SixMotorIsolation.h"

#include "KeypadEntry.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"

#include <string>

using namespace settingsui;

namespace {

// Motors 1 to 3 in the left column, 4 to 6 in the right one.
struct MotorPlace {
    int frameX, frameY;
};
constexpr MotorPlace kPlaces[SixMotorIsolation::kMotors] = {
    {55, 34}, {55, 85}, {55, 136}, {365, 34}, {365, 85}, {365, 136}};
constexpr int kBoxMargin = 5;
constexpr const char* kFrameOff = "Black";

}  // namespace

SixMotorIsolation::SixMotorIsolation()
{
    ConstructLayout();
}

SixMotorIsolation::~SixMotorIsolation() = default;

void SixMotorIsolation::ConstructLayout()
{
    for (int m = 0; m < kMotors; ++m) {
        SetBackground(m_FrameBoxes[m], kFrameOff);
        m_FrameBoxes[m].set_size_request(180, 40);
        put(m_FrameBoxes[m], kPlaces[m].frameX, kPlaces[m].frameY);
    }
    for (int m = 0; m < kMotors; ++m) {
        m_MotorLabels[m].set_text("ISOLATE MOTOR " + std::to_string(m + 1));
        SetForeground(m_MotorLabels[m], kWhite);
        FillBox(m_MotorBoxes[m], m_MotorLabels[m], kTeal, 170, 30);
        put(m_MotorBoxes[m], kPlaces[m].frameX + kBoxMargin, kPlaces[m].frameY + kBoxMargin);
    }
    m_HintLabel.set_text(" press Enter key-> put Password-> \n Select Motor use UP/Down Key->press Enter");
    SetForeground(m_HintLabel, "black");
    SetFont(m_HintLabel, 12, false);
    m_HintBox.add(m_HintLabel);
    m_HintBox.set_size_request(420, 38);
    put(m_HintBox, 110, 220);
    show_all_children(true);
}

void SixMotorIsolation::UpdateSixMotorIsolationScreen()
{
    for (Gtk::EventBox& box : m_MotorBoxes)
        SetBackground(box, kTeal);
    ReadMVBData* store = ReadMVBData::getInstance();
    const unsigned cursor = store->MotorIsolationCursor;
    if (cursor >= unsigned(kMotors))
        return;
    for (int m = 0; m < kMotors; ++m)
        SetBackground(m_FrameBoxes[m], unsigned(m) == cursor ? kWhite : kFrameOff);
    if (m_EnterRequest == 1) {
        store->MotorIsolationFlags[cursor] = 1;
        SetBackground(m_MotorBoxes[cursor], kRed);
        m_EnterRequest = 0;
    }
}

void SixMotorIsolation::SelectSixMtrCurPos(short code)
{
    unsigned short& cursor = ReadMVBData::getInstance()->MotorIsolationCursor;
    switch (code) {
    case KeyUp:
        cursor = cursor == 0 ? kMotors - 1 : cursor - 1;
        break;
    case KeyDown:
        cursor = cursor < kMotors - 1 ? cursor + 1 : 0;
        break;
    case KeyEnter:
        m_EnterRequest = 1;
        break;
    case KeyCancel:
        for (Gtk::EventBox& frame : m_FrameBoxes)
            SetBackground(frame, kFrameOff);
        break;
    default:
        break;
    }
}
