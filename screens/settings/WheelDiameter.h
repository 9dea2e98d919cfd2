// Screen 16: the six wheel diameters, one per bogie row. Enter opens an edit
// of the cursor row, up and down step it by 1 within 1016..1097 (a value
// outside goes to the nearer limit first), and Enter after a step commits it
// to the store, which sends all six on port 301. The rows show what is sent,
// the row being edited its edit value.
#ifndef CABDISPLAY_SETTINGS_WHEELDIAMETER_H
#define CABDISPLAY_SETTINGS_WHEELDIAMETER_H

#include "CompButtonGrid.h"
#include "ReadMVBData.h"

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <cstdint>
#include <sstream>
#include <string>

class WheelDiameter : public Gtk::Fixed {
public:
    static constexpr int kRows = 6;
    static constexpr std::uint16_t kMinDiameter = ReadMVBData::kLowestWheelDiameter;
    static constexpr std::uint16_t kMaxDiameter = ReadMVBData::kHighestWheelDiameter;

    WheelDiameter();
    virtual ~WheelDiameter();

    void ConstructLayout();
    void UpdateWheelDiameterScreen();
    // Key operation: 1 up, 2 down, 3 enter, 4 menu, 5 cancel.
    void SelectPassword(short code);

    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // True when every one of the six values lies within the limits.
    static bool AllWithinLimits(const std::uint16_t (&values)[kRows]);

    std::stringstream m_Stream;
    std::uint16_t m_CommitRequest = 0;
    std::uint16_t m_Values[kRows] = {};
    std::uint16_t m_LastDataValid = 0;
    std::uint16_t m_MaxDiameter = 0;
    std::uint16_t m_MinDiameter = 0;
    std::uint16_t m_Editing = 0;
    std::uint16_t m_Changed = 0;
    std::uint8_t m_ArrowPressed[kRows][2] = {};
    std::uint16_t m_UpStep = 0;
    std::uint16_t m_DownStep = 0;
    Gtk::Label m_ValueLabels[kRows];
    Gtk::Label m_CaptionLabels[kRows];
    Gtk::EventBox m_CaptionBoxes[kRows];
    Gtk::EventBox m_ValueBoxes[kRows];
    Gtk::EventBox m_UpBar;
    Gtk::EventBox m_DownBar;
    CompButtonGrid m_UpButtons;
    CompButtonGrid m_DownButtons;

private:
    // What each value label shows now.
    std::uint16_t m_LabelValues[kRows] = {};

    bool WithinLimits(std::uint16_t value) const { return value >= m_MinDiameter && value <= m_MaxDiameter; }
    void ShowValue(int row, std::uint16_t value);
    void ShowRows(const std::uint16_t (&sent)[kRows], unsigned cursor);
    void ShowArrow(bool up, int row, bool pressed);
    void ReleaseArrows();
    void ApplyStep(unsigned row);
    void ApplyCommit(unsigned row);
    void Enter();
};

#endif
