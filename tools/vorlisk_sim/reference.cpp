#include "tools/vorlisk_sim/reference.h"

#include <set>

#include "tools/vorlisk_sim/text_out.h"

namespace vorlisk::sim {

namespace {

bool is_level(std::string_view s) { return s == "0" || s == "1"; }

// What the runner prints for a reading (a level, a display's digit or its
// lit segments a..h in order, "-" for a dark display, the lamps' eight
// binary digits) or a mark that checks nothing.
bool is_cell(std::string_view s) {
    if (is_level(s) || dont_care(s) || s == "-") return true;
    if (s.size() == 8 && s.find_first_not_of("01") == std::string_view::npos) return true;
    if ((s.size() == 1 || (s.size() == 2 && s[1] == '.')) && s[0] >= '0' && s[0] <= '9') return true;
    if (s.empty()) return false;
    for (size_t k = 0; k < s.size(); ++k)
        if (s[k] < 'a' || s[k] > 'h' || (k > 0 && s[k] <= s[k - 1])) return false;
    return true;
}

// The first name given twice: its second place and its first, or nothing.
std::optional<std::pair<size_t, size_t>> repeated(const std::vector<std::string>& names) {
    for (size_t k = 1; k < names.size(); ++k)
        for (size_t j = 0; j < k; ++j)
            if (names[j] == names[k]) return std::pair{k, j};
    return std::nullopt;
}

// The number of leading columns that enumerate every combination once.
std::optional<size_t> input_columns(const Reference& r) {
    size_t n = 0;
    while ((size_t(1) << n) < r.rows.size() && n < 16) ++n;
    if ((size_t(1) << n) != r.rows.size() || n > r.names.size()) return std::nullopt;
    std::set<uint32_t> codes;
    for (const auto& row : r.rows) {
        uint32_t code = 0;
        for (size_t k = 0; k < n; ++k) {
            if (!is_level(row[k])) return std::nullopt;
            code = code << 1 | uint32_t(row[k] == "1");
        }
        codes.insert(code);
    }
    if (codes.size() != r.rows.size()) return std::nullopt;
    return n;
}

}  // namespace

bool dont_care(std::string_view cell) { return cell == "~" || cell == "x" || cell == "X"; }

std::optional<Reference> parse_reference(std::string_view text, std::string& error) {
    std::vector<size_t> numbers;
    auto lines = split_table(text, &numbers);
    if (lines.empty()) {
        error = "参考结果是空的。";
        return std::nullopt;
    }
    auto line_no = [&](size_t l) { return "第 " + std::to_string(numbers[l]) + " 行"; };
    auto bad_cell = [&](size_t l, const std::string& cell) {
        error = "参考结果" + line_no(l) + "的“" + cell + "”不是读数：应为 0、1、~、x，或数码管、实验箱的读数。";
        return std::nullopt;
    };
    Reference r;
    // A table's rows start with a switch level; readings start with a label.
    r.table = lines.size() >= 2 && lines[0].size() != 2;
    r.table = r.table || (lines.size() >= 2 && is_level(lines[1][0]) && lines.size() != 2);
    if (!r.table) {
        r.rows.emplace_back();
        for (size_t l = 0; l < lines.size(); ++l) {
            if (lines[l].size() != 2) {
                error = "参考结果" + line_no(l) + "应是“标签<制表符>读数”，却有 " + std::to_string(lines[l].size()) + " 项。";
                return std::nullopt;
            }
            r.names.push_back(lines[l][0]);
            r.rows[0].push_back(lines[l][1]);
            if (!is_cell(lines[l][1])) return bad_cell(l, lines[l][1]);
        }
        // Two lines of one name would be matched by their order alone.
        if (const auto twice = repeated(r.names)) {
            error = "参考结果" + line_no(twice->first) + "的“" + r.names[twice->first] + "”在" + line_no(twice->second) +
                    "已出现：每个名称只能出现一次。";
            return std::nullopt;
        }
        return r;
    }
    r.names = lines[0];
    if (const auto twice = repeated(r.names)) {
        error = "参考真值表" + line_no(0) + "的列名“" + r.names[twice->first] + "”出现了两次（第 " + std::to_string(twice->second + 1) +
                " 列和第 " + std::to_string(twice->first + 1) + " 列）：每个名称只能出现一次。";
        return std::nullopt;
    }
    for (size_t l = 1; l < lines.size(); ++l) {
        if (lines[l].size() != r.names.size()) {
            error = "参考真值表" + line_no(l) + "有 " + std::to_string(lines[l].size()) + " 列，表头有 " +
                    std::to_string(r.names.size()) + " 列。";
            return std::nullopt;
        }
        if (!is_level(lines[l][0])) {
            error = "参考真值表" + line_no(l) + "应以开关电平 0 或 1 开头，却是“" + lines[l][0] + "”。";
            return std::nullopt;
        }
        for (const std::string& cell : lines[l])
            if (!is_cell(cell)) return bad_cell(l, cell);
        r.rows.push_back(std::move(lines[l]));
    }
    const auto n = input_columns(r);
    if (!n) {
        error = "参考真值表的行数不是 2 的幂，或开头各列不是开关电平的全部组合：请用 vorlisk-sim --truth-table 重新生成。";
        return std::nullopt;
    }
    r.inputs = *n;
    return r;
}

}  // namespace vorlisk::sim
