#include "editor/wire_follow.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_set>
#include <utility>

#include "model/edit.h"

namespace vorlisk {

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

BendPoint direction(BendPoint a, BendPoint b) { return {sign(b.x - a.x), sign(b.y - a.y)}; }

// Horizontal, vertical or 45 degrees (a point counts as all three).
bool straight(BendPoint a, BendPoint b) {
    const int dx = std::abs(b.x - a.x), dy = std::abs(b.y - a.y);
    return dx == 0 || dy == 0 || dx == dy;
}

bool right_angled(BendPoint a, BendPoint b) { return a.x == b.x || a.y == b.y; }

BendPoint shifted(BendPoint p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

using Key = std::pair<int, int>;
Key key(BendPoint p) { return {p.x, p.y}; }

// A wire holds its start, at most kMaxBends corners and its end.
constexpr size_t kMaxPoints = size_t(kMaxBends) + 2;

}  // namespace

WirePoints wire_points(const MY_LINK& w) {
    WirePoints p;
    p.push_back({w.x1, w.y1});
    for (int b = 0; b < std::clamp(w.bend_count, 0, kMaxBends); ++b) p.push_back(w.bends[b]);
    p.push_back({w.x2, w.y2});
    return p;
}

WirePoints follow_end(std::span<const BendPoint> points, BendPoint end) {
    if (points.size() < 2) return WirePoints(1, end);
    WirePoints out(points.begin(), points.end() - 1);  // all but the end stay
    const BendPoint q = out.back();
    const BendPoint before = direction(points[points.size() - 2], points.back());
    if (straight(q, end)) {
        // A corner the end has come back onto is no corner any more.
        if (q == end && out.size() > 1) out.pop_back();
        out.push_back(end);
        return out;
    }
    if (out.size() + 2 > kMaxPoints) {  // no room for a corner: the end moves alone
        out.push_back(end);
        return out;
    }
    // Two segments reach any point: one straight along an axis, one at 45
    // degrees, in either order.
    const int dx = end.x - q.x, dy = end.y - q.y;
    const int m = std::min(std::abs(dx), std::abs(dy));
    const BendPoint s{sign(dx), sign(dy)};
    const BendPoint corners[] = {
        {q.x, end.y},                        // vertical, then horizontal
        {end.x, q.y},                        // horizontal, then vertical
        {q.x + m * s.x, q.y + m * s.y},      // diagonal first
        {end.x - m * s.x, end.y - m * s.y},  // diagonal last
    };
    BendPoint best = corners[0];
    int best_score = -1;
    for (BendPoint corner : corners) {
        // Entering the end as before counts most: the end is a pin tip,
        // and its wire should still come in along the pin's stroke.
        const int score = (direction(corner, end) == before ? 4 : 0) +
                          (right_angled(q, corner) && right_angled(corner, end) ? 1 : 0);
        if (score > best_score) best = corner, best_score = score;
    }
    // A corner left on the straight line through its neighbours says nothing.
    if (out.size() > 1 && direction(out[out.size() - 2], q) == direction(q, best)) out.pop_back();
    out.push_back(best);
    out.push_back(end);
    return out;
}

WirePoints follow_ends(std::span<const BendPoint> points, std::optional<BendPoint> start,
                       std::optional<BendPoint> end) {
    WirePoints p(points.begin(), points.end());
    if (end) p = follow_end(p, *end);
    if (start) {
        std::reverse(p.begin(), p.end());
        p = follow_end(p, *start);
        std::reverse(p.begin(), p.end());
    }
    return p;
}

bool WireFollow::begin(Circuit& c) {
    end(c);
    started_ = true;
    const std::unordered_set<std::string_view> selected(c.selection.begin(), c.selection.end());
    std::set<Key> tips;  // pin tips of the selected components
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        if (!selected.count(o.name)) continue;
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k) tips.insert(key(input_pin(o, k)));
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k) tips.insert(key(output_pin(o, k)));
    }
    std::set<Key> moving = tips;  // every point that moves: tips and junctions
    for (int j = 0; j < c.junction_count; ++j) {
        const MY_POINT& p = c.junctions[j];
        if (selected.count(p.name)) moving.insert({p.x, p.y});
        else if (tips.count({p.x, p.y})) carried_.push_back(p.name);
    }
    for (int t = 0; t < c.test_point_count; ++t) {
        const MY_TEST_POINT& p = c.test_points[t];
        if (!selected.count(p.name) && tips.count({p.x, p.y})) carried_.push_back(p.name);
    }
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        if (selected.count(l.name)) continue;  // moves whole with the selection
        Follower f{w, l.name, wire_points(l), moving.count({l.x1, l.y1}) != 0, moving.count({l.x2, l.y2}) != 0};
        if (f.start || f.end) wires_.push_back(std::move(f));
    }
    c.moving_along = carried_;
    for (const Follower& f : wires_) c.moving_along.push_back(f.name);
    return !c.moving_along.empty();
}

void WireFollow::step(Circuit& c, int dx, int dy) {
    if (!started_ || (dx == 0 && dy == 0)) return;
    total_dx_ += dx, total_dy_ += dy;
    if (!carried_.empty()) move_items(c, carried_, dx, dy, 0, 0);
    for (Follower& f : wires_) {
        if (f.index >= c.wire_count || c.wires[f.index].name != f.name) f.index = find_wire(c, f.name);
        if (f.index < 0) continue;
        WirePoints p;
        if (f.start && f.end) {
            for (BendPoint q : f.original) p.push_back(shifted(q, total_dx_, total_dy_));
        } else {
            auto moved = [&](bool moves, BendPoint q) {
                return moves ? std::optional<BendPoint>(shifted(q, total_dx_, total_dy_)) : std::nullopt;
            };
            p = follow_ends(f.original, moved(f.start, f.original.front()), moved(f.end, f.original.back()));
        }
        set_wire_points(c, f.index, p);
    }
}

void WireFollow::end(Circuit& c) {
    started_ = false;
    total_dx_ = total_dy_ = 0;
    wires_.clear();
    carried_.clear();
    c.moving_along.clear();
}

void rotate_items_with_wires(Circuit& c, std::span<const std::string> names, int direction) {
    struct Tip {
        BendPoint before;
        int obj, k;
        bool input;
    };
    std::vector<Tip> tips;
    const std::unordered_set<std::string_view> listed(names.begin(), names.end());
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        if (!listed.count(o.name)) continue;
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            tips.push_back({input_pin(o, k), i, k, true});
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            tips.push_back({output_pin(o, k), i, k, false});
    }
    rotate_items(c, names, direction);
    std::map<Key, BendPoint> moved;  // a pin tip's place before the turn -> after
    for (const Tip& t : tips) {
        const MY_BASE_OBJ& o = c.objects[t.obj];
        const BendPoint after = t.input ? input_pin(o, t.k) : output_pin(o, t.k);
        if (after != t.before) moved.emplace(key(t.before), after);
    }
    if (moved.empty()) return;
    auto carry = [&](const std::string& name, int x, int y) {
        const auto m = moved.find({x, y});
        if (m != moved.end()) move_items(c, std::span<const std::string>(&name, 1), m->second.x - x, m->second.y - y, 0, 0);
    };
    for (int j = 0; j < c.junction_count; ++j) carry(c.junctions[j].name, c.junctions[j].x, c.junctions[j].y);
    for (int t = 0; t < c.test_point_count; ++t) carry(c.test_points[t].name, c.test_points[t].x, c.test_points[t].y);
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        auto to = [&](int x, int y) {
            const auto m = moved.find({x, y});
            return m == moved.end() ? std::nullopt : std::optional<BendPoint>(m->second);
        };
        const auto start = to(l.x1, l.y1), end = to(l.x2, l.y2);
        if (start || end) set_wire_points(c, w, follow_ends(wire_points(l), start, end));
    }
}

}  // namespace vorlisk
