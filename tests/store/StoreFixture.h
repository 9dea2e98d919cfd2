// A store with its start values, an all-zero bus and a private working
// directory; the test drives the decode tick itself.
#ifndef CABDISPLAY_TESTS_STORE_STOREFIXTURE_H
#define CABDISPLAY_TESTS_STORE_STOREFIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <sys/stat.h>

#include "AllPorts.h"
#include "BusWords.h"
#include "KeypadLine.h"
#include "ReadMVBData.h"
#include "TestSupport.h"

namespace storetest {

inline void SetPortBit(unsigned short* port, int word, int bit, bool on = true)
{
    const unsigned short mask = static_cast<unsigned short>(1u << bit);
    port[word] = static_cast<unsigned short>(on ? (port[word] | mask) : (port[word] & ~mask));
}

inline bool FileThere(const char* path)
{
    struct stat st;
    return ::stat(path, &st) == 0;
}

inline bool PortBit(const unsigned short* port, int word, int bit)
{
    return Bit(port[word], bit) == 1;
}

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ZeroAllPorts();
        DropPendingKeys();
        bufkey[0] = 0;
        store.reset(new ReadMVBData(ReadMVBData::StartValuesOnly{}));
    }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i) store->PrintKey();
    }

    testsupport::TempWorkDir dir;
    std::unique_ptr<ReadMVBData> store;
};

}  // namespace storetest

#endif
