// The chip catalogue: every chip type in one row, beside its model.
#include <initializer_list>
#include <vector>

#include "chips/chip_models.h"
#include "chips/chip_table.h"

namespace vorlisk {
namespace {

using Pins = std::initializer_list<uint8_t>;
struct G {
    uint8_t out;
    std::initializer_list<Pins> groups;
};
using Layout = std::initializer_list<G>;

GateSet gate_set(GateFn fn, Layout layout) {
    GateSet s;
    s.fn = fn;
    size_t g = 0;
    for (const G& gate : layout) {
        s.gates[g].out = gate.out;
        size_t k = 0;
        for (const Pins& group : gate.groups) {
            size_t p = 0;
            for (uint8_t pin : group) s.gates[g].groups[k][p++] = pin;
            ++k;
        }
        ++g;
    }
    return s;
}

ChipRow row(std::string_view type, int pins, Pins outputs, int vcc, int gnd, ChipModel model,
            GateSet gates = {}) {
    ChipRow r{type, pins, {}, vcc, gnd, model, gates};
    size_t k = 0;
    for (uint8_t p : outputs) r.outputs[k++] = p;
    return r;
}

// Gate arrangements shared by several packages (input pins -> output pin).
const Layout kQuad74 = {{3, {{1, 2}}}, {6, {{4, 5}}}, {8, {{9, 10}}}, {11, {{12, 13}}}};
const Layout kQuad74Nor = {{1, {{2, 3}}}, {4, {{5, 6}}}, {10, {{8, 9}}}, {13, {{11, 12}}}};
const Layout kQuadCd = {{3, {{1, 2}}}, {6, {{4, 5}}}, {10, {{8, 9}}}, {11, {{12, 13}}}};
const Layout kHex = {{2, {{1}}}, {4, {{3}}}, {6, {{5}}}, {8, {{9}}}, {10, {{11}}}, {12, {{13}}}};
const Layout kTriple3 = {{12, {{1, 2, 13}}}, {6, {{3, 4, 5}}}, {8, {{9, 10, 11}}}};
const Layout kDual4 = {{6, {{1, 2, 4, 5}}}, {8, {{9, 10, 12, 13}}}};
const Layout kDual4Cd = {{1, {{2, 3, 4, 5}}}, {13, {{9, 10, 11, 12}}}};

const Pins kOutQuad74 = {3, 6, 8, 11};
const Pins kOutQuad74Nor = {1, 4, 10, 13};
const Pins kOutQuadCd = {3, 6, 10, 11};
const Pins kOutHex = {2, 4, 6, 8, 10, 12};
const Pins kOutTriple = {6, 8, 12};
const Pins kOutSeg16 = {9, 10, 11, 12, 13, 14, 15};

std::vector<ChipRow> make_catalogue() {
    const auto gate = gate_chip_model;
    using F = GateFn;
    return {
        row("74LS00", 14, kOutQuad74, 14, 7, gate, gate_set(F::nand_, kQuad74)),
        row("74LS01", 14, kOutQuad74Nor, 14, 7, gate, gate_set(F::nand_, kQuad74Nor)),
        row("74LS02", 14, kOutQuad74Nor, 14, 7, gate, gate_set(F::nor_, kQuad74Nor)),
        row("74LS08", 14, kOutQuad74, 14, 7, gate, gate_set(F::and_, kQuad74)),
        row("74LS09", 14, kOutQuad74, 14, 7, gate, gate_set(F::and_, kQuad74)),
        row("74LS04", 14, kOutHex, 14, 7, gate, gate_set(F::not_, kHex)),
        row("74LS05", 14, kOutHex, 14, 7, gate, gate_set(F::not_, kHex)),
        row("74LS32", 14, kOutQuad74, 14, 7, gate, gate_set(F::or_, kQuad74)),
        row("74LS86", 14, kOutQuad74, 14, 7, gate, gate_set(F::xor_, kQuad74)),
        row("74LS136", 14, kOutQuad74, 14, 7, gate, gate_set(F::xor_, kQuad74)),
        row("CD4001", 14, kOutQuadCd, 14, 7, gate, gate_set(F::nor_, kQuadCd)),
        row("CD4011", 14, kOutQuadCd, 14, 7, gate, gate_set(F::nand_, kQuadCd)),
        // Second gate on inputs 4 and 5 with output 6, as the pin map has it.
        row("CD4030", 14, kOutQuadCd, 14, 7, gate, gate_set(F::xor_, kQuadCd)),
        row("CD4070", 14, kOutQuadCd, 14, 7, gate, gate_set(F::xor_, kQuadCd)),
        row("CD4071", 14, kOutQuadCd, 14, 7, gate, gate_set(F::or_, kQuadCd)),
        row("CD4081", 14, kOutQuadCd, 14, 7, gate, gate_set(F::and_, kQuadCd)),
        row("CD4069", 14, kOutHex, 14, 7, gate, gate_set(F::not_, kHex)),
        row("CD40106", 14, kOutHex, 14, 7, gate, gate_set(F::not_, kHex)),
        row("74LS10", 14, kOutTriple, 14, 7, gate, gate_set(F::nand_, kTriple3)),
        row("74LS12", 14, kOutTriple, 14, 7, gate, gate_set(F::nand_, kTriple3)),
        row("74LS11", 14, kOutTriple, 14, 7, gate, gate_set(F::and_, kTriple3)),
        row("74LS15", 14, kOutTriple, 14, 7, gate, gate_set(F::and_, kTriple3)),
        row("74LS27", 14, kOutTriple, 14, 7, gate, gate_set(F::nor_, kTriple3)),
        row("74LS20", 14, {6, 8}, 14, 7, gate, gate_set(F::nand_, kDual4)),
        row("74LS22", 14, {6, 8}, 14, 7, gate, gate_set(F::nand_, kDual4)),
        row("74LS40", 14, {6, 8}, 14, 7, gate, gate_set(F::nand_, kDual4)),
        row("74LS30", 14, {8}, 14, 7, gate, gate_set(F::nand_, {{8, {{1, 2, 3, 4, 5, 6, 11, 12}}}})),
        row("74LS55", 14, {8}, 14, 7, gate, gate_set(F::aoi, {{8, {{1, 2, 3, 4}, {10, 11, 12, 13}}}})),
        row("74LS64", 14, {8}, 14, 7, gate,
            gate_set(F::aoi, {{8, {{1, 2}, {3, 4, 5, 6}, {9, 10}, {11, 12, 13}}}})),
        row("74LS42", 16, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}, 16, 8, chip_74ls42),
        row("74LS51", 14, {6, 8}, 14, 7, gate,
            gate_set(F::aoi, {{6, {{2, 3}, {4, 5}}}, {8, {{1, 12, 13}, {9, 10, 11}}}})),
        row("74LS54", 14, {6}, 14, 7, gate,
            gate_set(F::aoi, {{6, {{1, 2}, {3, 4, 5}, {9, 10, 11}, {12, 13}}}})),
        row("74LS133", 16, {9}, 16, 8, gate,
            gate_set(F::nand_, {{9, {{1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15}}}})),
        row("74LS260", 14, {5, 6}, 14, 7, gate,
            gate_set(F::nor_, {{5, {{1, 2, 3, 12, 13}}}, {6, {{4, 8, 9, 10, 11}}}})),
        row("CD4012", 14, {1, 13}, 14, 7, gate, gate_set(F::nand_, kDual4Cd)),
        row("CD4082", 14, {1, 13}, 14, 7, gate, gate_set(F::and_, kDual4Cd)),
        row("74LS47", 16, kOutSeg16, 16, 8, chip_74ls47),
        row("74LS48", 16, kOutSeg16, 16, 8, chip_74ls48),
        row("74LS248", 16, kOutSeg16, 16, 8, chip_74ls48),
        row("74LS249", 16, kOutSeg16, 16, 8, chip_74ls48),
        row("74LS49", 14, {6, 8, 9, 10, 11, 12, 13}, 14, 7, chip_74ls49),
        row("74LS85", 16, {5, 6, 7}, 16, 8, chip_74ls85),
        row("74LS138", 16, {7, 9, 10, 11, 12, 13, 14, 15}, 16, 8, chip_74ls138),
        row("74LS148", 16, {6, 7, 9, 14, 15}, 16, 8, chip_74ls148),
        row("74LS151", 16, {5, 6}, 16, 8, chip_74ls151),
        row("74LS153", 16, {7, 9}, 16, 8, chip_74ls153),
        row("74LS157", 16, {4, 7, 9, 12}, 16, 8, chip_74ls157),
        row("74LS74", 14, {5, 6, 8, 9}, 14, 7, chip_74ls74),
        row("74LS76", 16, {10, 11, 14, 15}, 5, 13, chip_74ls76),
        row("74LS90", 14, {8, 9, 11, 12}, 5, 10, chip_74ls90),
        row("74LS93", 14, {8, 9, 11, 12}, 5, 10, chip_74ls93),
        row("74LS109", 16, {6, 7, 9, 10}, 16, 8, chip_74ls109),
        row("74LS112", 16, {5, 6, 7, 9}, 16, 8, chip_74ls112),
        row("74LS174", 16, {2, 5, 7, 10, 12, 14}, 16, 8, chip_74ls174),
        row("74LS175", 16, {2, 3, 6, 7, 10, 11, 14, 15}, 16, 8, chip_74ls175),
        row("74LS273", 20, {2, 5, 6, 9, 12, 15, 16, 19}, 20, 10, chip_74ls273),
        row("74LS373", 20, {2, 5, 6, 9, 12, 15, 16, 19}, 20, 10, chip_74ls373),
        row("74LS290", 14, {4, 5, 8, 9}, 14, 7, chip_74ls290),
        row("74LS293", 14, {4, 5, 8, 9}, 14, 7, chip_74ls293),
    };
}

}  // namespace

std::span<const ChipRow> chip_catalogue() {
    static const std::vector<ChipRow> rows = make_catalogue();
    return rows;
}

}  // namespace vorlisk
