// Small building blocks shared by the settings screens: colours and fonts of
// plain boxes and labels, the framed title tile, the typed-number box, the
// coloured message box, picture loading and number text.
#ifndef CABDISPLAY_SETTINGS_SETTINGSWIDGETS_H
#define CABDISPLAY_SETTINGS_SETTINGSWIDGETS_H

#include <gtkmm/eventbox.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

#include <sstream>
#include <string>

class CompRectangleGrid;

namespace settingsui {

// Colours of the settings screens.
constexpr const char* kOrange = "#f06705";      // typed numbers, confirmed messages
constexpr const char* kTeal = "#78c4aa";        // message and motor boxes
constexpr const char* kRed = "#fc5751";         // title frames, isolated motor
constexpr const char* kWhite = "white";

void SetBackground(Gtk::Widget& widget, const std::string& colour);
void SetForeground(Gtk::Widget& widget, const std::string& colour);
// A new text colour, redrawn at once.
void PaintText(Gtk::Label& label, const std::string& colour);
// Font of the given size in points; bold is weight 700.
void SetFont(Gtk::Widget& widget, int points, bool bold);

// Keeps the label's text within width x height pixels: when it does not fit
// at the given size, the largest half-point size down to 6 points that fits
// (or 6 points) is set. Returns the Pango size used.
int FitFont(Gtk::Label& label, int points, int width, int height, bool bold);

// A label inside an event box of the given background and size.
void FillBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& background, int width,
             int height);
// One framed cell: white text on black inside a 2-pixel frame.
void BuildTitleTile(CompRectangleGrid& tile, const std::string& text, float width);
// The black box of a typed number: orange 17-point bold text, 40 high.
void BuildNumberBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& text, int width);
// The teal box of a message: white 12-point text.
void BuildMessageBox(Gtk::EventBox& box, Gtk::Label& label, const std::string& text, int width,
                     int height);
// A number box marked for the edit step: 1-pixel border and a background.
void MarkBox(Gtk::EventBox& box, const std::string& colour);

// Loads a picture scaled to (int) width x (int) height into the image; a
// missing or undecodable file leaves the image as it was.
bool LoadScreenPicture(Gtk::Image& image, const std::string& path, float width, float height);
// True when the file opens for reading.
bool FileReadable(const std::string& path);

// Writes the value with the stream's default insertion, takes the text and
// empties the stream.
template <typename T>
std::string Format(std::stringstream& stream, T value)
{
    stream << value;
    std::string text = stream.str();
    stream.str("");
    stream.clear();
    return text;
}

}  // namespace settingsui

#endif
