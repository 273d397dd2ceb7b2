// What painting costs at other sizes: a full redraw of a full circuit
// (999 components with their wires) into a 1280 x 800 window at each zoom,
// and the pass rate of a running circuit in the window at 100 % and 200 %,
// with the wires' levels shown and not (the rates should stay within 10 %).
// No file may make a redraw cost more than the full circuit's: the 74LS161
// example with each drawing value at the largest the loader accepts.
//
//   build/bench/bench_canvas --benchmark_filter=FullRedraw
//   build/bench/bench_canvas --benchmark_filter=WindowPassRate
//   build/bench/bench_canvas --benchmark_filter=LargestDrawingValues
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <chrono>
#include <ctime>

#include "app/Unit1.h"
#include "model/circuit_file.h"
#include "model/edit.h"
#include "render/canvas.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"
#include "tests/support/drawing_fields.h"

namespace vorlisk {
namespace {

constexpr int kWidth = 1280, kHeight = 800;

// 999 components on a grid that a 25 % view shows whole: gates, chips
// (16 pins, numbers shown), LEDs and switches, with a wire between
// neighbours.
std::unique_ptr<Circuit> full_circuit() {
    auto c = make_circuit();
    for (int i = 0; i < kPlaceObjectLimit; ++i) {
        const char* kind = i % 4 == 0 ? "集成芯片组合逻辑(74LS138)" : i % 4 == 1 ? "与非门" : i % 4 == 2 ? "发光二极管" : "高低电平控制器";
        add_component(*c, kind, 60 + 120 * (i % 40), 80 + 150 * (i / 40));
    }
    for (int i = 0; i + 1 < c->object_count && c->wire_count < kWireLimit; ++i) {
        const MY_BASE_OBJ& a = c->objects[i];
        const MY_BASE_OBJ& b = c->objects[i + 1];
        if (a.output_count == 0 || b.input_count == 0) continue;
        const BendPoint from = output_pin(a, 0), to = input_pin(b, 0);
        const BendPoint corner{from.x, to.y};
        add_wire(*c, from, to, std::span<const BendPoint>(&corner, 1));
    }
    return c;
}

void BM_FullRedraw(benchmark::State& state) {
    const int percent = int(state.range(0));
    auto c = full_circuit();
    const Pictures& pictures = component_pictures();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const double z = percent / 100.0;
    const int w = int(kWidth / z) + 1, h = int(kHeight / z) + 1;
    DrawOptions view;
    view.pictures = &pictures;
    view.pin_numbers = true;
    if (percent == 100) {  // the exact surface, as the window uses at 100 %
        Canvas cv(kWidth, kHeight);
        for (auto _ : state) redraw_canvas(cv, *c, w, h, kRedrawFull, view);
    } else {
        ScaledCanvas cv(&image, z);
        for (auto _ : state) redraw_canvas(cv, *c, w, h, kRedrawFull, view);
    }
    state.counters["components"] = c->object_count;
    state.counters["wires"] = c->wire_count;
}
BENCHMARK(BM_FullRedraw)->Arg(25)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

// The example loaded from a file with one drawing value (the first
// argument indexes test::drawing_fields(); past the last: all of them) at
// the largest its range holds, fully redrawn at the second argument's zoom.
void BM_LargestDrawingValues(benchmark::State& state) {
    const auto& fields = test::drawing_fields();
    const size_t field = size_t(state.range(0));
    const int percent = int(state.range(1));
    auto base = test::drawing_base(VORLISK_EXAMPLES_DIR);
    if (!base) return state.SkipWithError("example missing");
    auto c = make_circuit();
    if (field < fields.size()) {
        int line = 0;
        const std::string bytes =
            test::with_value(*base, fields[field], std::to_string(drawing_range(fields[field].value).high), line);
        if (line == 0 || !load_circuit_bytes(*c, bytes) || load_circuit_bytes(*c, bytes).drawing_line != 0)
            return state.SkipWithError("not loaded as it is");
        state.SetLabel(fields[field].name);
    } else {
        c = std::move(base);
        for (const auto& f : fields) {
            const int32_t high = drawing_range(f.value).high;
            if (f.ref32) f.ref32(*c) = high;
            else f.ref16(*c) = int16_t(high);
        }
        state.SetLabel("all");
    }
    const Pictures& pictures = component_pictures();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const double z = percent / 100.0;
    const int w = int(kWidth / z) + 1, h = int(kHeight / z) + 1;
    Canvas exact(kWidth, kHeight);  // as the window paints at 100 %
    ScaledCanvas scaled(&image, z);
    PaintSurface& cv = percent == 100 ? static_cast<PaintSurface&>(exact) : scaled;
    DrawOptions view;
    view.pictures = &pictures;
    view.pin_numbers = true;
    for (auto _ : state) redraw_canvas(cv, *c, w, h, kRedrawFull, view);
}
BENCHMARK(BM_LargestDrawingValues)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 12, 1), {100, 400}})
    ->ArgNames({"field", "zoom"})
    ->Unit(benchmark::kMillisecond);

// Not a drawing value but what an annotation may hold: 256 lines of 512
// characters, at the argument's font height in pixels (683: the font
// dialog's 512 points), fully redrawn at 100 %. The lines below the window
// are laid out too.
void BM_LongestAnnotation(benchmark::State& state) {
    auto c = test::drawing_base(VORLISK_EXAMPLES_DIR);
    if (!c) return state.SkipWithError("example missing");
    std::string line;
    for (int k = 0; k < 512; ++k) line += "汉";
    c->annotations[0].text_lines.assign(256, line);
    c->annotations[0].font_height = -int32_t(state.range(0));
    const Pictures& pictures = component_pictures();
    Canvas cv(kWidth, kHeight);
    DrawOptions view;
    view.pictures = &pictures;
    for (auto _ : state) redraw_canvas(cv, *c, kWidth, kHeight, kRedrawFull, view);
}
BENCHMARK(BM_LongestAnnotation)->Arg(16)->Arg(683)->Unit(benchmark::kMillisecond);

// Passes per second of the 74LS90 decade counter example running in the
// window for two seconds (LEDs and displays repainted by the status timer).
// Second argument: levels shown on the wires (1) or not (0).
void BM_WindowPassRate(benchmark::State& state) {
    const int percent = int(state.range(0));
    const bool levels = state.range(1) != 0;
    TForm1::show_splash = false;
    TForm1 w;
    bool started = false;
    w.after_start = [&] { started = true; };
    w.resize(900, 650);
    w.show();
    while (!started) QApplication::processEvents();
    w.set_zoom(percent, QPointF(0, 0));
    const bool levels_before = w.N_levels->isChecked();
    w.N_levels->setChecked(levels);
    w.N_levelsClick();
    const QString file = QStringLiteral(VORLISK_EXAMPLES_DIR "/74LS90十进制计数器.vlk");
    if (!w.open_file(file)) {
        state.SkipWithError("example missing");
        return;
    }
    double rate = 0, cpu_rate = 0;
    for (auto _ : state) {
        QTimer::singleShot(2000, &w, [&] { w.N_stopClick(); });
        const auto t0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        w.N_runClick();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double cpu = double(std::clock() - c0) / CLOCKS_PER_SEC;
        rate = double(w.passes_run) / s;
        // Per second of this process's own time: other work on a shared
        // machine takes wall time, not this.
        cpu_rate = double(w.passes_run) / cpu;
    }
    state.counters["passes_per_s"] = rate;
    state.counters["passes_per_cpu_s"] = cpu_rate;
    w.set_zoom(100, QPointF(0, 0));
    w.N_levels->setChecked(levels_before);
    w.N_levelsClick();
    w.circuit().modified = false;
}
BENCHMARK(BM_WindowPassRate)
    ->ArgsProduct({{100, 200}, {0, 1}})
    ->ArgNames({"zoom", "levels"})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorlisk

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
