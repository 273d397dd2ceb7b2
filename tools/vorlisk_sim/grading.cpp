#include "tools/vorlisk_sim/grading.h"

#include <map>

#include "tools/vorlisk_sim/files.h"

namespace vorlisk::sim {

namespace {

constexpr size_t kRowsShown = 3;  // differing rows a reason spells out
constexpr size_t kMaxTableSwitches = 16;  // as --truth-table runs at most

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

// Whether the circuit has something of this name that a reference can mean.
bool knows(const Signals& s, const std::string& name) {
    if (name == kBoxColumn || find_switch(s, name) >= 0) return true;
    for (const auto* list : {&s.test_points, &s.indicators})
        for (const Reading& r : *list)
            if (r.name == name) return true;
    return false;
}

size_t known(const Signals& s, const std::vector<std::string>& names) {
    size_t n = 0;
    for (const std::string& name : names) n += knows(s, name);
    return n;
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : "、") + n;
    return out;
}

// "A=1 B=0": a setting of the switches, the first the most significant.
std::string setting_text(const std::vector<std::string>& names, uint32_t code) {
    std::string out;
    for (size_t k = 0; k < names.size(); ++k)
        out += (k ? " " : "") + names[k] + "=" + ((code >> (names.size() - 1 - k)) & 1 ? "1" : "0");
    return out;
}

Verdict check_table(Bench& b, const Signals& s, const ReferenceTable& ref, const Options& opt, const std::string& path,
                    const RunSetup& setup, const std::vector<std::pair<int, int>>& levels, int workers) {
    Circuit& c = b.circuit();
    RowJob job{path, setup, levels, {}, {}, {}, opt.passes.value_or(default_row_passes(c))};
    auto fault = [&](const std::string& why) {
        Verdict v;
        v.fault = "参考真值表" + why + "（电路文件“" + path + "”）";
        return v;
    };
    // The columns that name a switch of this circuit set it, wherever they
    // stand; every other column is read.
    std::vector<size_t> inputs, outputs;
    std::vector<std::string> input_names, output_names;
    for (size_t k = 0; k < ref.names.size(); ++k) {
        const int sw = find_switch(s, ref.names[k]);
        if (sw < 0) {
            outputs.push_back(k), output_names.push_back(ref.names[k]);
            continue;
        }
        const int object = s.switches[size_t(sw)].object;
        for (size_t j = 0; j < job.switches.size(); ++j)
            if (job.switches[j] == object)
                return fault("的列“" + input_names[j] + "”和“" + ref.names[k] + "”是同一个开关");
        if (job.switches.size() == kMaxTableSwitches)
            return fault("有超过 " + std::to_string(kMaxTableSwitches) + " 个开关列");
        inputs.push_back(k), input_names.push_back(ref.names[k]), job.switches.push_back(object);
    }
    // Rows are found by their switch levels, and every setting needs one:
    // a reference cut short would pass circuits wrong in the rows it lacks.
    std::vector<bool> covered(size_t(1) << inputs.size(), false);
    for (size_t r = 0; r < ref.rows.size(); ++r) {
        uint32_t code = 0;
        for (size_t k : inputs) {
            const std::string& cell = ref.rows[r][k];
            if (!is_level(cell))
                return fault("第 " + std::to_string(ref.lines[r]) + " 行中开关 " + ref.names[k] + " 的“" + cell +
                             "”不是 0 或 1");
            code = code << 1 | uint32_t(cell == "1");
        }
        covered[code] = true;
        job.codes.push_back(code);
    }
    std::string absent;
    size_t missing = 0;
    for (uint32_t code = 0; code < covered.size(); ++code)
        if (!covered[code] && ++missing <= kRowsShown) absent += (absent.empty() ? "" : "、") + setting_text(input_names, code);
    if (missing > 0)
        return fault("缺少 " + absent + (missing > kRowsShown ? " 等 " + std::to_string(missing) + " 种设置" : "") +
                     " 的行：开关 " + joined(input_names) + " 的每种组合都须有一行");

    std::vector<Reading> shown;
    for (const Reading& r : s.test_points)
        if (!names_a_switch(s, r.index)) shown.push_back(r);
    shown.insert(shown.end(), s.indicators.begin(), s.indicators.end());
    add_box(shown, setup);
    // A column the circuit lacks, standing before one of its switches, was
    // a switch in the model solution.
    std::string missing_switches, missing_outputs;
    job.readings = match(output_names, shown, s, missing_outputs);
    if (!missing_outputs.empty()) {
        missing_outputs.clear();
        for (size_t j = 0; j < outputs.size(); ++j) {
            if (job.readings[j].index >= 0 || job.readings[j].kind == Reading::box) continue;
            std::string& list = !inputs.empty() && outputs[j] < inputs.back() ? missing_switches : missing_outputs;
            list += (list.empty() ? "“" : "、“") + output_names[j] + "”";
        }
        std::string what;
        if (!missing_switches.empty()) what = "开关" + missing_switches;
        if (!missing_outputs.empty()) what += (what.empty() ? "" : "；") + std::string("检测点或指示器") + missing_outputs;
        const std::string have = switch_names(s);
        return failed("缺少" + what + "（电路中的开关：" + (have.empty() ? "无" : have) + "）");
    }

    const std::vector<RowResult> got = run_rows(job, b, workers, workers > 1);
    size_t differing = 0;
    std::string shown_rows;
    for (size_t r = 0; r < ref.rows.size(); ++r) {
        std::string diffs;
        for (size_t j = 0; j < outputs.size(); ++j) {
            const std::string& want = ref.rows[r][outputs[j]];
            if (dont_care(want)) continue;
            const std::string text = got[r].unsettled[j] ? "~" : value_text(job.readings[j], got[r].values[j]);
            if (text != want) diffs += (diffs.empty() ? "" : "，") + difference(output_names[j], want, text);
        }
        if (diffs.empty()) continue;
        if (++differing > kRowsShown) continue;
        std::string where;
        for (size_t k : inputs) where += (where.empty() ? "" : " ") + ref.names[k] + "=" + ref.rows[r][k];
        if (where.empty()) where = ref.rows.size() == 1 ? "唯一一行" : "第 " + std::to_string(ref.lines[r]) + " 行";
        shown_rows += (shown_rows.empty() ? "" : "；") + where + " 时 " + diffs;
    }
    if (differing == 0) return passed();
    return failed(std::to_string(differing) + " 行不同（共 " + std::to_string(ref.rows.size()) + " 行）：" + shown_rows +
                  (differing > kRowsShown ? "；……" : ""));
}

Verdict check_readings(Bench& b, const Signals& s, const ReferenceReadings& ref, const Options& opt,
                       const RunSetup& setup) {
    std::vector<Reading> shown = s.test_points;
    shown.insert(shown.end(), s.indicators.begin(), s.indicators.end());
    add_box(shown, setup);
    std::string missing;
    const std::vector<Reading> readings = match(ref.names, shown, s, missing);
    if (!missing.empty()) return failed("缺少检测点或指示器" + missing);
    b.run(opt.passes.value_or(default_run_passes(b.circuit())));
    if (setup.check_pass)
        if (std::string failure = b.pass_check_failure(); !failure.empty()) throw PassCheckFailed(failure);
    std::string diffs;
    size_t differing = 0;
    for (size_t k = 0; k < readings.size(); ++k) {
        const std::string& want = ref.cells[k];
        const std::string text = value_text(readings[k], read_value(b.circuit(), readings[k], b.lamps()));
        if (dont_care(want) || text == want) continue;
        ++differing;
        diffs += (diffs.empty() ? "" : "；") + difference(ref.names[k], want, text);
    }
    if (differing == 0) return passed();
    return failed(std::to_string(differing) + " 项不同：" + diffs);
}

}  // namespace

Verdict check_file(const std::string& path, const Reference& ref, const Options& opt, int workers) {
    std::string error;
    RunSetup setup{opt.step, opt.box_out || opt.box_in.has_value(), opt.box_in.value_or(0), opt.check_pass};
    for (const auto* names : {ref.table ? &ref.table->names : nullptr, ref.readings ? &ref.readings->names : nullptr})
        if (names)
            for (const std::string& name : *names) setup.box = setup.box || name == kBoxColumn;
    Bench b;
    if (!b.load(path, setup, error)) return failed(error);
    const Signals s = find_signals(b.circuit());
    std::vector<std::pair<int, int>> levels;
    if (!apply_sets(b.circuit(), s, opt.sets, levels, error)) return failed(error);
    // Text that reads as both forms is the one whose names the circuit has.
    const bool table =
        ref.table && (!ref.readings || known(s, ref.table->names) >= known(s, ref.readings->names));
    Verdict v;
    try {
        v = table ? check_table(b, s, *ref.table, opt, path, setup, levels, workers)
                  : check_readings(b, s, *ref.readings, opt, setup);
    } catch (const PassCheckFailed& e) {
        v = {};
        v.fault = path + "：" + e.what();
    }
    v.note = b.load_note();
    return v;
}

}  // namespace vorlisk::sim
