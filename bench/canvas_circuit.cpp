#include "bench/canvas_circuit.h"

#include <span>

#include "model/edit.h"

namespace vorlisk::bench {

void build_canvas_grid(Circuit& c) {
    for (int i = 0; i < kPlaceObjectLimit; ++i) {
        const char* kind = i % 4 == 0 ? "集成芯片组合逻辑(74LS138)" : i % 4 == 1 ? "与非门" : i % 4 == 2 ? "发光二极管" : "高低电平控制器";
        add_component(c, kind, 60 + 120 * (i % 40), 80 + 150 * (i / 40));
    }
    for (int i = 0; i + 1 < c.object_count && c.wire_count < kWireLimit; ++i) {
        const MY_BASE_OBJ& a = c.objects[i];
        const MY_BASE_OBJ& b = c.objects[i + 1];
        if (a.output_count == 0 || b.input_count == 0) continue;
        const BendPoint from = output_pin(a, 0), to = input_pin(b, 0);
        const BendPoint corner{from.x, to.y};
        add_wire(c, from, to, std::span<const BendPoint>(&corner, 1));
    }
}

}  // namespace vorlisk::bench
