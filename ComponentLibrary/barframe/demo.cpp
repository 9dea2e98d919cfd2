// Shows one bar row alone: Battery Voltage with the bar at 56.23 %.
#include "CompProgressBarHolder.h"

#include <gtkmm/main.h>
#include <gtkmm/window.h>

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    CompProgressBarHolder row;
    row.ConstructLayout();
    row.SetProgressBarInd(56.23f);
    window.add(row);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
