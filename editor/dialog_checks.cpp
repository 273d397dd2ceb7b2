#include "editor/dialog_checks.h"

#include <algorithm>
#include <cmath>

#include "editor/field_text.h"
#include "model/circuit_file.h"

namespace vorlisk {

namespace {

Refusal refuse(std::string message, int field) { return Refusal{std::move(message), field}; }

// Characters as an edit box counts them (UTF-16 units): a character
// beyond the basic plane counts twice.
size_t edit_length(std::string_view utf8) {
    size_t n = 0;
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) != 0x80) n += b >= 0xF0 ? 2 : 1;
    }
    return n;
}

// A width beyond a day is no lab's pulse.
constexpr double kMaxOneShotWidth = 86400.0;

bool ln2_type(std::string_view type) { return type == "74LS121" || type == "74LS221"; }

}  // namespace

std::optional<Refusal> check_time_settings(const Circuit& c, bool virtual_time, std::string_view step,
                                           std::string_view delay, TimeSettings& out) {
    out = {virtual_time, c.time_step, c.device_delay};
    if (!virtual_time) return std::nullopt;  // step and delay stay for a later switch back
    double s = 0.0;
    if (!read_real(step, s) || !(s > 0.0)) return refuse("\"计算步长\"必须是正实数，请重新输入。", 1);
    if (s > kMaxTimeStep) return refuse("\"计算步长\"不能大于 86400 秒（一天），请重新输入。", 1);
    int d = 0;
    if (!read_integer(delay, d) || d <= 0) return refuse("\"器件延时\"必须是正整数，请重新输入。", 2);
    out.time_step = s;
    out.device_delay = d;
    return std::nullopt;
}

void apply_time_settings(Circuit& c, const TimeSettings& s) {
    c.modified = true;
    c.virtual_time = s.virtual_time ? 1 : 0;
    c.time_step = s.time_step;
    c.device_delay = s.device_delay;
}

std::optional<Refusal> check_pulse_settings(std::string_view frequency, std::string_view width, std::string_view phase,
                                            std::string_view count, PulseSettings& s) {
    double f = 0.0, w = 0.0, p = 0.0;
    int n = 0;
    if (!read_real(frequency, f) || !(f > 0.0)) return refuse("脉冲频率必须是正实数，请重新输入。", 1);
    const double period = 1.0 / f;
    if (!read_real(width, w) || !(w > 0.0)) return refuse("脉冲宽度必须是正实数，请重新输入。", 2);
    if (!(w < period)) return refuse("脉冲宽度必须必须小于脉冲周期，请重新输入。", 2);
    if (!read_real(phase, p) || !(p >= 0.0)) return refuse("脉冲相位必须是正实数，请重新输入。", 3);
    // A pulse ending exactly at the period's end is accepted despite rounding.
    if (!(p + w <= period * 1.00000001)) return refuse("脉冲宽度与脉冲相位的和必须小于或等于脉冲周期，请重新输入。", 3);
    if (!read_integer(count, n) || n <= 0) return refuse("脉冲置数必须是正整数，请重新输入。", 4);
    s.frequency = f;
    s.width = w;
    s.phase = p;
    s.count = n;
    return std::nullopt;
}

std::string half_period_text(std::string_view frequency) {
    double f = 0.0;
    if (frequency.empty() || !read_real(frequency, f) || !(f > 0.0)) return {};
    // A new frequency starts from a square wave.
    return general_text(0.5 / f);
}

std::optional<Refusal> check_test_point_label(const Circuit& c, std::string_view test_point_name, std::string_view label) {
    if (label.empty()) return refuse("请输入检测点的标签。", 1);
    if (edit_length(label) > kMaxLineBytes / 2)
        return refuse("检测点的标签最多 " + std::to_string(kMaxLineBytes / 2) + " 个字，请重新输入。", 1);
    // Only the other test points count: keeping the own label is fine.
    for (int i = 0; i < c.test_point_count; ++i)
        if (c.test_points[i].label == label && c.test_points[i].name != test_point_name)
            return refuse("标签名称与其他检测点的标签同名，请重新输入。", 1);
    return std::nullopt;
}

std::vector<std::string> annotation_lines(std::string_view text) {
    std::vector<std::string> out;
    if (text.empty()) return out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        out.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (out.size() > 1 && out.back().empty()) out.pop_back();
    return out;
}

std::optional<Refusal> check_annotation_lines(const std::vector<std::string>& lines) {
    if (std::all_of(lines.begin(), lines.end(), [](const std::string& s) { return s.empty(); }))
        return refuse("请填入注释。", 1);
    const size_t longest = kMaxLineBytes / 2;
    if (lines.size() > size_t(kMaxNoteLines) ||
        std::any_of(lines.begin(), lines.end(), [&](const std::string& s) { return edit_length(s) > longest; }))
        return refuse("注释最多 " + std::to_string(kMaxNoteLines) + " 行，每行最多 " + std::to_string(longest) +
                          " 个字，请删减后再确定。",
                      1);
    return std::nullopt;
}

std::optional<Refusal> check_one_shot_width(std::string_view text, double& seconds) {
    double w = 0.0;
    if (!read_real(text, w)) w = 0.0;
    if (auto refusal = check_one_shot_width(w)) return refusal;
    seconds = w;
    return std::nullopt;
}

std::optional<Refusal> check_one_shot_width(double seconds) {
    if (!(seconds > 0) || seconds > kMaxOneShotWidth) return refuse("脉冲宽度必须是大于 0、不超过 86400 的秒数。", 1);
    return std::nullopt;
}

std::optional<Refusal> check_one_shot_rc(std::string_view type, std::string_view r, std::string_view cap,
                                         double& seconds) {
    double rv = 0, cv = 0;
    if (!read_real(r, rv) || !(rv > 0)) return refuse("电阻 R 必须是大于 0 的数（单位 kΩ）。", 1);
    if (!read_real(cap, cv) || !(cv > 0)) return refuse("电容 C 必须是大于 0 的数（单位 μF）。", 2);
    // kΩ · μF = 1e3 · 1e-6 s.
    seconds = one_shot_rc_factor(type) * rv * cv * 1e-3;
    return std::nullopt;
}

double one_shot_rc_factor(std::string_view type) { return ln2_type(type) ? std::log(2.0) : 0.45; }

std::string one_shot_formula(std::string_view type) {
    return ln2_type(type) ? "tw = ln2 · R · C ≈ 0.693 · R · C" : "tw ≈ 0.45 · R · C";
}

std::string one_shot_width_text(double seconds) { return rounded_text(seconds, 4); }

std::optional<Refusal> check_trace_scale(std::string_view text, double& scale) {
    double v = 0.0;
    if (!read_real(text, v) || !(v > 0.0)) return refuse("比例必须是大于零的实数，请重新输入。", 1);
    scale = v;
    return std::nullopt;
}

}  // namespace vorlisk
