#include "DialStyle.h"

#include "CompSupport.h"

#include <pangomm/fontdescription.h>

namespace dialstyle {

void RequestSize(Gtk::Widget& widget, float width, float height)
{
    const int w = compsupport::Px(width);
    const int h = compsupport::Px(height);
    widget.set_size_request(w < 0 ? 0 : w, h < 0 ? 0 : h);
}

void Background(Gtk::Widget& widget, const std::string& colour)
{
    widget.modify_bg(Gtk::STATE_NORMAL, Gdk::Color(colour));
}

void Foreground(Gtk::Widget& widget, const std::string& colour)
{
    widget.modify_fg(Gtk::STATE_NORMAL, Gdk::Color(colour));
}

void LabelFont(Gtk::Label& label, int pangoUnits, bool bold)
{
    Pango::FontDescription font;
    // No size given (0): the text keeps the toolkit's size instead of vanishing.
    if (pangoUnits > 0)
        font.set_size(pangoUnits);
    font.set_weight(bold ? Pango::WEIGHT_BOLD : Pango::WEIGHT_NORMAL);
    label.modify_font(font);
}

void LabelFontPoints(Gtk::Label& label, float points, bool bold)
{
    LabelFont(label, compsupport::PangoSize(points), bold);
}

}  // namespace dialstyle
