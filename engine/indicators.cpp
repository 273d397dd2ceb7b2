#include "engine/indicators.h"

#include <cmath>

namespace vorlisk {

bool led_lit(const MY_BASE_OBJ& o) { return o.in_v[0] > kThreshold; }

unsigned lit_segments(const MY_BASE_OBJ& o) {
    if (o.kind == "数码管") {
        unsigned lit = 0;
        for (int k = 0; k < 8; ++k)
            if (std::trunc(o.in_v[k]) >= 3.0f) lit |= 1u << k;
        return lit;
    }
    int n = 0;
    for (int k = 0; k < 4; ++k) {
        if (o.in_v[k] == kThreshold) return 0;  // neither high nor low: no digit
        if (o.in_v[k] > kThreshold) n |= 1 << k;
    }
    return kBcdSegments[size_t(n)];
}

}  // namespace vorlisk
