#include "tools/make_examples/grading.h"

#include <algorithm>
#include <string_view>
#include <tuple>

#include "tools/make_examples/builder.h"

namespace vorlisk::examples {
namespace {

// How the carry is made.
enum class Carry {
    and_or,       // CO = AB + (A xor B)CI, as the reference does
    nand_nand,    // the same sum of products from three NAND gates
    missing_term  // CO = AB + B·CI: forgets A·CI
};

// A one-bit full adder of two XOR gates and three gates for the carry.
// `reversed` places every part, wire and test point in the opposite
// order, so every internal name differs from the reference's.
void full_adder(Circuit& c, Carry carry, bool reversed, bool extra_probe) {
    Builder b(c);
    const std::string_view and_gate = carry == Carry::nand_nand ? "与非门" : "与门";
    const std::string_view or_gate = carry == Carry::nand_nand ? "与非门" : "或门";
    int a, bb, ci, x1, x2, g1, g2, o, ls, lc;
    std::vector<std::tuple<int*, std::string_view, int, int>> parts = {
        {&a, "高低电平控制器", 100, 100}, {&bb, "高低电平控制器", 100, 200}, {&ci, "高低电平控制器", 100, 300},
        {&x1, "异或门", 260, 110},        {&g1, and_gate, 260, 210},          {&x2, "异或门", 400, 120},
        {&g2, and_gate, 400, 220},        {&o, or_gate, 520, 200},            {&ls, "发光二极管", 620, 120},
        {&lc, "发光二极管", 620, 200},
    };
    if (reversed) std::reverse(parts.begin(), parts.end());
    for (auto& [slot, kind, x, y] : parts) *slot = b.part(kind, x, y);

    std::vector<std::function<void()>> wires = {
        [&] { b.wire(b.out(a, 0), b.in(x1, 0)); },
        [&] { b.wire(b.out(bb, 0), b.in(g1, 0)); },
        [&] { b.wire_via_x(b.out(a, 0), b.in(g1, 1), 190); },  // crosses B's wire without a junction
        [&] { b.wire_via_x(b.out(bb, 0), b.in(x1, 1), 210); },
        [&] { b.wire(b.out(x1, 0), b.in(x2, 0)); },
        [&] { b.wire_via_x(b.out(ci, 0), b.in(x2, 1), 340); },
        [&] { b.wire_via_x(b.out(ci, 0), b.in(g2, 1), 350); },
        [&] {
            if (carry == Carry::missing_term)
                b.wire(b.out(bb, 0), b.in(g2, 0), {{150, 200}, {150, 250}, {330, 250}, {330, 210}});
            else
                b.wire_via_x(b.out(x1, 0), b.in(g2, 0), 320);
        },
        [&] { b.wire(b.out(g1, 0), b.in(o, 1), {{300, 210}, {300, 260}, {460, 260}, {460, 210}}); },
        [&] { b.wire_via_x(b.out(g2, 0), b.in(o, 0), 450); },
        [&] { b.wire(b.out(x2, 0), b.in(ls, 0)); },
        [&] { b.wire(b.out(o, 0), b.in(lc, 0)); },
        [&] { b.probe(b.out(a, 0), "A"); },
        [&] { b.probe(b.out(bb, 0), "B"); },
        [&] { b.probe(b.out(ci, 0), "CI"); },
        [&] { b.probe(b.out(x2, 0), "S"); },
        [&] { b.probe(b.out(o, 0), "CO"); },
    };
    if (reversed) std::reverse(wires.begin(), wires.end());
    for (auto& w : wires) w();
    if (extra_probe) b.probe(b.out(x1, 0), "P");
    b.note(80, 360, {"一位全加器：S = A 异或 B 异或 CI，", "CO = A·B + (A 异或 B)·CI。"});
}

}  // namespace

const std::vector<Example>& grading_examples() {
    static const std::vector<Example> list = {
        {"批改实验/参考答案.vlk", [](Circuit& c) { full_adder(c, Carry::and_or, false, false); }},
        {"批改实验/作业/2023001张三.vlk", [](Circuit& c) { full_adder(c, Carry::nand_nand, false, true); }},
        {"批改实验/作业/2023002李四.vlk", [](Circuit& c) { full_adder(c, Carry::missing_term, false, false); }},
        {"批改实验/作业/2023003王五.vlk", [](Circuit& c) { full_adder(c, Carry::and_or, true, false); }},
    };
    return list;
}

}  // namespace vorlisk::examples
