// Application layer of the bus driver.
#include "MvbApp.h"

#include "MueAccess.h"
#include "MueCommands.h"
#include "PortTable.h"

#include <cstdio>

unsigned char bus_id = 0;
unsigned char* p_bus_ctrl = &bus_id;
unsigned short usdc = 0;
unsigned short sv_device_config = 0;
unsigned short sv_device_config_put = 0;
unsigned short sv_device_config_get = 0;
unsigned short uspc = 0;
unsigned short pd_port_address = 0;
unsigned char pd_port_status = 0;
unsigned short pd_port_freshness = 0;
int mvb_error = 0;
int mvb_status = 0;

namespace {

const unsigned short kSwappedAnswer = 0x3F1F;

void PrintCheckValues()
{
    std::printf("       - sv_device_config_put=0x%04X\n", sv_device_config_put);
    std::printf("       - sv_device_config_get=0x%04X\n", sv_device_config_get);
}

// Writes the check value, reads it back and judges the answer.
int CheckDevice(unsigned char* bus)
{
    sv_device_config_put = mvb_check_value;
    sv_device_config_get = mvb_check_value;
    int st = mue_sv_put_device_config(bus, sv_device_config_put);
    if (st) {
        std::printf("ERROR: 1 mue_sv_put_device_config()=%d\n", st);
        std::printf("       - sv_device_config_put=0x%04X\n", sv_device_config_put);
        return st;
    }
    st = mue_sv_get_device_config(bus, &sv_device_config_get);
    if (st) {
        std::printf("ERROR: 2 mue_sv_get_device_config()=%d\n", st);
        std::printf("       - sv_device_config_get=0x%04X\n", sv_device_config_get);
        return st;
    }
    if (sv_device_config_get == mvb_check_answer)
        return mue_status_ok;
    if (sv_device_config_get == kSwappedAnswer) {
        std::printf("ERROR: 3 check MUE endianness\n");
        PrintCheckValues();
        std::printf("       - please check pre-processor definitions 'TCN_LE' and 'MUE_ACC_HW_LE'\n");
    } else {
        std::printf("ERROR: 4 check MUE endianness\n");
        PrintCheckValues();
    }
    return mue_status_no_access;
}

// Every port address configured as a 2-byte sink.
int ResetPorts(unsigned char* bus)
{
    for (unsigned address = 0; address < mue_pd_full_port_number_max; ++address) {
        pd_port_address = static_cast<unsigned short>(address);
        uspc = pd_port_address;
        const int st = mue_pd_full_put_port_config(bus, uspc);
        if (st)
            return st;
    }
    return mue_status_ok;
}

}  // namespace

int mue_app_init_device(unsigned char* bus)
{
    int st = mue_acc_init(bus);
    if (!st) st = mue_acc_clean_up(bus);
    if (!st) st = mue_sv_put_device_config(bus, 0);
    if (!st) st = CheckDevice(bus);
    if (!st) st = ResetPorts(bus);
    std::fflush(stdout);
    return st;
}

int mue_app_init_port(unsigned char* bus, unsigned short config)
{
    static const unsigned short zeros[mue_pd_full_port_size_max / 2] = {};
    int st = mue_pd_full_put_port_config(bus, config);
    if (!st) {
        pd_port_address = config & mue_pd_full_port_config_la_mask;
        st = mue_pd_full_put_port_data(bus, pd_port_address, mue_pd_full_port_size_max, zeros);
    }
    return st;
}

int init_mvb_app()
{
    bus_id = 0;
    p_bus_ctrl = &bus_id;
    if (mue_app_init_device(p_bus_ctrl) == mue_status_ok) {
        std::printf("MVB Initialized.....................\r\n");
        std::fflush(stdout);
        MVB_Init_list();
    }
    usdc = static_cast<unsigned short>(usdc | mue_sv_device_config_line_a | mue_sv_device_config_line_b |
                                       mue_sv_device_config_led_dnr);
    usdc = static_cast<unsigned short>((usdc & ~mue_sv_device_config_da_mask) | mvb_device_address);
    sv_device_config = usdc;
    return mue_sv_put_device_config(p_bus_ctrl, sv_device_config) ? 1 : 0;
}

int mue_app_stop()
{
    return mue_sv_put_device_config(p_bus_ctrl, 0);
}

int stop_mvb_app()
{
    return mue_app_stop() ? 1 : 0;
}

int fc_from_portsize(int size)
{
    static const struct { int upTo; int code; } kCodes[] = {{2, 0}, {4, 1}, {8, 2}, {16, 3}, {32, 4}};
    for (const auto& entry : kCodes)
        if (size <= entry.upTo)
            return entry.code;
    return -1;
}

void mvb_read_port(unsigned short port, unsigned short size, unsigned short* buffer)
{
    mvb_status = mue_pd_full_get_port_data(p_bus_ctrl, port, 0, static_cast<unsigned char>(size & 0xFF),
                                           &pd_port_status, buffer, &pd_port_freshness);
    // A size the command refused says nothing about the caller's buffer,
    // which may be shorter: it is left alone.
    if (mvb_status != mue_status_frame)
        for (unsigned short i = 0; i < size / 2; ++i)
            buffer[i] = NIBBLESET(buffer[i]);
    mvb_error = mvb_status ? 1 : 0;
}

int mvb_write_port(unsigned short port, unsigned short size, const unsigned short* buffer)
{
    mvb_status = mue_pd_full_put_port_data(p_bus_ctrl, port, static_cast<unsigned char>(size & 0xFF), buffer);
    mvb_error = mvb_status ? 1 : 0;
    return mvb_status;
}

unsigned short NIBBLESET(unsigned short value)
{
    return static_cast<unsigned short>(((value << 8) & 0xFFFF) | (value >> 8));
}

unsigned short PORT_DATA_ARRAY(unsigned short value)
{
    return static_cast<unsigned short>((value & 0xFFF0) >> 4);
}
