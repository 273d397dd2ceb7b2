// Passes per second of the run pass and of the literal reference (geometric
// search for every input and test point, a linear lookup per object).
//   ./build/bench/bench_pass
//   ./build/bench/bench_pass --write-circuit=/tmp/gates1000.vlk [--gates=100]   (a file for vorlisk-sim)
//   ./build/bench/bench_pass --write-circuit=/tmp/chain.vlk --circuit=chain      (also counter, toggling)
//   ./build/bench/bench_pass --memory    (sizes of the compiled view and the activity schedule)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

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
// the second argument picks the pass: 0 activity-driven, 1 the sweep, 2
// activity-driven without handing busy passes to the sweep.
template <void (*Build)(Circuit&, int)>
void BM_LabCircuit(benchmark::State& state) {
    auto c = make_circuit();
    Build(*c, int(state.range(0)));
    const int mode = int(state.range(1));
    set_pass_mode(*c, mode == 1 ? PassMode::sweep : PassMode::activity);
    compiled(*c).schedule.sweep_when_busy = mode == 0;
    state.SetLabel(mode == 0 ? "activity" : mode == 1 ? "sweep" : "activity, never sweeping");
    stop_circuit(*c);
    start_run(*c);
    c->step_counter = 0;
    for (int p = 0; p < 2000; ++p) run_pass(*c, {});  // compiled, and the chain carries changes
    const uint64_t evaluations = compiled(*c).schedule.evaluations;
    for (auto _ : state) run_pass(*c, {});
    state.counters["passes/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    // Objects the activity pass took up per pass (the sweep's go uncounted).
    state.counters["evaluated/pass"] =
        double(compiled(*c).schedule.evaluations - evaluations) / double(std::max<int64_t>(state.iterations(), 1));
}

BENCHMARK(BM_LabCircuit<bench::build_inverter_chain>)->Name("BM_InverterChain")->ArgsProduct({{998}, {0, 1}});
BENCHMARK(BM_LabCircuit<bench::build_ripple_counter>)->Name("BM_RippleCounter")->ArgsProduct({{17}, {0, 1}});
BENCHMARK(BM_LabCircuit<bench::build_toggling_gates>)->Name("BM_TogglingGates")->ArgsProduct({{1000}, {0, 1, 2}});
BENCHMARK(BM_Pass)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_ReferencePass)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compile)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorlisk

namespace {

// Builds the named circuit: "gates" (the generated one, --gates=N), "chain",
// "counter" or "toggling".
bool build_named(vorlisk::Circuit& c, std::string_view name, int gates) {
    if (name == "gates") vorlisk::bench::build_gate_circuit(c, gates);
    else if (name == "chain") vorlisk::bench::build_inverter_chain(c);
    else if (name == "counter") vorlisk::bench::build_ripple_counter(c);
    else if (name == "toggling") vorlisk::bench::build_toggling_gates(c);
    else return false;
    return true;
}

// What the compiled view and the activity pass's tables hold for each
// circuit after 2,000 passes, beside the circuit's own tables.
void print_memory(int gates) {
    std::cout << "circuit tables (sizeof Circuit): " << sizeof(vorlisk::Circuit) << " bytes\n";
    for (const char* name : {"gates", "chain", "counter", "toggling"}) {
        auto c = vorlisk::make_circuit();
        build_named(*c, name, gates);
        vorlisk::stop_circuit(*c);
        vorlisk::start_run(*c);
        for (int p = 0; p < 2000; ++p) vorlisk::run_pass(*c, {});
        const vorlisk::CompiledSize z = vorlisk::compiled_size(*c);
        std::cout << name << ": " << c->object_count << " components, " << c->wire_count
                  << " wires; compiled nets " << z.nets << " bytes, activity schedule " << z.schedule
                  << " bytes\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    int gates = 1000;
    std::string circuit = "gates";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--gates=", 8) == 0) gates = std::atoi(argv[i] + 8);
        if (std::strncmp(argv[i], "--circuit=", 10) == 0) circuit = argv[i] + 10;
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--memory") == 0) {
            print_memory(gates);
            return 0;
        }
        if (std::strncmp(argv[i], "--write-circuit=", 16) == 0) {
            auto c = vorlisk::make_circuit();
            if (!build_named(*c, circuit, gates)) {
                std::cout << "unknown circuit " << circuit << '\n';
                return 1;
            }
            vorlisk::FileResult r = vorlisk::save_circuit(*c, argv[i] + 16);
            std::cout << (r ? "written " : r.message) << argv[i] + 16 << '\n';
            return r ? 0 : 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
