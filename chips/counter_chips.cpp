// Ripple counters: a divide-by-two stage (QA, clock CKA) and a three-bit
// stage (QB QC QD, clock CKB) counting to five or to eight; both clocks
// fall-triggered. The count is the four output voltages read back.
#include <cstdint>

#include "chips/chip_models.h"

namespace vorlisk {
namespace {

struct Counter {
    uint8_t cka, ckb;
    uint8_t r0_1, r0_2;  // reset to 0, active high
    uint8_t r9_1, r9_2;  // set to 9, active high; 0: the package has none
    uint8_t qa, qb, qc, qd;
    uint8_t upper_modulus;  // 5 (decade) or 8 (binary)
};

constexpr Counter k74LS90{14, 1, 2, 3, 6, 7, 12, 9, 8, 11, 5};
constexpr Counter k74LS93{14, 1, 2, 3, 0, 0, 12, 9, 8, 11, 8};
constexpr Counter k74LS290{10, 11, 12, 13, 1, 3, 9, 5, 4, 8, 5};
constexpr Counter k74LS293{10, 11, 12, 13, 0, 0, 9, 5, 4, 8, 8};

void counter_model(ChipPins& p, const Counter& k) {
    bool reset = p.high(k.r0_1) && p.high(k.r0_2);
    bool nine = k.r9_1 && p.high(k.r9_1) && p.high(k.r9_2);
    // Both clocks are sampled before the reset rows, so edges arriving
    // during a reset are used up and lost.
    bool edge_a = p.falling_edge(k.cka);
    bool edge_b = p.falling_edge(k.ckb);
    int a = p.stored(k.qa);
    int upper = p.stored(k.qb) | p.stored(k.qc) << 1 | p.stored(k.qd) << 2;
    if (nine) {  // set-to-9 wins over reset-to-0
        a = 1;
        upper = 4;
    } else if (reset) {
        a = upper = 0;
    } else {
        if (edge_a) a ^= 1;
        if (edge_b) upper = upper == k.upper_modulus - 1 ? 0 : (upper + 1) & 7;
    }
    p.drive(k.qa, a);
    p.drive(k.qb, upper & 1);
    p.drive(k.qc, upper & 2);
    p.drive(k.qd, upper & 4);
}

}  // namespace

void chip_74ls90(ChipPins& p, const ChipRow&) { counter_model(p, k74LS90); }
void chip_74ls93(ChipPins& p, const ChipRow&) { counter_model(p, k74LS93); }
void chip_74ls290(ChipPins& p, const ChipRow&) { counter_model(p, k74LS290); }
void chip_74ls293(ChipPins& p, const ChipRow&) { counter_model(p, k74LS293); }

}  // namespace vorlisk
