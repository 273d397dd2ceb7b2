#include "render/view_hints.h"

#include <algorithm>
#include <cmath>

#include "render/bounds_surface.h"

namespace vorlisk {

namespace {

struct ScreenPoint {
    double x, y;
};

// The middle of canvas pixel p on the screen: a ring round a pin's tip
// stands even on both sides of its stroke.
ScreenPoint centre_of(Point p, const ScreenMapping& v) {
    return {(p.x() + 0.5 - v.origin_x) * v.zoom, (p.y() + 0.5 - v.origin_y) * v.zoom};
}

int units(double screen) { return int(std::lround(screen * kHintUnits)); }

double ring_radius(double zoom) { return std::max(kHintRingRadius * zoom, kHintRingMinRadius); }
double touch_radius(double zoom) { return std::max(kHintTouchRadius * zoom, kHintTouchMinRadius); }

// A circle of `radius` about c, its stroke `pen` wide centred on it.
void circle(PaintSurface& s, ScreenPoint c, double radius, double pen) {
    const double outer = radius + pen / 2;
    s.set_pen_width(units(pen));
    s.ellipse(units(c.x - outer), units(c.y - outer), units(c.x + outer), units(c.y + outer));
}

// A 1-pixel dashed frame on whole screen pixels, columns l..r and rows
// t..b: each pixel once, clockwise from the top-left corner, the dashes
// running on round the corners. A dash is a filled box, so it stays crisp.
void dashed_frame(PaintSurface& s, int l, int t, int r, int b) {
    int n = 0;
    auto side = [&](int x, int y, int dx, int dy, int count) {
        int from_x = 0, from_y = 0;
        bool open = false;
        auto close = [&](int to_x, int to_y) {
            s.rectangle(std::min(from_x, to_x) * kHintUnits, std::min(from_y, to_y) * kHintUnits,
                        (std::max(from_x, to_x) + 1) * kHintUnits, (std::max(from_y, to_y) + 1) * kHintUnits);
            open = false;
        };
        for (int i = 0; i < count; ++i, ++n, x += dx, y += dy) {
            const bool on = n % (kHintDashOn + kHintDashOff) < kHintDashOn;
            if (on && !open) from_x = x, from_y = y, open = true;
            if (!on && open) close(x - dx, y - dy);
        }
        if (open) close(x - dx, y - dy);
    };
    side(l, t, 1, 0, r - l + 1);
    side(r, t + 1, 0, 1, b - t);
    if (b > t) side(r - 1, b, -1, 0, r - l);
    if (r > l) side(l, b - 1, 0, -1, b - t - 1);
}

}  // namespace

void draw_view_hints(PaintSurface& s, const ViewHints& hints, const ScreenMapping& view) {
    if (const auto& o = hints.outline) {
        const int l = int(std::lround((std::min(o->left, o->right) - view.origin_x) * view.zoom));
        const int r = int(std::lround((std::max(o->left, o->right) - view.origin_x) * view.zoom));
        const int t = int(std::lround((std::min(o->top, o->bottom) - view.origin_y) * view.zoom));
        const int b = int(std::lround((std::max(o->top, o->bottom) - view.origin_y) * view.zoom));
        s.set_pen(kHintOutlineColour, 1);
        s.set_brush(kHintOutlineColour);
        dashed_frame(s, l, t, r, b);
    }
    s.clear_brush();
    if (!hints.touches.empty()) {
        const double radius = touch_radius(view.zoom), arm = radius * kHintTouchCross;
        const double pen = view.zoom >= 2 ? kHintTouchPenZoomed : kHintTouchPen;
        s.set_pen_color(kHintTouchColour);
        for (Point m : hints.touches) {
            const ScreenPoint c = centre_of(m, view);
            circle(s, c, radius, pen);
            s.line(units(c.x - arm), units(c.y - arm), units(c.x + arm), units(c.y + arm));
            s.line(units(c.x - arm), units(c.y + arm), units(c.x + arm), units(c.y - arm));
        }
    }
    if (hints.ring) {
        s.set_pen_color(kHintRingColour);
        circle(s, centre_of(*hints.ring, view), ring_radius(view.zoom), kHintRingPen);
    }
    s.set_pen(kBlack, 1);
    s.set_brush(kWhite);
    s.end();
}

Rect view_hints_area(const ViewHints& hints, const ScreenMapping& view) {
    BoundsSurface bounds(false);
    draw_view_hints(bounds, hints, view);
    const std::optional<Extent64>& e = bounds.extent();
    if (!e) return {};
    auto down = [](long long u) { return int(std::floor(double(u) / kHintUnits)); };
    auto up = [](long long u) { return int(std::ceil(double(u) / kHintUnits)); };
    // A pixel more on each side for smoothed edges and square line ends.
    return Rect(Point(down(e->left) - 1, down(e->top) - 1), Point(up(e->right), up(e->bottom)));
}

bool on_touch_mark(const ViewHints& hints, const ScreenMapping& view, Point p) {
    const ScreenPoint at = centre_of(p, view);
    const double reach = touch_radius(view.zoom) + kHintTouchReach;
    return std::any_of(hints.touches.begin(), hints.touches.end(), [&](Point m) {
        const ScreenPoint c = centre_of(m, view);
        return std::hypot(c.x - at.x, c.y - at.y) <= reach;
    });
}

}  // namespace vorlisk
