// The command list's text form: each call reads back as it was written,
// and lines that are not calls are refused.
#include <gtest/gtest.h>

#include "render/command_list.h"
#include "render/pictures.h"

namespace vorlisk {
namespace {

TEST(CommandText, CallsReadBackEqual) {
    CommandList list(false, 2.0);
    list.set_pen(0x123456, 2);
    list.line(-5, 7, 100000, -3);
    const Point route[] = {{0, 0}, {10, 0}, {10, 20}};
    list.polyline(route);
    list.set_brush(0xabcdef);
    list.rectangle(1, 2, 3, 4);
    list.clear_brush();
    list.ellipse(-10, -10, 11, 11);
    list.pixel(3, 4, 0xff0000);
    CanvasFont f{"宋体 \"bold\" \\ face", 683, true, true, false, true, 0x00ff00};
    list.set_font(f);
    list.text(1, 2, "汉字 \"quoted\" back\\slash\nnew line\rreturn");
    list.set_font(pin_number_font());
    list.text_up(-1, -2, "16");
    PixelPicture p;
    p.id = 5;
    p.width = p.height = 1;
    p.pixels = {0};
    list.picture(7, 8, p, 0xff0000);
    const Rect clip[] = {Rect(0, 0, 10, 10), Rect(Point(-5, -5), Point(3, 2))};
    list.set_clip(clip);
    list.set_clip({});
    ASSERT_EQ(list.commands().size(), 10u);
    for (const DrawCommand& k : list.commands()) {
        const std::string line = to_line(k);
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        EXPECT_EQ(parse_line(line), k) << line;
    }
    EXPECT_EQ(parse_text(to_text(list.commands())), list.commands());
    EXPECT_EQ(to_line(list.commands()[0]), "line -5 7 100000 -3 #563412 2");
    EXPECT_EQ(to_line(list.commands()[8]), "clip 2 0 0 9 9 -5 -5 3 2");
}

TEST(CommandText, RefusesWhatIsNoCall) {
    for (const char* line : {"", "lines 0 0 1 1 #000000 1", "line 0 0 1 #000000 1", "line 0 0 1 1 000000 1",
                             "line 0 0 1 1 #00000g 1", "line 0 0 1 1 #000000 1 extra", "rect 0 0 1 1 #000000 1 white",
                             "text 0 0 1 1 #000000 12 x \"Arial\" \"a\"", "text 0 0 1 1 #000000 12 - \"Arial\" \"a",
                             "text 0 0 1 1 #000000 12 - \"Arial\" \"\\q\"", "polyline #000000 1 2 0 0",
                             "clip 1 0 0 1"})
        EXPECT_FALSE(parse_line(line).has_value()) << line;
}

}  // namespace
}  // namespace vorlisk
