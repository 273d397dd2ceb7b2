#include "render/pictures.h"

#include <span>

#include "render/picture_data.cpp.inc"

namespace vorlisk {

namespace {

PixelPicture unpack(int id, int width, int height, std::span<const uint32_t> runs) {
    PixelPicture p;
    p.id = id;
    p.width = width;
    p.height = height;
    p.pixels.reserve(size_t(width) * size_t(height));
    for (size_t i = 0; i + 1 < runs.size(); i += 2) p.pixels.insert(p.pixels.end(), runs[i], int32_t(runs[i + 1]));
    p.pixels.resize(size_t(width) * size_t(height), kPictureBackground);
    return p;
}

}  // namespace

const PixelPicture* Pictures::by_id(int id) const {
    const PixelPicture* all[] = {&level_high,     &level_low,        &pulse_continuous, &pulse_preset,
                                 &input_vertical, &input_horizontal, &output_vertical,  &output_horizontal};
    return id >= 0 && id < 8 ? all[id] : nullptr;
}

const Pictures& component_pictures() {
    static const Pictures pictures = [] {
        using namespace picture_data;
        Pictures p;
        p.level_high = unpack(0, 41, 41, kLevelHigh);
        p.level_low = unpack(1, 41, 41, kLevelLow);
        p.pulse_continuous = unpack(2, 61, 61, kPulseContinuous);
        p.pulse_preset = unpack(3, 61, 61, kPulsePreset);
        p.input_vertical = unpack(4, 41, 91, kInputVertical);
        p.input_horizontal = unpack(5, 91, 41, kInputHorizontal);
        p.output_vertical = unpack(6, 41, 91, kOutputVertical);
        p.output_horizontal = unpack(7, 91, 41, kOutputHorizontal);
        return p;
    }();
    return pictures;
}

}  // namespace vorlisk
