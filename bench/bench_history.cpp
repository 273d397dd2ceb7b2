// What the undo history costs on a full circuit: the time of one step (a
// commit after an edit) and the memory a hundred steps hold, for edits that
// move everything, turn everything and restyle everything.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editor/history.h"
#include "model/edit.h"
#include "model/restyle.h"

namespace vorlisk {
namespace {

// 999 components (every third a 16-pin chip) and 998 wires with a corner.
std::unique_ptr<Circuit> full_circuit(std::vector<std::string>& names) {
    auto c = make_circuit();
    for (int i = 0; i < kPlaceObjectLimit; ++i)
        add_component(*c, i % 3 ? "与非门" : "集成芯片组合逻辑(74LS138)", 60 * (i % 30), 100 * (i / 30));
    for (int i = 0; i < kWireLimit; ++i) {
        const BendPoint corner{i, 5};
        add_wire(*c, {i, 0}, {i, 10}, std::span<const BendPoint>(&corner, 1));
    }
    for (int i = 0; i < c->object_count; ++i) names.push_back(c->objects[i].name);
    for (int i = 0; i < c->wire_count; ++i) names.push_back(c->wires[i].name);
    return c;
}

enum Edit { move_all, turn_all, restyle_all };

void BM_HistoryStep(benchmark::State& state) {
    std::vector<std::string> names;
    auto c = full_circuit(names);
    History h;
    h.reset(*c);
    int step = 0;
    for (auto _ : state) {
        switch (Edit(state.range(0))) {
            case move_all: move_items(*c, names, step % 2 ? 10 : -10, 0, 0, 0); break;
            case turn_all: rotate_items(*c, names, 0); break;
            case restyle_all:
                c->draw.of(Category::gates).fill_color = step % 2 ? 0xececec : 0x80ff80;
                restyle_components(*c);
                break;
        }
        h.commit(*c);
        ++step;
    }
    // Memory after a hundred steps of this edit.
    History hundred;
    hundred.reset(*c);
    const size_t base = hundred.bytes();
    for (int s = 0; s < 100; ++s) {
        if (state.range(0) == move_all) move_items(*c, names, s % 2 ? 10 : -10, 0, 0, 0);
        else if (state.range(0) == turn_all) rotate_items(*c, names, 0);
        else c->draw.of(Category::gates).fill_color = s % 2 ? 0xececec : 0x80ff80, restyle_components(*c);
        hundred.commit(*c);
    }
    state.counters["base MB"] = double(base) / 1e6;
    state.counters["100 steps MB"] = double(hundred.bytes()) / 1e6;
}

BENCHMARK(BM_HistoryStep)->ArgName("edit")->Arg(move_all)->Arg(turn_all)->Arg(restyle_all)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlisk

BENCHMARK_MAIN();
