// The marks drawn over the picture at the screen's own size, worked out by
// hand in quarter screen pixels: where the rings and the outline land at a
// zoom and a scroll, the pens that keep their width, the rings' smallest
// size, the dashes running on round the outline's corners, and how near
// the cursor must come to a touch mark.
#include <gtest/gtest.h>

#include "render/command_list.h"
#include "render/view_hints.h"

namespace vorlisk {
namespace {

TEST(ViewHints, MarksLandOnTheScreenAtTheirOwnSize) {
    const ViewHints ring_and_touch{Point(170, 200), std::nullopt, {Point(180, 100)}};
    const struct {
        const char* what;
        ScreenMapping view;
        ViewHints hints;
        std::string commands;
    } cases[] = {
        {"100 %: a 1.5-pixel touch ring of radius 6, the ring of radius 6 round the pin's middle; "
         "the outline's dashes, 4 on and 2 off, running on round its corners",
         {1.0, 0, 0},
         {Point(170, 200), Rect32{10, 10, 14, 12}, {Point(180, 100)}},
         "rect 40 40 56 44 #808080 1 #808080\n"  // top: columns 10..13 on, 14 off
         "rect 56 48 60 52 #808080 1 #808080\n"  // right: row 11 off, 12 on
         "rect 44 48 56 52 #808080 1 #808080\n"  // bottom: 13..11 on, 10 off; left: row 11 off
         "ellipse 695 375 749 429 #d000d0 6 none\n"
         "line 705 385 739 419 #d000d0 6\n"
         "line 705 419 739 385 #d000d0 6\n"
         "ellipse 654 774 710 830 #00a000 8 none\n"},
        {"300 %, scrolled to (100, 50): radii 18, the touch pen 2 pixels from 200 %",
         {3.0, 100, 50},
         ring_and_touch,
         "ellipse 890 530 1042 682 #d000d0 8 none\n"
         "line 916 556 1016 656 #d000d0 8\n"
         "line 916 656 1016 556 #d000d0 8\n"
         "ellipse 770 1730 922 1882 #00a000 8 none\n"},
        {"25 %: the rings no smaller than 4 and 3 pixels",
         {0.25, 0, 0},
         ring_and_touch,
         "ellipse 162 82 200 120 #d000d0 6 none\n"
         "line 169 89 192 112 #d000d0 6\n"
         "line 169 112 192 89 #d000d0 6\n"
         "ellipse 155 185 187 217 #00a000 8 none\n"},
    };
    for (const auto& t : cases) {
        CommandList list(false, 1.0 / kHintUnits);
        draw_view_hints(list, t.hints, t.view);
        EXPECT_EQ(to_text(list.commands()), t.commands) << t.what;
        // What a window repaints for them holds all of it.
        const Rect area = view_hints_area(t.hints, t.view);
        for (const DrawCommand& k : list.commands())
            for (Point p : k.points)
                EXPECT_TRUE(area.intersects(Rect(p.x() / kHintUnits, p.y() / kHintUnits, 1, 1))) << t.what;
    }
}

TEST(ViewHints, TheCursorIsOnATouchMarkWithinItsRingAndTwoPixelsMore) {
    //  zoom  cursor's canvas pixel, the mark at (100, 100)  on
    const struct {
        double zoom;
        Point at;
        bool on;
    } cases[] = {
        {1.0, {108, 100}, true},   // 8 screen pixels: radius 6 + 2
        {1.0, {109, 100}, false},
        {1.0, {105, 105}, true},   // 7.1 pixels on the diagonal
        {1.0, {106, 106}, false},  // 8.5
        {3.0, {106, 100}, true},   // 18 + 2 = 20 pixels: 6 canvas pixels are 18
        {3.0, {107, 100}, false},  // 21
        {0.25, {124, 100}, true},  // the ring's least radius 4 + 2 = 6 pixels: 24 canvas pixels
        {0.25, {125, 100}, false},
    };
    const ViewHints hints{std::nullopt, std::nullopt, {Point(100, 100), Point(400, 400)}};
    for (const auto& t : cases)
        EXPECT_EQ(on_touch_mark(hints, ScreenMapping{t.zoom, 37.5, -12}, t.at), t.on)
            << t.zoom << " at " << t.at.x() << ", " << t.at.y();
}

}  // namespace
}  // namespace vorlisk
