#include "TestSupport.h"

#include <gtkmm/settings.h>

#include <gtkmm.h>

#include <cerrno>
#include <cstring>
#include <chrono>
#include <dirent.h>
#include <cstdlib>
#include <thread>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <ftw.h>

namespace testsupport {

namespace {

// Every test program lays its texts out in the fonts of the tree's own font
// configuration, whatever fonts the machine has, so that sizes, cuts and
// pictures are the same everywhere; the programs it starts inherit it. Set
// before main, so before the toolkit or anything else reads fonts.
struct ProjectFonts {
    ProjectFonts() { ::setenv("FONTCONFIG_FILE", CABDISPLAY_FONTS_CONF, 1); }
};
[[maybe_unused]] const ProjectFonts kProjectFonts;

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*)
{
    return ::remove(path);
}

}  // namespace

TempWorkDir::TempWorkDir()
{
    char cwd[4096];
    if (::getcwd(cwd, sizeof cwd))
        previous_ = cwd;
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/cabdisplay-test-XXXXXX";
    if (!::mkdtemp(&pattern[0]))
        throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
    if (::chdir(path_.c_str()) != 0)
        throw std::runtime_error("cannot enter " + path_);
}

TempWorkDir::~TempWorkDir()
{
    if (!previous_.empty() && ::chdir(previous_.c_str()) != 0) {
        // Nothing sensible to do in a destructor; the tree is removed anyway.
    }
    RemoveTree(path_);
}

void RemoveTree(const std::string& path)
{
    ::nftw(path.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void MakeParentDirs(const std::string& path)
{
    for (std::string::size_type slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
}

void TempWorkDir::WriteFile(const std::string& relative, const std::string& content) const
{
    MakeParentDirs(relative);
    std::ofstream out(relative.c_str(), std::ios::binary | std::ios::trunc);
    out << content;
}

std::string TempWorkDir::ReadFile(const std::string& relative) const
{
    return ReadWholeFile(relative);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << content;
}

void WritePicture(const std::string& path, int width, int height, unsigned rgb)
{
    InitToolkit();
    MakeParentDirs(path);
    Glib::RefPtr<Gdk::Pixbuf> picture = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, width, height);
    picture->fill((rgb << 8) | 0xFF);
    const std::string::size_type dot = path.rfind('.');
    const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    picture->save(path, (ext == "jpg" || ext == "jpeg") ? "jpeg" : "png");
}

void InitToolkit()
{
    static Gtk::Main* main = nullptr;
    if (!main) {
        static int argc = 1;
        static char name[] = "cabdisplay-test";
        static char* args[] = {name, nullptr};
        static char** argv = args;
        main = new Gtk::Main(argc, argv);
        // Texts are laid out at the cab screen's 96 dpi, whatever the X server says.
        Gtk::Settings::get_default()->property_gtk_xft_dpi() = 96 * 1024;
    }
}

bool CopyFolder(const std::string& from, const std::string& to)
{
    DIR* folder = ::opendir(from.c_str());
    if (!folder)
        return false;
    bool copied = ::mkdir(to.c_str(), 0755) == 0 || errno == EEXIST;
    while (dirent* entry = copied ? ::readdir(folder) : nullptr) {
        const std::string name = entry->d_name;
        struct stat st;
        if (name[0] == '.' || ::stat((from + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        std::ifstream in(from + "/" + name, std::ios::binary);
        std::ofstream out(to + "/" + name, std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        out.close();
        copied = in && out;
    }
    ::closedir(folder);
    return copied;
}

int TimeFactor()
{
    static const int factor = [] {
        const char* text = std::getenv("CABDISPLAY_TEST_TIME_FACTOR");
        char* end = nullptr;
        const long value = text ? std::strtol(text, &end, 10) : 1;
        return (text && (end == text || *end != '\0')) || value < 1 || value > 100 ? 1 : static_cast<int>(value);
    }();
    return factor;
}

int Scaled(int ms)
{
    return ms * TimeFactor();
}

bool WaitFor(const std::function<bool()>& done, int ms)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Scaled(ms));
    while (std::chrono::steady_clock::now() < until) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

std::size_t CountOf(const std::string& text, const std::string& word)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(word); !word.empty() && at != std::string::npos; at = text.find(word, at + 1))
        ++n;
    return n;
}

void DrainEvents()
{
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

namespace {

// The widget's box in the window's pixels.
Gdk::Rectangle BoxInWindow(Gtk::Widget& widget, Gtk::Widget& top)
{
    int x = 0, y = 0;
    widget.translate_coordinates(top, 0, 0, x, y);
    const Gtk::Allocation a = widget.get_allocation();
    return Gdk::Rectangle(x, y, a.get_width(), a.get_height());
}

// A glyph's faint edge may lie a pixel or two beyond the text's own box (its
// side bearing); what lies further out is cut off or covers its neighbour.
constexpr int kInkOverhang = 2;

bool Inside(const Gdk::Rectangle& ink, const Gdk::Rectangle& box)
{
    return ink.get_x() >= box.get_x() - kInkOverhang && ink.get_y() >= box.get_y() - kInkOverhang &&
           ink.get_x() + ink.get_width() <= box.get_x() + box.get_width() + kInkOverhang &&
           ink.get_y() + ink.get_height() <= box.get_y() + box.get_height() + kInkOverhang;
}

// Every shown label below `widget` whose text, as drawn (its ink), is not
// whole inside the box the layout gave the label and inside its parent's
// box: a line each.
void CheckLabels(Gtk::Widget& widget, Gtk::Widget& top, std::ostringstream& faults)
{
    auto* label = dynamic_cast<Gtk::Label*>(&widget);
    if (label && label->is_drawable() && !label->get_text().empty()) {
        Pango::Rectangle ink, logical;
        label->get_layout()->get_pixel_extents(ink, logical);
        int layoutX = 0, layoutY = 0;
        label->get_layout_offsets(layoutX, layoutY);
        const Gtk::Allocation own = label->get_allocation();
        // The ink in the label's own pixels, then in the window's.
        const int x = layoutX + ink.get_x() - own.get_x(), y = layoutY + ink.get_y() - own.get_y();
        int topX = 0, topY = 0;
        label->translate_coordinates(top, x, y, topX, topY);
        const Gdk::Rectangle drawn(topX, topY, ink.get_width(), ink.get_height());
        const Gdk::Rectangle box = BoxInWindow(*label, top);
        const Gdk::Rectangle parent = BoxInWindow(*label->get_parent(), top);
        if (ink.get_width() > 0 && (!Inside(drawn, box) || !Inside(drawn, parent)))
            faults << "\n  label \"" << label->get_text().substr(0, 40) << "\" drawn " << drawn.get_width() << " x "
                   << drawn.get_height() << " at " << drawn.get_x() << "," << drawn.get_y() << " in its box of "
                   << box.get_width() << " x " << box.get_height() << " at " << box.get_x() << "," << box.get_y()
                   << ", its parent's of " << parent.get_width() << " x " << parent.get_height() << " at "
                   << parent.get_x() << "," << parent.get_y();
    }
    if (GTK_IS_CONTAINER(widget.gobj())) {
        // Internal children too (a button's label, a frame's title).
        struct Walk {
            Gtk::Widget& top;
            std::ostringstream& faults;
            static void Child(GtkWidget* child, gpointer walk)
            {
                auto* w = static_cast<Walk*>(walk);
                CheckLabels(*Glib::wrap(child), w->top, w->faults);
            }
        } walk{top, faults};
        gtk_container_forall(GTK_CONTAINER(widget.gobj()), &Walk::Child, &walk);
    }
}

// More than one colour.
bool Drawn(const Glib::RefPtr<Gdk::Pixbuf>& picture)
{
    const guint8* pixels = picture->get_pixels();
    const int channels = picture->get_n_channels();
    for (int row = 0; row < picture->get_height(); ++row) {
        const guint8* line = pixels + row * picture->get_rowstride();
        for (int column = 0; column < picture->get_width(); ++column)
            if (std::memcmp(line + column * channels, pixels, 3) != 0)
                return true;
    }
    return false;
}

}  // namespace

::testing::AssertionResult SaveRender(Gtk::OffscreenWindow& window, int width, int height, const std::string& pngPath,
                                      Gtk::Widget* textsOf)
{
    Glib::RefPtr<Gdk::Pixbuf> picture = window.get_pixbuf();
    if (!picture)
        return ::testing::AssertionFailure() << pngPath << ": the window could not be captured";
    MakeParentDirs(pngPath);
    if (!gdk_pixbuf_save(picture->gobj(), pngPath.c_str(), "png", nullptr, NULL))
        return ::testing::AssertionFailure() << pngPath << ": could not be saved";
    std::ostringstream faults;
    if (picture->get_width() != width || picture->get_height() != height)
        faults << "\n  the picture is " << picture->get_width() << " x " << picture->get_height() << ", not " << width
               << " x " << height;
    // (An off-screen window takes its default size whatever its child asks.)
    const Gtk::Requisition asked = window.get_child() ? window.get_child()->size_request() : Gtk::Requisition{0, 0};
    if (asked.width > width || asked.height > height)
        faults << "\n  what it shows asks for " << asked.width << " x " << asked.height << ", more than " << width
               << " x " << height;
    if (!Drawn(picture))
        faults << "\n  the picture is all one colour";
    if (textsOf)
        CheckLabels(*textsOf, window, faults);
    if (!faults.str().empty())
        return ::testing::AssertionFailure() << pngPath << ":" << faults.str();
    return ::testing::AssertionSuccess() << pngPath;
}

::testing::AssertionResult SnapshotWidget(Gtk::Widget& widget, int width, int height, const std::string& pngPath,
                                          bool checkTexts)
{
    InitToolkit();
    // Off screen, so test programs sharing one X server never cover each other.
    Gtk::OffscreenWindow window;
    window.set_default_size(width, height);
    window.add(widget);
    window.show_all();
    for (int round = 0; round < 20; ++round) {
        DrainEvents();
        ::usleep(10000);
    }
    ::testing::AssertionResult rendered = SaveRender(window, width, height, pngPath, checkTexts ? &window : nullptr);
    window.remove();
    return rendered;
}

timespec ThreeSecondsAhead()
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    now.tv_sec += 3;
    return now;
}

}  // namespace testsupport
