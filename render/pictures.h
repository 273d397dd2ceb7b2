// The eight pictures the drawers put on level controllers, pulse sources and
// the hardware interface devices, as plain pixels: data of the render core,
// loaded once. They are painted on a pure blue background, which is left
// out when a picture is copied onto the canvas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vorlisk {

constexpr int32_t kPictureBackground = 0xff0000;  // blue as 0x00BBGGRR

struct PixelPicture {
    int id = -1;  // its place in Pictures (0 .. 7): how a command list names it
    int width = 0, height = 0;
    std::vector<int32_t> pixels;  // 0x00BBGGRR, row by row
    bool empty() const { return pixels.empty(); }
    int32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct Pictures {
    PixelPicture level_high;         // 41 x 41: a red-boxed "H" above a black "L"
    PixelPicture level_low;          // 41 x 41: a grey "H" above a black-boxed "L"
    PixelPicture pulse_continuous;   // 61 x 61: a square pulse above "CP"
    PixelPicture pulse_preset;       // 61 x 61: a square pulse above "N"
    PixelPicture input_vertical;     // 41 x 91: board, green arrow down, computer
    PixelPicture input_horizontal;   // 91 x 41: board, green arrow right, computer
    PixelPicture output_vertical;    // 41 x 91: computer, red arrow down, board
    PixelPicture output_horizontal;  // 91 x 41: computer, red arrow right, board

    // By id; null past the last.
    const PixelPicture* by_id(int id) const;
};

// The eight pictures, made from their data at the first call.
const Pictures& component_pictures();

}  // namespace vorlisk
