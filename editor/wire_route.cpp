#include "editor/wire_route.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <tuple>

#include "engine/nets.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

constexpr long long kGrid = 10;
constexpr long long kSpread = 12;  // grid steps tried either side of a jog in the middle
// What a route costs: whatever looks joined outweighs everything else; then
// crossing a component's body, a hairpin turn or a narrow U, entering the end across the
// pin's stroke, dropping a corner the user drew (the way around something
// is kept), leaving the cut sideways, each corner, each 45-degree segment.
constexpr int kTouchCost = 1000, kBodyCost = 200, kAcuteCost = 30, kEnterCost = 25, kDroppedCost = 15,
              kLeaveCost = 15, kCornerCost = 10, kDiagonalCost = 3;

int sign(long long v) { return (v > 0) - (v < 0); }
BendPoint dir(BendPoint a, BendPoint b) { return {sign((long long)b.x - a.x), sign((long long)b.y - a.y)}; }
bool none(BendPoint d) { return d.x == 0 && d.y == 0; }
BendPoint reverse(BendPoint d) { return {-d.x, -d.y}; }
long long run(BendPoint a, BendPoint b) {
    return std::max(std::llabs((long long)b.x - a.x), std::llabs((long long)b.y - a.y));
}
bool on(BendPoint p, BendPoint a, BendPoint b) { return point_on_segment(p.x, p.y, a.x, a.y, b.x, b.y, 1); }

bool on_route(BendPoint p, std::span<const BendPoint> points) {
    if (points.size() == 1) return p == points[0];
    for (size_t i = 0; i + 1 < points.size(); ++i)
        if (on(p, points[i], points[i + 1])) return true;
    return false;
}

// Whether two segments lie on one line and share a stretch of some length.
bool runs_along(BendPoint a, BendPoint b, BendPoint c, BendPoint d) {
    const BendPoint u = dir(a, b), v = dir(c, d);
    if (none(u) || !(v == u || v == reverse(u))) return false;
    auto off_line = [&](BendPoint p) { return ((long long)p.x - a.x) * u.y - ((long long)p.y - a.y) * u.x != 0; };
    if (off_line(c) || off_line(d)) return false;
    auto along = [&](BendPoint p) { return ((long long)p.x - a.x) * u.x + ((long long)p.y - a.y) * u.y; };
    const long long lo = std::max(std::min(along(a), along(b)), std::min(along(c), along(d)));
    const long long hi = std::min(std::max(along(a), along(b)), std::max(along(c), along(d)));
    return hi > lo;
}

// A point from 64-bit sums: a damaged file's far-away corners must not
// overflow; what lies beyond the 16-bit range is refused later anyway.
BendPoint point(long long x, long long y) {
    auto fit = [](long long v) { return int32_t(std::clamp<long long>(v, INT32_MIN, INT32_MAX)); };
    return {fit(x), fit(y)};
}

// The routes of one corner from a to b: along one axis then the other, or
// 45 degrees first or last.
std::array<BendPoint, 4> corners(BendPoint a, BendPoint b) {
    const long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
    const long long m = std::min(std::llabs(dx), std::llabs(dy));
    const int sx = sign(dx), sy = sign(dy);
    return {BendPoint{a.x, b.y}, BendPoint{b.x, a.y}, point(a.x + m * sx, a.y + m * sy),
            point(b.x - m * sx, b.y - m * sy)};
}

// Runs worth trying along direction e from q towards `to`: half the way
// first (a jog in the middle), then a grid step or two from either side,
// then `extra` (the run the wire had there). `spread`: also the grid steps
// round the middle, nearest first, so that wires side by side can jog one
// beside the other.
std::vector<int> runs_towards(BendPoint q, BendPoint to, BendPoint e, long long extra, bool spread) {
    const long long dx = (long long)to.x - q.x, dy = (long long)to.y - q.y;
    const long long along = (e.x && e.y) ? std::min(dx * e.x, dy * e.y) : dx * e.x + dy * e.y;
    std::vector<int> out;
    auto add = [&](long long v) {
        if (v > 0 && v <= INT_MAX / 4 && std::find(out.begin(), out.end(), int(v)) == out.end()) out.push_back(int(v));
    };
    const long long half = along / 2 / kGrid * kGrid;
    add(half);
    add(kGrid);
    add(2 * kGrid);
    add(along - kGrid);
    add(along - 2 * kGrid);
    add(extra);
    for (long long k = 1; spread && k <= kSpread; ++k) add(half - k * kGrid), add(half + k * kGrid);
    return out;
}

BendPoint step(BendPoint p, BendPoint e, long long n) { return point(p.x + e.x * n, p.y + e.y * n); }

struct Choice {
    WirePoints path;
    size_t tail_from = 0;  // path[tail_from..] follow the cut
    int cost = 0;
    long long length = 0;
    int order = 0;
};

}  // namespace

bool straight(BendPoint a, BendPoint b) {
    const long long dx = std::llabs((long long)b.x - a.x), dy = std::llabs((long long)b.y - a.y);
    return dx == 0 || dy == 0 || dx == dy;
}

namespace {

bool by_x(BendPoint a, BendPoint b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); }

// Calls f(i) for the points of `sorted` (by x, through `at`) lying on a-b.
template <class V, class At, class F>
void for_points_on(const V& sorted, At at, BendPoint a, BendPoint b, F f) {
    const int x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    auto it = std::lower_bound(sorted.begin(), sorted.end(), x0, [&](const auto& p, int x) { return at(p).x < x; });
    for (; it != sorted.end() && at(*it).x <= x1; ++it)
        if (on(at(*it), a, b)) f(*it);
}

}  // namespace

void RouteObstacles::add_touching(BendPoint p, int owner) {
    const Point q{p, owner};
    if (!finished_) touching_.push_back(q);
    else touching_.insert(std::upper_bound(touching_.begin(), touching_.end(), q,
                                           [](const Point& a, const Point& b) { return by_x(a.at, b.at); }),
                          q);
}

namespace {

constexpr long long kCell = 64;
long long cell(long long v) { return v >= 0 ? v / kCell : (v - kCell + 1) / kCell; }
uint64_t cell_key(long long x, long long y) { return (uint64_t(uint32_t(x)) << 32) | uint32_t(y); }

}  // namespace

void RouteObstacles::add_wire(std::span<const BendPoint> points, int owner, bool was) {
    for (size_t i = 0; i < points.size(); ++i) {
        if (!was) add_touching(points[i], owner);
        if (i + 1 == points.size()) break;
        const BendPoint a = points[i], b = points[i + 1];
        const int id = int(segments_.size());
        segments_.push_back({a, b, owner, was});
        seen_.push_back(0);
        const long long x0 = cell(std::min(a.x, b.x) - 1LL), x1 = cell(std::max(a.x, b.x) + 1LL);
        const long long y0 = cell(std::min(a.y, b.y) - 1LL), y1 = cell(std::max(a.y, b.y) + 1LL);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > 64) {
            long_.push_back(id);
            continue;
        }
        for (long long x = x0; x <= x1; ++x)
            for (long long y = y0; y <= y1; ++y) cells_[cell_key(x, y)].push_back(id);
    }
}

// Calls f(segment) once for every segment whose box meets the box of a-b
// (and for a few more).
template <class F>
void RouteObstacles::for_segments_near(BendPoint a, BendPoint b, F f) const {
    ++query_;
    auto visit = [&](int id) {
        if (seen_[id] == query_) return;
        seen_[id] = query_;
        if (segments_[id].owner != self_) f(segments_[id]);
    };
    const long long x0 = cell(std::min(a.x, b.x) - 1LL), x1 = cell(std::max(a.x, b.x) + 1LL);
    const long long y0 = cell(std::min(a.y, b.y) - 1LL), y1 = cell(std::max(a.y, b.y) + 1LL);
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > 256) {
        for (size_t id = 0; id < segments_.size(); ++id) visit(int(id));
        return;
    }
    for (long long x = x0; x <= x1; ++x)
        for (long long y = y0; y <= y1; ++y)
            if (auto it = cells_.find(cell_key(x, y)); it != cells_.end())
                for (int id : it->second) visit(id);
    for (int id : long_) visit(id);
}

void RouteObstacles::finish() {
    std::sort(joining_.begin(), joining_.end(), by_x);
    std::sort(touching_.begin(), touching_.end(), [](const Point& a, const Point& b) { return by_x(a.at, b.at); });
    finished_ = true;
}

bool RouteObstacles::joins(BendPoint a, BendPoint b, const Exempt& exempt) const {
    bool any = false;
    for_points_on(joining_, [](BendPoint p) { return p; }, a, b, [&](BendPoint p) { any = any || !exempt(p); });
    return any;
}

int RouteObstacles::touches(BendPoint a, BendPoint b, const Exempt& exempt) const {
    int n = 0;
    for_points_on(touching_, [](const Point& p) { return p.at; }, a, b,
                  [&](const Point& p) { n += p.owner != self_ && !exempt(p.at) ? kTouchCost : 0; });
    for_segments_near(a, b, [&](const Segment& s) { n += runs_along(a, b, s.a, s.b) ? cost_of(s) : 0; });
    return n;
}

int RouteObstacles::cost_of(const Segment& s) { return s.was ? kTouchCost / 10 : kTouchCost; }

int RouteObstacles::lies_on(BendPoint p) const {
    int n = 0;
    for_segments_near(p, p, [&](const Segment& s) { n += on(p, s.a, s.b) ? cost_of(s) : 0; });
    return n;
}

int RouteObstacles::crosses(BendPoint a, BendPoint b) const {
    const long long x0 = std::min(a.x, b.x), x1 = std::max(a.x, b.x);
    const long long y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
    int n = 0;
    for (const Rect32& r : bodies_) {
        // The x values where the segment is strictly inside the box, as an open interval.
        long long lo = r.left, hi = r.right;
        if (a.y == b.y) {
            if (!(r.top < a.y && a.y < r.bottom)) continue;
        } else if (a.x == b.x) {
            if (!(std::max<long long>(y0, r.top) < std::min<long long>(y1, r.bottom))) continue;
            if (!(r.left < a.x && a.x < r.right)) continue;
            ++n;
            continue;
        } else {
            // y = s x + k on a 45-degree segment
            const long long s = (b.x > a.x) == (b.y > a.y) ? 1 : -1, k = a.y - s * a.x;
            const long long l2 = s > 0 ? r.top - k : k - r.bottom, h2 = s > 0 ? r.bottom - k : k - r.top;
            lo = std::max(lo, l2), hi = std::min(hi, h2);
        }
        if (lo < hi && lo < x1 && x0 < hi) ++n;
    }
    return n;
}

std::optional<WirePoints> route_end(std::span<const BendPoint> kept_in, std::span<const BendPoint> free,
                                    BendPoint old_end, BendPoint to, const RouteObstacles& around,
                                    std::optional<BendPoint> enter_along, long long* over) {
    WirePoints kept;
    for (BendPoint p : kept_in)
        if (kept.empty() || kept.back() != p) kept.push_back(p);
    if (kept.empty()) return std::nullopt;
    const BendPoint at = kept.back();
    const size_t lock = kept.size() - 1;  // the cut's index: points before it never change
    const size_t n = free.size();
    // How the wire went through the cut and into its end.
    const BendPoint came = lock > 0 ? dir(kept[lock - 1], at) : BendPoint{};
    const BendPoint went = dir(at, n ? free.front() : old_end);
    const BendPoint last_from = n ? free.back() : at;
    BendPoint enter = enter_along.value_or(dir(last_from, old_end));
    if (none(enter)) enter = came;  // the end was at the cut: on as the wire came

    std::vector<Choice> choices;
    auto consider = [&](size_t keep, std::initializer_list<BendPoint> tail) {
        WirePoints path = kept;
        auto push = [&](BendPoint q) {
            if (path.back() == q) return;
            // A corner on the straight line through its neighbours says nothing.
            if (path.size() >= 2 && path.size() - 1 >= std::max<size_t>(lock, 1) &&
                dir(path[path.size() - 2], path.back()) == dir(path.back(), q))
                path.pop_back();
            path.push_back(q);
        };
        for (size_t i = 0; i < keep; ++i) push(free[i]);
        for (BendPoint q : tail) push(q);
        if (path.size() < 2 || path.size() - 2 > size_t(kMaxBends)) return;
        Choice ch;
        ch.tail_from = (path.size() > lock && path[lock] == at) ? lock + 1 : lock;
        BendPoint prev = at;
        for (size_t i = ch.tail_from; i < path.size(); ++i) {
            const BendPoint q = path[i];
            if (q == prev || !straight(prev, q) || !coord_ok(q.x) || !coord_ok(q.y)) return;
            ch.cost += (q.x != prev.x && q.y != prev.y) ? kDiagonalCost : 0;
            ch.length += run(prev, q);
            prev = q;
        }
        for (size_t i = std::max<size_t>(lock, 1); i + 1 < path.size(); ++i) {
            const BendPoint d1 = dir(path[i - 1], path[i]), d2 = dir(path[i], path[i + 1]);
            if (d2 == reverse(d1)) return;  // straight back along itself
            if (d1.x * d2.x + d1.y * d2.y < 0) ch.cost += kAcuteCost;
            // A narrow U looks like the wire going back along itself too.
            if (i + 2 < path.size() && dir(path[i + 1], path[i + 2]) == reverse(d1) &&
                run(path[i], path[i + 1]) <= 2 * kGrid)
                ch.cost += kAcuteCost;
        }
        ch.cost += kCornerCost * int(path.size() - 2);
        if (!none(enter) && dir(path[path.size() - 2], path.back()) != enter) ch.cost += kEnterCost;
        if (ch.tail_from < path.size()) {
            const BendPoint leave = dir(at, path[ch.tail_from]);
            if ((!none(came) || !none(went)) && leave != came && leave != went) ch.cost += kLeaveCost;
        }
        ch.cost += kDroppedCost * int(n - keep);
        ch.order = int(choices.size());
        ch.path = std::move(path);
        choices.push_back(std::move(ch));
    };
    // Every route from the corner `keep` corners after the cut (or the cut itself) to `to`.
    auto routes_from = [&](size_t keep) {
        const BendPoint q = keep ? free[keep - 1] : at;
        const BendPoint next = keep < n ? free[keep] : old_end;
        const BendPoint into_q = keep ? dir(keep >= 2 ? free[keep - 2] : at, q) : came;
        consider(keep, {to});
        for (BendPoint c : corners(q, to)) consider(keep, {c, to});
        // Out of q as the wire came or went on, or to either side (to come
        // back behind q).
        std::vector<BendPoint> leaving;
        for (BendPoint e : {into_q, dir(q, next)})
            for (BendPoint d : {e, BendPoint{-e.y, e.x}, BendPoint{e.y, -e.x}})
                if (!none(d) && std::find(leaving.begin(), leaving.end(), d) == leaving.end()) leaving.push_back(d);
        for (BendPoint e : leaving) {
            const bool ahead = e == into_q || e == dir(q, next);
            for (int a : runs_towards(q, to, e, run(q, next), ahead)) {
                const BendPoint m = step(q, e, a);
                consider(keep, {m, to});
                for (BendPoint c : corners(m, to)) consider(keep, {m, c, to});
            }
        }
        if (!none(enter)) {
            for (int b : runs_towards(q, to, enter, run(last_from, old_end), true)) {
                const BendPoint m = step(to, enter, -b);
                consider(keep, {m, to});
                for (BendPoint c : corners(q, m)) consider(keep, {c, m, to});
            }
        }
    };

    const auto exempt = [&](BendPoint p) { return p == to || on_route(p, kept); };
    auto best_of = [&]() -> std::optional<WirePoints> {
        std::sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
            return std::tie(a.cost, a.length, a.order) < std::tie(b.cost, b.length, b.order);
        });
        const Choice* best = nullptr;
        long long best_total = LLONG_MAX;
        for (const Choice& ch : choices) {
            if (ch.cost >= best_total) break;  // what runs over things only adds
            bool joined = false;
            long long touched = 0;
            BendPoint prev = at;
            for (size_t i = ch.tail_from; i < ch.path.size() && !joined; ++i) {
                joined = around.joins(prev, ch.path[i], exempt);
                touched += around.touches(prev, ch.path[i], exempt);
                touched += kBodyCost * around.crosses(prev, ch.path[i]);
                // A new corner on another wire looks like a T.
                if (i + 1 < ch.path.size()) touched += around.lies_on(ch.path[i]);
                prev = ch.path[i];
            }
            if (joined) continue;
            const long long total = ch.cost + touched;
            if (total < best_total) best = &ch, best_total = total;
        }
        if (!best) return std::nullopt;
        if (over) *over += best_total - best->cost;
        return best->path;
    };

    // Keeping the corners after the cut first; dropping more of them only
    // when nothing fits (a wire full of corners, or every route blocked).
    for (size_t keep = n + 1; keep-- > 0;)
        if (keep + 3 >= n || keep == 0) routes_from(keep);
    if (auto r = best_of()) return r;
    choices.clear();
    for (size_t keep = 1; keep + 3 < n; ++keep) routes_from(keep);
    return best_of();
}

}  // namespace vorlisk
