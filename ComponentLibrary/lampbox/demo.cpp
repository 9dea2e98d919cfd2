// Shows a lamp row alone in a full-screen window. The row is never laid out,
// so the window stays empty.
#include "CompBoolValRect.h"

#include <gtkmm/main.h>
#include <gtkmm/window.h>

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    window.fullscreen();
    CompBoolValRect row;
    window.add(row);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
