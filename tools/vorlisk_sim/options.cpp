#include "tools/vorlisk_sim/options.h"

#include <charconv>
#include <string_view>

#include "model/circuit.h"
#include "model/std_compat.h"

namespace vorlisk::sim {

const char* const kHelp =
    "用法：vorlisk-sim [选项] 电路文件\n"
    "      vorlisk-sim --expect 参考结果 [选项] 电路文件...\n"
    "在虚拟时间中运行电路文件，输出各检测点的读数（标签、制表符、1 或 0）。\n"
    "\n"
    "  --passes N             运算 N 次（默认 1000 次器件运算）；真值表中为每行的运算次数（默认 100 次器件运算）\n"
    "  --step 秒              每次运算的时间步长（默认用文件中的设置）\n"
    "  --set 名称=0|1         运行前设置一个高低电平控制器；名称为其输出端检测点的标签或元件名称\n"
    "  --truth-table          对高低电平控制器的每种组合各运行一次，输出真值表（开关为输入列）\n"
    "  --indicators           另外输出每个发光二极管（1 亮，0 灭）和数码管显示的内容\n"
    "  --expect 参考结果      与参考结果（vorlisk-sim 对参考电路的输出）比较，每个文件一行“通过”或“不通过”\n"
    "  --format tsv|csv       输出格式：制表符分隔（默认）或 CSV\n"
    "  --vcd 路径|-           把各检测点的变化写成 VCD 波形文件；- 为标准输出，这时不输出读数\n"
    "  --record-table 路径|-  像“真值表”窗口的“状态改变时记录”那样记录，写成 CSV；- 为标准输出，这时不输出读数\n"
    "  --settled              与 --record-table 同用：像“稳定时记录”那样，只记录稳定下来的状态\n"
    "  --box-in 字节          虚拟实验箱的八个开关（十进制、0x 十六进制或 0b 二进制）\n"
    "  --box-out              另外输出实验箱的灯所显示的字节\n"
    "  --check-pass           每次运算同时按完整扫描计算并比较，不同即报错（检查仿真器本身）\n"
    "  --jobs N               同时运行的线程数（默认每个处理器核一个）\n"
    "  --picture 路径|-       不运行，把电路画成图片（.svg 或 .png，按扩展名；- 为标准输出的 SVG），裁到图形外留 10 像素\n"
    "  --scale F              图片的比例：1 为 100%，2 为 200%（默认 2）\n"
    "  --help, -h             显示本说明\n"
    "  --version              显示版本\n"
    "  --                     其后的参数都是电路文件\n"
    "退出码：0 成功（--expect：全部通过），1 有文件不通过，2 出错。\n";

namespace {

bool parse_count(std::string_view s, long long& out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size() && out >= 0;
}

bool parse_seconds(std::string_view s, double& out) {
    auto [p, ec] = real_from_chars(s.data(), s.data() + s.size(), out);
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
    bool files_only = false;  // after "--"
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (files_only || !a.starts_with("-") || a == "-") {
            o.files.emplace_back(a);
        } else if (a == "--") {
            files_only = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
            return o;  // whatever else is given
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--passes") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            long long n = 0;
            if (!parse_count(*v, n)) {
                error = "--passes 需要非负整数，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.passes = n;
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
        } else if (a == "--settled") {
            o.settled = true;
        } else if (a == "--truth-table") {
            o.truth_table = true;
        } else if (a == "--check-pass") {
            o.check_pass = true;
        } else if (a == "--indicators") {
            o.indicators = true;
        } else if (a == "--expect") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            o.expect = std::string(*v);
        } else if (a == "--format") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            if (*v == "tsv") o.format = Format::tsv;
            else if (*v == "csv") o.format = Format::csv;
            else {
                error = "--format 只能是 tsv 或 csv，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
        } else if (a == "--jobs") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            long long n = 0;
            if (!parse_count(*v, n) || n < 1 || n > 1024) {
                error = "--jobs 需要 1 到 1024 的整数，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.jobs = int(n);
        } else if (a == "--picture") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            o.picture = std::string(*v);
        } else if (a == "--scale") {
            auto v = value(i, a);
            if (!v) return std::nullopt;
            double f = 0;
            auto [p, ec] = real_from_chars(v->data(), v->data() + v->size(), f);
            if (ec != std::errc() || p != v->data() + v->size() || !(f > 0.0) || f > 16.0) {
                error = "--scale 需要大于 0 且不超过 16 的数，却是“" + std::string(*v) + "”。";
                return std::nullopt;
            }
            o.scale = f;
        } else {
            error = "未知的选项“" + std::string(a) + "”（--help 显示用法）。";
            return std::nullopt;
        }
    }
    if (o.version) return o;
    if (o.truth_table && o.record_table) {
        error = "--record-table 记录一次运行，不能与 --truth-table 同时使用。";
        return std::nullopt;
    }
    if (o.vcd && o.record_table && *o.vcd == "-" && *o.record_table == "-") {
        error = "--vcd 和 --record-table 不能都写到标准输出（-）。";
        return std::nullopt;
    }
    if (o.settled && !o.record_table) {
        error = "--settled 只与 --record-table 同用。";
        return std::nullopt;
    }
    if (o.files.empty()) {
        error = "缺少电路文件（--help 显示用法）。";
        return std::nullopt;
    }
    if (o.files.size() > 1 && !o.expect) {
        error = "多余的参数“" + o.files[1] + "”：只有 --expect 才能检查多个电路文件。";
        return std::nullopt;
    }
    if (o.scale && !o.picture) {
        error = "--scale 只用于 --picture。";
        return std::nullopt;
    }
    if (o.picture && o.expect) {
        error = "--picture 不能与 --expect 同时使用。";
        return std::nullopt;
    }
    if (o.expect && (o.vcd || o.record_table)) {
        error = std::string(o.vcd ? "--vcd" : "--record-table") + " 不能与 --expect 同时使用。";
        return std::nullopt;
    }
    return o;
}

}  // namespace vorlisk::sim
