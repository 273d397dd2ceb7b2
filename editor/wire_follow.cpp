#include "editor/wire_follow.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "engine/nets.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

// Points first .. last - 1 of a route, spelled by index so that every
// standard library (the browser build's too) makes the span.
std::span<const BendPoint> part(const WirePoints& pts, size_t first, size_t last) {
    return {pts.data() + first, last - first};
}

using Key = std::pair<int, int>;
Key key(BendPoint p) { return {p.x, p.y}; }
// In 64 bits, kept within 32: a damaged file's far-away corners must not
// overflow (nothing beyond the 16-bit range is ever routed to).
BendPoint shifted(BendPoint p, long long dx, long long dy) {
    auto fit = [](long long v) { return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); };
    return {fit(p.x + dx), fit(p.y + dy)};
}
using NameSet = std::unordered_set<std::string_view>;
using MoveTo = std::function<BendPoint(BendPoint)>;

// A pin that moves, and where its tip was.
struct MovingPin {
    int obj = 0;
    bool input = false;
    int k = 0;
    BendPoint from;
};

int pins_of(int count) { return std::clamp<int>(count, 0, kMaxPins); }

template <class F>
void for_each_pin(const Circuit& c, F f) {
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        for (int k = 0; k < pins_of(o.input_count); ++k) f(i, true, k, input_pin(o, k));
        for (int k = 0; k < pins_of(o.output_count); ++k) f(i, false, k, output_pin(o, k));
    }
}

bool on(BendPoint p, BendPoint a, BendPoint b) { return point_on_segment(p.x, p.y, a.x, a.y, b.x, b.y, 1); }

// Where point p, lying on segment i of the wire, cuts it: on a 45-degree
// segment the point of the line below or above p; on a segment of another
// slope (only a damaged file has one) its far end, so it is kept whole.
WireCut cut_at(const WirePoints& pts, size_t i, BendPoint p) {
    const BendPoint a = pts[i], b = pts[i + 1];
    BendPoint q = p;
    if (a.x != b.x && a.y != b.y) {
        const long long slope = (b.x > a.x) == (b.y > a.y) ? 1 : -1;
        q = straight(a, b) ? shifted({p.x, a.y}, 0, ((long long)p.x - a.x) * slope) : b;
    }
    if (q == b) return {i + 1, b};
    return {i, q};
}

bool before(const WireCut& a, const WireCut& b, const WirePoints& pts) {
    auto run = [&](const WireCut& c) {
        const BendPoint s = pts[c.segment];
        return std::max(std::llabs((long long)c.at.x - s.x), std::llabs((long long)c.at.y - s.y));
    };
    return std::make_pair(a.segment, run(a)) < std::make_pair(b.segment, run(b));
}

FollowPlan plan_follow(const Circuit& c, std::span<const MovingPin> pins, const std::set<Key>& other_moving,
                       const NameSet& moving_names) {
    FollowPlan plan;
    std::set<Key> tips, moving = other_moving;
    std::set<std::tuple<int, bool, int>> moving_pins;
    for (const MovingPin& p : pins) {
        tips.insert(key(p.from));
        moving.insert(key(p.from));
        moving_pins.insert({p.obj, p.input, p.k});
    }
    std::set<Key> staying_pins;
    for_each_pin(c, [&](int i, bool input, int k, BendPoint at) {
        if (!moving_pins.count({i, input, k})) staying_pins.insert(key(at));
    });
    auto moves = [&](const std::string& name) { return moving_names.count(name) != 0; };

    // A tip is held where something that stays attaches to it: another pin,
    // or a junction or test point that a wire passes through.
    std::set<Key> held;
    for (const Key& t : tips) {
        const BendPoint p{t.first, t.second};
        bool junction = false, items = false, passing = false;
        for (int j = 0; j < c.junction_count; ++j)
            if (!moves(c.junctions[j].name) && c.junctions[j].x == p.x && c.junctions[j].y == p.y)
                junction = items = true;
        for (int i = 0; i < c.test_point_count; ++i)
            if (!moves(c.test_points[i].name) && c.test_points[i].x == p.x && c.test_points[i].y == p.y) items = true;
        for (int w = 0; w < c.wire_count && items && !passing; ++w) {
            const MY_LINK& l = c.wires[w];
            passing = !moves(l.name) && point_on_wire(p.x, p.y, l) && BendPoint{l.x1, l.y1} != p &&
                      BendPoint{l.x2, l.y2} != p;
        }
        const bool pin = staying_pins.count(t) != 0;
        if (pin && !junction) plan.blocked = true;  // touching pins: no wire can carry that contact
        if (pin || (items && passing)) held.insert(t);
    }
    for (int j = 0; j < c.junction_count; ++j) {
        const MY_POINT& p = c.junctions[j];
        if (!moves(p.name) && tips.count({p.x, p.y}) && !held.count({p.x, p.y}))
            plan.carried.push_back({true, p.name, {p.x, p.y}});
    }
    for (int t = 0; t < c.test_point_count; ++t) {
        const MY_TEST_POINT& p = c.test_points[t];
        if (!moves(p.name) && tips.count({p.x, p.y}) && !held.count({p.x, p.y}))
            plan.carried.push_back({false, p.name, {p.x, p.y}});
    }

    // Everything that stays and attaches where it lies.
    std::set<Key> carried;
    for (const auto& k : plan.carried) carried.insert(key(k.at));
    std::vector<BendPoint> staying;
    for (int j = 0; j < c.junction_count; ++j)
        if (!moves(c.junctions[j].name) && !carried.count({c.junctions[j].x, c.junctions[j].y}))
            staying.push_back({c.junctions[j].x, c.junctions[j].y});
    for (int t = 0; t < c.test_point_count; ++t)
        if (!moves(c.test_points[t].name) && !carried.count({c.test_points[t].x, c.test_points[t].y}))
            staying.push_back({c.test_points[t].x, c.test_points[t].y});
    for (const Key& k : staying_pins) staying.push_back({k.first, k.second});
    for (int w = 0; w < c.wire_count; ++w) {
        const MY_LINK& l = c.wires[w];
        if (moves(l.name)) continue;
        for (BendPoint e : {BendPoint{l.x1, l.y1}, BendPoint{l.x2, l.y2}})
            if (!moving.count(key(e))) staying.push_back(e);
        const bool start = moving.count({l.x1, l.y1}) != 0, end = moving.count({l.x2, l.y2}) != 0;
        if (start || end) plan.wires.push_back({w, l.name, wire_points(l), start, end, {}, {}});
    }
    std::sort(staying.begin(), staying.end(), [](BendPoint a, BendPoint b) { return a.x < b.x; });

    std::set<Key> stretched;  // held tips a wire is drawn on through
    for (FollowPlan::Wire& f : plan.wires) {
        const WirePoints& pts = f.original;
        const BendPoint s = pts.front(), e = pts.back();
        auto note = [&](WireCut cut) {
            if (!f.first || before(cut, *f.first, pts)) f.first = cut;
            if (!f.last || before(*f.last, cut, pts)) f.last = cut;
        };
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            const BendPoint a = pts[i], b = pts[i + 1];
            auto it = std::lower_bound(staying.begin(), staying.end(), std::min(a.x, b.x),
                                       [](BendPoint p, int x) { return p.x < x; });
            for (; it != staying.end() && it->x <= std::max(a.x, b.x); ++it) {
                // What lies on a moving end is the tip's: held tips are drawn through below.
                if ((f.start && *it == s) || (f.end && *it == e)) continue;
                if (on(*it, a, b)) note(cut_at(pts, i, *it));
            }
        }
        if (f.start && held.count(key(s)) && stretched.insert(key(s)).second) note({0, s});
        if (f.end && held.count(key(e)) && stretched.insert(key(e)).second) note({pts.size() - 1, e});
    }
    for (const Key& t : held)
        if (!stretched.count(t)) plan.blocked = true;  // nothing can carry the contact along
    return plan;
}

// The junctions and test points carried along, put where `to` takes them.
void place_carried(Circuit& c, const FollowPlan& plan, const MoveTo& to) {
    for (const FollowPlan::Carried& k : plan.carried) {
        const int i = k.junction ? find_junction(c, k.name) : find_test_point(c, k.name);
        if (i < 0) continue;
        const BendPoint now = k.junction ? BendPoint{c.junctions[i].x, c.junctions[i].y}
                                         : BendPoint{c.test_points[i].x, c.test_points[i].y};
        const BendPoint goal = to(k.at);
        if (goal != now) move_items(c, std::span<const std::string>(&k.name, 1), goal.x - now.x, goal.y - now.y, 0, 0);
    }
}

WirePoints reversed(WirePoints p) {
    std::reverse(p.begin(), p.end());
    return p;
}

std::optional<WirePoints> route_start(std::span<const BendPoint> kept, std::span<const BendPoint> free,
                                      BendPoint old_start, BendPoint to, const RouteObstacles& around,
                                      std::optional<BendPoint> enter, long long* over) {
    const WirePoints k = reversed({kept.begin(), kept.end()}), f = reversed({free.begin(), free.end()});
    auto r = route_end(k, f, old_start, to, around, enter, over);
    if (r) std::reverse(r->begin(), r->end());
    return r;
}

int sign(long long v) { return (v > 0) - (v < 0); }

// How the wire should enter its end at `from` (the other end of the last
// segment is `inner`) once the pin is turned by `turns` quarter turns
// clockwise: along the pin's turned stroke. Nothing when it is not turned:
// as it entered before.
std::optional<BendPoint> turned_entry(BendPoint inner, BendPoint from, int turns) {
    if (turns % 4 == 0) return std::nullopt;
    BendPoint d{sign((long long)from.x - inner.x), sign((long long)from.y - inner.y)};
    for (int i = 0; i < turns % 4; ++i) d = {-d.y, d.x};
    return d;
}

// The new route of one following wire; nothing when none fits. `whole`:
// a wire whose both ends move by one step may move whole; `turns`: the
// quarter turns of the pins (a drag: none); what it runs over is added to
// `over`.
std::optional<WirePoints> follow_route(const FollowPlan::Wire& f, const MoveTo& to, bool whole, int turns,
                                       const RouteObstacles& around, long long& over) {
    const WirePoints& pts = f.original;
    const size_t m = pts.size();
    const auto start_entry = turned_entry(pts[1], pts[0], turns);
    const auto end_entry = turned_entry(pts[m - 2], pts[m - 1], turns);
    const BendPoint s0 = pts.front(), e0 = pts.back();
    const BendPoint s1 = f.start ? to(s0) : s0, e1 = f.end ? to(e0) : e0;
    if (s1 == s0 && e1 == e0) return pts;
    const std::span<const BendPoint> corners = part(pts, 1, m - 1);
    if (f.start && f.end && !f.first) {
        // Nothing holds the wire between its ends: whole when it can go so.
        const long long dx = (long long)s1.x - s0.x, dy = (long long)s1.y - s0.y;
        if (whole && e1 == shifted(e0, dx, dy)) {
            WirePoints moved;
            bool fits = true;  // a far-away corner may not go further
            for (BendPoint p : pts) {
                moved.push_back(shifted(p, dx, dy));
                fits = fits && coord_ok((long long)p.x + dx) && coord_ok((long long)p.y + dy);
            }
            const auto ends = [&](BendPoint p) { return p == s1 || p == e1; };
            bool joins = !fits;
            for (size_t i = 0; i + 1 < m && !joins; ++i) joins = around.joins(moved[i], moved[i + 1], ends);
            if (!joins) return moved;
        }
        const auto mid = route_end(std::span<const BendPoint>(&s0, 1), corners, e0, e1, around, end_entry, &over);
        if (!mid) return std::nullopt;
        return route_start(std::span<const BendPoint>(&e1, 1), part(*mid, 1, mid->size() - 1), s0, s1, around,
                           start_entry, &over);
    }
    WirePoints now = pts;
    if (f.end) {
        const WireCut cut = f.last.value_or(WireCut{0, s0});
        WirePoints kept(pts.begin(), pts.begin() + std::min(cut.segment + 1, m));
        kept.push_back(cut.at);
        const size_t from = std::min(cut.segment + 1, m - 1);
        auto r = route_end(kept, part(pts, from, m - 1), e0, e1, around, end_entry, &over);
        if (!r) return std::nullopt;
        now = std::move(*r);
    }
    if (f.start) {
        const WireCut cut = f.first.value_or(WireCut{m - 1, e0});
        // Up to the cut the wire is as it was; after it, as the end's route left it.
        WirePoints kept{cut.at};
        kept.insert(kept.end(), now.begin() + std::min(cut.segment + 1, now.size()), now.end());
        const size_t upto = std::min(cut.segment, m - 1) + (pts[std::min(cut.segment, m - 1)] == cut.at ? 0 : 1);
        return route_start(kept, part(pts, std::min<size_t>(1, upto), upto), s0, s1, around,
                           start_entry, &over);
    }
    return now;
}

// The part of a following wire that stays whatever the move: from its
// first to its last cut (all of it when neither end moves).
WirePoints held_part(const FollowPlan::Wire& f) {
    const WirePoints& p = f.original;
    const size_t m = p.size();
    if (f.start && f.end && !f.first) return {};
    const WireCut first = f.start ? f.first.value_or(WireCut{m - 1, p.back()}) : WireCut{0, p.front()};
    const WireCut last = f.end ? f.last.value_or(WireCut{0, p.front()}) : WireCut{m - 1, p.back()};
    WirePoints out{first.at};
    for (size_t i = first.segment + 1; i <= last.segment && i < m; ++i) out.push_back(p[i]);
    if (out.back() != last.at) out.push_back(last.at);
    return out;
}

// Routes every following wire for pins taken to where `to` says, the
// components and carried points being there already. Changes nothing and
// returns false when any wire cannot follow.
bool apply_follow(Circuit& c, const FollowPlan& plan, const MoveTo& to, bool whole, int turns) {
    std::vector<int> index;
    std::unordered_set<int> following;
    for (const FollowPlan::Wire& f : plan.wires) {
        int i = f.index;
        if (i >= c.wire_count || c.wires[i].name != f.name) i = find_wire(c, f.name);
        index.push_back(i);
        following.insert(i);
    }
    RouteObstacles around;
    for (int j = 0; j < c.junction_count; ++j) around.add_joining({c.junctions[j].x, c.junctions[j].y});
    for (int t = 0; t < c.test_point_count; ++t) around.add_joining({c.test_points[t].x, c.test_points[t].y});
    for_each_pin(c, [&](int, bool, int, BendPoint at) { around.add_touching(at); });
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const Rect32& b = o.body_rect;
        around.add_body({o.x + b.left, o.y + b.top, o.x + b.right, o.y + b.bottom});
    }
    for (int w = 0; w < c.wire_count; ++w)
        if (!following.count(w)) around.add_wire(wire_points(c.wires[w]), w);
    for (size_t k = 0; k < plan.wires.size(); ++k) {
        const FollowPlan::Wire& f = plan.wires[k];
        around.add_wire(held_part(f), index[k]);
        around.add_wire(f.original, index[k], true);
        around.add_touching(f.start ? to(f.original.front()) : f.original.front(), index[k]);
        around.add_touching(f.end ? to(f.original.back()) : f.original.back(), index[k]);
    }
    around.finish();

    // One after another, each seeing the routes before it. When one has to
    // run over something, the other order may leave room (wires side by
    // side jog one beside the other only one way round): the better wins.
    const size_t n = plan.wires.size();
    auto route_all = [&](bool backwards, long long& over) -> std::optional<std::vector<WirePoints>> {
        RouteObstacles seen = around;
        std::vector<WirePoints> routes(n);
        for (size_t j = 0; j < n; ++j) {
            const size_t k = backwards ? n - 1 - j : j;
            seen.route_for(index[k]);
            auto r = follow_route(plan.wires[k], to, whole, turns, seen, over);
            if (!r) return std::nullopt;
            seen.add_wire(*r, index[k]);
            routes[k] = std::move(*r);
        }
        return routes;
    };
    long long over = 0;
    auto routes = route_all(false, over);
    if (!routes) return false;
    if (over > 0 && n > 1) {
        long long over_back = 0;
        if (auto back = route_all(true, over_back); back && over_back < over) routes = std::move(back);
    }
    for (size_t i = 0; i < n; ++i)
        if (index[i] >= 0 && (*routes)[i] != wire_points(c.wires[index[i]])) set_wire_points(c, index[i], (*routes)[i]);
    return true;
}

}  // namespace

WirePoints wire_points(const MY_LINK& w) {
    WirePoints p;
    p.push_back({w.x1, w.y1});
    for (int b = 0; b < std::clamp(w.bend_count, 0, kMaxBends); ++b) p.push_back(w.bends[b]);
    p.push_back({w.x2, w.y2});
    return p;
}

namespace {

// Where `p` lies strictly inside the wire's run (not on its two ends): the
// index of the point after it; 0 when it does not. Only straight, 45-degree
// steps count: a junction can only have been drawn on those.
size_t inside_run(const WirePoints& w, BendPoint p) {
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        const long long dx = (long long)w[i + 1].x - w[i].x, dy = (long long)w[i + 1].y - w[i].y;
        const long long px = (long long)p.x - w[i].x, py = (long long)p.y - w[i].y;
        if (px * dy != py * dx) continue;  // not on the segment's line
        if (dx && dy && std::llabs(dx) != std::llabs(dy)) continue;
        const long long along = dx ? px * (dx > 0 ? 1 : -1) : py * (dy > 0 ? 1 : -1);
        const long long length = dx ? std::llabs(dx) : std::llabs(dy);
        if (along < 0 || along > length) continue;
        if ((i == 0 && along == 0) || (i + 2 == w.size() && along == length)) continue;  // an end
        return i + 1;
    }
    return 0;
}

// A selected junction on the run of a wire that stays would leave that wire
// behind, and the branches on the junction with it. The wire is cut in two
// there, so that both halves end on the junction and go with it as every
// wire ending on a moved junction does.
void cut_wires_at_moving_junctions(Circuit& c, const NameSet& selected) {
    for (int j = 0; j < c.junction_count; ++j) {
        if (!selected.count(c.junctions[j].name)) continue;
        const BendPoint at{c.junctions[j].x, c.junctions[j].y};
        for (int w = 0; w < c.wire_count; ++w) {
            if (selected.count(c.wires[w].name)) continue;
            const WirePoints points = wire_points(c.wires[w]);
            const size_t after = inside_run(points, at);
            if (after == 0) continue;
            WirePoints first(points.begin(), points.begin() + after), second{at};
            if (first.back() != at) first.push_back(at);
            second.insert(second.end(), points.begin() + after + (points[after] == at ? 1 : 0), points.end());
            set_wire_points(c, w, first);
            const int added = add_wire(c, second.front(), second.back(),
                                       std::span<const BendPoint>(second).subspan(1, second.size() - 2));
            if (added < 0) set_wire_points(c, w, points);  // the table is full: the wire stays whole
        }
    }
}

}  // namespace

bool WireFollow::begin(Circuit& c) {
    end(c);
    started_ = true;
    const NameSet selected(c.selection.begin(), c.selection.end());
    cut_wires_at_moving_junctions(c, selected);
    std::vector<MovingPin> pins;
    for_each_pin(c, [&](int i, bool input, int k, BendPoint at) {
        if (selected.count(c.objects[i].name)) pins.push_back({i, input, k, at});
    });
    std::set<Key> junctions;  // selected junctions take the wires ending on them
    for (int j = 0; j < c.junction_count; ++j)
        if (selected.count(c.junctions[j].name)) junctions.insert({c.junctions[j].x, c.junctions[j].y});
    plan_ = plan_follow(c, pins, junctions, selected);
    for (const auto& k : plan_.carried) c.moving_along.push_back(k.name);
    for (const auto& f : plan_.wires) c.moving_along.push_back(f.name);
    return !c.moving_along.empty();
}

bool WireFollow::step(Circuit& c, int dx, int dy) {
    if (!started_ || (dx == 0 && dy == 0)) return true;
    if (plan_.blocked) return false;
    const int tx = total_dx_ + dx, ty = total_dy_ + dy;
    place_carried(c, plan_, [&](BendPoint p) { return shifted(p, tx, ty); });
    if (!apply_follow(c, plan_, [&](BendPoint p) { return shifted(p, tx, ty); }, true, 0)) {
        place_carried(c, plan_, [&](BendPoint p) { return shifted(p, total_dx_, total_dy_); });
        return false;
    }
    total_dx_ = tx, total_dy_ = ty;
    return true;
}

void WireFollow::end(Circuit& c) {
    started_ = false;
    total_dx_ = total_dy_ = 0;
    plan_ = FollowPlan{};
    c.moving_along.clear();
}

bool rotate_items_with_wires(Circuit& c, std::span<const std::string> names, int direction) {
    const NameSet listed(names.begin(), names.end());
    std::vector<MovingPin> before;
    for_each_pin(c, [&](int i, bool input, int k, BendPoint at) {
        if (listed.count(c.objects[i].name)) before.push_back({i, input, k, at});
    });
    rotate_items(c, names, direction);
    std::map<Key, BendPoint> moved;  // a tip's place before the turn -> after
    std::vector<MovingPin> pins;
    bool torn = false;  // two pins on one place going different ways
    for (const MovingPin& p : before) {
        const MY_BASE_OBJ& o = c.objects[p.obj];
        const BendPoint after = p.input ? input_pin(o, p.k) : output_pin(o, p.k);
        if (after == p.from) continue;
        pins.push_back(p);
        const auto [it, fresh] = moved.emplace(key(p.from), after);
        if (!fresh && it->second != after) torn = true;
    }
    if (moved.empty()) return true;
    const FollowPlan plan = plan_follow(c, pins, {}, {});
    const MoveTo to = [&](BendPoint p) {
        const auto m = moved.find(key(p));
        return m == moved.end() ? p : m->second;
    };
    if (!torn && !plan.blocked) {
        place_carried(c, plan, to);
        if (apply_follow(c, plan, to, false, direction == 0 ? 1 : 3)) return true;
        place_carried(c, plan, [](BendPoint p) { return p; });
    }
    rotate_items(c, names, 1 - direction);
    return false;
}

}  // namespace vorlisk
