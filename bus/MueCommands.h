// MUE process-data commands (port configuration and data) and supervisor
// commands (device configuration, bus administrator, device status): one
// frame out and, for the reading commands, one reply of fixed length.
#ifndef CABDISPLAY_BUS_MUECOMMANDS_H
#define CABDISPLAY_BUS_MUECOMMANDS_H

// Port configuration word.
const unsigned short mue_pd_full_port_config_src = 0x8000;
const unsigned short mue_pd_full_port_config_fc_mask = 0x7000;
const unsigned short mue_pd_full_port_config_fc0 = 0x0000;  // 2 bytes
const unsigned short mue_pd_full_port_config_fc1 = 0x1000;  // 4 bytes
const unsigned short mue_pd_full_port_config_fc2 = 0x2000;  // 8 bytes
const unsigned short mue_pd_full_port_config_fc3 = 0x3000;  // 16 bytes
const unsigned short mue_pd_full_port_config_fc4 = 0x4000;  // 32 bytes
const unsigned short mue_pd_full_port_config_la_mask = 0x0FFF;
const unsigned short mue_pd_full_port_number_max = 4096;
const unsigned short mue_pd_full_port_size_max = 32;

// Port status byte.
const unsigned char mue_pd_full_port_status_sink_a = 0x80;
const unsigned char mue_pd_full_port_status_sink_b = 0x40;
const unsigned char mue_pd_full_port_status_sink_mask = 0xC0;
const unsigned char mue_sv_port_status_sink_a = 0x80;
const unsigned char mue_sv_port_status_sink_b = 0x40;
const unsigned char mue_sv_port_status_sink_mask = 0xC0;

// Device configuration word.
const unsigned short mue_sv_device_config_line_a = 0x8000;
const unsigned short mue_sv_device_config_line_b = 0x4000;
const unsigned short mue_sv_device_config_line_mask = 0xC000;
const unsigned short mue_sv_device_config_ba_en = 0x2000;
const unsigned short mue_sv_device_config_led_dnr = 0x1000;
const unsigned short mue_sv_device_config_da_mask = 0x0FFF;
const unsigned short mue_sv_device_number_max = 4096;

// Command letters and frame lengths (bytes sent, reply bytes).
const unsigned char mue_pd_command_put_port_config = 'H';
const unsigned char mue_pd_command_get_port_config = 'I';
const unsigned char mue_pd_command_put_port_data = 'P';
const unsigned char mue_pd_command_get_port_data = 'G';
const unsigned char mue_sv_command_put_device_config = 'C';
const unsigned char mue_sv_command_get_device_config = 'S';
const unsigned char mue_sv_command_put_ba_config = 'A';
const unsigned char mue_sv_command_get_device_status = 'D';

const unsigned short mue_pd_full_size_tx_put_port_config = 3;
const unsigned short mue_pd_full_size_rx_put_port_config = 0;
const unsigned short mue_pd_full_size_tx_get_port_config = 3;
const unsigned short mue_pd_full_size_rx_get_port_config = 2;
const unsigned short mue_pd_full_size_tx_put_port_data = 35;
const unsigned short mue_pd_full_size_rx_put_port_data = 0;
const unsigned short mue_pd_full_size_tx_get_port_data = 3;
const unsigned short mue_pd_full_size_rx_get_port_data = 35;
const unsigned short mue_sv_size_tx_put_device_config = 3;
const unsigned short mue_sv_size_rx_put_device_config = 0;
const unsigned short mue_sv_size_tx_get_device_config = 1;
const unsigned short mue_sv_size_rx_get_device_config = 2;
const unsigned short mue_sv_size_tx_put_ba_config = 3;
const unsigned short mue_sv_size_rx_put_ba_config = 0;
const unsigned short mue_sv_size_tx_get_device_status = 3;
const unsigned short mue_sv_size_rx_get_device_status = 5;

// Each returns 0, 2, 6 or 8; the port-data commands return 4
// (mue_status_frame) without sending anything for a size that is odd or
// above 32 bytes.
int mue_pd_full_put_port_config(unsigned char* p_bus_ctrl, unsigned short config);
int mue_pd_full_get_port_config(unsigned char* p_bus_ctrl, unsigned short port, unsigned short* config);
int mue_pd_full_put_port_data(unsigned char* p_bus_ctrl, unsigned short port, unsigned char size,
                              const unsigned short* data);
// With check flag 1 and no sink bit in the status, only the status is taken.
// freshness may be null: the rest of the reply is then left untaken.
int mue_pd_full_get_port_data(unsigned char* p_bus_ctrl, unsigned short port, unsigned char check,
                              unsigned char size, unsigned char* status, unsigned short* data,
                              unsigned short* freshness);

int mue_sv_put_device_config(unsigned char* p_bus_ctrl, unsigned short config);
int mue_sv_get_device_config(unsigned char* p_bus_ctrl, unsigned short* config);
int mue_sv_put_ba_config(unsigned char* p_bus_ctrl, unsigned short config);
int mue_sv_get_device_status(unsigned char* p_bus_ctrl, unsigned short argument, unsigned char check,
                             unsigned char* status, unsigned short* device_status, unsigned short* freshness);

#endif
