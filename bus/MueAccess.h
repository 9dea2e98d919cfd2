// Access layer: one command frame built in a single buffer, sent through the
// channel, and the reply received into the same buffer and taken apart field
// by field. 16-bit values travel high byte first.
#ifndef CABDISPLAY_BUS_MUEACCESS_H
#define CABDISPLAY_BUS_MUEACCESS_H

// Driver status codes.
const int mue_status_ok = 0;
const int mue_status_no_access = 2;      // I/O access refused, or the device check failed
const int mue_status_frame = 4;          // a field would not fit the 35-byte frame: nothing put or taken
const int mue_status_tx_timeout = 6;
const int mue_status_rx_timeout = 8;

const unsigned short mue_acc_frame_size = 35;

extern unsigned char mue_cch_data_buf[mue_acc_frame_size];
extern unsigned short mue_cch_data_cnt;       // bytes put, or taken and skipped, since the reset
extern unsigned char* mue_cch_data_ptr;       // next byte to put or take

int mue_acc_init(unsigned char* p_bus_ctrl);
int mue_acc_close(unsigned char* p_bus_ctrl);
int mue_acc_clean_up(unsigned char* p_bus_ctrl);

int mue_acc_tx_start(unsigned char* p_bus_ctrl, unsigned short size);
int mue_acc_tx_value8(unsigned char* p_bus_ctrl, unsigned char value);
int mue_acc_tx_value16(unsigned char* p_bus_ctrl, unsigned short value);
int mue_acc_tx_array(unsigned char* p_bus_ctrl, unsigned short length, const unsigned short* words);
int mue_acc_tx_fill(unsigned char* p_bus_ctrl, unsigned short count);
int mue_acc_tx_trigger(unsigned char* p_bus_ctrl);

int mue_acc_rx_wait(unsigned char* p_bus_ctrl, unsigned short count);
int mue_acc_rx_value8(unsigned char* p_bus_ctrl, unsigned char* value);
int mue_acc_rx_value16(unsigned char* p_bus_ctrl, unsigned short* value);
int mue_acc_rx_array(unsigned char* p_bus_ctrl, unsigned short length, unsigned short* words);
int mue_acc_rx_fill(unsigned char* p_bus_ctrl, unsigned short count);
int mue_acc_rx_ignore(unsigned char* p_bus_ctrl, unsigned short count);
int mue_acc_rx_close(unsigned char* p_bus_ctrl);

#endif
