// Levels on the wires: which wires, junctions and pin strokes are drawn in
// which look while a circuit runs, and that repainting only the nets that
// changed leaves the same picture as painting everything afresh.
// The circuit: a switch drives an inverter, whose output wire ends on a
// junction; one wire hangs free.
#include <QtTest>

#include <optional>
#include <vector>

#include "gui_support.h"
#include "model/circuit_file.h"
#include "render/canvas.h"
#include "render/command_list.h"
#include "render/levels.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "render/scaled_canvas.h"
#include "tests/support/harness.h"

using namespace vorlisk;

namespace {

// The look (pen colour and width) a wire starting at p, a pin stroke
// ending at p, or a dot centred near p was drawn in last; nothing when none
// was drawn.
std::optional<std::pair<int32_t, int>> look(const CommandList& drawn, const QString& what, QPoint p) {
    using K = DrawCommand::Kind;
    const Point at(p);
    std::optional<std::pair<int32_t, int>> found;
    auto drawn_at = [&](const DrawCommand& k) {
        if (what == "wire") return k.kind == K::polyline && k.points.front() == at;
        if (what == "pin") return k.kind == K::line && k.points.back() == at;
        if (k.kind != K::ellipse) return false;
        const Point centre((k.points[0].x() + k.points[1].x()) / 2, (k.points[0].y() + k.points[1].y()) / 2);
        return std::abs(centre.x() - at.x()) + std::abs(centre.y() - at.y()) <= 1;
    };
    for (const DrawCommand& k : drawn.commands())
        if (drawn_at(k)) found = {k.pen, k.width};
    return found;
}

struct Fixture {
    test::Harness h;
    int s = -1, g = -1;
    QPoint switch_out, gate_in, gate_out, hanging{100, 300}, junction{400, 100};
    Fixture() {
        s = h.add("高低电平控制器", 100, 100);
        g = h.add("非门", 300, 100);
        const BendPoint so = output_pin(h.obj(s), 0), gi = input_pin(h.obj(g), 0), go = output_pin(h.obj(g), 0);
        h.wire(so, gi);
        h.wire(go, {400, 100});
        h.wire({100, 300}, {200, 300});
        add_junction(h.c, 400, 100);
        switch_out = {so.x, so.y}, gate_in = {gi.x, gi.y}, gate_out = {go.x, go.y};
        h.start();
        h.run_passes(3);
    }
    void toggle() {
        toggle_level_switch(h.c, s);
        h.run_passes(3);
    }
};

// The pen of a level's look; a dot keeps its 1-pixel outline in every look.
std::optional<std::pair<int32_t, int>> look_named(const Circuit& c, const QString& name, const QString& what) {
    if (name == "-") return std::nullopt;
    const NetLevel l = name == "high" ? NetLevel::high : name == "low" ? NetLevel::low : NetLevel::none;
    const LevelLook k = level_look(c, l);
    return std::pair{k.color, what == "dot" ? 1 : k.width};
}

}  // namespace

class LevelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { vorlisk::test::quiet_offscreen_notices(); }

    // Columns: what is drawn (wire by its start, pin stroke by its tip, dot
    // by its centre), the look at Run (switch low), and what the repaint
    // after turning the switch high draws ("-": not repainted).
    void looks_before_and_after_the_switch_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("switch to inverter wire") << "wire" << "switch_out" << "low" << "high";
        QTest::newRow("inverter output wire") << "wire" << "gate_out" << "high" << "low";
        QTest::newRow("hanging wire") << "wire" << "hanging" << "none" << "-";
        QTest::newRow("switch's output pin") << "pin" << "switch_out" << "low" << "high";
        QTest::newRow("inverter's input pin") << "pin" << "gate_in" << "low" << "high";
        QTest::newRow("inverter's output pin") << "pin" << "gate_out" << "high" << "low";
        QTest::newRow("junction on the output") << "dot" << "junction" << "high" << "low";
    }
    void looks_before_and_after_the_switch() {
        QFETCH(QString, what);
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Fixture f;
        const QPoint p = item == "switch_out" ? f.switch_out
                         : item == "gate_in"  ? f.gate_in
                         : item == "gate_out" ? f.gate_out
                         : item == "hanging"  ? f.hanging
                                              : f.junction;
        NetLevels levels;
        levels.update(f.h.c);

        CommandList stopped(false);  // no levels handed in: the look of a stopped circuit
        redraw_canvas(stopped, f.h.c, 600, 400, kRedrawFull);
        const int32_t stopped_colour = what == "dot" ? f.h.c.draw.junction_color : f.h.c.draw.wire_color;
        QVERIFY(look(stopped, what, p).has_value());
        QCOMPARE(look(stopped, what, p)->first, stopped_colour);

        CommandList run(false);
        DrawOptions shown;
        shown.levels = &levels;
        redraw_canvas(run, f.h.c, 600, 400, kRedrawFull, shown);
        QCOMPARE(look(run, what, p), look_named(f.h.c, before, what));
        QVERIFY(look(run, what, p)->first != stopped_colour);

        f.toggle();
        QVERIFY(levels.update(f.h.c));
        CommandList tick(false);
        redraw_changed_levels(tick, f.h.c, shown);
        QCOMPARE(look(tick, what, p), look_named(f.h.c, after, what));

        QVERIFY(!levels.update(f.h.c));  // a quiet pass repaints nothing
        CommandList quiet(false);
        redraw_changed_levels(quiet, f.h.c, shown);
        QVERIFY(quiet.commands().empty());
    }

    // High, low and undriven are told apart from each other and from a stopped wire.
    void three_looks_differ() {
        const auto owned = make_circuit();
        const Circuit& c = *owned;
        const LevelLook n = level_look(c, NetLevel::none), l = level_look(c, NetLevel::low), h = level_look(c, NetLevel::high);
        QVERIFY(n.color != l.color && l.color != h.color && n.color != h.color);
        for (const LevelLook& k : {n, l, h}) QVERIFY(k.color != c.draw.wire_color && k.color != c.draw.back_color);
    }

    // Columns: the scale the canvas is shown at (0: the exact surface of
    // 100 %), the view's origin, whether levels are shown. The timer's
    // refresh over six switch flips leaves the picture a full repaint gives:
    // no pixel of a net's or a switch's old look is left, smoothed edges do
    // not darken, nothing else moves.
    void running_refresh_matches_a_full_repaint_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<bool>("shown");
        QTest::newRow("100 %, exact") << 0.0 << QPointF() << true;
        QTest::newRow("100 %, exact, levels off") << 0.0 << QPointF() << false;
        for (double z : {0.25, 0.5, 0.75, 1.5, 2.0, 3.0, 4.0})
            QTest::newRow(qPrintable(QStringLiteral("%1 %").arg(z * 100))) << z << QPointF(0, 0) << true;
        QTest::newRow("75 %, levels off") << 0.75 << QPointF() << false;
        QTest::newRow("ratio 2 at 100 %") << 2.0 << QPointF() << true;
        QTest::newRow("ratio 2 at 150 %, between cells") << 3.0 << QPointF(3.4, 6.7) << true;
    }
    void running_refresh_matches_a_full_repaint() {
        QFETCH(double, scale);
        QFETCH(QPointF, origin);
        QFETCH(bool, shown);
        Fixture f;
        const Pictures& pictures = component_pictures();
        NetLevels levels;
        levels.update(f.h.c);
        const int w = 610, h = 410;  // canvas pixels the pictures show
        QImage ticked_image, fresh_image;
        Canvas ticked_exact(600, 400), fresh_exact(600, 400);
        std::unique_ptr<ScaledCanvas> ticked_scaled, fresh_scaled;
        if (scale > 0) {
            ticked_image = QImage(int(600 * scale), int(400 * scale), QImage::Format_RGB32);
            fresh_image = QImage(ticked_image.size(), QImage::Format_RGB32);
            ticked_scaled = std::make_unique<ScaledCanvas>(&ticked_image, scale, origin);
            fresh_scaled = std::make_unique<ScaledCanvas>(&fresh_image, scale, origin);
        }
        PaintSurface& ticked = scale > 0 ? static_cast<PaintSurface&>(*ticked_scaled) : ticked_exact;
        PaintSurface& fresh = scale > 0 ? static_cast<PaintSurface&>(*fresh_scaled) : fresh_exact;
        auto picture = [&](PaintSurface& s) -> QImage {
            s.end();
            if (&s == &ticked) return scale > 0 ? ticked_image : ticked_exact.image();
            return scale > 0 ? fresh_image : fresh_exact.image();
        };
        DrawOptions view;
        view.pictures = &pictures;
        view.levels = shown ? &levels : nullptr;
        redraw_canvas(ticked, f.h.c, w, h, kRedrawFull, view);
        for (int flip = 1; flip <= 6; ++flip) {
            f.toggle();
            f.h.obj(f.s).dirty = 1;  // as a double click while running leaves it
            const bool changed = shown && levels.update(f.h.c);
            QCOMPARE(changed, shown);
            redraw_running(ticked, f.h.c, QRect(0, 0, w, h), changed, view);  // as the window's timer does
            redraw_canvas(fresh, f.h.c, w, h, kRedrawFull, view);
            const QImage a = picture(ticked), b = picture(fresh);
            int differ = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x) differ += a.pixel(x, y) != b.pixel(x, y);
            QVERIFY2(differ == 0, qPrintable(QStringLiteral("flip %1: %2 pixels differ").arg(flip).arg(differ)));
        }
    }

    // Columns: the scale. The 74LS161 counter running (pulse source, chips
    // with pin numbers and names, display, terminals): at every change the
    // refresh leaves the picture a full repaint gives, whatever a drawer
    // paints beside its component.
    void running_refresh_of_the_counter_matches_a_full_repaint_data() {
        QTest::addColumn<double>("scale");
        QTest::newRow("75 %") << 0.75;
        QTest::newRow("150 %, pin names") << 1.5;
        QTest::newRow("ratio 2 at 200 %") << 4.0;
    }
    void running_refresh_of_the_counter_matches_a_full_repaint() {
        QFETCH(double, scale);
        test::Harness h;
        QVERIFY(bool(load_circuit(h.c, VORLISK_EXAMPLES_DIR "/74LS161十进制计数器.vlk")));
        h.start(0.05);
        const Pictures& pictures = component_pictures();
        NetLevels levels;
        levels.update(h.c);
        const QRect view(0, 0, 700, 450);
        const QSize device(int(view.width() * scale), int(view.height() * scale));  // all inside the view
        QImage ticked_image(device, QImage::Format_RGB32), fresh_image(device, QImage::Format_RGB32);
        ScaledCanvas ticked(&ticked_image, scale), fresh(&fresh_image, scale);
        DrawOptions options;
        options.pictures = &pictures;
        options.levels = &levels;
        options.pin_numbers = options.pin_names = true;
        redraw_canvas(ticked, h.c, view, kRedrawFull, options);
        int changes = 0;
        for (int tick = 0; tick < 40 && changes < 8; ++tick) {
            h.run_passes(3);
            const bool changed = levels.update(h.c);
            changes += changed;
            redraw_running(ticked, h.c, view, changed, options);
            redraw_canvas(fresh, h.c, view, kRedrawFull, options);
            ticked.end();
            fresh.end();
            QVERIFY2(ticked_image == fresh_image, qPrintable(QStringLiteral("tick %1").arg(tick)));
        }
        QVERIFY(changes >= 8);
    }
};

QTEST_MAIN(LevelsTest)
#include "levels_test.moc"
