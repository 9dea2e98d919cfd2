// The keypad line: its path, the start-up in Cmain (line settings, flush of
// early bytes, bus brought up and ports configured twice), the key read of
// each poll with the keys waiting in order, a line lost and opened again, and
// the end of the program when the line cannot be opened.
#include "BusFixture.h"
#include "KeypadLine.h"
#include "PortTable.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class KeypadTest : public BusTest {
protected:
    void SetUp() override
    {
        BusTest::SetUp();
        ::setenv("CABDISPLAY_KEYPAD", pty_.name().c_str(), 1);
        std::memset(bufkey, 0, sizeof bufkey);
        DropPendingKeys();
    }
    void TearDown() override
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        ::unsetenv("CABDISPLAY_KEYPAD");
        BusTest::TearDown();
    }
    void StartLine()
    {
        testing::internal::CaptureStdout();
        ASSERT_EQ(0, Cmain());
        startOutput_ = testing::internal::GetCapturedStdout();
        Device().ClearFrames();
    }
    PtyPair pty_;
    std::string startOutput_;
};

TEST_F(KeypadTest, LinePathFollowsTheEnvironment)
{
    const struct { const char* value; const char* path; } cases[] = {
        {nullptr, "/dev/ttyS1"}, {"", "/dev/ttyS1"}, {"/tmp/keys", "/tmp/keys"}};
    for (const auto& c : cases) {
        if (c.value)
            ::setenv("CABDISPLAY_KEYPAD", c.value, 1);
        else
            ::unsetenv("CABDISPLAY_KEYPAD");
        EXPECT_STREQ(c.path, KeypadLinePath());
    }
}

TEST_F(KeypadTest, StartUpConfiguresLineDeviceAndPortsTwice)
{
    pty_.Press({0x55});  // arrives before the line is set up: flushed
    testing::internal::CaptureStdout();
    ASSERT_EQ(0, Cmain());
    EXPECT_EQ("MVB Initialized.....................\r\n", testing::internal::GetCapturedStdout());
    const std::vector<Bytes> frames = TakeFrames();
    ASSERT_EQ(3u + 4096 + 240 + 1 + 240, frames.size());
    const std::size_t firstList = 3 + 4096, deviceConfig = firstList + 240;
    EXPECT_EQ(Bytes({'C', 0xD0, 0x99}), frames[deviceConfig]);
    EXPECT_EQ(std::vector<Bytes>(frames.begin() + firstList, frames.begin() + deviceConfig),
              std::vector<Bytes>(frames.begin() + deviceConfig + 1, frames.end()));

    termios line;
    ASSERT_EQ(0, ::tcgetattr(fd, &line));
    EXPECT_EQ(static_cast<tcflag_t>(IGNPAR), line.c_iflag);
    EXPECT_EQ(0u, line.c_oflag);
    EXPECT_EQ(0u, line.c_lflag);
    EXPECT_EQ(static_cast<tcflag_t>(CS8 | CREAD | CLOCAL | CRTSCTS), line.c_cflag & (CSIZE | CREAD | CLOCAL | CRTSCTS));
    EXPECT_EQ(0, line.c_cc[VMIN]);
    EXPECT_EQ(0, line.c_cc[VTIME]);
    EXPECT_EQ(static_cast<speed_t>(B4800), ::cfgetospeed(&line));

    // The record applied: cleared, then only the control and input flags set;
    // the speed only in the baud bits of the control flags.
    EXPECT_EQ(0x800008BCu, newtio.c_cflag);
    EXPECT_EQ(static_cast<tcflag_t>(IGNPAR), newtio.c_iflag);
    EXPECT_EQ(0u, newtio.c_oflag);
    EXPECT_EQ(0u, newtio.c_lflag);
    for (std::size_t i = 0; i < NCCS; ++i)
        EXPECT_EQ(0, newtio.c_cc[i]) << "c_cc[" << i << "]";
#ifdef _HAVE_STRUCT_TERMIOS_C_ISPEED
    EXPECT_EQ(0u, newtio.c_ispeed);
    EXPECT_EQ(0u, newtio.c_ospeed);
#endif

    ReadKeypadLine();
    EXPECT_EQ(0, KeySelected);  // the early byte was discarded
}

// The keys handed on, one per decode tick, until none is pending.
Bytes TakeAll()
{
    Bytes keys;
    for (unsigned char key; (key = TakeKeySelected()) != 0;)
        keys.push_back(key);
    return keys;
}

TEST_F(KeypadTest, EveryKeyByteIsHandedOnInOrder)
{
    StartLine();
    const struct { const char* name; std::vector<Bytes> reads; Bytes keys; } cases[] = {
        {"three bytes in one read", {{0x41, 0x42, 0x43}}, {0x41, 0x42, 0x43}},
        {"a zero byte is no key", {{0x00, 0x4D, 0x00}}, {0x4D}},
        {"keys of several reads keep their order", {{0x31}, {0x32, 0x33}, {}}, {0x31, 0x32, 0x33}},
        {"nothing received", {{}}, {}},
    };
    for (const auto& c : cases) {
        for (const Bytes& sent : c.reads) {
            if (!sent.empty())
                pty_.Press(sent, fd);
            ReadKeypadLine();
        }
        EXPECT_EQ(c.keys, TakeAll()) << c.name;
    }
}

TEST_F(KeypadTest, SixteenKeysWaitAndAByteBeyondThemIsDroppedWithALine)
{
    StartLine();
    Bytes burst(300);
    for (std::size_t i = 0; i < burst.size(); ++i)
        burst[i] = static_cast<unsigned char>(1 + i % 250);
    pty_.Press(burst, fd);
    testing::internal::CaptureStdout();
    ReadKeypadLine();
    EXPECT_EQ(burst[254], bufkey[254]);  // 255 bytes in one read, the rest waits on the line
    ReadKeypadLine();
    EXPECT_EQ(pty_.name() + ": 239 key bytes dropped, 16 keys waiting\n" + pty_.name() +
                  ": 45 key bytes dropped, 16 keys waiting\n",
              testing::internal::GetCapturedStdout());
    EXPECT_EQ(Bytes(burst.begin(), burst.begin() + keypad_queue_size), TakeAll());
    pty_.Press({0x4D}, fd);  // room again
    ReadKeypadLine();
    EXPECT_EQ(Bytes({0x4D}), TakeAll());
}

// A keypad line whose other side goes away, or that fails, is closed with a
// line, opened again every few seconds (no sooner) and, once it is back,
// gives keys again.
TEST_F(KeypadTest, LostLineIsOpenedAgainEveryFewSeconds)
{
    const std::string link = work_->path() + "/keypad";
    struct Case {
        const char* name;
        bool otherSideCloses;  // else the descriptor fails under the line
        const char* reason;
    };
    const Case cases[] = {
        {"keypad side closed", true, "closed by the other side"},
        {"descriptor failing", false, "Bad file descriptor"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<PtyPair> first(new PtyPair);
        ::unlink(link.c_str());
        ASSERT_EQ(0, ::symlink(first->name().c_str(), link.c_str()));
        ::setenv("CABDISPLAY_KEYPAD", link.c_str(), 1);
        StartLine();
        ManualClockMs::now = 1000;
        keypad_clock_ms = &ManualClockMs::Now;
        const int lineFd = fd;
        if (c.otherSideCloses)
            first->CloseKeypadSide();
        else
            ::close(fd);
        testing::internal::CaptureStdout();
        ReadKeypadLine();
        EXPECT_EQ(link + ": keypad line lost (" + c.reason + "): opened again every 2 s\n",
                  testing::internal::GetCapturedStdout()) << c.name;
        EXPECT_EQ(-1, fd) << c.name;
        EXPECT_EQ(-1, ::fcntl(lineFd, F_GETFD)) << c.name << ": the lost line is closed";

        // A new keypad at the same path; nothing is opened before the interval.
        PtyPair second;
        ::unlink(link.c_str());
        ASSERT_EQ(0, ::symlink(second.name().c_str(), link.c_str()));
        testing::internal::CaptureStdout();
        for (long long at : {1000ll, 2000ll, 2999ll}) {
            ManualClockMs::now = at;
            ReadKeypadLine();
            EXPECT_EQ(-1, fd) << c.name << " at " << at;
        }
        ManualClockMs::now = 1000 + keypad_reopen_ms;
        ReadKeypadLine();
        EXPECT_EQ(link + ": keypad line open again\n", testing::internal::GetCapturedStdout()) << c.name;
        ASSERT_GE(fd, 0) << c.name;
        termios line;
        ASSERT_EQ(0, ::tcgetattr(fd, &line)) << c.name;
        EXPECT_EQ(static_cast<speed_t>(B4800), ::cfgetospeed(&line)) << c.name << ": the line settings again";
        second.Press({0x4E}, fd);
        ReadKeypadLine();
        EXPECT_EQ(Bytes({0x4E}), TakeAll()) << c.name;
        ::close(fd);
        fd = -1;
    }
}

TEST_F(KeypadTest, LineThatCannotBeOpenedAgainIsTriedOncePerInterval)
{
    const std::string link = work_->path() + "/keypad";
    std::unique_ptr<PtyPair> pty(new PtyPair);
    ASSERT_EQ(0, ::symlink(pty->name().c_str(), link.c_str()));
    ::setenv("CABDISPLAY_KEYPAD", link.c_str(), 1);
    StartLine();
    ManualClockMs::now = 0;
    keypad_clock_ms = &ManualClockMs::Now;
    pty.reset();  // the keypad gone, and its line with it
    ::unlink(link.c_str());
    testing::internal::CaptureStdout();
    ReadKeypadLine();
    for (long long at = 0; at <= 10 * keypad_reopen_ms; at += 100) {
        ManualClockMs::now = at;
        ReadKeypadLine();
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(link + ": keypad line lost (closed by the other side): opened again every 2 s\n", out)
        << "one line while it stays lost";
    EXPECT_EQ(-1, fd);
}

// A read that would wait is broken off by an alarm, so a regression fails
// the case instead of hanging the test program.
volatile sig_atomic_t alarmRang = 0;
void OnAlarm(int) { alarmRang = 1; }

class AlarmGuard {
public:
    AlarmGuard()
    {
        alarmRang = 0;
        struct sigaction ring = {};
        ring.sa_handler = OnAlarm;  // no SA_RESTART: a waiting read returns
        ::sigaction(SIGALRM, &ring, &previous_);
        ::alarm(3);
    }
    ~AlarmGuard()
    {
        ::alarm(0);
        ::sigaction(SIGALRM, &previous_, nullptr);
    }
private:
    struct sigaction previous_;
};

// Whatever the keypad path names, neither the start-up nor a poll's read
// waits: the line is opened without blocking. A terminal gets its settings
// without a word; anything else is named once.
TEST_F(KeypadTest, NoKindOfLineMakesAReadWait)
{
    struct Case {
        const char* name;
        std::string path;
        bool terminal;
        Bytes sent;  // written by another process or the file's content
        Bytes keys;  // the keys of the first poll
    };
    const std::string fifo = work_->path() + "/keys.fifo", file = work_->path() + "/keys.bin";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    work_->WriteFile("keys.bin", std::string("\x4D\x4E", 2));
    const Case cases[] = {
        {"FIFO without a writer", fifo, false, {}, {}},
        {"FIFO with a writer", fifo, false, {0x4D}, {0x4D}},
        {"plain file", file, false, {}, {0x4D, 0x4E}},
        {"pseudo-terminal", pty_.name(), true, {0x4E}, {0x4E}},
    };
    for (const Case& c : cases) {
        ::setenv("CABDISPLAY_KEYPAD", c.path.c_str(), 1);
        std::memset(bufkey, 0, sizeof bufkey);
        DropPendingKeys();
        AlarmGuard guard;
        testing::internal::CaptureStdout();
        ASSERT_EQ(0, Cmain()) << c.name;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(0, ::fcntl(fd, F_GETFL) & O_NONBLOCK) << c.name;
        const std::string line = c.path + ": not a terminal, read without line settings\n";
        EXPECT_EQ(!c.terminal, out.find(line) != std::string::npos) << c.name << ": " << out;
        if (c.path == fifo && !c.sent.empty()) {
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            ASSERT_GE(writer, 0) << c.name;
            EXPECT_EQ(1, ::write(writer, c.sent.data(), c.sent.size()));
            ::close(writer);  // the writer gone: still no wait
        } else if (c.terminal) {
            pty_.Press(c.sent, fd);
        }
        testing::internal::CaptureStdout();
        ReadKeypadLine();
        EXPECT_EQ(c.keys, TakeAll()) << c.name;
        ReadKeypadLine();
        ReadKeypadLine();
        EXPECT_EQ(Bytes(), TakeAll()) << c.name << ": nothing more";
        EXPECT_EQ("", testing::internal::GetCapturedStdout()) << c.name << ": the line is not lost";
        EXPECT_EQ(0, alarmRang) << c.name << ": a read waited";
        ::close(fd);
        fd = -1;
    }
}

TEST_F(KeypadTest, MissingLineEndsTheProgramBeforeTheDeviceIsTouched)
{
    // The device sits behind a socket that nobody may connect to.
    const std::string socketPath = work_->path() + "/mvb.sock";
    int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(0, ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
    ASSERT_EQ(0, ::listen(listener, 4));
    ::setenv("CABDISPLAY_MVB", ("sim:" + socketPath).c_str(), 1);
    ::setenv("CABDISPLAY_KEYPAD", "/nonexistent/ttyS9", 1);

    EXPECT_EXIT(Cmain(), ::testing::ExitedWithCode(255), "^/nonexistent/ttyS9: No such file or directory\n$");

    EXPECT_LT(::accept(listener, nullptr, nullptr), 0);
    EXPECT_TRUE(errno == EAGAIN || errno == EWOULDBLOCK);
    ::close(listener);
    ::unsetenv("CABDISPLAY_MVB");
}

}  // namespace
