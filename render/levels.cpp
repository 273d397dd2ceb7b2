#include "render/levels.h"

namespace vorlisk {

LevelLook level_look(const Circuit& c, NetLevel level) {
    LevelLook l = kLevelLooks[int(level)];
    if (l.width == 0) l.width = c.draw.wire_width;
    return l;
}

namespace {
LevelLook stopped(const Circuit& c) { return {c.draw.wire_color, c.draw.wire_width}; }
}  // namespace

LevelLook wire_look(const PaintSurface& cv, const Circuit& c, int w) {
    return cv.levels ? level_look(c, cv.levels->wire(c, w)) : stopped(c);
}

LevelLook junction_look(const PaintSurface& cv, const Circuit& c, int j) {
    return cv.levels ? level_look(c, cv.levels->junction(c, j)) : LevelLook{c.draw.junction_color, 1};
}

LevelLook pin_look(const PaintSurface& cv, const Circuit& c, int obj, bool output, int k) {
    if (!cv.levels || obj < 0) return stopped(c);
    return level_look(c, output ? cv.levels->output(c, obj, k) : cv.levels->input(c, obj, k));
}

}  // namespace vorlisk
