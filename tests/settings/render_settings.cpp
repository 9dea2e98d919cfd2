// Renders every settings and distributed-power screen in a typical state
// into renders/settings/<Screen>.png. Runs from the build directory, so
// ./Images is the built picture set; the store starts without the bus.
#include "DpwcsBpContinuityCheck.h"
#include "DpwcsConfiguration.h"
#include "DpwcsOverview.h"
#include "DpwcsSelectLoco.h"
#include "InchingMode.h"
#include "KeypadEntry.h"
#include "LocoNumner.h"
#include "Password.h"
#include "ReadMVBData.h"
#include "SixMotorIsolation.h"
#include "TestSupport.h"
#include "WagonDetails.h"
#include "WheelDiameter.h"

#include <gtkmm.h>

#include <iostream>

namespace {

// The notebook page area of the main window, on the display's grey.
constexpr int kPageWidth = 597;
constexpr int kPageHeight = 360;

bool Save(Gtk::Widget& screen, const std::string& name)
{
    Gtk::EventBox page;
    page.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("#d6d6d6"));
    page.add(screen);
    const ::testing::AssertionResult rendered =
        testsupport::SnapshotWidget(page, kPageWidth, kPageHeight, "renders/settings/" + name + ".png");
    std::cout << (rendered ? "rendered " : "FAILED ") << rendered.message() << std::endl;
    page.remove();
    return static_cast<bool>(rendered);
}

}  // namespace

int main()
{
    testsupport::InitToolkit();
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    ReadMVBData& store = *ReadMVBData::instance;
    store.StoredActualSpeedVal = 0.5f;
    const unsigned short diameters[6] = {1050, 1061, 1072, 1083, 1094, 1016};
    for (int row = 0; row < 6; ++row) store.WheelDiameters[row] = diameters[row];
    bool ok = true;

    {   // Password half typed: "83" with the frame on cell 1.
        Password screen;
        screen.clearPassword();
        for (short move : {KeyRight, KeyRight, KeyUp, KeyDown}) screen.selectionChange(move);
        screen.m_SelectedCell = 8;
        screen.pressEnter(nullptr);
        screen.m_SelectedCell = 3;
        screen.pressEnter(nullptr);
        screen.selectionChange(KeyDown);
        ok = Save(screen, "Password") && ok;
    }
    {   // Inching: up pressed once, lamp on, moving at 1.2 km/h.
        InchingMode screen;
        store.InchingSendFlag = 1;
        store.ActualSpeed = 1.2f;
        screen.SelectPassword(KeyUp);
        store.InchingUpPressed = 1;
        screen.UpdateinchingModeScreen();
        ok = Save(screen, "InchingMode") && ok;
    }
    {   // Loco number in edit on the keypad: "3124" typed, frame on 5.
        LocoNumner screen;
        store.LocoNumber = 31245;
        screen.UpdateDpwcsConfigurationScreen();
        screen.SelectPassword(KeyMenu);
        screen.selectionChange(KeyEnter);
        int state = 2;
        // Cell 1 to 3, 1, 2, 4 and on to 5, moving right as the driver does.
        for (int moves : {2, 10, 1, 2, 1}) {
            for (int i = 0; i < moves; ++i) screen.selectionChange(KeyRight);
            if (screen.m_SelectedCell != 5) screen.pressEnter(&state);
        }
        ok = Save(screen, "LocoNumner") && ok;
    }
    {   // Isolation: cursor on motor 5, motor 2 just isolated.
        SixMotorIsolation screen;
        store.MotorIsolationCursor = 1;
        screen.SelectSixMtrCurPos(KeyEnter);
        screen.UpdateSixMotorIsolationScreen();
        Save(screen, "SixMotorIsolation_Flash");
        store.MotorIsolationCursor = 4;
        screen.UpdateSixMotorIsolationScreen();
        ok = Save(screen, "SixMotorIsolation") && ok;
    }
    {   // Wheel: row 3 in edit, one step up shown with the pressed arrow.
        WheelDiameter screen;
        store.WheelDiameterCursor = 2;
        screen.SelectPassword(KeyEnter);
        screen.SelectPassword(KeyUp);
        screen.UpdateWheelDiameterScreen();
        ok = Save(screen, "WheelDiameter") && ok;
    }
    {   // Configuration: master typed, first slave chosen.
        DpwcsConfiguration screen;
        int state = 2;
        for (std::int16_t cell : {3, 11, 11, 11, 1, 12}) {
            screen.m_SelectedCell = cell;
            screen.pressEnter(&state);
        }
        screen.boxSelection(3);
        state = 4;
        for (std::int16_t cell : {3, 11, 11, 11, 2}) {
            screen.m_SelectedCell = cell;
            screen.pressEnter(&state);
        }
        screen.selectionChange(KeyLeft);
        ok = Save(screen, "DpwcsConfiguration") && ok;
    }
    {
        DpwcsSelectLoco screen;
        screen.UpdateDpwcsSelectLocoScreen();
        ok = Save(screen, "DpwcsSelectLoco") && ok;
    }
    {
        DpwcsBpContinuityCheck screen;
        for (int k = 0; k < 15; ++k) store.BpContinuityValues[k] = static_cast<unsigned short>(k * 4369);
        screen.UpdateDpwcsBpContinuityCheckScreen();
        ok = Save(screen, "DpwcsBpContinuityCheck") && ok;
    }
    {
        DpwcsOverview screen;
        for (int k = 0; k < 60; ++k) store.DpwcsOverviewValues[k] = static_cast<unsigned short>(k * 1111);
        store.DpwcsOverviewValues[59] = 65535;
        screen.UpdateDpwcsOverviewScreen();
        ok = Save(screen, "DpwcsOverview") && ok;
    }
    {
        WagonDetails screen;
        for (int k = 0; k < 32; ++k) store.WagonDetailValues[k] = static_cast<unsigned short>(k * 3);
        store.WagonDetailValues[31] = 65535;
        screen.UpdateWagonDetailsScreen();
        ok = Save(screen, "WagonDetails") && ok;
    }
    return ok ? 0 : 1;
}
