// What the instruments cost the run pass on the generated gate circuit
// (its 16 test points on the last 16 gates' outputs, all 16 chosen):
//   none     no recorder hooks at all
//   hidden   the program's hooks with both windows hidden
//   table    the truth table recording on every change
//   trace    the timing diagram sampling every change
//   both     the two together
// The machine is shared, so compare the fastest of many short interleaved
// repetitions, the "_min" lines (load only ever adds time):
//   ./build/bench/bench_recorders --benchmark_repetitions=30 --benchmark_min_time=0.05
//       --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/generated_circuit.h"
#include "engine/run.h"
#include "instruments/trace.h"
#include "instruments/truth_table.h"

namespace vorlisk {
namespace {

enum Mode { none, hidden, table, trace, both };

struct Instruments {
    bool table_visible = false;
    bool trace_visible = false;
    TruthTable rows;
    TraceRecorder samples;
};

void BM_PassWithRecorders(benchmark::State& state) {
    const Mode mode = Mode(state.range(1));
    auto c = make_circuit();
    bench::build_gate_circuit(*c, int(state.range(0)));
    c->table_record_mode = std::string(kRecordOnChange);
    set_default_items(*c, c->table_items);
    set_default_items(*c, c->trace_items);
    stop_circuit(*c);
    start_run(*c);
    c->step_counter = 0;

    Instruments in;
    in.table_visible = mode == table || mode == both;
    in.trace_visible = mode == trace || mode == both;
    in.rows.clear_table(*c, c->table_items);
    PassHooks hooks;
    if (mode != none) {
        // As the main window's deal_biao_data and deal_tu_data test them.
        hooks.record_table = [&] {
            if (in.table_visible && c->table_record_mode == kRecordOnChange) record_on_change(*c, c->table_items, in.rows);
        };
        hooks.record_trace = [&] {
            if (in.trace_visible && c->trace_record_mode == kRecordTimed) in.samples.sample_step(*c, c->trace_items);
        };
    }
    run_pass(*c, hooks);  // compiles the nets once
    size_t samples = 0;
    for (auto _ : state) run_pass(*c, hooks);
    for (int i = 0; i < kRecordSlots; ++i) samples += in.samples.list(i).size();
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["rows/pass"] = double(in.rows.rows()) / double(state.iterations());
    state.counters["samples/pass"] = double(samples) / double(state.iterations());
}

BENCHMARK(BM_PassWithRecorders)
    ->ArgNames({"gates", "mode"})
    ->ArgsProduct({{100}, {none, hidden, table, trace, both}})
    ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });

}  // namespace
}  // namespace vorlisk

BENCHMARK_MAIN();
