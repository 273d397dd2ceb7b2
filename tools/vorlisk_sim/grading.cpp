#include "tools/vorlisk_sim/grading.h"

#include <map>

#include "tools/vorlisk_sim/files.h"

namespace vorlisk::sim {

namespace {

constexpr size_t kRowsShown = 3;  // differing rows a reason spells out

// The student's reading for each reference name: the k-th column of a name
// is the k-th reading with it among `shown`; a name shown nowhere may still
// be a test point elsewhere (one that names a switch, say).
std::vector<Reading> match(const std::vector<std::string>& names, const std::vector<Reading>& shown,
                           const Signals& s, std::string& missing) {
    std::map<std::string, int> seen;
    std::vector<Reading> out;
    for (const std::string& name : names) {
        int want = seen[name]++, found = -1;
        for (size_t k = 0; k < shown.size() && found < 0; ++k)
            if (shown[k].name == name && want-- == 0) found = int(k);
        if (found >= 0) {
            out.push_back(shown[size_t(found)]);
            continue;
        }
        const Reading* any = nullptr;
        for (const Reading& r : s.test_points)
            if (r.name == name && !any) any = &r;
        if (any && seen[name] == 1) {
            out.push_back(*any);
            continue;
        }
        missing += (missing.empty() ? "“" : "、“") + name + "”";
        out.push_back({});
    }
    return out;
}

std::string difference(const std::string& name, const std::string& want, const std::string& got) {
    if (got == "~") return name + " 未稳定（应为 " + want + "）";
    return name + " 应为 " + want + "，实为 " + got;
}

void add_box(std::vector<Reading>& shown, const RunSetup& setup) {
    if (setup.box) shown.push_back({Reading::box, -1, std::string(kBoxColumn)});
}

Verdict check_table(Bench& b, const Signals& s, const Reference& ref, const Options& opt, const std::string& path,
                    const RunSetup& setup, const std::vector<std::pair<int, int>>& levels, int workers) {
    Circuit& c = b.circuit();
    RowJob job{path, setup, levels, {}, {}, {}, opt.passes.value_or(default_row_passes(c))};
    std::string missing;
    for (size_t k = 0; k < ref.inputs; ++k) {
        const int sw = find_switch(s, ref.names[k]);
        if (sw < 0) missing += (missing.empty() ? "开关“" : "、“") + ref.names[k] + "”";
        else job.switches.push_back(s.switches[size_t(sw)].object);
    }
    std::vector<Reading> shown;
    for (const Reading& r : s.test_points)
        if (!names_a_switch(s, r.index)) shown.push_back(r);
    shown.insert(shown.end(), s.indicators.begin(), s.indicators.end());
    add_box(shown, setup);
    std::string missing_outputs;
    job.readings = match({ref.names.begin() + long(ref.inputs), ref.names.end()}, shown, s, missing_outputs);
    if (!missing_outputs.empty()) missing += (missing.empty() ? "" : "；") + std::string("检测点或指示器") + missing_outputs;
    if (!missing.empty()) {
        const std::string have = switch_names(s);
        return {false, "缺少" + missing + "（电路中的开关：" + (have.empty() ? "无" : have) + "）"};
    }

    for (const auto& row : ref.rows) {
        uint32_t code = 0;
        for (size_t k = 0; k < ref.inputs; ++k) code = code << 1 | uint32_t(row[k] == "1");
        job.codes.push_back(code);
    }
    const std::vector<RowResult> got = run_rows(job, b, workers, workers > 1);

    size_t differing = 0;
    std::string shown_rows;
    for (size_t r = 0; r < ref.rows.size(); ++r) {
        std::string diffs;
        for (size_t j = 0; j < job.readings.size(); ++j) {
            const std::string& want = ref.rows[r][ref.inputs + j];
            if (dont_care(want)) continue;
            const std::string text = got[r].unsettled[j] ? "~" : value_text(job.readings[j], got[r].values[j]);
            if (text != want) diffs += (diffs.empty() ? "" : "，") + difference(ref.names[ref.inputs + j], want, text);
        }
        if (diffs.empty()) continue;
        if (++differing > kRowsShown) continue;
        std::string where;
        for (size_t k = 0; k < ref.inputs; ++k) where += (k ? " " : "") + ref.names[k] + "=" + ref.rows[r][k];
        if (where.empty()) where = "唯一一行";
        shown_rows += (shown_rows.empty() ? "" : "；") + where + " 时 " + diffs;
    }
    if (differing == 0) return {true, {}};
    return {false, std::to_string(differing) + " 行不同（共 " + std::to_string(ref.rows.size()) + " 行）：" + shown_rows +
                       (differing > kRowsShown ? "；……" : "")};
}

Verdict check_readings(Bench& b, const Signals& s, const Reference& ref, const Options& opt, const RunSetup& setup) {
    std::vector<Reading> shown = s.test_points;
    shown.insert(shown.end(), s.indicators.begin(), s.indicators.end());
    add_box(shown, setup);
    std::string missing;
    const std::vector<Reading> readings = match(ref.names, shown, s, missing);
    if (!missing.empty()) return {false, "缺少检测点或指示器" + missing};
    b.run(opt.passes.value_or(default_run_passes(b.circuit())));
    std::string diffs;
    size_t differing = 0;
    for (size_t k = 0; k < readings.size(); ++k) {
        const std::string& want = ref.rows[0][k];
        const std::string text = value_text(readings[k], read_value(b.circuit(), readings[k], b.lamps()));
        if (dont_care(want) || text == want) continue;
        ++differing;
        diffs += (diffs.empty() ? "" : "；") + difference(ref.names[k], want, text);
    }
    if (differing == 0) return {true, {}};
    return {false, std::to_string(differing) + " 项不同：" + diffs};
}

}  // namespace

Verdict check_file(const std::string& path, const Reference& ref, const Options& opt, int workers) {
    std::string error;
    RunSetup setup{opt.step, opt.box_out || opt.box_in.has_value(), opt.box_in.value_or(0)};
    for (const std::string& name : ref.names) setup.box = setup.box || name == kBoxColumn;
    Bench b;
    if (!b.load(path, setup, error)) return {false, error};
    const Signals s = find_signals(b.circuit());
    std::vector<std::pair<int, int>> levels;
    if (!apply_sets(b.circuit(), s, opt.sets, levels, error)) return {false, error};
    return ref.table ? check_table(b, s, ref, opt, path, setup, levels, workers)
                     : check_readings(b, s, ref, opt, setup);
}

}  // namespace vorlisk::sim
