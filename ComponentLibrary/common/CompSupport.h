// Helpers shared by the display component libraries and the screens: the
// existence check, the debug line, picture loading, colours, fonts, and the
// float-to-pixel conversions. One version of each, so the whole display loads
// a picture, parses a colour and clamps a number the same way. Linked
// statically with hidden visibility, so no library exports them.
#ifndef CABDISPLAY_COMPONENTLIBRARY_COMPSUPPORT_H
#define CABDISPLAY_COMPONENTLIBRARY_COMPSUPPORT_H

#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gdkmm/color.h>
#include <gdkmm/pixbuf.h>
#include <gdkmm/rectangle.h>
#include <gtkmm/alignment.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/widget.h>
#include <pangomm/fontdescription.h>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

#pragma GCC visibility push(hidden)

// AsFloat: inside the hidden part, so that no library exports it either.
#include "FloatRounding.h"

namespace compsupport {

// True when a regular file stands there and opens for reading (a pipe or
// a device is never opened, a link never followed); nothing is read.
bool FileExists(const std::string& path);

// Writes the text and a line end to standard output when debug is exactly 1.
void PrintStatement(unsigned debug, const std::string& text);

// --- Numbers and pixels ---------------------------------------------------

// Numbers the display shows or places to the last digit come out the same
// on the cab's x87 unit and on a 64-bit build when a float step goes through
// AsFloat before its result is truncated, compared or printed, and a chain of
// double steps runs in long double (the x87 format on both builds), rounded
// to float once at its end.

// offset + slope x value with the double constants, in long double, rounded
// to float once: bar positions, arrow alignments, needle angles.
inline float Linear(double offset, double slope, long double value) { return AsFloat(offset + slope * value); }

// What a bar's percentage stands for, percent / 100 x fullScale, in long
// double; the value labels print it.
inline long double PercentOf(float percent, double fullScale) { return percent / 100.0L * fullScale; }

// An angle in degrees as radians for the toolkit, from long double steps.
inline double Radians(float degrees) { return static_cast<double>(degrees * static_cast<long double>(M_PI) / 180); }

// Largest size the X server takes for a window.
constexpr int kLargestSize = 32767;

// A float as a whole number, truncated toward zero and kept within lo..hi;
// a value that is not a number gives nanValue. Every float-to-integer
// conversion of the display goes through here.
long long ClampToInteger(double value, long long lo, long long hi, long long nanValue = 0);

// Positions: float settings become pixels by truncation toward zero (kept
// within the int range; not a number gives 0).
int Px(double value);

// Sizes, spacings and borders: as Px, but never below 0 nor above 32767.
int Whole(double value);

// Font size in points -> Pango units (1024ths of a point), truncated.
inline int PangoSize(double points) { return Px(points * 1024.0); }

// A font size given as a scale -> Pango units: the float product of scale
// and factor, truncated (0.01 x 1433600 is 14336 as a float product).
inline int PangoSizeOfScale(float scale, float factor) { return Px(AsFloat(scale * factor)); }

// Size request from float settings through Whole (the toolkit refuses a
// negative request; it draws a zero request as 1 pixel).
void RequestSize(Gtk::Widget& widget, double width, double height);

// --- Colours --------------------------------------------------------------

// A colour name or "#rrggbb"; a name the parser does not know leaves the
// colour at its default (black).
Gdk::Color Colour(const std::string& name);

// Background / text colour by name, normal state only.
void Background(Gtk::Widget& widget, const std::string& colour);
void Foreground(Gtk::Widget& widget, const std::string& colour);

// --- Fonts ----------------------------------------------------------------

// Weight of a label font: as the theme has it, or set.
enum class Weight { Theme, Normal, Bold };

// A font description with the size in Pango units (a size of 0 or less
// leaves the theme's size, so the text never vanishes) and the weight.
Pango::FontDescription Font(int pangoUnits, Weight weight = Weight::Theme);

// Sets that font on a widget.
void SetFont(Gtk::Widget& widget, int pangoUnits, Weight weight = Weight::Theme);

// --- Pictures -------------------------------------------------------------

// Every picture of the display is decoded through one cache, shared by the
// program and all component libraries: one decoded picture per file and
// size. Each use checks the file (size, times, inode; within a check round
// below, the first use), so a picture replaced on disk is decoded again and
// a removed one counts as missing. A file changed within the last two
// seconds is decoded on every check, since its time stamps cannot yet tell
// two versions apart. The cache keeps at most kPictureCacheLimit pictures,
// dropping the one used longest ago.
constexpr std::size_t kPictureCacheLimit = 128;

// Only a regular PNG or JPEG file of at most kPictureByteLimit bytes and
// kPictureSideLimit pixels a side is decoded (the cab's pictures are a few
// hundred KB and at most 800 x 600). Its bytes are read through the file
// layer, so a pipe, a device or a link under a picture's name is never
// opened and never holds the display; each refusal is named once per path
// and cause, "<path>: not shown: <reason>".
constexpr std::uint64_t kPictureByteLimit = 4 << 20;
constexpr int kPictureSideLimit = 2048;

// Pictures the cache holds now.
std::size_t PictureCacheEntries();

// The clock the cache compares file change times with: the wall clock,
// which the file systems stamp files by. Tests set one of their own to let
// the two seconds pass at once; null sets the wall clock again.
typedef timespec (*PictureCacheClock)();
void SetPictureCacheClock(PictureCacheClock clock);

// While on, every picture that cannot be loaded (missing or undecodable) is
// named on standard output, "Picture missing: <path>", flushed, once per path
// however often it is loaded and at whatever size. The program turns it on
// at start; components alone stay silent. Turning it on starts with no path
// named yet.
void NameMissingPictures(bool on);

// One refresh of the display loads the same few pictures many times (a grid
// of lamps turns on and off): while a round lasts, each picture is checked
// against its file once, and later loads of it take what that check found.
// A file changed during the round is followed from the next round on.
class PictureCheckRound {
public:
    PictureCheckRound();
    ~PictureCheckRound();
    PictureCheckRound(const PictureCheckRound&) = delete;
    PictureCheckRound& operator=(const PictureCheckRound&) = delete;
};

// Loads a picture at the file's own size; null when the file is missing,
// refused or cannot be decoded (a broken file never throws). The picture is shared:
// never draw into it.
Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path);

// Loads a picture scaled to the truncated width x height with bilinear
// filtering; null when the file is missing or broken, or when a size is not
// above zero. Shared like the above.
Glib::RefPtr<Gdk::Pixbuf> LoadPicture(const std::string& path, float width, float height);

// Shows the picture in the image unless it shows it already; a null picture
// leaves the image as it was. Returns true when the image shows the picture.
bool ShowPicture(Gtk::Image& image, const Glib::RefPtr<Gdk::Pixbuf>& picture);

// Loads a scaled picture into an image widget. When it cannot be loaded,
// prints missingText + path through the debug line and leaves the image as it
// was. Returns true when the picture was set.
bool SetPicture(Gtk::Image& image, const std::string& path, float width, float height,
                unsigned debug, const std::string& missingText);

// Sets the picture as the context's source at x,y. The picture goes through
// a surface like the context's target, kept in surface and made again only
// when the decoded picture differs from madeFrom: a picture painted itself
// is converted and sent to the display on every expose.
void SetSourcePicture(const Cairo::RefPtr<Cairo::Context>& context, const Glib::RefPtr<Gdk::Pixbuf>& picture,
                      double x, double y, Glib::RefPtr<Gdk::Pixbuf>& madeFrom,
                      Cairo::RefPtr<Cairo::Surface>& surface);

// --- Texts and colours shown ----------------------------------------------

// Sets the label's text only when it differs from the text it shows (the
// same text written again would cost a new layout and a redraw). Returns
// true when the text was set.
bool ShowText(Gtk::Label& label, const std::string& text);

// Sets the widget's normal-state text colour only when it was not given that
// colour last. Returns true when the colour was set.
bool ShowForeground(Gtk::Widget& widget, const Gdk::Color& colour);
// The same for the background colour.
bool ShowBackground(Gtk::Widget& widget, const Gdk::Color& colour);

// --- Texts from files ------------------------------------------------------

// The text as valid UTF-8: every byte that starts no valid sequence, and
// every NUL, becomes U+FFFD. Valid text comes back unchanged. Whatever a
// file or a stick holds goes through here before it reaches a label.
std::string ValidUtf8(const std::string& text);

// The box a label's text must stay inside, in pixels. One line: the text is
// cut at `width`. Wrapped: the label wraps at `width` (its size request is
// that wide, its wrap mode Pango::WRAP_WORD_CHAR) and the text is cut to the
// lines that fit `height`.
struct TextBox {
    int width;
    int height;
    bool wrapped;
};

// What the label shows of the text in the box, laid out with the label's
// own font: the text (as ValidUtf8) when it fits, else its longest start
// that fits with an ellipsis (U+2026) after it. Never wider or taller than
// the box, so no text can grow the label's container.
std::string FitText(Gtk::Label& label, const std::string& text, const TextBox& box);

// FitText, shown through ShowText.
bool ShowFitted(Gtk::Label& label, const std::string& text, const TextBox& box);

// --- Moves on a shown screen ----------------------------------------------
// The toolkit's own moves lay the whole window out again and redraw the whole
// container (a whole bar for one arrow). These redraw only the old and the
// new place of what moved. Off screen, or when the move would change the
// container's size, they do what the toolkit's move does.

// Moves a child of a fixed container to x,y.
void MoveChild(Gtk::Fixed& fixed, Gtk::Widget& child, int x, int y);

// Sets an alignment's place and scale of its child (each kept within 0..1).
void SetAlignment(Gtk::Alignment& alignment, float xalign, float yalign, float xscale, float yscale);

// Every text and picture drawn into a window is cut to each piece of the
// window's part waiting to be drawn again; with many pieces (a grid whose
// cells changed) the cutting cost more than drawing the few pixels between
// them. When the part waiting in the widget's window is split into more than
// kRedrawPieces rectangles, it is drawn again as the one rectangle holding
// them. Nothing happens to a window with nothing waiting or without a window.
constexpr int kRedrawPieces = 4;
void GatherRedraw(Gtk::Widget& widget);

// The smallest rectangle holding every pixel of the picture that is not fully
// transparent (the whole picture when it has no alpha); empty when it has none.
Gdk::Rectangle InkedArea(const Glib::RefPtr<Gdk::Pixbuf>& picture);

// --- Text -----------------------------------------------------------------

// A number in a string stream's default format: up to six significant
// digits, no trailing zeros, no decimal point for whole numbers.
std::string FormatNumber(double value);

}  // namespace compsupport

#pragma GCC visibility pop

#endif
