#include "PopupLayout.h"

#include <pangomm/fontdescription.h>

#include "CompSupport.h"

namespace popuplayout {

namespace {
const int kRowY[4] = {235, 265, 295, 325};
const int kRowX = 60;
const int kFontSize = 11468;   // 11.2 pt in Pango units
const int kDetailWidth = 700;
}  // namespace

void Build(Gtk::Fixed& popup, Gtk::EventBox& background, Gtk::Image& picture,
           const std::string& picturePath, const Rows& rows, const char* firstRowColour)
{
    background.set_size_request(795, 595);
    background.modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
    popup.put(background, 0, 0);
    compsupport::SetPicture(picture, picturePath, 790, 360, 1, "Image Not Found ");
    background.add(picture);

    Pango::FontDescription font;
    font.set_size(kFontSize);
    for (int row = 0; row < 4; ++row) {
        Gtk::Label& label = *rows.labels[row];
        label.set_text(" ");
        label.modify_font(font);
        label.modify_fg(Gtk::STATE_NORMAL, Gdk::Color(row == 0 ? firstRowColour : "#f2a15a"));
        rows.boxes[row]->modify_bg(Gtk::STATE_NORMAL, Gdk::Color("black"));
        rows.boxes[row]->add(label);
        popup.put(*rows.boxes[row], kRowX, kRowY[row]);
    }
    rows.labels[3]->set_line_wrap(true);
    rows.labels[3]->set_size_request(kDetailWidth, -1);
    popup.show_all_children();
}

}  // namespace popuplayout
