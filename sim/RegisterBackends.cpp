// The socket link to mvbsim and the model inside the program, as register
// operations of the bus driver.
#include "RegisterBackends.h"

#include "MueDevice.h"
#include "RegisterAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sched.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

namespace mue_sim {

namespace {

const unsigned short kRegData = 0x4F8;
const unsigned short kRegStat = 0x4FD;
const unsigned char kStatTxReady = 0x60;
const unsigned char kStatRxReady = 0x01;
const unsigned char kNoByte = 0xFF;

// --- Unix socket to a device model in another process ---
// Written bytes are collected and a command frame leaves in one send as soon
// as it is complete (the frame lengths of the MUE protocol); other bytes, such
// as the clean-up's zeros, leave at the next register read. The status
// register reads 0x60 while the link takes bytes, with bit 0 while a
// received byte waits unread, and 0x00 once the device has closed the link.
// A wait polls the socket; on a closed link it ends at once. The link is
// opened again on request, to the same path.

struct SocketLink {
    std::string path;
    int fd = -1;
    bool lost = false;  // the device closed the link, or it failed
    unsigned char in[4096];
    std::size_t inHead = 0, inTail = 0;
    unsigned char out[4096];
    std::size_t outCount = 0;
    bool outBlocked = false;        // the device stopped taking bytes
    std::size_t frameExpected = 0;  // length of the command being written; 0 between commands
    std::size_t frameBytes = 0;
};

SocketLink link;

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

int Connect(const std::string& path)
{
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void CloseSocket()
{
    if (link.fd >= 0)
        ::close(link.fd);
    link = SocketLink();
}

int OpenSocket(const char* path)
{
    CloseSocket();
    StayOnThisProcessor();
    const int fd = Connect(path);
    if (fd < 0)
        return 2;
    link.path = path;
    link.fd = fd;
    return 0;
}

bool ReopenSocket()
{
    if (!link.lost)
        return false;
    const int fd = Connect(link.path);
    if (fd < 0)
        return false;
    const std::string path = link.path;
    CloseSocket();
    link.path = path;
    link.fd = fd;
    return true;
}

void FlushOut()
{
    std::size_t sent = 0;
    while (sent < link.outCount && !link.lost) {
        const ssize_t n = ::send(link.fd, link.out + sent, link.outCount - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0)
            sent += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        else
            link.lost = true;
    }
    std::memmove(link.out, link.out + sent, link.outCount - sent);
    link.outCount -= sent;
    link.outBlocked = link.outCount > 0 && !link.lost;
}

// Takes what the device has sent, without waiting.
void FillIn()
{
    if (link.lost)
        return;
    if (link.inHead == link.inTail)
        link.inHead = link.inTail = 0;
    if (link.inTail == sizeof link.in)
        return;
    const ssize_t n = ::recv(link.fd, link.in + link.inTail, sizeof link.in - link.inTail, MSG_DONTWAIT);
    if (n > 0)
        link.inTail += static_cast<std::size_t>(n);
    else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        link.lost = true;
}

bool InWaiting()
{
    return link.inHead != link.inTail;
}

unsigned char SocketStatus()
{
    if (link.outCount)
        FlushOut();
    if (!InWaiting())
        FillIn();
    if (link.lost)
        return 0x00;
    const unsigned char tx = link.outBlocked ? 0x00 : kStatTxReady;
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
    if (!InWaiting())
        FillIn();
    return InWaiting() ? link.in[link.inHead++] : kNoByte;
}

// Follows the command frames being written, to send each one whole.
void TrackFrame(unsigned char value)
{
    if (link.frameExpected == 0) {
        link.frameExpected = CommandLength(value);
        link.frameBytes = 0;
        if (link.frameExpected == 0)
            return;
    }
    if (++link.frameBytes < link.frameExpected)
        return;
    link.frameExpected = 0;
    FlushOut();
}

void SocketOut(unsigned char value, unsigned short port)
{
    if (port != kRegData || link.lost)
        return;
    if (link.outCount == sizeof link.out)
        FlushOut();
    if (link.outCount < sizeof link.out)
        link.out[link.outCount++] = value;
    TrackFrame(value);
}

// A wait on the socket ends as soon as the device's bytes come, so it is
// never shorter than a millisecond: the channel's first, short pauses are
// for links that can only sleep, and here would only cost wake-ups.
const long kShortestSocketWaitUs = 1000;

bool SocketWait(unsigned char mask, long microseconds)
{
    if (link.lost)
        return false;
    microseconds = std::max(microseconds, kShortestSocketWaitUs);
    short events = 0;
    if ((mask & kStatRxReady) && !InWaiting())
        events |= POLLIN;
    if ((mask & kStatTxReady) && link.outBlocked)
        events |= POLLOUT;
    if (events == 0)
        return true;  // the status shows it already
    pollfd p = {link.fd, events, 0};
    const timespec pause = {static_cast<time_t>(microseconds / 1000000), (microseconds % 1000000) * 1000};
    if (::ppoll(&p, 1, &pause, nullptr) > 0) {
        if (p.revents & POLLOUT)
            FlushOut();
        if (p.revents & (POLLIN | POLLHUP | POLLERR))
            FillIn();
    }
    return !link.lost;
}

const reg_ops kSocketOps = {&OpenSocket, &CloseSocket, &SocketIn, &SocketOut, &SocketWait, &ReopenSocket};

// --- the device model in this process ---

int OpenModel(const char*) { return 0; }
void CloseModel() {}

unsigned char ModelIn(unsigned short port)
{
    MueDevice& device = InProcessDevice();
    if (port == kRegStat)
        return device.ReadStatus();
    return port == kRegData ? device.ReadData() : kNoByte;
}

void ModelOut(unsigned char value, unsigned short port)
{
    if (port == kRegData)
        InProcessDevice().WriteData(value);
}

const reg_ops kModelOps = {&OpenModel, &CloseModel, &ModelIn, &ModelOut, nullptr, nullptr};

}  // namespace

void AddRegisterBackends()
{
    reg_add_backend({"sim:", "sim:PATH", "the device model of mvbsim behind the Unix socket PATH", &kSocketOps});
    reg_add_backend({"model", "model", "the device model inside the program", &kModelOps});
}

}  // namespace mue_sim
