#include "model/restyle.h"

namespace vorlisk {

void restyle_components(Circuit& c) {
    for (int i = 0; i < c.object_count; ++i) {
        MY_BASE_OBJ& o = c.objects[i];
        const auto cat = category_of_kind(o.kind);
        if (!cat) continue;
        const CategoryStyle& s = c.draw.of(*cat);
        o.border_color = s.border_color;
        o.border_width = int16_t(s.border_width);
        o.fill_color = s.fill_color;
        o.font_color = s.font_color;
        o.font_bold = s.font_bold;
        if (*cat == Category::leds) {
            o.param_int[0] = c.draw.led_on_color;
            o.param_int[1] = c.draw.led_off_color;
        } else if (*cat == Category::displays) {
            o.param_int[0] = c.draw.seg_on_color;
            o.param_int[1] = c.draw.seg_off_color;
        }
    }
}

}  // namespace vorlisk
