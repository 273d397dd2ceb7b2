#include "editor/net_touches.h"

#include <algorithm>
#include <climits>
#include <tuple>
#include <unordered_map>

#include "engine/compiled.h"
#include "engine/nets.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

struct Segment {
    BendPoint a, b;
    uint32_t net;
};

// The segments of every wire, bucketed by the coarse cells their boxes
// cover (widened by the tolerance); very long ones are tried for every point.
class SegmentGrid {
public:
    void add(const Segment& s) {
        const long long x0 = cell(std::min(s.a.x, s.b.x) - 1LL), x1 = cell(std::max(s.a.x, s.b.x) + 1LL);
        const long long y0 = cell(std::min(s.a.y, s.b.y) - 1LL), y1 = cell(std::max(s.a.y, s.b.y) + 1LL);
        const int index = int(segments_.size());
        segments_.push_back(s);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > 256) {
            long_.push_back(index);
            return;
        }
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y) cells_[key(x, y)].push_back(index);
    }
    // Whether p lies on a segment of a net other than `net`.
    bool on_other_net(BendPoint p, uint32_t net) const {
        auto hit = [&](int i) {
            const Segment& s = segments_[i];
            return s.net != net && point_on_segment(p.x, p.y, s.a.x, s.a.y, s.b.x, s.b.y, 1);
        };
        if (auto it = cells_.find(key(cell(p.x), cell(p.y))); it != cells_.end())
            if (std::any_of(it->second.begin(), it->second.end(), hit)) return true;
        return std::any_of(long_.begin(), long_.end(), hit);
    }

private:
    static long long cell(long long v) { return v >= 0 ? v / 64 : (v - 63) / 64; }
    static uint64_t key(long long x, long long y) { return (uint64_t(uint32_t(x)) << 32) | uint32_t(y); }
    std::vector<Segment> segments_;
    std::unordered_map<uint64_t, std::vector<int>> cells_;
    std::vector<int> long_;
};

}  // namespace

std::vector<BendPoint> net_touches(Circuit& c) {
    const CompiledCircuit& cc = compiled(c);
    SegmentGrid grid;
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        BendPoint prev{l.x1, l.y1};
        for (int b = 0; b <= std::clamp(l.bend_count, 0, kMaxBends); ++b) {
            const BendPoint next = b < std::clamp(l.bend_count, 0, kMaxBends) ? l.bends[b] : BendPoint{l.x2, l.y2};
            grid.add({prev, next, cc.wire_net[w]});
            prev = next;
        }
    }
    std::vector<BendPoint> out;
    auto test = [&](BendPoint p, uint32_t net) {
        if (grid.on_other_net(p, net)) out.push_back(p);
    };
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        test({l.x1, l.y1}, cc.wire_net[w]);
        for (int b = 0; b < std::clamp(l.bend_count, 0, kMaxBends); ++b) test(l.bends[b], cc.wire_net[w]);
        test({l.x2, l.y2}, cc.wire_net[w]);
    }
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            test(input_pin(o, k), cc.input_net[size_t(i) * kMaxPins + k]);
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            test(output_pin(o, k), cc.output_net[size_t(i) * kMaxPins + k]);
    }
    std::sort(out.begin(), out.end(), [](BendPoint a, BendPoint b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

const std::vector<BendPoint>& NetTouches::of(Circuit& c) {
    if (owner_ != &c || serial_ != c.edit_serial) {
        places_ = net_touches(c);
        owner_ = &c;
        serial_ = c.edit_serial;
    }
    return places_;
}

}  // namespace vorlisk
