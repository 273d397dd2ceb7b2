// Monostable multivibrators (one-shots). The external R and C of the real
// chips are not placed; each section's pulse width is a setting of the
// component (one_shot_width), and the pulse is timed on the run's clock,
// so it lasts the same simulated time in real and in virtual time.
//
// Per section and pass: the trigger condition is looked at first; it fires
// when it becomes true, having been seen false before (a condition already
// true when the run starts, or when power returns, does not fire, as a real
// chip does not fire at power-up). Then the pulse ends when its width has
// passed; a clear (low) ends it at once; otherwise a firing starts it, or
// restarts it on the retriggerable types. Q is the stored bit; Q-bar its
// complement.
//
// The 74LS221 has an input latch that a trigger uses up and that /A high
// or B low sets again. The clear's release with /A low and B high fires it
// only when the latch was set since its last firing; the 74LS123, which has
// no such latch, fires on that release every time.
#include <array>
#include <cstdint>

#include "chips/chip_models.h"

namespace vorlisk {
namespace {

// A pulse that has run for its width is over. The run's time is a sum of
// steps, rounded at each: a width a whole number of steps long must end at
// that step, whatever the size of the step (1e-9 s at 1e-10 s a step: 10).
constexpr double kRelativeSlack = 1e-9;

// The 74LS221's input latches, one a section, after both timers.
constexpr int kLatchWord = kTimerFirstWord + 8;

enum class Trigger : uint8_t {
    ls121,  // (/A1 + /A2) . B
    ls122,  // CLR . /(A1 . A2) . B1 . B2
    ls123,  // CLR . /A . B (also the 74LS221)
};

struct Section {
    Trigger trigger;
    std::array<uint8_t, 4> in;  // the trigger's inputs in the order of its formula
    uint8_t clear;              // active low; 0: none
    uint8_t q, qbar;
    uint8_t memory_pin;         // whose state word remembers the condition
};

bool condition(const ChipPins& p, const Section& s) {
    switch (s.trigger) {
        case Trigger::ls121: return (!p.high(s.in[0]) || !p.high(s.in[1])) && p.high(s.in[2]);
        case Trigger::ls122:
            return p.high(s.clear) && !(p.high(s.in[0]) && p.high(s.in[1])) && p.high(s.in[2]) && p.high(s.in[3]);
        case Trigger::ls123: return p.high(s.clear) && !p.high(s.in[0]) && p.high(s.in[1]);
    }
    return false;
}

void one_shot(ChipPins& p, const Section& s, int slot, bool retriggerable, bool latched = false) {
    bool fire = p.condition_rose(s.memory_pin, condition(p, s));
    if (latched) {
        int16_t& armed = p.object().state[kLatchWord + slot];
        fire = fire && armed != 0;
        if (fire) armed = 0;
        if (p.high(s.in[0]) || !p.high(s.in[1])) armed = 1;  // /A high or B low
    }
    bool q = p.stored(s.q);
    const double width = one_shot_width(p.object(), slot);
    if (q && p.now() - p.timer(slot) >= width * (1 - kRelativeSlack)) q = false;
    if (s.clear && !p.high(s.clear)) {
        q = false;
    } else if (fire && (!q || retriggerable)) {
        q = true;
        p.set_timer(slot, p.now());
    }
    p.drive(s.q, q);
    p.drive(s.qbar, !q);
}

//                                  trigger         inputs         CLR Q  /Q memory
constexpr Section k121{Trigger::ls121, {3, 4, 5, 0}, 0, 6, 1, 5};
constexpr Section k122{Trigger::ls122, {1, 2, 3, 4}, 5, 8, 6, 3};
constexpr std::array<Section, 2> k123{{{Trigger::ls123, {1, 2, 0, 0}, 3, 13, 4, 2},
                                       {Trigger::ls123, {9, 10, 0, 0}, 11, 5, 12, 10}}};

}  // namespace

// Not retriggerable; no clear.
void chip_74ls121(ChipPins& p, const ChipRow&) { one_shot(p, k121, 0, false); }
void chip_74ls122(ChipPins& p, const ChipRow&) { one_shot(p, k122, 0, true); }
void chip_74ls123(ChipPins& p, const ChipRow&) {
    for (int k = 0; k < 2; ++k) one_shot(p, k123[size_t(k)], k, true);
}
// The 74LS123's pins and triggers, not retriggerable, with input latches.
void chip_74ls221(ChipPins& p, const ChipRow&) {
    for (int k = 0; k < 2; ++k) one_shot(p, k123[size_t(k)], k, false, true);
}

}  // namespace vorlisk
