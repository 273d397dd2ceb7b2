// Synchronous counters: the presettable 74LS160-163, the up/down 74LS190
// with one clock and the 74LS192/193 with an up and a down clock. The count
// is the four Q output voltages read back, QA the least significant; loads
// and clears take the data as levels and drive H or L.
#include <array>
#include <cstdint>

#include "chips/chip_models.h"

namespace vorlisk {
namespace {

bool asserted_low(const ChipPins& p, int pin) { return !p.high(pin); }

struct CounterPins {
    std::array<uint8_t, 4> data;  // A B C D
    std::array<uint8_t, 4> q;     // QA QB QC QD
};

constexpr CounterPins kSyncPins{{3, 4, 5, 6}, {14, 13, 12, 11}};    // 74LS160-163
constexpr CounterPins kUpDownPins{{15, 1, 10, 9}, {3, 2, 6, 7}};    // 74LS190, 192, 193

int stored_count(const ChipPins& p, const CounterPins& k) {
    int v = 0;
    for (int bit = 0; bit < 4; ++bit) v |= p.stored(k.q[bit]) << bit;
    return v;
}

int data_code(const ChipPins& p, const CounterPins& k) {
    int v = 0;
    for (int bit = 0; bit < 4; ++bit) v |= p.high(k.data[bit]) << bit;
    return v;
}

void drive_count(ChipPins& p, const CounterPins& k, int v) {
    for (int bit = 0; bit < 4; ++bit) p.drive(k.q[bit], (v >> bit) & 1);
}

// One count up. The decade types toggle their flip-flops as their logic
// does: QA always, QB when QA and not QD, QC when QA and QB, QD when QA, QB
// and QC or when QA and QD. Within 0-9 that is the BCD count; a count
// loaded outside it finds its way back as the real chips' state diagram
// shows: 10 -> 11 -> 6, 12 -> 13 -> 4, 14 -> 15 -> 2.
int count_up(int v, bool decade) {
    if (!decade) return (v + 1) & 15;
    const bool a = v & 1, b = v & 2, c = v & 4, d = v & 8;
    const int toggles = 1 | (a && !d) << 1 | (a && b) << 2 | ((a && b && c) || (a && d)) << 3;
    return v ^ toggles;
}

// One count down: 0 goes to the top (9 or 15); a decade count above 9
// steps down by one until it is back at 9.
int count_down(int v, bool decade) {
    if (v == 0) return decade ? 9 : 15;
    return v - 1;
}

// The terminal count a carry decodes counting up: 15, or QA and QD on the
// decade types (so also 11, 13 and 15 outside the count).
bool at_maximum(int v, bool decade) { return decade ? (v & 9) == 9 : v == 15; }

// 74LS160-163. Rising CLK; load synchronous and ahead of the enables;
// clear asynchronous (160, 161) or synchronous and ahead of load (162,
// 163); RCO = ENT and the terminal count, whatever ENP.
void presettable_counter(ChipPins& p, bool decade, bool sync_clear) {
    constexpr int kClear = 1, kClock = 2, kEnableP = 7, kLoad = 9, kEnableT = 10, kRipple = 15;
    const bool edge = p.rising_edge(kClock);
    int v = stored_count(p, kSyncPins);
    const bool clear = asserted_low(p, kClear);
    if (clear && !sync_clear) {
        v = 0;
    } else if (edge) {
        if (clear)
            v = 0;
        else if (asserted_low(p, kLoad))
            v = data_code(p, kSyncPins);
        else if (p.high(kEnableP) && p.high(kEnableT))
            v = count_up(v, decade);
    }
    drive_count(p, kSyncPins, v);
    p.drive(kRipple, p.high(kEnableT) && at_maximum(v, decade));
}

// 74LS192, 193: UP and DOWN clocks. A count happens on the rising edge of
// one clock while the other is high; with both rising in the same pass
// neither was high while the other rose, so nothing counts. CLR (active
// high) wins over /LOAD; /LOAD is asynchronous and transparent. The carry
// and borrow are combinational, low while their clock is low.
void dual_clock_counter(ChipPins& p, bool decade) {
    constexpr int kDown = 4, kUp = 5, kLoad = 11, kCarry = 12, kBorrow = 13, kClear = 14;
    const bool up_edge = p.rising_edge(kUp);
    const bool down_edge = p.rising_edge(kDown);
    int v = stored_count(p, kUpDownPins);
    if (p.high(kClear))
        v = 0;
    else if (asserted_low(p, kLoad))
        v = data_code(p, kUpDownPins);
    else if (up_edge && !down_edge && p.high(kDown))
        v = count_up(v, decade);
    else if (down_edge && !up_edge && p.high(kUp))
        v = count_down(v, decade);
    drive_count(p, kUpDownPins, v);
    p.drive(kCarry, !(at_maximum(v, decade) && p.low(kUp)));
    p.drive(kBorrow, !(v == 0 && p.low(kDown)));
}

}  // namespace

void chip_74ls160(ChipPins& p, const ChipRow&) { presettable_counter(p, true, false); }
void chip_74ls161(ChipPins& p, const ChipRow&) { presettable_counter(p, false, false); }
void chip_74ls162(ChipPins& p, const ChipRow&) { presettable_counter(p, true, true); }
void chip_74ls163(ChipPins& p, const ChipRow&) { presettable_counter(p, false, true); }

// 74LS190, decade up/down with one clock: counts on a rising CLK while
// /CTEN is low, up while D/U is low. /LOAD is asynchronous and transparent.
// MAX/MIN is high at the top counting up (QA and QD) or at 0 counting down,
// whatever /CTEN and CLK; /RCO is low while MAX/MIN is high, /CTEN low and
// CLK low.
void chip_74ls190(ChipPins& p, const ChipRow&) {
    constexpr int kEnable = 4, kDownUp = 5, kLoad = 11, kMaxMin = 12, kRipple = 13, kClock = 14;
    const bool edge = p.rising_edge(kClock);
    int v = stored_count(p, kUpDownPins);
    const bool down = p.high(kDownUp);
    if (asserted_low(p, kLoad))
        v = data_code(p, kUpDownPins);
    else if (edge && asserted_low(p, kEnable))
        v = down ? count_down(v, true) : count_up(v, true);
    drive_count(p, kUpDownPins, v);
    const bool max_min = down ? v == 0 : at_maximum(v, true);
    p.drive(kMaxMin, max_min);
    p.drive(kRipple, !(max_min && asserted_low(p, kEnable) && p.low(kClock)));
}

void chip_74ls192(ChipPins& p, const ChipRow&) { dual_clock_counter(p, true); }
void chip_74ls193(ChipPins& p, const ChipRow&) { dual_clock_counter(p, false); }

}  // namespace vorlisk
