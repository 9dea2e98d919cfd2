// The keypad's serial line: opened once at start (bringing the bus up on the
// way), read without waiting at the end of every bus poll, opened again when
// it is lost. Key bytes wait in order until the decode tick hands them on.
#include "KeypadLine.h"

#include "MvbApp.h"
#include "PortTable.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

long long MonotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace

int fd = -1;
struct termios newtio;
unsigned char bufkey[255];
unsigned char KeySelected = 0;
long long (*keypad_clock_ms)() = &MonotonicMs;

namespace {

// The key bytes behind KeySelected, oldest first, in a ring.
unsigned char waiting[keypad_queue_size - 1];
int waitingFirst = 0, waitingCount = 0;

std::string linePath;        // the line Cmain opened
bool lineLost = false;       // it was lost and is not open again yet
long long nextOpenAt = 0;    // keypad clock: the next try to open it again

// Opens the line without blocking (whatever the path names, a FIFO without a
// writer or a plain file, a read returns at once); -1 when it cannot be.
int OpenLine(const char* path)
{
    return ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK);
}

// A terminal gets the line settings, after its unread bytes are discarded.
void ApplySettings(int line, const char* path)
{
    ::tcflush(line, TCIFLUSH);
    if (::tcsetattr(line, TCSANOW, &newtio) != 0)
        std::printf("%s: line settings not applied: %s\n", path, std::strerror(errno));
}

void Queue(const unsigned char* bytes, long count)
{
    int dropped = 0;
    for (long i = 0; i < count; ++i) {
        const unsigned char key = bytes[i];
        if (key == 0)
            continue;  // no key
        if (KeySelected == 0)
            KeySelected = key;
        else if (waitingCount < keypad_queue_size - 1)
            waiting[(waitingFirst + waitingCount++) % (keypad_queue_size - 1)] = key;
        else
            ++dropped;
    }
    if (dropped > 0) {
        std::printf("%s: %d key bytes dropped, %d keys waiting\n", linePath.c_str(), dropped, keypad_queue_size);
        std::fflush(stdout);
    }
}

// The other side of a terminal or pipe has gone: it reads as the end of the
// data, as a terminal with nothing waiting does too, so the line is asked.
bool HungUp(int line)
{
    pollfd p = {line, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

void LoseLine(const char* reason)
{
    ::close(fd);
    fd = -1;
    lineLost = true;
    nextOpenAt = keypad_clock_ms() + keypad_reopen_ms;
    std::printf("%s: keypad line lost (%s): opened again every %ld s\n", linePath.c_str(), reason,
                keypad_reopen_ms / 1000);
    std::fflush(stdout);
}

void OpenAgain()
{
    const long long now = keypad_clock_ms();
    if (now < nextOpenAt)
        return;
    nextOpenAt = now + keypad_reopen_ms;
    const int line = OpenLine(linePath.c_str());
    if (line < 0)
        return;
    if (::isatty(line) == 1)
        ApplySettings(line, linePath.c_str());
    fd = line;
    lineLost = false;
    std::printf("%s: keypad line open again\n", linePath.c_str());
    std::fflush(stdout);
}

}  // namespace

const char* KeypadLinePath()
{
    const char* path = std::getenv("CABDISPLAY_KEYPAD");
    return (path && *path) ? path : "/dev/ttyS1";
}

int Cmain()
{
    linePath = KeypadLinePath();
    const char* path = linePath.c_str();
    lineLost = false;
    DropPendingKeys();
    fd = OpenLine(path);
    if (fd < 0) {
        std::perror(path);
        std::exit(-1);
    }
    const bool terminal = ::isatty(fd) == 1;
    if (terminal)
        ::tcgetattr(fd, &newtio);
    std::memset(&newtio, 0, sizeof newtio);
    newtio.c_cflag = B4800 | CS8 | CREAD | CLOCAL | CRTSCTS;
    newtio.c_iflag = IGNPAR;
    init_mvb_app();
    if (terminal)
        ApplySettings(fd, path);
    else
        std::printf("%s: not a terminal, read without line settings\n", path);
    std::fflush(stdout);
    MVB_Init_list();
    return 0;
}

void ReadKeypadLine()
{
    if (fd < 0) {
        if (lineLost)
            OpenAgain();
        return;
    }
    const ssize_t count = ::read(fd, bufkey, sizeof bufkey);
    if (count > 0) {
        Queue(bufkey, count);
    } else if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        LoseLine(std::strerror(errno));
    } else if (count == 0 && HungUp(fd)) {
        LoseLine("closed by the other side");
    }
}

unsigned char TakeKeySelected()
{
    const unsigned char key = KeySelected;
    if (waitingCount > 0) {
        KeySelected = waiting[waitingFirst];
        waitingFirst = (waitingFirst + 1) % (keypad_queue_size - 1);
        --waitingCount;
    } else {
        KeySelected = 0;
    }
    return key;
}

void DropPendingKeys()
{
    KeySelected = 0;
    waitingFirst = waitingCount = 0;
}
