// Passes per second of the run pass and of the literal reference (geometric
// search for every input and test point, a linear lookup per object).
//   ./build/bench/bench_pass
//   ./build/bench/bench_pass --write-circuit=/tmp/gates1000.vlk [--gates=100]   (a file for vorlisk-sim)
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>

#include "bench/generated_circuit.h"
#include "bench/lab_circuits.h"
#include "engine/activity.h"
#include "engine/compiled.h"
#include "engine/run.h"
#include "model/circuit_file.h"
#include "tests/support/literal_nets.h"

namespace vorlisk {
namespace {

std::unique_ptr<Circuit> prepared(int gates) {
    auto c = make_circuit();
    bench::build_gate_circuit(*c, gates);
    stop_circuit(*c);
    start_run(*c);
    c->step_counter = 0;
    return c;
}

void BM_Pass(benchmark::State& state) {
    auto c = prepared(int(state.range(0)));
    run_pass(*c, {});  // compiles the nets once
    for (auto _ : state) run_pass(*c, {});
    state.SetItemsProcessed(state.iterations());
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ReferencePass(benchmark::State& state) {
    auto c = prepared(int(state.range(0)));
    for (auto _ : state) literal::reference_pass(*c);
    state.SetItemsProcessed(state.iterations());
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Compile(benchmark::State& state) {
    auto c = prepared(int(state.range(0)));
    for (auto _ : state) {
        c->touch();
        benchmark::DoNotOptimize(&compiled(*c));
    }
}

// The lab circuits: built, stopped and started as the Run command does;
// the second argument picks the pass: 0 activity-driven, 1 the sweep.
template <void (*Build)(Circuit&, int)>
void BM_LabCircuit(benchmark::State& state) {
    auto c = make_circuit();
    Build(*c, int(state.range(0)));
    const PassMode mode = state.range(1) == 0 ? PassMode::activity : PassMode::sweep;
    set_pass_mode(*c, mode);
    state.SetLabel(mode == PassMode::activity ? "activity" : "sweep");
    stop_circuit(*c);
    start_run(*c);
    c->step_counter = 0;
    for (int p = 0; p < 2000; ++p) run_pass(*c, {});  // compiled, and the chain carries changes
    for (auto _ : state) run_pass(*c, {});
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_LabCircuit<bench::build_inverter_chain>)->Name("BM_InverterChain")->ArgsProduct({{998}, {0, 1}});
BENCHMARK(BM_LabCircuit<bench::build_ripple_counter>)->Name("BM_RippleCounter")->ArgsProduct({{17}, {0, 1}});
BENCHMARK(BM_LabCircuit<bench::build_toggling_gates>)->Name("BM_TogglingGates")->ArgsProduct({{1000}, {0, 1}});
BENCHMARK(BM_Pass)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_ReferencePass)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compile)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlisk

int main(int argc, char** argv) {
    int gates = 1000;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--gates=", 8) == 0) gates = std::atoi(argv[i] + 8);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--write-circuit=", 16) == 0) {
            auto c = vorlisk::make_circuit();
            vorlisk::bench::build_gate_circuit(*c, gates);
            vorlisk::FileResult r = vorlisk::save_circuit(*c, argv[i] + 16);
            std::cout << (r ? "written " : r.message) << argv[i] + 16 << '\n';
            return r ? 0 : 1;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
