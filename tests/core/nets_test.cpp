// Which coordinates connect, and how an input combines its net.
#include <gtest/gtest.h>

#include "engine/nets.h"
#include "tests/support/harness.h"

namespace vorlisk {
namespace {

using test::Harness;

TEST(PointOnSegment, ToleranceIsExactOnStraightAndLooseOnDiagonal) {
    //  px, py, x1, y1, x2, y2, on?
    const struct {
        int px, py, x1, y1, x2, y2;
        bool on;
    } cases[] = {
        {50, 0, 0, 0, 100, 0, true},      // inside a horizontal segment
        {0, 0, 0, 0, 100, 0, true},       // ends are inclusive
        {100, 0, 0, 0, 100, 0, true},
        {101, 0, 0, 0, 100, 0, false},
        {50, 1, 0, 0, 100, 0, false},     // one pixel beside is off
        {0, 50, 0, 0, 0, 100, true},      // vertical
        {1, 50, 0, 0, 0, 100, false},
        {30, 30, 0, 0, 100, 100, true},   // on a 45-degree diagonal
        {30, 31, 0, 0, 100, 100, true},   // one pixel off along y is still on
        {30, 32, 0, 0, 100, 100, false},
        {30, 70, 0, 100, 100, 0, true},   // falling diagonal
        {30, 30, 100, 100, 0, 0, true},   // drawn right to left
        {-1, -1, 0, 0, 100, 100, false},  // outside the x range
    };
    for (auto t : cases)
        EXPECT_EQ(point_on_segment(t.px, t.py, t.x1, t.y1, t.x2, t.y2, 1), t.on)
            << "(" << t.px << "," << t.py << ") on (" << t.x1 << "," << t.y1 << ")-(" << t.x2 << "," << t.y2 << ")";
}

// Readers are LEDs (input at x-20); drivers are level switches (output at
// x+30) whose output voltage the test sets.
struct Net : Harness {
    // Placed exactly (not snapped) so pins can sit anywhere.
    int at(std::string_view kind, int x, int y) {
        int i = add(kind);
        obj(i).x = int16_t(x), obj(i).y = int16_t(y);
        c.touch();
        return i;
    }
    int driver(int x, int y, float volts) {
        int i = at("高低电平控制器", x - 30, y);
        obj(i).out_v[0] = volts;
        return i;
    }
    int reader(int x, int y) { return at("发光二极管", x + 20, y); }
    float read(int r) {
        gather_input(c, r, 0);
        return obj(r).in_v[0];
    }
    double probe(int x, int y) {
        int t = add_test_point(c, x, y);
        c.touch();
        return read_test_point(c, c.test_points[t].name);
    }
};

TEST(Nets, PinsOnPinsConnectWithoutWires) {
    Net n;
    n.driver(100, 100, kHigh);
    int r = n.reader(100, 100);
    EXPECT_EQ(n.read(r), kHigh);
    // An object's own output pin counts too.
    int g = n.add("非门", 300, 300);
    n.obj(g).in_dx[0] = n.obj(g).out_dx[0];
    n.obj(g).in_dy[0] = n.obj(g).out_dy[0];
    n.obj(g).out_v[0] = kHigh;
    n.c.touch();
    gather_input(n.c, g, 0);
    EXPECT_EQ(n.obj(g).in_v[0], kHigh);
}

TEST(Nets, WireMiddlesConnectOnlyThroughJunctionsOrProbes) {
    Net n;
    n.driver(100, 100, kHigh);
    n.wire({100, 100}, {300, 100});
    int r = n.reader(200, 100);  // input tip inside the wire
    EXPECT_EQ(n.read(r), 0.0f);
    EXPECT_EQ(n.probe(200, 100), kReadingHigh) << "a test point hears a wire through its point";
    add_junction(n.c, 200, 100);
    EXPECT_EQ(n.read(r), kHigh);
}

TEST(Nets, CrossingsNeedJunctions) {
    Net n;
    n.driver(100, 200, kHigh);
    n.wire({100, 200}, {300, 200});
    n.wire({200, 100}, {200, 300});  // crosses at (200, 200)
    int r = n.reader(200, 300);
    EXPECT_EQ(n.read(r), 0.0f);
    add_junction(n.c, 200, 200);
    EXPECT_EQ(n.read(r), kHigh);
}

TEST(Nets, WireEndOnAnotherWiresMiddleNeedsAJunction) {
    Net n;
    n.driver(100, 100, kHigh);
    n.wire({100, 100}, {300, 100});
    n.wire({200, 100}, {200, 200});  // starts in the middle of the first
    int r = n.reader(200, 200);
    EXPECT_EQ(n.read(r), 0.0f);
    add_junction(n.c, 200, 100);
    EXPECT_EQ(n.read(r), kHigh);
}

TEST(Nets, JunctionOnADiagonalToleratesOnePixel) {
    Net n;
    n.driver(100, 100, kHigh);
    n.wire({100, 100}, {200, 200});
    n.wire({150, 151}, {150, 300});  // ends one pixel below the diagonal
    int r = n.reader(150, 300);
    EXPECT_EQ(n.read(r), 0.0f);
    n.c.junctions[add_junction(n.c, 0, 0)] = MY_POINT{"j", "焊接点", 150, 151, 0};
    n.c.touch();
    EXPECT_EQ(n.read(r), kHigh);
}

TEST(Nets, InputsNeverDrive) {
    Net n;
    int a = n.reader(100, 100);
    int b = n.reader(200, 100);
    n.wire({100, 100}, {200, 100});
    EXPECT_EQ(n.read(a), 0.0f);
    EXPECT_EQ(n.read(b), 0.0f);
}

TEST(Nets, SeveralDriversCombineByNetMode) {
    //   net_mode, driver A, driver B, expected input, expected test point
    const struct {
        int mode;
        float a, b, input;
        double reading;
    } cases[] = {
        {0, kHigh, kLow, kHigh, kReadingHigh},
        {1, kHigh, kLow, kLow, kReadingHigh},
        {0, 0.0f, kLow, 0.0f, 0.0},       // Gnd and a low driver read as undriven
        {1, kHigh, kHigh, kHigh, kReadingHigh},
        {1, 0.0f, kHigh, kLow, kReadingHigh},  // Gnd still reads low in mode 1
    };
    for (auto t : cases) {
        Net n;
        n.c.net_mode = t.mode;
        n.driver(100, 100, t.a);
        n.driver(300, 100, t.b);
        n.wire({100, 100}, {300, 100});
        int r = n.reader(100, 100);
        EXPECT_EQ(n.read(r), t.input) << "mode " << t.mode;
        EXPECT_EQ(n.probe(300, 100), t.reading);
    }
}

TEST(Nets, UndrivenAndUnknownModes) {
    Net n;
    int r = n.reader(100, 100);
    n.c.net_mode = 1;
    EXPECT_EQ(n.read(r), kHigh);
    n.c.net_mode = 2;
    n.obj(r).in_v[0] = 1.25f;
    EXPECT_EQ(n.read(r), 1.25f) << "other modes leave the input unchanged";
    EXPECT_EQ(n.probe(500, 500), 0.0);
    EXPECT_EQ(read_test_point(n.c, "no such"), 0.0);
}

TEST(Nets, LoopedNetsHearEveryDriverOnce) {
    // A closed square of wires with many drivers around it: a search that
    // restarts at every driver would fill up and miss the last one.
    Net n;
    n.wire({100, 100}, {1100, 100});
    n.wire({1100, 100}, {1100, 500});
    n.wire({1100, 500}, {100, 500});
    n.wire({100, 500}, {100, 100});
    for (int k = 0; k < 150; ++k) {
        int x = 110 + 6 * k;
        add_junction(n.c, x, 100);
        n.wire({x, 100}, {x, 60});
        n.driver(x, 60, kHigh);
    }
    n.driver(100, 500, kLow);  // the far corner, reached last
    n.c.net_mode = 1;
    int r = n.reader(1100, 500);
    EXPECT_EQ(n.read(r), kLow);
}

TEST(Nets, LongChainsDoNotRecurse) {
    Net n;
    n.driver(100, 0, kHigh);
    for (int k = 100; k < 1090; ++k) n.wire({k, 0}, {k + 1, 0});
    int r = n.reader(1090, 0);
    EXPECT_EQ(n.read(r), kHigh);
}

}  // namespace
}  // namespace vorlisk
