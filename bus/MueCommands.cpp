// The eight MUE commands. Each step runs only while the earlier ones returned
// 0; the first non-zero status is the command's result.
#include "MueCommands.h"

#include "MueAccess.h"

namespace {

// A command whose frame is its letter and one 16-bit field, with no reply.
int PutWord(unsigned char* bus, unsigned char letter, unsigned short size_tx, unsigned short word)
{
    int st = mue_acc_tx_start(bus, size_tx);
    if (!st) st = mue_acc_tx_value8(bus, letter);
    if (!st) st = mue_acc_tx_value16(bus, word);
    if (!st) st = mue_acc_tx_trigger(bus);
    if (!st) st = mue_acc_rx_wait(bus, 0);
    if (!st) st = mue_acc_rx_close(bus);
    return st;
}

// A command whose reply is one 16-bit word; the frame is the letter and,
// when withField, a 16-bit field.
int GetWord(unsigned char* bus, unsigned char letter, unsigned short size_tx, bool withField, unsigned short field,
            unsigned short* word)
{
    int st = mue_acc_tx_start(bus, size_tx);
    if (!st) st = mue_acc_tx_value8(bus, letter);
    if (!st && withField) st = mue_acc_tx_value16(bus, field);
    if (!st) st = mue_acc_tx_trigger(bus);
    if (!st) st = mue_acc_rx_wait(bus, 2);
    if (!st) st = mue_acc_rx_value16(bus, word);
    if (!st) st = mue_acc_rx_close(bus);
    return st;
}

bool SizeFits(unsigned char size)
{
    return size <= mue_pd_full_port_size_max && size % 2 == 0;
}

// With the check flag exactly 1, a status without sink bits means "no data".
bool NoData(unsigned char check, unsigned char status)
{
    return check == 1 && (status & mue_pd_full_port_status_sink_mask) == 0;
}

}  // namespace

int mue_pd_full_put_port_config(unsigned char* bus, unsigned short config)
{
    return PutWord(bus, mue_pd_command_put_port_config, mue_pd_full_size_tx_put_port_config, config);
}

int mue_pd_full_get_port_config(unsigned char* bus, unsigned short port, unsigned short* config)
{
    return GetWord(bus, mue_pd_command_get_port_config, mue_pd_full_size_tx_get_port_config, true, port, config);
}

int mue_pd_full_put_port_data(unsigned char* bus, unsigned short port, unsigned char size, const unsigned short* data)
{
    if (!SizeFits(size))
        return mue_status_frame;
    int st = mue_acc_tx_start(bus, mue_pd_full_size_tx_put_port_data);
    if (!st) st = mue_acc_tx_value8(bus, mue_pd_command_put_port_data);
    if (!st) st = mue_acc_tx_value16(bus, port);
    if (!st) st = mue_acc_tx_array(bus, size, data);
    if (!st) st = mue_acc_tx_fill(bus, static_cast<unsigned short>(mue_pd_full_port_size_max - size));
    if (!st) st = mue_acc_tx_trigger(bus);
    if (!st) st = mue_acc_rx_wait(bus, mue_pd_full_size_rx_put_port_data);
    if (!st) st = mue_acc_rx_close(bus);
    return st;
}

int mue_pd_full_get_port_data(unsigned char* bus, unsigned short port, unsigned char check, unsigned char size,
                              unsigned char* status, unsigned short* data, unsigned short* freshness)
{
    if (!SizeFits(size))
        return mue_status_frame;
    int st = mue_acc_tx_start(bus, mue_pd_full_size_tx_get_port_data);
    if (!st) st = mue_acc_tx_value8(bus, mue_pd_command_get_port_data);
    if (!st) st = mue_acc_tx_value16(bus, port);
    if (!st) st = mue_acc_tx_trigger(bus);
    if (!st) st = mue_acc_rx_wait(bus, mue_pd_full_size_rx_get_port_data);
    if (!st) st = mue_acc_rx_value8(bus, status);
    if (st || NoData(check, *status))
        return st;
    st = mue_acc_rx_array(bus, size, data);
    if (!st && freshness) {
        st = mue_acc_rx_fill(bus, static_cast<unsigned short>(mue_pd_full_port_size_max - size));
        if (!st) st = mue_acc_rx_value16(bus, freshness);
    }
    if (!st) st = mue_acc_rx_close(bus);
    return st;
}

int mue_sv_put_device_config(unsigned char* bus, unsigned short config)
{
    return PutWord(bus, mue_sv_command_put_device_config, mue_sv_size_tx_put_device_config, config);
}

int mue_sv_get_device_config(unsigned char* bus, unsigned short* config)
{
    return GetWord(bus, mue_sv_command_get_device_config, mue_sv_size_tx_get_device_config, false, 0, config);
}

int mue_sv_put_ba_config(unsigned char* bus, unsigned short config)
{
    return PutWord(bus, mue_sv_command_put_ba_config, mue_sv_size_tx_put_ba_config, config);
}

int mue_sv_get_device_status(unsigned char* bus, unsigned short argument, unsigned char check, unsigned char* status,
                             unsigned short* device_status, unsigned short* freshness)
{
    int st = mue_acc_tx_start(bus, mue_sv_size_tx_get_device_status);
    if (!st) st = mue_acc_tx_value8(bus, mue_sv_command_get_device_status);
    if (!st) st = mue_acc_tx_value16(bus, argument);
    if (!st) st = mue_acc_tx_trigger(bus);
    if (!st) st = mue_acc_rx_wait(bus, mue_sv_size_rx_get_device_status);
    if (!st) st = mue_acc_rx_value8(bus, status);
    if (st || NoData(check, *status))
        return st;
    st = mue_acc_rx_value16(bus, device_status);
    if (!st && freshness) st = mue_acc_rx_value16(bus, freshness);
    if (!st) st = mue_acc_rx_close(bus);
    return st;
}
