#include "tools/vorlisk_sim/options.h"

#include <charconv>
#include <string_view>

#include "model/circuit.h"

namespace vorlisk::sim {

const char* const kUsage =
    "用法：vorlisk-sim 文件 [--passes N] [--step 秒] [--set 名称=0|1]... [--vcd 路径] [--truth-table]"
    " [--record-table 路径|-] [--box-in 字节] [--box-out] [--check-pass]";

namespace {

bool parse_count(std::string_view s, long long& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && out >= 0;
}

bool parse_seconds(std::string_view s, double& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && out > 0.0 && out <= kMaxTimeStep;
}

// A byte as a teacher writes it: 165, 0xA5 or 0b10100101.
bool parse_byte(std::string_view s, uint8_t& out) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0') {
        if (s[1] == 'x' || s[1] == 'X') base = 16;
        if (s[1] == 'b' || s[1] == 'B') base = 2;
        if (base != 10) s.remove_prefix(2);
    }
    unsigned v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (ec != std::errc() || p != s.data() + s.size() || s.empty() || v > 255) return false;
    out = uint8_t(v);
    return true;
}

}  // namespace

std::optional<Options> parse_options(int argc, const char* const* argv, std::string& error) {
    Options o;
    auto value = [&](int& i, std::string_view option) -> std::optional<std::string_view> {
        if (i + 1 >= argc) {
            error = "选项 " + std::string(option) + " 缺少参数。";
            return std::nullopt;
        }
        return std::string_view(argv[++i]);
    };
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--passes") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            if (!parse_count(*v, o.passes)) {
                error = "--passes 需要非负整数，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
        } else if (a == "--step") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            double s = 0;
            if (!parse_seconds(*v, s)) {
                error = "--step 需要不大于 86400 的正实数（秒），却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.step = s;
        } else if (a == "--set") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            size_t eq = v->rfind('=');
            std::string_view level = eq == std::string_view::npos ? "" : v->substr(eq + 1);
            if (eq == std::string_view::npos || eq == 0 || (level != "0" && level != "1")) {
                error = "--set 需要“名称=0”或“名称=1”，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.sets.emplace_back(std::string(v->substr(0, eq)), level == "1" ? 1 : 0);
        } else if (a == "--vcd") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            o.vcd = std::string(*v);
        } else if (a == "--box-in") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            uint8_t b = 0;
            if (!parse_byte(*v, b)) {
                error = "--box-in 需要 0 到 255 的字节（十进制、0x 十六进制或 0b 二进制），却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.box_in = b;
        } else if (a == "--box-out") {
            o.box_out = true;
        } else if (a == "--record-table") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            o.record_table = std::string(*v);
        } else if (a == "--truth-table") {
            o.truth_table = true;
        } else if (a == "--check-pass") {
            o.check_pass = true;
        } else if (a.starts_with("--")) {
            error = "未知的选项“" + std::string(a) + "”。";
            return std::nullopt;
        } else if (o.file.empty()) {
            o.file = std::string(a);
        } else {
            error = "多余的参数“" + std::string(a) + "”：只能给出一个电路文件。";
            return std::nullopt;
        }
    }
    if (o.truth_table && o.record_table) {
        error = "--record-table 记录一次运行，不能与 --truth-table 同时使用。";
        return std::nullopt;
    }
    if (o.file.empty()) {
        error = std::string("缺少电路文件。") + kUsage;
        return std::nullopt;
    }
    return o;
}

}  // namespace vorlisk::sim
