// Points and rectangles of canvas pixels for the drawers and the surfaces.
// A rectangle holds its first and last column and row (both inside), as
// the window's toolkit counts them, so the window hands its rectangles and
// points over as they are: anything with x() and y(), or left(), top(),
// right() and bottom(), converts.
#pragma once

#include <algorithm>

namespace vorlisk {

struct Point {
    int px = 0, py = 0;
    constexpr Point() = default;
    constexpr Point(int x, int y) : px(x), py(y) {}
    template <class P>
        requires requires(const P& p) { int(p.x()), int(p.y()); }
    constexpr Point(const P& p) : px(int(p.x())), py(int(p.y())) {}
    constexpr int x() const { return px; }
    constexpr int y() const { return py; }
    constexpr bool operator==(const Point&) const = default;
};

class Rect {
public:
    constexpr Rect() = default;  // empty
    constexpr Rect(Point top_left, Point bottom_right)
        : l_(top_left.x()), t_(top_left.y()), r_(bottom_right.x()), b_(bottom_right.y()) {}
    constexpr Rect(int x, int y, int width, int height) : l_(x), t_(y), r_(x + width - 1), b_(y + height - 1) {}
    template <class R>
        requires requires(const R& r) { int(r.left()), int(r.top()), int(r.right()), int(r.bottom()); }
    constexpr Rect(const R& r) : l_(r.left()), t_(r.top()), r_(r.right()), b_(r.bottom()) {}

    constexpr int left() const { return l_; }
    constexpr int top() const { return t_; }
    constexpr int right() const { return r_; }
    constexpr int bottom() const { return b_; }
    constexpr int width() const { return r_ - l_ + 1; }
    constexpr int height() const { return b_ - t_ + 1; }
    constexpr Point topLeft() const { return {l_, t_}; }
    constexpr bool isEmpty() const { return l_ > r_ || t_ > b_; }
    constexpr Rect adjusted(int dl, int dt, int dr, int db) const {
        Rect r = *this;
        r.l_ += dl, r.t_ += dt, r.r_ += dr, r.b_ += db;
        return r;
    }
    constexpr bool intersects(const Rect& o) const {
        return !isEmpty() && !o.isEmpty() && std::max(l_, o.l_) <= std::min(r_, o.r_) &&
               std::max(t_, o.t_) <= std::min(b_, o.b_);
    }
    constexpr Rect intersected(const Rect& o) const {
        Rect r({std::max(l_, o.l_), std::max(t_, o.t_)}, {std::min(r_, o.r_), std::min(b_, o.b_)});
        return r.isEmpty() ? Rect() : r;
    }
    constexpr Rect united(const Rect& o) const {
        if (isEmpty()) return o;
        if (o.isEmpty()) return *this;
        return Rect({std::min(l_, o.l_), std::min(t_, o.t_)}, {std::max(r_, o.r_), std::max(b_, o.b_)});
    }
    constexpr Rect& operator|=(const Rect& o) { return *this = united(o); }
    constexpr bool operator==(const Rect&) const = default;

private:
    int l_ = 0, t_ = 0, r_ = -1, b_ = -1;
};

}  // namespace vorlisk
