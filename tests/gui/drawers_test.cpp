// Pixel checks of the painting layer and the drawers on an offscreen canvas.
#include <QtTest>

#include "app/Unit_bitmap.h"
#include "gui_support.h"
#include "render/canvas.h"
#include "render/drawers.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"

using namespace vorlisk;
using vorlisk::test::place;

namespace {
constexpr int32_t kPen = 0x0000ff;    // red
constexpr int32_t kBrush = 0xff0000;  // blue
constexpr int32_t kPaper = 0xffffff;
using Points = QList<QPoint>;
}  // namespace

class DrawersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Circuit> c;
    Pictures pictures;
    Canvas cv{300, 300};
    DrawOptions view;

    void full() { redraw_canvas(cv, *c, 300, 300, kRedrawFull, view); }

private slots:
    void initTestCase() {
        vorlisk::test::quiet_offscreen_notices();
        pictures = component_pictures();
    }

    void init() {
        c = make_circuit();
        c->draw.show_grid = false;  // a plain background unless a test wants the grid
        cv.resize(300, 300);
        view.pictures = &pictures;
    }

    void pixel_rules_data();
    void pixel_rules();
    void rubber_band_is_dotted();
    void grid_data();
    void grid();
    void led_data();
    void led();
    void dynamic_redraw_paints_only_dirty_components();
    void display_segments_data();
    void display_segments();
    void selection_frame_data();
    void selection_frame();
    void junction_data();
    void junction();
    void test_point_ring_data();
    void test_point_ring();
    void symbol_style_one_draws_only_the_frame_data();
    void symbol_style_one_draws_only_the_frame();
    void wide_wire_leaves_out_its_end();
    void wire_in_progress_is_red_and_two_pixels_wide();
    void drag_modes_split_the_selection_data();
    void drag_modes_split_the_selection();
    void round_marks_are_circles_when_scaled_data();
    void round_marks_are_circles_when_scaled();
};

// Columns: shape drawn with a red pen and a blue brush on white paper, the
// pen width, pixels in the pen colour, pixels in the brush colour, pixels
// left white.
void DrawersTest::pixel_rules_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("width");
    QTest::addColumn<Points>("pen");
    QTest::addColumn<Points>("brush");
    QTest::addColumn<Points>("paper");
    QTest::newRow("line leaves out its end") << "line" << 1 << Points{{10, 10}, {19, 10}} << Points{}
                                             << Points{{20, 10}, {9, 10}, {10, 9}, {10, 11}};
    QTest::newRow("2-px line reaches up and left")
        << "line" << 2 << Points{{9, 9}, {9, 10}, {19, 9}, {19, 10}} << Points{} << Points{{20, 10}, {10, 11}, {8, 10}};
    QTest::newRow("diagonal line") << "diagonal" << 1 << Points{{10, 10}, {14, 14}} << Points{}
                                   << Points{{15, 15}, {11, 10}};
    QTest::newRow("rectangle without right and bottom edge")
        << "rect" << 1 << Points{{10, 10}, {19, 10}, {10, 19}, {19, 19}} << Points{{11, 11}, {18, 18}}
        << Points{{20, 20}, {20, 15}, {15, 20}, {9, 9}};
    QTest::newRow("2-px rectangle moved in at the top left keeps the outer edge")
        << "rect2" << 2 << Points{{10, 10}, {11, 11}, {20, 20}, {19, 19}, {10, 20}} << Points{{12, 12}, {18, 18}}
        << Points{{9, 9}, {21, 21}, {21, 15}};
    QTest::newRow("ellipse inside its box") << "ellipse" << 1 << Points{{10, 15}, {19, 15}, {15, 10}, {15, 19}}
                                            << Points{{15, 15}} << Points{{20, 15}, {15, 20}, {10, 10}, {19, 19}};
}

void DrawersTest::pixel_rules() {
    QFETCH(QString, shape);
    QFETCH(int, width);
    QFETCH(Points, pen);
    QFETCH(Points, brush);
    QFETCH(Points, paper);
    cv.set_pen(kPaper, 1);
    cv.set_brush(kPaper);
    cv.rectangle(0, 0, 300, 300);
    cv.set_pen(kPen, width);
    cv.set_brush(kBrush);
    if (shape == "line") cv.line(10, 10, 20, 10);
    else if (shape == "diagonal") cv.line(10, 10, 15, 15);
    else if (shape == "rect") cv.rectangle(10, 10, 20, 20);
    else if (shape == "rect2") cv.rectangle(11, 11, 21, 21);
    else if (shape == "ellipse") cv.ellipse(10, 10, 20, 20);
    for (QPoint p : pen) QVERIFY2(cv.pixel_at(p.x(), p.y()) == kPen, qPrintable(QString("pen at %1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : brush) QVERIFY2(cv.pixel_at(p.x(), p.y()) == kBrush, qPrintable(QString("brush at %1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : paper) QVERIFY2(cv.pixel_at(p.x(), p.y()) == kPaper, qPrintable(QString("paper at %1,%2").arg(p.x()).arg(p.y())));
}

void DrawersTest::rubber_band_is_dotted() {
    full();
    draw_rubber_band(cv, Rect32{20, 30, 120, 90}, kRed);
    QCOMPARE(cv.pixel_at(20, 30), kRed);  // dotted: every other pixel
    QCOMPARE(cv.pixel_at(21, 30), kPaper);
    QCOMPARE(cv.pixel_at(120, 31), kPaper);  // the box leaves out its right edge
    QCOMPARE(cv.pixel_at(119, 31), kRed);
}

// Columns: show_grid, probe point, whether it shows the grid colour.
void DrawersTest::grid_data() {
    QTest::addColumn<bool>("show");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("grid_colour");
    QTest::newRow("vertical line") << true << QPoint(10, 5) << true;
    QTest::newRow("horizontal line") << true << QPoint(5, 290) << true;
    QTest::newRow("origin") << true << QPoint(0, 0) << true;
    QTest::newRow("between lines") << true << QPoint(5, 5) << false;
    QTest::newRow("grid hidden") << false << QPoint(10, 5) << false;
}

void DrawersTest::grid() {
    QFETCH(bool, show);
    QFETCH(QPoint, at);
    QFETCH(bool, grid_colour);
    c->draw.show_grid = show;
    full();
    QCOMPARE(cv.pixel_at(at.x(), at.y()), grid_colour ? c->draw.grid_color : c->draw.back_color);
}

// Columns: voltage of the LED's input, whether it shows lit.
void DrawersTest::led_data() {
    QTest::addColumn<float>("volts");
    QTest::addColumn<bool>("lit");
    QTest::newRow("high") << 3.6f << true;
    QTest::newRow("just above 2 V") << 2.01f << true;
    QTest::newRow("exactly 2 V is unlit") << 2.0f << false;
    QTest::newRow("low") << 0.5f << false;
}

void DrawersTest::led() {
    QFETCH(float, volts);
    QFETCH(bool, lit);
    const int i = place(*c, "发光二极管", 100, 100);
    c->objects[i].in_v[0] = volts;
    full();
    const int32_t expected = lit ? c->draw.led_on_color : c->draw.led_off_color;
    QCOMPARE(cv.pixel_at(100, 100), expected);
    QCOMPARE(cv.pixel_at(95, 105), expected);
    QCOMPARE(cv.pixel_at(103, 95), kWhite);                          // the highlight
    QCOMPARE(cv.pixel_at(90, 100), c->objects[i].border_color);     // the ring
    QCOMPARE(cv.pixel_at(100, 89), c->draw.back_color);             // its top bump put back
    QCOMPARE(cv.pixel_at(85, 100), c->draw.wire_color);             // the pin stroke
}

void DrawersTest::dynamic_redraw_paints_only_dirty_components() {
    const int a = place(*c, "发光二极管", 100, 100);
    const int b = place(*c, "发光二极管", 200, 100);
    full();
    c->objects[a].in_v[0] = c->objects[b].in_v[0] = 3.6f;
    c->objects[a].dirty = 1;
    redraw_canvas(cv, *c, 300, 300, kRedrawDynamic, view);
    QCOMPARE(cv.pixel_at(100, 100), c->draw.led_on_color);
    QCOMPARE(cv.pixel_at(200, 100), c->draw.led_off_color);  // not dirty: left alone
    QCOMPARE(c->objects[a].dirty, int16_t(0));
}

// Columns: display kind, running, input voltages, segment probed, lit.
void DrawersTest::display_segments_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QList<float>>("inputs");
    QTest::addColumn<QChar>("segment");
    QTest::addColumn<bool>("lit");
    const QList<float> high8(8, 3.6f);
    QTest::newRow("running, a high") << "数码管" << true << high8 << QChar('a') << true;
    QTest::newRow("stopped shows all unlit") << "数码管" << false << high8 << QChar('a') << false;
    QTest::newRow("stopped, point") << "数码管" << false << high8 << QChar('h') << false;
    QTest::newRow("running, point") << "数码管" << true << high8 << QChar('h') << true;
    QTest::newRow("2.9 V is off") << "数码管" << true << QList<float>{2.9f, 0, 0, 0, 0, 0, 0, 0} << QChar('a') << false;
    QTest::newRow("3.0 V is on") << "数码管" << true << QList<float>{3.0f, 0, 0, 0, 0, 0, 0, 0} << QChar('a') << true;
    QTest::newRow("g of a plain display") << "数码管" << true << QList<float>{0, 0, 0, 0, 0, 0, 3.6f, 0} << QChar('g') << true;
    const QList<float> nine{3.6f, 0.5f, 0.5f, 3.6f};
    QTest::newRow("BCD 9 lights a") << "数码管BCD" << true << nine << QChar('a') << true;
    QTest::newRow("BCD 9 without d") << "数码管BCD" << true << nine << QChar('d') << false;
    QTest::newRow("BCD 9 lights f") << "数码管BCD" << true << nine << QChar('f') << true;
    QTest::newRow("BCD 15 is blank") << "数码管BCD" << true << QList<float>(4, 3.6f) << QChar('g') << false;
    QTest::newRow("BCD 0 lights a") << "数码管BCD" << true << QList<float>(4, 0.5f) << QChar('a') << true;
    QTest::newRow("BCD input at 2 V: no digit") << "数码管BCD" << true << QList<float>{2.0f, 0.5f, 0.5f, 0.5f}
                                                << QChar('a') << false;
}

void DrawersTest::display_segments() {
    QFETCH(QString, kind);
    QFETCH(bool, running);
    QFETCH(QList<float>, inputs);
    QFETCH(QChar, segment);
    QFETCH(bool, lit);
    const int i = place(*c, kind.toUtf8().constData(), 150, 150);
    MY_BASE_OBJ& o = c->objects[i];
    for (int k = 0; k < inputs.size(); ++k) o.in_v[k] = inputs[k];
    c->running = running;
    full();
    const int X = kind == "数码管BCD" ? 145 : 150, Y = 150;
    const QHash<QChar, QPoint> probe{{'a', {X, Y - 21}}, {'b', {X + 12, Y - 10}}, {'c', {X + 12, Y + 10}},
                                     {'d', {X, Y + 21}},  {'e', {X - 12, Y + 10}}, {'f', {X - 12, Y - 10}},
                                     {'g', {X, Y}},       {'h', {X + 20, Y + 19}}};
    const QPoint p = probe[segment];
    QCOMPARE(cv.pixel_at(p.x(), p.y()), lit ? o.param_int[0] : o.param_int[1]);
}

// Columns: whether the gate is selected, probe point, whether it is red.
void DrawersTest::selection_frame_data() {
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("red");
    // An AND gate at (100, 100) has the outline (-30, -20, 20, 20).
    QTest::newRow("left edge") << true << QPoint(70, 100) << true;
    QTest::newRow("right edge, outline included") << true << QPoint(120, 100) << true;
    QTest::newRow("bottom edge") << true << QPoint(100, 120) << true;
    QTest::newRow("beyond the right edge") << true << QPoint(121, 100) << false;
    QTest::newRow("beyond the left edge") << true << QPoint(69, 100) << false;
    QTest::newRow("not selected") << false << QPoint(70, 100) << false;
}

void DrawersTest::selection_frame() {
    QFETCH(bool, selected);
    QFETCH(QPoint, at);
    QFETCH(bool, red);
    const int i = place(*c, "与门", 100, 100);
    if (selected) c->selection.push_back(c->objects[i].name);
    full();
    QCOMPARE(cv.pixel_at(at.x(), at.y()) == kRed, red);
}

// Columns: junction size, wire width, first and last pixel of the disc
// across its centre, relative to the junction.
void DrawersTest::junction_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("wire");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("size 2, thin wires") << 2 << 1 << -2 << 1;
    QTest::newRow("size 3, thin wires") << 3 << 1 << -2 << 2;
    QTest::newRow("size 4, thin wires") << 4 << 1 << -3 << 3;
    QTest::newRow("size 3, thick wires") << 3 << 2 << -3 << 2;
    QTest::newRow("size 4, thick wires") << 4 << 2 << -4 << 3;
}

void DrawersTest::junction() {
    QFETCH(int, size);
    QFETCH(int, wire);
    QFETCH(int, first);
    QFETCH(int, last);
    c->draw.junction_size = size;
    c->draw.wire_width = wire;
    c->draw.junction_color = 0x00aa00;
    MY_POINT j;
    j.name = "焊接点1";
    j.x = j.y = 100;
    draw_junction(cv, *c, j, false);
    cv.set_pen(0, 1);
    for (auto [x, y, inside] : {std::tuple{100 + first, 100, true}, std::tuple{100 + last, 100, true},
                                std::tuple{100 + first - 1, 100, false}, std::tuple{100 + last + 1, 100, false},
                                std::tuple{100, 100 + first, true}, std::tuple{100, 100 + last + 1, false}})
        QVERIFY2((cv.pixel_at(x, y) == 0x00aa00) == inside, qPrintable(QString("at %1,%2").arg(x).arg(y)));
}

// Columns: whether the test point is selected, probe offset from it, the
// colour expected there ("ring", "fill", "paper").
void DrawersTest::test_point_ring_data() {
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QString>("expect");
    QTest::newRow("outer ring") << false << QPoint(-4, 0) << "ring";
    QTest::newRow("inner disc's edge") << false << QPoint(-3, 0) << "ring";
    QTest::newRow("inside") << false << QPoint(0, 0) << "fill";
    QTest::newRow("ring, right side") << false << QPoint(3, 0) << "ring";
    QTest::newRow("outside") << false << QPoint(-5, 0) << "paper";
    QTest::newRow("outside, right") << false << QPoint(4, 0) << "paper";
    QTest::newRow("selected ring is red") << true << QPoint(-4, 0) << "red";
}

void DrawersTest::test_point_ring() {
    QFETCH(bool, selected);
    QFETCH(QPoint, offset);
    QFETCH(QString, expect);
    MY_TEST_POINT& t = c->test_points[0];
    t.name = "检测点1";
    t.kind = "检测点";
    t.label = "A";
    t.x = t.y = 100;
    t.label_dx = 10, t.label_dy = 10;
    c->test_point_count = 1;
    if (selected) c->selection.push_back(t.name);
    full();
    const int32_t want = expect == "ring"   ? c->draw.test_point_ring_color
                         : expect == "fill" ? c->draw.test_point_fill_color
                         : expect == "red"  ? kRed
                                            : c->draw.back_color;
    QCOMPARE(cv.pixel_at(100 + offset.x(), 100 + offset.y()), want);
}

// Columns: whether the gate is selected, probe point, whether the pixel is
// the background.
void DrawersTest::symbol_style_one_draws_only_the_frame_data() {
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("background");
    QTest::newRow("inside the body") << false << QPoint(95, 100) << true;
    QTest::newRow("the body's edge") << false << QPoint(80, 100) << true;
    QTest::newRow("a pin tip") << false << QPoint(70, 90) << true;
    QTest::newRow("the frame when selected") << true << QPoint(70, 100) << false;
}

void DrawersTest::symbol_style_one_draws_only_the_frame() {
    QFETCH(bool, selected);
    QFETCH(QPoint, at);
    QFETCH(bool, background);
    const int i = place(*c, "与非门", 100, 100);
    c->objects[i].symbol_style = 1;
    if (selected) c->selection.push_back(c->objects[i].name);
    full();
    QCOMPARE(cv.pixel_at(at.x(), at.y()) == c->draw.back_color, background);
}

void DrawersTest::wide_wire_leaves_out_its_end() {
    MY_LINK& w = c->wires[0];
    w.name = "导线1";
    w.kind = "导线";
    w.x1 = 50, w.y1 = 100, w.x2 = 150, w.y2 = 100;
    w.bend_count = 1;
    w.bends[0] = {100, 100};
    c->wire_count = 1;
    full();
    QCOMPARE(cv.pixel_at(50, 100), c->draw.wire_color);
    QCOMPARE(cv.pixel_at(149, 99), c->draw.wire_color);
    QCOMPARE(cv.pixel_at(100, 99), c->draw.wire_color);  // through the bend
    QCOMPARE(cv.pixel_at(150, 100), c->draw.back_color);
    QCOMPARE(cv.pixel_at(100, 101), c->draw.back_color);
}

void DrawersTest::wire_in_progress_is_red_and_two_pixels_wide() {
    full();
    draw_wire_in_progress(cv, *c);  // none under way: nothing drawn
    QCOMPARE(cv.pixel_at(60, 40), c->draw.back_color);
    MY_LINK& w = c->drawing_wire;
    w.name = "导线1";
    w.x1 = 40, w.y1 = 40, w.x2 = 80, w.y2 = 80;
    w.bend_count = 1;
    w.bends[0] = {80, 40};
    draw_wire_in_progress(cv, *c);
    QCOMPARE(cv.pixel_at(60, 40), kRed);
    QCOMPARE(cv.pixel_at(60, 39), kRed);
    QCOMPARE(cv.pixel_at(79, 60), kRed);
    QCOMPARE(cv.pixel_at(80, 80), c->draw.back_color);
    QCOMPARE(cv.pen_width(), 1);
}

// Columns: redraw mode (on a white picture), whether the wire is selected,
// the colour expected on it ("wire", "red", "paper").
void DrawersTest::drag_modes_split_the_selection_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QString>("expect");
    QTest::newRow("full, selected") << int(kRedrawFull) << true << "red";
    QTest::newRow("static leaves out the selection") << int(kRedrawStatic) << true << "paper";
    QTest::newRow("static draws the rest") << int(kRedrawStatic) << false << "wire";
    QTest::newRow("moving draws the selection") << int(kRedrawMoving) << true << "red";
    QTest::newRow("moving leaves out the rest") << int(kRedrawMoving) << false << "paper";
    QTest::newRow("dynamic draws no wires") << int(kRedrawDynamic) << true << "paper";
}

void DrawersTest::drag_modes_split_the_selection() {
    QFETCH(int, mode);
    QFETCH(bool, selected);
    QFETCH(QString, expect);
    c->draw.back_color = 0xfefefe;  // the background a static redraw paints
    MY_LINK& w = c->wires[0];
    w.name = "导线1";
    w.kind = "导线";
    w.x1 = 50, w.y1 = 100, w.x2 = 150, w.y2 = 100;
    c->wire_count = 1;
    if (selected) c->selection.push_back(w.name);
    redraw_canvas(cv, *c, 300, 300, mode, view);
    const int32_t want = expect == "red" ? kRed : expect == "wire" ? c->draw.wire_color : -2;
    const int32_t got = cv.pixel_at(100, 100);
    if (want == -2) QVERIFY(got == kPaper || got == 0xfefefe);
    else QCOMPARE(got, want);
}

QTEST_MAIN(DrawersTest)
#include "drawers_test.moc"

// Columns: the component, its border width, the scale it is drawn at.
// Scaled up, an inverter's bubble and a chip's pin-1 mark are round: the
// outer edge of the ring lies at the same distance from the centre in every
// direction (the exact pixel pattern, enlarged, would show its steps).
void DrawersTest::round_marks_are_circles_when_scaled_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("border");
    QTest::addColumn<double>("scale");
    QTest::newRow("bubble, 200 % or ratio 2") << "非门" << 2 << 2.0;
    QTest::newRow("bubble, 400 %") << "非门" << 2 << 4.0;
    QTest::newRow("thin bubble, 400 %") << "非门" << 1 << 4.0;
    QTest::newRow("chip's pin-1 mark, 400 %") << "集成芯片组合逻辑(74LS00)" << 2 << 4.0;
}

void DrawersTest::round_marks_are_circles_when_scaled() {
    QFETCH(QString, kind);
    QFETCH(int, border);
    QFETCH(double, scale);
    const int i = place(*c, kind.toUtf8().constData(), 50, 50);
    MY_BASE_OBJ& o = c->objects[i];
    o.border_width = border;
    QImage image(int(100 * scale), int(100 * scale), QImage::Format_RGB32);
    ScaledCanvas sc(&image, scale);
    redraw_canvas(sc, *c, 100, 100, kRedrawFull);
    sc.end();
    // The mark's centre: the middle of the pixel box its exact pattern covers.
    const QPointF centre((o.x + o.bubbles[0].dx + 0.5) * scale, (o.y + o.bubbles[0].dy + 0.5) * scale);
    const double reach = 5.5 * scale;
    double nearest = reach, farthest = 0;
    // Up and down, away from the body's edge and the pin the ring touches.
    for (int deg = 65; deg <= 115; deg += 5) {
        for (const double a : {deg * M_PI / 180, -deg * M_PI / 180}) {
            double outer = 0;  // the ring's outer edge in this direction
            for (double r = 0; r < reach; r += 0.25) {
                const QPointF q = centre + QPointF(std::cos(a), std::sin(a)) * r;
                if (qGray(image.pixel(int(std::floor(q.x())), int(std::floor(q.y())))) < 100) outer = r;
            }
            nearest = std::min(nearest, outer), farthest = std::max(farthest, outer);
        }
    }
    QVERIFY2(farthest - nearest <= 1.5, qPrintable(QStringLiteral("outer edge from %1 to %2 device pixels").arg(nearest).arg(farthest)));
}
