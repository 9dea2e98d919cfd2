// Character channel to the MVB interface device: bytes through the data
// register, readiness from the status register, waits bounded by a time-out.
//
// The reply stream is kept in step: a reply given up (a receive that timed
// out) is owed in full, added to what earlier ones owe, and its bytes are
// dropped as they come, before they could be taken for the reply to a later
// command. A wait never spins: between two looks at the status register it
// sleeps, or polls the link's descriptor.
#ifndef CABDISPLAY_BUS_MUECHANNEL_H
#define CABDISPLAY_BUS_MUECHANNEL_H

#include <ctime>

const unsigned short cch_reg_data = 0x4F8;        // data register: one byte per access
const unsigned short cch_reg_stat = 0x4FD;        // status register, read only
const unsigned char cch_reg_stat_txready = 0x60;  // device takes bytes: bits 5 and 6
const unsigned char cch_reg_stat_rxready = 0x01;  // reply bytes waiting: bit 0

// Wall-clock second at which the current wait began.
extern time_t cch_time_start;
// The clock of the time-out rule; the C library's time unless a test replaces it.
extern time_t (*cch_clock)(time_t*);

// A budget over several transfers (the bus poll's): while one runs, a wait
// also ends once the budget is spent (without the time-out line), so a
// device that answers every command late cannot hold the caller for more
// than the budget. Kept on a monotonic millisecond clock, which tests may
// replace.
extern long long (*cch_clock_ms)();
void cch_budget_start(long milliseconds);
// Ends the budget. A caller whose exchanges failed in it says so: the
// time-out line, unless a wait in the budget printed it already.
void cch_budget_end(bool failed);
// True while a budget runs and its time is spent.
bool cch_budget_spent();

// Reply bytes owed by replies given up and not yet come.
unsigned long cch_reply_owed();
// Brings the reply stream back in step before a new series of exchanges:
// waits for the owed bytes (by the time-out rule and the budget) and drops
// them. Owed bytes of which none came over two such waits in a row are
// taken as lost and forgotten. True when nothing is owed any more.
bool cch_reply_in_step(unsigned char bus_id);
// A link that was lost is opened again (its reply stream starts empty);
// true when it was.
bool cch_reopen_lost(unsigned char bus_id);

// Raises the I/O access (register backend) ; 0, or 2 when refused. Until it
// has succeeded every transfer returns 2 without touching a register.
int mue_cch_init(unsigned char bus_id);
int mue_cch_close(unsigned char bus_id);
// 35 zero bytes to the data register, without any ready test.
int mue_cch_clean_up(unsigned char bus_id);
// 0, 6 (device not ready to take bytes) or 2 (no access). Owed reply bytes
// that are waiting are dropped first.
int mue_cch_transmit(unsigned char bus_id, unsigned char count, const unsigned char* bytes);
// 0, 8 (no reply byte ready) or 2 (no access). Owed bytes that come first are
// dropped; on a time-out this reply's count is owed too.
int mue_cch_receive(unsigned char bus_id, unsigned char count, unsigned char* bytes);

// Support functions.
unsigned char inb(unsigned short port);
void outb(unsigned char value, unsigned short port);
void cch_put_data8(unsigned char bus_id, unsigned short count, const unsigned char* bytes);
void cch_get_data8(unsigned char bus_id, unsigned short count, unsigned char* bytes);
bool cch_reg_stat_ready(unsigned char bus_id, unsigned char mask);
void cch_timeout_start(unsigned char bus_id);
bool cch_timeout_expired(unsigned char bus_id);

#endif
