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

// Processor time (user and system) a running program has used, in seconds;
// -1 when it cannot be read.
double CpuSeconds(pid_t pid);

}  // namespace testsupport

#endif
