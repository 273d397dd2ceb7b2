// The settings and properties dialogs: what each shows, and its OK through
// the session (the core's checks, messages and edit functions).
#include <emscripten.h>

#include "chips/chip_table.h"
#include "editor/chip_pages.h"
#include "editor/field_text.h"
#include "editor/kind_words.h"
#include "model/edit.h"
#include "web/binding_io.h"

using namespace vorlisk;
using namespace vorlisk::web;

namespace {

// Lines of a text, for the lists a dialog hands in.
std::vector<std::string> lines_of(std::string_view text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\n', start);
        out.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return out;
}

void test_points(Json& j, const Circuit& c) {
    j.key("testPoints").array();
    for (int t = 0; t < c.test_point_count; ++t)
        j.object().field("name", c.test_points[t].name).field("label", c.test_points[t].label).end_object();
    j.end_array();
}

}  // namespace

extern "C" {

// A number as the dialogs show one (up to 15 significant digits).
EMSCRIPTEN_KEEPALIVE const char* vorlisk_number_text(double v) { return hand_back(general_text(v)); }

// "计算设置" as it opens.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_time_settings() {
    const Circuit& c = session().circuit();
    Json j;
    j.object()
        .field("virtualTime", c.virtual_time != 0)
        .field("step", general_text(c.time_step))
        .field("delay", (long long)c.device_delay);
    return hand_back(j.end_object());
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set_time_settings(int virtual_time, const char* step, const char* delay) {
    return refused(session().set_time_settings(virtual_time != 0, step, delay));
}

// What the properties dialog of `name` shows; 1 when the item is gone.
EMSCRIPTEN_KEEPALIVE int vorlisk_dialog(const char* name_text) {
    Session& s = session();
    const Circuit& c = s.circuit();
    const std::string name = name_text;
    Json j;
    j.object();
    if (const int t = find_test_point(c, name); t >= 0) {
        j.field("label", c.test_points[t].label);
    } else if (const int a = find_annotation(c, name); a >= 0) {
        const ZHU_SHI_S& n = c.annotations[a];
        std::string text;
        for (size_t k = 0; k < n.text_lines.size(); ++k) text += (k ? "\n" : "") + n.text_lines[k];
        j.field("text", text)
            .field("backColor", (long long)n.back_color)
            .field("showBack", !n.transparent)
            .field("frameColor", (long long)n.frame_color)
            .field("showFrame", n.framed)
            .field("fontColor", (long long)n.font_color);
    } else if (const int i = find_object(c, name); i >= 0) {
        const MY_BASE_OBJ& o = c.objects[i];
        j.field("kind", o.kind);
        switch (properties_dialog(name)) {
            case PropertiesDialog::pulse:
                j.field("idle", o.idle_level == "常低" ? 0 : 1)
                    .field("frequency", general_text(o.pulse_frequency))
                    .field("width", general_text(o.pulse_width))
                    .field("phase", general_text(o.pulse_phase))
                    .field("count", general_text(o.pulse_count))
                    .field("preset", o.kind == "可置数脉冲");
                break;
            case PropertiesDialog::one_shot: {
                const std::string type = chip_type_of(o.kind);
                j.field("type", type).field("formula", one_shot_formula(type)).key("widths").array();
                for (const std::string& w : s.one_shot_texts(name)) j.value(w);
                j.end_array();
                break;
            }
            case PropertiesDialog::led_probe:
            case PropertiesDialog::display_probe: {
                const int inputs = properties_dialog(name) == PropertiesDialog::led_probe ? 1 : 4;
                j.key("inputs").array();
                for (int k = 0; k < inputs; ++k) j.value(o.param_text[size_t(k)]);
                j.end_array();
                test_points(j, c);
                break;
            }
            default:
                j.field("level", o.param_int[0] ? 1 : 0);
                break;
        }
    } else {
        error_text() = "这个对象已不存在。";
        return 1;
    }
    hand_back(j.end_object());
    return 0;
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set_pulse(const char* name, int idle, const char* frequency, const char* width,
                                           const char* phase, const char* count) {
    return refused(session().set_pulse(name, idle, frequency, width, phase, count));
}

// Width and phase as typing a frequency fills them ("" to leave them).
EMSCRIPTEN_KEEPALIVE const char* vorlisk_half_period(const char* frequency) {
    return hand_back(half_period_text(frequency));
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set_test_point_label(const char* name, const char* label) {
    return refused(session().set_test_point_label(name, label));
}

EMSCRIPTEN_KEEPALIVE int vorlisk_set_annotation(const char* name, const char* text, double back_color, int show_back,
                                                double frame_color, int show_frame, double font_color) {
    return refused(session().set_annotation(name, text, int32_t(back_color), show_back != 0, int32_t(frame_color),
                                            show_frame != 0, int32_t(font_color)));
}

// "由R、C计算": the width text in the result.
EMSCRIPTEN_KEEPALIVE int vorlisk_one_shot_rc(const char* name, int section, const char* r, const char* cap) {
    std::string text;
    const int field = refused(session().one_shot_rc(name, section, r, cap, text));
    hand_back(text);
    return field;
}

// The widths' texts, one a line.
EMSCRIPTEN_KEEPALIVE int vorlisk_set_one_shot(const char* name, const char* widths) {
    return refused(session().set_one_shot(name, lines_of(widths)));
}

// The test points' names bound to the inputs, one a line ("" for none).
EMSCRIPTEN_KEEPALIVE int vorlisk_set_probe(const char* name, const char* test_points) {
    if (session().set_probe(name, lines_of(test_points))) return 0;
    error_text() = "这个对象已不存在。";
    return 1;
}

// The chip chooser's pages: caption, colour and the entries listed.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_chip_pages() {
    Json j;
    j.array();
    for (int p = 0; p < kChipPages; ++p) {
        const ChipPage& page = chip_page(p);
        j.object().field("caption", page.caption).field("colour", (long long)page.colour).key("entries").array();
        for (const char* type : page.types) j.object().field("type", type).field("text", chip_entry_text(type)).end_object();
        j.end_array().end_object();
    }
    return hand_back(j.end_array());
}

// Which entries of a page stay listed while `typed` is in its edit box: "1" or "0" each.
EMSCRIPTEN_KEEPALIVE const char* vorlisk_chip_filter(int page, const char* typed) {
    std::string shown;
    for (const char* type : chip_page(page).types) shown += chip_entry_matches(chip_entry_text(type), typed) ? '1' : '0';
    return hand_back(shown);
}

EMSCRIPTEN_KEEPALIVE int vorlisk_choose_chip(int page, const char* typed) {
    return refused(session().choose_chip(page, typed));
}

}  // extern "C"
