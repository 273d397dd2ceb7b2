// What a drag step costs when the wires follow: a 16-pin chip whose every
// pin has a wire with a junction on it, dragged back and forth among 900
// gates wired in rows (about 900 more wires), as one mouse step of the
// window. Each step routes the 16 wires anew against all the rest.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/wire_follow.h"
#include "model/edit.h"

namespace vorlisk {
namespace {

std::unique_ptr<Circuit> crowded_circuit(int& chip) {
    auto c = make_circuit();
    for (int i = 0; i < 900; ++i) add_component(*c, "与非门", 600 + 80 * (i % 30), 100 + 60 * (i / 30));
    for (int i = 0; i + 1 < 900; ++i) {
        if (i % 30 == 29) continue;
        const BendPoint out = output_pin(c->objects[i], 0), in = input_pin(c->objects[i + 1], 0);
        const BendPoint corner{out.x + 10, in.y};
        add_wire(*c, out, in, std::span<const BendPoint>(&corner, 1));
    }
    chip = add_component(*c, "集成芯片组合逻辑(74LS138)", 300, 600);
    const MY_BASE_OBJ& o = c->objects[chip];
    auto wire_out = [&](BendPoint tip) {
        const int dx = tip.x < o.x ? -200 : 200;
        const BendPoint end{tip.x + dx, tip.y - 100}, corner{tip.x + dx / 2, tip.y};
        add_wire(*c, tip, end, std::span<const BendPoint>(&corner, 1));
        add_junction(*c, tip.x + dx / 4, tip.y);
    };
    for (int k = 0; k < o.input_count; ++k) wire_out(input_pin(o, k));
    for (int k = 0; k < o.output_count; ++k) wire_out(output_pin(o, k));
    return c;
}

void BM_FollowDragStep(benchmark::State& state) {
    int chip = 0;
    auto c = crowded_circuit(chip);
    c->selection = {c->objects[chip].name};
    WireFollow follow;
    follow.begin(*c);
    move_items(*c, c->selection, 0, 10, 0, 0);
    follow.step(*c, 0, 10);
    int step = 0, followed = 0;
    for (auto _ : state) {
        const int dy = step++ % 2 ? -10 : 10;  // 20 and 10 pixels down in turn, never back home
        move_items(*c, c->selection, 0, dy, 0, 0);
        followed += follow.step(*c, 0, dy);
    }
    follow.end(*c);
    state.counters["wires"] = c->wire_count;
    state.counters["followed"] = double(followed) / std::max(step, 1);  // 1: no step refused
}
BENCHMARK(BM_FollowDragStep)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlisk

BENCHMARK_MAIN();
