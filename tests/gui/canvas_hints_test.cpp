// What the canvas shows under the cursor, through the window at 200 %: the
// ring on the pin a wire click would take (drawn over the picture, not in
// it), the outline of the component a placing tool would put down, the
// status line with the cursor's place, the tooltip of a chip pin, and the
// marks where wires of two nets touch unconnected.
#include <QtTest>

#include <QLabel>

#include "app/Unit1.h"
#include "app/canvas_view.h"
#include "chips/chip_table.h"
#include "editor/canvas_hints.h"
#include "editor/net_touches.h"
#include "gui_support.h"
#include "model/edit.h"

using namespace vorlisk;
using vorlisk::test::place;

namespace {

constexpr int kZoom = 2;  // 200 %, about the top-left corner: widget = 2 x canvas

void move_to(QWidget* view, QPoint at) {
    QMouseEvent e(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
}

bool ring_green(QRgb p) { return qGreen(p) > 110 && qRed(p) < 90 && qBlue(p) < 90; }
bool touch_magenta(QRgb p) { return qRed(p) > 150 && qBlue(p) > 150 && qGreen(p) < 90; }

// Pixels of the colour on a circle of `radius` about `centre`, of 16 looked at.
int green_on_circle(const QImage& image, QPointF centre, double radius, bool (*colour)(QRgb) = ring_green) {
    int found = 0;
    for (int i = 0; i < 16; ++i) {
        const double a = i * M_PI / 8;
        const QPoint p = QPointF(centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a)).toPoint();
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy)
            for (int dx = -1; dx <= 1 && !near; ++dx)
                near = image.valid(p.x() + dx, p.y() + dy) && colour(image.pixel(p.x() + dx, p.y() + dy));
        found += near;
    }
    return found;
}

}  // namespace

class CanvasHintsTest : public vorlisk::test::WindowTest {
    Q_OBJECT

private slots:
    void init() {
        WindowTest::init();
        QVERIFY(w);
        w->set_zoom(kZoom * 100, QPointF(0, 0));
    }

    void ring_marks_the_pin_a_wire_click_takes();
    void outline_is_where_the_click_places();
    void tooltip_names_a_chip_pin();
    void marks_where_wires_of_two_nets_touch();
};

void CanvasHintsTest::ring_marks_the_pin_a_wire_click_takes() {
    const int gate = place(c(), "非门", 200, 200);
    w->full_redraw();
    const BendPoint tip = input_pin(c().objects[gate], 0);
    QCOMPARE(w->Label_hint->text(), QString::fromStdString(tool_hint("")));
    w->choose_tool(QStringLiteral("导线"));
    QCOMPARE(w->Label_hint->text(),
             QStringLiteral("导线：在引脚或焊接点上单击开始，每次单击一个转折，在引脚或焊接点上单击结束，右键放弃"));

    // 3 canvas pixels left of the tip: 6 screen pixels.
    move_to(w->Image1, QPoint((tip.x - 3) * kZoom + 1, tip.y * kZoom + 1));
    QCOMPARE(w->Image1->ring(), std::optional(QPoint(tip.x, tip.y)));
    QCOMPARE(w->Label_xy->text(), QStringLiteral("X %1  Y %2").arg(tip.x - 3).arg(tip.y));
    const QPointF centre(tip.x * kZoom, tip.y * kZoom);
    const double radius = kHintRingRadius * kZoom;
    const QImage shown = w->Image1->grab().toImage();
    QVERIFY2(green_on_circle(shown, centre, radius) >= 14, "the ring round the tip, scaled with the zoom");
    QCOMPARE(green_on_circle(shown, centre, radius + 6), 0);
    // Over the picture only: the canvas picture itself has no ring.
    QCOMPARE(green_on_circle(w->screen_image(), centre * w->Image1->devicePixelRatioF(),
                             radius * w->Image1->devicePixelRatioF()),
             0);

    // Inside the body a click selects: no ring.
    move_to(w->Image1, QPoint(200 * kZoom, 200 * kZoom));
    QVERIFY(!w->Image1->ring());
    // Leaving the canvas takes it away, and so does a press.
    const QPoint near((tip.x - 3) * kZoom, tip.y * kZoom);
    move_to(w->Image1, near);
    QVERIFY(w->Image1->ring());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w->Image1, &leave);
    QVERIFY(!w->Image1->ring());
    QVERIFY(w->Label_xy->text().isEmpty());
    move_to(w->Image1, near);
    QVERIFY(w->Image1->ring());
    QTest::mousePress(w->Image1, Qt::LeftButton, {}, near);
    QVERIFY(!w->Image1->ring());
    QTest::mouseRelease(w->Image1, Qt::LeftButton, {}, near);
    QVERIFY(!c().drawing_wire.name.empty());
}

void CanvasHintsTest::outline_is_where_the_click_places() {
    const QString kind = QStringLiteral("与非门");
    w->choose_tool(kind);
    QCOMPARE(w->Label_hint->text(), QString::fromStdString(tool_hint(kind.toStdString())));
    const QPoint at(243 * kZoom, 187 * kZoom);
    move_to(w->Image1, at);
    const std::optional<QRect> outline = w->Image1->outline();
    QVERIFY(outline);
    QVERIFY(w->Image1->hints_area().contains(QRect(outline->topLeft() * kZoom, outline->bottomRight() * kZoom)));
    QCOMPARE(c().object_count, 0);
    QTest::mouseClick(w->Image1, Qt::LeftButton, {}, at);
    QVERIFY(!w->Image1->outline());
    QCOMPARE(c().object_count, 1);
    const MY_BASE_OBJ& o = c().objects[0];
    QCOMPARE(*outline, QRect(QPoint(o.x + o.outline_rect.left, o.y + o.outline_rect.top),
                             QPoint(o.x + o.outline_rect.right, o.y + o.outline_rect.bottom)));
    // Another tool: the outline goes until the cursor moves again.
    move_to(w->Image1, at + QPoint(200, 0));
    QVERIFY(w->Image1->outline());
    w->choose_tool(QStringLiteral("导线"));
    QVERIFY(!w->Image1->outline());
}

void CanvasHintsTest::tooltip_names_a_chip_pin() {
    const int chip = place(c(), "集成芯片时序逻辑(74LS161)", 150, 120);
    const int gate = place(c(), "非门", 60, 40);
    w->full_redraw();
    const MY_CHIPS& def = c().chip_table[find_chip_def(c(), "74LS161")];
    const ChipPin& rco = def.pins[15 - 1];
    const BendPoint tip =
        rco.role == 1 ? input_pin(c().objects[chip], rco.index) : output_pin(c().objects[chip], rco.index);
    const QPoint at(tip.x * kZoom + 1, tip.y * kZoom + 1);
    QVERIFY(w->Image1->rect().contains(at));
    QCOMPARE(w->Image1->on_tooltip(at), QStringLiteral("15 RCO"));
    const MY_BASE_OBJ& g = c().objects[gate];
    QCOMPARE(w->Image1->on_tooltip(QPoint(g.x * kZoom, g.y * kZoom)),
             QString::fromStdString(g.name) + QStringLiteral("\n种类：非门"));
    QVERIFY(w->Image1->on_tooltip(QPoint(5, 5)).isEmpty());
}

void CanvasHintsTest::marks_where_wires_of_two_nets_touch() {
    add_wire(c(), {100, 100}, {300, 100});
    add_wire(c(), {200, 200}, {200, 100});  // ends on the first with no junction
    w->full_redraw();
    const QPointF centre(200 * kZoom, 100 * kZoom);
    const double radius = kHintTouchRadius * kZoom;
    const QImage shown = w->Image1->grab().toImage();
    QVERIFY2(green_on_circle(shown, centre, radius, touch_magenta) >= 12, "a ring at the touch, scaled with the zoom");
    QCOMPARE(green_on_circle(w->screen_image(), centre * w->Image1->devicePixelRatioF(),
                             radius * w->Image1->devicePixelRatioF(), touch_magenta),
             0);  // over the picture, not in it
    move_to(w->Image1, QPoint(200 * kZoom + 2, 100 * kZoom + 1));
    QCOMPARE(w->Label_hint->text(), QString::fromStdString(std::string(kTouchHint)));
    move_to(w->Image1, QPoint(250 * kZoom, 150 * kZoom));
    QCOMPARE(w->Label_hint->text(), QString::fromStdString(tool_hint("")));
    // A junction there joins them: the mark goes.
    add_junction(c(), 200, 100);
    w->full_redraw();
    QCOMPARE(green_on_circle(w->Image1->grab().toImage(), centre, radius, touch_magenta), 0);
}

QTEST_MAIN(CanvasHintsTest)
#include "canvas_hints_test.moc"
