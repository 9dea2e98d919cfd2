// The three register backends.
#include "RegisterAccess.h"

#include "MueDevice.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#if defined(__linux__) && (defined(__i386__) || defined(__x86_64__))
#include <sys/io.h>
#define CABDISPLAY_HAVE_PORT_IO 1
#endif

namespace {

const unsigned short kRegData = 0x4F8;
const unsigned short kRegStat = 0x4FD;
const unsigned char kStatOpen = 0x60;      // link up: the device takes bytes
const unsigned char kStatRxReady = 0x01;
const unsigned char kNoByte = 0xFF;
const char kVariable[] = "CABDISPLAY_MVB";

reg_backend backend = reg_backend_closed;
reg_in_hook hookIn = nullptr;
reg_out_hook hookOut = nullptr;

// --- x86 I/O ports ---

int OpenPorts()
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    return iopl(3) == 0 ? 0 : 2;
#else
    return 2;
#endif
}

unsigned char PortIn(unsigned short port)
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    return inb(port);
#else
    (void)port;
    return kNoByte;
#endif
}

void PortOut(unsigned char value, unsigned short port)
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    outb(value, port);
#else
    (void)value;
    (void)port;
#endif
}

// --- Unix socket to a device model ---
// Written bytes are collected and a command frame leaves in one send as soon
// as it is complete (the frame lengths of the MUE protocol); other bytes, such
// as the clean-up's zeros, leave at the next register read. The link waits
// for the device's bytes (in poll() rather than spinning) only while the
// reply to the last command is owed, so an exchange costs a send, a poll and
// a receive. Replies to earlier commands that never came are looked for once
// per command, without waiting, so that a late one is still seen and dropped
// but a lost one does not slow every later exchange. The status register
// reads 0x60 while the link is open, with bit 0 while a received byte waits
// unread, and 0x00 once the device has closed it.

struct SocketLink {
    int fd = -1;
    bool peerClosed = false;
    unsigned char in[4096];
    std::size_t inHead = 0, inTail = 0;
    unsigned char out[4096];
    std::size_t outCount = 0;
    bool outBlocked = false;        // the device stopped taking bytes
    std::size_t frameExpected = 0;  // length of the command being written; 0 between commands
    std::size_t frameBytes = 0;
    unsigned char frameLetter = 0;
    std::size_t owed = 0;           // reply bytes the device still owes for the last command
    std::size_t stale = 0;          // reply bytes of earlier commands not yet received
    bool staleLookedFor = false;    // looked for them since the last command was sent
};

SocketLink link;

const int kReplyWaitMs = 1;   // one status read waits this long for a reply
const int kBurstWaitMs = 50;  // the rest of a reply once its first byte was seen

void CloseSocket()
{
    if (link.fd >= 0)
        ::close(link.fd);
    link = SocketLink();
}

// The display and the device model exchange a few bytes a hundred times a
// poll; on one processor each exchange is a plain switch between the two,
// across processors every hand-over costs a wake-up of the other one. The
// display stays on the processor it runs on (mvbsim joins it there).
void StayOnThisProcessor()
{
#ifdef __linux__
    const int cpu = ::sched_getcpu();
    if (cpu < 0)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(cpu, &one);
    ::sched_setaffinity(0, sizeof one, &one);
#endif
}

int OpenSocket(const std::string& path)
{
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return 2;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return 2;
    StayOnThisProcessor();
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return 2;
    }
    link = SocketLink();
    link.fd = fd;
    return 0;
}

void FlushOut()
{
    std::size_t sent = 0;
    while (sent < link.outCount && !link.peerClosed) {
        ssize_t n = ::send(link.fd, link.out + sent, link.outCount - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            link.peerClosed = true;
        }
    }
    std::memmove(link.out, link.out + sent, link.outCount - sent);
    link.outCount -= sent;
    link.outBlocked = link.outCount > 0 && !link.peerClosed;
}

// Takes what the device has sent, waiting up to waitMs for it.
void FillIn(int waitMs)
{
    if (link.peerClosed)
        return;
    if (link.inHead == link.inTail)
        link.inHead = link.inTail = 0;
    if (link.inTail == sizeof link.in)
        return;
    pollfd p = {link.fd, POLLIN, 0};
    if (::poll(&p, 1, waitMs) <= 0)
        return;
    ssize_t n = ::recv(link.fd, link.in + link.inTail, sizeof link.in - link.inTail, MSG_DONTWAIT);
    if (n > 0)
        link.inTail += static_cast<std::size_t>(n);
    else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        link.peerClosed = true;
}

bool InWaiting()
{
    return link.inHead != link.inTail;
}

// Takes what the device has sent when reply bytes are expected: waits up to
// waitMs for the reply to the last command, and only looks (once per command)
// for replies to earlier ones.
void FillOwed(int waitMs)
{
    if (InWaiting())
        return;
    if (link.owed > 0) {
        FillIn(waitMs);
    } else if (link.stale > 0 && !link.staleLookedFor) {
        link.staleLookedFor = true;
        FillIn(0);
    }
}

std::size_t SocketReplyOwed()
{
    return link.owed;
}

// One reply byte taken: the count of the last command first, the byte stream
// carries no mark of which command a byte answers.
void CountTaken()
{
    if (link.owed > 0)
        --link.owed;
    else if (link.stale > 0)
        --link.stale;
}

unsigned char SocketStatus()
{
    if (link.outCount)
        FlushOut();
    FillOwed(kReplyWaitMs);
    if (link.peerClosed)
        return 0x00;
    const unsigned char tx = link.outBlocked ? 0x00 : kStatOpen;
    return InWaiting() ? (tx | kStatRxReady) : tx;
}

unsigned char SocketIn(unsigned short port)
{
    if (port == kRegStat)
        return SocketStatus();
    if (port != kRegData)
        return kNoByte;
    if (link.outCount)
        FlushOut();
    FillOwed(kBurstWaitMs);
    if (!InWaiting())
        return kNoByte;
    CountTaken();
    return link.in[link.inHead++];
}

// Follows the command frames being written, to send each one whole and to
// know how many reply bytes it asks for.
void TrackFrame(unsigned char value)
{
    if (link.frameExpected == 0) {
        link.frameExpected = mue_sim::CommandLength(value);
        link.frameLetter = value;
        link.frameBytes = 0;
        if (link.frameExpected == 0)
            return;
    }
    if (++link.frameBytes < link.frameExpected)
        return;
    link.stale += link.owed;
    link.owed = mue_sim::ReplyLength(link.frameLetter);
    link.staleLookedFor = false;
    link.frameExpected = 0;
    FlushOut();
}

void SocketOut(unsigned char value, unsigned short port)
{
    if (port != kRegData || link.peerClosed)
        return;
    if (link.outCount == sizeof link.out)
        FlushOut();
    if (link.outCount < sizeof link.out)
        link.out[link.outCount++] = value;
    TrackFrame(value);
}

// --- the device model in this process ---

unsigned char DeviceIn(unsigned short port)
{
    mue_sim::MueDevice& device = mue_sim::InProcessDevice();
    if (port == kRegStat)
        return device.ReadStatus();
    return port == kRegData ? device.ReadData() : kNoByte;
}

void DeviceOut(unsigned char value, unsigned short port)
{
    if (port == kRegData)
        mue_sim::InProcessDevice().WriteData(value);
}

}  // namespace

int reg_open()
{
    reg_close();
    if (hookIn && hookOut) {
        backend = reg_backend_hooks;
        return 0;
    }
    const char* value = std::getenv(kVariable);
    const std::string choice = value ? value : "";
    int status = 0;
    reg_backend chosen = reg_backend_closed;
    if (choice.empty()) {
        chosen = reg_backend_in_process;
    } else if (choice == "ports") {
        chosen = reg_backend_ports;
        status = OpenPorts();
    } else if (choice.compare(0, 4, "sim:") == 0) {
        chosen = reg_backend_socket;
        status = OpenSocket(choice.substr(4));
    } else {
        std::fprintf(stderr, "%s=\"%s\" is not understood: use \"ports\", \"sim:PATH\" or leave it unset\n",
                     kVariable, choice.c_str());
        std::exit(2);
    }
    backend = status == 0 ? chosen : reg_backend_closed;
    return status;
}

void reg_install_hooks(reg_in_hook in, reg_out_hook out)
{
    reg_close();
    hookIn = in;
    hookOut = out;
}

void reg_close()
{
    if (backend == reg_backend_socket)
        CloseSocket();
    backend = reg_backend_closed;
}

reg_backend reg_current()
{
    return backend;
}

std::size_t reg_socket_reply_owed()
{
    return backend == reg_backend_socket ? SocketReplyOwed() : 0;
}

unsigned char reg_in(unsigned short port)
{
    switch (backend) {
    case reg_backend_ports: return PortIn(port);
    case reg_backend_socket: return SocketIn(port);
    case reg_backend_in_process: return DeviceIn(port);
    case reg_backend_hooks: return hookIn(port);
    case reg_backend_closed: break;
    }
    return kNoByte;
}

void reg_out(unsigned char value, unsigned short port)
{
    switch (backend) {
    case reg_backend_ports: PortOut(value, port); break;
    case reg_backend_socket: SocketOut(value, port); break;
    case reg_backend_in_process: DeviceOut(value, port); break;
    case reg_backend_hooks: hookOut(value, port); break;
    case reg_backend_closed: break;
    }
}
