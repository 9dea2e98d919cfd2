// Model of the MVB interface device as the display's driver sees it: the
// device side of the MUE character-channel protocol, with a data register, a
// status register, port configuration and 32 bytes of data memory for each of
// the 4096 ports, and the device configuration word.
//
// The same model answers in the program (CABDISPLAY_MVB=model reaches
// InProcessDevice(), see RegisterBackends.h) and behind the mvbsim program's
// socket. A command is carried out as soon as its last byte is
// written; its reply is ready at once (the driver's wait sees ready at its
// first status read), or after the reply delay of a slow device.
//
// Use in tests:
//   mue_sim::MueDevice& dev = mue_sim::InProcessDevice();
//   dev.Reset();                         // power-on state, no faults
//   dev.SetSinkWord(1020, 0, 0xABCD);    // what a unit publishes on a sink port
//   ... run the driver ...
//   dev.PortWord(301, 3);                // what the display wrote to its source port
//   dev.Frames();                        // every command received, as bytes
//   dev.faults.noReply = true;           // the next commands time out
#ifndef CABDISPLAY_SIM_MUEDEVICE_H
#define CABDISPLAY_SIM_MUEDEVICE_H

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

namespace mue_sim {

// Milliseconds on the monotonic clock (the device's reply times).
long long MonotonicMs();

class MueDevice {
public:
    static const unsigned kPortCount = 4096;   // port addresses 0..4095
    static const unsigned kPortBytes = 32;     // data memory per port
    static const unsigned kPortWords = kPortBytes / 2;
    static const unsigned kMaxFrame = 35;      // longest command or reply

    // Status register bits as the driver tests them.
    static const unsigned char kStatusTxReady = 0x60;
    static const unsigned char kStatusRxReady = 0x01;

    // Bits of the port configuration word.
    static const unsigned short kConfigSource = 0x8000;
    static const unsigned short kConfigAddressMask = 0x0FFF;

    // How the device answers the driver's check of the device configuration
    // (0x3F3F written, read back).
    enum class CheckAnswer {
        Working,       // bus-administrator bit cleared: 0x1F3F
        BytesSwapped,  // the working answer with its bytes exchanged: 0x3F1F
        Unchanged,     // the value as written: 0x3F3F
    };

    struct Faults {
        bool noReply = false;          // commands are carried out, their replies are lost
        bool neverTakesBytes = false;  // never ready to take bytes; written bytes are lost
        // No card: the registers read 0xFF (status stuck with every bit set);
        // commands are not carried out and every reply byte reads 0xFF.
        bool noCard = false;
        bool garbage = false;          // commands are carried out, reply bytes are random
        CheckAnswer checkAnswer = CheckAnswer::Working;
        // A slow device: each reply becomes readable this many milliseconds
        // (monotonic clock) after its command was carried out; 0: at once.
        unsigned replyDelayMs = 0;
    };

    typedef std::vector<unsigned char> Frame;
    // Called for every word of a port's data memory that a put-port-data
    // command changes (port, word index, old value, new value).
    typedef std::function<void(unsigned, unsigned, unsigned short, unsigned short)> WordChange;

    MueDevice();

    // Power-on state: every port configuration, data word and published word
    // 0, device configuration 0, no partial command, no reply waiting, frame
    // list empty, recording on, no faults. The change observer is kept.
    void Reset();

    // --- register side (the "model" way of the bus driver) ---
    unsigned char ReadStatus() const;     // 0x60 | 0x01 while a reply byte waits (no card: 0xFF)
    void WriteData(unsigned char byte);   // one byte of a command
    unsigned char ReadData();             // next reply byte; 0xFF when none

    // --- byte-stream side (socket link) ---
    void Feed(const unsigned char* bytes, std::size_t count);
    std::size_t TakeReply(unsigned char* out, std::size_t max);
    // A reply byte is readable now.
    bool ReplyWaiting() const
    {
        return !reply_.empty() && (!slow_ || replyReadyAt_.front() == 0 || MonotonicMs() >= replyReadyAt_.front());
    }
    // Milliseconds until the next reply byte becomes readable: 0 when one is
    // readable now, -1 when no reply is owed.
    long NextReplyInMs() const;
    // Forgets the replies not yet taken (the link they were owed on is gone).
    void DropReplies();

    // --- ports ---
    // Sets a word that a bus unit publishes on a sink port (word 0..15, high
    // byte first on the bus). Get-port-data answers published words whatever
    // the program last wrote into the port's memory.
    void SetSinkWord(unsigned port, unsigned word, unsigned short value);
    // A port's data word as get-port-data would answer it.
    unsigned short PortWord(unsigned port, unsigned word) const;
    unsigned short PortConfig(unsigned port) const;
    bool PortConfigured(unsigned port) const;
    unsigned short DeviceConfig() const { return deviceConfig_; }
    unsigned short BaConfig() const { return baConfig_; }

    // --- received commands ---
    const std::vector<Frame>& Frames() const { return frames_; }
    void ClearFrames() { frames_.clear(); }
    void SetRecordFrames(bool on) { record_ = on; }
    unsigned long CommandCount() const { return commands_; }
    unsigned long PortReads() const { return portReads_; }  // get-port-data commands

    void SetWordChangeObserver(WordChange observer) { observer_ = observer; }

    Faults faults;

private:
    void Execute();
    void PushReply(unsigned char byte)
    {
        reply_.push_back(byte);
        if (slow_)
            replyReadyAt_.push_back(commandReadyAt_);
    }
    void Reply8(unsigned v)
    {
        if (!faults.noReply)
            PushReply(faults.garbage ? GarbageByte() : static_cast<unsigned char>(v));
    }
    unsigned char GarbageByte();
    void Reply16(unsigned v) { Reply8(v >> 8); Reply8(v & 0xFF); }
    unsigned short Address(std::size_t at) const;
    unsigned char PortStatus(unsigned port) const;

    unsigned short config_[kPortCount];
    bool configured_[kPortCount];
    unsigned char data_[kPortCount][kPortBytes];
    unsigned char published_[kPortCount][kPortBytes];
    unsigned short publishedMask_[kPortCount];  // bit n: word n published
    unsigned short deviceConfig_ = 0;
    unsigned short baConfig_ = 0;

    unsigned char command_[kMaxFrame];
    std::size_t commandLength_ = 0;  // bytes of the command so far
    std::size_t commandExpected_ = 0;
    std::deque<unsigned char> reply_;
    // While slow_, beside reply_ and as long as it, the monotonic millisecond
    // at which each byte becomes readable (0: at once). A device that answers
    // at once keeps none of it and costs nothing more.
    bool slow_ = false;
    std::deque<long long> replyReadyAt_;
    long long commandReadyAt_ = 0;  // of the replies to the command being carried out

    std::vector<Frame> frames_;
    bool record_ = true;
    unsigned long commands_ = 0;
    unsigned long portReads_ = 0;
    unsigned garbageState_ = 0x2545F491u;
    WordChange observer_;
};


// Length in bytes of the command that starts with this letter; 0 for a byte
// that starts no command (the device ignores such bytes while idle).
std::size_t CommandLength(unsigned char letter);

// Length in bytes of the device's reply to the command that starts with this
// letter; 0 for commands without a reply.
std::size_t ReplyLength(unsigned char letter);

// The device that CABDISPLAY_MVB=model reaches (the model inside the program).
MueDevice& InProcessDevice();

}  // namespace mue_sim

#endif
