// Renders the whole window with the energy, loco-number and wheel-diameter
// screens in front, in the states their pages change in, into
// renders/pages/<name>.png: the pages must sit within the notebook, clear of
// the title bar's right edge and the mini-grid frames below. Runs from the
// build directory (./Images is the built picture set), on a store without
// the bus, driven by its own decode tick.
#include "BasicLayout.h"
#include "KeyMap.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

#include <gtkmm.h>

#include <initializer_list>
#include <iostream>

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

// The whole window, and the texts of the screen in front.
bool Save(Gtk::OffscreenWindow& window, Gtk::Widget& screen, const std::string& name)
{
    for (int round = 0; round < 10; ++round)
        testsupport::DrainEvents();
    const ::testing::AssertionResult rendered =
        testsupport::SaveRender(window, 800, 600, "renders/pages/" + name + ".png", &screen);
    std::cout << (rendered ? "rendered " : "FAILED ") << rendered.message() << std::endl;
    return static_cast<bool>(rendered);
}

}  // namespace

int main()
{
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
    window.remove();
    return ok ? 0 : 1;
}
