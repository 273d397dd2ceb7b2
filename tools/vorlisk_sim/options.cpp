#include "tools/vorlisk_sim/options.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace vorlisk::sim {

const char* const kUsage =
    "用法：vorlisk-sim 文件 [--passes N] [--step 秒] [--set 名称=0|1]... [--vcd 路径] [--truth-table] [--check-pass]";

namespace {

bool parse_count(std::string_view s, long long& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && out >= 0;
}

bool parse_seconds(std::string_view s, double& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && std::isfinite(out) && out > 0.0;
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
                error = "--step 需要正实数（秒），却是“" + std::string(*v) + "”。";
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
    if (o.file.empty()) {
        error = std::string("缺少电路文件。") + kUsage;
        return std::nullopt;
    }
    return o;
}

}  // namespace vorlisk::sim
