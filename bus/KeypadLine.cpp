// The keypad's serial line: opened once at start (bringing the bus up on the
// way), read without waiting at the end of every bus poll.
#include "KeypadLine.h"

#include "MvbApp.h"
#include "PortTable.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int fd = -1;
struct termios newtio;
unsigned char bufkey[255];
unsigned char KeySelected = 0;

const char* KeypadLinePath()
{
    const char* path = std::getenv("CABDISPLAY_KEYPAD");
    return (path && *path) ? path : "/dev/ttyS1";
}

int Cmain()
{
    const char* path = KeypadLinePath();
    // Opened without blocking: whatever the path names (a FIFO without a
    // writer, a plain file), a read of the poll returns at once.
    fd = ::open(path, O_RDWR | O_NOCTTY | O_NONBLOCK);
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
    if (terminal) {
        ::tcflush(fd, TCIFLUSH);
        if (::tcsetattr(fd, TCSANOW, &newtio) != 0)
            std::printf("%s: line settings not applied: %s\n", path, std::strerror(errno));
    } else {
        std::printf("%s: not a terminal, read without line settings\n", path);
    }
    std::fflush(stdout);
    MVB_Init_list();
    return 0;
}

void ReadKeypadLine()
{
    const ssize_t count = ::read(fd, bufkey, sizeof bufkey);
    (void)count;  // nothing received, or a failed read: bufkey keeps its first byte
    KeySelected = bufkey[0];
}
