// Nothing touches the machine's I/O ports unless CABDISPLAY_MVB names
// "ports": a user program reaches an x86 I/O port only after asking the
// kernel for the I/O privilege (iopl or ioperm), so the start-up and polls
// run with every such request counted and refused: at the C library's
// iopl and ioperm (this program's own take their place), and where the
// kernel runs the program itself also under a system call filter, which
// sees a request however it is made. (Under an emulator, as the 32-bit
// programs run on some machines, there is no filter to install.)
#include "BusFixture.h"
#include "KeypadLine.h"
#include "NewProcess.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#define CABDISPLAY_PORT_GUARD 1
#endif

namespace {
int Refused();
}

// The C library's requests for the I/O privilege, in this program: counted,
// and passed on to the kernel only where the filter stands in their way.
extern "C" int iopl(int level) noexcept
{
    return Refused() == 0 ? static_cast<int>(::syscall(__NR_iopl, level)) : -1;
}

extern "C" int ioperm(unsigned long from, unsigned long count, int on) noexcept
{
    return Refused() == 0 ? static_cast<int>(::syscall(__NR_ioperm, from, count, on)) : -1;
}

namespace {

volatile std::sig_atomic_t privilegeRequests = 0;  // seen by the filter
int libraryRequests = 0;                            // made through the C library
bool filterInstalled = false;

void OnRequest(int)
{
    ++privilegeRequests;
}

// 0: pass the request on to the filter; -1 (EPERM): refused here.
int Refused()
{
    ++libraryRequests;
    if (filterInstalled)
        return 0;
    errno = EPERM;
    return -1;
}

// From here on every iopl and ioperm of this process is refused, counted in
// privilegeRequests. False where that cannot be arranged.
bool GuardPorts()
{
#ifdef CABDISPLAY_PORT_GUARD
#ifdef __x86_64__
    const unsigned arch = AUDIT_ARCH_X86_64;
#else
    const unsigned arch = AUDIT_ARCH_I386;
#endif
    struct sigaction count = {};
    count.sa_handler = &OnRequest;
    if (::sigaction(SIGSYS, &count, nullptr) != 0)
        return false;
    sock_filter rules[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, arch, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_iopl, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_ioperm, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
    };
    sock_fprog program = {static_cast<unsigned short>(sizeof rules / sizeof rules[0]), rules};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        return false;
    // The filter holds: a request of its own is refused and counted.
    ::syscall(__NR_iopl, 0);
    if (privilegeRequests != 1)
        return false;
    privilegeRequests = 0;
    return true;
#else
    return false;
#endif
}

// Whether the guard works here (a process of its own: the filter stays for life).
bool GuardWorksHere()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(GuardPorts() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class PortsTest : public BusTest {};

TEST_F(PortsTest, NoPortIsTouchedUnlessPortsIsNamed)
{
    const bool filter = GuardWorksHere();
    testsupport::ExpectPassesInNewProcess([filter] {
        if (filter) {
            ASSERT_TRUE(GuardPorts());
            filterInstalled = true;
        }
        // Each request is counted at the library, and by the filter where there is one.
        auto expectRequests = [filter](int expected, const char* value) {
            EXPECT_EQ(expected, libraryRequests) << value;
            if (filter) {
                EXPECT_EQ(expected, privilegeRequests) << value;
            }
        };
        PtyPair keypad;
        ::setenv("CABDISPLAY_KEYPAD", keypad.name().c_str(), 1);
        const struct { const char* value; int open; } cases[] = {
            {"model", 0},
            {"sim:/nonexistent/mvb.sock", 2},
        };
        for (const auto& c : cases) {
            ::setenv("CABDISPLAY_MVB", c.value, 1);
            testing::internal::CaptureStdout();
            EXPECT_EQ(c.open, mue_cch_init(0)) << c.value;
            Cmain();  // the whole start-up: the device, the port lists, the keypad line
            for (int poll = 0; poll < 3; ++poll)
                FetchMVBData();
            testing::internal::GetCapturedStdout();
            expectRequests(0, c.value);
            ::close(fd);
            fd = -1;
        }
        // The cab's way asks for the privilege (refused here: no port is touched).
        ::setenv("CABDISPLAY_MVB", "ports", 1);
        EXPECT_EQ(2, mue_cch_init(0));
        expectRequests(1, "ports");
    });
}

}  // namespace
