#include "render/bounds_surface.h"

#include <algorithm>

#include "render/pictures.h"

namespace vorlisk {

void BoundsSurface::add(long long left, long long top, long long right, long long bottom) {
    if (right <= left || bottom <= top) return;
    if (!extent_) {
        extent_ = Extent64{left, top, right, bottom};
        return;
    }
    extent_->left = std::min(extent_->left, left), extent_->top = std::min(extent_->top, top);
    extent_->right = std::max(extent_->right, right), extent_->bottom = std::max(extent_->bottom, bottom);
}

void BoundsSurface::add_point(long long x, long long y) {
    const long long w = pen_width_, from = -(w / 2);
    add(x + from, y + from, x + from + w, y + from + w);
}

void BoundsSurface::line(int x1, int y1, int x2, int y2) {
    // The end point is left out, but only a line of no length paints nothing.
    if (x1 == x2 && y1 == y2) return;
    add_point(x1, y1);
    add_point(x2, y2);
}

void BoundsSurface::polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    for (const Point& p : points) add_point(p.x(), p.y());
}

void BoundsSurface::rectangle(int left, int top, int right, int bottom) {
    const long long l = std::min(left, right), r = std::max(left, right);
    const long long t = std::min(top, bottom), b = std::max(top, bottom);
    if (r == l || b == t) return;
    // A wide pen is centred on the 1-pixel outline.
    const long long w = pen_width_, out = w / 2, in = w - 1 - w / 2;
    add(l - out, t - out, r + in, b + in);
}

void BoundsSurface::ellipse(int left, int top, int right, int bottom) {
    add(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

void BoundsSurface::pixel(int x, int y, int32_t) { add(x, y, (long long)x + 1, (long long)y + 1); }

void BoundsSurface::text(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    const TextBox box = measure(font_, utf8);
    add(x, y, (long long)x + box.width, (long long)y + box.height);
}

void BoundsSurface::text_up(int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;
    const TextBox box = measure(font_, utf8);
    add(x, (long long)y - box.width, (long long)x + box.height, y);
}

void BoundsSurface::picture(int x, int y, const PixelPicture& picture, int32_t) {
    add(x, y, (long long)x + picture.width, (long long)y + picture.height);
}

}  // namespace vorlisk
