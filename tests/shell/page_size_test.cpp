// Every page of the screen notebook fits the 592 x 270 the notebook has on
// the main layout: measured in the shown window, the page's request, its
// allocation and every widget drawn on it, and the notebook itself.
#include "LayoutFixture.h"

#include <algorithm>
#include <string>

namespace shelltest {
namespace {

constexpr int kPageWidth = 592;
constexpr int kPageHeight = 270;

using NotebookPages = LayoutTest;

struct Box {
    int left, top, right, bottom;
};

Box Intersect(const Box& a, const Box& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The first widget on the page (itself included) that shows outside the
// page's 592 x 270, as "type at x,y wxh"; empty when all fit. A widget shows
// only within the windows of the containers it sits in below the page.
std::string Outside(Gtk::Widget& page, Gtk::Widget& widget, const Box& clip)
{
    if (!widget.is_visible())
        return "";
    const Gtk::Allocation a = widget.get_allocation();
    int x = 0, y = 0;
    widget.translate_coordinates(page, 0, 0, x, y);
    const Box own{x, y, x + a.get_width(), y + a.get_height()};
    const Box shown = Intersect(own, clip);
    if (shown.left < shown.right && shown.top < shown.bottom &&
        (shown.left < 0 || shown.top < 0 || shown.right > kPageWidth || shown.bottom > kPageHeight))
        return std::string(G_OBJECT_TYPE_NAME(widget.gobj())) + " at " + std::to_string(x) + "," + std::to_string(y) +
               " " + std::to_string(a.get_width()) + "x" + std::to_string(a.get_height());
    const Box inner = &widget != &page && widget.get_has_window() ? shown : clip;
    if (Gtk::Container* container = dynamic_cast<Gtk::Container*>(&widget))
        for (Gtk::Widget* child : container->get_children()) {
            const std::string found = Outside(page, *child, inner);
            if (!found.empty())
                return found;
        }
    return "";
}

TEST_F(NotebookPages, EveryPageFitsTheNotebookAndTheNotebookKeepsItsSize)
{
    Gtk::Notebook& book = layout().m_ScreenBook;
    for (int number = 0; number < book.get_n_pages(); ++number) {
        Gtk::Widget& page = *book.get_nth_page(number);
        book.set_current_page(number);
        testsupport::DrainEvents();
        const Gtk::Requisition wanted = page.size_request();
        const Gtk::Allocation given = page.get_allocation();
        EXPECT_LE(wanted.width, kPageWidth) << "page " << number;
        EXPECT_LE(wanted.height, kPageHeight) << "page " << number;
        EXPECT_LE(given.get_width(), kPageWidth) << "page " << number;
        EXPECT_LE(given.get_height(), kPageHeight) << "page " << number;
        EXPECT_EQ("", Outside(page, page, Box{-10000, -10000, 10000, 10000})) << "page " << number;
        const Gtk::Allocation notebook = book.get_allocation();
        EXPECT_EQ(kPageWidth, notebook.get_width()) << "with page " << number;
        EXPECT_EQ(kPageHeight, notebook.get_height()) << "with page " << number;
        std::printf("page %2d: requests %d x %d\n", number, wanted.width, wanted.height);
    }
    book.set_current_page(0);
}

}  // namespace
}  // namespace shelltest
