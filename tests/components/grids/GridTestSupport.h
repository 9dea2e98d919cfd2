// Fixture and widget-inspection helpers for the grid component tests.
#ifndef CABDISPLAY_TESTS_GRIDTESTSUPPORT_H
#define CABDISPLAY_TESTS_GRIDTESTSUPPORT_H

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

#include <string>
#include <vector>

namespace gridtest {

// Each test runs in its own working directory with the toolkit up, and
// fails when the toolkit reported a warning or a critical (a refused
// attach, a bad size, a broken picture reaching the loader).
class GridTest : public ::testing::Test {
protected:
    GridTest();
    ~GridTest() override;
    void TearDown() override;
    // Writes a solid picture under ./Images/.
    void Picture(const std::string& name, int width, int height, unsigned rgb) const;
    // Writes a file under ./Images/ that is not a picture.
    void BrokenPicture(const std::string& name) const;

    testsupport::TempWorkDir dir;

private:
    static void CountMessage(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer);
    GLogFunc previousHandler_ = nullptr;
    gpointer previousData_ = nullptr;
};

// Runs f and returns what it wrote to standard output.
template <typename F>
std::string Stdout(F f)
{
    ::testing::internal::CaptureStdout();
    f();
    return ::testing::internal::GetCapturedStdout();
}

int ChildInt(Gtk::Container& parent, Gtk::Widget& child, const char* property);
// Position of a child of a Gtk::Fixed.
std::pair<int, int> FixedPosition(Gtk::Widget& child);
// left, right, top, bottom attach of a child of a Gtk::Table.
std::vector<int> Attach(Gtk::Widget& child);
// The table's child whose top-left attach is (row, column), or null.
Gtk::Widget* TableCell(Gtk::Table& table, int row, int column);
std::vector<Gtk::Widget*> Children(Gtk::Widget& container);

std::pair<int, int> SizeRequest(Gtk::Widget& widget);
// Pango size the widget's own font sets (0 when it sets none).
int FontSize(Gtk::Widget& widget);
// Weight the widget's own font sets (0 when it sets none).
int FontWeight(Gtk::Widget& widget);
// Normal-state colour the widget's own style sets, "#rrggbb" ("" when none).
std::string Foreground(Gtk::Widget& widget);
std::string Background(Gtk::Widget& widget);

// Size and top-left colour (0xRRGGBB) of what an image shows; -1 colour
// and 0 x 0 for an empty image.
struct Shown {
    int width = 0;
    int height = 0;
    long rgb = -1;
};
Shown ShownPicture(Gtk::Image& image);

}  // namespace gridtest

#endif
