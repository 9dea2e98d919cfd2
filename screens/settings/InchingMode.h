// Screen 13: the inching set speed, stepped in whole tenths between 0.5 and
// 1.5 km/h with up and down and sent with Enter, beside the actual speed and
// the lamp that shows the bus takes the inching speed.
#ifndef CABDISPLAY_SETTINGS_INCHINGMODE_H
#define CABDISPLAY_SETTINGS_INCHINGMODE_H

#include "CompBoolValRect.h"
#include "CompDualVal.h"
#include "CompSingleVal.h"

#include <gtkmm/box.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <cstdint>
#include <sstream>
#include <string>

class InchingMode : public Gtk::VBox {
public:
    InchingMode();
    virtual ~InchingMode();

    void ConstructLayout();
    void UpdateinchingModeScreen();
    // Key operation: 1 up, 2 down, 3 enter, 5 cancel.
    void SelectPassword(short code);

    void GetReSizedImage(Gtk::Image& image, std::string path, float width, float height);
    bool FileExists(const std::string& path);
    void PrintStatement(std::string text);

    // A speed in whole tenths, rounded to nearest, within the range of the
    // store's 16-bit field (0 for a speed that is not a number).
    static std::uint16_t SpeedTenths(float speed);

    CompBoolValRect m_StatusRow;
    CompSingleVal m_ActualSpeedRow;
    CompSingleVal m_SetSpeedRow;
    Gtk::HBox m_Spacer;
    CompDualVal m_ArrowRow;
    Gtk::EventBox m_HintBox;
    Gtk::Label m_HintLabel;
    std::stringstream m_Stream;
    float m_LastActualSpeed = 0;

private:
    // The store's set speed in the whole tenths the screen shows.
    std::uint16_t SetSpeedTenths();
    void ShowSetSpeed();
    // Shows the pressed or the plain picture of one arrow.
    void ShowArrow(Gtk::Image& image, bool pressed, const char* plain, const char* pressedPath);
};

#endif
