// The edit functions: every change the editor, the dialogs and the tools
// that build circuits make to the tables goes through them. Each one moves
// the circuit's edit serial when it changes what the run pass compiles
// (names, kinds, geometry, the probes' test-point names), so no caller has
// to remember to.
//
// Positions are kept within 16 bits (-32768 .. 32767), the range of a
// component's origin; a move, paste or scroll that would leave it is
// refused as a whole.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/circuit.h"

namespace vorlisk {

constexpr int kCoordMin = -32768;
constexpr int kCoordMax = 32767;
constexpr bool coord_ok(long long v) { return v >= kCoordMin && v <= kCoordMax; }

// Connection points on the canvas.
BendPoint input_pin(const MY_BASE_OBJ& o, int k);
BendPoint output_pin(const MY_BASE_OBJ& o, int k);

// --- creation, under the editor's naming rules ------------------------------

// Places a component at the next free slot (placement limit 999); returns
// its index or -1 when the table is full.
int add_component(Circuit& c, std::string_view kind, int x, int y);
// A wire "导线<serial>" from start through bends to end (limit 998); -1 when full.
int add_wire(Circuit& c, BendPoint start, BendPoint end, std::span<const BendPoint> bends = {});
// A junction "焊接点<serial>" at the snapped point (limit 998); -1 when full.
int add_junction(Circuit& c, int x, int y);
// A test point "检测点<serial>" with the next free label (limit 98); -1 when full.
int add_test_point(Circuit& c, int x, int y);
// Where a new test point's label goes: up and to the right of it.
void place_test_point_label(MY_TEST_POINT& t);
// The label the next test point gets: "A".."Z" from the count on, then "T26", "T27" ...,
// skipping labels in use.
std::string next_test_point_label(const Circuit& c);
// An annotation "注释<serial>" with the draft's text, looks and size,
// centred on (cx, cy) (limit 500); -1 when full.
int add_annotation(Circuit& c, const ZHU_SHI_S& draft, int cx, int cy);

// --- changes of one record ----------------------------------------------------

void set_test_point_label(Circuit& c, int t, std::string_view label);
// Input k (0..3) of a probe LED or display: the name of a test point, or empty.
void set_probe_input(Circuit& c, int obj, int k, std::string_view test_point_name);

struct PulseSettings {
    std::string idle_level;  // "常低" or "常高"
    double frequency = 1.0;  // Hz
    double width = 0.5;      // seconds
    double phase = 0.5;      // seconds
    int32_t count = 1;       // periods of a presettable burst
};
PulseSettings pulse_settings(const MY_BASE_OBJ& o);
void set_pulse_settings(Circuit& c, int obj, const PulseSettings& s);

// The annotation takes the draft's text, colours, flags, font and size;
// its name, kind and position stay.
void set_annotation_content(Circuit& c, int a, const ZHU_SHI_S& draft);

// A component's own look (the drawing-settings dialog of a selection).
struct ComponentLook {
    int32_t border_color = 0;
    int16_t border_width = 2;
    int32_t fill_color = 0;
    int32_t font_color = 0;
    bool font_bold = true;
};
void set_component_look(Circuit& c, int obj, const ComponentLook& look);
// Lit and unlit colours of an LED or display.
void set_lamp_colours(Circuit& c, int obj, int32_t lit, int32_t unlit);

// The pulse width in seconds of section 0 or 1 of a one-shot chip.
void set_one_shot_width(Circuit& c, int obj, int section, double seconds);

void toggle_level_switch(Circuit& c, int obj);

// Gives wire w new points: `points` holds its start, its corners (at most
// kMaxBends; more are left out) and its end, in order. Fewer than two points
// change nothing.
void set_wire_points(Circuit& c, int w, std::span<const BendPoint> points);

// --- changes of many records, by name ---------------------------------------------

// Which table a selected name belongs to, told by the word it starts with.
enum class ItemTable { object, wire, junction, test_point, annotation };
ItemTable table_of_name(std::string_view name);

// Moves every component, wire, junction and test point whose name is listed
// by (dx, dy), and every listed annotation by (adx, ady). Refuses, moving
// nothing, when a position would leave the 16-bit range; returns whether
// anything moved.
bool move_items(Circuit& c, std::span<const std::string> names, int dx, int dy, int adx, int ady);

// Removes every record of any table whose name is listed, keeping the
// order of the rest.
void delete_items(Circuit& c, std::span<const std::string> names);

// Replaces the clipboard with copies of the listed records (a name that
// names nothing is skipped).
void copy_items(Circuit& c, std::span<const std::string> names);
// Appends copies of the clipboard shifted by (ox, oy) under new names ("kind
// serial", test points with fresh labels), as far as the editor limits
// allow; returns the new names in order. Refused (nothing added) when a
// copy would leave the 16-bit range.
std::vector<std::string> paste_items(Circuit& c, int ox, int oy);
bool clipboard_empty(const Circuit& c);

// Quarter turns of the listed components: direction 0 clockwise, 1
// counter-clockwise. Displays are never turned; a name listed twice turns
// its component twice.
void rotate_items(Circuit& c, std::span<const std::string> names, int direction);
// One clockwise quarter turn of every offset of a component.
void turn_clockwise(MY_BASE_OBJ& o);

// Scrolls the view to positions h, v (0..101): every record moves by
// 10 pixels per step the other way, and so does the wire being drawn.
// Refused (returns false, nothing moves) when a position would leave the
// 16-bit range.
bool scroll_to(Circuit& c, int h, int v);

}  // namespace vorlisk
