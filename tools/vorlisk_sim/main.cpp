// vorlisk-sim: runs a circuit file headless in virtual time and prints its
// test-point readings, a truth table over its level switches, the truth
// table the instrument records over the run, or a Value Change Dump; with
// --expect it checks a class's circuits against a reference. Meant for
// checking students' circuits automatically.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "engine/activity.h"
#include "instruments/truth_table.h"
#include "instruments/vcd.h"
#include "model/data_dir.h"
#include "model/file_lines.h"
#include "model/output_file.h"
#include "tools/vorlisk_sim/bench.h"
#include "tools/vorlisk_sim/files.h"
#include "tools/vorlisk_sim/grading.h"
#include "tools/vorlisk_sim/options.h"
#include "tools/vorlisk_sim/pool.h"
#include "tools/vorlisk_sim/reference.h"
#include "tools/vorlisk_sim/tables.h"
#include "tools/vorlisk_sim/text_out.h"
#ifdef VORLISK_SIM_PICTURE
#include "render/headless_picture.h"  // Qt-free interface; Qt starts only inside it
#endif

#ifndef VORLISK_VERSION
#define VORLISK_VERSION "0"
#endif

namespace vorlisk::sim {
namespace {

constexpr size_t kReferenceLimit = size_t(256) << 20;  // a 16-switch table of 100 columns is ~15 MB

int fail(const std::string& message) {
    std::cerr << "vorlisk-sim: " << one_line(message) << '\n';
    return 2;
}

void warn(const std::string& message) { std::cerr << "vorlisk-sim: " << one_line(message) << '\n'; }

std::string seconds_text(double s) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", s);
    return buf;
}

// A script may hand a pipe or a device for an output: written into, and
// waited for as a shell's redirection waits.
constexpr SpecialFiles kSpecialOutputs = SpecialFiles::wait_for_reader;

// What a teacher's script gets on standard output; a full disk or a closed
// pipe is said on standard error rather than passed over.
int print(const std::string& text) {
    errno = 0;
    const size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
    if (written == text.size() && std::fflush(stdout) == 0) return 0;
    const int err = errno;
    return fail("写入标准输出失败" + (err ? "：" + reason_of(err) : std::string()) + "。");
}

// Where an output path names: "-" is standard output.
std::string output_name(const std::string& path) { return path == "-" ? "标准输出" : "“" + path + "”"; }

// The circuit's picture instead of a run ("-": SVG on standard output).
// Only a build with the desktop program's painting has it; the rest of the
// runner never touches Qt.
int write_picture(const Circuit& c, const std::string& path, double scale) {
#ifdef VORLISK_SIM_PICTURE
    std::string error;
    if (!write_picture_headless(c, path, scale, error)) return fail(error);
    return 0;
#else
    (void)c, (void)path, (void)scale;
    return fail("这个 vorlisk-sim 构建时没有 Qt，不能导出图片（--picture）。");
#endif
}

// One file: readings, a truth table, a recorded table or a dump.
int run_file(const Options& opt) {
    const std::string& file = opt.files[0];
    RunSetup setup{opt.step, opt.box_out || opt.box_in.has_value(), opt.box_in.value_or(0), opt.check_pass};
    Bench bench;
    std::string error;
    if (!bench.load(file, setup, error)) return fail(error);  // the message names the file
    if (!bench.load_note().empty()) warn(bench.load_note());
    Circuit& c = bench.circuit();
    const Signals signals = find_signals(c);
    std::vector<std::pair<int, int>> levels;
    if (!apply_sets(c, signals, opt.sets, levels, error)) return fail(error);
    // Outputs never go over the circuit they come from.
    for (const auto& out : {opt.vcd, opt.record_table, opt.picture})
        if (out && *out != "-" && same_file(*out, file)) return fail("不能把输出写到电路文件“" + file + "”上。");
    if (opt.picture) return write_picture(c, *opt.picture, opt.scale.value_or(2.0));

    std::vector<int> switches;
    std::vector<std::string> inputs;
    if (opt.truth_table && !table_inputs(signals, switches, inputs, error)) return fail(error);
    const long long passes = opt.passes.value_or(opt.truth_table ? default_row_passes(c) : default_run_passes(c));

    VcdWriter vcd;
    if (opt.vcd) {
        const auto scale = vcd_timescale(c.time_step);
        const double rows = double(uint64_t(1) << switches.size());
        if (!scale || double(scale->second) * double(passes) * rows > double(kVcdMaxTicks))
            return fail("步长 " + seconds_text(c.time_step) + " 秒无法写入 VCD：它须是 1 fs 的整数倍，且整个运行不超过 " +
                        std::to_string(kVcdMaxTicks) + " 个时间单位。");
        std::vector<std::string> labels;
        for (int t = 0; t < c.test_point_count; ++t) labels.push_back(c.test_points[t].label);
        if (*opt.vcd == "-") vcd.begin(std::cout, "vorlisk-sim", scale->first, labels);
        else if (!vcd.open(*opt.vcd, kSpecialOutputs, "vorlisk-sim", scale->first, labels, error))
            return fail("无法写入“" + *opt.vcd + "”：" + error + "。");
        bench.vcd = &vcd;
        bench.ticks_per_pass = scale->second;
    }
    TruthTable table;
    if (opt.record_table) {
        // The window's items: the stored slots, or the defaults when the
        // first eight are empty, as showing the window chooses them.
        if (first_eight_empty(c.table_items)) set_default_items(c, c.table_items);
        table.clear_table(c, c.table_items);
        bench.table = &table;
        bench.settled = opt.settled;
    }

    std::string text;
    if (!opt.truth_table) {
        Progress progress("次运算", size_t(passes));
        const std::vector<Reading> readings = run_readings(signals, opt);
        SettleWatch watch(readings, passes);
        bench.run(passes, [&](long long n) {
            if ((n & 4095) == 0) progress.show(size_t(n));
            watch.after_pass(c, n, bench.lamps());
        });
        const RowResult got = watch.finish(c, bench.lamps());
        if (opt.record_table && *opt.record_table == "-") {
            text = table.csv();  // instead of the readings
        } else {
            if (opt.record_table && !write_output(*opt.record_table, table.csv(), kSpecialOutputs, error))
                return fail("写入“" + *opt.record_table + "”失败：" + error + "。");
            // A clocked circuit never settles and its readings are still
            // wanted: they print as read, and one line says which moved.
            TextTable out(opt.format);
            std::string moving;
            for (size_t k = 0; k < readings.size(); ++k) {
                out.line({readings[k].name, value_text(readings[k], got.values[k])});
                if (got.unsettled[k]) moving += (moving.empty() ? "" : "、") + readings[k].name;
            }
            text = out.text();
            if (!moving.empty() && !(opt.vcd && *opt.vcd == "-"))
                warn("读数 " + moving + " 在 " + std::to_string(passes) +
                     " 次运算的最后四分之一中仍在变化，所示为最后一次运算后的值；组合电路可用 --passes 加大运算次数。");
        }
    } else {
        RowJob job{file, setup, levels, switches, {}, table_outputs(signals, opt), passes};
        for (uint32_t row = 0; row < (1u << switches.size()); ++row) job.codes.push_back(row);
        // A dump is one stream in row order: then the rows run one by one.
        const int workers = opt.vcd ? 1 : worker_count(opt.jobs, job.codes.size());
        std::vector<RowResult> rows;
        try {
            rows = run_rows(job, bench, workers, true);
        } catch (const std::exception& e) {
            return fail(file + "：" + e.what());
        }
        std::string unsettled;
        text = truth_table_text(opt, inputs, job.readings, rows, passes, unsettled);
        if (!unsettled.empty()) warn(unsettled);
    }
    for (const std::string& m : bench.messages()) warn(m);
    if (opt.vcd && !vcd.close(bench.vcd_pass * bench.ticks_per_pass, &error))
        return fail("写入" + output_name(*opt.vcd) + "失败" + (error.empty() ? "" : "：" + error) + "。");
    // The dump took standard output: the readings are left out.
    if (opt.vcd && *opt.vcd == "-") return 0;
    if (opt.check_pass)
        if (const std::string failure = bench.pass_check_failure(); !failure.empty()) return fail(failure);
    return print(text);
}

// Every file against the reference: one line each, then a summary.
int check_files(const Options& opt) {
    std::string text, error;
    if (!read_text_file(*opt.expect, text, error, kReferenceLimit)) return fail(error);
    const auto ref = parse_reference(text, error);
    if (!ref) return fail(*opt.expect + "：" + error);

    const size_t files = opt.files.size();
    std::vector<Verdict> verdicts(files);
    auto check = [&](size_t i, int workers) {
        try {
            verdicts[i] = check_file(opt.files[i], *ref, opt, workers);
        } catch (const std::exception& e) {
            verdicts[i] = failed(e.what());
        }
    };
    // One file spreads its rows over the cores, a class spreads its files.
    if (files == 1) check(0, worker_count(opt.jobs, ref->table ? ref->table->rows.size() : 1));
    else parallel_for(files, worker_count(opt.jobs, files), "个文件", [&](int, size_t i) { check(i, 1); });

    // A reference that does not fit, or the simulator's own check: no
    // verdict can be trusted.
    for (const Verdict& v : verdicts)
        if (!v.fault.empty()) return fail(v.fault);
    for (const Verdict& v : verdicts)
        if (!v.note.empty()) warn(v.note);
    size_t passed = 0;
    const std::string report = grading_report(opt.files, verdicts, opt.format, passed);
    if (print(report) != 0) return 2;
    return passed == files ? 0 : 1;
}

// Where the example circuits and the manual are, found as the desktop
// program finds them: beside this program, or where the package put them.
std::string where_the_examples_are() {
    const std::filesystem::path dir = data_dir(program_dir());
    return "\n例子：" + (dir / kExamplesFolder).string() + "\n用户手册：" + (dir / kManualFile).string() + "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    std::optional<Options> opt = parse_options(argc, argv, error);
    if (!opt) return fail(error);
    if (opt->help) return print(kHelp + where_the_examples_are());
    if (opt->version) return print("vorlisk-sim " VORLISK_VERSION "\n");
    return opt->expect ? check_files(*opt) : run_file(*opt);
}

}  // namespace vorlisk::sim

int main(int argc, char** argv) { return vorlisk::sim::main(argc, argv); }
