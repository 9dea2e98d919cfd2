// The cab keypad's serial line: one byte per key.
#ifndef CABDISPLAY_BUS_KEYPADLINE_H
#define CABDISPLAY_BUS_KEYPADLINE_H

#include <termios.h>

extern int fd;                    // descriptor of the open keypad line; -1 while it is lost
extern struct termios newtio;     // line settings applied by Cmain
extern unsigned char bufkey[255]; // receive buffer of the poll's key read
// The pending key: the first key byte received and not yet handed on; 0 = none.
// The key bytes received after it wait behind it, in order.
extern unsigned char KeySelected;

// Key bytes that can wait, KeySelected included; a byte received beyond them
// is dropped, so a keypad stuck on a key cannot flood the display.
const int keypad_queue_size = 16;
// A line that was lost is opened again this often (monotonic milliseconds,
// on a clock that tests may replace).
const long keypad_reopen_ms = 2000;
extern long long (*keypad_clock_ms)();

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

// The poll's key read: up to 255 bytes without waiting, each key byte (0 is
// none) queued behind KeySelected. A line whose other side has closed, or
// that fails, is closed with a line saying so and opened again every
// keypad_reopen_ms, with a line once it is back.
void ReadKeypadLine();

// Hands on the pending key: returns KeySelected (0 when none) and moves the
// next waiting byte into it.
unsigned char TakeKeySelected();
// Forgets every pending key.
void DropPendingKeys();

#endif
