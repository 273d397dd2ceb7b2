#include "tools/vorlisk_sim/reference.h"

#include <unordered_map>

#include "tools/vorlisk_sim/text_out.h"

namespace vorlisk::sim {

namespace {

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
    std::unordered_map<std::string_view, size_t> first;
    for (size_t k = 0; k < names.size(); ++k)
        if (const auto [at, fresh] = first.emplace(names[k], k); !fresh) return std::pair{k, at->second};
    return std::nullopt;
}

}  // namespace

bool dont_care(std::string_view cell) { return cell == "~" || cell == "x" || cell == "X"; }

namespace {

using Lines = std::vector<std::vector<std::string>>;

struct Parser {
    const Lines& lines;
    const std::vector<size_t>& numbers;

    std::string line_no(size_t l) const { return "第 " + std::to_string(numbers[l]) + " 行"; }
    std::string bad_cell(size_t l, const std::string& cell) const {
        return "参考结果" + line_no(l) + "的“" + cell + "”不是读数：应为 0、1、~、x，或数码管、实验箱的读数。";
    }

    std::optional<ReferenceReadings> readings(std::string& error) const {
        ReferenceReadings r;
        for (size_t l = 0; l < lines.size(); ++l) {
            if (lines[l].size() != 2) {
                error = "参考结果" + line_no(l) + "应是“标签<制表符>读数”，却有 " + std::to_string(lines[l].size()) + " 项。";
                return std::nullopt;
            }
            if (!is_cell(lines[l][1])) {
                error = bad_cell(l, lines[l][1]);
                return std::nullopt;
            }
            r.names.push_back(lines[l][0]);
            r.cells.push_back(lines[l][1]);
        }
        // Two lines of one name would be matched by their order alone.
        if (const auto twice = repeated(r.names)) {
            error = "参考结果" + line_no(twice->first) + "的“" + r.names[twice->first] + "”在" + line_no(twice->second) +
                    "已出现：每个名称只能出现一次。";
            return std::nullopt;
        }
        return r;
    }

    std::optional<ReferenceTable> table(std::string& error) const {
        ReferenceTable t;
        t.names = lines[0];
        if (const auto twice = repeated(t.names)) {
            error = "参考真值表" + line_no(0) + "的列名“" + t.names[twice->first] + "”出现了两次（第 " +
                    std::to_string(twice->second + 1) + " 列和第 " + std::to_string(twice->first + 1) +
                    " 列）：每个名称只能出现一次。";
            return std::nullopt;
        }
        if (lines.size() < 2) {
            error = "参考真值表只有表头，没有行。";
            return std::nullopt;
        }
        for (size_t l = 1; l < lines.size(); ++l) {
            if (lines[l].size() != t.names.size()) {
                error = "参考真值表" + line_no(l) + "有 " + std::to_string(lines[l].size()) + " 列，表头有 " +
                        std::to_string(t.names.size()) + " 列。";
                return std::nullopt;
            }
            // The runner prints the switches first; only a table without
            // switches has a single row, which may start with any reading.
            if (lines.size() > 2 && !is_level(lines[l][0])) {
                error = "参考真值表" + line_no(l) + "应以开关电平 0 或 1 开头，却是“" + lines[l][0] + "”。";
                return std::nullopt;
            }
            for (const std::string& cell : lines[l])
                if (!is_cell(cell)) {
                    error = bad_cell(l, cell);
                    return std::nullopt;
                }
            t.rows.push_back(lines[l]);
            t.lines.push_back(numbers[l]);
        }
        return t;
    }
};

}  // namespace

bool is_level(std::string_view s) { return s == "0" || s == "1"; }

std::optional<Reference> parse_reference(std::string_view text, std::string& error) {
    std::vector<size_t> numbers;
    const Lines lines = split_table(text, &numbers);
    if (lines.empty()) {
        error = "参考结果是空的。";
        return std::nullopt;
    }
    const Parser p{lines, numbers};
    std::string table_error, readings_error;
    Reference r;
    r.table = p.table(table_error);
    r.readings = p.readings(readings_error);
    if (r.table || r.readings) return r;
    // Neither: the message of the form it looks like. A table's rows start
    // with a switch level; readings lines with a label.
    const bool looks_like_table =
        lines.size() >= 2 && (lines[0].size() != 2 || (is_level(lines[1][0]) && lines.size() != 2));
    error = looks_like_table ? table_error : readings_error;
    return std::nullopt;
}

}  // namespace vorlisk::sim
