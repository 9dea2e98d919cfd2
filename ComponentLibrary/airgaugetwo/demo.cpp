// Shows the effort bar alone: full demanded traction, zero actual effort.
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include "CompPressureBar1.h"

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    CompPressureBar1 bar;
    bar.ConstructLayout();
    bar.SetPressureBarLeftInd(100, 1);
    bar.SetPressureBarRightInd(0, 1);
    window.add(bar);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
