// What the settings and properties dialogs check before their OK applies
// anything, without a toolkit: the desktop's dialogs and the browser page's
// run the same checks and show the same messages. Each check reads the
// fields as typed; a refusal names the message and the field that takes
// the focus, numbered from 1 in the order the check reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/circuit.h"
#include "model/edit.h"

namespace vorlisk {

struct Refusal {
    std::string message;  // Chinese, as the dialog shows it
    int field = 1;        // the field to correct
};

// --- 计算设置 -----------------------------------------------------------------

struct TimeSettings {
    bool virtual_time = false;
    double time_step = 0.001;  // seconds per pass
    int32_t device_delay = 1;  // passes per computation
};
// Real time examines neither field and keeps the circuit's step and delay
// (they come back when virtual time is chosen again); virtual time needs a
// positive step of at most a day (field 1) and a positive whole delay
// (field 2). `out` starts from the circuit's settings.
std::optional<Refusal> check_time_settings(const Circuit& c, bool virtual_time, std::string_view step,
                                           std::string_view delay, TimeSettings& out);
// Takes the checked settings into the circuit, which counts as modified.
void apply_time_settings(Circuit& c, const TimeSettings& s);

// --- 信号源设置 ----------------------------------------------------------------

// Frequency (field 1), width (2), phase (3) and preset count (4), over `s`:
// the pulse must fit in its period. The count is checked for both pulse
// kinds.
std::optional<Refusal> check_pulse_settings(std::string_view frequency, std::string_view width, std::string_view phase,
                                            std::string_view count, PulseSettings& s);
// What typing a frequency puts into width and phase: half its period each,
// as text; empty when the text is no positive number.
std::string half_period_text(std::string_view frequency);

// --- 检测点属性 ----------------------------------------------------------------

// A label must be given and differ from every other test point's (keeping
// its own is fine); at most what a file line holds.
std::optional<Refusal> check_test_point_label(const Circuit& c, std::string_view test_point_name, std::string_view label);

// --- 注释设置 ------------------------------------------------------------------

// The text box's lines: split at line breaks, a final empty line dropped.
std::vector<std::string> annotation_lines(std::string_view text);
// Some line must hold text; at most kMaxNoteLines lines of kMaxLineBytes / 2
// characters each, what one annotation can hold in a circuit file.
std::optional<Refusal> check_annotation_lines(const std::vector<std::string>& lines);

// --- 单稳态触发器 --------------------------------------------------------------

// A width in (0, 86400] seconds: a width beyond a day is no lab's pulse, and
// the limit keeps the sum of the time and the width exact enough to end it.
std::optional<Refusal> check_one_shot_width(std::string_view text, double& seconds);
std::optional<Refusal> check_one_shot_width(double seconds);
// The width from the external R (kΩ, field 1) and C (μF, field 2).
std::optional<Refusal> check_one_shot_rc(std::string_view type, std::string_view r, std::string_view cap,
                                         double& seconds);
// tw = factor · R · C for the chip type, and the formula the dialog shows.
double one_shot_rc_factor(std::string_view type);
std::string one_shot_formula(std::string_view type);
// A width as the dialog shows it: four significant digits.
std::string one_shot_width_text(double seconds);

// --- 时序图 --------------------------------------------------------------------

// The scale field, seconds per division.
std::optional<Refusal> check_trace_scale(std::string_view text, double& scale);

}  // namespace vorlisk
