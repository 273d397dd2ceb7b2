// What a drag or turn with following wires must keep, as checks shared by
// the hand cases and the property test: the connections of every pin,
// junction and test point, and wires of horizontal, vertical and 45-degree
// segments only.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "editor/wire_follow.h"
#include "engine/compiled.h"
#include "model/circuit_file.h"
#include "tests/editor/editor_fixture.h"

namespace vorlisk::test {

// For every input and output pin (in component order), junction and test
// point: the nets it is on, numbered in the order first met, so two
// circuits compare equal exactly when the same items share nets.
inline std::vector<std::vector<int>> connections(Circuit& c) {
    const CompiledCircuit& cc = compiled(c);
    std::map<uint32_t, int> number;
    std::vector<std::vector<int>> out;
    auto item = [&](auto first, auto last) {
        std::vector<int> nets;
        for (auto n = first; n != last; ++n) nets.push_back(number.try_emplace(*n, int(number.size())).first->second);
        out.push_back(nets);
    };
    for (int i = 0; i < c.object_count; ++i) {
        const auto in = cc.input_net.begin() + i * kMaxPins, o = cc.output_net.begin() + i * kMaxPins;
        item(in, in + c.objects[i].input_count);
        item(o, o + c.objects[i].output_count);
    }
    for (int j = 0; j < c.junction_count; ++j) item(cc.junction_net.begin() + j, cc.junction_net.begin() + j + 1);
    for (int t = 0; t < c.test_point_count; ++t)
        item(cc.tp_nets.begin() + cc.tp_net_begin[t], cc.tp_nets.begin() + cc.tp_net_begin[t + 1]);
    return out;
}

// The first wire with a segment that is not horizontal, vertical or 45
// degrees, has no length, or goes straight back along the one before it;
// empty when there is none.
inline std::string bad_wire(const Circuit& c) {
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int w = 0; w < c.wire_count; ++w) {
        const WirePoints p = wire_points(c.wires[w]);
        for (size_t i = 0; i + 1 < p.size(); ++i) {
            const int dx = p[i + 1].x - p[i].x, dy = p[i + 1].y - p[i].y;
            const bool ok = (dx || dy) && (!dx || !dy || std::abs(dx) == std::abs(dy));
            const bool back = i > 0 && sign(dx) == -sign(p[i].x - p[i - 1].x) && sign(dy) == -sign(p[i].y - p[i - 1].y);
            if (!ok || back) {
                std::string s = c.wires[w].name + ":";
                for (BendPoint q : p) s += " (" + std::to_string(q.x) + "," + std::to_string(q.y) + ")";
                return s;
            }
        }
    }
    return {};
}

inline std::string bytes_of(const Circuit& c) {
    std::string out;
    EXPECT_TRUE(bool(circuit_bytes(c, out)));
    return out;
}

// Where a drag of component i takes hold of it: the middle of its body.
inline BendPoint grip(const MY_BASE_OBJ& o) {
    return {o.x + (o.body_rect.left + o.body_rect.right) / 2, o.y + (o.body_rect.top + o.body_rect.bottom) / 2};
}

// How far a drag of the mouse by (dx, dy) from `grip` moves a selection:
// it moves in grid steps, from the snapped press to the snapped mouse.
inline BendPoint drag_step(BendPoint grip, int dx, int dy) {
    return {snap(grip.x + dx) - snap(grip.x), snap(grip.y + dy) - snap(grip.y)};
}

// Presses on component i's body, drags the mouse by (dx, dy) in two steps
// and releases. False when the press did not pick it alone.
inline bool drag(EditorFixture& f, int i, int dx, int dy) {
    const MY_BASE_OBJ& o = f.obj(i);
    const auto [x, y] = grip(o);
    f.c.selection.clear();
    f.press(x, y);
    if (f.c.selection != std::vector<std::string>{o.name}) {
        f.release(x, y);
        return false;
    }
    f.move(x + dx / 20 * 10, y + dy / 20 * 10);
    f.move(x + dx, y + dy);
    f.release(x + dx, y + dy);
    return true;
}

}  // namespace vorlisk::test
