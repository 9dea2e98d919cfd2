// Helpers for tests that run whole programs: start one in a working
// directory with its output in a file, stop it, and find its window on the
// X server.
#ifndef CABDISPLAY_TESTS_PROGRAMSUPPORT_H
#define CABDISPLAY_TESTS_PROGRAMSUPPORT_H

#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// Starts args[0] with the further arguments, the environment entries added,
// standard output and error to the file `output`, in the folder workDir. The
// program gets SIGTERM when the test program ends. Its process id.
pid_t StartProgram(const std::vector<std::string>& args, const std::vector<std::string>& env,
                   const std::string& output, const std::string& workDir);

// Ends a program started above (SIGTERM) and waits for it; nothing for 0 or less.
void StopProgram(pid_t pid);

// Size of the program's mapped top-level window as "<width>x<height>";
// "0x0" while it has none, "no X" without an X server.
std::string WindowSize(pid_t pid);

// The pixels of the program's mapped top-level window, 0xRRGGBB each, row
// by row; empty while it has none.
std::vector<unsigned> WindowPixels(pid_t pid);

// Share of the pixels that differ between two pictures of a window; 0 when
// either is empty or their sizes differ.
double DifferingShare(const std::vector<unsigned>& a, const std::vector<unsigned>& b);

// An X server of the test's own (Xvfb), in DISPLAY while the object lives:
// a window's pixels are read back from the screen, where the windows of
// tests running beside it would cover it.
class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    bool up() const { return up_; }
private:
    pid_t pid_ = -1;
    bool up_ = false;
};

// Processor time (user and system) a running program has used, in seconds;
// -1 when it cannot be read.
double CpuSeconds(pid_t pid);

}  // namespace testsupport

#endif
