#include "ReadMVBData.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <glibmm/main.h>

#include "KeypadLine.h"
#include "PortTable.h"
#include "SettingsFiles.h"

ReadMVBData* ReadMVBData::instance = nullptr;

ReadMVBData* ReadMVBData::getInstance()
{
    if (!instance) instance = new ReadMVBData();
    return instance;
}

ReadMVBData::ReadMVBData()
{
    Initialaization();
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &ReadMVBData::PrintKey), 100);
}

ReadMVBData::ReadMVBData(StartValuesOnly) {}

ReadMVBData::~ReadMVBData() = default;

namespace {

constexpr unsigned kPollPeriodMs = 100;

// The inching speeds the vehicle takes, in tenths of a km/h (0.5 to 1.5).
constexpr long kLowestInchingTenths = 5;
constexpr long kHighestInchingTenths = 15;

}  // namespace

void ReadMVBData::Initialaization()
{
    settingsfiles::RemoveLeftovers();
    LoadWheelDiameters();
    Cmain();
    LoadInchingSpeed();
}

// A saved diameter that no screen would let through (outside 1016..1097)
// is not used: it loads as 0, as from a file without it, and is named.
void ReadMVBData::LoadWheelDiameters()
{
    settingsfiles::LoadWheelDiameters(WheelDiameters);
    for (int bogie = 0; bogie < settingsfiles::kBogies; ++bogie) {
        const unsigned short diameter = WheelDiameters[bogie];
        if (diameter == 0 || (diameter >= kLowestWheelDiameter && diameter <= kHighestWheelDiameter)) continue;
        char value[64];
        std::snprintf(value, sizeof value, "%hd of bogie %d", static_cast<short>(diameter), bogie + 1);
        settingsfiles::SayNotUsed(settingsfiles::kWheelDiameterFile, "wheel diameter", value, "1016..1097");
        WheelDiameters[bogie] = 0;
    }
}

void ReadMVBData::LoadInchingSpeed()
{
    settingsfiles::LoadActualSpeed(StoredActualSpeedVal);
    // A saved speed the vehicle takes starts as the inching speed, so the
    // inching screen does not send (and save) 0 before the driver has set
    // anything. Any other saved value (but 0) is not used: the screen and
    // port 301 start from 0, as without the file, and the value is named.
    // The product is exact in double, so the cab's x87 build counts the same.
    const double speed = StoredActualSpeedVal;
    const long tenths = std::isfinite(speed) ? std::lround(speed * 10.0) : 0;
    const bool takes = tenths >= kLowestInchingTenths && tenths <= kHighestInchingTenths;
    if (!takes && speed != 0.0) {
        char value[64];
        std::snprintf(value, sizeof value, "%g km/h", speed);
        settingsfiles::SayNotUsed(settingsfiles::kActualSpeedFile, "inching speed", value, "0.5..1.5 km/h");
        StoredActualSpeedVal = 0;
    }
    InchingSpeedTenths = takes ? static_cast<unsigned short>(tenths) : 0;
}

void ReadMVBData::RunCFile()
{
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &ReadMVBData::FetchData), kPollPeriodMs);
}

bool ReadMVBData::FetchData()
{
    const auto start = std::chrono::steady_clock::now();
    FetchMVBData();
    // A poll that held the main loop for a whole period or more (a slow
    // device, read as far as the poll's budget goes) is due again as soon as
    // it ends, poll after poll, and would keep the screens from being drawn:
    // while the polls are that long, the timer waits behind the drawing of
    // the screens; once they are short again it is back at its own priority.
    const bool yield = std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(kPollPeriodMs);
    if (yield == PollYields)
        return true;
    PollYields = yield;
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &ReadMVBData::FetchData), kPollPeriodMs,
                                   yield ? Glib::PRIORITY_DEFAULT_IDLE : Glib::PRIORITY_DEFAULT);
    return false;
}
