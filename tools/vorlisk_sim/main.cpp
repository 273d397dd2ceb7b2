// vorlisk-sim: runs a circuit file headless in virtual time and prints its
// test-point readings, a truth table over its level switches, the truth
// table the instrument records over the run, or a Value Change Dump. Meant
// for checking students' circuits automatically.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/emulated_box.h"
#include "engine/hardware.h"
#include "engine/activity.h"
#include "engine/run.h"
#include "instruments/truth_table.h"
#include "instruments/vcd.h"
#include "model/circuit_file.h"
#include "tools/vorlisk_sim/options.h"

namespace vorlisk::sim {
namespace {

constexpr std::string_view kSwitch = "高低电平控制器";

int fail(const std::string& message) {
    std::cerr << "vorlisk-sim: " << message << '\n';
    return 2;
}

std::vector<char> levels(const Circuit& c) {
    std::vector<char> v;
    for (int t = 0; t < c.test_point_count; ++t) v.push_back(vcd_level(c.test_points[t].value));
    return v;
}

// The byte as eight binary digits, bit 7 first.
std::string bits(uint8_t b) {
    std::string s;
    for (int k = 7; k >= 0; --k) s += (b >> k) & 1 ? '1' : '0';
    return s;
}

struct Runner {
    Circuit& c;
    long long passes;
    VcdWriter* vcd = nullptr;
    uint64_t vcd_pass = 0;
    Ch341Interface* box = nullptr;  // the emulated experiment box, when attached
    uint64_t ticks_per_pass = 1;
    TruthTable* table = nullptr;  // records as the window does on every change

    // One run from the stopped state, as Run and Stop do in virtual time.
    void run() {
        start_run(c);
        c.step_counter = 0;
        PassHooks hooks;
        if (table) hooks.record_table = [&] { record_on_change(c, c.table_items, *table); };
        if (vcd) hooks.record_trace = [&] { vcd->sample(++vcd_pass * ticks_per_pass, levels(c)); };
        if (box) {
            open_links(c, *box);
            link_pass_hooks(hooks, c, *box);
        }
        for (long long n = 0; n < passes; ++n) run_pass(c, hooks);
        c.running = 0;
        if (box) close_links(c, *box);
    }
};

bool write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<Options> opt = parse_options(argc, argv, error);
    if (!opt) return fail(error);

    std::unique_ptr<Circuit> owned;
    try {
        owned = make_circuit();
    } catch (const std::bad_alloc&) {
        return fail("内存不足。");
    }
    Circuit& c = *owned;
    c.report = [](std::string_view m) { std::cerr << "vorlisk-sim: " << m << '\n'; };
    // As Open does: reset, load, then Stop, whatever voltages the file stored.
    // The message names the file.
    new_circuit(c);
    FileResult loaded = load_circuit(c, opt->file);
    if (!loaded) return fail(loaded.message);
    stop_circuit(c);
    c.virtual_time = 1;
    if (opt->step) c.time_step = *opt->step;
    if (opt->check_pass) set_pass_mode(c, PassMode::checked);

    for (const auto& [name, level] : opt->sets) {
        int i = find_object(c, name);
        if (i < 0 || c.objects[i].kind != kSwitch) return fail("没有名为“" + name + "”的高低电平控制器。");
        c.objects[i].param_int[0] = level;
    }

    std::vector<int> switches;
    if (opt->truth_table) {
        for (int i = 0; i < c.object_count; ++i)
            if (c.objects[i].kind == kSwitch) switches.push_back(i);
        if (switches.size() > 16)
            return fail("电路有 " + std::to_string(switches.size()) + " 个高低电平控制器，真值表最多 16 个。");
    }

    VcdWriter vcd;
    Runner runner{c, opt->passes};
    // The emulated box, reached through the same link as the program's.
    EmulatedBox box;
    Ch341Chooser link(box, nullptr);
    if (opt->box_in || opt->box_out) {
        box.attach();
        box.set_switches(opt->box_in.value_or(0));
        runner.box = &link;
    }
    if (opt->vcd) {
        std::vector<std::string> labels;
        for (int t = 0; t < c.test_point_count; ++t) labels.push_back(c.test_points[t].label);
        const auto [unit, ticks] = vcd_timescale(c.time_step);
        if (!vcd.open(*opt->vcd, "vorlisk-sim", unit, labels)) return fail("无法写入“" + *opt->vcd + "”。");
        runner.vcd = &vcd;
        runner.ticks_per_pass = ticks;
    }
    TruthTable table;
    if (opt->record_table) {
        // The window's items: the stored slots, or the defaults when the
        // first eight are empty, as showing the window chooses them.
        if (first_eight_empty(c.table_items)) set_default_items(c, c.table_items);
        table.clear_table(c, c.table_items);
        runner.table = &table;
    }

    std::string text;
    if (!opt->truth_table) {
        runner.run();
        if (opt->record_table && *opt->record_table == "-") {
            text = table.csv();  // instead of the readings
        } else {
            if (opt->record_table && !write_file(*opt->record_table, table.csv()))
                return fail("写入“" + *opt->record_table + "”失败。");
            for (int t = 0; t < c.test_point_count; ++t)
                text += c.test_points[t].label + '\t' + (c.test_points[t].value > 2.0 ? "1" : "0") + '\n';
            if (opt->box_out) text += "实验箱输出\t" + bits(box.lamps()) + '\n';
        }
    } else {
        std::vector<std::string> header;
        for (int i : switches) header.push_back(c.objects[i].name);
        for (int t = 0; t < c.test_point_count; ++t) header.push_back(c.test_points[t].label);
        if (opt->box_out) header.push_back("实验箱输出");
        for (size_t k = 0; k < header.size(); ++k) text += (k ? "\t" : "") + header[k];
        text += '\n';
        const size_t n = switches.size();
        for (uint32_t row = 0; row < (1u << n); ++row) {
            stop_circuit(c);
            std::string line;
            for (size_t s = 0; s < n; ++s) {
                int level = (row >> (n - 1 - s)) & 1;  // the first switch is the most significant
                c.objects[switches[s]].param_int[0] = level;
                line += (s ? "\t" : "") + std::to_string(level);
            }
            runner.run();
            for (int t = 0; t < c.test_point_count; ++t)
                line += std::string(line.empty() ? "" : "\t") + (c.test_points[t].value > 2.0 ? "1" : "0");
            if (opt->box_out) line += std::string(line.empty() ? "" : "\t") + bits(box.lamps());
            text += line + '\n';
        }
    }
    if (opt->vcd && !vcd.close(runner.vcd_pass * runner.ticks_per_pass)) return fail("写入“" + *opt->vcd + "”失败。");
    if (opt->check_pass && pass_check_mismatches(c) > 0)
        return fail("运算校验失败：" + std::to_string(pass_check_mismatches(c)) + " 个运算周期结果不同，首个：" +
                    pass_check_report(c));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
}

}  // namespace vorlisk::sim

int main(int argc, char** argv) { return vorlisk::sim::main(argc, argv); }
