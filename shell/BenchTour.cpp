// cabtour: drives the display on a bench without a person at it. Starts the
// display program with a pseudo-terminal as its keypad line, then follows a
// tour script: key bytes on the keypad line, waits, and pictures of the X
// display saved as PNG files.
//
//   cabtour --out DIR --script FILE [--window WxH] -- PROGRAM [ARGS...]
//
// Script lines ('#' starts a comment):
//   at <ms>            wait until <ms> after the program was started
//   wait <ms>          wait <ms>
//   key <byte>...      keypad bytes, one per bus poll (250 ms apart)
//   shot <name>        save DIR/<name>.png
// The program is stopped once the script has run. Exit status: 0 when the
// script ran to its end with the program still running, 1 otherwise.
// The program gets this environment, keypad line aside: name its bus in
// CABDISPLAY_MVB (the tour runs the display against mvbsim, sim:PATH).
#include <gdk/gdk.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

typedef std::chrono::steady_clock Clock;

struct Options {
    std::string out, script;
    int width = 800, height = 600;
    std::vector<char*> program;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc)
            return false;
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--out") options.out = value;
        else if (name == "--script") options.script = value;
        else if (name == "--window") {
            if (std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height) != 2)
                return false;
        } else return false;
    }
    for (++i; i < argc; ++i)
        options.program.push_back(argv[i]);
    options.program.push_back(nullptr);
    return !options.out.empty() && !options.script.empty() && options.program.size() > 1;
}

// The master side of a fresh pseudo-terminal; its slave's path in slave.
int OpenKeypad(std::string& slave)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0 || !::ptsname(master))
        return -1;
    slave = ::ptsname(master);
    return master;
}

pid_t Start(const Options& options, const std::string& keypad)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // the display ends with its tour
        ::setenv("CABDISPLAY_KEYPAD", keypad.c_str(), 1);
        ::execvp(options.program[0], options.program.data());
        std::fprintf(stderr, "cabtour: cannot start %s: %s\n", options.program[0], std::strerror(errno));
        ::_exit(127);
    }
    return pid;
}

bool Running(pid_t pid, int& status)
{
    return ::waitpid(pid, &status, WNOHANG) == 0;
}

bool Shot(const std::string& path, int width, int height)
{
    GdkWindow* root = gdk_get_default_root_window();
    int w = 0, h = 0;
    gdk_drawable_get_size(root, &w, &h);
    GdkPixbuf* picture = gdk_pixbuf_get_from_drawable(nullptr, root, nullptr, 0, 0, 0, 0, width < w ? width : w,
                                                      height < h ? height : h);
    const bool saved = picture && gdk_pixbuf_save(picture, path.c_str(), "png", nullptr, nullptr);
    if (picture)
        g_object_unref(picture);
    return saved;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: cabtour --out DIR --script FILE [--window WxH] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    if (!gdk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "cabtour: no X display\n");
        return 1;
    }
    std::ifstream script(options.script.c_str());
    if (!script) {
        std::fprintf(stderr, "cabtour: cannot read %s\n", options.script.c_str());
        return 1;
    }
    std::string keypad;
    const int master = OpenKeypad(keypad);
    if (master < 0) {
        std::fprintf(stderr, "cabtour: no pseudo-terminal for the keypad\n");
        return 1;
    }
    std::signal(SIGPIPE, SIG_IGN);
    const Clock::time_point start = Clock::now();
    const pid_t display = Start(options, keypad);
    int status = 0;
    bool ok = true;
    std::string line;
    while (ok && std::getline(script, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string command;
        if (!(words >> command))
            continue;
        if (command == "at" || command == "wait") {
            long ms = 0;
            words >> ms;
            const Clock::time_point until =
                (command == "at" ? start : Clock::now()) + std::chrono::milliseconds(ms);
            while (ok && Clock::now() < until) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                ok = Running(display, status);
            }
        } else if (command == "key") {
            unsigned value = 0;
            while (ok && words >> value) {
                const unsigned char byte = static_cast<unsigned char>(value);
                ok = ::write(master, &byte, 1) == 1 && Running(display, status);
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
            }
        } else if (command == "shot") {
            std::string name;
            words >> name;
            const std::string path = options.out + "/" + name + ".png";
            if (!Shot(path, options.width, options.height))
                std::fprintf(stderr, "cabtour: cannot save %s\n", path.c_str());
        } else {
            std::fprintf(stderr, "cabtour: unknown script line: %s\n", line.c_str());
        }
        ok = ok && Running(display, status);
    }
    if (!ok) {
        std::fprintf(stderr, "cabtour: the display ended early (status %d)\n",
                     WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
        ::close(master);
        return 1;
    }
    ::kill(display, SIGTERM);
    ::waitpid(display, &status, 0);
    ::close(master);
    return 0;
}
