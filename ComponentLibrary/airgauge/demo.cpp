// Shows the percentage effort bar alone, not laid out: an empty component.
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include "CompPressureBar.h"

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    CompPressureBar bar;
    window.add(bar);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
