// Circuit files with one drawing value put to anything at all: the 74LS161
// example (chip, gates, wires, junctions, test points) with a flip-flop for
// its symbol lines and an annotation added, and one row per drawing value a
// dialog sets, naming where it lives in the records.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/circuit_file.h"
#include "model/edit.h"
#include "model/file_drawing.h"

namespace vorlisk::test {

struct DrawingField {
    const char* name;
    DrawingValue value;  // its row of kDrawingRanges
    std::function<int32_t&(Circuit&)> ref32;  // an int32 field, or
    std::function<int16_t&(Circuit&)> ref16;  // an int16 one
};

// Component 0 of the example is its 74LS161; the flip-flop is added last.
inline const std::vector<DrawingField>& drawing_fields() {
    static const std::vector<DrawingField> fields = {
        {"wire width", DrawingValue::wire_width, [](Circuit& c) -> int32_t& { return c.draw.wire_width; }, {}},
        {"junction size", DrawingValue::junction_size, [](Circuit& c) -> int32_t& { return c.draw.junction_size; }, {}},
        {"category border", DrawingValue::border_width,
         [](Circuit& c) -> int32_t& { return c.draw.category[3].border_width; }, {}},
        {"component border", DrawingValue::border_width, {},
         [](Circuit& c) -> int16_t& { return c.objects[0].border_width; }},
        {"symbol line", DrawingValue::line_width, {},
         [](Circuit& c) -> int16_t& { return c.objects[c.object_count - 1].lines[0].width; }},
        {"outline", DrawingValue::outline, [](Circuit& c) -> int32_t& { return c.objects[0].outline_rect.right; }, {}},
        {"body", DrawingValue::outline, [](Circuit& c) -> int32_t& { return c.objects[0].body_rect.top; }, {}},
        {"test point label", DrawingValue::label_offset,
         [](Circuit& c) -> int32_t& { return c.test_points[0].label_dx; }, {}},
        {"annotation width", DrawingValue::note_size, [](Circuit& c) -> int32_t& { return c.annotations[0].width; }, {}},
        {"annotation height", DrawingValue::note_size,
         [](Circuit& c) -> int32_t& { return c.annotations[0].height; }, {}},
        {"font height", DrawingValue::font_height,
         [](Circuit& c) -> int32_t& { return c.annotations[0].font_height; }, {}},
        {"font size", DrawingValue::font_size, [](Circuit& c) -> int32_t& { return c.annotations[0].font_size; }, {}},
    };
    return fields;
}

inline int32_t field_value(Circuit& c, const DrawingField& f) { return f.ref32 ? f.ref32(c) : f.ref16(c); }

// The base circuit; null when the example cannot be read.
inline std::unique_ptr<Circuit> drawing_base(const std::string& examples_dir) {
    auto c = make_circuit();
    if (!load_circuit(*c, examples_dir + "/74LS161十进制计数器.vlk")) return nullptr;
    ZHU_SHI_S note;
    note.text_lines = {"计数器", "74LS161"};
    note.width = 60, note.height = 36;
    note.framed = true;
    if (add_annotation(*c, note, 200, 40) < 0 || add_component(*c, "同步主从RS触发器", 600, 400) < 0) return nullptr;
    if (c->test_point_count == 0 || c->objects[c->object_count - 1].line_count == 0) return nullptr;
    return c;
}

// The bytes of `c` with the field's line holding `text`; `line` gets that
// line (from 1), 0 when the field could not be found.
inline std::string with_value(Circuit& c, const DrawingField& f, const std::string& text, int& line) {
    constexpr int16_t kMark = 31357;  // a value no other line of the base holds
    const int32_t old = field_value(c, f);
    if (f.ref32) f.ref32(c) = kMark;
    else f.ref16(c) = kMark;
    std::string bytes, out;
    const bool written = bool(circuit_bytes(c, bytes));
    if (f.ref32) f.ref32(c) = old;
    else f.ref16(c) = int16_t(old);
    line = 0;
    if (!written) return {};
    int n = 0;
    for (size_t at = 0; at < bytes.size();) {
        const size_t end = bytes.find("\r\n", at);
        std::string l = bytes.substr(at, end - at);
        ++n;
        if (l == std::to_string(kMark)) {
            if (line != 0) return line = 0, std::string();  // not unique: no telling which
            line = n, l = text;
        }
        out += l + "\r\n";
        at = end == std::string::npos ? bytes.size() : end + 2;
    }
    return out;
}

}  // namespace vorlisk::test
