// The table of ways to the device, the cab's own (x86 I/O ports), and the
// registers a test plays.
#include "RegisterAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <time.h>
#include <vector>

#if defined(__linux__) && (defined(__i386__) || defined(__x86_64__))
#include <sys/io.h>
#define CABDISPLAY_HAVE_PORT_IO 1
#endif

namespace {

const unsigned char kNoByte = 0xFF;
const char kVariable[] = "CABDISPLAY_MVB";

// The wait of a link without a descriptor: a plain sleep.
void Sleep(long microseconds)
{
    timespec pause = {static_cast<time_t>(microseconds / 1000000), static_cast<long>(microseconds % 1000000) * 1000};
    while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

// --- x86 I/O ports ---

int OpenPorts(const char*)
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    return iopl(3) == 0 ? 0 : 2;
#else
    return 2;
#endif
}

void ClosePorts() {}

unsigned char PortIn(unsigned short port)
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    return inb(port);
#else
    (void)port;
    return kNoByte;
#endif
}

void PortOut(unsigned char value, unsigned short port)
{
#ifdef CABDISPLAY_HAVE_PORT_IO
    outb(value, port);
#else
    (void)value;
    (void)port;
#endif
}

const reg_ops kPortOps = {&OpenPorts, &ClosePorts, &PortIn, &PortOut, nullptr, nullptr};

// --- registers played by a test ---

reg_in_hook hookIn = nullptr;
reg_out_hook hookOut = nullptr;
reg_wait_hook hookWait = nullptr;

int OpenHooks(const char*) { return 0; }
void CloseHooks() {}
unsigned char HookIn(unsigned short port) { return hookIn(port); }
void HookOut(unsigned char value, unsigned short port) { hookOut(value, port); }

bool HookWait(unsigned char mask, long microseconds)
{
    if (hookWait)
        return hookWait(mask, microseconds);
    Sleep(microseconds);
    return true;
}

const reg_ops kHookOps = {&OpenHooks, &CloseHooks, &HookIn, &HookOut, &HookWait, nullptr};

// --- the table ---

std::vector<reg_backend_entry>& Backends()
{
    static std::vector<reg_backend_entry> backends = {
        {"ports", "ports", "the cab's MVB interface device on the x86 I/O ports", &kPortOps}};
    return backends;
}

const reg_ops* current = nullptr;

bool IsPrefix(const char* name)
{
    const std::size_t length = std::strlen(name);
    return length > 0 && name[length - 1] == ':';
}

// The ways known, as the error line lists them.
std::string Choices()
{
    std::string text;
    const std::vector<reg_backend_entry>& backends = Backends();
    for (std::size_t i = 0; i < backends.size(); ++i) {
        if (i > 0)
            text += i + 1 == backends.size() ? " or " : ", ";
        text += std::string(backends[i].shown) + " (" + backends[i].what + ")";
    }
    return text;
}

// The way CABDISPLAY_MVB names and its argument; ends the program when it
// names none.
const reg_backend_entry& Chosen(std::string& argument)
{
    const char* value = std::getenv(kVariable);
    const std::string choice = value ? value : "";
    for (const reg_backend_entry& entry : Backends()) {
        const std::string name = entry.name;
        if (IsPrefix(entry.name) ? choice.compare(0, name.size(), name) == 0 : choice == name) {
            argument = IsPrefix(entry.name) ? choice.substr(name.size()) : "";
            return entry;
        }
    }
    if (choice.empty())
        std::fprintf(stderr, "%s is not set: set it to %s\n", kVariable, Choices().c_str());
    else
        std::fprintf(stderr, "%s=\"%s\" is not understood: set it to %s\n", kVariable, choice.c_str(),
                     Choices().c_str());
    std::exit(2);
}

}  // namespace

void reg_add_backend(const reg_backend_entry& entry)
{
    for (reg_backend_entry& known : Backends())
        if (std::strcmp(known.name, entry.name) == 0) {
            known = entry;
            return;
        }
    Backends().push_back(entry);
}

void reg_check_choice()
{
    std::string argument;
    Chosen(argument);
}

int reg_open()
{
    reg_close();
    if (hookIn && hookOut) {
        current = &kHookOps;
        return 0;
    }
    std::string argument;
    const reg_ops* ops = Chosen(argument).ops;
    const int status = ops->open(argument.c_str());
    current = status == 0 ? ops : nullptr;
    return status == 0 ? 0 : 2;
}

void reg_close()
{
    if (current)
        current->close();
    current = nullptr;
}

bool reg_is_open()
{
    return current != nullptr;
}

bool reg_reopen_lost()
{
    return current && current->reopen && current->reopen();
}

void reg_install_hooks(reg_in_hook in, reg_out_hook out, reg_wait_hook wait)
{
    reg_close();
    hookIn = in;
    hookOut = out;
    hookWait = wait;
}

unsigned char reg_in(unsigned short port)
{
    return current ? current->in(port) : kNoByte;
}

void reg_out(unsigned char value, unsigned short port)
{
    if (current)
        current->out(value, port);
}

bool reg_wait(unsigned char mask, long microseconds)
{
    if (current && current->wait)
        return current->wait(mask, microseconds);
    Sleep(microseconds);
    return current != nullptr;
}
