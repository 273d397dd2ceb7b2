// The plain records a circuit is made of. Every table is dense (records
// 0..count-1 in use, creation order) and every record is addressed by index
// or found by its unique `name`; there are no pointers between records.
// Connectivity is never stored: wires, pins and junctions connect only where
// their coordinates meet.
//
// Voltages are single-precision volts: components drive 0.5 V for low and
// 3.6 V for high, the Gnd rail 0.0 V; inputs are judged against 2.0 V.
// Colours are 0x00BBGGRR integers (red in the low byte).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vorlisk {

constexpr int kMaxObjects = 1000;
constexpr int kMaxWires = 1000;
constexpr int kMaxJunctions = 1000;
constexpr int kMaxTestPoints = 100;
constexpr int kMaxAnnotations = 512;
constexpr int kMaxChipDefs = 100;
constexpr int kMaxPins = 32;      // inputs, and separately outputs, per component
constexpr int kMaxShapes = 32;    // symbol lines, arcs, bubbles, labels per component
constexpr int kMaxParams = 10;
constexpr int kMaxBends = 100;
constexpr int kRecordSlots = 16;  // instrument record slots

// Editor limits: creation and paste stop when a count reaches them.
constexpr int kPlaceObjectLimit = 999;
constexpr int kPasteObjectLimit = 998;
constexpr int kWireLimit = 998;
constexpr int kJunctionLimit = 998;
constexpr int kTestPointLimit = 98;
constexpr int kAnnotationLimit = 500;

constexpr float kLow = 0.5f;
constexpr float kHigh = 3.6f;
constexpr float kThreshold = 2.0f;

struct Rect32 {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect32&) const = default;
};

struct SymbolLine {
    int16_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int16_t width = 0;  // pen width in pixels
    bool operator==(const SymbolLine&) const = default;
};

struct Bubble {
    int16_t dx = 0, dy = 0;  // centre relative to the origin
    int16_t width = 0;       // pen width; 1 for the chip pin-1 mark
    int16_t flag = 0;        // 1 inversion bubble, 0 pin-1 mark
    bool operator==(const Bubble&) const = default;
};

struct LabelPos {
    int16_t dx = 0, dy = 0;  // text centre relative to the origin
    bool operator==(const LabelPos&) const = default;
};

using PinArray16 = std::array<int16_t, kMaxPins>;
using PinVolts = std::array<float, kMaxPins>;

// One placed component. Geometry is written once at placement and travels
// with the record (file, clipboard, rotation); it is never derived from the
// kind while drawing or simulating.
struct MY_BASE_OBJ {
    std::string name;  // kind, a blank and the serial number; the key of every lookup
    std::string kind;  // catalogue kind string; empty marks the record for deletion
    int16_t x = 0, y = 0;  // origin on the canvas, pixels
    Rect32 body_rect;      // drawn box and click area, relative to the origin
    Rect32 outline_rect;   // box including pin strokes (selection frame)

    int16_t input_count = 0;  // 0..32
    PinArray16 in_dx{}, in_dy{};            // input k's connection point (pin tip)
    PinArray16 in_stub_dx{}, in_stub_dy{};  // inner end of input k's stroke
    int16_t output_count = 0;               // 0..32
    PinArray16 out_dx{}, out_dy{};
    PinArray16 out_stub_dx{}, out_stub_dy{};

    PinVolts in_v{};   // voltage read at input k (gathered from its net)
    PinVolts out_v{};  // voltage driven at output k
    PinArray16 in_mark{};   // stored in the file; cleared before each pass
    PinArray16 out_mark{};  // stored in the file only
    int16_t pass_mark_a = 0, pass_mark_b = 0;  // cleared before each pass; file only

    int32_t border_color = 0;  // drawing attributes copied from the category
    int16_t border_width = 2;  // 1 thin, 2 thick
    int32_t fill_color = 0xececec;
    int32_t font_color = 0;
    bool font_bold = true;
    int16_t rotation = 0;      // quarter turns 0..3
    int16_t symbol_style = 0;  // 0: generic symbol drawn; other: not drawn

    int16_t line_count = 0;
    std::array<SymbolLine, kMaxShapes> lines{};
    int16_t arc_count = 0;
    std::array<std::array<int16_t, 9>, kMaxShapes> arcs{};  // kept and rotated, never drawn
    int16_t bubble_count = 0;
    std::array<Bubble, kMaxShapes> bubbles{};
    int16_t label_count = 0;
    std::array<std::string, kMaxShapes> label_text;
    std::array<LabelPos, kMaxShapes> label_pos{};
    std::array<int16_t, kMaxShapes> label_half_w{}, label_half_h{};  // half text size, 9-px chip font

    std::array<int32_t, kMaxParams> param_int{};  // lit/unlit colours, switch level
    std::array<double, kMaxParams> param_real{};  // pulse: sim_time the enable last rose
    std::array<std::string, kMaxParams> param_text;  // probe test-point names

    std::string idle_level;        // pulse: "常低" or "常高"
    double pulse_frequency = 0.0;  // Hz
    int32_t pulse_count = 0;       // presettable pulse: periods per burst
    double pulse_phase = 0.0;      // seconds from period start to the pulse
    double pulse_width = 0.0;      // seconds
    std::array<int32_t, kMaxPins> aux_int{};  // cleared by the reset only

    int16_t dirty = 0;  // 1: repaint at the next display refresh
    PinVolts prev_in_v{};   // inputs at the previous computation (edge detection)
    PinVolts prev_out_v{};  // outputs before the latest computation
    PinArray16 state{};     // kind-specific state words (edge flags, masters)
};

// One wire: a polyline start -> bends -> end.
struct BendPoint {
    int32_t x = 0, y = 0;
    bool operator==(const BendPoint&) const = default;
};

struct MY_LINK {
    std::string name;
    std::string kind;  // "导线"
    int32_t x1 = 0, y1 = 0;  // start
    int32_t x2 = 0, y2 = 0;  // end
    std::array<BendPoint, kMaxBends> bends{};
    int32_t bend_count = 0;  // 0..100
    int32_t visit = 0;       // scratch of the net search; not stored
};

// One junction (solder point): joins every wire passing through it.
struct MY_POINT {
    std::string name;
    std::string kind;  // "焊接点"
    int32_t x = 0, y = 0;
    int32_t visit = 0;
};

// One test point: a probe whose reading feeds the instruments.
struct MY_TEST_POINT {
    std::string name;
    std::string kind;   // "检测点"
    std::string label;  // shown beside it; used by the instruments
    int32_t x = 0, y = 0;
    int32_t label_dx = 0, label_dy = 0;  // label offset from the position
    double value = 0.0;         // reading of the latest pass: 3.6 (float widened) or 0.0
    double prev_value = -2.0;   // reading of the pass before; -2.0: none yet
};

// Font style bits of an annotation.
enum FontStyleBits : uint8_t { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

// One text annotation.
struct ZHU_SHI_S {
    std::string name;
    std::string kind;  // "注释"
    int32_t x = 0, y = 0;  // top-left of the text block
    int32_t back_color = 0xffffff;
    int32_t frame_color = 0x800000;
    bool transparent = true;  // no background fill
    bool framed = false;
    int32_t width = 0, height = 0;
    uint8_t font_charset = 0;
    int32_t font_color = 0x800000;
    int32_t font_height = -16;  // negative: character height in pixels
    uint8_t font_pitch = 0;     // default, fixed, variable
    int32_t font_size = 12;     // points
    uint8_t font_style = kFontBold;
    std::string font_name = "Arial";
    std::vector<std::string> text_lines;  // one entry per line
};

// Pin map of one chip type. Slot p-1 of `pins` describes package pin p.
struct ChipPin {
    int32_t role = 0;   // 1 input, 2 output, 0 none
    int32_t index = 0;  // position in the component's input or output arrays
};

struct MY_CHIPS {
    std::string chip_type;  // "74LS00"; empty ends the table
    int32_t pin_count = 0;  // 14, 16 or 20
    std::array<ChipPin, kMaxPins> pins{};
    int32_t chip_input_count = 0;
    int32_t chip_output_count = 0;
};

static_assert(kMaxPins == 32 && kMaxShapes == 32, "file format and pin maps assume 32");

}  // namespace vorlisk
