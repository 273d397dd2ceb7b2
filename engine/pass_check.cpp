// The side-by-side check: one pass activity-driven and then, from the same
// start, as the sweep; any field in which they differ is reported, and the
// sweep's result is the one that stays.
#include "engine/pass_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vorlisk {

void capture_run_fields(const Circuit& c, std::vector<RunFields>& v) {
    v.resize(size_t(c.object_count));
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        v[i] = RunFields{o.in_v, o.out_v, o.prev_in_v, o.prev_out_v, o.state, o.in_mark,
                         o.param_real[0], o.dirty, o.pass_mark_a, o.pass_mark_b};
    }
}

void restore_run_fields(Circuit& c, const std::vector<RunFields>& v) {
    for (size_t i = 0; i < v.size(); ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        const RunFields& f = v[i];
        o.in_v = f.in_v, o.out_v = f.out_v, o.prev_in_v = f.prev_in_v, o.prev_out_v = f.prev_out_v;
        o.state = f.state, o.in_mark = f.in_mark, o.param_real[0] = f.pulse_start;
        o.dirty = f.dirty, o.pass_mark_a = f.pass_mark_a, o.pass_mark_b = f.pass_mark_b;
    }
}

namespace {

template <class T, size_t N>
int first_difference(const std::array<T, N>& a, const std::array<T, N>& b) {
    for (size_t k = 0; k < N; ++k)
        if (std::memcmp(&a[k], &b[k], sizeof(T)) != 0) return int(k);
    return -1;
}

// The first field in which the activity pass's result differs from the
// sweep's, as "name field[k]: activity value, sweep value"; empty if none.
std::string difference(const Circuit& c, const std::vector<RunFields>& activity) {
    char text[160];
    for (size_t i = 0; i < activity.size(); ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const RunFields& a = activity[i];
        auto volts = [&](const char* field, const PinVolts& x, const PinVolts& y) {
            int k = first_difference(x, y);
            if (k >= 0) std::snprintf(text, sizeof text, "%s[%d]：%g / %g", field, k, x[k], y[k]);
            return k >= 0;
        };
        auto words = [&](const char* field, const PinArray16& x, const PinArray16& y) {
            int k = first_difference(x, y);
            if (k >= 0) std::snprintf(text, sizeof text, "%s[%d]：%d / %d", field, k, x[k], y[k]);
            return k >= 0;
        };
        bool differs = volts("in_v", a.in_v, o.in_v) || volts("out_v", a.out_v, o.out_v) ||
                       volts("prev_in_v", a.prev_in_v, o.prev_in_v) ||
                       volts("prev_out_v", a.prev_out_v, o.prev_out_v) || words("state", a.state, o.state) ||
                       words("in_mark", a.in_mark, o.in_mark);
        if (!differs && std::memcmp(&a.pulse_start, &o.param_real[0], sizeof(double)) != 0) {
            std::snprintf(text, sizeof text, "param_real[0]：%g / %g", a.pulse_start, o.param_real[0]);
            differs = true;
        }
        if (!differs && (a.dirty != o.dirty || a.pass_mark_a != o.pass_mark_a || a.pass_mark_b != o.pass_mark_b)) {
            std::snprintf(text, sizeof text, "dirty/pass_mark：%d %d %d / %d %d %d", a.dirty, a.pass_mark_a,
                          a.pass_mark_b, o.dirty, o.pass_mark_a, o.pass_mark_b);
            differs = true;
        }
        if (differs) return o.name + " " + text;
    }
    return {};
}

}  // namespace

void compare_check_halves(Circuit& c, PassSchedule& s, const std::vector<RunFields>& activity,
                          uint8_t activity_output_byte) {
    std::string diff = difference(c, activity);
    if (diff.empty() && activity_output_byte != c.hw.output_byte)
        diff = "output_byte：" + std::to_string(activity_output_byte) + " / " + std::to_string(c.hw.output_byte);
    if (diff.empty()) return;
    s.wake_everything = true;  // go on from the sweep's result
    ++s.mismatches;
    if (s.first_mismatch.empty()) s.first_mismatch = diff;
    c.message("运算校验：活动驱动运算与逐个运算结果不同，" + diff);
#ifdef VORLISK_CHECK_PASS
    std::fprintf(stderr, "pass check failed at sim_time %g: %s\n", c.sim_time, diff.c_str());
    std::abort();
#endif
}

}  // namespace vorlisk
