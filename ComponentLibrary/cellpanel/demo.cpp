// Shows a three-by-three keypad alone in a window.
#include "CompRectangleGrid.h"

#include <gtkmm/main.h>
#include <gtkmm/window.h>

#include <sstream>

int main(int argc, char* argv[])
{
    Gtk::Main kit(argc, argv);
    Gtk::Window window;
    window.set_default_size(500, 500);

    CompRectangleGrid keypad;
    keypad.Rows = 3;
    keypad.Columns = 3;
    for (int digit = 1; digit <= 9; ++digit) {
        std::ostringstream text;
        text << digit;
        keypad.CellTexts[digit - 1] = text.str();
    }
    keypad.RowSpacing = 10;
    keypad.ColumnSpacing = 25;
    keypad.CellWidth = 50;
    keypad.CellHeight = 40;
    keypad.ShowBorder = 1;
    keypad.BorderWidth = 0;
    keypad.BoldLabels = 1;
    keypad.ConstructLayout();
    // BorderWidth is still 0, so no ring appears.
    keypad.SelectPasswordValue(5);

    window.add(keypad);
    window.show_all();
    Gtk::Main::run(window);
    return 0;
}
