// The cab keypad's serial line: one byte per key.
#ifndef CABDISPLAY_BUS_KEYPADLINE_H
#define CABDISPLAY_BUS_KEYPADLINE_H

#include <termios.h>

extern int fd;                    // descriptor of the open keypad line
extern struct termios newtio;     // line settings applied by Cmain
extern unsigned char bufkey[255]; // receive buffer of the poll's key read
extern unsigned char KeySelected; // pending key: first byte of bufkey after the last poll; 0 = none

// The keypad line's device file: $CABDISPLAY_KEYPAD when set and not empty,
// else "/dev/ttyS1".
const char* KeypadLinePath();

// Opens and configures the keypad line ("/dev/ttyS1", or $CABDISPLAY_KEYPAD),
// brings up the MVB interface device and configures the bus ports. Returns 0;
// a line that cannot be opened ends the program with status 255,
// after the error line naming the path, before the bus device is touched.
// The line is opened without blocking, so no read ever waits. A terminal gets
// the line settings (4800 baud, 8N1, RTS/CTS, raw; a line naming the path
// when they are refused); anything else is read as it is, after a line
// saying so.
int Cmain();

// The poll's key read: up to 255 bytes without waiting; KeySelected = bufkey[0].
void ReadKeypadLine();

#endif
