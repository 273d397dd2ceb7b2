// How wires, junctions and pin strokes look while the circuit runs and the
// canvas shows levels: one look per level of a net. High and low differ in
// hue (orange against blue, told apart by every common kind of colour
// blindness) and in lightness (the orange light, the blue dark, so they
// differ in grey too); a net nothing drives is a thin grey line. High and
// low keep the wire's width, so a net that flips is painted over exactly,
// leaving nothing of its old look behind.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "engine/compiled.h"
#include "engine/net_queries.h"
#include "model/circuit.h"
#include "render/paint_surface.h"

namespace vorlisk {

struct LevelLook {
    int32_t color;  // 0x00BBGGRR
    int width;      // 0: the circuit's wire width
};

// By NetLevel: none, low, high.
inline constexpr LevelLook kLevelLooks[3] = {
    {0x969696, 1},  // undriven: thin grey
    {0xbe4600, 0},  // low: dark blue
    {0x0078f0, 0},  // high: orange
};

// The pen a wire, junction or pin stroke on a net of `level` is drawn with.
LevelLook level_look(const Circuit& c, NetLevel level);

// The looks the view's levels give; the stopped look (wire colour and
// width) when the view shows no levels.
LevelLook wire_look(const DrawOptions& view, const Circuit& c, int w);
LevelLook junction_look(const DrawOptions& view, const Circuit& c, int j);
LevelLook pin_look(const DrawOptions& view, const Circuit& c, int obj, bool output, int k);

// The place of a record in its circuit array, or -1 for a record that lies
// elsewhere (a copy): levels are looked up by place.
template <class T, size_t N>
int index_of(const std::array<T, N>& a, const T& x, int count) {
    const std::less<const T*> before;
    if (before(&x, a.data()) || !before(&x, a.data() + count)) return -1;
    return int(&x - a.data());
}

// The nets whose level changed at the levels' last update, asked of what
// lies on them: the running refresh repaints exactly those.
class ChangedNets {
public:
    ChangedNets(const NetLevels& levels, const CompiledCircuit& cc);
    bool wire(int w) const { return on(cc_.wire_net, size_t(w)); }
    bool junction(int j) const { return on(cc_.junction_net, size_t(j)); }
    // A pin of component `obj` is on one.
    bool component(const Circuit& c, int obj) const;

private:
    bool on(const std::vector<uint32_t>& nets, size_t i) const {
        return i < nets.size() && nets[i] < changed_.size() && changed_[nets[i]];
    }
    const CompiledCircuit& cc_;
    std::vector<char> changed_;
};

}  // namespace vorlisk
