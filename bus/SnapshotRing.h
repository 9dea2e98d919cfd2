// Fault snapshot ring: one record per decode tick, eleven of them copied into
// a snapshot when a local fault is raised.
#ifndef CABDISPLAY_BUS_SNAPSHOTRING_H
#define CABDISPLAY_BUS_SNAPSHOTRING_H

// One ring record, fields in record order.
struct SensorData {
    unsigned short RecordMarker;    // 159
    unsigned short RingIndex;       // slot number 0 to 21
    unsigned short SixValues[6];
    unsigned short FourValues[4];
    unsigned short Flag0 : 1, Flag1 : 1, Flag2 : 1, Flag3 : 1, Flag4 : 1, Flag5 : 1,
        Flag6 : 1, Flag7 : 1, Flag8 : 1, Flag9 : 1, Flag10 : 1, Flag11 : 1, Flag12 : 1,
        Flag13 : 1, Flag14 : 1, Flag15 : 1;
    unsigned short Flag16 : 1, Flag17 : 1, Flag18 : 1, Flag19 : 1, Flag20 : 1, Flag21 : 1,
        Flag22 : 1, Flag23 : 1, Flag24 : 1, Flag25 : 1, Flag26 : 1, Flag27 : 1, Flag28 : 1,
        Flag29 : 1, Flag30 : 1, Flag31 : 1;
    unsigned short Spare;
    unsigned short CheckValue;      // 12345 + slot number
};

// Ring geometry.
constexpr int kSensorRingSlots = 22;
constexpr int kSensorSnapshotRecords = 11;
constexpr unsigned short kSensorRecordMarker = 159;
constexpr unsigned short kSensorCheckBase = 12345;

// The record the tick writes into a slot.
SensorData MakeSensorRecord(int slot);

#endif
