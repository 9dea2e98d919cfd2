#include "TestSupport.h"

#include <gtkmm/settings.h>

#include <gtkmm.h>

#include <cerrno>
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
    std::ifstream in(relative.c_str(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
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

void DrainEvents()
{
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

bool SnapshotWidget(Gtk::Widget& widget, int width, int height, const std::string& pngPath)
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
    bool saved = false;
    Glib::RefPtr<Gdk::Pixbuf> picture = window.get_pixbuf();
    if (picture) {
        MakeParentDirs(pngPath);
        saved = gdk_pixbuf_save(picture->gobj(), pngPath.c_str(), "png", nullptr, NULL) != FALSE;
    }
    window.remove();
    return saved;
}

}  // namespace testsupport
