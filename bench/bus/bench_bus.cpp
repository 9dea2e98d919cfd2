// Cost of the bus link: one 100 ms poll and the whole start-up, against the
// device model in this program (CABDISPLAY_MVB=model) and over the socket
// link to mvbsim.
#include "KeypadLine.h"
#include "MueDevice.h"
#include "PortTable.h"
#include "RegisterAccess.h"
#include "RegisterBackends.h"

#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The start-up prints its lines; keep them out of the results.
class QuietStdout {
public:
    QuietStdout() : saved_(::dup(1))
    {
        std::fflush(stdout);
        int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::close(null);
    }
    ~QuietStdout()
    {
        std::fflush(stdout);
        ::dup2(saved_, 1);
        ::close(saved_);
    }
private:
    int saved_;
};

// A pseudo-terminal standing in for the keypad line.
class Keypad {
public:
    Keypad()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        ::setenv("CABDISPLAY_KEYPAD", ::ptsname(master_), 1);
    }
    ~Keypad() { ::close(master_); }
private:
    int master_;
};

// mvbsim on a socket in a private directory, for the lifetime of the object.
class Simulator {
public:
    Simulator()
    {
        char dir[] = "/tmp/bench-bus-XXXXXX";
        dir_ = ::mkdtemp(dir);
        socket_ = dir_ + "/mvb.sock";
        const std::string ready = dir_ + "/mvbsim.out";
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!std::freopen(ready.c_str(), "w", stdout))
                ::_exit(126);
            ::execl(MVBSIM_PROGRAM, MVBSIM_PROGRAM, "--socket", socket_.c_str(), "--log", "/dev/null",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int round = 0; round < 500 && !Listening(ready); ++round)
            ::usleep(10000);
        ::setenv("CABDISPLAY_MVB", ("sim:" + socket_).c_str(), 1);
    }
    ~Simulator()
    {
        reg_close();
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        ::unlink((dir_ + "/mvbsim.out").c_str());
        ::rmdir(dir_.c_str());
    }
private:
    static bool Listening(const std::string& path)
    {
        std::FILE* f = std::fopen(path.c_str(), "r");
        char line[128] = {};
        const bool up = f && std::fgets(line, sizeof line, f) && std::string(line).find("listening") != std::string::npos;
        if (f)
            std::fclose(f);
        return up;
    }
    std::string dir_, socket_;
    pid_t pid_ = -1;
};

void StartUp()
{
    QuietStdout quiet;
    Cmain();
}

void CloseLine()
{
    ::close(fd);
    fd = -1;
}

void BM_PollInProcess(benchmark::State& state)
{
    ::setenv("CABDISPLAY_MVB", "model", 1);
    Keypad keypad;
    mue_sim::InProcessDevice().Reset();
    mue_sim::InProcessDevice().SetRecordFrames(false);
    StartUp();
    for (auto _ : state)
        FetchMVBData();
    CloseLine();
    reg_close();
}

void BM_StartUpInProcess(benchmark::State& state)
{
    ::setenv("CABDISPLAY_MVB", "model", 1);
    Keypad keypad;
    mue_sim::InProcessDevice().Reset();
    mue_sim::InProcessDevice().SetRecordFrames(false);
    for (auto _ : state) {
        StartUp();
        CloseLine();
    }
    reg_close();
}

void BM_PollSocket(benchmark::State& state)
{
    Simulator simulator;
    Keypad keypad;
    StartUp();
    for (auto _ : state)
        FetchMVBData();
    CloseLine();
}

void BM_StartUpSocket(benchmark::State& state)
{
    Simulator simulator;
    Keypad keypad;
    for (auto _ : state) {
        StartUp();
        CloseLine();
    }
}

}  // namespace

BENCHMARK(BM_PollInProcess)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUpInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PollSocket)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StartUpSocket)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    mue_sim::AddRegisterBackends();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
