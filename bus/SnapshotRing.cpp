#include "SnapshotRing.h"

#include "ReadMVBData.h"

SensorData MakeSensorRecord(int slot)
{
    SensorData record{};
    record.RecordMarker = kSensorRecordMarker;
    record.RingIndex = static_cast<unsigned short>(slot);
    record.CheckValue = static_cast<unsigned short>(kSensorCheckBase + slot);
    return record;
}

// The tick's ring step: write this slot, advance, and at the stop slot after
// an event hand over to the right-side copy (which does nothing).
void ReadMVBData::WriteRingRecord()
{
    if (PacketRingIndex >= static_cast<unsigned int>(kSensorRingSlots)) PacketRingIndex = 0;
    SensorPacketRing[PacketRingIndex] = MakeSensorRecord(static_cast<int>(PacketRingIndex));
    if (++PacketRingIndex == static_cast<unsigned int>(kSensorRingSlots)) PacketRingIndex = 0;
    if (EventState == 1 && SnapshotStopIndex == PacketRingIndex)
        getPutDatapacketforRightSide(static_cast<int>(SnapshotStopIndex));
}

int ReadMVBData::getStartpacketIndex(int i)
{
    int back = static_cast<int>(SnapshotBackCount);
    if (back <= i) return i - back;
    SnapshotBackCount = static_cast<unsigned int>(back - i);
    return (kSensorRingSlots - 1) - (back - i);
}

int ReadMVBData::getDataFinal(int j, SensorData* snapshot, SensorData* ring, int k)
{
    snapshot[k] = ring[j];
    return j + 1 == kSensorRingSlots ? 0 : j + 1;
}

void ReadMVBData::getPutDatapacket(int i)
{
    int j = getStartpacketIndex(i);
    for (int k = 0; k < kSensorSnapshotRecords; ++k)
        j = getDataFinal(j, SensorPacketSnapshot, SensorPacketRing, k);
}

int ReadMVBData::rightsideStopindex(int i)
{
    return i > 10 ? i - 11 : static_cast<int>(SnapshotBackCount) + i;
}

int ReadMVBData::getDataFinalRightSide(int j, SensorData* snapshot, SensorData* ring, int k)
{
    snapshot[k] = ring[j];
    return j == 0 ? kSensorRingSlots - 1 : j - 1;
}

void ReadMVBData::getPutDatapacketforRightSide(int) {}
