// The decode tick works on fixed buffers: a few hundred ticks on a busy bus
// allocate nothing on the heap (settings-file writes apart, which these
// ticks do not make).
#include "StoreFixture.h"

#include <cstdlib>
#include <new>

#include "BusWords.h"

namespace {
long g_allocations = 0;
bool g_counting = false;

void* CountedAllocation(std::size_t n)
{
    if (g_counting) ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t n) { return CountedAllocation(n); }
void* operator new[](std::size_t n) { return CountedAllocation(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

using storetest::SetPortBit;
using storetest::StoreFixture;

namespace {

// Every word of every port set to a varying pattern, the marker toggled, a
// fault raised and a key pending now and then.
void BusyBus(int tick)
{
    for (const MvbPort& p : mvb_config_ports)
        for (std::size_t w = 0; p.buffer && w < p.size / 2u; ++w)
            p.buffer[w] = static_cast<unsigned short>(tick * 7919u + w * 104729u);
    FLG2_1500[2] = (tick / 50) % 2 ? kFlg2Marker : 0;
    DDU_300[0] &= 0x7FFF;   // no wheel diameters from the bus (that would save a file)
    DDA2_1804[0] = tick % 3 ? 12000 : 0;
    if (tick % 17 == 0) KeySelected = 0x31;
}

}  // namespace

TEST_F(StoreFixture, TickAllocatesNothing)
{
    // Nothing connected: sigc++ allocates a list node per emission of a
    // connected signal, which is the toolkit's cost, not the tick's.
    store->PasswordUnlocked = 1;
    Ticks(30);   // first-use work (stdout buffers and the like) out of the way
    g_allocations = 0;
    for (int tick = 0; tick < 400; ++tick) {
        BusyBus(tick);
        store->CurrentScreen = static_cast<unsigned>(tick % 2 ? 14 : 9);   // screens without files
        g_counting = true;
        store->PrintKey();
        g_counting = false;
    }
    EXPECT_EQ(g_allocations, 0);
}

TEST_F(StoreFixture, ConnectedHandlersCostOnlyTheirEmission)
{
    // With the main window's two handlers connected, each emission costs
    // sigc++ one list node; the tick adds nothing to that.
    int keys = 0;
    store->KeySignal.connect([&](unsigned char) { ++keys; });
    store->DataUpdatedSignal.connect([] {});
    Ticks(30);
    keys = 0;
    g_allocations = 0;
    for (int tick = 0; tick < 400; ++tick) {
        BusyBus(tick);
        store->CurrentScreen = static_cast<unsigned>(tick % 2 ? 14 : 9);
        g_counting = true;
        store->PrintKey();
        g_counting = false;
    }
    EXPECT_GT(keys, 0);
    EXPECT_EQ(g_allocations, 400 + keys);
}

TEST_F(StoreFixture, CountingSeesAllocations)
{
    // The counter itself works.
    g_allocations = 0;
    g_counting = true;
    void* p = ::operator new(24);
    g_counting = false;
    ::operator delete(p);
    EXPECT_EQ(g_allocations, 1);
}
