// Access layer over the single frame buffer. Every put and take checks that
// it stays inside the buffer; one that would not fit moves nothing and
// returns mue_status_frame.
#include "MueAccess.h"

#include "MueChannel.h"

unsigned char mue_cch_data_buf[mue_acc_frame_size];
unsigned short mue_cch_data_cnt = 0;
unsigned char* mue_cch_data_ptr = mue_cch_data_buf;

namespace {

void ResetFrame()
{
    mue_cch_data_cnt = 0;
    mue_cch_data_ptr = mue_cch_data_buf;
}

bool Fits(unsigned long count)
{
    return static_cast<unsigned long>(mue_cch_data_ptr - mue_cch_data_buf) + count <= mue_acc_frame_size;
}

void Put(unsigned char value)
{
    *mue_cch_data_ptr++ = value;
    ++mue_cch_data_cnt;
}

unsigned char Take()
{
    ++mue_cch_data_cnt;
    return *mue_cch_data_ptr++;
}

// Bytes that a length in bytes covers as whole 16-bit words (offsets 0, 2, 4 ... below it).
unsigned long WordBytes(unsigned short length)
{
    return 2ul * ((length + 1ul) / 2);
}

}  // namespace

int mue_acc_init(unsigned char* p_bus_ctrl)
{
    ResetFrame();
    return mue_cch_init(*p_bus_ctrl);
}

int mue_acc_close(unsigned char* p_bus_ctrl)
{
    ResetFrame();
    return mue_cch_close(*p_bus_ctrl);
}

int mue_acc_clean_up(unsigned char* p_bus_ctrl)
{
    return mue_cch_clean_up(*p_bus_ctrl);
}

int mue_acc_tx_start(unsigned char*, unsigned short)
{
    ResetFrame();
    return mue_status_ok;
}

int mue_acc_tx_value8(unsigned char*, unsigned char value)
{
    if (!Fits(1))
        return mue_status_frame;
    Put(value);
    return mue_status_ok;
}

int mue_acc_tx_value16(unsigned char*, unsigned short value)
{
    if (!Fits(2))
        return mue_status_frame;
    Put(static_cast<unsigned char>(value >> 8));
    Put(static_cast<unsigned char>(value & 0xFF));
    return mue_status_ok;
}

int mue_acc_tx_array(unsigned char*, unsigned short length, const unsigned short* words)
{
    if (!Fits(WordBytes(length)))
        return mue_status_frame;
    for (unsigned short offset = 0; offset < length; offset += 2) {
        const unsigned short word = words[offset / 2];
        Put(static_cast<unsigned char>(word >> 8));
        Put(static_cast<unsigned char>(word & 0xFF));
    }
    return mue_status_ok;
}

int mue_acc_tx_fill(unsigned char*, unsigned short count)
{
    if (!Fits(count))
        return mue_status_frame;
    for (unsigned short i = 0; i < count; ++i)
        Put(0);
    return mue_status_ok;
}

int mue_acc_tx_trigger(unsigned char* p_bus_ctrl)
{
    return mue_cch_transmit(*p_bus_ctrl, static_cast<unsigned char>(mue_cch_data_cnt & 0xFF), mue_cch_data_buf);
}

int mue_acc_rx_wait(unsigned char* p_bus_ctrl, unsigned short count)
{
    ResetFrame();
    const unsigned char bytes = static_cast<unsigned char>(count & 0xFF);
    if (bytes > mue_acc_frame_size)
        return mue_status_frame;
    return mue_cch_receive(*p_bus_ctrl, bytes, mue_cch_data_buf);
}

int mue_acc_rx_value8(unsigned char*, unsigned char* value)
{
    if (!Fits(1))
        return mue_status_frame;
    *value = Take();
    return mue_status_ok;
}

int mue_acc_rx_value16(unsigned char*, unsigned short* value)
{
    if (!Fits(2))
        return mue_status_frame;
    const unsigned char high = Take();
    const unsigned char low = Take();
    *value = static_cast<unsigned short>(high << 8 | low);
    return mue_status_ok;
}

int mue_acc_rx_array(unsigned char*, unsigned short length, unsigned short* words)
{
    if (!Fits(WordBytes(length)))
        return mue_status_frame;
    for (unsigned short offset = 0; offset < length; offset += 2) {
        const unsigned char high = Take();
        const unsigned char low = Take();
        words[offset / 2] = static_cast<unsigned short>(high << 8 | low);
    }
    return mue_status_ok;
}

int mue_acc_rx_fill(unsigned char*, unsigned short count)
{
    if (!Fits(count))
        return mue_status_frame;
    mue_cch_data_ptr += count;
    mue_cch_data_cnt = static_cast<unsigned short>(mue_cch_data_cnt + count);
    return mue_status_ok;
}

int mue_acc_rx_ignore(unsigned char*, unsigned short)
{
    return mue_status_ok;
}

int mue_acc_rx_close(unsigned char*)
{
    return mue_status_ok;
}
