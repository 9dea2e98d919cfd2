// The USB message pop-up: the fault pop-up's layout on the USB picture.
#ifndef CABDISPLAY_PANEL_USBPOPUP_H
#define CABDISPLAY_PANEL_USBPOPUP_H

#include <gtkmm/eventbox.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <string>

class UsbPopup : public Gtk::Fixed {
public:
    UsbPopup();
    ~UsbPopup();

    void ConstructLayout();
    // Row 2 "TEST CATEGORY", rows 3 and 4 the two texts; row 1 unchanged.
    void UpdateMessage(std::string first, std::string second);

    Gtk::EventBox BackgroundBox;
    Gtk::EventBox CodeRowBox, SubsystemRowBox, MessageRowBox, DetailRowBox;
    Gtk::Image BackgroundImage;
    Gtk::Label CodeRowLabel, SubsystemRowLabel, MessageRowLabel, DetailRowLabel;
};

#endif
