#include "ProgramSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
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

}  // namespace

std::string WindowSize(pid_t pid)
{
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        return "no X";
    const XErrorHandler previous = XSetErrorHandler(&IgnoreXError);
    std::string size = "0x0";
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
                size = std::to_string(a.width) + "x" + std::to_string(a.height);
            if (data)
                XFree(data);
        }
        if (children)
            XFree(children);
    }
    XSync(x, False);
    XCloseDisplay(x);
    XSetErrorHandler(previous);
    return size;
}

}  // namespace testsupport
