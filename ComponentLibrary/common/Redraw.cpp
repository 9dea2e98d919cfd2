// Redraws on a shown screen: moves of a child that redraw only its old and
// new place (a fixed container and an alignment keep the places of their
// children in their own records; the records are changed here and the child
// alone is given its new place, the way the container itself would give it),
// and a window's waiting redraw gathered into one rectangle.
#include "CompSupport.h"

#include <gtk/gtk.h>

#include <algorithm>

namespace compsupport {

namespace {

GtkFixedChild* PlaceOf(GtkFixed* fixed, GtkWidget* child)
{
    for (GList* item = fixed->children; item; item = item->next) {
        GtkFixedChild* place = static_cast<GtkFixedChild*>(item->data);
        if (place->widget == child)
            return place;
    }
    return nullptr;
}

// The size a fixed container asks for with its children where they stand.
GtkRequisition ChildrenExtent(GtkFixed* fixed)
{
    GtkRequisition extent = {0, 0};
    for (GList* item = fixed->children; item; item = item->next) {
        const GtkFixedChild* place = static_cast<GtkFixedChild*>(item->data);
        if (!gtk_widget_get_visible(place->widget))
            continue;
        GtkRequisition size;
        gtk_widget_get_child_requisition(place->widget, &size);
        extent.width = std::max(extent.width, place->x + size.width);
        extent.height = std::max(extent.height, place->y + size.height);
    }
    return extent;
}

bool SameExtent(const GtkRequisition& a, const GtkRequisition& b)
{
    return a.width == b.width && a.height == b.height;
}

}  // namespace

void MoveChild(Gtk::Fixed& fixed, Gtk::Widget& child, int x, int y)
{
    GtkFixed* container = fixed.gobj();
    GtkFixedChild* place = PlaceOf(container, child.gobj());
    if (!place || (place->x == x && place->y == y))
        return;
    if (!fixed.get_mapped()) {
        fixed.move(child, x, y);
        return;
    }
    const GtkRequisition before = ChildrenExtent(container);
    const int oldX = place->x;
    const int oldY = place->y;
    place->x = x;
    place->y = y;
    if (!SameExtent(before, ChildrenExtent(container))) {
        // The container grows or shrinks: the window is laid out again.
        place->x = oldX;
        place->y = oldY;
        fixed.move(child, x, y);
        return;
    }
    gtk_widget_child_notify(child.gobj(), "x");
    gtk_widget_child_notify(child.gobj(), "y");
    // The place the fixed container gives its child; the toolkit redraws the
    // child's old and new place when it takes it (a child not shown now
    // keeps the place for when it is).
    GtkRequisition size;
    gtk_widget_get_child_requisition(child.gobj(), &size);
    const int border = static_cast<int>(fixed.get_border_width());
    GtkAllocation area = {x + border, y + border, size.width, size.height};
    if (!fixed.get_has_window()) {
        area.x += fixed.get_allocation().get_x();
        area.y += fixed.get_allocation().get_y();
    }
    gtk_widget_size_allocate(child.gobj(), &area);
}

void SetAlignment(Gtk::Alignment& alignment, float xalign, float yalign, float xscale, float yscale)
{
    GtkAlignment* record = alignment.gobj();
    const float values[4] = {CLAMP(xalign, 0.0f, 1.0f), CLAMP(yalign, 0.0f, 1.0f), CLAMP(xscale, 0.0f, 1.0f),
                             CLAMP(yscale, 0.0f, 1.0f)};
    gfloat* const fields[4] = {&record->xalign, &record->yalign, &record->xscale, &record->yscale};
    static const char* const kNames[4] = {"xalign", "yalign", "xscale", "yscale"};
    if (!alignment.get_mapped() || !alignment.get_child() || !alignment.get_child()->get_mapped()) {
        alignment.set(xalign, yalign, xscale, yscale);
        return;
    }
    bool changed = false;
    g_object_freeze_notify(G_OBJECT(record));
    for (int i = 0; i < 4; ++i) {
        if (*fields[i] == values[i])
            continue;
        *fields[i] = values[i];
        g_object_notify(G_OBJECT(record), kNames[i]);
        changed = true;
    }
    g_object_thaw_notify(G_OBJECT(record));
    if (!changed)
        return;
    // The alignment places its child again inside its own unchanged area.
    GtkAllocation area = *alignment.get_allocation().gobj();
    g_signal_emit_by_name(record, "size-allocate", &area);
}

void GatherRedraw(Gtk::Widget& widget)
{
    GdkWindow* window = widget.get_has_window() && widget.get_window() ? widget.get_window()->gobj() : nullptr;
    if (!window)
        return;
    GdkRegion* waiting = gdk_window_get_update_area(window);  // taken from the window
    if (!waiting)
        return;
    GdkRectangle* pieces = nullptr;
    int count = 0;
    gdk_region_get_rectangles(waiting, &pieces, &count);
    g_free(pieces);
    if (count > kRedrawPieces) {
        GdkRectangle whole;
        gdk_region_get_clipbox(waiting, &whole);
        gdk_window_invalidate_rect(window, &whole, FALSE);
    } else {
        gdk_window_invalidate_region(window, waiting, FALSE);
    }
    gdk_region_destroy(waiting);
}

Gdk::Rectangle InkedArea(const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    if (!picture)
        return Gdk::Rectangle(0, 0, 0, 0);
    const int width = picture->get_width();
    const int height = picture->get_height();
    if (!picture->get_has_alpha() || picture->get_n_channels() != 4 || picture->get_bits_per_sample() != 8)
        return Gdk::Rectangle(0, 0, width, height);
    const guint8* pixels = picture->get_pixels();
    const int stride = picture->get_rowstride();
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const guint8* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (row[4 * x + 3] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return Gdk::Rectangle(0, 0, 0, 0);
    return Gdk::Rectangle(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace compsupport
