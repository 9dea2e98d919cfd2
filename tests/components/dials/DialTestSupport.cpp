#include "DialTestSupport.h"

#include "CompCircularGauge.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace dialtest {

ShownWidget::ShownWidget(Gtk::Widget& widget, int width, int height)
{
    testsupport::InitToolkit();
    window_.set_default_size(width, height);
    window_.add(widget);
    window_.show_all();
    Settle();
}

ShownWidget::~ShownWidget()
{
    window_.remove();
}

void ShownWidget::Settle()
{
    for (int round = 0; round < 10; ++round) {
        testsupport::DrainEvents();
        ::usleep(5000);
    }
    testsupport::DrainEvents();
    grabbed_.reset();
}

unsigned ShownWidget::Pixel(int x, int y)
{
    if (!grabbed_)
        grabbed_ = window_.get_pixbuf();
    return PixelOf(grabbed_, x, y);
}

unsigned PixelOf(const Glib::RefPtr<Gdk::Pixbuf>& picture, int x, int y)
{
    if (!picture || x < 0 || y < 0 || x >= picture->get_width() || y >= picture->get_height())
        return 0xFFFFFFFF;
    const guint8* p = picture->get_pixels() + y * picture->get_rowstride() + x * picture->get_n_channels();
    return (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | unsigned(p[2]);
}

bool Near(unsigned a, unsigned b, int tolerance)
{
    if (a > 0xFFFFFF || b > 0xFFFFFF)
        return false;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}

void WriteMarkerPicture(const std::string& path, int width, int height, int cx, int cy, int half,
                        unsigned rgb)
{
    testsupport::InitToolkit();
    testsupport::MakeParentDirs(path);
    Glib::RefPtr<Gdk::Pixbuf> picture = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, width, height);
    picture->fill(0x00000000);
    Glib::RefPtr<Gdk::Pixbuf> square = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, true, 8, 2 * half, 2 * half);
    square->fill((rgb << 8) | 0xFF);
    square->copy_area(0, 0, 2 * half, 2 * half, picture, cx - half, cy - half);
    picture->save(path, "png");
}

void WriteBrokenPicture(const std::string& path)
{
    testsupport::MakeParentDirs(path);
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << "this is not a picture";
}

void FixedPlace(Gtk::Fixed& fixed, Gtk::Widget& child, int& x, int& y)
{
    x = y = -1;
    gtk_container_child_get(GTK_CONTAINER(fixed.gobj()), child.gobj(), "x", &x, "y", &y, NULL);
}

std::vector<Gtk::Widget*> Children(Gtk::Container& container)
{
    std::vector<Gtk::Widget*> children = container.get_children();
    return children;
}

std::string CaptureOutput(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

void ConfigureAsMainScreen(CompCircularGauge& gauge)
{
    gauge.SpeedBoxWidth = 35;
    gauge.SpeedBoxHeight = 20;
    gauge.SpeedBoxX = 133;
    gauge.SpeedBoxY = 178;
    gauge.SpeedFontSize = 12;
    gauge.UnitBoxWidth = 50;
    gauge.UnitBoxHeight = 20;
    gauge.UnitBoxX = 126;
    gauge.UnitBoxY = 200;
    gauge.UnitFontSize = 10;
    gauge.VoltBoxWidth = 30;
    gauge.VoltBoxHeight = 12;
    gauge.VoltBoxX = 300;
    gauge.VoltBoxY = 230;
    gauge.VoltDialY = 170;
    gauge.VoltFontSize = 7;
}

}  // namespace dialtest
