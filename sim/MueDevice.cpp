// The MUE device model: command parser and the device's answers.
#include "MueDevice.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace mue_sim {

namespace {

struct CommandShape {
    unsigned char letter;
    std::size_t length;  // bytes received, letter included
    std::size_t reply;   // bytes answered
};

// Every command the device understands, the length of its frame and of its reply.
const CommandShape kCommands[] = {
    {'H', 3, 0},    // put port configuration: config word
    {'I', 3, 2},    // get port configuration: port address -> config word
    {'P', 35, 0},   // put port data: port address, 32 data bytes
    {'G', 3, 35},   // get port data: port address -> status, 32 data bytes, freshness
    {'C', 3, 0},    // put device configuration: config word
    {'S', 1, 2},    // get device configuration -> config word
    {'A', 3, 0},    // put bus-administrator configuration: word
    {'D', 3, 5},    // get device status: word -> status, device status, freshness
};

const unsigned short kBaEnable = 0x2000;      // bus-administrator enable bit
const unsigned char kSinkBothLines = 0xC0;    // port status: received on lines A and B
const unsigned short kFresh = 0x0000;
const unsigned short kNeverRefreshed = 0xFFFF;

}  // namespace

long long MonotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::size_t CommandLength(unsigned char letter)
{
    for (const CommandShape& shape : kCommands)
        if (shape.letter == letter)
            return shape.length;
    return 0;
}

std::size_t ReplyLength(unsigned char letter)
{
    for (const CommandShape& shape : kCommands)
        if (shape.letter == letter)
            return shape.reply;
    return 0;
}

MueDevice::MueDevice()
{
    Reset();
}

void MueDevice::Reset()
{
    std::memset(config_, 0, sizeof config_);
    std::memset(configured_, 0, sizeof configured_);
    std::memset(data_, 0, sizeof data_);
    std::memset(published_, 0, sizeof published_);
    std::memset(publishedMask_, 0, sizeof publishedMask_);
    deviceConfig_ = 0;
    baConfig_ = 0;
    std::memset(command_, 0, sizeof command_);
    commandLength_ = 0;
    commandExpected_ = 0;
    commandReadyAt_ = 0;
    DropReplies();
    frames_.clear();
    record_ = true;
    commands_ = 0;
    portReads_ = 0;
    garbageState_ = 0x2545F491u;
    faults = Faults();
}

unsigned char MueDevice::ReadStatus() const
{
    if (faults.noCard)
        return 0xFF;
    unsigned char status = faults.neverTakesBytes ? 0x00 : kStatusTxReady;
    if (ReplyWaiting())
        status |= kStatusRxReady;
    return status;
}

void MueDevice::WriteData(unsigned char byte)
{
    if (faults.neverTakesBytes)
        return;
    if (commandLength_ == 0) {
        commandExpected_ = CommandLength(byte);
        if (commandExpected_ == 0)
            return;  // idle: zero bytes of a clean-up and stray bytes are ignored
    }
    command_[commandLength_++] = byte;
    if (commandLength_ == commandExpected_) {
        Execute();
        commandLength_ = 0;
    }
}

void MueDevice::DropReplies()
{
    reply_.clear();
    replyReadyAt_.clear();
    slow_ = commandReadyAt_ != 0;
}

long MueDevice::NextReplyInMs() const
{
    if (reply_.empty())
        return -1;
    const long long readyAt = slow_ ? replyReadyAt_.front() : 0;
    const long long now = readyAt == 0 ? 0 : MonotonicMs();
    return now >= readyAt ? 0 : static_cast<long>(readyAt - now);
}

unsigned char MueDevice::ReadData()
{
    if (!ReplyWaiting())
        return 0xFF;
    unsigned char byte = reply_.front();
    reply_.pop_front();
    if (slow_)
        replyReadyAt_.pop_front();
    return byte;
}

void MueDevice::Feed(const unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        WriteData(bytes[i]);
}

std::size_t MueDevice::TakeReply(unsigned char* out, std::size_t max)
{
    std::size_t taken = 0;
    while (taken < max && ReplyWaiting())
        out[taken++] = ReadData();
    return taken;
}

void MueDevice::SetSinkWord(unsigned port, unsigned word, unsigned short value)
{
    if (port >= kPortCount || word >= kPortWords)
        return;
    published_[port][2 * word] = static_cast<unsigned char>(value >> 8);
    published_[port][2 * word + 1] = static_cast<unsigned char>(value & 0xFF);
    publishedMask_[port] |= static_cast<unsigned short>(1u << word);
}

unsigned short MueDevice::PortWord(unsigned port, unsigned word) const
{
    if (port >= kPortCount || word >= kPortWords)
        return 0;
    const bool sink = !(config_[port] & kConfigSource);
    const unsigned char* bytes = (sink && (publishedMask_[port] >> word & 1)) ? published_[port] : data_[port];
    return static_cast<unsigned short>(bytes[2 * word] << 8 | bytes[2 * word + 1]);
}

unsigned short MueDevice::PortConfig(unsigned port) const
{
    return port < kPortCount ? config_[port] : 0;
}

bool MueDevice::PortConfigured(unsigned port) const
{
    return port < kPortCount && configured_[port];
}

unsigned short MueDevice::Address(std::size_t at) const
{
    return static_cast<unsigned short>((command_[at] << 8 | command_[at + 1]) & kConfigAddressMask);
}

unsigned char MueDevice::PortStatus(unsigned port) const
{
    const bool sink = !(config_[port] & kConfigSource);
    return (configured_[port] && sink && publishedMask_[port]) ? kSinkBothLines : 0x00;
}

void MueDevice::Execute()
{
    ++commands_;
    if (record_)
        frames_.push_back(Frame(command_, command_ + commandLength_));
    commandReadyAt_ = faults.replyDelayMs ? MonotonicMs() + faults.replyDelayMs : 0;
    if (commandReadyAt_ != 0 && !slow_) {
        replyReadyAt_.assign(reply_.size(), 0);  // the replies before it are readable at once
        slow_ = true;
    } else if (commandReadyAt_ == 0 && slow_ && std::all_of(replyReadyAt_.begin(), replyReadyAt_.end(),
                                                          [](long long at) { return at == 0; })) {
        replyReadyAt_.clear();
        slow_ = false;
    }
    // The 16-bit field after the letter; the one-byte command has none.
    if (faults.noCard) {
        // Nothing answers but the floating bus: 0xFF for every byte read.
        if (command_[0] == 'G')
            ++portReads_;
        if (!faults.noReply)
            for (std::size_t i = ReplyLength(command_[0]); i > 0; --i)
                PushReply(0xFF);
        return;
    }
    const unsigned short word =
        commandLength_ >= 3 ? static_cast<unsigned short>(command_[1] << 8 | command_[2]) : 0;
    switch (command_[0]) {
    case 'H': {
        const unsigned port = word & kConfigAddressMask;
        config_[port] = word;
        configured_[port] = true;
        break;
    }
    case 'I':
        Reply16(config_[Address(1)]);
        break;
    case 'P': {
        const unsigned port = Address(1);
        for (unsigned w = 0; w < kPortWords; ++w) {
            const unsigned short before = static_cast<unsigned short>(data_[port][2 * w] << 8 | data_[port][2 * w + 1]);
            data_[port][2 * w] = command_[3 + 2 * w];
            data_[port][2 * w + 1] = command_[4 + 2 * w];
            const unsigned short after = static_cast<unsigned short>(data_[port][2 * w] << 8 | data_[port][2 * w + 1]);
            if (before != after && observer_)
                observer_(port, w, before, after);
        }
        break;
    }
    case 'G': {
        ++portReads_;
        const unsigned port = Address(1);
        Reply8(PortStatus(port));
        for (unsigned w = 0; w < kPortWords; ++w)
            Reply16(PortWord(port, w));
        Reply16(publishedMask_[port] ? kFresh : kNeverRefreshed);
        break;
    }
    case 'C':
        deviceConfig_ = word;
        break;
    case 'S': {
        // A working device has no bus-administrator function: the enable bit reads back clear.
        const unsigned short working = static_cast<unsigned short>(deviceConfig_ & ~kBaEnable);
        switch (faults.checkAnswer) {
        case CheckAnswer::Working: Reply16(working); break;
        case CheckAnswer::BytesSwapped: Reply16(static_cast<unsigned short>(working << 8 | working >> 8)); break;
        case CheckAnswer::Unchanged: Reply16(deviceConfig_); break;
        }
        break;
    }
    case 'A':
        baConfig_ = word;
        break;
    case 'D':
        Reply8(kSinkBothLines);
        Reply16(deviceConfig_);
        Reply16(kFresh);
        break;
    }
}

// xorshift: the same garbage on every run.
unsigned char MueDevice::GarbageByte()
{
    garbageState_ ^= garbageState_ << 13;
    garbageState_ ^= garbageState_ >> 17;
    garbageState_ ^= garbageState_ << 5;
    return static_cast<unsigned char>(garbageState_ >> 24);
}

MueDevice& InProcessDevice()
{
    static MueDevice* device = new MueDevice;  // never freed: lives as long as the program
    return *device;
}

}  // namespace mue_sim
