#include "tools/make_examples/examples.h"

#include "tools/make_examples/builder.h"

namespace vorlisk::examples {
namespace {

constexpr std::string_view kSwitch = "高低电平控制器";

// Half adder of an exclusive-OR and an AND gate.
void half_adder(Circuit& c) {
    Builder b(c);
    int a = b.part(kSwitch, 100, 100);
    int bb = b.part(kSwitch, 100, 220);
    int x = b.part("异或门", 300, 110);
    int g = b.part("与门", 300, 210);
    int ls = b.part("发光二极管", 420, 110);
    int lc = b.part("发光二极管", 420, 210);
    b.wire(b.out(a, 0), b.in(x, 0));
    b.wire_via_x(b.out(a, 0), b.in(g, 0), 200);
    b.wire(b.out(bb, 0), b.in(g, 1));
    b.wire_via_x(b.out(bb, 0), b.in(x, 1), 220);  // crosses the A wire without a junction
    b.wire(b.out(x, 0), b.in(ls, 0));
    b.wire(b.out(g, 0), b.in(lc, 0));
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe(b.out(x, 0), "S");
    b.probe(b.out(g, 0), "C");
    b.note(80, 300, {"半加器：S = A 异或 B，C = A 与 B。", "双击开关切换输入电平。"});
}

void full_adder(Circuit& c) {
    Builder b(c);
    int a = b.part(kSwitch, 100, 100);
    int bb = b.part(kSwitch, 100, 200);
    int ci = b.part(kSwitch, 100, 300);
    int fa = b.part("全加器", 300, 150);
    int ls = b.part("发光二极管", 440, 130);
    int lc = b.part("发光二极管", 440, 170);
    b.wire_via_x(b.out(a, 0), b.in(fa, 0), 200);
    b.wire_via_x(b.out(bb, 0), b.in(fa, 1), 210);
    b.wire_via_x(b.out(ci, 0), b.in(fa, 2), 220);
    b.wire(b.out(fa, 0), b.in(ls, 0));
    b.wire(b.out(fa, 1), b.in(lc, 0));
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe(b.out(ci, 0), "CI");
    b.probe(b.out(fa, 0), "S");
    b.probe(b.out(fa, 1), "CO");
    b.note(80, 360, {"全加器：A + B + CI = 2·CO + S。"});
}

// Basic RS latch of two cross-coupled NAND gates; both inputs active low.
void nand_latch(Circuit& c) {
    Builder b(c);
    int s = b.part(kSwitch, 100, 90);
    int r = b.part(kSwitch, 100, 260);
    int n1 = b.part("与非门", 300, 100);
    int n2 = b.part("与非门", 300, 250);
    int lq = b.part("发光二极管", 440, 100);
    int lqb = b.part("发光二极管", 440, 250);
    b.level(s, 1);
    b.level(r, 1);
    b.wire(b.out(s, 0), b.in(n1, 0));
    b.wire(b.out(r, 0), b.in(n2, 1));
    b.wire(b.out(n1, 0), b.in(n2, 0), {{340, 100}, {340, 150}, {240, 150}, {240, 240}});
    b.wire(b.out(n2, 0), b.in(n1, 1), {{360, 250}, {360, 190}, {230, 190}, {230, 110}});
    b.wire(b.out(n1, 0), b.in(lq, 0));
    b.wire(b.out(n2, 0), b.in(lqb, 0));
    b.probe(b.out(s, 0), "SN");
    b.probe(b.out(r, 0), "RN");
    b.probe(b.out(n1, 0), "Q");
    b.probe(b.out(n2, 0), "QN");
    b.note(80, 320, {"与非门基本RS锁存器：输入低电平有效。", "SN=0 置1，RN=0 置0，两者为1时保持。"});
}

// A rising-edge D flip-flop with Q-bar fed back to D halves the clock.
void d_divider(Circuit& c) {
    Builder b(c);
    int vcc = b.part("Vcc", 100, 150);
    int p = b.part("连续脉冲", 200, 210);
    int ff = b.part("边沿D触发器", 400, 200);
    int lq = b.part("发光二极管", 520, 170);
    b.pulse(p, 10.0, 0.05, 0.05);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), 100);
    b.wire(b.out(p, 0), b.in(ff, 2));
    b.wire(b.out(ff, 1), b.in(ff, 1), {{460, 230}, {460, 260}, {340, 260}, {340, 190}});
    b.wire(b.out(ff, 0), b.in(lq, 0));
    b.probe(b.out(p, 0), "CP");
    b.probe(b.out(ff, 0), "Q");
    b.note(80, 300, {"边沿D触发器二分频：Q̄ 接回 D，", "每个时钟上升沿 Q 翻转一次。"});
}

// Three falling-edge JK flip-flops with J = K = 1 in a ripple chain count up.
void jk_chain(Circuit& c) {
    Builder b(c);
    int vcc0 = b.part("Vcc", 80, 140);
    int p = b.part("连续脉冲", 150, 200);
    b.pulse(p, 10.0, 0.05, 0.05);
    b.wire_via_x(b.out(vcc0, 0), b.in(p, 0), 80);
    b.probe(b.out(p, 0), "CP");
    BendPoint clock = b.out(p, 0);
    const char* labels[] = {"Q0", "Q1", "Q2"};
    for (int n = 0; n < 3; ++n) {
        const int x = 300 + 150 * n, y = 200;
        int ff = b.part("边沿JK触发器", x, y);
        int vcc = b.part("Vcc", x - 60, y - 60);
        b.wire(b.out(vcc, 0), b.in(ff, 0), {{x - 60, y - 20}});
        b.wire(b.out(vcc, 0), b.in(ff, 2), {{x - 50, y - 60}, {x - 50, y + 20}});
        b.wire_via_x(clock, b.in(ff, 1), clock.x + 40);
        int led = b.part("发光二极管", x + 60, y - 60);
        b.wire_via_x(b.out(ff, 0), b.in(led, 0), x + 30);
        b.probe(b.out(ff, 0), labels[n]);
        clock = b.out(ff, 0);
    }
    b.note(80, 280, {"JK触发器串联计数器：J=K=1，", "每个下降沿翻转，Q2 Q1 Q0 递增计数。"});
}

// A 74LS00 wired pin by pin: gate 1 is the NAND of the switches, gate 2
// inverts it again (both its inputs on pin 3), giving the AND.
void chip_74ls00(Circuit& c) {
    Builder b(c);
    int chip = b.part("集成芯片组合逻辑(74LS00)", 400, 200);
    int a = b.part(kSwitch, 200, 170);
    int bb = b.part(kSwitch, 200, 260);
    int vcc = b.part("Vcc", 470, 130);
    int gnd = b.part("Gnd", 330, 290);
    int l1 = b.part("发光二极管", 520, 320);
    b.wire(b.out(a, 0), b.pin(chip, 1));
    b.wire_via_x(b.out(bb, 0), b.pin(chip, 2), 300);
    b.wire(b.pin(chip, 3), b.pin(chip, 4), {{360, 190}, {360, 200}});
    b.wire(b.pin(chip, 4), b.pin(chip, 5), {{350, 200}, {350, 210}});
    b.wire(b.out(vcc, 0), b.pin(chip, 14), {{470, 170}});
    b.wire_via_x(b.out(gnd, 0), b.pin(chip, 7), 330);
    b.wire(b.pin(chip, 6), b.in(l1, 0), {{340, 220}, {340, 320}});
    b.probe(b.out(a, 0), "A");
    b.probe(b.out(bb, 0), "B");
    b.probe(b.pin(chip, 3), "Y1");
    b.probe(b.pin(chip, 6), "Y2");
    b.note(80, 380, {"74LS00 逐脚接线：14 脚接 Vcc，7 脚接 Gnd。",
                     "Y1 = 与非(A, B)，Y2 = Y1 再取反 = 与(A, B)。"});
}

void led_blinker(Circuit& c) {
    Builder b(c);
    int vcc = b.part("Vcc", 100, 150);
    int p = b.part("连续脉冲", 200, 210);
    int led = b.part("发光二极管", 340, 210);
    b.pulse(p, 2.0, 0.25, 0.25);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), 100);
    b.wire(b.out(p, 0), b.in(led, 0));
    b.probe(b.out(p, 0), "P");
    b.note(80, 280, {"连续脉冲驱动发光二极管：2 赫兹，", "每个周期的后半段点亮。"});
}

// A BCD display driven by four switches D C B A.
void bcd_display(Circuit& c) {
    Builder b(c);
    int disp = b.part("数码管BCD", 400, 200);
    const char* labels[] = {"D", "C", "B", "A"};
    for (int n = 0; n < 4; ++n) {
        int sw = b.part(kSwitch, 150, 300 + 50 * n);
        b.wire_via_x(b.out(sw, 0), b.in(disp, 3 - n), b.in(disp, 3 - n).x);
        b.probe(b.out(sw, 0), labels[n]);
    }
    b.note(80, 80, {"BCD 数码管：四个开关组成 8421 码 D C B A，", "运行后数码管显示对应的数字。"});
}

}  // namespace

const std::vector<Example>& all_examples() {
    static const std::vector<Example> list = {
        {"半加器.vlk", half_adder},
        {"全加器.vlk", full_adder},
        {"与非门RS锁存器.vlk", nand_latch},
        {"D触发器二分频.vlk", d_divider},
        {"JK触发器计数链.vlk", jk_chain},
        {"74LS00逐脚接线.vlk", chip_74ls00},
        {"脉冲驱动发光二极管.vlk", led_blinker},
        {"开关驱动数码管.vlk", bcd_display},
    };
    return list;
}

}  // namespace vorlisk::examples
