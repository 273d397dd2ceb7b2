#include "engine/net_queries.h"

#include <algorithm>

#include "engine/compiled.h"

namespace vorlisk {

namespace {

bool valid(const Circuit& c, int t, int obj, int k) {
    return t >= 0 && t < c.test_point_count && obj >= 0 && obj < c.object_count && k >= 0 && k < kMaxPins;
}

bool hears(const CompiledCircuit& cc, int t, DriverRef d) {
    const auto begin = cc.tp_drivers.begin() + cc.tp_begin[size_t(t)];
    const auto end = cc.tp_drivers.begin() + cc.tp_begin[size_t(t) + 1];
    return std::find(begin, end, d) != end;
}

}  // namespace

bool test_point_hears(Circuit& c, int t, int obj, int k) {
    if (!valid(c, t, obj, k) || k >= c.objects[obj].output_count) return false;
    return hears(compiled(c), t, DriverRef(obj * kMaxPins + k));
}

int test_point_driver_count(Circuit& c, int t) {
    if (t < 0 || t >= c.test_point_count) return 0;
    const CompiledCircuit& cc = compiled(c);
    return int(cc.tp_begin[size_t(t) + 1] - cc.tp_begin[size_t(t)]);
}

bool test_point_on_input(Circuit& c, int t, int obj, int k) {
    if (!valid(c, t, obj, k) || k >= c.objects[obj].input_count) return false;
    const CompiledCircuit& cc = compiled(c);
    const uint32_t net = cc.input_net[size_t(obj) * kMaxPins + size_t(k)];
    const uint32_t first = cc.net_begin[net], last = cc.net_begin[net + 1];
    if (first == last) return false;
    for (uint32_t d = first; d < last; ++d)
        if (!hears(cc, t, cc.drivers[d])) return false;
    return true;
}

}  // namespace vorlisk
