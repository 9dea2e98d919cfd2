// Scenario file parser of mvbsim.
#include "Scenario.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace mvbsim {

namespace {

// Decimal, or hexadecimal after "0x": a leading zero does not make it octal.
bool Number(const std::string& text, unsigned long limit, unsigned long& value)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || !std::isxdigit(static_cast<unsigned char>(digits[0])))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
    return *end == '\0' && errno == 0 && value <= limit;
}

bool ParseLine(std::istringstream& in, Event& event, std::string& error)
{
    std::string time, kind;
    in >> time >> kind;
    unsigned long at = 0;
    if (!Number(time, 0xFFFFFFFFul, at)) {
        error = "time \"" + time + "\" is not a number of milliseconds";
        return false;
    }
    event.atMs = at;
    std::vector<std::string> args;
    for (std::string arg; in >> arg;)
        args.push_back(arg);
    if (kind == "port") {
        unsigned long port, word, value;
        if (args.size() != 3 || !Number(args[0], mue_sim::MueDevice::kPortCount - 1, port) ||
            !Number(args[1], mue_sim::MueDevice::kPortWords - 1, word) || !Number(args[2], 0xFFFF, value)) {
            error = "port needs <port 0-4095> <word 0-15> <value 0-0xFFFF>";
            return false;
        }
        event.kind = Event::Word;
        event.port = static_cast<unsigned>(port);
        event.word = static_cast<unsigned>(word);
        event.value = static_cast<unsigned short>(value);
    } else if (kind == "key") {
        event.kind = Event::Keys;
        for (const std::string& arg : args) {
            unsigned long byte;
            if (!Number(arg, 0xFF, byte)) {
                error = "key byte \"" + arg + "\" is not 0-255";
                return false;
            }
            event.bytes.push_back(static_cast<unsigned char>(byte));
        }
        if (event.bytes.empty()) {
            error = "key needs at least one byte";
            return false;
        }
    } else if (kind == "fault") {
        mue_sim::MueDevice::Faults probe;
        if (args.size() != 1 || !ApplyFault(args[0], probe)) {
            error = "fault needs one of none, no-reply, never-takes, check-swapped, check-unchanged, no-card, garbage";
            return false;
        }
        event.kind = Event::Fault;
        event.fault = args[0];
    } else if (kind == "delay") {
        unsigned long ms = 0;
        if (args.size() != 1 || !Number(args[0], kLongestReplyDelayMs, ms)) {
            error = "delay needs <milliseconds 0-600000>";
            return false;
        }
        event.kind = Event::Delay;
        event.delayMs = static_cast<unsigned>(ms);
    } else if (kind == "close") {
        if (!args.empty()) {
            error = "close takes no arguments";
            return false;
        }
        event.kind = Event::Close;
    } else {
        error = "unknown event \"" + kind + "\" (port, key, fault, delay, close)";
        return false;
    }
    return true;
}

}  // namespace

bool ParseScenario(const std::string& text, Scenario& scenario, std::string& error)
{
    scenario.events.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        std::istringstream in(line);
        Event event;
        if (!ParseLine(in, event, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        scenario.events.push_back(event);
    }
    std::stable_sort(scenario.events.begin(), scenario.events.end(),
                     [](const Event& a, const Event& b) { return a.atMs < b.atMs; });
    return true;
}

bool LoadScenario(const std::string& path, Scenario& scenario, std::string& error)
{
    std::ifstream in(path.c_str());
    if (!in) {
        error = "cannot read the scenario " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseScenario(text.str(), scenario, error);
}

bool ApplyFault(const std::string& name, mue_sim::MueDevice::Faults& faults)
{
    typedef mue_sim::MueDevice::CheckAnswer Answer;
    if (name == "none") {
        const unsigned delay = faults.replyDelayMs;
        faults = mue_sim::MueDevice::Faults();
        faults.replyDelayMs = delay;
    }
    else if (name == "no-reply") faults.noReply = true;
    else if (name == "never-takes") faults.neverTakesBytes = true;
    else if (name == "check-swapped") faults.checkAnswer = Answer::BytesSwapped;
    else if (name == "check-unchanged") faults.checkAnswer = Answer::Unchanged;
    else if (name == "no-card") faults.noCard = true;
    else if (name == "garbage") faults.garbage = true;
    else return false;
    return true;
}

}  // namespace mvbsim
