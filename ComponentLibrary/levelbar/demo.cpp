// Shows a level bar alone at 70 percent. Its scale path names neither known
// scale, so the value label stays empty.
#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include "CompProgressBar.h"

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(800, 600);
    CompProgressBar bar;
    bar.BackgroundImagePath = "./Images/ProgressBarVolt.jpg";
    bar.IndicatorWidth = 16;
    bar.ConstructLayout();
    bar.SetProgressBarInd(70);
    window.add(bar);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
