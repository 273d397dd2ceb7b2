// The one circuit: its five tables with their clipboard twins, the chip pin
// maps, the run and settings globals and the instrument slots. Allocated once
// (it is large) and passed by reference to every function of the core.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "model/settings.h"

namespace vorlisk {

// The longest virtual-time step the settings accept, in seconds: a day per
// pass is more than any lesson needs, and at that step the simulation time
// would stay finite for more passes than any machine can run.
constexpr double kMaxTimeStep = 86400.0;

// A slot of the precision clock (std::chrono::steady_clock).
struct ClockSlot {
    std::chrono::steady_clock::time_point start{};
};
constexpr int kClockSlots = 256;
constexpr int kRunClock = 0;

// Link to the experiment box: the part of it the component rules read and
// write. The devices themselves are driven by the program's hardware layer.
constexpr int kInputRingSize = 102400;
struct HardwareState {
    bool input_open = false;
    bool output_open = false;
    std::array<uint8_t, kInputRingSize> input_ring{};
    int32_t input_ring_index = 0;  // index of the newest byte
    double input_time = 0.0;
    uint8_t output_byte = 0;  // built by the signal output device each pass
};

// Compiled view of the circuit used by the run pass. Rebuilt from the tables
// whenever `Circuit::edit_serial` moves on; never saved.
struct CompiledCircuit;

// Receives the messages the core reports ("对象名称不存在。", ...). The
// program installs it; without one, messages are dropped.
using MessageFn = std::function<void(std::string_view)>;

struct Circuit {
    Circuit();
    ~Circuit();
    Circuit(const Circuit&) = delete;
    Circuit& operator=(const Circuit&) = delete;

    // --- tables -----------------------------------------------------------
    std::array<MY_BASE_OBJ, kMaxObjects> objects;
    int32_t object_count = 0;
    std::array<MY_LINK, kMaxWires> wires;
    int32_t wire_count = 0;
    std::array<MY_POINT, kMaxJunctions> junctions;
    int32_t junction_count = 0;
    std::array<MY_TEST_POINT, kMaxTestPoints> test_points;
    int32_t test_point_count = 0;
    std::array<ZHU_SHI_S, kMaxAnnotations> annotations;
    int32_t annotation_count = 0;

    std::array<MY_BASE_OBJ, kMaxObjects> clip_objects;
    int32_t clip_object_count = 0;
    std::array<MY_LINK, kMaxWires> clip_wires;
    int32_t clip_wire_count = 0;
    std::array<MY_POINT, kMaxJunctions> clip_junctions;
    int32_t clip_junction_count = 0;
    std::array<MY_TEST_POINT, kMaxTestPoints> clip_test_points;
    int32_t clip_test_point_count = 0;
    std::array<ZHU_SHI_S, kMaxAnnotations> clip_annotations;
    int32_t clip_annotation_count = 0;

    MY_LINK drawing_wire;  // the wire the editor is drawing ("temp_link")

    std::array<MY_CHIPS, kMaxChipDefs> chip_table;  // filled once by build_chip_table

    // --- run state and settings ---------------------------------------------
    int32_t next_serial = 0;   // incremented before each new name
    bool modified = false;     // set by every edit and settings change
    int32_t running = 0;       // nonzero while the run loop runs
    int32_t virtual_time = 0;  // 0 real time, 1 virtual time
    double time_step = 0.001;  // seconds per pass in virtual time
    int32_t device_delay = 1;  // passes per computation of the logic kinds (virtual time)
    int32_t step_counter = 1;  // pass counter for the device delay
    int32_t net_mode = 0;      // how an input combines its net; not reset
    int32_t out_init_mode = 0; // reset level of outputs; not reset
    int32_t default_symbol_style = 0;  // given to every record by the reset; not reset
    double sim_time = 0.0;     // simulation seconds (0 at Run and Stop)
    // Written by each pass: some test point's reading differs from the pass
    // before by more than 0.1 (the recorders need look no further otherwise).
    bool readings_changed = false;
    double trace_drawn_time = 0.0;  // timing diagram drawn up to here
    double file_real_1 = -1.0; // reserved file value, kept and written back
    std::string file_name;
    std::string current_tool;  // palette kind; empty: the select tool
    std::vector<std::string> selection;  // names of the selected items
    // Unselected items a drag takes along (wires whose ends lie on moving
    // pins, junctions and test points on those pins): drawn with the moving
    // selection, not marked as selected. Empty but during a drag.
    std::vector<std::string> moving_along;

    DrawSettings draw;  // canvas, wire, junction, test-point and category looks

    // --- instruments ----------------------------------------------------------
    std::array<std::string, kRecordSlots> table_items;  // truth-table slots (test-point names)
    std::array<std::string, kRecordSlots> trace_items;  // timing-diagram slots
    std::string table_record_mode = "手动记录";
    std::string trace_record_mode = "时序记录";
    double trace_scale = 1.0;  // seconds per division; not reset

    // --- view ------------------------------------------------------------------
    int32_t scroll_h = 0;  // horizontal scroll position 0..101 (10 px a step)
    int32_t scroll_v = 0;

    // --- clock, hardware, messages --------------------------------------------
    std::array<ClockSlot, kClockSlots> clocks{};
    HardwareState hw;
    MessageFn report;

    // --- engine cache ---------------------------------------------------------
    // The run pass compiles names, kinds, geometry and the test-point names
    // the probe LEDs and displays read (param_text); every change of these
    // moves edit_serial on (touch()), and the pass recompiles when it
    // differs. The edit functions of model/edit.h do this for their callers.
    uint64_t edit_serial = 1;
    std::unique_ptr<CompiledCircuit> compiled;
    // What the rules read but the compiled view does not see (a switch's
    // level, a pulse source's settings, pins and state words rewritten by Run
    // and Stop): wake(i) makes the next pass compute object i and every input
    // on its nets gather again; wake_all() makes it evaluate every object.
    // The pass takes these requests and clears them.
    std::array<uint64_t, (kMaxObjects + 63) / 64> woken{};
    bool woken_any = false;
    bool woken_all = false;
    // Counts the messages reported: a message may run nested commands that
    // change the circuit in the middle of a pass.
    mutable uint64_t messages_shown = 0;

    void touch() { ++edit_serial; }
    void wake(int i) {
        if (i < 0 || i >= kMaxObjects) return;
        woken[size_t(i) / 64] |= uint64_t(1) << (i % 64);
        woken_any = true;
    }
    void wake_all() { woken_all = true; }
    void message(std::string_view text) const {
        ++messages_shown;
        if (report) report(text);
    }
};

// Allocates a circuit with its chip table built and the reset applied.
std::unique_ptr<Circuit> make_circuit();

// The reset to an empty circuit. Keeps net_mode, out_init_mode,
// default_symbol_style, sim_time, file_real_1, trace_scale and the selection.
void new_circuit(Circuit& c);

// A record as the reset leaves an empty slot (voltages by net_mode and
// out_init_mode, symbol style by default_symbol_style).
void reset_object(const Circuit& c, MY_BASE_OBJ& o);

// Lookups: index of the first record whose field equals the argument
// exactly, or -1.
int find_object(const Circuit& c, std::string_view name);
int find_wire(const Circuit& c, std::string_view name);
int find_junction(const Circuit& c, std::string_view name);
int find_test_point(const Circuit& c, std::string_view name);
int find_test_point_by_label(const Circuit& c, std::string_view label);
int find_annotation(const Circuit& c, std::string_view name);
int find_selected(const Circuit& c, std::string_view name);

inline bool contains(std::string_view s, std::string_view word) {
    return s.find(word) != std::string_view::npos;
}

// Grid snapping: (v + 5) / 10 * 10 with truncating division.
constexpr int snap(int v) { return (v + 5) / 10 * 10; }

}  // namespace vorlisk
