#include "PanelWidgets.h"

namespace panelwidgets {

void TakeOut(Gtk::Fixed& area, Gtk::Widget& widget)
{
    if (widget.get_parent() == &area) area.remove(widget);
}

void PutAt(Gtk::Fixed& area, Gtk::Widget& widget, int x, int y)
{
    if (widget.get_parent() == &area)
        area.move(widget, x, y);
    else if (widget.get_parent() == nullptr)
        area.put(widget, x, y);
}

void ReplaceTable(Gtk::Fixed& area, Gtk::Table*& table)
{
    if (table) {
        TakeOut(area, *table);
        if (table->get_parent() == nullptr) delete table;
    }
    // Not managed: the panel deletes its tables itself, and a managed table
    // deleted by hand leaves its toolkit object behind on every message.
    table = new Gtk::Table(1, 1, false);
}

}  // namespace panelwidgets
