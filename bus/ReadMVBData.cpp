#include "ReadMVBData.h"

#include <cmath>
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

// The inching speed in tenths that a stored speed stands for, halves away
// from zero, counted as the inching screen counts them; the stored value has
// already been checked to fit. The product is exact in double, so the cab's
// x87 build counts the same.
unsigned short SpeedInTenths(float speed)
{
    return static_cast<unsigned short>(std::lround(static_cast<double>(speed) * 10.0));
}

}  // namespace

void ReadMVBData::Initialaization()
{
    settingsfiles::LoadWheelDiameters(WheelDiameters);
    Cmain();
    settingsfiles::LoadActualSpeed(StoredActualSpeedVal);
    // Start the inching speed at the stored one, so that the inching screen
    // does not send (and save) 0 before the driver has set anything.
    InchingSpeedTenths = SpeedInTenths(StoredActualSpeedVal);
}

void ReadMVBData::RunCFile()
{
    Glib::signal_timeout().connect(sigc::mem_fun(*this, &ReadMVBData::FetchData), 100);
}

bool ReadMVBData::FetchData()
{
    FetchMVBData();
    return true;
}
