// Helpers of the fuzz targets: a finding ends the run through abort(), so
// libFuzzer keeps the input; the driver's chatter goes nowhere; the settings
// files land in a private folder.
#ifndef CABDISPLAY_FUZZ_FUZZSUPPORT_H
#define CABDISPLAY_FUZZ_FUZZSUPPORT_H

#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

// Prints "finding: <what>" and aborts when the condition does not hold.
void Check(bool holds, const char* what);

// Standard output (the time-out and device check lines) to /dev/null.
void QuietStdout();

// QuietStdout, and a fresh temporary folder as the working directory for
// the whole run (removed at exit); relative paths among the arguments are
// made absolute first.
void QuietInPrivateWorkDir(int* argc, char*** argv);

// Reads the input front to back; past its end every read gives 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    size_t Left() const { return Empty() ? 0 : size_ - at_; }
    uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
    uint16_t Word() { const uint16_t high = Byte(); return static_cast<uint16_t>(high << 8 | Byte()); }
private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace fuzzsupport

#endif
