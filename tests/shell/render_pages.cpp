// Renders the whole window with the energy, loco-number and wheel-diameter
// screens in front, in the states their pages change in, and the panels over
// the screens (the inching screen reached by the text panel's jump from the
// subsystem grid, the diagnostics table over it and over the grid), into
// renders/pages/<name>.png: the pages must sit within the notebook, clear of
// the title bar's right edge and the mini-grid frames below. Runs from the
// build directory (its ./Images is the built picture set, copied into a
// temporary working directory for the settings files and the log), on a
// store without the bus, driven by its own decode tick.
#include "BasicLayout.h"
#include "KeyMap.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

#include <gtkmm.h>

#include <cstdlib>
#include <initializer_list>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

ReadMVBData& Store() { return *ReadMVBData::instance; }

void Tick()
{
    Store().PrintKey();
    testsupport::DrainEvents();
}

void Keys(BasicLayout& layout, std::initializer_list<unsigned char> keys)
{
    for (unsigned char key : keys) {
        layout.KeyPressed(key);
        Tick();
    }
}

// The keypad cells in turn from the selected one, moving right (C clear,
// K ok), each entered.
void Type(BasicLayout& layout, std::int16_t& selected, const char* cells)
{
    for (const char* c = cells; *c; ++c) {
        const int cell = *c == 'C' ? 10 : *c == 'K' ? 12 : *c == '0' ? 11 : *c - '0';
        for (int moves = (cell - selected + 12) % 12; moves > 0; --moves)
            Keys(layout, {BusKeyRight});
        Keys(layout, {BusKeyEnter});
    }
}

// Where the pictures go: renders/pages/ of the build directory.
std::string& RenderDir()
{
    static std::string dir;
    return dir;
}

// The whole window, and the texts of the screen in front.
bool Save(Gtk::OffscreenWindow& window, Gtk::Widget& screen, const std::string& name)
{
    for (int round = 0; round < 10; ++round)
        testsupport::DrainEvents();
    const ::testing::AssertionResult rendered =
        testsupport::SaveRender(window, 800, 600, RenderDir() + name + ".png", &screen);
    std::cout << (rendered ? "rendered " : "FAILED ") << rendered.message() << std::endl;
    return static_cast<bool>(rendered);
}

}  // namespace

// A diagnostics log of a few faults, newest last.
std::string Log()
{
    const char* const messages[] = {"Main circuit breaker tripped", "Battery voltage low", "Brake pipe pressure low",
                                    "Fire detected in machine room"};
    std::string log;
    for (int n = 1; n <= 6; ++n)
        log += "\"" + std::to_string(n) + "\" \" F01" + std::to_string(10 + n) + "P1\" \" 1\" \" SS " +
               std::to_string(10 + n) + " \" \" 2024-05-06  14:" + std::to_string(10 + n) + ":59\" \" " +
               messages[n % 4] + "\" \" " + std::to_string(n % 3 + 1) + "\"\n";
    return log;
}

int main()
{
    char* built = ::getcwd(nullptr, 0);
    const std::string buildDir = built ? built : ".";
    std::free(built);
    RenderDir() = buildDir + "/renders/pages/";
    testsupport::TempWorkDir work;
    if (!testsupport::CopyFolder(buildDir + "/Images", "Images")) {
        std::cout << "could not copy the pictures" << std::endl;
        return 1;
    }
    work.WriteFile("DiagnosticsData.csv", Log());
    testsupport::InitToolkit();
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    ReadMVBData& store = Store();
    store.TripMotoringEnergy = 1234;
    store.TripRegeneratingEnergy = 567;
    store.TotalMotoringEnergy = 4294967295u;
    store.TotalRegeneratingEnergy = 2345678;
    for (unsigned short& d : store.WheelDiameters)
        d = 1050;
    BasicLayout* layout = new BasicLayout;
    Gtk::OffscreenWindow window;
    window.set_default_size(800, 600);
    window.add(*layout);
    window.show_all();
    Tick();
    bool ok = true;

    // 9: the counters, the reset button just pressed.
    for (int step = 0; step < 9; ++step)
        Keys(*layout, {BusKeyRight});
    Keys(*layout, {BusKeyEnter});
    ok = Save(window, layout->m_EnergyMonitoring, "EnergyMonitoring") && ok;

    // 14: 321 accepted, then 70000 refused: "Confirm" red, the edit ended.
    store.LocoNumber = 321;
    Keys(*layout, {BusKeyRight, BusKeyRight, BusKeyRight, BusKeyRight, BusKeyRight, BusKeyMenu, BusKeyEnter});
    Type(*layout, layout->m_LocoNumner.m_SelectedCell, "321K");
    ok = Save(window, layout->m_LocoNumner, "LocoNumner_Accepted") && ok;
    Keys(*layout, {BusKeyMenu, BusKeyEnter});
    Type(*layout, layout->m_LocoNumner.m_SelectedCell, "C7000");
    ok = Save(window, layout->m_LocoNumner, "LocoNumner_Typing") && ok;
    Type(*layout, layout->m_LocoNumner.m_SelectedCell, "0K");
    ok = Save(window, layout->m_LocoNumner, "LocoNumner_Refused") && ok;

    // 16, unlocked: the vehicle reports 1000 on every bogie, the third row
    // is being edited and its first step went to the lower limit.
    Keys(*layout, {BusKeyRight, BusKeyRight, BusKeyEnter});
    Type(*layout, layout->m_Password.m_SelectedCell, "8316K");
    DDU_300[0] = 0x8000;
    for (int word = 2; word < 8; ++word)
        DDU_300[word] = 1000;
    Tick();
    ok = Save(window, layout->m_WheelDiameter, "WheelDiameter_Received") && ok;
    Keys(*layout, {BusKeyDown, BusKeyDown, BusKeyEnter, BusKeyUp});
    ok = Save(window, layout->m_WheelDiameter, "WheelDiameter_Editing") && ok;

    // From the subsystem grid (screen 1), the text panel's "3. Process
    // information", "3. Inching": the inching screen with the mini status
    // box back in place of the grid; then f3: the table over it.
    store.StoredActualSpeedVal = 1.45f;
    store.ActualSpeed = 0.8f;
    Keys(*layout, {BusKeyHome, BusKeyRight});
    ok = Save(window, layout->m_SubsystemStatus, "SubsystemStatus") && ok;
    Keys(*layout, {BusKeyMenu, BusKeyDown, BusKeyDown, BusKeyEnter, BusKeyDown, BusKeyDown, BusKeyEnter});
    ok = Save(window, layout->m_InchingMode, "Jump_1_to_13") && ok;
    Keys(*layout, {BusKeyF3});
    ok = Save(window, layout->m_DiagnosticScreen, "Diagnostics_over_13") && ok;
    // Over the subsystem grid.
    Keys(*layout, {BusKeyHome, BusKeyRight, BusKeyF3});
    ok = Save(window, layout->m_DiagnosticScreen, "Diagnostics_over_1") && ok;
    window.remove();
    return ok ? 0 : 1;
}
