#include "bench/lab_circuits.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/edit.h"

namespace vorlisk::bench {
namespace {

// A component at the next slot; generated circuits may fill the whole table.
int place(Circuit& c, std::string_view kind, int x, int y) {
    const int slot = c.object_count;
    place_component(c, slot, kind, x, y);
    c.object_count = slot + 1;
    return slot;
}

// A wire at the next slot, beyond the editor's limit if need be.
void wire(Circuit& c, BendPoint a, BendPoint b, std::vector<BendPoint> bends = {}) {
    MY_LINK& w = c.wires[c.wire_count];
    c.next_serial += 1;
    w.name = "导线" + std::to_string(c.next_serial);
    w.kind = "导线";
    w.x1 = a.x, w.y1 = a.y, w.x2 = b.x, w.y2 = b.y;
    w.bend_count = int32_t(bends.size());
    std::copy(bends.begin(), bends.end(), w.bends.begin());
    c.wire_count += 1;
}

// A wire from an output tip to an input tip in the next row down and back
// at the left: right, down half a row, left, down, right.
void row_return(Circuit& c, BendPoint out, BendPoint in) {
    const int mid = (out.y + in.y) / 2;
    wire(c, out, in, {{out.x + 10, out.y}, {out.x + 10, mid}, {in.x - 10, mid}, {in.x - 10, in.y}});
}

void start_virtual(Circuit& c) {
    c.virtual_time = 1;
    c.time_step = 0.001;
    c.device_delay = 1;
    c.touch();
}

// A chain of one-input gates laid out 30 to a row, each reading its
// predecessor's output; `kind_of(i)` names gate i.
template <class KindOf>
void gate_chain(Circuit& c, int first_input_source, int gates, KindOf kind_of) {
    int prev = first_input_source;
    for (int i = 0; i < gates; ++i) {
        const int row = i / 30, col = i % 30;
        const int g = place(c, kind_of(i), 200 + 70 * col, 200 + 120 * row);
        const BendPoint out = output_pin(c.objects[prev], 0), in = input_pin(c.objects[g], 0);
        if (prev == first_input_source || col != 0)
            wire(c, out, in, out.y == in.y ? std::vector<BendPoint>{} : std::vector<BendPoint>{{out.x + 10, out.y}, {out.x + 10, in.y}});
        else
            row_return(c, out, in);
        prev = g;
    }
}

}  // namespace

void build_inverter_chain(Circuit& c, int inverters) {
    new_circuit(c);
    inverters = std::clamp(inverters, 1, kMaxObjects - 2);
    const int vcc = place(c, "Vcc", 40, 60);
    const int pulse = place(c, "连续脉冲", 100, 100);  // 1 Hz, high for the second half of each second
    wire(c, output_pin(c.objects[vcc], 0), input_pin(c.objects[pulse], 0), {{40, 100}});
    gate_chain(c, pulse, inverters, [](int) { return "非门"; });
    start_virtual(c);
}

void build_ripple_counter(Circuit& c, int stages) {
    new_circuit(c);
    stages = std::clamp(stages, 1, 60);
    const int vcc = place(c, "Vcc", 100, 200);
    const int pulse = place(c, "连续脉冲", 160, 400);
    MY_BASE_OBJ& p = c.objects[pulse];
    p.pulse_frequency = 250;  // a 4 ms period: two passes high, two low
    p.pulse_phase = 0.0015;
    p.pulse_width = 0.002;
    wire(c, output_pin(c.objects[vcc], 0), input_pin(p, 0), {{100, 400}});
    const int bus_end = 300 + 120 * stages;
    wire(c, output_pin(c.objects[vcc], 0), {bus_end, 200});  // the high rail
    BendPoint clock = output_pin(p, 0);
    for (int s = 0; s < stages; ++s) {
        const int x = 300 + 120 * s;
        const int ff = place(c, "边沿JK触发器", x, 300);
        const BendPoint j = input_pin(c.objects[ff], 0), ck = input_pin(c.objects[ff], 1),
                        k = input_pin(c.objects[ff], 2), q = output_pin(c.objects[ff], 0);
        // J from the rail through a junction, K joined to J around the clock pin.
        MY_POINT& jn = c.junctions[c.junction_count++];
        jn.name = "焊接点 " + std::to_string(s), jn.kind = "焊接点", jn.x = x - 50, jn.y = 200;
        wire(c, {x - 50, 200}, j, {{x - 50, j.y}});
        wire(c, j, k, {{x - 45, j.y}, {x - 45, k.y}});
        wire(c, clock, ck, {{clock.x + 20, clock.y}, {clock.x + 20, ck.y}});
        const int led = place(c, "发光二极管", q.x + 20, q.y);  // its input tip on Q
        (void)led;
        clock = q;
    }
    // LEDs were placed between the flip-flops; keep all flip-flops first so
    // the table reads rail, pulse, stages, LEDs as the count says.
    std::stable_partition(c.objects.begin() + 2, c.objects.begin() + c.object_count,
                          [](const MY_BASE_OBJ& o) { return o.kind != "发光二极管"; });
    start_virtual(c);
}

void build_toggling_gates(Circuit& c, int gates) {
    static const char* const kinds[] = {"非门", "或门", "或非门", "3线或非门", "4线或门", "8线或非门"};
    new_circuit(c);
    gates = std::clamp(gates, 1, kMaxObjects);
    const int osc = place(c, "非门", 100, 80);
    const BendPoint out = output_pin(c.objects[osc], 0), in = input_pin(c.objects[osc], 0);
    wire(c, out, in, {{out.x + 10, out.y}, {out.x + 10, out.y + 30}, {in.x - 10, in.y + 30}, {in.x - 10, in.y}});
    gate_chain(c, osc, gates - 1, [](int i) { return kinds[i % 6]; });
    start_virtual(c);
}

}  // namespace vorlisk::bench
