#include "engine/nets.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <unordered_map>

#include "engine/compiled.h"

namespace vorlisk {

bool point_on_segment(int px_, int py_, int x1_, int y1_, int x2_, int y2_, int tol_) {
    // In 64 bits: positions near the ends of the 32-bit range must not overflow.
    const long long px = px_, py = py_, x1 = x1_, y1 = y1_, x2 = x2_, y2 = y2_, tol = tol_;
    if (x1 == x2)
        return std::min(y1, y2) <= py && py <= std::max(y1, y2) && x1 - tol < px && px < x1 + tol;
    if (y1 == y2)
        return std::min(x1, x2) <= px && px <= std::max(x1, x2) && y1 - tol < py && py < y1 + tol;
    // A diagonal, drawn by the editor at 45 degrees.
    if (!(std::min(x1, x2) <= px && px <= std::max(x1, x2))) return false;
    const long long dx = px - std::min(x1, x2);
    if (x1 < x2) {
        long long dy = y2 > y1 ? py - y1 : y1 - py;
        if (std::llabs(dy - dx) <= tol) return true;
    }
    if (x2 < x1) {
        long long dy = y1 > y2 ? py - y2 : y2 - py;
        if (std::llabs(dy - dx) <= tol) return true;
    }
    return false;
}

bool point_on_wire(int px, int py, const MY_LINK& w) {
    const int n = std::clamp(w.bend_count, 0, kMaxBends);
    if (n == 0) return point_on_segment(px, py, w.x1, w.y1, w.x2, w.y2, 1);
    if (point_on_segment(px, py, w.x1, w.y1, w.bends[0].x, w.bends[0].y, 1)) return true;
    if (point_on_segment(px, py, w.bends[n - 1].x, w.bends[n - 1].y, w.x2, w.y2, 1)) return true;
    for (int i = 0; i < n - 1; ++i)
        if (point_on_segment(px, py, w.bends[i].x, w.bends[i].y, w.bends[i + 1].x, w.bends[i + 1].y, 1))
            return true;
    return false;
}

namespace {

uint64_t key(long long x, long long y) {
    return (uint64_t(uint32_t(int32_t(x))) << 32) | uint32_t(int32_t(y));
}

// Coordinates seen by the compiler, numbered densely.
class PointIndex {
public:
    int add(long long x, long long y) {
        auto [it, fresh] = ids_.try_emplace(key(x, y), int(ids_.size()));
        return it->second;
    }
    int find(long long x, long long y) const {
        auto it = ids_.find(key(x, y));
        return it == ids_.end() ? -1 : it->second;
    }
    int size() const { return int(ids_.size()); }

private:
    std::unordered_map<uint64_t, int> ids_;
};

class UnionFind {
public:
    explicit UnionFind(int n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
    int root(int a) {
        while (parent_[a] != a) a = parent_[a] = parent_[parent_[a]];
        return a;
    }
    void join(int a, int b) { parent_[root(a)] = root(b); }

private:
    std::vector<int> parent_;
};

// Calls f(ax, ay, bx, by) for every segment of a wire.
template <class F>
void for_each_segment(const MY_LINK& w, F f) {
    const int n = std::clamp(w.bend_count, 0, kMaxBends);
    BendPoint prev{w.x1, w.y1};
    for (int b = 0; b < n; ++b) {
        f(prev.x, prev.y, w.bends[b].x, w.bends[b].y);
        prev = w.bends[b];
    }
    f(prev.x, prev.y, w.x2, w.y2);
}

// Finds the wires that may pass through a point: wires are bucketed by their
// bounding boxes (widened by the tolerance) into coarse cells; very large
// wires are checked for every query.
class WireGrid {
public:
    explicit WireGrid(const Circuit& c) : c_(c) {
        for (int w = 0; w < c.wire_count; ++w) {
            const MY_LINK& l = c.wires[w];
            long long x0 = LLONG_MAX, x1 = LLONG_MIN, y0 = LLONG_MAX, y1 = LLONG_MIN;
            for_each_segment(l, [&](long long ax, long long ay, long long bx, long long by) {
                // A diagonal is tested as a 45-degree line from either end,
                // which can reach beyond its box by its width.
                long long grow = (ax != bx && ay != by) ? std::llabs(bx - ax) : 0;
                x0 = std::min({x0, ax, bx}), x1 = std::max({x1, ax, bx});
                y0 = std::min({y0, ay - grow, by - grow}), y1 = std::max({y1, ay + grow, by + grow});
            });
            long long cx0 = cell(x0 - 1), cx1 = cell(x1 + 1), cy0 = cell(y0 - 1), cy1 = cell(y1 + 1);
            if ((cx1 - cx0 + 1) * (cy1 - cy0 + 1) > 1024) {
                big_.push_back(w);
                continue;
            }
            for (long long cx = cx0; cx <= cx1; ++cx)
                for (long long cy = cy0; cy <= cy1; ++cy) cells_[key(cx, cy)].push_back(w);
        }
    }

    // Calls f(w) for every wire through (px, py), in table order.
    template <class F>
    void for_wires_through(int px, int py, F f) const {
        hits_.clear();
        auto it = cells_.find(key(cell(px), cell(py)));
        if (it != cells_.end())
            for (int w : it->second)
                if (point_on_wire(px, py, c_.wires[w])) hits_.push_back(w);
        for (int w : big_)
            if (point_on_wire(px, py, c_.wires[w])) hits_.push_back(w);
        std::sort(hits_.begin(), hits_.end());
        for (int w : hits_) f(w);
    }

private:
    static long long cell(long long v) { return v >= 0 ? v / 128 : (v - 127) / 128; }
    const Circuit& c_;
    std::unordered_map<uint64_t, std::vector<int>> cells_;
    std::vector<int> big_;
    mutable std::vector<int> hits_;
};

long long pin_x(const MY_BASE_OBJ& o, int16_t dx) { return (long long)o.x + dx; }
long long pin_y(const MY_BASE_OBJ& o, int16_t dy) { return (long long)o.y + dy; }

void compile_nets(const Circuit& c, CompiledCircuit& cc) {
    PointIndex points;
    const int objects = c.object_count;
    for (int i = 0; i < objects; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            points.add(pin_x(o, o.out_dx[k]), pin_y(o, o.out_dy[k]));
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            points.add(pin_x(o, o.in_dx[k]), pin_y(o, o.in_dy[k]));
    }
    for (int w = 0; w < c.wire_count; ++w) {
        points.add(c.wires[w].x1, c.wires[w].y1);
        points.add(c.wires[w].x2, c.wires[w].y2);
    }
    for (int j = 0; j < c.junction_count; ++j) points.add(c.junctions[j].x, c.junctions[j].y);

    UnionFind nets(points.size());
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        nets.join(points.find(l.x1, l.y1), points.find(l.x2, l.y2));
    }
    WireGrid grid(c);
    for (int j = 0; j < c.junction_count; ++j) {
        const MY_POINT& jp = c.junctions[j];
        int node = points.find(jp.x, jp.y);
        grid.for_wires_through(jp.x, jp.y, [&](int w) {
            nets.join(node, points.find(c.wires[w].x1, c.wires[w].y1));
        });
    }

    // Drivers grouped by net (CSR); each output pin appears once.
    const int n = points.size();
    std::vector<uint32_t> count(n + 1, 0);
    auto for_each_driver = [&](auto f) {
        for (int i = 0; i < objects; ++i) {
            const MY_BASE_OBJ& o = c.objects[i];
            for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
                f(nets.root(points.find(pin_x(o, o.out_dx[k]), pin_y(o, o.out_dy[k]))),
                  DriverRef(i * kMaxPins + k));
        }
    };
    for_each_driver([&](int net, DriverRef) { ++count[net + 1]; });
    std::partial_sum(count.begin(), count.end(), count.begin());
    cc.net_begin = count;
    cc.drivers.assign(count[n], 0);
    std::vector<uint32_t> fill(count.begin(), count.end() - 1);
    for_each_driver([&](int net, DriverRef d) { cc.drivers[fill[net]++] = d; });

    cc.input_net.assign(size_t(objects) * kMaxPins, 0);
    cc.output_net.assign(size_t(objects) * kMaxPins, 0);
    for (int i = 0; i < objects; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            cc.input_net[size_t(i) * kMaxPins + k] =
                nets.root(points.find(pin_x(o, o.in_dx[k]), pin_y(o, o.in_dy[k])));
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            cc.output_net[size_t(i) * kMaxPins + k] =
                nets.root(points.find(pin_x(o, o.out_dx[k]), pin_y(o, o.out_dy[k])));
    }
    // The one driver of each input's net, where it has exactly one.
    cc.input_begin.assign(size_t(objects) + 1, 0);
    size_t inputs = 0;
    for (int i = 0; i < objects; ++i) inputs += size_t(std::clamp<int>(c.objects[i].input_count, 0, kMaxPins));
    cc.input_driver.clear();
    cc.input_driver.reserve(inputs);
    for (int i = 0; i < objects; ++i) {
        for (int k = 0; k < std::clamp<int>(c.objects[i].input_count, 0, kMaxPins); ++k) {
            const uint32_t net = cc.input_net[size_t(i) * kMaxPins + k];
            const bool one = cc.net_begin[net + 1] - cc.net_begin[net] == 1;
            cc.input_driver.push_back(one ? cc.drivers[cc.net_begin[net]] : kNoOneDriver);
        }
        cc.input_begin[size_t(i) + 1] = uint32_t(cc.input_driver.size());
    }
    cc.wire_net.resize(size_t(c.wire_count));
    for (int w = 0; w < c.wire_count; ++w) cc.wire_net[w] = nets.root(points.find(c.wires[w].x1, c.wires[w].y1));
    cc.junction_net.resize(size_t(c.junction_count));
    for (int j = 0; j < c.junction_count; ++j)
        cc.junction_net[j] = nets.root(points.find(c.junctions[j].x, c.junctions[j].y));

    // A test point hears its own point's net and the nets of the wires
    // passing through it.
    cc.tp_begin.assign(1, 0);
    cc.tp_drivers.clear();
    cc.tp_net_begin.assign(1, 0);
    cc.tp_nets.clear();
    std::vector<int> roots;
    for (int t = 0; t < c.test_point_count; ++t) {
        const MY_TEST_POINT& tp = c.test_points[t];
        roots.clear();
        if (int node = points.find(tp.x, tp.y); node >= 0) roots.push_back(nets.root(node));
        grid.for_wires_through(tp.x, tp.y, [&](int w) {
            roots.push_back(nets.root(points.find(c.wires[w].x1, c.wires[w].y1)));
        });
        std::sort(roots.begin(), roots.end());
        roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
        cc.tp_nets.insert(cc.tp_nets.end(), roots.begin(), roots.end());
        cc.tp_net_begin.push_back(uint32_t(cc.tp_nets.size()));
        for (int r : roots)
            cc.tp_drivers.insert(cc.tp_drivers.end(), cc.drivers.begin() + cc.net_begin[r],
                                 cc.drivers.begin() + cc.net_begin[r + 1]);
        cc.tp_begin.push_back(uint32_t(cc.tp_drivers.size()));
    }
}

void compile_plan(const Circuit& c, CompiledCircuit& cc) {
    const int objects = c.object_count;
    cc.plan.assign(objects, ObjectPlan{});
    std::unordered_map<std::string_view, int> first_by_name;
    for (int i = 0; i < objects; ++i) first_by_name.try_emplace(c.objects[i].name, i);
    std::unordered_map<std::string_view, int> first_tp;
    for (int t = 0; t < c.test_point_count; ++t) first_tp.try_emplace(c.test_points[t].name, t);

    for (int i = 0; i < objects; ++i) {
        cc.plan[i] = plan_object(c, i);
        cc.plan[i].target = first_by_name[c.objects[i].name];
    }
    cc.tp_target.assign(c.test_point_count, 0);
    for (int t = 0; t < c.test_point_count; ++t) cc.tp_target[t] = first_tp[c.test_points[t].name];
}

}  // namespace

ObjectPlan plan_object(const Circuit& c, int i) {
    const MY_BASE_OBJ& o = c.objects[i];
    ObjectPlan p;
    p.target = i;
    p.rule = rule_of_kind(o.kind);
    if (p.rule == Rule::chip) {
        std::string type = chip_type_of(o.kind);
        int r = find_chip_def(c, type);
        p.chip_row = find_chip_row(type);
        p.chip_def = r >= 0 ? &c.chip_table[r] : nullptr;
        if (!p.chip_def) p.chip_row = nullptr;
    }
    if (p.rule == Rule::led || p.rule == Rule::display) {
        p.probe = contains(o.kind, "测点");
        p.display_inputs = o.kind == "数码管" ? 8 : 4;
        for (int k = 0; k < 4; ++k) p.probe_tp[k] = int16_t(find_test_point(c, o.param_text[k]));
    }
    return p;
}

CompiledCircuit& recompiled(Circuit& c) {
    if (!c.compiled) c.compiled = std::make_unique<CompiledCircuit>();
    CompiledCircuit& cc = *c.compiled;
    if (cc.serial != c.edit_serial) {
        compile_plan(c, cc);
        compile_nets(c, cc);
        cc.serial = c.edit_serial;
    }
    return cc;
}

void gather_input(Circuit& c, int obj, int k) {
    CompiledCircuit& cc = compiled(c);
    if (obj < 0 || obj >= c.object_count || k < 0 || k >= kMaxPins) return;
    gather_from_net(c, cc, cc.input_net[size_t(obj) * kMaxPins + k], c.objects[obj].in_v[k]);
}

double read_test_point_at(Circuit& c, int t) {
    CompiledCircuit& cc = compiled(c);
    for (uint32_t i = cc.tp_begin[t]; i < cc.tp_begin[t + 1]; ++i) {
        DriverRef d = cc.tp_drivers[i];
        if (c.objects[d / kMaxPins].out_v[d % kMaxPins] > kThreshold) return kReadingHigh;
    }
    return 0.0;
}

double read_test_point(Circuit& c, std::string_view name) {
    int t = find_test_point(c, name);
    return t < 0 ? 0.0 : read_test_point_at(c, t);
}

}  // namespace vorlisk
