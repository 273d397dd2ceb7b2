// The eight pictures the drawers put on level controllers, pulse sources and
// the hardware interface devices. They are painted on a pure blue background,
// which is left out when a picture is copied onto the canvas.
#pragma once

#include <QImage>
#include <cstdint>

namespace vorlisk {

constexpr int32_t kPictureBackground = 0xff0000;  // blue as 0x00BBGGRR

struct Pictures {
    QImage level_high;         // 41 x 41: a red-boxed "H" above a black "L"
    QImage level_low;          // 41 x 41: a grey "H" above a black-boxed "L"
    QImage pulse_continuous;   // 61 x 61: a square pulse above "CP"
    QImage pulse_preset;       // 61 x 61: a square pulse above "N"
    QImage input_vertical;     // 41 x 91: board, green arrow down, computer
    QImage input_horizontal;   // 91 x 41: board, green arrow right, computer
    QImage output_vertical;    // 41 x 91: computer, red arrow down, board
    QImage output_horizontal;  // 91 x 41: computer, red arrow right, board
};

// Paints the eight pictures (also used by tests and vorlisk-sim without a window).
Pictures paint_pictures();

}  // namespace vorlisk
