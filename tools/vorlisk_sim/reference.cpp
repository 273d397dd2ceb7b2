#include "tools/vorlisk_sim/reference.h"

#include <set>

#include "tools/vorlisk_sim/text_out.h"

namespace vorlisk::sim {

namespace {

bool is_level(std::string_view s) { return s == "0" || s == "1"; }

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
    auto lines = split_table(text);
    if (lines.empty()) {
        error = "参考结果是空的。";
        return std::nullopt;
    }
    Reference r;
    r.table = lines.size() >= 2;
    for (size_t l = 1; l < lines.size() && r.table; ++l) r.table = is_level(lines[l][0]);
    if (!r.table) {
        r.rows.emplace_back();
        for (size_t l = 0; l < lines.size(); ++l) {
            if (lines[l].size() != 2) {
                error = "参考结果第 " + std::to_string(l + 1) + " 行应是“标签<制表符>读数”，却有 " +
                        std::to_string(lines[l].size()) + " 项。";
                return std::nullopt;
            }
            r.names.push_back(lines[l][0]);
            r.rows[0].push_back(lines[l][1]);
        }
        return r;
    }
    r.names = lines[0];
    for (size_t l = 1; l < lines.size(); ++l) {
        if (lines[l].size() != r.names.size()) {
            error = "参考真值表第 " + std::to_string(l + 1) + " 行有 " + std::to_string(lines[l].size()) +
                    " 列，表头有 " + std::to_string(r.names.size()) + " 列。";
            return std::nullopt;
        }
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
