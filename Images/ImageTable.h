// The picture set of the cab display: every file that the screens and
// components load from "./Images/", with the size it is drawn at (the size at
// which it is loaded, or its main one where it is loaded at several sizes).
// The generator draws exactly these files; the image test checks them; the
// build reads the file names from this table (one entry per line, the name
// first) to declare the generator's outputs.
#ifndef CABDISPLAY_IMAGES_IMAGETABLE_H
#define CABDISPLAY_IMAGES_IMAGETABLE_H

#include <cstddef>

namespace cabimages {

struct ImageSpec {
    const char* file;   // name below Images/; .png or .jpg decides the format
    int width;
    int height;
    const char* use;    // who loads it
    const char* shows;  // what it shows
};

inline constexpr ImageSpec kImageTable[] = {
    // Unit captions of the status rows (56 x 18 unit cells).
    { "AmpsUnit.jpg", 56, 18, "status rows, unit cell", "unit caption A" },
    { "BarUnit.jpg", 56, 18, "status rows, unit cell", "unit caption bar" },
    { "CelsiusUnit.jpg", 56, 18, "status rows, unit cell", "unit caption \xC2\xB0""C" },
    { "HertzUnit.jpg", 56, 18, "status rows, unit cell; pair row default", "unit caption Hz" },
    { "KM_HR.jpg", 56, 18, "inching screen unit cells (also 56 x 30)", "unit caption km/h" },
    { "KilonewtonUnit.jpg", 56, 18, "status rows, unit cell", "unit caption kN" },
    { "KwButtonUnit.jpg", 56, 18, "auxiliary converter row, unit cell", "unit caption kW" },
    { "KwhUnit.jpg", 56, 18, "energy monitoring rows, unit cell", "unit caption kWh" },
    { "NULLUnit.jpg", 56, 18, "rows without a unit", "empty unit cell" },
    { "RPMUnit.jpg", 56, 18, "traction motor speed row, unit cell", "unit caption rpm" },
    { "VoltsUnit.jpg", 56, 18, "status rows, unit cell; bar row default", "unit caption V" },

    // Row cells.
    { "GreyBox.png", 200, 18, "caption cell of every row (also 320 x 18, 200 x 30)", "grey caption plate" },
    { "ValIndicator2.jpg", 160, 18, "pair value rows, value cell", "dark value field, two per row" },
    { "ValIndicator3.jpg", 105, 18, "three-value rows, value cell", "dark value field, three per row" },
    { "ValIndicator6.jpg", 51, 18, "six-value rows, value cell", "dark value field, six per row" },
    { "BoolValON.jpg", 384, 18, "lamp row status cell", "status strip, lamp lit, ON" },
    { "BoolValOFF.jpg", 384, 18, "lamp row status cell", "status strip, lamp dark, OFF" },
    { "DualBoolValON.jpg", 160, 18, "pair picture rows, state cell", "state strip, lamp lit, ON" },
    { "DualBoolValOFF.jpg", 160, 18, "pair picture rows, state cell", "state strip, lamp dark, OFF" },
    { "pantoup.jpg", 384, 18, "lamp row status cell, pantograph rows", "status strip, pantograph raised, UP" },
    { "pantodown.jpg", 384, 18, "lamp row status cell, pantograph rows", "status strip, pantograph lowered, DOWN" },
    { "ProgressHolder.jpg", 322, 18, "bar row frame", "bar trough with 0..100 % ticks and value field" },

    // Main screen instruments.
    { "Background.jpg", 800, 600, "main layout background", "dark cab display background" },
    { "CircularGauge.png", 240, 252, "speed dial face", "speedometer 0..200 km/h" },
    { "CircularNeedle.png", 240, 252, "speed dial needle", "needle pointing to 3 o'clock, transparent" },
    { "Voltmeter.png", 96, 90, "volt dial face", "voltmeter 70..150 V" },
    { "VoltMeterNeedel.png", 96, 90, "volt dial needle", "needle pointing up from (48,60), transparent" },
    { "ProgressBarAmp.png", 96, 270, "primary current bar scale", "vertical scale 0..350 A" },
    { "ProgressBarVolt.png", 96, 270, "primary voltage bar scale", "vertical scale 0..35 kV" },
    { "ProgressBarVolt.jpg", 96, 270, "level bar demonstration scale", "vertical scale 0..35 kV" },
    { "Pressures.jpg", 100, 270, "effort bar scale", "vertical scale -600..700 kN, traction and braking" },
    { "lf1.png", 18, 18, "effort bar left arrow (demand)", "amber arrow pointing right" },
    { "PressureGuageLeftIndicator.png", 18, 18, "second effort bar left arrow", "amber arrow pointing right" },
    { "PressureGuageRightIndicator.png", 18, 18, "effort bar right arrow; level bar indicator (16 x 17)", "white arrow pointing left" },
    { "Panto1Up.png", 97, 129, "main screen pantograph 1", "pantograph 1 raised to the wire" },
    { "Panto1Down.jpg", 97, 129, "main screen pantograph 1 (97 x 46 at start)", "pantograph 1 lowered" },
    { "Panto2Up.png", 97, 129, "main screen pantograph 2", "pantograph 2 raised to the wire" },
    { "Panto2Down.jpg", 97, 129, "main screen pantograph 2 (97 x 46 at start)", "pantograph 2 lowered" },

    // Main screen status grids.
    { "Button1ON.png", 55, 30, "mini subsystem status cell, state 0", "green lit key" },
    { "Button1OFF.png", 55, 30, "mini subsystem status cell, state 1", "red key" },
    { "Button2ON.png", 70, 37, "state and pressure grid cell, ON (also 56 x 37)", "green lit key" },
    { "Button2OFF.png", 70, 37, "state and pressure grid cell, OFF (also 56 x 37)", "dark grey key" },
    { "motorON.png", 45, 33, "motor grid cell, motor in service", "green key with motor ring" },
    { "motorOFF.png", 45, 33, "motor grid cell, motor out", "red key with motor ring" },
    { "BlKeyON.png", 112, 37, "indicator grid, BL key on", "key symbol lit green" },
    { "BlKeyOFF.png", 112, 37, "indicator grid, BL key off", "key symbol dark" },
    { "TrainBrakeON.png", 112, 37, "indicator grid, train brake on", "brake symbol T lit amber" },
    { "TrainBrakeOFF.png", 112, 37, "indicator grid, train brake off", "brake symbol T dark" },
    { "LocoBrakeON.png", 112, 37, "indicator grid, loco brake on", "brake symbol L lit amber" },
    { "LocoBrakeOFF.png", 112, 37, "indicator grid, loco brake off", "brake symbol L dark" },
    { "WheelSlipON.png", 112, 37, "indicator grid, wheel slip on", "slipping wheel lit red" },
    { "WheelSlipOFF.png", 112, 37, "indicator grid, wheel slip off", "wheel dark" },

    // Title bar.
    { "SpeedIcon.png", 40, 42, "title bar speed icon face", "small speed dial 0..180 km/h" },
    { "SpeedIconNeedle.png", 40, 42, "title bar speed icon needle", "needle pointing up-left, transparent" },
    { "BatteryIcon.png", 88, 17, "title bar battery icon", "battery with caption BATTERY" },
    { "blank.png", 40, 30, "title bar USB icon, no stick", "fully transparent" },
    { "usb_off.png", 40, 30, "title bar USB icon, stick seen", "grey USB symbol" },
    { "usb_on.png", 40, 30, "title bar USB icon, log copied", "green USB symbol with tick" },
    { "MDEF.png", 40, 27, "title bar (built, not shown)", "caption MDEF" },
    { "DriverID.png", 72, 48, "title bar (built, not shown)", "driver identity card" },
    { "HighVoltage.png", 48, 48, "title icon, high voltage circuit", "lightning in a warning triangle" },
    { "AuxiliaryConverter.png", 48, 48, "title icon, converters", "converter block AC to DC" },
    { "TractionMotor.png", 48, 48, "title icon, traction motors", "motor M with shaft" },
    { "AuxiliarySystem.png", 48, 48, "title icon, auxiliary system, diagnostics", "blower fan" },
    { "BrakingSystem.png", 48, 48, "title icon, braking and settings screens", "brake symbol" },
    { "EnergyMontioring.png", 48, 48, "title icon, energy monitoring", "energy meter kWh" },
    { "Temperatures.png", 48, 48, "title icon, temperatures", "thermometer" },
    { "Pressures.png", 48, 48, "title icon, pressures", "pressure gauge" },

    // Pop-ups.
    { "WarningPopup.png", 790, 360, "fault pop-up background", "fault message frame, HOME to acknowledge" },
    { "USBPOPUP.png", 790, 360, "USB message pop-up background", "USB data transfer frame" },

    // Status and settings screens.
    { "Button3ON.png", 158, 48, "subsystem status cell, state 0", "green lit key" },
    { "Button3OFF.png", 158, 48, "subsystem status cell, state 1", "red key" },
    { "upButton.png", 160, 30, "inching screen up key", "key with up arrow" },
    { "upButtonPressed.png", 160, 30, "inching screen up key pressed", "lit key with up arrow" },
    { "DownButton.png", 160, 30, "inching screen down key", "key with down arrow" },
    { "DownButtonPressed.png", 160, 30, "inching screen down key pressed", "lit key with down arrow" },
    { "upButton1.png", 40, 33, "wheel diameter up key", "small key with up arrow" },
    { "upButtonOn1.png", 40, 33, "wheel diameter up key pressed", "small lit key with up arrow" },
    { "DownButton1.png", 40, 33, "wheel diameter down key", "small key with down arrow" },
    { "DownButtonOn1.png", 40, 33, "wheel diameter down key pressed", "small lit key with down arrow" },
};

inline constexpr std::size_t kImageCount = sizeof kImageTable / sizeof kImageTable[0];

}  // namespace cabimages

#endif
