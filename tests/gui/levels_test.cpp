// Levels on the wires: which wires, junctions and pin strokes are drawn in
// which look while a circuit runs, and that repainting only the nets that
// changed leaves the same picture as painting everything afresh.
// The circuit: a switch drives an inverter, whose output wire ends on a
// junction; one wire hangs free.
#include <QtTest>

#include <optional>
#include <vector>

#include "gui_support.h"
#include "render/canvas.h"
#include "render/levels.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "tests/support/harness.h"

using namespace vorlisk;

namespace {

struct Stroke {
    bool wire;  // a polyline (wire) or a line (pin stroke)
    QPoint first, last;
    int32_t color;
    int width;
};

// Remembers the pen of every stroke and dot, in order.
class Recorder : public PaintSurface {
public:
    std::vector<Stroke> strokes;
    std::vector<Stroke> dots;  // ellipses by centre
    void line(int x1, int y1, int x2, int y2) override {
        strokes.push_back({false, {x1, y1}, {x2, y2}, pen_color_, pen_width_});
    }
    void polyline(std::span<const QPoint> p) override {
        strokes.push_back({true, p.front(), p.back(), pen_color_, pen_width_});
    }
    void rectangle(int, int, int, int) override {}
    void ellipse(int l, int t, int r, int b) override {
        dots.push_back({false, {(l + r) / 2, (t + b) / 2}, {}, pen_color_, pen_width_});
    }
    void pixel(int, int, int32_t) override {}
    void text(int, int, std::string_view) override {}
    void picture(int, int, const QImage&, int32_t) override {}
    void xor_dotted_rect(int, int, int, int, int32_t) override {}

    // The look a wire starting at p, a pin stroke ending at p, or a dot
    // centred near p was drawn in last; nothing when none was drawn.
    std::optional<std::pair<int32_t, int>> look(const QString& what, QPoint p) const {
        std::optional<std::pair<int32_t, int>> found;
        if (what == "dot") {
            for (const Stroke& d : dots)
                if ((d.first - p).manhattanLength() <= 1) found = {d.color, d.width};
        } else {
            const bool wire = what == "wire";
            for (const Stroke& s : strokes)
                if (s.wire == wire && (wire ? s.first : s.last) == p) found = {s.color, s.width};
        }
        return found;
    }
};

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

        Recorder stopped;  // no levels handed in: the look of a stopped circuit
        redraw_canvas(stopped, f.h.c, 600, 400, kRedrawFull);
        const int32_t stopped_colour = what == "dot" ? f.h.c.draw.junction_color : f.h.c.draw.wire_color;
        QVERIFY(stopped.look(what, p).has_value());
        QCOMPARE(stopped.look(what, p)->first, stopped_colour);

        Recorder run;
        run.levels = &levels;
        redraw_canvas(run, f.h.c, 600, 400, kRedrawFull);
        QCOMPARE(run.look(what, p), look_named(f.h.c, before, what));
        QVERIFY(run.look(what, p)->first != stopped_colour);

        f.toggle();
        QVERIFY(levels.update(f.h.c));
        Recorder tick;
        tick.levels = &levels;
        redraw_changed_levels(tick, f.h.c);
        QCOMPARE(tick.look(what, p), look_named(f.h.c, after, what));

        QVERIFY(!levels.update(f.h.c));  // a quiet pass repaints nothing
        Recorder quiet;
        quiet.levels = &levels;
        redraw_changed_levels(quiet, f.h.c);
        QVERIFY(quiet.strokes.empty() && quiet.dots.empty());
    }

    // High, low and undriven are told apart from each other and from a stopped wire.
    void three_looks_differ() {
        const auto owned = make_circuit();
        const Circuit& c = *owned;
        const LevelLook n = level_look(c, NetLevel::none), l = level_look(c, NetLevel::low), h = level_look(c, NetLevel::high);
        QVERIFY(n.color != l.color && l.color != h.color && n.color != h.color);
        for (const LevelLook& k : {n, l, h}) QVERIFY(k.color != c.draw.wire_color && k.color != c.draw.back_color);
    }

    // Repainting the changed nets over the picture gives the picture a full
    // repaint gives: no pixel of a net's old look is left, nothing else moves.
    void repainting_changed_nets_matches_a_full_repaint() {
        Fixture f;
        const Pictures pictures = paint_pictures();
        NetLevels levels;
        levels.update(f.h.c);
        Canvas ticked(600, 400), fresh(600, 400);
        ticked.pictures = fresh.pictures = &pictures;
        ticked.levels = fresh.levels = &levels;
        redraw_canvas(ticked, f.h.c, 600, 400, kRedrawFull);
        for (int round = 0; round < 2; ++round) {  // low to high, and back
            f.toggle();
            QVERIFY(levels.update(f.h.c));
            redraw_canvas(ticked, f.h.c, 600, 400, kRedrawDynamic);  // as the window's timer does
            redraw_changed_levels(ticked, f.h.c);
            redraw_canvas(fresh, f.h.c, 600, 400, kRedrawFull);
            QCOMPARE(ticked.image(), fresh.image());
        }
    }
};

QTEST_MAIN(LevelsTest)
#include "levels_test.moc"
