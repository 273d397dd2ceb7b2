// Gates and adders. The AND, NAND, inverter and AND-OR-INVERT rules take
// exactly 2.0 V as high; OR and NOR take it as low; the exclusive gates
// compare the two voltages with each other.
#include <cmath>

#include "engine/rules.h"

namespace vorlisk {
namespace {

bool every_at_least(const MY_BASE_OBJ& o) {
    for (int k = 0; k < o.input_count && k < kMaxPins; ++k)
        if (!at_least(o.in_v[k])) return false;
    return true;
}

bool any_high(const MY_BASE_OBJ& o) {
    for (int k = 0; k < o.input_count && k < kMaxPins; ++k)
        if (is_high(o.in_v[k])) return true;
    return false;
}

bool differ(const MY_BASE_OBJ& o) { return std::fabs(o.in_v[0] - o.in_v[1]) >= 0.5f; }

// Full adder rows {A, B, carry in} -> {sum, carry out}; an input at exactly
// 2.0 V matches no row and the outputs hold.
void full_adder(MY_BASE_OBJ& o) {
    auto classify = [](float v) { return is_high(v) ? 1 : is_low(v) ? 0 : -1; };
    int a = classify(o.in_v[0]), b = classify(o.in_v[1]), ci = classify(o.in_v[2]);
    if (a < 0 || b < 0 || ci < 0) return;
    int sum = a + b + ci;
    o.out_v[0] = level(sum & 1);
    o.out_v[1] = level(sum >= 2);
}

}  // namespace

void gate_rule(MY_BASE_OBJ& o, Rule rule) {
    switch (rule) {
        case Rule::and_: o.out_v[0] = level(every_at_least(o)); break;
        case Rule::nand_: o.out_v[0] = level(!every_at_least(o)); break;
        case Rule::or_: o.out_v[0] = level(any_high(o)); break;
        case Rule::nor_: o.out_v[0] = level(!any_high(o)); break;
        case Rule::not_: o.out_v[0] = level(!at_least(o.in_v[0])); break;
        case Rule::xor_: o.out_v[0] = level(differ(o)); break;
        case Rule::xnor_: o.out_v[0] = level(!differ(o)); break;
        case Rule::aoi: {
            bool upper = at_least(o.in_v[0]) && at_least(o.in_v[1]);
            bool lower = at_least(o.in_v[2]) && at_least(o.in_v[3]);
            o.out_v[0] = level(!(upper || lower));
            break;
        }
        case Rule::half_adder:
            o.out_v[0] = level(differ(o));
            o.out_v[1] = level(is_high(o.in_v[0]) && is_high(o.in_v[1]));
            break;
        case Rule::full_adder: full_adder(o); break;
        default: break;
    }
}

}  // namespace vorlisk
