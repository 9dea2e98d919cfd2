#include "GridTestSupport.h"

#include <cstdio>
#include <cstring>

namespace gridtest {

namespace {
int g_toolkitComplaints = 0;
}

GridTest::GridTest()
{
    testsupport::InitToolkit();
    g_toolkitComplaints = 0;
    previousHandler_ = g_log_set_default_handler(&GridTest::CountMessage, nullptr);
}

GridTest::~GridTest()
{
    g_log_set_default_handler(previousHandler_, previousData_);
}

void GridTest::TearDown()
{
    testsupport::DrainEvents();
    EXPECT_EQ(g_toolkitComplaints, 0) << "the toolkit reported warnings or criticals";
}

void GridTest::CountMessage(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer)
{
    if (level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_ERROR)) {
        ++g_toolkitComplaints;
        std::fprintf(stderr, "toolkit: %s: %s\n", domain ? domain : "", message ? message : "");
    }
}

void GridTest::Picture(const std::string& name, int width, int height, unsigned rgb) const
{
    testsupport::WritePicture("./Images/" + name, width, height, rgb);
}

void GridTest::BrokenPicture(const std::string& name) const
{
    dir.WriteFile("./Images/" + name, "this is not a picture");
}

int ChildInt(Gtk::Container& parent, Gtk::Widget& child, const char* property)
{
    GValue value = G_VALUE_INIT;
    GParamSpec* param =
        gtk_container_class_find_child_property(G_OBJECT_GET_CLASS(parent.gobj()), property);
    if (!param)
        return -1000;
    g_value_init(&value, param->value_type);
    gtk_container_child_get_property(parent.gobj(), child.gobj(), property, &value);
    int result = 0;
    if (G_VALUE_HOLDS_INT(&value))
        result = g_value_get_int(&value);
    else if (G_VALUE_HOLDS_UINT(&value))
        result = static_cast<int>(g_value_get_uint(&value));
    else if (G_VALUE_HOLDS_BOOLEAN(&value))
        result = g_value_get_boolean(&value) ? 1 : 0;
    g_value_unset(&value);
    return result;
}

std::pair<int, int> FixedPosition(Gtk::Widget& child)
{
    Gtk::Container* parent = child.get_parent();
    return {ChildInt(*parent, child, "x"), ChildInt(*parent, child, "y")};
}

std::vector<int> Attach(Gtk::Widget& child)
{
    Gtk::Container* parent = child.get_parent();
    return {ChildInt(*parent, child, "left-attach"), ChildInt(*parent, child, "right-attach"),
            ChildInt(*parent, child, "top-attach"), ChildInt(*parent, child, "bottom-attach")};
}

Gtk::Widget* TableCell(Gtk::Table& table, int row, int column)
{
    for (Gtk::Widget* child : table.get_children())
        if (ChildInt(table, *child, "left-attach") == column && ChildInt(table, *child, "top-attach") == row)
            return child;
    return nullptr;
}

std::vector<Gtk::Widget*> Children(Gtk::Widget& container)
{
    Gtk::Container* c = dynamic_cast<Gtk::Container*>(&container);
    if (!c)
        return {};
    std::vector<Gtk::Widget*> out;
    for (Gtk::Widget* child : c->get_children())
        out.push_back(child);
    return out;
}

std::pair<int, int> SizeRequest(Gtk::Widget& widget)
{
    int w = 0, h = 0;
    widget.get_size_request(w, h);
    return {w, h};
}

int FontSize(Gtk::Widget& widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    if (!style->font_desc)
        return 0;
    return pango_font_description_get_size(style->font_desc);
}

int FontWeight(Gtk::Widget& widget)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    if (!style->font_desc || !(pango_font_description_get_set_fields(style->font_desc) & PANGO_FONT_MASK_WEIGHT))
        return 0;
    return pango_font_description_get_weight(style->font_desc);
}

namespace {
std::string StyleColour(Gtk::Widget& widget, bool foreground)
{
    GtkRcStyle* style = gtk_widget_get_modifier_style(widget.gobj());
    const GtkRcFlags flag = foreground ? GTK_RC_FG : GTK_RC_BG;
    if (!(style->color_flags[GTK_STATE_NORMAL] & flag))
        return "";
    const GdkColor& c = foreground ? style->fg[GTK_STATE_NORMAL] : style->bg[GTK_STATE_NORMAL];
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
    return text;
}
}  // namespace

std::string Foreground(Gtk::Widget& widget) { return StyleColour(widget, true); }
std::string Background(Gtk::Widget& widget) { return StyleColour(widget, false); }

Shown ShownPicture(Gtk::Image& image)
{
    Shown shown;
    if (image.get_storage_type() != Gtk::IMAGE_PIXBUF)
        return shown;
    Glib::RefPtr<Gdk::Pixbuf> pixbuf = image.get_pixbuf();
    shown.width = pixbuf->get_width();
    shown.height = pixbuf->get_height();
    const guint8* p = pixbuf->get_pixels();
    shown.rgb = (long(p[0]) << 16) | (long(p[1]) << 8) | long(p[2]);
    return shown;
}

}  // namespace gridtest
