// The bus link over the socket against the real mvbsim program: the whole
// start-up and one second of 100 ms polls on a GLib main loop, the frames the
// device received in order, scenario replay, the port-301 change log, the
// keypad pseudo-terminal, and the faults mvbsim injects.
#include "BusFixture.h"
#include "KeypadLine.h"
#include "MueCommands.h"
#include "PortTable.h"

#include <glibmm.h>

#include <condition_variable>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string Hex(const Bytes& frame)
{
    std::string text;
    char byte[4];
    for (std::size_t i = 0; i < frame.size(); ++i) {
        std::snprintf(byte, sizeof byte, i ? " %02X" : "%02X", frame[i]);
        text += byte;
    }
    return text;
}

Bytes Word(unsigned char letter, unsigned short value)
{
    return {letter, static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value & 0xFF)};
}

class SocketTest : public BusTest {
protected:
    void TearDown() override
    {
        StopSimulator();
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        ::unsetenv("CABDISPLAY_MVB");
        ::unsetenv("CABDISPLAY_KEYPAD");
        BusTest::TearDown();
    }

    // Starts mvbsim in the working directory and waits until it listens.
    void StartSimulator(const std::string& scenario, const std::vector<std::string>& extra = {})
    {
        work_->WriteFile("scenario.txt", scenario);
        socket_ = work_->path() + "/mvb.sock";
        keypad_ = work_->path() + "/keypad";
        std::vector<std::string> args = {MVBSIM_PROGRAM,  "--socket", socket_,   "--scenario", "scenario.txt",
                                         "--log",         "log.txt",  "--frames", "frames.txt", "--keypad-link",
                                         keypad_};
        args.insert(args.end(), extra.begin(), extra.end());
        ::unlink("mvbsim.out");
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(&a[0]);
            argv.push_back(nullptr);
            if (!std::freopen("mvbsim.out", "w", stdout))
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        // mvbsim says so once it listens (the keypad line exists by then).
        ASSERT_TRUE(testsupport::WaitFor(
            [this] { return work_->ReadFile("mvbsim.out").find("listening") != std::string::npos; }, 5000))
            << "mvbsim did not come up";
        ::setenv("CABDISPLAY_MVB", ("sim:" + socket_).c_str(), 1);
        ::setenv("CABDISPLAY_KEYPAD", keypad_.c_str(), 1);
    }

    // Stops mvbsim and returns the frames it received, one hex line each.
    std::vector<std::string> StopSimulator()
    {
        std::vector<std::string> frames;
        if (pid_ <= 0)
            return frames;
        reg_close();
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        std::istringstream in(work_->ReadFile("frames.txt"));
        for (std::string line; std::getline(in, line);)
            frames.push_back(line);
        return frames;
    }

    // One second of the 100 ms poll on a GLib main loop.
    static void PollForOneSecond()
    {
        Glib::init();
        Glib::RefPtr<Glib::MainLoop> loop = Glib::MainLoop::create();
        Glib::signal_timeout().connect([] { FetchMVBData(); return true; }, 100);
        Glib::signal_timeout().connect([loop] { loop->quit(); return false; }, 1000);
        loop->run();
    }

    pid_t pid_ = -1;
    std::string socket_, keypad_;
};

TEST_F(SocketTest, StartUpAndOneSecondOfPollsAgainstMvbsim)
{
    StartSimulator("0 port 1020 0 0xABCD\n"
                   "0 port 1115 0 0x1234\n"
                   "0 port 270 15 0x0102\n"
                   "300 key 0x41 0x42\n");
    testing::internal::CaptureStdout();
    ASSERT_EQ(0, Cmain());
    EXPECT_EQ("MVB Initialized.....................\r\n", testing::internal::GetCapturedStdout());
    DDU_301[2] = 0x0BB8;
    PollForOneSecond();
    const std::vector<std::string> frames = StopSimulator();

    std::vector<std::string> expected = {Hex(Word('C', 0)), Hex(Word('C', 0x3F3F)), "53"};
    for (unsigned address = 0; address < 4096; ++address)
        expected.push_back(Hex(Word('H', static_cast<unsigned short>(address))));
    std::vector<std::string> list;
    for (const MvbPort& entry : mvb_config_ports) {
        list.push_back(Hex(Word('H', mvb_port_config_word(entry))));
        Bytes clear = Word('P', entry.port);
        clear.resize(35, 0);
        list.push_back(Hex(clear));
    }
    expected.insert(expected.end(), list.begin(), list.end());
    expected.push_back(Hex(Word('C', 0xD099)));
    expected.insert(expected.end(), list.begin(), list.end());
    ASSERT_GT(frames.size(), expected.size());
    ASSERT_EQ(expected, std::vector<std::string>(frames.begin(), frames.begin() + expected.size()));

    // Then whole polls: the write of 301 and the 107 reads in poll order.
    const std::size_t polled = frames.size() - expected.size();
    ASSERT_EQ(0u, polled % 108) << polled;
    ASSERT_GE(polled / 108, 2u);
    Bytes write = Word('P', 301);
    write.resize(35, 0);
    write[3 + 4] = 0x0B;
    write[3 + 5] = 0xB8;
    for (std::size_t poll = 0; poll < polled / 108; ++poll) {
        const std::size_t at = expected.size() + poll * 108;
        ASSERT_EQ(Hex(write), frames[at]) << "poll " << poll;
        for (int i = 0; i < mvb_poll_read_count; ++i)
            ASSERT_EQ(Hex(Word('G', mvb_poll_ports[i].port)), frames[at + 1 + i]) << "poll " << poll;
    }

    EXPECT_EQ(0xABCD, FLG1_1020[0]);
    EXPECT_EQ(0x1234, STB1_1115[0]);
    EXPECT_EQ(0x0102, TC2_DDU_270[15]);
    EXPECT_EQ(0x41, KeySelected);
    EXPECT_NE(std::string::npos, work_->ReadFile("log.txt").find("port 301 word 2 0x0000 -> 0x0BB8"))
        << work_->ReadFile("log.txt");
}

TEST_F(SocketTest, InjectedFaultsFailTheDeviceCheck)
{
    const struct { const char* fault; int status; const char* line; } cases[] = {
        {"check-swapped", 2, "ERROR: 3 check MUE endianness\n"},
        {"check-unchanged", 2, "ERROR: 4 check MUE endianness\n"},
        {"no-reply", 8, "ERROR: 2 mue_sv_get_device_config()=8\n"},
        {"never-takes", 8, "ERROR: 2 mue_sv_get_device_config()=8\n"},
    };
    for (const auto& c : cases) {
        StartSimulator("", {"--fault", c.fault});
        FastClock::Use();
        testing::internal::CaptureStdout();
        EXPECT_EQ(c.status, mue_app_init_device(p_bus_ctrl)) << c.fault;
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_NE(std::string::npos, out.find(c.line)) << c.fault << ": " << out;
        StopSimulator();
        cch_clock = &time;
    }
}

TEST_F(SocketTest, ClosedLinkIsOpenedAgainAtTheNextRetry)
{
    const unsigned long startUp = 3 + 4096 + 240 + 1 + 240;
    StartSimulator("0 port 3300 0 0x7788\n", {"--close-after", std::to_string(startUp + 108)});
    testing::internal::CaptureStdout();
    ASSERT_EQ(0, Cmain());
    FetchMVBData();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(0x7788, ZBV1_3300[0]);

    // The closed link fails the next poll at once (no wait for a device that
    // is gone); the polls of the retry interval leave the bus alone.
    ZBV1_3300[0] = 0;
    ScriptedClock::Use({200});
    testing::internal::CaptureStdout();
    FetchMVBData();
    FetchMVBData();
    EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());
    EXPECT_TRUE(mvb_poll_paused);
    EXPECT_EQ(0x00, inb(cch_reg_stat));
    // The retry opens the link again and polls the whole list.
    ScriptedClock::Use({200 + mvb_poll_retry_seconds});
    testing::internal::CaptureStdout();
    FetchMVBData();
    EXPECT_EQ("", testing::internal::GetCapturedStdout());
    EXPECT_FALSE(mvb_poll_paused);
    EXPECT_EQ(0x7788, ZBV1_3300[0]);
    EXPECT_EQ(cch_reg_stat_txready, inb(cch_reg_stat));
    const std::vector<std::string> frames = StopSimulator();
    ASSERT_EQ(startUp + 108 + 108, frames.size());
    EXPECT_EQ(Hex(Word('G', 1215)), frames.back());
    const std::string out = work_->ReadFile("mvbsim.out");
    EXPECT_EQ(2u, testsupport::CountOf(out, "mvbsim: display connected")) << out;
}

// The device model behind the socket link, served by a thread of the test,
// whose replies can be lost or held back and sent late.
class LinkServer {
public:
    enum Replies { Answer, Lose, Hold };

    explicit LinkServer(const std::string& path)
    {
        listen_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address;
        std::memset(&address, 0, sizeof address);
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listen_, 1) != 0)
            throw std::runtime_error("cannot listen on " + path);
        thread_ = std::thread(&LinkServer::Serve, this);
    }
    ~LinkServer()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (client_ >= 0)
                ::shutdown(client_, SHUT_RDWR);
        }
        ::shutdown(listen_, SHUT_RDWR);
        thread_.join();
        if (client_ >= 0)
            ::close(client_);
        ::close(listen_);
    }
    void SetReplies(Replies replies)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        replies_ = replies;
    }
    // Waits until the device has carried out this many commands.
    void WaitForCommands(unsigned long count)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return device_.CommandCount() >= count; });
    }
    // Sends the replies held back; they are on the link when this returns.
    void SendHeld()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ::send(client_, held_.data(), held_.size(), MSG_NOSIGNAL);
        held_.clear();
    }

private:
    void Serve()
    {
        const int client = ::accept(listen_, nullptr, nullptr);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            client_ = client;
        }
        unsigned char bytes[4096];
        ssize_t n;
        while (client >= 0 && (n = ::recv(client, bytes, sizeof bytes, 0)) > 0) {
            std::lock_guard<std::mutex> lock(mutex_);
            device_.Feed(bytes, static_cast<std::size_t>(n));
            std::size_t taken;
            while ((taken = device_.TakeReply(bytes, sizeof bytes)) > 0) {
                if (replies_ == Answer)
                    ::send(client, bytes, taken, MSG_NOSIGNAL);
                else if (replies_ == Hold)
                    held_.insert(held_.end(), bytes, bytes + taken);
            }
            done_.notify_all();
        }
    }

    int listen_ = -1, client_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable done_;
    mue_sim::MueDevice device_;
    Replies replies_ = Answer;
    Bytes held_;
};

class SocketLinkTest : public BusTest {
protected:
    void SetUp() override
    {
        BusTest::SetUp();
        const std::string path = work_->path() + "/link.sock";
        server_.reset(new LinkServer(path));
        ::setenv("CABDISPLAY_MVB", ("sim:" + path).c_str(), 1);
        ASSERT_EQ(0, mue_acc_init(p_bus_ctrl));
        ::unsetenv("CABDISPLAY_MVB");
    }
    void TearDown() override
    {
        reg_close();
        server_.reset();
        BusTest::TearDown();
    }
    // A read of the device configuration whose reply does not come in time
    // (lost or held back); the device has carried it out when this returns.
    void MissedReply(LinkServer::Replies replies, unsigned long commandsSoFar)
    {
        server_->SetReplies(replies);
        JumpClock::Use();
        unsigned short word = 0x5555;
        testing::internal::CaptureStdout();
        EXPECT_EQ(8, mue_sv_get_device_config(p_bus_ctrl, &word));
        EXPECT_EQ(kTimeoutLine, testing::internal::GetCapturedStdout());
        EXPECT_EQ(0x5555, word);
        server_->WaitForCommands(commandsSoFar + 1);
        cch_clock = &time;
        server_->SetReplies(LinkServer::Answer);
    }
    std::unique_ptr<LinkServer> server_;
};

TEST_F(SocketLinkTest, LostRepliesAreForgottenAfterTwoWaitsForThemInVain)
{
    // Owed bytes that never come would be taken for every later reply: the
    // wait before a new series of exchanges gives them up once two waits in
    // a row saw none of them, and the device is in step again.
    ASSERT_EQ(0, mue_sv_put_device_config(p_bus_ctrl, 0x3F3F));
    MissedReply(LinkServer::Lose, 1);
    MissedReply(LinkServer::Lose, 2);
    EXPECT_EQ(4u, cch_reply_owed()) << "both replies owed in full";
    JumpClock::Use();
    testing::internal::CaptureStdout();
    EXPECT_FALSE(cch_reply_in_step(0));
    EXPECT_TRUE(cch_reply_in_step(0));
    testing::internal::GetCapturedStdout();
    cch_clock = &time;
    EXPECT_EQ(0u, cch_reply_owed());
    unsigned short word = 0;
    ASSERT_EQ(0, mue_sv_get_device_config(p_bus_ctrl, &word));
    EXPECT_EQ(0x1F3F, word);
    ASSERT_EQ(0, mue_pd_full_put_port_config(p_bus_ctrl, 0x0ABC));
    ASSERT_EQ(0, mue_pd_full_get_port_config(p_bus_ctrl, 0x0ABC, &word));
    EXPECT_EQ(0x0ABC, word);
}

TEST_F(SocketLinkTest, LateReplyIsDroppedBeforeTheNextCommand)
{
    // The late reply (0x1F3F) must not be taken as the answer to a later read.
    const struct { const char* name; bool commandBetween; } cases[] = {
        {"late reply there before the next command", false},
        {"late reply after a command without reply", true},
    };
    unsigned long commands = 0;
    ASSERT_EQ(0, mue_sv_put_device_config(p_bus_ctrl, 0x3F3F));
    ASSERT_EQ(0, mue_pd_full_put_port_config(p_bus_ctrl, 0x0ABC));
    commands += 2;
    for (const auto& c : cases) {
        MissedReply(LinkServer::Hold, commands++);
        if (c.commandBetween) {
            ASSERT_EQ(0, mue_pd_full_put_port_config(p_bus_ctrl, 0x0ABC));
            server_->WaitForCommands(++commands);
        }
        server_->SendHeld();
        unsigned short word = 0;
        ASSERT_EQ(0, mue_pd_full_get_port_config(p_bus_ctrl, 0x0ABC, &word)) << c.name;
        EXPECT_EQ(0x0ABC, word) << c.name;
        ++commands;
    }
}

}  // namespace
