// Access to the MVB interface device's two registers. The driver reaches the
// device only through one small table of register operations; CABDISPLAY_MVB
// names the table to use each time the channel is opened:
//   ports     the cab computer: raised I/O privilege and x86 port I/O (here)
//   others    added by the program before the bus comes up (reg_add_backend),
//             such as the device models of sim/ on a bench
// Unset, empty or any name not known ends the program with status 2 and one
// line naming the variable and the values it takes.
#ifndef CABDISPLAY_BUS_REGISTERACCESS_H
#define CABDISPLAY_BUS_REGISTERACCESS_H

// The register operations of one way of reaching the device.
struct reg_ops {
    // Opens the link; the argument is what follows a name that ends in ':'
    // (the PATH of "sim:PATH"), else empty. 0, or 2 when the device cannot
    // be reached.
    int (*open)(const char* argument);
    void (*close)();
    // One byte from / to a register (only the data and status registers exist).
    unsigned char (*in)(unsigned short port);
    void (*out)(unsigned char value, unsigned short port);
    // Waits about `microseconds` for the status to show `mask`, without
    // spinning: sleeps, or polls the link's descriptor (a link that wakes as
    // soon as the device's bytes come may wait up to a millisecond). False
    // when nothing can come any more (the link is gone). Null: a plain sleep.
    bool (*wait)(unsigned char mask, long microseconds);
    // Opens a link that was lost again; true when a new link is up (its
    // reply stream starts empty). Null: the link is never lost.
    bool (*reopen)();
};

// One value of CABDISPLAY_MVB: a whole name ("ports"), or a prefix ending in
// ':' followed by an argument ("sim:" for "sim:PATH"); shown and what say it
// in the error line ("sim:PATH", "the device model behind a Unix socket").
struct reg_backend_entry {
    const char* name;
    const char* shown;
    const char* what;
    const reg_ops* ops;
};

// Adds a way of reaching the device (or replaces the one of the same name).
void reg_add_backend(const reg_backend_entry& entry);

// Ends the program with status 2 and the line naming CABDISPLAY_MVB and its
// values unless the variable names one of the known ways.
void reg_check_choice();

// Opens the way named by CABDISPLAY_MVB (closing any open one first); see
// reg_check_choice. Returns 0, or 2 when the device cannot be reached.
int reg_open();
// Drops the link; registers are not touched again until the next reg_open.
void reg_close();
bool reg_is_open();
// True when the open link had been lost and is up again, with an empty reply
// stream; false when it was not lost or cannot be opened yet.
bool reg_reopen_lost();

// Tests: while hooks are installed, reg_open takes them in place of the way
// named by CABDISPLAY_MVB. Null hooks remove them. A wait hook stands for
// reg_ops::wait (without one, a wait sleeps); registers played on a clock of
// the test's own need not sleep.
typedef unsigned char (*reg_in_hook)(unsigned short port);
typedef void (*reg_out_hook)(unsigned char value, unsigned short port);
typedef bool (*reg_wait_hook)(unsigned char mask, long microseconds);
void reg_install_hooks(reg_in_hook in, reg_out_hook out, reg_wait_hook wait = nullptr);

unsigned char reg_in(unsigned short port);
void reg_out(unsigned char value, unsigned short port);
// See reg_ops::wait.
bool reg_wait(unsigned char mask, long microseconds);

#endif
