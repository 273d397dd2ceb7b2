#include "render/levels.h"

#include <algorithm>

namespace vorlisk {

LevelLook level_look(const Circuit& c, NetLevel level) {
    LevelLook l = kLevelLooks[int(level)];
    if (l.width == 0) l.width = c.draw.wire_width;
    return l;
}

namespace {
LevelLook stopped(const Circuit& c) { return {c.draw.wire_color, c.draw.wire_width}; }
}  // namespace

LevelLook wire_look(const DrawOptions& view, const Circuit& c, int w) {
    return view.levels ? level_look(c, view.levels->wire(c, w)) : stopped(c);
}

LevelLook junction_look(const DrawOptions& view, const Circuit& c, int j) {
    return view.levels ? level_look(c, view.levels->junction(c, j)) : LevelLook{c.draw.junction_color, 1};
}

LevelLook pin_look(const DrawOptions& view, const Circuit& c, int obj, bool output, int k) {
    if (!view.levels || obj < 0) return stopped(c);
    return level_look(c, output ? view.levels->output(c, obj, k) : view.levels->input(c, obj, k));
}

ChangedNets::ChangedNets(const NetLevels& levels, const CompiledCircuit& cc) : cc_(cc), changed_(levels.shown.size(), 0) {
    for (uint32_t n : levels.changed)
        if (n < changed_.size()) changed_[n] = 1;
}

bool ChangedNets::component(const Circuit& c, int obj) const {
    const MY_BASE_OBJ& o = c.objects[obj];
    const size_t base = size_t(obj) * kMaxPins;
    for (int k = 0; k < std::min<int>(o.input_count, kMaxPins); ++k)
        if (on(cc_.input_net, base + k)) return true;
    for (int k = 0; k < std::min<int>(o.output_count, kMaxPins); ++k)
        if (on(cc_.output_net, base + k)) return true;
    return false;
}

}  // namespace vorlisk
