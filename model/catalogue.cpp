// The component catalogue as one table: kind, category, rule and the exact
// geometry and defaults that placement writes.
#include "model/catalogue.h"

#include <string>
#include <vector>

#include "chips/chip_table.h"
#include "model/text_metrics.h"

namespace vorlisk {
namespace {

struct Pin {
    int16_t dx, dy, sx, sy;  // connection point, stroke inner end
};
struct Text {
    const char* s;
    int16_t dx, dy;
};
struct Line {
    int16_t x1, y1, x2, y2;
    int16_t width;  // 0: the component's border width
};
struct Point {
    int16_t dx, dy;
};

// What placement does beyond geometry.
enum class Defaults : uint8_t { none, level_switch, pulse_continuous, pulse_preset, led, display };

struct KindRow {
    KindInfo info;
    Rect32 body, outline;
    std::vector<Pin> in, out;
    std::vector<Point> bubbles;  // inversion bubbles: flag 1, component border width
    std::vector<Line> lines;
    std::vector<Text> texts;
    Defaults defaults = Defaults::none;
};

// Inputs stacked at x (stroke at sx) with the given y values, in pin order.
std::vector<Pin> column(int16_t x, int16_t sx, std::initializer_list<int16_t> ys) {
    std::vector<Pin> pins;
    for (int16_t y : ys) pins.push_back({x, y, sx, y});
    return pins;
}

KindRow gate(std::string_view kind, Rule rule, int n, const char* text, bool bubble) {
    KindRow r{{kind, Category::gates, rule}, {}, {}, {}, {{20, 0, 10, 0}}, {}, {}, {}};
    switch (n) {
        case 1:
            r.in = column(-30, -20, {0});
            break;
        case 2:
            r.in = column(-30, -20, {-10, 10});
            break;
        case 3:  // the third input sits in the middle
            r.in = column(-30, -20, {-10, 10, 0});
            break;
        case 4:
            r.in = column(-30, -20, {-20, -10, 10, 20});
            break;
        case 5:  // the fifth input sits in the middle
            r.in = column(-30, -20, {-20, -10, 10, 20, 0});
            break;
        case 8:
            r.in = column(-30, -20, {-30, -20, -10, 0, 10, 20, 30, 40});
            break;
    }
    if (n <= 3) {
        r.body = {-20, -20, 10, 20};
        r.outline = {-30, -20, 20, 20};
        r.texts = {{text, -5, -10}};
    } else if (n <= 5) {
        r.body = {-20, -30, 10, 30};
        r.outline = {-30, -30, 20, 30};
        r.texts = {{text, -5, -20}};
    } else {
        r.body = {-20, -40, 10, 50};
        r.outline = {-30, -40, 20, 50};
        r.texts = {{text, -5, -30}};
    }
    if (bubble) r.bubbles = {{13, 0}};
    return r;
}

KindRow rail(std::string_view kind, Rule rule, const char* text) {
    return {{kind, Category::gates, rule}, {-10, -10, 10, 10}, {-10, -10, 10, 10}, {}, {{0, 0, 0, 0}},
            {}, {}, {{text, -5, -10}}};
}

KindRow adder(std::string_view kind, Rule rule, bool full) {
    KindRow r{{kind, Category::combinational, rule}, {-30, -30, 30, 30}, {-40, -30, 40, 30},
              {}, {{40, -20, 30, -20}, {40, 20, 30, 20}}, {}, {}, {{"∑", 0, -20}, {"CO", 18, 19}}};
    if (full) {
        r.in = column(-40, -30, {-20, 0, 20});
        r.texts.push_back({"CI", -18, 19});
    } else {
        r.in = column(-40, -30, {-20, 20});
    }
    return r;
}

const std::vector<Line> kMasterSlaveLines = {
    {5, -25, 15, -25, 1}, {15, -25, 15, -15, 1}, {5, 15, 15, 15, 1}, {15, 15, 15, 25, 1}};

KindRow flip_flop(std::string_view kind, Rule rule, std::initializer_list<int16_t> in_ys,
                  std::vector<Point> more_bubbles, std::vector<Line> lines, std::vector<Text> texts) {
    KindRow r{{kind, Category::flip_flops, rule}, {-30, -30, 20, 30}, {-40, -30, 30, 30},
              column(-40, -30, in_ys), {{30, -20, 20, -20}, {30, 20, 20, 20}},
              {{23, 20}}, std::move(lines), std::move(texts)};
    for (Point b : more_bubbles) r.bubbles.push_back(b);
    return r;
}

KindRow pulse(std::string_view kind, Rule rule, Defaults d) {
    return {{kind, Category::sources, rule}, {-30, -30, 30, 30}, {-40, -30, 40, 30},
            {{-40, 0, -30, 0}}, {{40, 0, 30, 0}}, {}, {}, {{"C", -23, 0}, {"O", 23, 0}}, d};
}

std::vector<Pin> device_column(int16_t x, int16_t sx) {
    std::vector<Pin> pins;
    for (int16_t k = 0; k < 8; ++k) pins.push_back({x, int16_t(-30 + 10 * k), sx, int16_t(-30 + 10 * k)});
    return pins;
}

std::vector<Text> device_texts(int16_t x) {
    static constexpr const char* kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    std::vector<Text> t;
    for (int16_t k = 0; k < 8; ++k) t.push_back({kDigits[k], x, int16_t(-30 + 10 * k)});
    return t;
}

std::vector<KindRow> make_rows() {
    using R = Rule;
    std::vector<KindRow> rows = {
        rail("Vcc", R::vcc, "Vcc"),
        rail("Gnd", R::gnd, "Gnd"),
        gate("与门", R::and_, 2, "&", false),
        gate("或门", R::or_, 2, "≥1", false),
        gate("与非门", R::nand_, 2, "&", true),
        gate("或非门", R::nor_, 2, "≥1", true),
        gate("3线与门", R::and_, 3, "&", false),
        gate("4线与门", R::and_, 4, "&", false),
        gate("5线与门", R::and_, 5, "&", false),
        gate("8线与门", R::and_, 8, "&", false),
        gate("3线或门", R::or_, 3, "≥1", false),
        gate("4线或门", R::or_, 4, "≥1", false),
        gate("5线或门", R::or_, 5, "≥1", false),
        gate("8线或门", R::or_, 8, "≥1", false),
        gate("3线与非门", R::nand_, 3, "&", true),
        gate("4线与非门", R::nand_, 4, "&", true),
        gate("5线与非门", R::nand_, 5, "&", true),
        gate("8线与非门", R::nand_, 8, "&", true),
        gate("3线或非门", R::nor_, 3, "≥1", true),
        gate("4线或非门", R::nor_, 4, "≥1", true),
        gate("5线或非门", R::nor_, 5, "≥1", true),
        gate("8线或非门", R::nor_, 8, "≥1", true),
        gate("非门", R::not_, 1, "1", true),
        gate("异或门", R::xor_, 2, "=1", false),
        gate("同或门", R::xnor_, 2, "=", false),
        {{"与或非门", Category::gates, R::aoi}, {-30, -30, 20, 30}, {-40, -30, 30, 30},
         column(-40, -30, {-20, -10, 10, 20}), {{30, 0, 20, 0}}, {{23, 0}},
         {{-5, -30, -5, 30, 0}, {-30, 0, -5, 0, 0}}, {{"&", -15, -20}, {"≥1", 10, 0}}},
        adder("半加器", R::half_adder, false),
        adder("全加器", R::full_adder, true),
        flip_flop("或非门基本RS触发器", R::rs_nor, {-20, 20}, {}, {}, {{"S", -20, -20}, {"R", -20, 20}}),
        flip_flop("与非门基本RS触发器", R::rs_nand, {-20, 20}, {{-33, -20}, {-33, 20}}, {},
                  {{"S", -20, -20}, {"R", -20, 20}}),
        flip_flop("同步RS触发器", R::rs_clocked, {-20, 20, 0}, {}, {},
                  {{"1S", -20, -20}, {"1R", -20, 20}, {"C1", -20, 0}}),
        flip_flop("同步主从RS触发器", R::rs_master_slave, {-20, 20, 0}, {{-33, 0}}, kMasterSlaveLines,
                  {{"1S", -20, -20}, {"1R", -20, 20}, {"C1", -20, 0}}),
        flip_flop("CMOSD触发器", R::d_cmos, {-20, 0}, {{-33, 0}}, kMasterSlaveLines,
                  {{"1D", -20, -20}, {"C1", -20, 0}}),
        {{"边沿D触发器", Category::flip_flops, R::d_edge}, {-30, -40, 30, 40}, {-40, -40, 40, 40},
         column(-40, -30, {-30, -10, 10, 30}), {{40, -30, 30, -30}, {40, 30, 30, 30}}, {{33, 30}},
         {{-30, 0, -20, 10, 1}, {-20, 10, -30, 20, 1}},
         {{"S", -20, -30}, {"1D", -20, -10}, {"C1", -10, 10}, {"R", -20, 30}}},
        flip_flop("边沿JK触发器", R::jk_edge, {-20, 0, 20}, {{-33, 0}},
                  {{-30, -10, -20, 0, 1}, {-20, 0, -30, 10, 1}},
                  {{"1J", -20, -20}, {"C1", -10, 0}, {"1K", -20, 20}}),
        {{"高低电平控制器", Category::sources, R::level_switch}, {-20, -20, 20, 20}, {-20, -20, 30, 20},
         {}, {{30, 0, 20, 0}}, {}, {}, {}, Defaults::level_switch},
        pulse("连续脉冲", R::pulse_continuous, Defaults::pulse_continuous),
        pulse("可置数脉冲", R::pulse_preset, Defaults::pulse_preset),
        {{"发光二极管", Category::leds, R::led}, {-10, -10, 10, 10}, {-20, -10, 10, 10},
         {{-20, 0, -10, 0}}, {}, {}, {}, {}, Defaults::led},
        {{"发光二极管测点", Category::leds, R::led}, {-10, -10, 10, 10}, {-10, -10, 10, 10},
         {}, {}, {}, {}, {}, Defaults::led},
        {{"数码管", Category::displays, R::display}, {-30, -40, 30, 40}, {-30, -50, 30, 50},
         {{10, -50, 10, -40}, {20, -50, 20, -40}, {10, 50, 10, 40}, {-10, 50, -10, 40},
          {-20, 50, -20, 40}, {-10, -50, -10, -40}, {-20, -50, -20, -40}, {20, 50, 20, 40}},
         {}, {}, {},
         {{"a", 10, -30}, {"b", 19, -30}, {"c", 9, 30}, {"d", -11, 30}, {"e", -21, 30},
          {"f", -11, -30}, {"g", -21, -30}, {"h", 19, 30},
          {"-", 0, 29}, {"O", -1, 30}, {"-", 0, -31}, {"O", -1, -30}},
         Defaults::display},
        {{"数码管BCD", Category::displays, R::display}, {-30, -30, 20, 40}, {-30, -30, 20, 50},
         {{10, 50, 10, 40}, {0, 50, 0, 40}, {-10, 50, -10, 40}, {-20, 50, -20, 40}},
         {}, {}, {}, {{"A", 9, 30}, {"B", -1, 30}, {"C", -11, 30}, {"D", -21, 30}}, Defaults::display},
        {{"数码管BCD测点", Category::displays, R::display}, {-20, -30, 20, 30}, {-20, -30, 20, 30},
         {}, {}, {}, {}, {}, Defaults::display},
        {{"信号输入器件", Category::hardware, R::signal_in}, {-30, -40, 20, 50}, {-30, -40, 30, 50},
         {}, device_column(30, 20), {}, {}, device_texts(10)},
        {{"信号输出器件", Category::hardware, R::signal_out}, {-20, -40, 30, 50}, {-30, -40, 30, 50},
         device_column(-30, -20), {}, {}, {}, device_texts(-10)},
    };
    return rows;
}

const std::vector<KindRow>& rows() {
    static const std::vector<KindRow> table = make_rows();
    return table;
}

std::vector<KindInfo> make_infos() {
    std::vector<KindInfo> infos;
    for (const KindRow& r : rows()) infos.push_back(r.info);
    return infos;
}

const KindRow* find_row(std::string_view kind) {
    for (const KindRow& r : rows())
        if (r.info.kind == kind) return &r;
    return nullptr;
}

void add_text(MY_BASE_OBJ& o, std::string_view s, int dx, int dy) {
    if (o.label_count >= kMaxShapes) return;
    int t = o.label_count++;
    o.label_text[t] = std::string(s);
    o.label_pos[t] = {int16_t(dx), int16_t(dy)};
    TextSize size = measure_text(s, FontKind::chip);
    o.label_half_w[t] = int16_t(size.width / 2);
    o.label_half_h[t] = int16_t(size.height / 2);
}

void copy_look(MY_BASE_OBJ& o, const CategoryStyle& s) {
    o.border_color = s.border_color;
    o.border_width = int16_t(s.border_width);
    o.fill_color = s.fill_color;
    o.font_color = s.font_color;
    o.font_bold = s.font_bold;
}

void place_from_row(const Circuit& c, MY_BASE_OBJ& o, const KindRow& r) {
    o.body_rect = r.body;
    o.outline_rect = r.outline;
    o.input_count = int16_t(r.in.size());
    for (size_t k = 0; k < r.in.size(); ++k) {
        o.in_dx[k] = r.in[k].dx;
        o.in_dy[k] = r.in[k].dy;
        o.in_stub_dx[k] = r.in[k].sx;
        o.in_stub_dy[k] = r.in[k].sy;
    }
    o.output_count = int16_t(r.out.size());
    for (size_t k = 0; k < r.out.size(); ++k) {
        o.out_dx[k] = r.out[k].dx;
        o.out_dy[k] = r.out[k].dy;
        o.out_stub_dx[k] = r.out[k].sx;
        o.out_stub_dy[k] = r.out[k].sy;
    }
    for (const Line& l : r.lines)
        o.lines[o.line_count++] = {l.x1, l.y1, l.x2, l.y2, l.width ? l.width : o.border_width};
    for (const Point& b : r.bubbles) o.bubbles[o.bubble_count++] = {b.dx, b.dy, o.border_width, 1};
    for (const Text& t : r.texts) add_text(o, t.s, t.dx, t.dy);

    const DrawSettings& d = c.draw;
    switch (r.defaults) {
        case Defaults::none: break;
        case Defaults::level_switch:
            o.out_v[0] = 0.0f;
            o.param_int[0] = 0;
            break;
        case Defaults::pulse_continuous:
        case Defaults::pulse_preset:
            o.idle_level = "常低";
            o.pulse_frequency = 1.0;
            o.pulse_count = r.defaults == Defaults::pulse_preset ? 10 : 1;
            o.pulse_phase = 0.5;
            o.pulse_width = 0.5;
            break;
        case Defaults::led:
            o.param_int[0] = d.led_on_color;
            o.param_int[1] = d.led_off_color;
            break;
        case Defaults::display:
            o.param_int[0] = d.seg_on_color;
            o.param_int[1] = d.seg_off_color;
            break;
    }
}

// DIP layout: pin 1 top left, down the left side, up the right side.
void place_chip(const Circuit& c, MY_BASE_OBJ& o, std::string_view kind) {
    std::string type = chip_type_of(kind);
    int r = find_chip_def(c, type);
    int pin_sum = 0;
    if (r >= 0) {
        const MY_CHIPS& d = c.chip_table[r];
        int n = d.pin_count;
        pin_sum = d.chip_input_count + d.chip_output_count;
        int top = n == 20 ? -50 : -40;
        int bottom = n == 14 ? 40 : n == 16 ? 50 : 60;
        o.body_rect = {-20, top, 20, bottom};
        o.outline_rect = {-30, top, 30, bottom};
        int left0 = n == 20 ? -40 : -30;   // y of pin 1
        int right0 = n == 14 ? 30 : n == 16 ? 40 : 50;  // y of pin n/2+1
        for (int p = 0; p < pin_sum && p < kMaxPins; ++p) {
            int x, sx, y;
            if (p < n / 2) {
                x = -30, sx = -20, y = 10 * p + left0;
            } else {
                x = 30, sx = 20, y = right0 - 10 * (p - n / 2);
            }
            const ChipPin& pin = d.pins[p];
            int k = pin.index & (kMaxPins - 1);
            if (pin.role == 1) {
                o.in_dx[k] = int16_t(x), o.in_dy[k] = int16_t(y);
                o.in_stub_dx[k] = int16_t(sx), o.in_stub_dy[k] = int16_t(y);
            } else if (pin.role == 2) {
                o.out_dx[k] = int16_t(x), o.out_dy[k] = int16_t(y);
                o.out_stub_dx[k] = int16_t(sx), o.out_stub_dy[k] = int16_t(y);
            }
        }
        o.input_count = int16_t(d.chip_input_count);
        o.output_count = int16_t(d.chip_output_count);
    }
    o.bubbles[o.bubble_count++] = {-10, int16_t(pin_sum > 16 ? -40 : -30), 1, 0};
    add_text(o, type, 0, 0);
}

}  // namespace

std::span<const KindInfo> kind_catalogue() {
    static const std::vector<KindInfo> infos = make_infos();
    return infos;
}

const KindInfo* find_kind(std::string_view kind) {
    const KindRow* r = find_row(kind);
    return r ? &r->info : nullptr;
}

Rule rule_of_kind(std::string_view kind) {
    if (contains(kind, "集成芯片")) return Rule::chip;
    if (contains(kind, "发光二极管")) return Rule::led;
    if (contains(kind, "数码管")) return Rule::display;
    const KindRow* r = find_row(kind);
    return r ? r->info.rule : Rule::none;
}

void build_component(const Circuit& c, MY_BASE_OBJ& o, std::string_view kind, int click_x, int click_y, int serial) {
    o = MY_BASE_OBJ{};  // no geometry left over from an earlier record in this slot
    reset_object(c, o);
    o.name = std::string(kind) + " " + std::to_string(serial);
    o.kind = std::string(kind);
    o.x = int16_t(snap(click_x));
    o.y = int16_t(snap(click_y));
    o.rotation = 0;
    if (contains(kind, "集成芯片")) {
        copy_look(o, c.draw.of(Category::combinational));
        place_chip(c, o, kind);
    } else if (const KindRow* r = find_row(kind)) {
        copy_look(o, c.draw.of(r->info.category));
        place_from_row(c, o, *r);
    }
}

void place_component(Circuit& c, int slot, std::string_view kind, int click_x, int click_y) {
    if (slot < 0 || slot >= kMaxObjects) return;
    c.next_serial += 1;
    build_component(c, c.objects[slot], kind, click_x, click_y, c.next_serial);
    c.touch();
}

}  // namespace vorlisk
