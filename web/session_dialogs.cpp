// The session's side of the settings and properties dialogs: each checks
// the fields as the desktop's dialog does, changes the circuit through the
// core's edit functions and ends with one step of the history.
#include <algorithm>
#include <cstdlib>

#include "chips/chip_table.h"
#include "editor/chip_pages.h"
#include "editor/kind_words.h"
#include "model/file_drawing.h"
#include "web/session.h"

namespace vorlisk::web {

namespace {

// The record the dialog was opened for, when it still is what it was.
int object_with_dialog(const Circuit& c, const std::string& name, PropertiesDialog dialog) {
    return properties_dialog(name) == dialog ? find_object(c, name) : -1;
}

Refusal gone() { return Refusal{"这个对象已不存在。", 1}; }

}  // namespace

std::optional<Refusal> Session::set_time_settings(bool virtual_time, std::string_view step, std::string_view delay) {
    TimeSettings s;
    auto refusal = check_time_settings(*c_, virtual_time, step, delay, s);
    if (!refusal) apply_time_settings(*c_, s);
    commit();
    return refusal;
}

std::optional<Refusal> Session::set_pulse(const std::string& name, int idle, std::string_view frequency,
                                          std::string_view width, std::string_view phase, std::string_view count) {
    const int i = object_with_dialog(*c_, name, PropertiesDialog::pulse);
    if (i < 0) return gone();
    PulseSettings s = pulse_settings(c_->objects[i]);
    if (auto refusal = check_pulse_settings(frequency, width, phase, count, s)) return refusal;
    s.idle_level = idle == 0 ? "常低" : "常高";
    set_pulse_settings(*c_, i, s);
    commit();
    return std::nullopt;
}

std::optional<Refusal> Session::set_test_point_label(const std::string& name, std::string_view label) {
    const int t = find_test_point(*c_, name);
    if (t < 0) return gone();
    if (auto refusal = check_test_point_label(*c_, name, label)) return refusal;
    vorlisk::set_test_point_label(*c_, t, label);
    commit();
    return std::nullopt;
}

std::optional<Refusal> Session::set_annotation(const std::string& name, std::string_view text, int32_t back_color,
                                               bool show_back, int32_t frame_color, bool show_frame,
                                               int32_t font_color) {
    const int a = find_annotation(*c_, name);
    if (a < 0) return gone();
    const std::vector<std::string> lines = annotation_lines(text);
    if (auto refusal = check_annotation_lines(lines)) return refusal;
    ZHU_SHI_S draft = c_->annotations[a];
    draft.text_lines = lines;
    draft.back_color = back_color;
    draft.transparent = !show_back;
    draft.frame_color = frame_color;
    draft.framed = show_frame;
    draft.font_color = font_color;
    measure_annotation(draft);
    set_annotation_content(*c_, a, draft);
    commit();
    return std::nullopt;
}

std::vector<std::string> Session::one_shot_texts(const std::string& name) {
    std::vector<std::string> texts;
    const int i = object_with_dialog(*c_, name, PropertiesDialog::one_shot);
    if (i < 0) return texts;
    const int sections = std::clamp(one_shot_sections(chip_type_of(c_->objects[i].kind)), 1, 2);
    for (int k = 0; k < sections; ++k) {
        one_shot_exact_[size_t(k)] = one_shot_width(c_->objects[i], k);
        one_shot_shown_[size_t(k)] = one_shot_width_text(one_shot_exact_[size_t(k)]);
        texts.push_back(one_shot_shown_[size_t(k)]);
    }
    return texts;
}

std::optional<Refusal> Session::one_shot_rc(const std::string& name, int section, std::string_view r,
                                            std::string_view cap, std::string& text) {
    const int i = object_with_dialog(*c_, name, PropertiesDialog::one_shot);
    if (i < 0 || section < 0 || section > 1) return gone();
    double seconds = 0.0;
    if (auto refusal = check_one_shot_rc(chip_type_of(c_->objects[i].kind), r, cap, seconds)) return refusal;
    one_shot_exact_[size_t(section)] = seconds;
    one_shot_shown_[size_t(section)] = text = one_shot_width_text(seconds);
    return std::nullopt;
}

std::optional<Refusal> Session::set_one_shot(const std::string& name, const std::vector<std::string>& texts) {
    const int i = object_with_dialog(*c_, name, PropertiesDialog::one_shot);
    if (i < 0) return gone();
    const size_t sections = size_t(std::clamp(one_shot_sections(chip_type_of(c_->objects[i].kind)), 1, 2));
    if (texts.size() != sections) return gone();
    std::array<double, 2> widths{};
    for (size_t k = 0; k < sections; ++k) {
        // A text left as shown stands for the exact width behind it.
        const bool as_shown = texts[k] == one_shot_shown_[k];
        widths[k] = one_shot_exact_[k];
        auto refusal = as_shown ? check_one_shot_width(widths[k]) : check_one_shot_width(texts[k], widths[k]);
        if (refusal) {
            refusal->field = int(k) + 1;
            return refusal;
        }
    }
    for (size_t k = 0; k < sections; ++k) set_one_shot_width(*c_, i, int(k), widths[k]);
    commit();
    return std::nullopt;
}

bool Session::set_probe(const std::string& name, const std::vector<std::string>& test_points) {
    const PropertiesDialog dialog = properties_dialog(name);
    if (dialog != PropertiesDialog::led_probe && dialog != PropertiesDialog::display_probe) return false;
    const int i = find_object(*c_, name);
    if (i < 0) return false;
    const size_t inputs = dialog == PropertiesDialog::led_probe ? 1 : 4;
    for (size_t k = 0; k < inputs; ++k) {
        // A test point gone meanwhile, or none chosen, binds nothing.
        const std::string chosen = k < test_points.size() ? test_points[k] : std::string();
        set_probe_input(*c_, i, int(k), find_test_point(*c_, chosen) >= 0 ? chosen : std::string());
    }
    commit();
    return true;
}

std::optional<Refusal> Session::choose_chip(int page, std::string_view typed) {
    std::string kind;
    if (auto refusal = chip_kind_for(page, typed, kind)) return refusal;
    editor_.choose_tool(*c_, kind);
    return std::nullopt;
}

}  // namespace vorlisk::web
