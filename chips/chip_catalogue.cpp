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

ChipRow row(std::string_view type, int pins, Pins outputs, int vcc, int gnd, std::string_view names,
            std::string_view function, ChipModel model, GateSet gates = {}, bool timed = false) {
    ChipRow r{type, pins, {}, vcc, gnd, names, function, model, gates, timed};
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
const Pins kOutSync = {11, 12, 13, 14, 15};
const Pins kOutUpDown = {2, 3, 6, 7, 12, 13};

// Pin names, pin 1 first. The CD4000 gates are named after the gates the
// program models on their pins, with the CD4000 supply names.
constexpr std::string_view kNamesQuad74 = "1A 1B 1Y 2A 2B 2Y GND 3Y 3A 3B 4Y 4A 4B VCC";
constexpr std::string_view kNamesQuad74Nor = "1Y 1A 1B 2Y 2A 2B GND 3A 3B 3Y 4A 4B 4Y VCC";
constexpr std::string_view kNamesQuadCd = "1A 1B 1Y 2A 2B 2Y VSS 3A 3B 3Y 4Y 4A 4B VDD";
constexpr std::string_view kNamesHex = "1A 1Y 2A 2Y 3A 3Y GND 4Y 4A 5Y 5A 6Y 6A VCC";
constexpr std::string_view kNamesHexCd = "1A 1Y 2A 2Y 3A 3Y VSS 4Y 4A 5Y 5A 6Y 6A VDD";
constexpr std::string_view kNamesTriple = "1A 1B 2A 2B 2C 2Y GND 3Y 3A 3B 3C 1Y 1C VCC";
constexpr std::string_view kNamesDual4 = "1A 1B NC 1C 1D 1Y GND 2Y 2A 2B NC 2C 2D VCC";
constexpr std::string_view kNamesDual4Cd = "1Y 1A 1B 1C 1D NC VSS NC 2A 2B 2C 2D 2Y VDD";
constexpr std::string_view kNamesSeg16 = "B C /LT /BI /RBI D A GND e d c b a g f VCC";
constexpr std::string_view kNamesSync = "/CLR CLK A B C D ENP GND /LOAD ENT QD QC QB QA RCO VCC";
constexpr std::string_view kNamesUpDown = "B QB QA DOWN UP QC QD GND D C /LOAD /CO /BO CLR A VCC";
constexpr std::string_view kNamesDecoder155 = "1C /1G B 1Y3 1Y2 1Y1 1Y0 GND 2Y0 2Y1 2Y2 2Y3 A /2G /2C VCC";
constexpr std::string_view kNamesDualOneShot =
    "/1A 1B /1CLR /1Q 2Q 2Cext 2Rext/Cext GND /2A 2B /2CLR /2Q 1Q 1Cext 1Rext/Cext VCC";

std::vector<ChipRow> make_catalogue() {
    const auto gate = gate_chip_model;
    using F = GateFn;
    return {
        row("74LS00", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入与非门", gate, gate_set(F::nand_, kQuad74)),
        row("74LS01", 14, kOutQuad74Nor, 14, 7, kNamesQuad74Nor, "四2输入与非门(OC)", gate,
            gate_set(F::nand_, kQuad74Nor)),
        row("74LS02", 14, kOutQuad74Nor, 14, 7, kNamesQuad74Nor, "四2输入或非门", gate, gate_set(F::nor_, kQuad74Nor)),
        row("74LS08", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入与门", gate, gate_set(F::and_, kQuad74)),
        row("74LS09", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入与门(OC)", gate, gate_set(F::and_, kQuad74)),
        row("74LS04", 14, kOutHex, 14, 7, kNamesHex, "六反相器", gate, gate_set(F::not_, kHex)),
        row("74LS05", 14, kOutHex, 14, 7, kNamesHex, "六反相器(OC)", gate, gate_set(F::not_, kHex)),
        row("74LS32", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入或门", gate, gate_set(F::or_, kQuad74)),
        row("74LS86", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入异或门", gate, gate_set(F::xor_, kQuad74)),
        row("74LS136", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入异或门(OC)", gate, gate_set(F::xor_, kQuad74)),
        row("CD4001", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四2输入或非门", gate, gate_set(F::nor_, kQuadCd)),
        row("CD4011", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四2输入与非门", gate, gate_set(F::nand_, kQuadCd)),
        // Second gate on inputs 4 and 5 with output 6, as the pin map has it.
        row("CD4030", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四异或门", gate, gate_set(F::xor_, kQuadCd)),
        row("CD4070", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四异或门", gate, gate_set(F::xor_, kQuadCd)),
        row("CD4071", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四2输入或门", gate, gate_set(F::or_, kQuadCd)),
        row("CD4081", 14, kOutQuadCd, 14, 7, kNamesQuadCd, "四2输入与门", gate, gate_set(F::and_, kQuadCd)),
        row("CD4069", 14, kOutHex, 14, 7, kNamesHexCd, "六反相器", gate, gate_set(F::not_, kHex)),
        row("CD40106", 14, kOutHex, 14, 7, kNamesHexCd, "六施密特触发反相器", gate, gate_set(F::not_, kHex)),
        row("74LS10", 14, kOutTriple, 14, 7, kNamesTriple, "三3输入与非门", gate, gate_set(F::nand_, kTriple3)),
        row("74LS12", 14, kOutTriple, 14, 7, kNamesTriple, "三3输入与非门(OC)", gate, gate_set(F::nand_, kTriple3)),
        row("74LS11", 14, kOutTriple, 14, 7, kNamesTriple, "三3输入与门", gate, gate_set(F::and_, kTriple3)),
        row("74LS15", 14, kOutTriple, 14, 7, kNamesTriple, "三3输入与门(OC)", gate, gate_set(F::and_, kTriple3)),
        row("74LS27", 14, kOutTriple, 14, 7, kNamesTriple, "三3输入或非门", gate, gate_set(F::nor_, kTriple3)),
        row("74LS20", 14, {6, 8}, 14, 7, kNamesDual4, "双4输入与非门", gate, gate_set(F::nand_, kDual4)),
        row("74LS22", 14, {6, 8}, 14, 7, kNamesDual4, "双4输入与非门(OC)", gate, gate_set(F::nand_, kDual4)),
        row("74LS40", 14, {6, 8}, 14, 7, kNamesDual4, "双4输入与非缓冲器", gate, gate_set(F::nand_, kDual4)),
        row("74LS30", 14, {8}, 14, 7, "A B C D E F GND Y NC NC G H NC VCC", "8输入与非门", gate,
            gate_set(F::nand_, {{8, {{1, 2, 3, 4, 5, 6, 11, 12}}}})),
        row("74LS55", 14, {8}, 14, 7, "A B C D NC NC GND Y NC E F G H VCC", "2路4-4输入与或非门", gate,
            gate_set(F::aoi, {{8, {{1, 2, 3, 4}, {10, 11, 12, 13}}}})),
        row("74LS64", 14, {8}, 14, 7, "A B C D E F GND Y G H I J K VCC", "4-2-3-2输入与或非门", gate,
            gate_set(F::aoi, {{8, {{1, 2}, {3, 4, 5, 6}, {9, 10}, {11, 12, 13}}}})),
        row("74LS42", 16, {1, 2, 3, 4, 5, 6, 7, 9, 10, 11}, 16, 8,
            "/Y0 /Y1 /Y2 /Y3 /Y4 /Y5 /Y6 GND /Y7 /Y8 /Y9 D C B A VCC", "4线-10线BCD译码器", chip_74ls42),
        row("74LS51", 14, {6, 8}, 14, 7, "1A 2A 2B 2C 2D 2Y GND 1Y 1F 1E 1D 1C 1B VCC", "双与或非门", gate,
            gate_set(F::aoi, {{6, {{2, 3}, {4, 5}}}, {8, {{1, 12, 13}, {9, 10, 11}}}})),
        row("74LS54", 14, {6}, 14, 7, "A B C D E Y GND NC F G H I J VCC", "4路与或非门", gate,
            gate_set(F::aoi, {{6, {{1, 2}, {3, 4, 5}, {9, 10, 11}, {12, 13}}}})),
        row("74LS133", 16, {9}, 16, 8, "A B C D E F G GND Y H I J K L M VCC", "13输入与非门", gate,
            gate_set(F::nand_, {{9, {{1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15}}}})),
        row("74LS260", 14, {5, 6}, 14, 7, "1A 1B 1C 2A 1Y 2Y GND 2B 2C 2D 2E 1D 1E VCC", "双5输入或非门", gate,
            gate_set(F::nor_, {{5, {{1, 2, 3, 12, 13}}}, {6, {{4, 8, 9, 10, 11}}}})),
        row("CD4012", 14, {1, 13}, 14, 7, kNamesDual4Cd, "双4输入与非门", gate, gate_set(F::nand_, kDual4Cd)),
        row("CD4082", 14, {1, 13}, 14, 7, kNamesDual4Cd, "双4输入与门", gate, gate_set(F::and_, kDual4Cd)),
        row("74LS47", 16, kOutSeg16, 16, 8, "B C /LT /BI /RBI D A GND /e /d /c /b /a /g /f VCC",
            "BCD-七段译码器(低电平有效)", chip_74ls47),
        row("74LS48", 16, kOutSeg16, 16, 8, kNamesSeg16, "BCD-七段译码器", chip_74ls48),
        row("74LS248", 16, kOutSeg16, 16, 8, kNamesSeg16, "BCD-七段译码器", chip_74ls48),
        row("74LS249", 16, kOutSeg16, 16, 8, kNamesSeg16, "BCD-七段译码器(OC)", chip_74ls48),
        row("74LS49", 14, {6, 8, 9, 10, 11, 12, 13}, 14, 7, "B C /BI D A e GND d c b a g f VCC",
            "BCD-七段译码器(OC)", chip_74ls49),
        row("74LS85", 16, {5, 6, 7}, 16, 8, "B3 IA<B IA=B IA>B OA>B OA=B OA<B GND B0 A0 B1 A1 A2 B2 A3 VCC",
            "4位数值比较器", chip_74ls85),
        row("74LS138", 16, {7, 9, 10, 11, 12, 13, 14, 15}, 16, 8,
            "A B C /G2A /G2B G1 /Y7 GND /Y6 /Y5 /Y4 /Y3 /Y2 /Y1 /Y0 VCC", "3线-8线译码器", chip_74ls138),
        row("74LS148", 16, {6, 7, 9, 14, 15}, 16, 8, "/I4 /I5 /I6 /I7 /EI /A2 /A1 GND /A0 /I0 /I1 /I2 /I3 /GS /EO VCC",
            "8线-3线优先编码器", chip_74ls148),
        row("74LS151", 16, {5, 6}, 16, 8, "D3 D2 D1 D0 Y W /G GND C B A D7 D6 D5 D4 VCC", "8选1数据选择器",
            chip_74ls151),
        row("74LS153", 16, {7, 9}, 16, 8, "/1G B 1C3 1C2 1C1 1C0 1Y GND 2Y 2C0 2C1 2C2 2C3 A /2G VCC",
            "双4选1数据选择器", chip_74ls153),
        row("74LS157", 16, {4, 7, 9, 12}, 16, 8, "A/B 1A 1B 1Y 2A 2B 2Y GND 3Y 3B 3A 4Y 4B 4A /G VCC",
            "四2选1数据选择器", chip_74ls157),
        row("74LS74", 14, {5, 6, 8, 9}, 14, 7, "/1CLR 1D 1CLK /1PRE 1Q /1Q GND /2Q 2Q /2PRE 2CLK 2D /2CLR VCC",
            "双D触发器", chip_74ls74),
        row("74LS76", 16, {10, 11, 14, 15}, 5, 13, "1CLK /1PRE /1CLR 1J VCC 2CLK /2PRE /2CLR 2J /2Q 2Q 2K GND /1Q 1Q 1K",
            "双JK触发器", chip_74ls76),
        row("74LS90", 14, {8, 9, 11, 12}, 5, 10, "CKB R0(1) R0(2) NC VCC R9(1) R9(2) QC QB GND QD QA NC CKA",
            "十进制异步计数器", chip_74ls90),
        row("74LS93", 14, {8, 9, 11, 12}, 5, 10, "CKB R0(1) R0(2) NC VCC NC NC QC QB GND QD QA NC CKA",
            "4位二进制异步计数器", chip_74ls93),
        row("74LS109", 16, {6, 7, 9, 10}, 16, 8, "/1CLR 1J /1K 1CLK /1PRE 1Q /1Q GND /2Q 2Q /2PRE 2CLK /2K 2J /2CLR VCC",
            "双JK触发器(上升沿)", chip_74ls109),
        row("74LS112", 16, {5, 6, 7, 9}, 16, 8, "1CLK 1K 1J /1PRE 1Q /1Q /2Q GND 2Q /2PRE 2J 2K 2CLK /2CLR /1CLR VCC",
            "双JK触发器(下降沿)", chip_74ls112),
        // Named as modelled: D6 on pin 15 and Q6 on pin 14.
        row("74LS174", 16, {2, 5, 7, 10, 12, 14}, 16, 8, "/CLR 1Q 1D 2D 2Q 3D 3Q GND CLK 4Q 4D 5Q 5D 6Q 6D VCC",
            "六D触发器", chip_74ls174),
        row("74LS175", 16, {2, 3, 6, 7, 10, 11, 14, 15}, 16, 8, "/CLR 1Q /1Q 1D 2D /2Q 2Q GND CLK 3Q /3Q 3D 4D /4Q 4Q VCC",
            "四D触发器", chip_74ls175),
        row("74LS273", 20, {2, 5, 6, 9, 12, 15, 16, 19}, 20, 10,
            "/CLR 1Q 1D 2D 2Q 3Q 3D 4D 4Q GND CLK 5Q 5D 6D 6Q 7Q 7D 8D 8Q VCC", "八D触发器", chip_74ls273),
        row("74LS373", 20, {2, 5, 6, 9, 12, 15, 16, 19}, 20, 10,
            "/OC 1Q 1D 2D 2Q 3Q 3D 4D 4Q GND C 5Q 5D 6D 6Q 7Q 7D 8D 8Q VCC", "八D锁存器", chip_74ls373),
        row("74LS290", 14, {4, 5, 8, 9}, 14, 7, "R9(1) NC R9(2) QC QB NC GND QD QA CKA CKB R0(1) R0(2) VCC",
            "十进制异步计数器", chip_74ls290),
        row("74LS293", 14, {4, 5, 8, 9}, 14, 7, "NC NC NC QC QB NC GND QD QA CKA CKB R0(1) R0(2) VCC",
            "4位二进制异步计数器", chip_74ls293),
        // ---- the lab handouts' chips ----
        row("74LS83", 16, {2, 6, 9, 14, 15}, 5, 12, "A4 Σ3 A3 B3 VCC Σ2 B2 A2 Σ1 A1 B1 GND C0 C4 Σ4 B4",
            "4位二进制全加器", chip_74ls83),
        row("74LS155", 16, {4, 5, 6, 7, 9, 10, 11, 12}, 16, 8, kNamesDecoder155, "双2线-4线译码器", chip_74ls155),
        // Open-collector outputs drive a high like totem-pole ones.
        row("74LS156", 16, {4, 5, 6, 7, 9, 10, 11, 12}, 16, 8, kNamesDecoder155, "双2线-4线译码器(OC)", chip_74ls155),
        row("74LS75", 16, {1, 8, 9, 10, 11, 14, 15, 16}, 5, 12,
            "/1Q 1D 2D C3-4 VCC 3D 4D /4Q 4Q 3Q /3Q GND C1-2 /2Q 2Q 1Q", "4位D锁存器", chip_74ls75),
        row("74LS121", 14, {1, 6}, 14, 7, "/Q NC A1 A2 B Q GND NC Rint Cext Rext/Cext NC NC VCC", "单稳态触发器",
            chip_74ls121, {}, true),
        row("74LS122", 14, {6, 8}, 14, 7, "A1 A2 B1 B2 /CLR /Q GND Q Rint NC Cext NC Rext/Cext VCC",
            "可重触发单稳态触发器", chip_74ls122, {}, true),
        row("74LS123", 16, {4, 5, 12, 13}, 16, 8, kNamesDualOneShot, "双可重触发单稳态触发器", chip_74ls123, {}, true),
        row("74LS126", 14, {3, 6, 8, 11}, 14, 7, "1C 1A 1Y 2C 2A 2Y GND 3Y 3A 3C 4Y 4A 4C VCC", "四总线缓冲器(三态)",
            chip_74ls126),
        // The Schmitt trigger's hysteresis does not show at logic level.
        row("74LS132", 14, kOutQuad74, 14, 7, kNamesQuad74, "四2输入与非施密特触发器", gate, gate_set(F::nand_, kQuad74)),
        row("74LS160", 16, kOutSync, 16, 8, kNamesSync, "十进制同步计数器", chip_74ls160),
        row("74LS161", 16, kOutSync, 16, 8, kNamesSync, "4位二进制同步计数器", chip_74ls161),
        row("74LS162", 16, kOutSync, 16, 8, kNamesSync, "十进制同步计数器(同步清零)", chip_74ls162),
        row("74LS163", 16, kOutSync, 16, 8, kNamesSync, "4位二进制同步计数器(同步清零)", chip_74ls163),
        row("74LS190", 16, kOutUpDown, 16, 8, "B QB QA /CTEN D/U QC QD GND D C /LOAD MAX/MIN /RCO CLK A VCC",
            "十进制同步加/减计数器", chip_74ls190),
        row("74LS192", 16, kOutUpDown, 16, 8, kNamesUpDown, "十进制同步加/减计数器(双时钟)", chip_74ls192),
        row("74LS193", 16, kOutUpDown, 16, 8, kNamesUpDown, "4位二进制同步加/减计数器(双时钟)", chip_74ls193),
        row("74LS194", 16, {12, 13, 14, 15}, 16, 8, "/CLR SR A B C D SL GND S0 S1 CLK QD QC QB QA VCC",
            "4位双向移位寄存器", chip_74ls194),
        row("74LS221", 16, {4, 5, 12, 13}, 16, 8, kNamesDualOneShot, "双单稳态触发器", chip_74ls221, {}, true),
    };
}

}  // namespace

std::span<const ChipRow> chip_catalogue() {
    static const std::vector<ChipRow> rows = make_catalogue();
    return rows;
}

}  // namespace vorlisk
