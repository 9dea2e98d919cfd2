// Access to the MVB interface device's two registers. One backend is chosen
// from CABDISPLAY_MVB each time the channel is opened:
//   ports     the cab computer: raised I/O privilege and x86 port I/O
//   sim:PATH  a device model in another process, over a Unix stream socket
//   (unset or empty) the device model inside this process
// Any other value prints one error line and ends the program with status 2.
#ifndef CABDISPLAY_BUS_REGISTERACCESS_H
#define CABDISPLAY_BUS_REGISTERACCESS_H

#include <cstddef>

enum reg_backend {
    reg_backend_closed,      // not opened, or opening failed: no register is touched
    reg_backend_ports,
    reg_backend_socket,
    reg_backend_in_process,
    reg_backend_hooks,       // registers played by a test
};

// Opens the backend named by CABDISPLAY_MVB (closing any open one first).
// Returns 0, or 2 when the I/O privilege is refused, the socket cannot be
// connected, or port I/O is not available on this machine.
int reg_open();
// Drops the link; registers are not touched again until the next reg_open.
void reg_close();
reg_backend reg_current();
// Socket link: reply bytes still owed for the last command sent, which a
// status read waits for (about a millisecond each); 0 on other backends.
std::size_t reg_socket_reply_owed();

// Tests: while hooks are installed, reg_open takes them in place of the
// backend named by CABDISPLAY_MVB. Null hooks remove them.
typedef unsigned char (*reg_in_hook)(unsigned short port);
typedef void (*reg_out_hook)(unsigned char value, unsigned short port);
void reg_install_hooks(reg_in_hook in, reg_out_hook out);

// One byte from / to a register (only the data and status registers exist).
unsigned char reg_in(unsigned short port);
void reg_out(unsigned char value, unsigned short port);

#endif
