// Texts from files on labels: made valid UTF-8, and cut to their boxes.
#include "CompSupport.h"

#include <algorithm>
#include <gtk/gtk.h>
#include <pango/pango.h>
#include <vector>

namespace compsupport {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";   // U+FFFD
const char kEllipsis[] = "\xE2\x80\xA6";      // U+2026

// Length of the valid UTF-8 sequence at s (left bytes remain); 0 when the
// byte there starts none. NUL counts as invalid: a label would end there.
std::size_t SequenceLength(const unsigned char* s, std::size_t left)
{
    const unsigned char lead = s[0];
    if (lead >= 0x01 && lead <= 0x7F) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;   // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;    // no overlong forms
        if (lead == 0xED) high = 0x9F;   // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;   // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (left < length || s[1] < low || s[1] > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((s[k] & 0xC0) != 0x80) return 0;
    return length;
}

// Byte offsets of the first `limit` characters of a valid text, and the
// offset where the last of them ends.
std::vector<std::size_t> CharacterStarts(const std::string& text, std::size_t limit)
{
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    while (at < text.size() && starts.size() < limit) {
        starts.push_back(at);
        at += SequenceLength(reinterpret_cast<const unsigned char*>(text.data()) + at, text.size() - at);
    }
    starts.push_back(at);
    return starts;
}

// Lays texts out as the label would in the box and tells whether they fit.
class BoxMeasure {
public:
    BoxMeasure(Gtk::Label& label, const TextBox& box) : layout_(label.create_pango_layout("")), box_(box)
    {
        // The label's own font; the family and anything unset come from its
        // style, as when the label lays itself out.
        const GtkRcStyle* given = gtk_widget_get_modifier_style(GTK_WIDGET(label.gobj()));
        pango_layout_set_font_description(layout_->gobj(), given->font_desc);
        if (box.wrapped) {
            layout_->set_width(box.width * PANGO_SCALE);
            layout_->set_wrap(Pango::WRAP_WORD_CHAR);
        }
    }

    bool Fits(const std::string& text)
    {
        layout_->set_text(text);
        int width = 0, height = 0;
        layout_->get_pixel_size(width, height);
        return width <= box_.width && height <= box_.height && (box_.wrapped || layout_->get_line_count() <= 1);
    }

    // Byte offset of the character at the box's far corner in the text laid
    // out last: nothing after it can be shown.
    int CornerIndex()
    {
        int index = 0, trailing = 0;
        pango_layout_xy_to_index(layout_->gobj(), box_.width * PANGO_SCALE, box_.height * PANGO_SCALE, &index,
                                 &trailing);
        return index;
    }

private:
    Glib::RefPtr<Pango::Layout> layout_;
    TextBox box_;
};

// The first `count` characters without blanks at their end, and the ellipsis.
std::string CutText(const std::string& text, const std::vector<std::size_t>& starts, std::size_t count)
{
    std::string cut = text.substr(0, starts[count]);
    cut.erase(cut.find_last_not_of(" \t") + 1);
    return cut + kEllipsis;
}

}  // namespace

std::string ValidUtf8(const std::string& text)
{
    std::string valid;
    valid.reserve(text.size());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(bytes + at, text.size() - at);
        if (length == 0) {
            valid += kReplacement;
            ++at;
        } else {
            valid.append(text, at, length);
            at += length;
        }
    }
    return valid;
}

std::string FitText(Gtk::Label& label, const std::string& text, const TextBox& box)
{
    if (box.width <= 0 || box.height <= 0) return std::string();
    const std::string valid = ValidUtf8(text);
    // A box shows no more than one character per pixel of width on each of
    // its lines (at least 6 pixels high): the rest is never laid out.
    const std::size_t lines = box.wrapped ? static_cast<std::size_t>(std::max(1, box.height / 6)) : 1;
    const std::vector<std::size_t> starts = CharacterStarts(valid, static_cast<std::size_t>(box.width) * lines);
    const bool whole = starts.back() == valid.size();
    BoxMeasure measure(label, box);
    if (measure.Fits(valid.substr(0, starts.back())) && whole) return valid;

    // Characters past the box's far corner never show: the search stops there.
    const std::size_t corner = static_cast<std::size_t>(std::max(0, measure.CornerIndex()));
    std::size_t high = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end() - 1, corner) -
                                                starts.begin());
    high = std::min(high + 1, starts.size() - 1);
    // Longest start that fits with the ellipsis.
    std::size_t low = 0;
    if (!measure.Fits(CutText(valid, starts, 0))) return std::string();
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (measure.Fits(CutText(valid, starts, mid)))
            low = mid;
        else
            high = mid - 1;
    }
    return CutText(valid, starts, low);
}

bool ShowFitted(Gtk::Label& label, const std::string& text, const TextBox& box)
{
    return ShowText(label, FitText(label, text, box));
}

}  // namespace compsupport
