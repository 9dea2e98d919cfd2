#include "WheelDiameter.h"

#include "KeypadEntry.h"
#include "ReadMVBData.h"
#include "SettingsWidgets.h"

#include <string>

using namespace settingsui;

namespace {

constexpr int kRowPitch = 47;
// Rows 35 high and arrow columns 270 high keep the sixth row (at y 235)
// within the notebook's 270.
constexpr int kRowHeight = 35;
constexpr int kColumnHeight = 270;
constexpr float kArrowWidth = 40;
constexpr float kArrowHeight = 33;
constexpr int kUp = 0;
constexpr int kDown = 1;

// Plain and pressed picture of each arrow column.
constexpr const char* kArrowPictures[2][2] = {
    {"./Images/upButton1.png", "./Images/upButtonOn1.png"},
    {"./Images/DownButton1.png", "./Images/DownButtonOn1.png"}};

void BuildArrowColumn(CompButtonGrid& grid, Gtk::EventBox& bar, int direction)
{
    grid.Rows = WheelDiameter::kRows;
    grid.Columns = 1;
    grid.ShowSecondCaption = 0;
    grid.ImageWidth = kArrowWidth;
    grid.ImageHeight = kArrowHeight;
    grid.FontSize = 7;
    grid.CaptionWidth = 47;
    grid.CaptionHeight = 37;
    for (int row = 0; row < WheelDiameter::kRows; ++row)
        grid.Captions[row] = "";
    grid.RowSpacing = 0;
    grid.ColumnSpacing = 0;
    grid.OffImagePath = kArrowPictures[direction][0];
    grid.OnImagePath = kArrowPictures[direction][1];
    grid.ConstructLayout();
    bar.add(grid);
}

void BuildCell(Gtk::EventBox& box, Gtk::Label& label, const std::string& text, bool firstRow)
{
    label.set_text(text);
    SetForeground(label, kRed);
    if (firstRow)
        SetFont(label, 9, true);
    FillBox(box, label, "Black", 180, kRowHeight);
}

}  // namespace

WheelDiameter::WheelDiameter()
{
    ConstructLayout();
}

WheelDiameter::~WheelDiameter() = default;

bool WheelDiameter::AllWithinLimits(const std::uint16_t (&values)[kRows])
{
    return ReadMVBData::WheelDiametersWithinLimits(values);
}

void WheelDiameter::ConstructLayout()
{
    const ReadMVBData* store = ReadMVBData::getInstance();
    for (int row = 0; row < kRows; ++row)
        m_Values[row] = store->WheelDiameters[row];
    m_MaxDiameter = kMaxDiameter;
    m_MinDiameter = kMinDiameter;

    for (int row = 0; row < kRows; ++row) {
        const std::string n = std::to_string(row + 1);
        BuildCell(m_CaptionBoxes[row], m_CaptionLabels[row], "BOGIE " + n + " WHEEL DIAM " + n, row == 0);
        put(m_CaptionBoxes[row], 20, row * kRowPitch);
    }
    for (int row = 0; row < kRows; ++row) {
        m_LabelValues[row] = m_Values[row];
        BuildCell(m_ValueBoxes[row], m_ValueLabels[row], Format(m_Stream, m_Values[row]), row == 0);
        put(m_ValueBoxes[row], 320, row * kRowPitch);
    }
    for (Gtk::EventBox* bar : {&m_UpBar, &m_DownBar}) {
        SetBackground(*bar, "black");
        bar->set_size_request(40, kColumnHeight);
    }
    put(m_UpBar, 270, 0);
    put(m_DownBar, 510, 0);
    BuildArrowColumn(m_UpButtons, m_UpBar, kUp);
    BuildArrowColumn(m_DownButtons, m_DownBar, kDown);

    m_Editing = 0;
    for (int row = 0; row < kRows; ++row) {
        ShowArrow(true, row, false);
        ShowArrow(false, row, false);
        m_ArrowPressed[row][kUp] = m_ArrowPressed[row][kDown] = 0;
    }
    show_all_children(true);
}

void WheelDiameter::ShowValue(int row, std::uint16_t value)
{
    if (m_LabelValues[row] == value)
        return;
    m_LabelValues[row] = value;
    m_ValueLabels[row].set_text(Format(m_Stream, value));
}

// Each row shows the diameter the store sends on port 301 and keeps in the
// file; the row being edited shows its edit value instead.
void WheelDiameter::ShowRows(const std::uint16_t (&sent)[kRows], unsigned cursor)
{
    for (unsigned row = 0; row < unsigned(kRows); ++row)
        ShowValue(int(row), m_Editing == 1 && row == cursor ? m_Values[row] : sent[row]);
}

void WheelDiameter::ShowArrow(bool up, int row, bool pressed)
{
    CompButtonGrid& grid = up ? m_UpButtons : m_DownButtons;
    if (row >= int(grid.CellImages.size()) || grid.CellImages[row].empty() || !grid.CellImages[row][0])
        return;
    GetReSizedImage(*grid.CellImages[row][0], kArrowPictures[up ? kUp : kDown][pressed ? 1 : 0],
                    kArrowWidth, kArrowHeight);
}

void WheelDiameter::ReleaseArrows()
{
    for (int row = 0; row < kRows; ++row) {
        for (int direction : {kUp, kDown})
            if (m_ArrowPressed[row][direction])
                ShowArrow(direction == kUp, row, false);
        m_ArrowPressed[row][kUp] = m_ArrowPressed[row][kDown] = 0;
    }
}

// A value outside the limits (from the file or the vehicle) is first
// brought to the nearer limit; inside them a step moves it by 1.
void WheelDiameter::ApplyStep(unsigned row)
{
    const bool up = m_UpStep == 1;
    if (!up && m_DownStep != 1)
        return;
    const int direction = up ? kUp : kDown;
    ShowArrow(up, row, true);
    m_ArrowPressed[row][direction] = 1;
    std::uint16_t& value = m_Values[row];
    if (value < m_MinDiameter)
        value = m_MinDiameter;
    else if (value > m_MaxDiameter)
        value = m_MaxDiameter;
    else if (up && value < m_MaxDiameter)
        ++value;
    else if (!up && value > m_MinDiameter)
        --value;
    m_UpStep = m_DownStep = 0;
    m_Changed = 1;
}

// Only a value within the limits reaches the store; one that is not keeps
// the edit open.
void WheelDiameter::ApplyCommit(unsigned row)
{
    if (m_CommitRequest != 1)
        return;
    m_CommitRequest = 0;
    if (!WithinLimits(m_Values[row])) {
        m_Editing = 1;
        return;
    }
    ReadMVBData* store = ReadMVBData::getInstance();
    store->WheelDiameters[row] = m_Values[row];
    store->WheelDiameterState = 1;
    m_Editing = 0;
    m_Changed = 0;
}

void WheelDiameter::UpdateWheelDiameterScreen()
{
    ReadMVBData* store = ReadMVBData::getInstance();
    if (store->WheelDiameterDataValid != m_LastDataValid) {
        m_LastDataValid = store->WheelDiameterDataValid;
        for (int row = 0; row < kRows; ++row)
            m_Values[row] = store->ReceivedWheelDiameters[row];
    }
    ReleaseArrows();

    const unsigned cursor = store->WheelDiameterCursor;
    if (cursor < unsigned(kRows)) {
        for (unsigned row = 0; row < unsigned(kRows); ++row)
            SetBackground(m_ValueBoxes[row], row == cursor ? "White" : "Black");
        if (m_Editing == 1)
            ApplyStep(cursor);
        ApplyCommit(cursor);
    }
    // Six values the bus must not take never go out flagged as valid.
    if (!AllWithinLimits(store->WheelDiameters))
        store->WheelDiameterSendFlag = 0;
    store->WheelDiameterEditing = m_Editing == 1 ? 1 : 0;
    ShowRows(store->WheelDiameters, cursor);
}

void WheelDiameter::Enter()
{
    ReadMVBData* store = ReadMVBData::getInstance();
    if (m_Editing != 1) {
        m_Editing = 1;
        store->WheelDiameterState = 0;
    }
    std::uint16_t after[kRows];
    for (int row = 0; row < kRows; ++row)
        after[row] = store->WheelDiameters[row];
    const unsigned cursor = store->WheelDiameterCursor;
    if (m_Changed == 1 && cursor < unsigned(kRows) && WithinLimits(m_Values[cursor])) {
        m_CommitRequest = 1;
        m_Editing = 0;
        after[cursor] = m_Values[cursor];
    }
    store->WheelDiameterSendFlag = AllWithinLimits(after) ? 1 : 0;
}

void WheelDiameter::SelectPassword(short code)
{
    ReadMVBData* store = ReadMVBData::getInstance();
    unsigned short& cursor = store->WheelDiameterCursor;
    const bool editing = m_Editing == 1;
    switch (code) {
    case KeyUp:
        if (editing) {
            m_UpStep = 1;
            m_DownStep = 0;
        } else {
            cursor = (cursor >= 1 && cursor <= kRows - 1) ? cursor - 1 : kRows - 1;
        }
        break;
    case KeyDown:
        if (editing) {
            m_DownStep = 1;
            m_UpStep = 0;
        } else {
            cursor = cursor < kRows - 1 ? cursor + 1 : 0;
        }
        break;
    case KeyEnter:
        Enter();
        break;
    case KeyMenu:
        store->WheelDiameterState = 1;
        break;
    case KeyCancel:
        // A step not yet applied belongs to the edit being dropped.
        m_Editing = m_Changed = m_CommitRequest = 0;
        m_UpStep = m_DownStep = 0;
        store->WheelDiameterState = 0;
        break;
    default:
        break;
    }
}

void WheelDiameter::GetReSizedImage(Gtk::Image& image, std::string path, float width, float height)
{
    LoadScreenPicture(image, path, width, height);
}

bool WheelDiameter::FileExists(const std::string& path)
{
    return FileReadable(path);
}

void WheelDiameter::PrintStatement(std::string) {}
