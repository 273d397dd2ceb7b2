#include "editor/canvas_hints.h"

#include <algorithm>

#include "chips/chip_table.h"
#include "editor/editor.h"
#include "editor/hit_test.h"
#include "engine/nets.h"
#include "model/catalogue.h"
#include "model/edit.h"

namespace vorlisk {

namespace {

struct ToolHint {
    std::string_view tool;  // empty: the select tool
    std::string_view hint;
};

// The tools with a line of their own; a component kind gets the placing line.
constexpr ToolHint kToolHints[] = {
    {"", "选择：单击选中，Ctrl 或 Shift+单击增减，拖动移动，在空白处拖出方框多选，双击开关拨动电平，右键打开菜单"},
    {"导线", "导线：在引脚或焊接点上单击开始，每次单击一个转折，在引脚或焊接点上单击结束，右键放弃"},
    {"焊接点", "焊接点：单击放置，导线可以从焊接点开始或在焊接点结束，右键回到选择"},
    {"检测点", "检测点：单击放在导线或引脚上，真值表和时序图记录它的读数，右键回到选择"},
    {"注释", "注释：单击放置一段文字，右键回到选择"},
};

}  // namespace

std::string tool_hint(std::string_view tool) {
    for (const ToolHint& h : kToolHints)
        if (h.tool == tool) return std::string(h.hint);
    return std::string(tool) + "：单击画布放置，右键回到选择";
}

std::optional<BendPoint> wire_anchor_at(const Circuit& c, int x, int y) {
    const MY_LINK& w = c.drawing_wire;
    if (w.name.empty()) {
        // A click inside a body selects it instead (but for Vcc and Gnd,
        // whose pin lies inside).
        const std::string under = object_at(c, x, y);
        if (!under.empty() && !contains(under, "Vcc") && !contains(under, "Gnd")) return std::nullopt;
        return wire_anchor(c, x, y, 5, 3);
    }
    return wire_anchor(c, w.x2, w.y2, 5, 5);
}

PinAt pin_at(const Circuit& c, int x, int y) {
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        auto on_stroke = [&](int dx, int dy, int sx, int sy) {
            return point_on_segment(x, y, o.x + sx, o.y + sy, o.x + dx, o.y + dy, 3);
        };
        for (int k = 0; k < std::clamp<int>(o.input_count, 0, kMaxPins); ++k)
            if (on_stroke(o.in_dx[k], o.in_dy[k], o.in_stub_dx[k], o.in_stub_dy[k])) return {i, true, k};
        for (int k = 0; k < std::clamp<int>(o.output_count, 0, kMaxPins); ++k)
            if (on_stroke(o.out_dx[k], o.out_dy[k], o.out_stub_dx[k], o.out_stub_dy[k])) return {i, false, k};
    }
    return {};
}

std::string hover_text(const Circuit& c, int x, int y) {
    if (const PinAt p = pin_at(c, x, y); p.obj >= 0) {
        const MY_BASE_OBJ& o = c.objects[p.obj];
        if (contains(o.kind, "集成芯片")) {
            const std::string type = chip_type_of(o.kind);
            const int d = find_chip_def(c, type);
            if (d >= 0) {
                const MY_CHIPS& def = c.chip_table[d];
                for (int pin = 1; pin <= std::min(def.pin_count, kMaxPins); ++pin) {
                    const ChipPin& cp = def.pins[pin - 1];
                    if (cp.role == (p.input ? 1 : 2) && cp.index == p.k) {
                        const std::string_view name = chip_pin_name(type, pin);
                        return std::to_string(pin) + (name.empty() ? "" : " " + std::string(name));
                    }
                }
            }
        }
        return o.name + (p.input ? "：输入 " : "：输出 ") + std::to_string(p.k + 1);
    }
    const int i = find_object(c, object_at(c, x, y));
    if (i < 0) return {};
    return c.objects[i].name + "\n种类：" + c.objects[i].kind;
}

std::optional<Rect32> PlacementOutline::at(const Circuit& c, std::string_view kind, int x, int y) {
    if (kind.empty() || kind == "导线" || kind == "焊接点" || kind == "检测点" || kind == "注释") return std::nullopt;
    if (!known_ || kind_ != kind) {
        // Built once per kind: placement measures texts, which takes time.
        auto o = std::make_unique<MY_BASE_OBJ>();
        build_component(c, *o, kind, 0, 0, 0);
        offset_ = {o->x + o->outline_rect.left, o->y + o->outline_rect.top, o->x + o->outline_rect.right,
                   o->y + o->outline_rect.bottom};
        kind_ = std::string(kind);
        known_ = true;
    }
    const int sx = snap(x), sy = snap(y);
    return Rect32{sx + offset_.left, sy + offset_.top, sx + offset_.right, sy + offset_.bottom};
}

}  // namespace vorlisk
