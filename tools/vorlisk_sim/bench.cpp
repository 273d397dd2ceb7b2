#include "tools/vorlisk_sim/bench.h"

#include <algorithm>
#include <stdexcept>

#include "engine/activity.h"
#include "engine/hardware.h"
#include "engine/run.h"
#include "model/circuit_file.h"
#include "tools/vorlisk_sim/pool.h"

namespace vorlisk::sim {

// The logic kinds compute every device_delay passes in virtual time.
long long default_row_passes(const Circuit& c) { return kRowComputations * std::clamp<long long>(c.device_delay, 1, 1000); }

long long default_run_passes(const Circuit& c) { return kRunComputations * std::clamp<long long>(c.device_delay, 1, 1000); }

Bench::Bench() : c_(make_circuit()) {
    c_->report = [this](std::string_view m) {
        if (std::find(messages_.begin(), messages_.end(), m) == messages_.end()) messages_.emplace_back(m);
    };
}

bool Bench::load(const std::string& path, const RunSetup& setup, std::string& error) {
    Circuit& c = *c_;
    new_circuit(c);
    FileResult loaded = load_circuit(c, path);
    if (!loaded) {
        error = loaded.message;
        return false;
    }
    // The window opens such a file with the reset values; a run in virtual
    // time with them would give results the file's author never asked for.
    if (loaded.timing_line != 0) {
        error = "文件“" + path + "”" + loaded.timing_problem + "：虚拟时间中无法运行，请在“计算设置”中改正后保存。";
        return false;
    }
    // Drawing values change nothing a run computes: the run goes on with
    // the reset values, and a picture draws with them.
    load_note_.clear();
    if (loaded.drawing_line != 0) load_note_ = "文件“" + path + "”" + loaded.drawing_problem + "：已改用默认值。";
    stop_circuit(c);
    c.virtual_time = 1;
    if (setup.step) c.time_step = *setup.step;
    if (setup.check_pass) set_pass_mode(c, PassMode::checked);
    box_on_ = setup.box;
    if (box_on_) {
        box_.attach();
        box_.set_switches(setup.box_in);
    }
    return true;
}

std::string Bench::pass_check_failure() {
    Circuit& c = *c_;
    const uint64_t n = pass_check_mismatches(c);
    if (n == 0) return {};
    return "运算校验失败：" + std::to_string(n) + " 个运算周期结果不同，首个：" + pass_check_report(c);
}

void Bench::run(long long passes, const std::function<void(long long)>& after_pass) {
    Circuit& c = *c_;
    start_run(c);
    c.step_counter = 0;
    PassHooks hooks;
    if (table && settled) hooks.record_table = [&] { record_on_settle(c, c.table_items, *table); };
    else if (table) hooks.record_table = [&] { record_on_change(c, c.table_items, *table); };
    if (vcd) {
        hooks.record_trace = [&] {
            std::vector<char> levels;
            for (int t = 0; t < c.test_point_count; ++t) levels.push_back(vcd_level(c.test_points[t].value));
            vcd->sample(++vcd_pass * ticks_per_pass, levels);
        };
    }
    if (box_on_) {
        open_links(c, link_);
        link_pass_hooks(hooks, c, link_);
    }
    for (long long n = 0; n < passes; ++n) {
        run_pass(c, hooks);
        if (after_pass) after_pass(n);
    }
    c.running = 0;
    if (box_on_) close_links(c, link_);
}

SettleWatch::SettleWatch(const std::vector<Reading>& readings, long long passes)
    : readings_(readings), passes_(passes), watched_from_(passes - (passes + 3) / 4) {
    r_.values.assign(readings.size(), 0);
    r_.unsettled.assign(readings.size(), watched_from_ == 0);
}

void SettleWatch::after_pass(const Circuit& c, long long pass, uint8_t lamps) {
    if (pass + 1 < watched_from_) return;
    for (size_t k = 0; k < readings_.size(); ++k) {
        const uint32_t v = read_value(c, readings_[k], lamps);
        if (pass + 1 > watched_from_ && v != r_.values[k]) r_.unsettled[k] = true;
        r_.values[k] = v;
    }
}

RowResult SettleWatch::finish(const Circuit& c, uint8_t lamps) {
    if (passes_ == 0)
        for (size_t k = 0; k < readings_.size(); ++k) r_.values[k] = read_value(c, readings_[k], lamps);
    return std::move(r_);
}

RowResult run_row(Bench& b, const std::vector<int>& switches, uint32_t code, const std::vector<Reading>& readings,
                  long long passes) {
    Circuit& c = b.circuit();
    stop_circuit(c);
    const size_t n = switches.size();
    for (size_t s = 0; s < n; ++s) c.objects[switches[s]].param_int[0] = int((code >> (n - 1 - s)) & 1);
    SettleWatch watch(readings, passes);
    b.run(passes, [&](long long pass) { watch.after_pass(c, pass, b.lamps()); });
    return watch.finish(c, b.lamps());
}

std::vector<RowResult> run_rows(const RowJob& job, Bench& first, int workers, bool show_progress) {
    std::vector<RowResult> rows(job.codes.size());
    workers = std::max(1, std::min<int>(workers, int(job.codes.size())));
    std::vector<std::unique_ptr<Bench>> benches(static_cast<size_t>(workers));
    auto bench = [&](int w) -> Bench& {
        if (w == 0) return first;
        if (!benches[size_t(w)]) {
            auto b = std::make_unique<Bench>();
            std::string error;
            if (!b->load(job.path, job.setup, error)) throw std::runtime_error(error);
            const Circuit& c = b->circuit();
            if (c.object_count != first.circuit().object_count || c.test_point_count != first.circuit().test_point_count)
                throw std::runtime_error("文件在运行中被改动。");
            for (auto [object, level] : job.levels) b->circuit().objects[object].param_int[0] = level;
            benches[size_t(w)] = std::move(b);
        }
        return *benches[size_t(w)];
    };
    parallel_for(job.codes.size(), workers, show_progress ? "行" : "", [&](int w, size_t row) {
        rows[row] = run_row(bench(w), job.switches, job.codes[row], job.readings, job.passes);
    });
    // Every worker's passes were checked, not only the first's.
    if (job.setup.check_pass)
        for (int w = 0; w < workers; ++w)
            if (w == 0 || benches[size_t(w)])
                if (std::string failure = bench(w).pass_check_failure(); !failure.empty()) throw PassCheckFailed(failure);
    return rows;
}

}  // namespace vorlisk::sim
