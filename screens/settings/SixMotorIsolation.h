// Screen 15: marks traction motors 1 to 6 for isolation. A white frame
// shows the motor under the cursor; Enter, once unlocked, sets its flag.
#ifndef CABDISPLAY_SETTINGS_SIXMOTORISOLATION_H
#define CABDISPLAY_SETTINGS_SIXMOTORISOLATION_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

#include <cstdint>

class SixMotorIsolation : public Gtk::Fixed {
public:
    static constexpr int kMotors = 6;

    SixMotorIsolation();
    virtual ~SixMotorIsolation();

    void ConstructLayout();
    void UpdateSixMotorIsolationScreen();
    // Key operation: 1 up, 2 down, 3 enter, 4 menu, 5 cancel.
    void SelectSixMtrCurPos(short code);

    std::uint16_t m_EnterRequest = 0;
    Gtk::EventBox m_FrameBoxes[kMotors];
    Gtk::EventBox m_MotorBoxes[kMotors];
    Gtk::EventBox m_HintBox;
    Gtk::Label m_MotorLabels[kMotors];
    Gtk::Label m_HintLabel;
};

#endif
