#include "ProgramSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

pid_t StartProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                   const std::string& output, const std::string& workDir)
{
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // nothing outlives its test
    for (const std::string& e : env)
        ::putenv(const_cast<char*>(e.c_str()));
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(out, 1);
    ::dup2(out, 2);
    if (::chdir(workDir.c_str()) != 0)
        ::_exit(126);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

void StopProgram(pid_t pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

namespace {

// Other test programs share the X server: a window of theirs may be gone
// between the tree query and the property read. Such errors are ignored.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Calls seen(display, window, attributes) for the program's mapped top-level
// windows; false without an X server.
template <typename Seen>
bool ForWindowsOf(pid_t pid, Seen seen)
{
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return false;
    const XErrorHandler previous = XSetErrorHandler(&IgnoreXError);
    const Atom pidAtom = XInternAtom(x, "_NET_WM_PID", True);
    Window root = DefaultRootWindow(x), parent = 0, *children = nullptr;
    unsigned count = 0;
    if (pidAtom != None && XQueryTree(x, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            Atom type;
            int format;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            XWindowAttributes a;
            if (XGetWindowProperty(x, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                                   &after, &data) == Success && data && items == 1 &&
                static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid &&
                XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable)
                seen(x, children[i], a);
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

std::string WindowSize(pid_t pid)
{
    std::string size = "0x0";
    if (!ForWindowsOf(pid, [&](Display*, Window, const XWindowAttributes& a) {
            size = std::to_string(a.width) + "x" + std::to_string(a.height);
        }))
        return "no X";
    return size;
}

std::vector<unsigned> WindowPixels(pid_t pid)
{
    std::vector<unsigned> pixels;
    ForWindowsOf(pid, [&](Display* x, Window window, const XWindowAttributes& a) {
        if (!pixels.empty())
            return;
        if (XImage* image = XGetImage(x, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap)) {
            for (int row = 0; row < a.height; ++row)
                for (int column = 0; column < a.width; ++column)
                    pixels.push_back(static_cast<unsigned>(XGetPixel(image, column, row)) & 0xFFFFFFu);
            XDestroyImage(image);
        }
    });
    return pixels;
}

double DifferingShare(const std::vector<unsigned>& a, const std::vector<unsigned>& b)
{
    if (a.empty() || a.size() != b.size())
        return 0.0;
    std::size_t differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ += a[i] != b[i];
    return double(differ) / double(a.size());
}

// -noreset: the server must not reset whenever a test's own look at a
// window disconnects, or a program connecting then finds no server.
PrivateXServer::PrivateXServer()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return;
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
    char number[16] = {};
    ssize_t n = 0, got = 0;
    while (got < static_cast<ssize_t>(sizeof number) - 1 &&
           (n = ::read(pipeFds[0], number + got, sizeof number - 1 - got)) > 0 && !std::strchr(number, '\n'))
        got += n;
    ::close(pipeFds[0]);
    if (pid_ < 0 || !std::strchr(number, '\n'))
        return;
    number[std::strcspn(number, "\n")] = '\0';
    ::setenv("DISPLAY", (std::string(":") + number).c_str(), 1);
    up_ = true;
}

PrivateXServer::~PrivateXServer()
{
    StopProgram(pid_);
}

double CpuSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The fields after the program's name (which may hold blanks and brackets).
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(end + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        if (i == 15)
            system = std::stoull(field);
    }
    return double(user + system) / double(::sysconf(_SC_CLK_TCK));
}

}  // namespace testsupport
