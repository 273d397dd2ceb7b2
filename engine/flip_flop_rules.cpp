// Flip-flops keep Q in out_v[0] and their clock flags and masters in
// `state`. An input is high above 2.0 V and low below it; exactly 2.0 V is
// neither, so a test that needs high or low fails for it. Every rule ends by
// recomputing Q-bar from Q.
#include <cmath>

#include "engine/rules.h"

namespace vorlisk {
namespace {

void set(MY_BASE_OBJ& o) { o.out_v[0] = kHigh, o.out_v[1] = kLow; }
void reset(MY_BASE_OBJ& o) { o.out_v[0] = kLow, o.out_v[1] = kHigh; }

// S high and R low sets, S low and R high resets, anything else holds.
void rs(MY_BASE_OBJ& o, float s, float r) {
    if (is_high(s) && is_low(r))
        set(o);
    else if (is_low(s) && is_high(r))
        reset(o);
}

// Integer part of a voltage, truncated toward zero: 3.6 V gives 3.
int16_t master_bit(float v) { return int16_t(std::trunc(v)); }

}  // namespace

void flip_flop_rule(const Circuit& c, MY_BASE_OBJ& o, Rule rule) {
    const auto& in = o.in_v;
    auto& st = o.state;
    switch (rule) {
        case Rule::rs_nor: rs(o, in[0], in[1]); break;
        case Rule::rs_nand: rs(o, in[1], in[0]); break;  // active low: S-bar low sets
        case Rule::rs_clocked:
            if (is_high(in[2])) rs(o, in[0], in[1]);
            break;
        case Rule::rs_master_slave:
            if (is_high(in[2])) st[2] = 1;
            if (is_low(in[2]) && st[2] == 1) {  // the clock has fallen: master to outputs
                if (st[0] > 2 && st[1] < 2)
                    set(o);
                else if (st[0] < 2 && st[1] > 2)
                    reset(o);
                st[2] = 0;
            } else if (is_low(in[2])) {  // master follows while the clock is low
                st[0] = master_bit(in[0]);
                st[1] = master_bit(in[1]);
                st[2] = 0;
            }
            break;
        case Rule::d_cmos:
            if (is_high(in[1])) st[0] = 1;
            if (is_low(in[1]) && st[0] == 1) {
                if (is_high(in[0]))
                    set(o);
                else if (is_low(in[0]))
                    reset(o);
                st[0] = 0;
            } else if (is_low(in[1])) {
                st[0] = 0;
            }
            break;
        case Rule::d_edge:
            if (is_low(in[2])) st[0] = 0;
            if (is_high(in[2]) && st[0] == 0) {  // rising edge
                if (is_high(in[1]))
                    set(o);
                else if (is_low(in[1]))
                    reset(o);
                st[0] = 1;
            } else if (is_high(in[2])) {
                st[0] = 1;
            }
            rs(o, in[0], in[3]);  // direct set and reset act after the clock
            break;
        case Rule::jk_edge:
            if (is_high(in[1])) st[0] = 1;
            if (is_low(in[1]) && st[0] == 1) {  // falling edge
                if (is_high(in[0]) && is_low(in[2])) {
                    set(o);
                } else if (is_low(in[0]) && is_high(in[2])) {
                    reset(o);
                } else if (is_high(in[0]) && is_high(in[2])) {
                    if (is_high(o.out_v[0]))
                        reset(o);
                    else if (is_low(o.out_v[0]))
                        set(o);
                    else
                        c.message("JK触发器计算出错。");
                }
                st[0] = 0;
            } else if (is_low(in[1])) {
                st[0] = 0;
            }
            break;
        default: return;
    }
    o.out_v[1] = o.out_v[0] < kThreshold ? kHigh : kLow;
}

}  // namespace vorlisk
