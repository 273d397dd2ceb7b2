#include "tools/vorlisk_sim/signals.h"

#include "engine/indicators.h"
#include "engine/net_queries.h"
#include "model/catalogue.h"

namespace vorlisk::sim {

namespace {

// The digits a seven-segment pattern (a = bit 0 .. g = bit 6) can show; 6
// and 9 are drawn with or without their tail.
struct DigitPattern {
    uint8_t segments;
    char digit;
};
constexpr DigitPattern kDigits[] = {
    {0x3f, '0'}, {0x06, '1'}, {0x5b, '2'}, {0x4f, '3'}, {0x66, '4'}, {0x6d, '5'},
    {0x7c, '6'}, {0x7d, '6'}, {0x07, '7'}, {0x7f, '8'}, {0x67, '9'}, {0x6f, '9'},
};

// The label of the first test point (in pin order) on an indicator's
// inputs; probe kinds read their test points by name instead of wires.
std::string indicator_label(Circuit& c, int i, bool probe) {
    const MY_BASE_OBJ& o = c.objects[i];
    if (probe) {
        for (int k = 0; k < 4; ++k) {
            if (o.param_text[k].empty()) continue;
            const int t = find_test_point(c, o.param_text[k]);
            if (t >= 0) return c.test_points[t].label;
        }
        return {};
    }
    for (int k = 0; k < o.input_count; ++k)
        for (int t = 0; t < c.test_point_count; ++t)
            if (test_point_on_input(c, t, i, k)) return c.test_points[t].label;
    return {};
}

}  // namespace

Signals find_signals(Circuit& c) {
    Signals s;
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        if (o.kind == kSwitchKind) {
            SwitchSignal sw{i, o.name, -1, o.name};
            for (int t = 0; t < c.test_point_count && sw.test_point < 0; ++t) {
                const std::string& label = c.test_points[t].label;
                // A label already naming an earlier switch stays with it;
                // on a net that another output drives too, the test point
                // reads the net, not this switch, and stays a reading.
                if (!label.empty() && test_point_hears(c, t, i, 0) && test_point_driver_count(c, t) == 1 &&
                    find_switch(s, label) < 0)
                    sw.name = label, sw.test_point = t;
            }
            s.switches.push_back(std::move(sw));
            continue;
        }
        const Rule rule = rule_of_kind(o.kind);
        if (rule != Rule::led && rule != Rule::display) continue;
        std::string label = indicator_label(c, i, contains(o.kind, "测点"));
        s.indicators.push_back({rule == Rule::led ? Reading::led : Reading::display, i,
                                label.empty() ? o.name : std::move(label)});
    }
    for (int t = 0; t < c.test_point_count; ++t) s.test_points.push_back({Reading::test_point, t, c.test_points[t].label});
    // An indicator named like a test point or an earlier indicator says
    // what it is, so that no two columns a reference keeps share a name:
    // "S（发光二极管）"; every student's circuit names it alike.
    auto taken = [&](const std::string& name, size_t before) {
        for (const Reading& r : s.test_points)
            if (r.name == name) return true;
        for (size_t k = 0; k < before; ++k)
            if (s.indicators[k].name == name) return true;
        return false;
    };
    for (size_t k = 0; k < s.indicators.size(); ++k) {
        Reading& r = s.indicators[k];
        if (!taken(r.name, k)) continue;
        r.name += r.kind == Reading::led ? "（发光二极管）" : "（数码管）";
        if (taken(r.name, k)) r.name = c.objects[r.index].name;
    }
    return s;
}

int find_switch(const Signals& s, std::string_view name) {
    for (size_t k = 0; k < s.switches.size(); ++k)
        if (s.switches[k].name == name) return int(k);
    for (size_t k = 0; k < s.switches.size(); ++k)
        if (s.switches[k].component == name) return int(k);
    return -1;
}

std::string switch_names(const Signals& s) {
    std::string names;
    for (const SwitchSignal& sw : s.switches) names += (names.empty() ? "" : "、") + sw.name;
    return names;
}

bool names_a_switch(const Signals& s, int test_point) {
    for (const SwitchSignal& sw : s.switches)
        if (sw.test_point == test_point) return true;
    return false;
}

uint32_t read_value(const Circuit& c, const Reading& r, uint8_t lamps) {
    switch (r.kind) {
        case Reading::test_point: return c.test_points[r.index].value > 2.0 ? 1 : 0;
        case Reading::led: return led_lit(c.objects[r.index]) ? 1 : 0;
        case Reading::display: return lit_segments(c.objects[r.index]);
        case Reading::box: return lamps;
    }
    return 0;
}

std::string value_text(const Reading& r, uint32_t value) {
    if (r.kind == Reading::box) {
        std::string bits;
        for (int k = 7; k >= 0; --k) bits += (value >> k) & 1 ? '1' : '0';
        return bits;
    }
    if (r.kind != Reading::display) return value ? "1" : "0";
    if (value == 0) return "-";
    const bool point = value & 0x80;
    for (const DigitPattern& d : kDigits)
        if (d.segments == (value & 0x7f)) return point ? std::string{d.digit, '.'} : std::string(1, d.digit);
    std::string letters;
    for (int k = 0; k < 8; ++k)
        if (value & (1u << k)) letters += char('a' + k);
    return letters;
}

}  // namespace vorlisk::sim
