#include "bench/generated_circuit.h"

#include <random>
#include <vector>

#include "model/catalogue.h"
#include "model/edit.h"

namespace vorlisk::bench {

void build_gate_circuit(Circuit& c, int gates, unsigned seed) {
    static const char* const kinds[] = {"与非门", "或非门", "异或门", "与门", "或门"};
    std::mt19937 rng(seed);
    new_circuit(c);
    gates = std::min(gates, kMaxObjects);
    for (int i = 0; i < gates; ++i) {
        const int row = i / 20, k = i % 20;
        // The slot is filled directly: a generated circuit may use the whole table.
        place_component(c, i, kinds[rng() % 5], 100 + 50 * k, 300 + 300 * row - 10 * k);
        c.object_count = i + 1;
    }
    for (int i = 1; i < gates && c.wire_count < kMaxWires; ++i) {
        const int from = int(rng() % unsigned(i));
        BendPoint a = output_pin(c.objects[from], 0), b = input_pin(c.objects[i], 0);
        std::vector<BendPoint> bend{{a.x + 10, b.y}};
        add_wire(c, a, b, bend);
        if (i % 5 == 0) {
            MY_POINT& j = c.junctions[c.junction_count++];
            j.name = "焊接点 " + std::to_string(i), j.kind = "焊接点";
            j.x = bend[0].x, j.y = bend[0].y;
        }
    }
    for (int t = 0; t < std::min(gates, 16); ++t) {
        BendPoint p = output_pin(c.objects[gates - 1 - t], 0);
        add_test_point(c, p.x, p.y);
    }
    c.virtual_time = 1;
    c.touch();
}

}  // namespace vorlisk::bench
