// Shows the gauge alone, with its default settings.
#include "CompCircularGauge.h"

#include <gtkmm/main.h>
#include <gtkmm/window.h>

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(1024, 768);
    CompCircularGauge gauge;
    gauge.ConstructLayout();
    window.add(gauge);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
