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

namespace {

NetLevel level_of_net(const Circuit& c, const CompiledCircuit& cc, uint32_t net) {
    const uint32_t first = cc.net_begin[net], last = cc.net_begin[net + 1];
    if (first == last) return NetLevel::none;
    float in = 0.0f;
    gather_from_net(c, cc, net, in);
    if (c.net_mode != 0 && c.net_mode != 1) {
        // Other modes leave inputs as they are: show what the first driver drives.
        const DriverRef d = cc.drivers[first];
        in = c.objects[d / kMaxPins].out_v[d % kMaxPins];
    }
    return in > kThreshold ? NetLevel::high : NetLevel::low;
}

NetLevel shown_level(const NetLevels& l, const std::vector<uint32_t>& nets, size_t i) {
    if (i >= nets.size() || nets[i] >= l.shown.size()) return NetLevel::none;
    return l.shown[nets[i]];
}

}  // namespace

NetLevel NetLevels::wire(const Circuit& c, int w) const {
    return c.compiled ? shown_level(*this, c.compiled->wire_net, size_t(w)) : NetLevel::none;
}
NetLevel NetLevels::junction(const Circuit& c, int j) const {
    return c.compiled ? shown_level(*this, c.compiled->junction_net, size_t(j)) : NetLevel::none;
}
NetLevel NetLevels::output(const Circuit& c, int obj, int k) const {
    return c.compiled ? shown_level(*this, c.compiled->output_net, size_t(obj) * kMaxPins + size_t(k))
                      : NetLevel::none;
}
NetLevel NetLevels::input(const Circuit& c, int obj, int k) const {
    return c.compiled ? shown_level(*this, c.compiled->input_net, size_t(obj) * kMaxPins + size_t(k))
                      : NetLevel::none;
}

bool NetLevels::update(Circuit& c) {
    const CompiledCircuit& cc = compiled(c);
    const size_t nets = cc.net_begin.empty() ? 0 : cc.net_begin.size() - 1;
    changed.clear();
    const bool renumbered = serial != cc.serial || shown.size() != nets;
    if (renumbered) {
        shown.assign(nets, NetLevel::none);
        serial = cc.serial;
        // Numbers without drivers (undriven nets, and numbers that are no
        // net's root) stay `none`: only driven nets are looked at again.
        driven.clear();
        for (uint32_t n = 0; n < nets; ++n)
            if (cc.net_begin[n] != cc.net_begin[n + 1]) driven.push_back(n);
        for (uint32_t n = 0; n < nets; ++n) changed.push_back(n);
    }
    for (uint32_t n : driven) {
        const NetLevel now = level_of_net(c, cc, n);
        if (now != shown[n]) {
            shown[n] = now;
            if (!renumbered) changed.push_back(n);
        }
    }
    return !changed.empty();
}

}  // namespace vorlisk
