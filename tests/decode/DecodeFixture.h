// A store with its start values on an all-zero bus, in a private working
// directory. Cases name bus values as (port, word, value) and read store
// fields through small accessors.
#ifndef CABDISPLAY_TESTS_DECODE_DECODEFIXTURE_H
#define CABDISPLAY_TESTS_DECODE_DECODEFIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "KeypadLine.h"
#include "PortsByNumber.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

namespace decodetest {

constexpr unsigned short B(int k) { return static_cast<unsigned short>(1u << k); }
constexpr unsigned short kMarker = 0xF2AC;

// One bus word; writes to the same word are OR'ed together.
struct Write {
    int port;
    int word;
    unsigned short value;
};
using Writes = std::vector<Write>;

using Field = double (*)(const ReadMVBData&);
#define FIELD(expr) [](const ReadMVBData& s) -> double { return static_cast<double>(s.expr); }

// FLG1 cab port numbers and their FLG2 counterparts (500 above).
inline bool IsFlg1CabPort(int port)
{
    return port == 1010 || port == 1020 || port == 1030 || port == 1035 || port == 1040;
}

// The same writes moved to the other FLG's cab ports.
inline Writes OnFlg2(Writes writes)
{
    for (Write& w : writes)
        if (IsFlg1CabPort(w.port)) w.port += 500;
    return writes;
}

// Floats compare to about six significant digits (never looser than 0.001,
// so large counters compare exactly).
inline void ExpectValue(double actual, double expected, const std::string& what)
{
    const double tolerance = std::min(1e-3, 1e-6 * std::max(1.0, std::fabs(expected)));
    EXPECT_NEAR(actual, expected, tolerance) << what;
}

class DecodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZeroAllPorts();
        KeySelected = 0;
        bufkey[0] = 0;
        store.reset(new ReadMVBData(ReadMVBData::StartValuesOnly{}));
    }
    void TearDown() override { ZeroAllPorts(); }

    // A fresh store on a zero bus (the store of a previous case is dropped).
    void Reset() { SetUp(); }

    static void Apply(const Writes& writes)
    {
        for (const Write& w : writes) {
            const MvbPort* p = FindPort(w.port);
            ASSERT_NE(p, nullptr) << "port " << w.port;
            ASSERT_LT(w.word, WordCount(*p)) << "port " << w.port;
            p->buffer[w.word] = static_cast<unsigned short>(p->buffer[w.word] | w.value);
        }
    }

    static void SetWord(int port, int word, unsigned short value)
    {
        const MvbPort* p = FindPort(port);
        ASSERT_NE(p, nullptr) << "port " << port;
        ASSERT_LT(word, WordCount(*p)) << "port " << port;
        p->buffer[word] = value;
    }

    static void SetFlg2Marker(bool on) { SetWord(1500, 2, on ? kMarker : 0); }

    void Tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) store->PrintKey();
    }

    // Fresh store and bus, the writes, one decode tick.
    void TickWith(const Writes& writes, bool flg2Marker = false)
    {
        Reset();
        if (flg2Marker) SetFlg2Marker(true);
        Apply(writes);
        Tick();
    }

    testsupport::TempWorkDir dir;
    std::unique_ptr<ReadMVBData> store;
};

}  // namespace decodetest

#endif
