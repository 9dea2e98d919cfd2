// MVB application layer: bringing the interface device up, setting up a
// process-data port, reading a sink port, writing a source port, stopping.
#ifndef CABDISPLAY_BUS_MVBAPP_H
#define CABDISPLAY_BUS_MVBAPP_H

extern unsigned char bus_id;
extern unsigned char* p_bus_ctrl;
extern unsigned short usdc;                  // the display's device configuration (0xD099 once up)
extern unsigned short sv_device_config;
extern unsigned short sv_device_config_put;  // device check: value written
extern unsigned short sv_device_config_get;  // device check: value read back
extern unsigned short uspc;                  // port configuration word being sent
extern unsigned short pd_port_address;
extern unsigned char pd_port_status;         // status byte of the last port read
extern unsigned short pd_port_freshness;     // freshness word of the last port read
extern int mvb_error;                        // 1 after a failed port read or write
extern int mvb_status;                       // status of the last port read or write

const unsigned short mvb_device_address = 153;
const unsigned short mvb_check_value = 0x3F3F;
const unsigned short mvb_check_answer = 0x1F3F;

// 0, or 1 when sending the final device configuration failed.
int init_mvb_app();
int stop_mvb_app();
int mue_app_init_device(unsigned char* p_bus_ctrl);
int mue_app_init_port(unsigned char* p_bus_ctrl, unsigned short config);
int mue_app_stop();

// Size code of a port size in bytes; -1 above 32.
int fc_from_portsize(int size);
// Reads a sink port and exchanges the bytes of every word of the buffer;
// a size the command refuses (odd, or above 32) leaves the buffer untouched.
void mvb_read_port(unsigned short port, unsigned short size, unsigned short* buffer);
int mvb_write_port(unsigned short port, unsigned short size, const unsigned short* buffer);

// The two bytes of a word exchanged.
unsigned short NIBBLESET(unsigned short value);
// value / 16.
unsigned short PORT_DATA_ARRAY(unsigned short value);

#endif
