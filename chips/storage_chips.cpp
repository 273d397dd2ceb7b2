// Flip-flop, register and latch chips. Their stored bits are their own Q
// output voltages, read back at the start of each pass; every clock is
// sampled before a clear, preset or enable is acted upon, so an edge that
// arrives while one of those holds the flip-flop is used up without effect.
#include <array>
#include <cstdint>

#include "chips/chip_models.h"

namespace vorlisk {
namespace {

bool asserted_low(const ChipPins& p, int pin) { return !p.high(pin); }

// ---- dual flip-flops ------------------------------------------------------------

// What the clocked row of a flip-flop does with its data inputs.
enum class Clocked : uint8_t { d, jk, jk_bar };

struct FlipFlopPins {
    uint8_t clk, pre, clr;
    uint8_t j;  // D on the 74LS74
    uint8_t k;  // K, or K-bar on the 74LS109; unused on the 74LS74
    uint8_t q, qbar;
};

struct DualFlipFlop {
    Clocked logic;
    bool rising;  // clock edge direction
    std::array<FlipFlopPins, 2> ff;
};

constexpr DualFlipFlop k74LS74{Clocked::d, true, {{{3, 4, 1, 2, 0, 5, 6}, {11, 10, 13, 12, 0, 9, 8}}}};
constexpr DualFlipFlop k74LS76{Clocked::jk, false, {{{1, 2, 3, 4, 16, 15, 14}, {6, 7, 8, 9, 12, 11, 10}}}};
constexpr DualFlipFlop k74LS109{Clocked::jk_bar, true, {{{4, 5, 1, 2, 3, 6, 7}, {12, 11, 15, 14, 13, 10, 9}}}};
constexpr DualFlipFlop k74LS112{Clocked::jk, false, {{{1, 4, 15, 3, 2, 5, 6}, {13, 10, 14, 11, 12, 9, 7}}}};

void clocked_row(ChipPins& p, Clocked logic, const FlipFlopPins& f) {
    if (logic == Clocked::d) {
        p.pass(f.q, f.j);
        p.pass_inverted(f.qbar, f.j);
        return;
    }
    bool j = p.high(f.j);
    bool k = logic == Clocked::jk ? p.high(f.k) : !p.high(f.k);
    if (j && k) {  // toggle: swap the two output voltages
        float q = p.out(f.q), qbar = p.out(f.qbar);
        p.set(f.q, qbar);
        p.set(f.qbar, q);
    } else if (j != k) {
        p.drive(f.q, j);
        p.drive(f.qbar, k);
    }  // neither: hold
}

void dual_flip_flop(ChipPins& p, const DualFlipFlop& chip) {
    // Q-bar is recomputed from the stored Q first; this is what makes a
    // flip-flop released from clear and preset together come out storing 1.
    for (const FlipFlopPins& f : chip.ff) p.drive(f.qbar, !p.stored(f.q));
    std::array<bool, 2> edge{};
    for (size_t i = 0; i < 2; ++i)
        edge[i] = chip.rising ? p.rising_edge(chip.ff[i].clk) : p.falling_edge(chip.ff[i].clk);
    for (size_t i = 0; i < 2; ++i) {
        const FlipFlopPins& f = chip.ff[i];
        bool clear = asserted_low(p, f.clr), preset = asserted_low(p, f.pre);
        if (clear || preset) {
            p.drive(f.q, preset);
            p.drive(f.qbar, clear);
        } else if (edge[i]) {
            clocked_row(p, chip.logic, f);
        }
    }
}

// ---- registers and the latch ------------------------------------------------------

struct StorageBit {
    uint8_t d, q;
    uint8_t qbar;  // 0: the package has no complementary output
};

struct Register {
    uint8_t clr, clk;  // clear active low, clock rising
    std::array<StorageBit, 8> bits;  // d == 0 ends the list
};

constexpr std::array<StorageBit, 8> kOctal{
    {{3, 2, 0}, {4, 5, 0}, {7, 6, 0}, {8, 9, 0}, {13, 12, 0}, {14, 15, 0}, {17, 16, 0}, {18, 19, 0}}};

constexpr Register k74LS174{1, 9, {{{3, 2, 0}, {4, 5, 0}, {6, 7, 0}, {11, 10, 0}, {13, 12, 0}, {15, 14, 0}}}};
constexpr Register k74LS175{1, 9, {{{4, 2, 3}, {5, 7, 6}, {12, 10, 11}, {13, 15, 14}}}};
constexpr Register k74LS273{1, 11, kOctal};

void clear_bits(ChipPins& p, const std::array<StorageBit, 8>& bits) {
    for (const StorageBit& b : bits) {
        if (b.d == 0) break;
        p.drive(b.q, false);
        if (b.qbar) p.drive(b.qbar, false);  // Q-bar reads low during clear too
    }
}

void take_data(ChipPins& p, const std::array<StorageBit, 8>& bits) {
    for (const StorageBit& b : bits) {
        if (b.d == 0) break;
        p.pass(b.q, b.d);
        if (b.qbar) p.pass_inverted(b.qbar, b.d);
    }
}

// Q-bar outputs are written only by a clear or an edge, never from Q.
void register_model(ChipPins& p, const Register& r) {
    bool edge = p.rising_edge(r.clk);
    if (asserted_low(p, r.clr))
        clear_bits(p, r.bits);
    else if (edge)
        take_data(p, r.bits);
}

}  // namespace

void chip_74ls74(ChipPins& p, const ChipRow&) { dual_flip_flop(p, k74LS74); }
void chip_74ls76(ChipPins& p, const ChipRow&) { dual_flip_flop(p, k74LS76); }
void chip_74ls109(ChipPins& p, const ChipRow&) { dual_flip_flop(p, k74LS109); }
void chip_74ls112(ChipPins& p, const ChipRow&) { dual_flip_flop(p, k74LS112); }

void chip_74ls174(ChipPins& p, const ChipRow&) { register_model(p, k74LS174); }
void chip_74ls175(ChipPins& p, const ChipRow&) { register_model(p, k74LS175); }
void chip_74ls273(ChipPins& p, const ChipRow&) { register_model(p, k74LS273); }

// The latched data are the output voltages, so raising OC (outputs forced
// low, no high-impedance state) discards them.
void chip_74ls373(ChipPins& p, const ChipRow&) {
    constexpr int kOutputControl = 1, kLatchEnable = 11;
    if (!asserted_low(p, kOutputControl))
        clear_bits(p, kOctal);
    else if (p.high(kLatchEnable))
        take_data(p, kOctal);
}

// 4-bit latch: each pair of latches is transparent while its enable is
// high and holds while it is low; Q-bar is always the complement of Q.
void chip_74ls75(ChipPins& p, const ChipRow&) {
    struct Latch {
        uint8_t enable, d, q, qbar;
    };
    static constexpr std::array<Latch, 4> kLatches = {{{13, 2, 16, 1}, {13, 3, 15, 14}, {4, 6, 10, 11}, {4, 7, 9, 8}}};
    for (const Latch& l : kLatches) {
        if (p.high(l.enable)) p.pass(l.q, l.d);
        p.drive(l.qbar, !p.stored(l.q));
    }
}

// 4-bit bidirectional universal shift register. On a rising clock S1 S0
// choose: 00 hold, 01 shift right (towards QD, SR into QA), 10 shift left
// (towards QA, SL into QD), 11 load A-D. The bits move as voltages, as in
// the other registers. /CLR is asynchronous and wins.
void chip_74ls194(ChipPins& p, const ChipRow&) {
    constexpr int kClear = 1, kShiftRightIn = 2, kShiftLeftIn = 7, kS0 = 9, kS1 = 10, kClock = 11;
    static constexpr std::array<uint8_t, 4> kQ = {15, 14, 13, 12};  // QA..QD
    static constexpr std::array<uint8_t, 4> kData = {3, 4, 5, 6};   // A..D
    const bool edge = p.rising_edge(kClock);
    if (asserted_low(p, kClear)) {
        for (uint8_t q : kQ) p.drive(q, false);
        return;
    }
    if (!edge) return;
    std::array<float, 4> q{};
    for (size_t k = 0; k < 4; ++k) q[k] = p.out(kQ[k]);
    const int mode = (p.high(kS1) ? 2 : 0) + (p.high(kS0) ? 1 : 0);
    for (size_t k = 0; k < 4; ++k) {
        switch (mode) {
            case 1: p.set(kQ[k], k == 0 ? p.in(kShiftRightIn) : q[k - 1]); break;
            case 2: p.set(kQ[k], k == 3 ? p.in(kShiftLeftIn) : q[k + 1]); break;
            case 3: p.pass(kQ[k], kData[k]); break;
            default: break;  // hold
        }
    }
}

}  // namespace vorlisk
