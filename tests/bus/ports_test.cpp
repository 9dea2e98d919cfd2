// Nothing touches the machine's I/O ports unless CABDISPLAY_MVB names
// "ports": a user program reaches an x86 I/O port only after asking the
// kernel for the I/O privilege (iopl or ioperm), so the start-up and polls
// run under a filter that refuses and counts every such request.
#include "BusFixture.h"
#include "KeypadLine.h"
#include "NewProcess.h"

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

volatile std::sig_atomic_t privilegeRequests = 0;

void OnRequest(int)
{
    ++privilegeRequests;
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
    if (!GuardWorksHere())
        GTEST_SKIP() << "no system call filter here (emulated machine?)";
    testsupport::ExpectPassesInNewProcess([] {
        ASSERT_TRUE(GuardPorts());
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
            EXPECT_EQ(0, privilegeRequests) << c.value;
            ::close(fd);
            fd = -1;
        }
        // The cab's way asks for the privilege (refused here: no port is touched).
        ::setenv("CABDISPLAY_MVB", "ports", 1);
        EXPECT_EQ(2, mue_cch_init(0));
        EXPECT_EQ(1, privilegeRequests);
    });
}

}  // namespace
