#include "editor/hit_test.h"

namespace vorlisk {

std::string object_at(const Circuit& c, int x, int y) {
    for (int i = 0; i < c.object_count; ++i) {
        const MY_BASE_OBJ& o = c.objects[i];
        const Rect32& b = o.body_rect;
        if (x >= o.x + b.left && x <= o.x + b.right && y >= o.y + b.top && y <= o.y + b.bottom) return o.name;
    }
    return {};
}

}  // namespace vorlisk
