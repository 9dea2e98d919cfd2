// Scenario reader fuzz target: any text through mvbsim's scenario parser.
// A refused text names its line; an accepted one holds events in time order
// whose fields are inside their ranges.
#include "FuzzSupport.h"

#include "Scenario.h"

#include <string>

using fuzzsupport::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    mvbsim::Scenario scenario;
    std::string error;
    if (!mvbsim::ParseScenario(text, scenario, error)) {
        Check(error.compare(0, 5, "line ") == 0, "a refused scenario does not name its line");
        return 0;
    }
    unsigned long last = 0;
    for (const mvbsim::Event& event : scenario.events) {
        Check(event.atMs >= last, "events out of time order");
        last = event.atMs;
        switch (event.kind) {
        case mvbsim::Event::Word:
            Check(event.port < mue_sim::MueDevice::kPortCount, "port outside 0-4095");
            Check(event.word < mue_sim::MueDevice::kPortWords, "word outside 0-15");
            break;
        case mvbsim::Event::Keys:
            Check(!event.bytes.empty(), "key event without bytes");
            break;
        case mvbsim::Event::Fault: {
            mue_sim::MueDevice::Faults faults;
            Check(mvbsim::ApplyFault(event.fault, faults), "unknown fault accepted");
            break;
        }
        case mvbsim::Event::Delay:
            Check(event.delayMs <= mvbsim::kLongestReplyDelayMs, "reply delay above its limit");
            break;
        case mvbsim::Event::Close:
            break;
        }
    }
    return 0;
}
