#include "WindowPictures.h"

#include "ProgramSupport.h"
#include "TestSupport.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace testsupport {

PrivateXServer::~PrivateXServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

bool PrivateXServer::Start()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        ::close(pipeFds[0]);
        const std::string fd = std::to_string(pipeFds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                 "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    // The server writes its display number and a line feed once it listens.
    char number[16] = {};
    ssize_t n = 0, got = 0;
    while (got < static_cast<ssize_t>(sizeof number) - 1 &&
           (n = ::read(pipeFds[0], number + got, sizeof number - 1 - got)) > 0 && !std::strchr(number, '\n'))
        got += n;
    ::close(pipeFds[0]);
    if (pid_ < 0 || !std::strchr(number, '\n'))
        return false;
    number[std::strcspn(number, "\n")] = '\0';
    ::setenv("DISPLAY", (std::string(":") + number).c_str(), 1);
    return true;
}

namespace {

// The title bar's clock, in window pixels.
struct Area {
    int x, y, width, height;
    bool Holds(int column, int row) const
    {
        return column >= x && column < x + width && row >= y && row < y + height;
    }
};
const Area kClock = {316, 40, 168, 12};

// Other test programs may share the X server: a window of theirs may be
// gone between the tree query and the property read. Such errors are ignored.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The pixels of an image of the screen's format, 0xRRGGBB each.
void ReadPixels(XImage* image, Picture& picture)
{
    picture.width = image->width;
    picture.height = image->height;
    picture.pixels.resize(std::size_t(image->width) * std::size_t(image->height));
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    std::size_t at = 0;
    for (int row = 0; row < image->height; ++row) {
        const unsigned char* line = reinterpret_cast<const unsigned char*>(image->data) + row * image->bytes_per_line;
        for (int column = 0; column < image->width; ++column, ++at) {
            if (direct) {
                const unsigned char* p = line + 4 * column;
                picture.pixels[at] = unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16;
            } else {
                picture.pixels[at] = static_cast<unsigned>(XGetPixel(image, column, row)) & 0xFFFFFFu;
            }
        }
    }
}

// Calls look(x, window, attributes) with the program's mapped top-level
// window, found by its _NET_WM_PID; false when there is no X server.
template <typename Look>
bool WithWindow(pid_t program, Look look)
{
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return false;
    const XErrorHandler previous = XSetErrorHandler(&IgnoreXError);
    bool found = false;
    const Atom pidAtom = XInternAtom(x, "_NET_WM_PID", True);
    Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (pidAtom != None && XQueryTree(x, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) {
            Atom type;
            int format;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            XWindowAttributes a;
            if (XGetWindowProperty(x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                                   &data) == Success && data && items == 1 &&
                static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == program &&
                XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable) {
                look(x, children[i], a);
                found = true;
            }
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
    }
    XSync(x, False);
    XCloseDisplay(x);
    XSetErrorHandler(previous);
    return true;
}

}  // namespace

Picture WindowPicture(pid_t program)
{
    Picture picture;
    WithWindow(program, [&picture](Display* x, Window window, const XWindowAttributes& a) {
        if (XImage* image = XGetImage(x, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap)) {
            ReadPixels(image, picture);
            XDestroyImage(image);
        }
    });
    return picture;
}

// Declared with the other program helpers (ProgramSupport.h).
std::string WindowSize(pid_t pid)
{
    std::string size = "0x0";
    const bool x = WithWindow(pid, [&size](Display*, Window, const XWindowAttributes& a) {
        size = std::to_string(a.width) + "x" + std::to_string(a.height);
    });
    return x ? size : "no X";
}

bool SavePicture(const Picture& picture, const std::string& pngPath)
{
    if (picture.empty())
        return false;
    std::vector<guint8> rgb;
    rgb.reserve(picture.pixels.size() * 3);
    for (unsigned pixel : picture.pixels) {
        rgb.push_back(static_cast<guint8>(pixel >> 16));
        rgb.push_back(static_cast<guint8>(pixel >> 8));
        rgb.push_back(static_cast<guint8>(pixel));
    }
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgb.data(), GDK_COLORSPACE_RGB, FALSE, 8, picture.width,
                                                 picture.height, picture.width * 3, nullptr, nullptr);
    if (!pixbuf)
        return false;
    MakeParentDirs(pngPath);
    const bool saved = gdk_pixbuf_save(pixbuf, pngPath.c_str(), "png", nullptr, NULL) != FALSE;
    g_object_unref(pixbuf);
    return saved;
}

double Differing(const Picture& a, const Picture& b)
{
    if (a.empty() || b.empty() || a.width != b.width || a.height != b.height)
        return 1.0;
    std::size_t differ = 0, counted = 0, at = 0;
    for (int row = 0; row < a.height; ++row)
        for (int column = 0; column < a.width; ++column, ++at) {
            if (kClock.Holds(column, row))
                continue;
            ++counted;
            differ += a.pixels[at] != b.pixels[at];
        }
    return counted ? double(differ) / double(counted) : 0.0;
}

namespace {

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point start)
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Drawn: more than one colour.
bool Drawn(const Picture& picture)
{
    for (unsigned pixel : picture.pixels)
        if (pixel != picture.pixels[0])
            return true;
    return false;
}

// Waits until the window has shown one drawn picture for quietMs, taking a
// picture every 50 ms or so; that picture, empty when the time ran out.
Picture WaitSettled(pid_t display, int quietMs, int ms, Picture& last)
{
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(ms);
    Clock::time_point since = Clock::now();
    Picture steady;
    while (Clock::now() < until) {
        last = WindowPicture(display);
        if (last.empty() || !Drawn(last)) {
            steady = Picture();
        } else if (steady.empty() || Differing(steady, last) > 0.0) {
            steady = last;
            since = Clock::now();
        } else if (MsSince(since) >= quietMs) {
            return steady;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Picture();
}

}  // namespace

ScreenKeys::ScreenKeys(pid_t display, int keypad, std::string output, int quietMs)
    : display_(display),
      keypad_(keypad),
      line_(::open(::ptsname(keypad), O_RDONLY | O_NOCTTY | O_NONBLOCK)),
      output_(std::move(output)),
      quietMs_(quietMs)
{
}

ScreenKeys::~ScreenKeys()
{
    if (line_ >= 0)
        ::close(line_);
}

::testing::AssertionResult ScreenKeys::PressTaken(unsigned char key, int ms)
{
    if (::write(keypad_, &key, 1) != 1)
        return ::testing::AssertionFailure() << "key " << unsigned(key) << " not written: " << std::strerror(errno);
    settled_ = false;
    // The byte reaches the line a moment after the write; a look whether it
    // can be read hands it on there, so the count that follows holds it.
    pollfd line = {line_, POLLIN, 0};
    ::poll(&line, 1, 0);
    int waiting = 1;
    if (WaitFor([&] { return ::ioctl(line_, FIONREAD, &waiting) == 0 && waiting == 0; }, ms))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "key " << unsigned(key) << " was not read off the line: " << waiting
                                         << " bytes wait there; " << Describe(nullptr, 0.0);
}

::testing::AssertionResult ScreenKeys::Write(const std::vector<unsigned char>& keys, int ms)
{
    for (std::size_t first = 0; first < keys.size(); first += kKeysWaiting) {
        if (first > 0 || current_.empty()) {
            ::testing::AssertionResult settled = Settle(ms);
            if (!settled)
                return settled << " (after key " << first << " of " << keys.size() << ")";
        }
        const std::size_t count = std::min(kKeysWaiting, keys.size() - first);
        if (::write(keypad_, keys.data() + first, count) != ssize_t(count))
            return ::testing::AssertionFailure() << "keys " << first + 1 << " to " << first + count << " of "
                                                 << keys.size() << " not written: " << std::strerror(errno);
        settled_ = false;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ScreenKeys::Settle(int ms)
{
    Picture last;
    current_ = WaitSettled(display_, Scaled(quietMs_), Scaled(ms), last);
    settled_ = !current_.empty();
    if (!settled_)
        return ::testing::AssertionFailure() << "the window never settled: " << Describe(&last, 1.0);
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ScreenKeys::PressTo(unsigned char key, const Picture& screen, int ms)
{
    return Press(key, Leads::ToScreen, &screen, ms);
}

::testing::AssertionResult ScreenKeys::PressToAnotherScreen(unsigned char key, int ms)
{
    return Press(key, Leads::ToAnotherScreen, nullptr, ms);
}

::testing::AssertionResult ScreenKeys::PressToAChange(unsigned char key, int ms)
{
    return Press(key, Leads::ToAChange, nullptr, ms);
}

::testing::AssertionResult ScreenKeys::PressEachToAChange(const std::vector<unsigned char>& keys, int ms)
{
    for (std::size_t i = 0; i < keys.size(); ++i) {
        ::testing::AssertionResult pressed = PressToAChange(keys[i], ms);
        if (!pressed)
            return pressed << " (key " << i + 1 << " of " << keys.size() << ")";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ScreenKeys::AwaitScreen(const Picture& screen, int ms)
{
    return Await(Leads::ToScreen, &screen, ms, "the window did not show the screen it should");
}

::testing::AssertionResult ScreenKeys::AwaitAnotherScreen(int ms)
{
    ::testing::AssertionResult settled = SettledBefore(Leads::ToAnotherScreen);
    if (!settled)
        return settled;
    return Await(Leads::ToAnotherScreen, nullptr, ms, "the window did not switch to another screen");
}

::testing::AssertionResult ScreenKeys::SettledBefore(Leads leads)
{
    // Another screen or a change is told from a settled picture only.
    if (!settled_ && (leads != Leads::ToScreen || current_.empty()))
        return Settle();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ScreenKeys::Press(unsigned char key, Leads leads, const Picture* screen, int ms)
{
    ::testing::AssertionResult settled = SettledBefore(leads);
    if (!settled)
        return settled << " (before key " << unsigned(key) << ")";
    if (::write(keypad_, &key, 1) != 1)
        return ::testing::AssertionFailure() << "key " << unsigned(key) << " not written: " << std::strerror(errno);
    return Await(leads, screen, ms, "key " + std::to_string(key) + " was not answered");
}

::testing::AssertionResult ScreenKeys::Await(Leads leads, const Picture* screen, int ms, const std::string& failure)
{
    const Picture before = current_;
    const Clock::time_point start = Clock::now();
    Picture seen;
    double differing = 0.0;
    const bool answered = WaitFor([&] {
        seen = WindowPicture(display_);
        if (whileWaiting_)
            whileWaiting_();
        differing = Differing(seen, leads == Leads::ToScreen ? *screen : before);
        switch (leads) {
        case Leads::ToScreen: return differing < kSameScreen;
        case Leads::ToAnotherScreen: return !seen.empty() && differing > kOtherScreen;
        case Leads::ToAChange: return !seen.empty() && differing > 0.0;
        }
        return false;
    }, ms);
    answerMs_ = MsSince(start);
    if (!answered) {
        SaveFailure(seen, leads == Leads::ToScreen ? *screen : before);
        return ::testing::AssertionFailure()
               << failure << " within " << answerMs_ << " ms: "
               << (leads == Leads::ToScreen ? "it differs from that screen in " : "it changed in ")
               << Describe(&seen, differing);
    }
    if (leads == Leads::ToScreen) {
        current_ = seen;
        settled_ = false;
        return ::testing::AssertionSuccess();
    }
    // A picture not known before: the whole new screen, once it has settled.
    Picture last;
    current_ = WaitSettled(display_, Scaled(quietMs_), Scaled(ms), last);
    settled_ = !current_.empty();
    if (!settled_)
        return ::testing::AssertionFailure() << failure << ": the window never settled after the change, "
                                             << Describe(&last, Differing(last, before));
    return ::testing::AssertionSuccess();
}

namespace {

// A process that runs, neither ended nor waiting to be reaped.
bool Runs(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string number, name, state;
    return stat >> number >> name >> state && state != "Z" && state != "X";
}

}  // namespace

void ScreenKeys::SaveFailure(const Picture& seen, const Picture& expected) const
{
    const char* folder = std::getenv("CABDISPLAY_TEST_PICTURES");
    if (!folder || !*folder)
        return;
    static int failures = 0;
    const std::string name = std::string(folder) + "/" + std::to_string(::getpid()) + "-" + std::to_string(failures++);
    SavePicture(seen, name + "-seen.png");
    SavePicture(expected, name + "-expected.png");
}

std::string ScreenKeys::Describe(const Picture* seen, double differing) const
{
    std::ostringstream text;
    if (seen)
        text << differing << " of the pixels (pictures of " << current_.pixels.size() << " and "
             << seen->pixels.size() << " pixels), ";
    text << "display " << (Runs(display_) ? "running" : "ended");
    if (!output_.empty()) {
        std::ifstream file(output_, std::ios::binary);
        std::stringstream content;
        content << file.rdbuf();
        const std::string all = content.str();
        text << ", its output ends:\n" << (all.size() > 3000 ? all.substr(all.size() - 3000) : all);
    }
    return text.str();
}

}  // namespace testsupport
