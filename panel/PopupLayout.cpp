#include "PopupLayout.h"

#include <pangomm/fontdescription.h>

#include "CompSupport.h"

namespace popuplayout {

namespace {
const int kRowY[4] = {235, 265, 295, 325};
const int kRowX = 60;
const int kFontSize = 11468;   // 11.2 pt in Pango units
const int kFieldWidth = 700;    // every row, from x 60 to 760
const int kFieldBottom = 425;   // the picture's framed text field ends at 427
const compsupport::TextBox kRowBoxes[4] = {
    {kFieldWidth, kRowY[1] - kRowY[0], false}, {kFieldWidth, kRowY[2] - kRowY[1], false},
    {kFieldWidth, kRowY[3] - kRowY[2], false}, {kFieldWidth, kFieldBottom - kRowY[3], true}};
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
    rows.labels[3]->set_line_wrap_mode(Pango::WRAP_WORD_CHAR);
    rows.labels[3]->set_size_request(kFieldWidth, -1);
    popup.show_all_children();
}

void ShowRow(Gtk::Label& label, int row, const std::string& text)
{
    compsupport::ShowFitted(label, text, kRowBoxes[row]);
}

}  // namespace popuplayout
