// A surface that paints nothing and keeps the extent of what would be
// painted, by the pixel rules of paint_surface.h: the crop of a picture is
// exactly what the drawers draw, with no geometry of its own to keep in step
// with them. Kept in 64 bits: a damaged file's positions plus offsets may
// pass what an int holds.
#pragma once

#include <cstdint>
#include <optional>

#include "render/paint_surface.h"

namespace vorlisk {

struct Extent64 {
    long long left = 0, top = 0, right = 0, bottom = 0;  // right and bottom: one past the last pixel
};

class BoundsSurface : public PaintSurface {
public:
    // As the output it stands for: pixel-exact or not (round marks differ).
    explicit BoundsSurface(bool pixel_exact = true) : exact_(pixel_exact) {}

    // What was painted since the start; none when nothing was.
    const std::optional<Extent64>& extent() const { return extent_; }

    void line(int x1, int y1, int x2, int y2) override;
    void polyline(std::span<const Point> points) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void pixel(int x, int y, int32_t color) override;
    void text(int x, int y, std::string_view utf8) override;
    void text_up(int x, int y, std::string_view utf8) override;
    void picture(int x, int y, const PixelPicture& picture, int32_t transparent) override;
    bool pixel_exact() const override { return exact_; }

private:
    void add(long long left, long long top, long long right, long long bottom);
    // A stroke through (x, y): the pen reaches w/2 up and left of it.
    void add_point(long long x, long long y);

    bool exact_;
    std::optional<Extent64> extent_;
};

}  // namespace vorlisk
