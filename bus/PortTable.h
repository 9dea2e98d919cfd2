// The display's MVB process-data ports: configuration of all 120 ports on the
// interface device and the 100 ms poll that moves the port buffers.
#ifndef CABDISPLAY_BUS_PORTTABLE_H
#define CABDISPLAY_BUS_PORTTABLE_H

#include "PortBuffers.h"

#include <ctime>

// One entry of the port table: port address, its buffer (null for the
// ports that are configured and never read) and its size in bytes.
struct MvbPort {
    unsigned short port;
    unsigned short* buffer;
    unsigned short size;
};

const unsigned short mvb_source_port = 301;
const int mvb_config_port_count = 120;
const int mvb_poll_read_count = 107;
extern const MvbPort mvb_config_ports[mvb_config_port_count];  // configuration order
extern const MvbPort mvb_poll_ports[mvb_poll_read_count];      // reads of a poll, in order

// Configuration word of a table entry: source bit for 301, size code, address.
unsigned short mvb_port_config_word(const MvbPort& entry);

// Configures the 120 ports in configuration order (source 301, 119 sinks).
void MVB_Init_list();

// One poll: write 301, read the 106 sinks (107 reads), then read the keypad
// line. The exchanges of one poll have mvb_poll_budget_ms in all, so a device
// that answers late does not hold the display for seconds:
// - a poll that spends its budget while the device answers ends there; the
//   next poll writes 301 first and goes on reading where this one stopped,
//   round the list (107 reads at most); a device that answers each command
//   5 ms late has every port read within two polls;
// - a poll in which the device answers nothing within the budget, or an
//   exchange fails with budget left (a transfer's own time-out, a link that
//   is gone), fails, with the time-out line once. The following polls leave
//   the bus alone (the keypad is still read) and try it again once every
//   mvb_poll_retry_seconds, from a clean frame and the top of the list;
//   while reply bytes are still owed a retry writes 301 and reads nothing.
void FetchMVBData();
const long mvb_poll_retry_seconds = 5;
// Far above a healthy poll (about 1.4 ms over the socket link, some 8 ms of
// port accesses on the cab), far below one transfer's time-out (3 to 4 s).
const long mvb_poll_budget_ms = 500;
extern bool mvb_poll_paused;        // the last poll that tried the bus failed
extern time_t mvb_poll_pause_start; // channel clock reading when it did
extern int mvb_poll_next_read;      // the read (index into mvb_poll_ports) the next poll starts at
void readMVBData();
// The port exchanges of one poll, in poll order.
void read_mvb_vars();
// mvb_read_port, then every word of the buffer has its bytes exchanged.
void mvb_read_port_swap(unsigned short port, int size, unsigned short* buffer);

#endif
