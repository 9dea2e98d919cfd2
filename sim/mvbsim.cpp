// mvbsim: the MVB interface device model served on a Unix stream socket, for
// running the display on a bench. Bytes from the display are commands to the
// device; the device's reply bytes go back on the socket. It replays a
// scenario (sink-port words and keypad bytes over time), logs every change of
// the display's source port 301 and can inject faults.
#include "MueDevice.h"
#include "Scenario.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void OnStop(int)
{
    stopRequested = 1;
}

const char kUsage[] =
    "usage: mvbsim --socket PATH [--scenario FILE] [--log FILE] [--frames FILE]\n"
    "              [--keypad-link PATH] [--fault NAME]... [--close-after N]\n"
    "              [--reply-delay MS]\n"
    "  --socket PATH       Unix socket to listen on (the display: CABDISPLAY_MVB=sim:PATH)\n"
    "  --scenario FILE     timed sink-port words, keypad bytes, faults (see the README)\n"
    "  --log FILE          changes of source port 301 (default: standard output)\n"
    "  --frames FILE       every command received, one line of hex bytes each\n"
    "  --keypad-link PATH  create a keypad pseudo-terminal; PATH becomes a link to it\n"
    "  --fault NAME        no-reply, never-takes, check-swapped, check-unchanged,\n"
    "                      no-card or garbage\n"
    "  --close-after N     close the link once, when N commands have been carried out\n"
    "  --reply-delay MS    a slow device: each reply is sent MS milliseconds after its command\n"
    "                      (a scenario's \"delay\" line changes it)\n";

struct Options {
    std::string socketPath, scenarioPath, logPath, framesPath, keypadLink;
    std::vector<std::string> faults;
    unsigned long closeAfter = 0;  // 0: never
    unsigned replyDelayMs = 0;
};

// A whole decimal number up to max; false for anything else.
bool ParseCount(const std::string& text, unsigned long max, unsigned long& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9)
        return false;
    value = std::strtoul(text.c_str(), nullptr, 10);
    return value <= max;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (name == "--socket") options.socketPath = value;
        else if (name == "--scenario") options.scenarioPath = value;
        else if (name == "--log") options.logPath = value;
        else if (name == "--frames") options.framesPath = value;
        else if (name == "--keypad-link") options.keypadLink = value;
        else if (name == "--fault") options.faults.push_back(value);
        else if (name == "--close-after") options.closeAfter = std::strtoul(value.c_str(), nullptr, 10);
        else if (name == "--reply-delay") {
            unsigned long ms = 0;
            if (!ParseCount(value, mvbsim::kLongestReplyDelayMs, ms))
                return false;
            options.replyDelayMs = static_cast<unsigned>(ms);
        } else return false;
    }
    return !options.socketPath.empty();
}

unsigned long NowMs()
{
    return static_cast<unsigned long>(mue_sim::MonotonicMs());
}

int Listen(const std::string& path)
{
    sockaddr_un address;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    ::unlink(path.c_str());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 1) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

// Creates the keypad pseudo-terminal and links PATH to its terminal side,
// which this program also holds open (raw) so the line stays up between
// users. Returns the side that key bytes are written to.
int OpenKeypad(const std::string& link, int& terminalSide)
{
    int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
        return -1;
    const char* name = ::ptsname(master);
    if (!name)
        return -1;
    terminalSide = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminalSide >= 0) {
        termios raw;
        if (::tcgetattr(terminalSide, &raw) == 0) {
            ::cfmakeraw(&raw);
            ::tcsetattr(terminalSide, TCSANOW, &raw);
        }
    }
    ::unlink(link.c_str());
    if (::symlink(name, link.c_str()) != 0)
        return -1;
    std::printf("mvbsim: keypad line %s (%s)\n", link.c_str(), name);
    return master;
}

void SendAll(int fd, const unsigned char* bytes, std::size_t count)
{
    while (count > 0) {
        ssize_t n = ::send(fd, bytes, count, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

void WriteFrames(mue_sim::MueDevice& device, std::FILE* out)
{
    if (!out)
        return;
    for (const mue_sim::MueDevice::Frame& frame : device.Frames()) {
        for (std::size_t i = 0; i < frame.size(); ++i)
            std::fprintf(out, i ? " %02X" : "%02X", frame[i]);
        std::fputc('\n', out);
    }
    device.ClearFrames();
}

class Simulator {
public:
    Simulator(const Options& options, const mvbsim::Scenario& scenario, std::FILE* log, std::FILE* frames)
        : options_(options), scenario_(scenario), log_(log), frames_(frames) {}

    int Run();

private:
    void Accept();
    void Serve();
    void SendReplies();
    void Drop();
    void ApplyDue();
    void Apply(const mvbsim::Event& event);
    int WaitMs() const;
    unsigned long SinceStart() const { return started_ ? NowMs() - startMs_ : 0; }

    const Options& options_;
    const mvbsim::Scenario& scenario_;
    std::FILE* log_;
    std::FILE* frames_;
    mue_sim::MueDevice device_;
    int listenFd_ = -1, clientFd_ = -1, keypadFd_ = -1, keypadTerminal_ = -1;
    bool started_ = false;
    unsigned long startMs_ = 0;
    std::size_t next_ = 0;  // next scenario event
    bool closedAfter_ = false;  // --close-after has closed the link (once)
};

int Simulator::Run()
{
    for (const std::string& fault : options_.faults)
        if (!mvbsim::ApplyFault(fault, device_.faults)) {
            std::fprintf(stderr, "mvbsim: unknown fault \"%s\"\n%s", fault.c_str(), kUsage);
            return 2;
        }
    device_.faults.replyDelayMs = options_.replyDelayMs;
    device_.SetRecordFrames(frames_ != nullptr);
    device_.SetWordChangeObserver([this](unsigned port, unsigned word, unsigned short before, unsigned short after) {
        if (port == 301)
            std::fprintf(log_, "%lu ms: port 301 word %u 0x%04X -> 0x%04X\n", SinceStart(), word, before, after);
    });
    if (!options_.keypadLink.empty() && (keypadFd_ = OpenKeypad(options_.keypadLink, keypadTerminal_)) < 0) {
        std::fprintf(stderr, "mvbsim: cannot create the keypad line %s\n", options_.keypadLink.c_str());
        return 1;
    }
    listenFd_ = Listen(options_.socketPath);
    if (listenFd_ < 0) {
        std::fprintf(stderr, "mvbsim: cannot listen on %s: %s\n", options_.socketPath.c_str(), std::strerror(errno));
        return 1;
    }
    std::printf("mvbsim: listening on %s\n", options_.socketPath.c_str());
    std::fflush(stdout);

    while (!stopRequested) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {clientFd_, POLLIN, 0}};
        // A device that never takes bytes leaves them unread on the socket.
        const nfds_t count = (clientFd_ >= 0 && !device_.faults.neverTakesBytes) ? 2 : 1;
        const int ready = ::poll(fds, count, WaitMs());
        if (ready > 0 && count == 2 && fds[1].revents)
            Serve();
        SendReplies();
        if (ready > 0 && (fds[0].revents & POLLIN))
            Accept();
        ApplyDue();
        std::fflush(log_);
    }
    WriteFrames(device_, frames_);
    Drop();
    ::close(listenFd_);
    ::unlink(options_.socketPath.c_str());
    if (!options_.keypadLink.empty())
        ::unlink(options_.keypadLink.c_str());
    return 0;
}

// Runs on the processors the display runs on: the link is a quick ping-pong
// of small frames, far cheaper between two processes on one processor.
void JoinDisplayProcessor(int client)
{
    ucred peer;
    socklen_t length = sizeof peer;
    cpu_set_t cpus;
    if (::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
        ::sched_getaffinity(peer.pid, sizeof cpus, &cpus) == 0)
        ::sched_setaffinity(0, sizeof cpus, &cpus);
}

void Simulator::Accept()
{
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (clientFd_ >= 0)
        Drop();  // one display at a time: a display that connects anew replaces the old link
    clientFd_ = fd;
    JoinDisplayProcessor(fd);
    std::printf("mvbsim: display connected\n");
    std::fflush(stdout);
}

void Simulator::Serve()
{
    unsigned char bytes[4096];
    ssize_t n = ::recv(clientFd_, bytes, sizeof bytes, MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n <= 0) {
        Drop();
        return;
    }
    device_.Feed(bytes, static_cast<std::size_t>(n));
    if (!started_ && device_.PortReads() > 0) {
        started_ = true;  // the scenario's clock starts at the display's first poll
        startMs_ = NowMs();
        std::printf("mvbsim: scenario started\n");
        std::fflush(stdout);
    }
    SendReplies();
    WriteFrames(device_, frames_);
    if (frames_)
        std::fflush(frames_);
    if (options_.closeAfter && !closedAfter_ && device_.CommandCount() >= options_.closeAfter) {
        closedAfter_ = true;
        Drop();
    }
}

// The reply bytes that are due (all at once, unless the device is slow).
void Simulator::SendReplies()
{
    if (clientFd_ < 0)
        return;
    unsigned char reply[4096];
    std::size_t taken;
    while ((taken = device_.TakeReply(reply, sizeof reply)) > 0)
        SendAll(clientFd_, reply, taken);
}

void Simulator::Drop()
{
    if (clientFd_ >= 0)
        ::close(clientFd_);
    clientFd_ = -1;
    device_.DropReplies();
    if (frames_)
        std::fflush(frames_);
}

int Simulator::WaitMs() const
{
    long wait = 200;
    if (started_ && next_ < scenario_.events.size()) {
        const unsigned long due = scenario_.events[next_].atMs;
        const unsigned long now = SinceStart();
        wait = due <= now ? 0 : static_cast<long>(std::min(due - now, 200ul));
    }
    const long reply = clientFd_ >= 0 ? device_.NextReplyInMs() : -1;
    return static_cast<int>(reply >= 0 && reply < wait ? reply : wait);
}

void Simulator::ApplyDue()
{
    while (started_ && next_ < scenario_.events.size() && scenario_.events[next_].atMs <= SinceStart())
        Apply(scenario_.events[next_++]);
}

void Simulator::Apply(const mvbsim::Event& event)
{
    switch (event.kind) {
    case mvbsim::Event::Word:
        device_.SetSinkWord(event.port, event.word, event.value);
        break;
    case mvbsim::Event::Keys:
        if (keypadFd_ >= 0 && ::write(keypadFd_, event.bytes.data(), event.bytes.size()) < 0)
            std::fprintf(stderr, "mvbsim: keypad write failed: %s\n", std::strerror(errno));
        break;
    case mvbsim::Event::Fault:
        mvbsim::ApplyFault(event.fault, device_.faults);
        break;
    case mvbsim::Event::Delay:
        device_.faults.replyDelayMs = event.delayMs;
        break;
    case mvbsim::Event::Close:
        Drop();
        break;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    mvbsim::Scenario scenario;
    if (!options.scenarioPath.empty()) {
        std::string error;
        if (!mvbsim::LoadScenario(options.scenarioPath, scenario, error)) {
            std::fprintf(stderr, "mvbsim: %s\n", error.c_str());
            return 2;
        }
    }
    std::FILE* log = options.logPath.empty() ? stdout : std::fopen(options.logPath.c_str(), "w");
    std::FILE* frames = options.framesPath.empty() ? nullptr : std::fopen(options.framesPath.c_str(), "w");
    if (!log || (!options.framesPath.empty() && !frames)) {
        std::fprintf(stderr, "mvbsim: cannot write the log or frames file\n");
        return 1;
    }
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction stop;
    std::memset(&stop, 0, sizeof stop);
    stop.sa_handler = OnStop;
    ::sigaction(SIGTERM, &stop, nullptr);
    ::sigaction(SIGINT, &stop, nullptr);

    Simulator simulator(options, scenario, log, frames);
    const int status = simulator.Run();
    if (frames)
        std::fclose(frames);
    if (log != stdout)
        std::fclose(log);
    return status;
}
