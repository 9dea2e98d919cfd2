// The display's MVB process-data ports: configuration of all 120 ports on the
// interface device and the 100 ms poll that moves the port buffers.
#ifndef CABDISPLAY_BUS_PORTTABLE_H
#define CABDISPLAY_BUS_PORTTABLE_H

#include "PortBuffers.h"

// Configures the 120 ports in configuration order (source 301, 119 sinks).
void MVB_Init_list();

// One poll: write 301, read the 106 sinks (107 reads), then read the keypad line.
void FetchMVBData();
void readMVBData();
// The port exchanges of one poll, in poll order.
void read_mvb_vars();
// mvb_read_port, then every word of the buffer has its bytes exchanged.
void mvb_read_port_swap(unsigned short port, int size, unsigned short* buffer);

#endif
