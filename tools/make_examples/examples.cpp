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
    b.note(80, 300, {"边沿D触发器二分频：Q非 接回 D，", "每个时钟上升沿 Q 翻转一次。"});
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
    b.probe({480, 320}, "Y2");
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


// --- chips wired pin by pin -------------------------------------------------

constexpr std::string_view kComb = "集成芯片组合逻辑(";
constexpr std::string_view kSeq = "集成芯片时序逻辑(";

int chip_part(Builder& b, std::string_view page, std::string_view type, int x, int y) {
    return b.part(std::string(page) + std::string(type) + ")", x, y);
}

// A pulse source enabled by its own Vcc; returns it.
int clock_source(Builder& b, int x, int y, double hz) {
    int vcc = b.part("Vcc", x - 70, y - 40);
    int p = b.part("连续脉冲", x, y);
    b.pulse(p, hz, 0.5 / hz, 0.5 / hz);
    b.wire_via_x(b.out(vcc, 0), b.in(p, 0), x - 70);
    b.probe(b.out(p, 0), "CP");
    return p;
}

// A wire from a pin out to `to`, going under the chip along `row` first.
void pin_down_to(Builder& b, int chip, int pin, BendPoint to, int column, int row) {
    BendPoint p = b.pin(chip, pin);
    b.wire(p, to, {{column, p.y}, {column, row}, {to.x, row}});
}

// Ripple counter: QA feeds CKB, a pulse drives CKA; a decade counter shows
// its count on a BCD display, a binary counter on four LEDs.
void counter(Circuit& c, std::string_view type, bool decade) {
    Builder b(c);
    int chip = chip_part(b, kSeq, type, 400, 300);
    int p = clock_source(b, 150, 100, 10.0);
    int vcc = b.part("Vcc", 200, 200);
    int gnd = b.part("Gnd", 200, 450);
    b.to_pin(b.out(p, 0), chip, 14, 0);  // CKA
    b.to_pin(b.out(vcc, 0), chip, 5, 1);
    int lane = 2;
    for (int r : decade ? std::vector<int>{2, 3, 6, 7} : std::vector<int>{2, 3}) b.to_pin(b.out(gnd, 0), chip, r, lane++);
    b.to_pin(b.out(gnd, 0), chip, 10, 6);
    b.wire(b.pin(chip, 12), b.pin(chip, 1), {{520, 290}, {520, 440}, {280, 440}, {280, 270}});  // QA -> CKB
    const int q_pins[] = {12, 9, 8, 11};  // QA QB QC QD
    const char* q_labels[] = {"QA", "QB", "QC", "QD"};
    if (decade) {
        int disp = b.part("数码管BCD", 650, 250);
        for (int k = 0; k < 4; ++k) pin_down_to(b, chip, q_pins[k], b.in(disp, k), 530 + 10 * k, 460 + 10 * k);
    } else {
        for (int k = 0; k < 4; ++k) {
            int led = b.part("发光二极管", 700, 150 + 40 * k);
            b.from_pin(chip, q_pins[k], b.in(led, 0), 8 + k);
        }
    }
    // Probes on the output wires, staggered so their labels stay apart.
    const BendPoint probe_at[] = {{460, 290}, {470, 320}, {500, 330}, {490, 300}};
    for (int k = 0; k < 4; ++k) b.probe(probe_at[k], q_labels[k]);
    if (decade)
        b.note(60, 520, {"74LS90 十进制计数器：QA 接 CKB，脉冲接 CKA，", "R0、R9 接地，BCD 数码管依次显示 0～9。"});
    else
        b.note(60, 520, {"74LS93 四位二进制计数器：QA 接 CKB，", "发光二极管 QA～QD 依次显示 0～15。"});
}

void counter_74ls90(Circuit& c) { counter(c, "74LS90", true); }
void counter_74ls93(Circuit& c) { counter(c, "74LS93", false); }

// 3-to-8 decoder: the selected output goes low, so its LED goes dark.
void decoder_74ls138(Circuit& c) {
    Builder b(c);
    int chip = chip_part(b, kComb, "74LS138", 400, 300);
    const int select_pins[] = {3, 2, 1};  // C B A
    const char* select_labels[] = {"C", "B", "A"};
    for (int k = 0; k < 3; ++k) {
        int sw = b.part(kSwitch, 100, 100 + 50 * k);
        b.to_pin(b.out(sw, 0), chip, select_pins[k], k);
        b.probe(b.out(sw, 0), select_labels[k]);
    }
    int vcc = b.part("Vcc", 150, 400);
    int gnd = b.part("Gnd", 150, 500);
    b.to_pin(b.out(vcc, 0), chip, 6, 3);   // G1
    b.to_pin(b.out(gnd, 0), chip, 4, 4);   // G2A
    b.to_pin(b.out(gnd, 0), chip, 5, 5);   // G2B
    b.to_pin(b.out(gnd, 0), chip, 8, 6);
    b.to_pin(b.out(vcc, 0), chip, 16, 7);
    const int y_pins[] = {15, 14, 13, 12, 11, 10, 9, 7};
    for (int k = 0; k < 8; ++k) {
        int led = b.part("发光二极管", 800, 100 + 40 * k);
        b.from_pin(chip, y_pins[k], b.in(led, 0), 8 + k);
        b.probe({b.in(led, 0).x - 20, b.in(led, 0).y}, "Y" + std::to_string(k));
    }
    b.note(60, 600, {"74LS138 三线-八线译码器：G1 接高电平，G2A、G2B 接地。",
                     "开关 C B A 选中的输出 Yn 变为低电平，对应的发光二极管熄灭。"});
}

// BCD to seven-segment decoder driving a display.
void decoder_74ls48(Circuit& c) {
    Builder b(c);
    int chip = chip_part(b, kComb, "74LS48", 400, 300);
    const int code_pins[] = {6, 2, 1, 7};  // D C B A
    const char* code_labels[] = {"D", "C", "B", "A"};
    for (int k = 0; k < 4; ++k) {
        int sw = b.part(kSwitch, 100, 100 + 50 * k);
        b.to_pin(b.out(sw, 0), chip, code_pins[k], k);
        b.probe(b.out(sw, 0), code_labels[k]);
    }
    int vcc = b.part("Vcc", 150, 400);
    int gnd = b.part("Gnd", 150, 500);
    b.to_pin(b.out(vcc, 0), chip, 3, 4);  // LT, BI, RBI inactive (high)
    b.to_pin(b.out(vcc, 0), chip, 4, 5);
    b.to_pin(b.out(vcc, 0), chip, 5, 6);
    b.to_pin(b.out(gnd, 0), chip, 8, 7);
    b.to_pin(b.out(vcc, 0), chip, 16, 8);
    int disp = b.part("数码管", 700, 300);
    // Segment outputs a..g and the display's inputs 0..6; top inputs are
    // reached from rows above, bottom ones from rows below.
    const int seg_pins[] = {13, 12, 11, 10, 9, 15, 14};
    for (int k = 0; k < 7; ++k) {
        BendPoint to = b.in(disp, k);
        int column = 540 + 10 * k;
        int row = to.y < 300 ? 200 - 10 * k : 400 + 10 * k;
        pin_down_to(b, chip, seg_pins[k], to, column, row);
    }
    b.note(60, 560, {"74LS48 七段译码器驱动数码管：开关 D C B A 输入 8421 码，", "LT、BI、RBI 接高电平。"});
}

// Two D flip-flops of one 74LS74, each with Q-bar fed back to D: the first
// halves the clock, the second halves it again.
void divider_74ls74(Circuit& c) {
    Builder b(c);
    int chip = chip_part(b, kSeq, "74LS74", 400, 300);
    int p = clock_source(b, 150, 100, 10.0);
    int vcc = b.part("Vcc", 200, 200);
    int gnd = b.part("Gnd", 200, 450);
    b.to_pin(b.out(p, 0), chip, 3, 0);     // CLK 1
    b.to_pin(b.out(vcc, 0), chip, 1, 1);   // CLR 1
    b.to_pin(b.out(vcc, 0), chip, 4, 2);   // PRE 1
    b.to_pin(b.out(gnd, 0), chip, 7, 3);
    b.to_pin(b.out(vcc, 0), chip, 10, 4);  // PRE 2
    b.to_pin(b.out(vcc, 0), chip, 13, 5);  // CLR 2
    b.to_pin(b.out(vcc, 0), chip, 14, 6);
    b.wire(b.pin(chip, 6), b.pin(chip, 2), {{360, 320}, {360, 280}});   // Q-bar 1 -> D 1
    b.wire(b.pin(chip, 8), b.pin(chip, 12), {{440, 340}, {440, 300}});  // Q-bar 2 -> D 2
    b.wire(b.pin(chip, 5), b.pin(chip, 11), {{280, 310}, {280, 470}, {470, 470}, {470, 300}});  // Q 1 -> CLK 2
    int l1 = b.part("发光二极管", 700, 200);
    int l2 = b.part("发光二极管", 700, 260);
    b.wire(b.pin(chip, 5), b.in(l1, 0), {{270, 310}, {270, 490}, {640, 490}, {640, 200}});
    b.from_pin(chip, 9, b.in(l2, 0), 10);
    b.probe({660, 200}, "Q1");
    b.probe({660, 260}, "Q2");
    b.note(60, 540, {"74LS74 分频器：两个 D 触发器的 Q非 接回 D，", "Q1 为时钟的二分频，Q2 为四分频。"});
}

// 4-bit magnitude comparator, equal-input cascade high.
void comparator_74ls85(Circuit& c) {
    Builder b(c);
    int chip = chip_part(b, kComb, "74LS85", 500, 300);
    const int word_pins[] = {15, 13, 12, 10, 1, 14, 11, 9};  // A3 A2 A1 A0 B3 B2 B1 B0
    const char* labels[] = {"A3", "A2", "A1", "A0", "B3", "B2", "B1", "B0"};
    for (int k = 0; k < 8; ++k) {
        int sw = b.part(kSwitch, 100, 60 + 50 * k);
        b.to_pin(b.out(sw, 0), chip, word_pins[k], k);
        b.probe(b.out(sw, 0), labels[k]);
    }
    int vcc = b.part("Vcc", 150, 560);
    int gnd = b.part("Gnd", 150, 620);
    b.to_pin(b.out(vcc, 0), chip, 3, 8);   // IA=B
    b.to_pin(b.out(gnd, 0), chip, 2, 9);   // IA<B
    b.to_pin(b.out(gnd, 0), chip, 4, 10);  // IA>B
    b.to_pin(b.out(gnd, 0), chip, 8, 11);
    b.to_pin(b.out(vcc, 0), chip, 16, 12);
    const int out_pins[] = {5, 6, 7};
    const char* out_labels[] = {"GT", "EQ", "LT"};
    for (int k = 0; k < 3; ++k) {
        int led = b.part("发光二极管", 900, 150 + 50 * k);
        b.from_pin(chip, out_pins[k], b.in(led, 0), 13 + k);
        b.probe({b.in(led, 0).x - 20, b.in(led, 0).y}, out_labels[k]);
    }
    b.note(60, 680, {"74LS85 四位数值比较器：比较 A3～A0 与 B3～B0，", "级联输入 IA=B 接高电平。"});
}

// The experiment box's switches wired straight to its lamps. The input
// device puts switch bit 0 on its pin 1; the output device sends its pin 1
// as lamp bit 7, so the lamps show the switches mirrored.
void box_loopback(Circuit& c) {
    Builder b(c);
    int in = b.part("信号输入器件", 120, 200);
    int out = b.part("信号输出器件", 420, 200);
    for (int k = 0; k < 8; ++k) b.wire(b.out(in, k), b.in(out, k));
    b.probe({250, b.out(in, 0).y}, "K1");
    b.probe({250, b.out(in, 7).y}, "K8");
    b.note(60, 300, {"实验箱联机：信号输入器件 1～8 脚为开关 bit0～bit7，",
                     "信号输出器件 1～8 脚送往灯 bit7～bit0。",
                     "没有实验箱时，从“运行”菜单打开“虚拟实验箱”。"});
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
        {"74LS90十进制计数器.vlk", counter_74ls90},
        {"74LS93二进制计数器.vlk", counter_74ls93},
        {"74LS138译码器.vlk", decoder_74ls138},
        {"74LS48驱动数码管.vlk", decoder_74ls48},
        {"74LS74分频器.vlk", divider_74ls74},
        {"74LS85比较器.vlk", comparator_74ls85},
        {"实验箱联机.vlk", box_loopback},
    };
    return list;
}

}  // namespace vorlisk::examples
