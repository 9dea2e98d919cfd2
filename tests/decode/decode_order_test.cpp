// Rules that depend on other rules of the same tick, on the FLG2 marker or on
// what an earlier tick left: auxiliary contactors, pantographs, direction,
// driver switches, redundant control unit, energy saving, the node list and
// the effort split.
#include "DecodeFixture.h"

using namespace decodetest;

namespace {

class DecodeOrder : public DecodeTest {
protected:
    // Keeps the store, clears the bus, then the writes and one tick.
    void NextTick(const Writes& writes, bool flg2Marker = false)
    {
        ZeroAllPorts();
        if (flg2Marker) SetFlg2Marker(true);
        Apply(writes);
        Tick();
    }
};

// ---- Auxiliary contactors 52_1 to 52_5 ----

// Converter fault cells 5, 6, 7 come from x035 word 1 bits 3, 4, 5 in the
// same tick. Sources: 3950 bits 11, 12, 13, 4000 bit 8, 3900 bits 11, 12.
TEST_F(DecodeOrder, AuxContactorsFollowThisTicksConverterFaultCells)
{
    const Writes allSources = {{3950, 0, B(11) | B(12) | B(13)}, {4000, 0, B(8)},
                               {3900, 0, B(11) | B(12)}};
    const struct { const char* what; unsigned short cells; Writes sources; int expected[5]; } cases[] = {
        {"none, all sources", 0, allSources, {1, 0, 1, 0, 1}},
        {"cell 5, all sources", B(3), allSources, {1, 0, 1, 1, 0}},
        {"cell 6, all sources", B(4), allSources, {0, 0, 1, 1, 1}},
        {"cell 7, all sources", B(5), allSources, {0, 1, 0, 1, 1}},
        {"cells 5 and 6", B(3) | B(4), allSources, {0, 0, 0, 0, 0}},
        {"cells 6 and 7", B(4) | B(5), allSources, {0, 0, 0, 0, 0}},
        {"cells 5 and 7", B(3) | B(5), allSources, {0, 0, 0, 0, 0}},
        {"all three cells", B(3) | B(4) | B(5), allSources, {0, 0, 0, 0, 0}},
        {"none, 3950 bit 11", 0, {{3950, 0, B(11)}}, {1, 0, 0, 0, 0}},
        {"none, 4000 bit 8", 0, {{4000, 0, B(8)}}, {0, 0, 1, 0, 0}},
        {"none, 3900 bit 12", 0, {{3900, 0, B(12)}}, {0, 0, 0, 0, 1}},
        {"none, 3900 bit 11 unused", 0, {{3900, 0, B(11)}}, {0, 0, 0, 0, 0}},
        {"cell 5, 3950 bit 13", B(3), {{3950, 0, B(13)}}, {0, 0, 0, 1, 0}},
        {"cell 5, 3900 bit 12 unused", B(3), {{3900, 0, B(12)}}, {0, 0, 0, 0, 0}},
        {"cell 6, 3900 bit 11", B(4), {{3900, 0, B(11)}}, {0, 0, 0, 1, 0}},
        {"cell 6, 3950 bit 11 unused", B(4), {{3950, 0, B(11)}}, {0, 0, 0, 0, 0}},
        {"cell 7, 3950 bit 12", B(5), {{3950, 0, B(12)}}, {0, 1, 0, 0, 0}},
        {"cell 7, 3950 bit 13", B(5), {{3950, 0, B(13)}}, {0, 0, 0, 1, 0}},
    };
    for (bool flg2 : {false, true}) {
        for (const auto& c : cases) {
            Writes writes = c.sources;
            writes.push_back({flg2 ? 1535 : 1035, 1, c.cells});
            TickWith(writes, flg2);
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(store->AuxContactors[i], c.expected[i])
                    << (flg2 ? "FLG2: " : "FLG1: ") << c.what << ", contactor " << i;
        }
    }
}

// ---- Pantographs ----

// First rule on fixed ports; with port 1500 word 2 at the marker the FLG2
// side rewrites both afterwards.
TEST_F(DecodeOrder, PantographsFirstRuleThenFlg2Rewrite)
{
    const struct { const char* what; bool marker; Writes writes; int panto1, panto2; } cases[] = {
        {"1115: cab 2 key with switch", false, {{1115, 0, B(8)}, {1010, 4, B(8)}, {1035, 0, B(9)}}, 1, 0},
        {"1115: cab 1 key with switch", false, {{1115, 0, B(8)}, {1010, 3, B(7)}, {1035, 0, B(9)}}, 0, 1},
        {"1115: keys without switch", false, {{1115, 0, B(8)}, {1010, 3, B(7)}, {1010, 4, B(8)}}, 0, 0},
        {"1115: switch alone", false, {{1115, 0, B(8)}, {1035, 0, B(9)}}, 0, 0},
        {"1115 before 1710", false, {{1115, 0, B(8)}, {1710, 0, B(12)}}, 0, 0},
        {"1710 bit 12", false, {{1710, 0, B(12)}, {1710, 0, B(11)}}, 1, 0},
        {"1710 bit 11", false, {{1710, 0, B(11)}}, 0, 1},
        {"nothing", false, {}, 0, 0},
        {"FLG2: cab 2 key with switch", true, {{1510, 4, B(8)}, {1535, 0, B(9)}}, 1, 0},
        {"FLG2: cab 1 key with switch", true, {{1510, 3, B(7)}, {1535, 0, B(9)}}, 0, 1},
        {"FLG2: key without switch", true, {{1510, 4, B(8)}}, 0, 0},
        {"FLG2 rewrites 1710", true, {{1710, 0, B(12)}}, 0, 0},
        {"FLG2 rewrites 1115 rule", true, {{1115, 0, B(8)}, {1010, 4, B(8)}, {1035, 0, B(9)}}, 0, 0},
        {"FLG2 ports ignored without marker", false, {{1510, 4, B(8)}, {1535, 0, B(9)}}, 0, 0},
    };
    for (const auto& c : cases) {
        TickWith(c.writes, c.marker);
        EXPECT_EQ(store->Panto1Up, c.panto1) << c.what;
        EXPECT_EQ(store->Panto2Up, c.panto2) << c.what;
    }
}

// ---- Direction ----

// Each case runs after a tick that left both flags 1, so "unchanged" shows.
TEST_F(DecodeOrder, DirectionByCabAndMarker)
{
    const int kept = 1;
    const struct { const char* what; bool marker; Writes writes; int forward, reverse; } cases[] = {
        {"cab 1: 1105 forward", false, {{1010, 3, B(7)}, {1105, 0, B(12)}}, 1, 0},
        {"cab 1: 1215 forward", false, {{1010, 3, B(7)}, {1215, 0, B(8)}}, 1, 0},
        {"cab 1: 1105 reverse", false, {{1010, 3, B(7)}, {1105, 0, B(13)}}, 0, 1},
        {"cab 1: 1215 reverse", false, {{1010, 3, B(7)}, {1215, 0, B(9)}}, 0, 1},
        {"cab 1: cab 2 switches ignored", false, {{1010, 3, B(7)}, {1605, 0, B(12)}, {1715, 0, B(9)}}, 0, 0},
        {"cab 2: 1605 forward", false, {{1010, 4, B(8)}, {1605, 0, B(12)}}, 1, 0},
        {"cab 2: 1715 forward", false, {{1010, 4, B(8)}, {1715, 0, B(8)}}, 1, 0},
        {"cab 2: 1605 reverse", false, {{1010, 4, B(8)}, {1605, 0, B(13)}}, 0, 1},
        {"cab 2: 1715 reverse", false, {{1010, 4, B(8)}, {1715, 0, B(9)}}, 0, 1},
        {"cab 2: nothing set", false, {{1010, 4, B(8)}}, 0, 0},
        {"cab 1 before cab 2", false, {{1010, 3, B(7)}, {1010, 4, B(8)}, {1605, 0, B(12)}}, 0, 0},
        {"FLG2 keys without marker", false, {{1510, 3, B(7)}, {1105, 0, B(12)}}, kept, kept},
        {"FLG2 cab 1: forward", true, {{1510, 3, B(7)}, {1215, 0, B(8)}}, 1, 0},
        {"FLG2 cab 1: reverse", true, {{1510, 3, B(7)}, {1105, 0, B(13)}}, 0, 1},
        {"FLG2 cab 2: nothing set gives both", true, {{1510, 4, B(8)}}, 1, 1},
        {"FLG2 cab 2: 1605 forward inverted", true, {{1510, 4, B(8)}, {1605, 0, B(12)}}, 0, 1},
        {"FLG2 cab 2: 1715 reverse inverted", true, {{1510, 4, B(8)}, {1715, 0, B(9)}}, 1, 0},
        {"FLG2 cab 2: both set", true, {{1510, 4, B(8)}, {1715, 0, B(8) | B(9)}}, 0, 0},
        {"FLG1 keys with marker", true, {{1010, 3, B(7)}, {1105, 0, B(12)}}, kept, kept},
        {"no cab", false, {{1105, 0, B(12)}}, kept, kept},
        {"no cab, marker", true, {{1715, 0, B(9)}}, kept, kept},
    };
    for (const auto& c : cases) {
        TickWith({{1510, 4, B(8)}}, true);
        ASSERT_EQ(store->DirectionForward, 1);
        ASSERT_EQ(store->DirectionReverse, 1);
        NextTick(c.writes, c.marker);
        EXPECT_EQ(store->DirectionForward, c.forward) << c.what;
        EXPECT_EQ(store->DirectionReverse, c.reverse) << c.what;
    }
}

// ---- Driver switches and relays ----

// By port 1500 word 2: 0 reads the FLG1 side, 0xF2AC the FLG2 side, any other
// value keeps what the last tick decoded.
TEST_F(DecodeOrder, DriverSwitchesBySelectorValue)
{
    const struct { const char* what; Field field; Write flg1; Write flg2; } switches[] = {
        {"panto switch", FIELD(DriverSwitchPanto), {1035, 0, B(9)}, {1535, 0, B(9)}},
        {"minimum voltage relay", FIELD(MinimumVoltageRelay), {103, 9, B(2)}, {203, 9, B(2)}},
        {"hotel load switch", FIELD(DriverSwitchHotelLoad), {1010, 2, B(3)}, {1510, 2, B(3)}},
        {"vcb switch", FIELD(DriverSwitchVcb), {1035, 0, B(10)}, {1535, 0, B(10)}},
    };
    const struct { unsigned short selector; int fromFlg1, fromFlg2; } selectors[] = {
        {0, 1, 0}, {kMarker, 0, 1},
    };
    for (const auto& sel : selectors) {
        for (const auto& sw : switches) {
            for (bool useFlg2 : {false, true}) {
                Reset();
                SetWord(1500, 2, sel.selector);
                Apply({useFlg2 ? sw.flg2 : sw.flg1});
                Tick();
                const int expected = useFlg2 ? sel.fromFlg2 : sel.fromFlg1;
                for (const auto& other : switches)
                    EXPECT_EQ(other.field(*store), &other == &sw ? expected : 0)
                        << "selector " << sel.selector << ", " << (useFlg2 ? "FLG2 " : "FLG1 ")
                        << sw.what << " set, reading " << other.what;
            }
        }
    }

    // Another value keeps everything, relay word included.
    Reset();
    Apply({switches[0].flg1, switches[1].flg1, switches[2].flg1, switches[3].flg1, {1110, 0, 0x5A5A}});
    Tick();
    NextTick({{1500, 2, 0x1234}, {1110, 0, 0x1111}});
    for (const auto& sw : switches) EXPECT_EQ(sw.field(*store), 1) << "kept " << sw.what;
    EXPECT_EQ(store->PrimaryOverCurrentRelay, 0x5A5A);
}

TEST_F(DecodeOrder, OverCurrentRelayOnlyFromTheFlg1Selector)
{
    TickWith({{1110, 0, 0x5A5A}});
    EXPECT_EQ(store->PrimaryOverCurrentRelay, 0x5A5A);
    NextTick({{1110, 0, 0x1111}}, true);
    EXPECT_EQ(store->PrimaryOverCurrentRelay, 0x5A5A) << "kept with the FLG2 marker";
    NextTick({{1110, 0, 0x1111}});
    EXPECT_EQ(store->PrimaryOverCurrentRelay, 0x1111);
}

// ---- Redundant control unit ----

TEST_F(DecodeOrder, RedundantControlUnit)
{
    const struct { const char* what; bool marker; Writes writes; int expected; } cases[] = {
        {"FLG2 bit 4 with marker", true, {{1535, 2, B(4)}}, 1},
        {"FLG2 bit 4 and 14", true, {{1535, 2, B(4) | B(14)}}, 0},
        {"FLG2 bit 4 without marker", false, {{1535, 2, B(4)}}, 0},
        {"FLG1 bit 4 with 1000 marker", false, {{1035, 2, B(4)}, {1000, 2, kMarker}}, 1},
        {"FLG1 bit 4 and 14", false, {{1035, 2, B(4) | B(14)}, {1000, 2, kMarker}}, 0},
        {"FLG1 bit 4 without 1000 marker", false, {{1035, 2, B(4)}}, 0},
        {"FLG1 rule also with FLG2 marker", true, {{1035, 2, B(4)}, {1000, 2, kMarker}}, 1},
        {"1000 marker alone", false, {{1000, 2, kMarker}}, 0},
    };
    for (const auto& c : cases) {
        TickWith(c.writes, c.marker);
        EXPECT_EQ(store->VcuRedundant, c.expected) << c.what;
    }
}

// ---- Energy saving and the node list ----

TEST_F(DecodeOrder, EnergySavingCountsTo149ThenReads600)
{
    const Writes saving = {{2025, 11, 1}, {2125, 11, 1}};
    Reset();
    Apply(saving);
    Tick(149);
    EXPECT_EQ(store->EnergySavingMode, 149);
    Tick();
    EXPECT_EQ(store->EnergySavingMode, 600);
    Tick(200);
    EXPECT_EQ(store->EnergySavingMode, 600);

    NextTick({{2025, 11, 1}});
    EXPECT_EQ(store->EnergySavingMode, 0) << "one converter alone ends it";
    NextTick(saving);
    EXPECT_EQ(store->EnergySavingMode, 1) << "counts again from 1";
}

// List entries 5 and 8 are taken before this tick refreshes energy saving and
// the simulation key, so they trail by one tick.
TEST_F(DecodeOrder, NodeListTrailsEnergySavingAndSimulationKeyByOneTick)
{
    const Writes saving = {{2025, 11, 1}, {2125, 11, 1}};
    TickWith(saving);
    EXPECT_EQ(store->EnergySavingActive, 1);
    EXPECT_EQ(store->NodeStates[5], 0);

    Writes savingAndKey = saving;
    savingAndKey.push_back({1035, 0, B(6)});
    NextTick(savingAndKey);
    EXPECT_EQ(store->SimulationKey, 1);
    EXPECT_EQ(store->NodeStates[5], 1);
    EXPECT_EQ(store->NodeStates[8], 0);

    NextTick({{1035, 0, B(6)}});
    EXPECT_EQ(store->NodeStates[5], 1);
    EXPECT_EQ(store->NodeStates[8], 1);
    NextTick({});
    EXPECT_EQ(store->NodeStates[5], 0);
    EXPECT_EQ(store->NodeStates[8], 1);
}

// ---- Effort split ----

constexpr unsigned short Signed(int v) { return static_cast<unsigned short>(v); }

// Port 1020 carries -200 / -150, port 1520 carries 300 / 250.
const Writes kEffortWords = {{1020, 9, Signed(-200)}, {1020, 11, Signed(-150)},
                             {1520, 9, 300}, {1520, 11, 250}};

Writes WithEffort(Writes writes)
{
    writes.insert(writes.end(), kEffortWords.begin(), kEffortWords.end());
    return writes;
}

TEST_F(DecodeOrder, EffortSourceChoice)
{
    const struct { const char* what; bool marker; Writes writes; double demand, actual; } cases[] = {
        {"1000 marker", false, {{1000, 2, kMarker}}, -20.0, -15.0},
        {"1000 marker before FLG2 marker", true, {{1000, 2, kMarker}}, -20.0, -15.0},
        {"FLG2 marker", true, {}, 30.0, 25.0},
        {"FLG2 marker before cab 1 key", true, {{1010, 3, B(7)}}, 30.0, 25.0},
        {"FLG1 cab 1 key", false, {{1010, 3, B(7)}}, -20.0, -15.0},
        {"FLG2 cab 1 key", false, {{1510, 3, B(7)}}, -20.0, -15.0},
        {"FLG1 cab 2 key", false, {{1010, 4, B(8)}}, 30.0, 25.0},
        {"FLG2 cab 2 key", false, {{1510, 4, B(8)}}, 30.0, 25.0},
        {"cab 1 before cab 2", false, {{1010, 3, B(7)}, {1510, 4, B(8)}}, -20.0, -15.0},
    };
    for (const auto& c : cases) {
        TickWith(WithEffort(c.writes), c.marker);
        ExpectValue(store->TeBeDemand, c.demand, c.what);
        ExpectValue(store->TeBeActual, c.actual, c.what);
        ExpectValue(store->TeBeDemandIndicator, c.demand, c.what);
        ExpectValue(store->TeBeActualIndicator, c.actual, c.what);
    }
}

// Mode cases on port 1020 (cab 1 key). Each runs once after a traction tick
// and once after a braking tick on port 1520 (300 / 250), so kept values show.
TEST_F(DecodeOrder, EffortSplitByMode)
{
    const struct {
        const char* what;
        Writes writes;
        double teDemand, teActual;
        int beDemand, beActual;
        int barMode[2];   // after the traction tick, after the braking tick
    } cases[] = {
        {"traction 1215", {{1215, 0, B(10)}}, 6533.6, 6538.6, 0, 0, {0, 0}},
        {"traction 1715", {{1715, 0, B(10)}}, 6533.6, 6538.6, 0, 0, {0, 0}},
        {"traction before braking", {{1215, 0, B(10)}, {1715, 0, B(11)}}, 6533.6, 6538.6, 0, 0, {0, 0}},
        {"braking 1215", {{1215, 0, B(11)}}, 0, 0, 20, 15, {1, 1}},
        {"braking 1715", {{1715, 0, B(11)}}, 0, 0, 20, 15, {1, 1}},
        {"neither keeps the bar mode", {}, 0, 0, 0, 0, {0, 1}},
    };
    const unsigned short primeMode[2] = {B(10), B(11)};
    for (const auto& c : cases) {
        for (int prime = 0; prime < 2; ++prime) {
            TickWith(WithEffort({{1010, 4, B(8)}, {1715, 0, primeMode[prime]}}));
            ASSERT_EQ(store->PressureBarMode, prime);

            Writes writes = WithEffort(c.writes);
            writes.push_back({1010, 3, B(7)});
            NextTick(writes);
            const std::string what = std::string(c.what) + (prime ? " after braking" : " after traction");
            ExpectValue(store->TeBeDemand, -20.0, what);
            ExpectValue(store->TeDemand, c.teDemand, what);
            ExpectValue(store->TeActual, c.teActual, what);
            EXPECT_EQ(store->BeDemand, c.beDemand) << what;
            EXPECT_EQ(store->BeActual, c.beActual) << what;
            EXPECT_EQ(store->PressureBarMode, c.barMode[prime]) << what;
        }
    }
}

TEST_F(DecodeOrder, BrakingEffortTruncatesTowardZero)
{
    TickWith({{1010, 3, B(7)}, {1215, 0, B(11)}, {1020, 9, Signed(-205)}, {1020, 11, Signed(-9)}});
    EXPECT_EQ(store->BeDemand, 20);
    EXPECT_EQ(store->BeActual, 0);
    ExpectValue(store->TeBeDemand, -20.5, "signed demand");
}

TEST_F(DecodeOrder, NoEffortSourceKeepsEveryEffortValue)
{
    TickWith(WithEffort({{1010, 3, B(7)}, {1715, 0, B(11)}}));
    NextTick(WithEffort({{1715, 0, B(10)}}));
    ExpectValue(store->TeBeDemand, -20.0, "demand");
    ExpectValue(store->TeBeActualIndicator, -15.0, "actual indicator");
    EXPECT_EQ(store->BeDemand, 20);
    EXPECT_EQ(store->BeActual, 15);
    ExpectValue(store->TeDemand, 0, "traction demand");
    EXPECT_EQ(store->PressureBarMode, 1);
}

}  // namespace
