// Shows one value row alone: caption "abc", value 0 and the hertz unit.
#include "CompSingleVal.h"

#include <gtkmm/main.h>
#include <gtkmm/window.h>

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    CompSingleVal row;
    row.CaptionText = "abc";
    row.UnitImagePath = "./Images/HertzUnit.jpg";
    row.ConstructLayout();
    window.add(row);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
