#include "tools/vorlisk_sim/tables.h"

#include "tools/vorlisk_sim/text_out.h"

namespace vorlisk::sim {

std::vector<Reading> run_readings(const Signals& s, const Options& opt) {
    std::vector<Reading> r = s.test_points;
    if (opt.indicators) r.insert(r.end(), s.indicators.begin(), s.indicators.end());
    if (opt.box_out) r.push_back({Reading::box, -1, std::string(kBoxColumn)});
    return r;
}

std::vector<Reading> table_outputs(const Signals& s, const Options& opt) {
    std::vector<Reading> r;
    for (const Reading& t : s.test_points)
        if (!names_a_switch(s, t.index)) r.push_back(t);
    if (opt.indicators) r.insert(r.end(), s.indicators.begin(), s.indicators.end());
    if (opt.box_out) r.push_back({Reading::box, -1, std::string(kBoxColumn)});
    return r;
}

bool table_inputs(const Signals& s, std::vector<int>& switches, std::vector<std::string>& names, std::string& error) {
    switches.clear();
    names.clear();
    for (const SwitchSignal& sw : s.switches) switches.push_back(sw.object), names.push_back(sw.name);
    if (switches.size() <= 16) return true;
    error = "电路有 " + std::to_string(switches.size()) + " 个高低电平控制器，真值表最多 16 个。";
    return false;
}

std::string truth_table_text(const Options& opt, const std::vector<std::string>& inputs,
                             const std::vector<Reading>& outputs, const std::vector<RowResult>& rows, long long passes,
                             std::string& warning) {
    TextTable out(opt.format);
    std::vector<std::string> fields = inputs;
    for (const Reading& r : outputs) fields.push_back(r.name);
    out.line(fields);
    std::vector<size_t> unsettled(outputs.size(), 0);
    const size_t n = inputs.size();
    for (size_t row = 0; row < rows.size(); ++row) {
        fields.clear();
        for (size_t s = 0; s < n; ++s) fields.push_back((row >> (n - 1 - s)) & 1 ? "1" : "0");
        for (size_t k = 0; k < outputs.size(); ++k) {
            unsettled[k] += rows[row].unsettled[k];
            fields.push_back(rows[row].unsettled[k] ? "~" : value_text(outputs[k], rows[row].values[k]));
        }
        out.line(fields);
    }
    std::string names;
    for (size_t k = 0; k < outputs.size(); ++k)
        if (unsettled[k])
            names += (names.empty() ? "" : "、") + outputs[k].name + "（" + std::to_string(unsettled[k]) + " 行）";
    warning.clear();
    if (!names.empty())
        warning = "未稳定的读数显示为“~”：" + names + "在每行 " + std::to_string(passes) +
                  " 次运算的最后四分之一中仍在变化；可用 --passes 加大每行的运算次数。";
    return out.text();
}

std::string grading_report(const std::vector<std::string>& files, const std::vector<Verdict>& verdicts, Format format,
                           size_t& passed) {
    TextTable out(format);
    passed = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        passed += verdicts[i].pass;
        if (verdicts[i].pass) out.line({one_line(files[i]), "通过"});
        else out.line({one_line(files[i]), "不通过", one_line(verdicts[i].reason)});
    }
    if (files.size() > 1)
        out.line({"共 " + std::to_string(files.size()) + " 个文件：通过 " + std::to_string(passed) + " 个，不通过 " +
                  std::to_string(files.size() - passed) + " 个。"});
    return out.text();
}

}  // namespace vorlisk::sim
