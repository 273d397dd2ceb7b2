// The canvas at other sizes: mouse points through the zoom, the editor's
// tolerances in canvas pixels, the 100 % picture kept exact, readable pin
// numbers, and the report pictures (SVG against PNG).
#include <QtTest>

#include <QDirIterator>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QSettings>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "app/Unit1.h"
#include "app/canvas_view.h"
#include "gui_support.h"
#include "model/circuit_file.h"
#include "model/edit.h"
#include "chips/chip_table.h"
#include "render/circuit_picture.h"
#include "render/drawers.h"
#include "render/qt_surface.h"
#include "render/pictures.h"
#include "render/redraw.h"

using namespace vorlisk;
using vorlisk::test::place;

namespace {

QStringList example_files() {
    QStringList files;
    QDirIterator it(QStringLiteral(VORLISK_EXAMPLES_DIR), {QStringLiteral("*.vlk")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    files.sort();
    return files;
}

// Dark pixels: lines, bodies' borders and text, not fills or the canvas.
QImage dark_mask(const QImage& image) {
    QImage m(image.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) m.setPixel(x, y, qGray(image.pixel(x, y)) < 96 ? 255 : 0);
    return m;
}

// Share of the dark pixels of `a` with a dark pixel of `b` within `reach`.
double dark_share_near(const QImage& a, const QImage& b, int reach) {
    long long dark = 0, near = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (qGray(a.pixel(x, y)) == 0) continue;
            ++dark;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy)
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    const int u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < b.width() && v < b.height() && qGray(b.pixel(u, v)) != 0;
                }
            near += found;
        }
    return dark == 0 ? 1.0 : double(near) / double(dark);
}

}  // namespace

class ZoomTest : public vorlisk::test::WindowTest {
    Q_OBJECT

private slots:
    void widget_points_to_canvas_points_data();
    void widget_points_to_canvas_points();
    void wire_starts_within_four_canvas_pixels_at_300_percent();
    void wire_in_progress_shows_after_every_click_data();
    void wire_in_progress_shows_after_every_click();
    void zoom_keys_steps_and_status_bar();
    void hundred_percent_picture_is_the_exact_one();
    void files_open_at_100_percent_on_their_drawing_data();
    void files_open_at_100_percent_on_their_drawing();
    void fit_shows_the_drawing_whole_and_centred_data();
    void fit_shows_the_drawing_whole_and_centred();
    void pin_numbers_stay_clear_of_strokes_and_each_other_data();
    void pin_numbers_stay_clear_of_strokes_and_each_other();
    void pin_names_fit_inside_every_chip();
    void pin_names_follow_the_view_menu();
    void svg_pictures_parse_and_match_the_png();
    void runner_writes_the_same_picture_without_a_display();
    void export_and_copy_take_the_selection_or_everything();
};

// Widget points through zoom and scrolling; canvas points in the circuit's
// own coordinates (at scroll position 0), worked by hand:
// canvas = floor(widget / zoom + origin) + 10 x scroll position.
void ZoomTest::widget_points_to_canvas_points_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QPointF>("zoom_at");  // widget point the zoom keeps in place
    QTest::addColumn<QPoint>("scroll");    // scroll positions set afterwards (0: none)
    QTest::addColumn<QPointF>("widget");
    QTest::addColumn<QPoint>("canvas");
    //                                  zoom  about           scroll         widget                canvas
    QTest::newRow("25 %, scrolled") << 25 << QPointF(0, 0) << QPoint(3, 2) << QPointF(101, 47) << QPoint(434, 208);
    QTest::newRow("100 %, scrolled") << 100 << QPointF(0, 0) << QPoint(5, 0) << QPointF(37.5, 12.9) << QPoint(87, 12);
    // About (100, 100): 3 cells scrolled, origin 3.33; (100, 100) stays canvas (100, 100).
    QTest::newRow("150 % about a point") << 150 << QPointF(100, 100) << QPoint(0, 0) << QPointF(152, 12) << QPoint(134, 41);
    QTest::newRow("150 % the point kept") << 150 << QPointF(100, 100) << QPoint(0, 0) << QPointF(100.5, 100.5) << QPoint(100, 100);
    QTest::newRow("400 %, scrolled") << 400 << QPointF(0, 0) << QPoint(10, 4) << QPointF(399, 41) << QPoint(199, 50);
}

void ZoomTest::widget_points_to_canvas_points() {
    QFETCH(int, zoom);
    QFETCH(QPointF, zoom_at);
    QFETCH(QPoint, scroll);
    QFETCH(QPointF, widget);
    QFETCH(QPoint, canvas);
    w->set_zoom(zoom, zoom_at);
    if (scroll != QPoint(0, 0)) {
        w->ScrollBar_H->setValue(scroll.x());
        w->ScrollBar_V->setValue(scroll.y());
    }
    const QPoint p = w->to_canvas(widget);
    QCOMPARE(QPoint(p.x() + 10 * c().scroll_h, p.y() + 10 * c().scroll_v), canvas);
}

// The wire tool starts within 4 canvas pixels of a pin tip (5 is too far),
// however many screen pixels that is.
void ZoomTest::wire_starts_within_four_canvas_pixels_at_300_percent() {
    const int gate = place(c(), "非门", 200, 100);
    w->set_zoom(300, QPointF(0, 0));
    const BendPoint tip = input_pin(c().objects[gate], 0);
    for (const auto& [distance, starts] : {std::pair{4, true}, std::pair{5, false}}) {
        w->choose_tool(QStringLiteral("导线"));
        const QPoint at((tip.x - distance) * 3 + 1, tip.y * 3 + 1);
        QCOMPARE(w->to_canvas(at), QPoint(tip.x - distance, tip.y));
        QTest::mousePress(w->Image1, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w->Image1, Qt::LeftButton, {}, at);
        QCOMPARE(!c().drawing_wire.name.empty(), starts);
        if (starts) {
            QCOMPARE(QPoint(c().drawing_wire.x1, c().drawing_wire.y1), QPoint(tip.x, tip.y));
            QTest::mousePress(w->Image1, Qt::RightButton, {}, at);  // drops it
            QTest::mouseRelease(w->Image1, Qt::RightButton, {}, at);
            QVERIFY(c().drawing_wire.name.empty());
        }
    }
}

void ZoomTest::wire_in_progress_shows_after_every_click_data() {
    QTest::addColumn<int>("zoom");
    QTest::newRow("100 %") << 100;
    QTest::newRow("300 %") << 300;
}

// A corner click with the mouse kept still leaves the wire in progress on
// screen (the click's release repaints the picture under it); a right click
// takes it away.
void ZoomTest::wire_in_progress_shows_after_every_click() {
    QFETCH(int, zoom);
    const int gate = place(c(), "非门", 100, 100);
    w->set_zoom(zoom, QPointF(0, 0));
    const double z = zoom / 100.0;
    auto widget = [&](double x, double y) { return QPoint(int(x * z), int(y * z)); };
    const BendPoint tip = output_pin(c().objects[gate], 0);
    auto click = [&](QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(w->Image1, b, {}, p);
        QTest::mouseRelease(w->Image1, b, {}, p);
    };
    auto red_at = [&](double x, double y) {  // a canvas point, inside the 2-pixel pen
        const QImage shown = w->Image1->grab().toImage();
        const QRgb p = shown.pixel(widget(x, y) * shown.devicePixelRatio());
        return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
    };
    w->choose_tool(QStringLiteral("导线"));
    click(widget(tip.x + 0.5, tip.y + 0.5));
    QTest::mouseMove(w->Image1, widget(tip.x + 60.5, tip.y + 0.5));
    click(widget(tip.x + 60.5, tip.y + 0.5));  // a corner
    QCOMPARE(c().drawing_wire.bend_count, 1);
    QVERIFY(red_at(tip.x + 30, tip.y - 0.5));
    QTest::mouseMove(w->Image1, widget(tip.x + 60.5, tip.y + 40.5));
    click(widget(tip.x + 60.5, tip.y + 40.5));  // another
    QVERIFY(red_at(tip.x + 30, tip.y - 0.5));
    QVERIFY(red_at(tip.x + 59.5, tip.y + 20));
    click(widget(tip.x + 60.5, tip.y + 40.5), Qt::RightButton);  // dropped
    QVERIFY(!red_at(tip.x + 30, tip.y - 0.5));
}

void ZoomTest::zoom_keys_steps_and_status_bar() {
    struct Step {
        const char* keys;
        int zoom;
    };
    // From 100 %: in twice, out once, back to 100, out to the floor.
    const Step steps[] = {{"Ctrl+=", 150}, {"Ctrl++", 200}, {"Ctrl+-", 150}, {"Ctrl+0", 100},
                          {"Ctrl+-", 75},  {"Ctrl+-", 50},  {"Ctrl+-", 25},  {"Ctrl+-", 25}};
    w->activateWindow();
    for (const Step& s : steps) {
        QTest::keySequence(w.get(), QKeySequence(QString::fromLatin1(s.keys)));
        QCOMPARE(w->zoom(), s.zoom);
        QCOMPARE(w->Label_zoom->text(), QStringLiteral("%1%").arg(s.zoom));
    }
    // Ctrl+wheel zooms about the cursor: the canvas point under it stays.
    w->set_zoom(100, QPointF(0, 0));
    const QPointF at(333, 211);
    const QPoint before = w->to_canvas(at);
    QWheelEvent up(at, w->Image1->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(w->Image1, &up);
    QCOMPARE(w->zoom(), 150);
    const QPoint after = w->to_canvas(at);
    QVERIFY(std::abs(after.x() + 10 * c().scroll_h - before.x()) <= 1);
    QVERIFY(std::abs(after.y() + 10 * c().scroll_v - before.y()) <= 1);
    // The screen picture is at device resolution, not the widget's picture enlarged.
    QCOMPARE(w->screen_image().size(), w->Image1->size() * w->Image1->devicePixelRatioF());
}

// At 100 % the window paints every example exactly as the exact canvas
// does on its own (the pixels the golden drawer tests pin down).
void ZoomTest::hundred_percent_picture_is_the_exact_one() {
    const QStringList files = example_files();
    QVERIFY2(files.size() >= 15, qPrintable(QString::number(files.size())));
    const bool pins = w->N_pin_numbers->isChecked();
    if (pins) w->N_pin_numbers->trigger();  // off: the picture of before
    const Pictures& pictures = component_pictures();
    for (const QString& f : files) {
        QVERIFY2(w->open_file(f), qPrintable(f));
        w->full_redraw();
        const QImage shown = w->screen_image().copy();
        auto own = make_circuit();
        QVERIFY(bool(load_circuit(*own, f.toStdString())));
        scroll_to(*own, c().scroll_h, c().scroll_v);  // where opening put the view
        Canvas exact(shown.width(), shown.height());
        exact.set_origin(w->view_origin().toPoint());
        DrawOptions view;
        view.pictures = &pictures;
        redraw_canvas(exact, *own, QRect(exact.origin(), shown.size()), kRedrawFull, view);
        QVERIFY2(shown == exact.image(), qPrintable(f));
    }
    if (pins) w->N_pin_numbers->trigger();
}

// Columns: the file, the zoom before opening it. A file opens at 100 %,
// the top-left of its drawing in view, all of it when it fits; one saved
// scrolled far from its drawing too.
void ZoomTest::files_open_at_100_percent_on_their_drawing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("zoom");
    QTest::newRow("small example") << QStringLiteral(VORLISK_EXAMPLES_DIR "/半加器.vlk") << 300;
    QTest::newRow("large example") << QStringLiteral(VORLISK_EXAMPLES_DIR "/74LS161十进制计数器.vlk") << 25;
    QTest::newRow("drawing far off") << QString() << 400;
}

void ZoomTest::files_open_at_100_percent_on_their_drawing() {
    QFETCH(QString, file);
    QFETCH(int, zoom);
    QTemporaryDir dir;
    if (file.isEmpty()) {
        place(c(), "与非门", 1600, 1100);
        place(c(), "非门", 1700, 1150);
        file = dir.filePath(QStringLiteral("远处.vlk"));
        QVERIFY(w->save_to(file));
        w->N_newClick();
    }
    w->set_zoom(zoom, QPointF(0, 0));
    QVERIFY(w->open_file(file));
    QCOMPARE(w->zoom(), 100);
    const QRect drawing = picture_bounds(c(), false, w->N_pin_numbers->isChecked());
    const QRect view(w->to_canvas(QPointF(0, 0)), w->to_canvas(QPointF(w->Image1->width() - 1, w->Image1->height() - 1)));
    QVERIFY2(view.contains(drawing.topLeft()), qPrintable(file));
    if (drawing.width() <= view.width() && drawing.height() <= view.height()) QVERIFY2(view.contains(drawing), qPrintable(file));
}

// Columns: what is drawn. 适合窗口 shows all of it, its middle in the
// middle of the view, also when it lies at the canvas's top-left corner;
// at 100 % the picture stays the exact one.
void ZoomTest::fit_shows_the_drawing_whole_and_centred_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("one gate in the corner") << QString();
    QTest::newRow("two gates, 100 %") << QStringLiteral("100");
    QTest::newRow("large example") << QStringLiteral(VORLISK_EXAMPLES_DIR "/74LS161十进制计数器.vlk");
}

void ZoomTest::fit_shows_the_drawing_whole_and_centred() {
    QFETCH(QString, file);
    if (file.isEmpty()) {
        place(c(), "与非门", 40, 40);
    } else if (file == QStringLiteral("100")) {
        place(c(), "与非门", 40, 40);
        place(c(), "与非门", w->Image1->width() - 150, w->Image1->height() / 2);
    } else {
        QVERIFY(w->open_file(file));
    }
    w->N_zoom_fitClick();
    const QRect drawing = picture_bounds(c(), false, w->N_pin_numbers->isChecked());
    const QSize size = w->Image1->size();
    const QRect view(w->to_canvas(QPointF(0, 0)), w->to_canvas(QPointF(size.width() - 1, size.height() - 1)));
    QVERIFY2(view.contains(drawing), qPrintable(file));
    const QPoint middle = w->to_canvas(QPointF(size.width() / 2.0, size.height() / 2.0));
    QVERIFY2((middle - drawing.center()).manhattanLength() <= 4, qPrintable(QStringLiteral("%1 %: middle %2,%3, drawing's %4,%5")
        .arg(w->zoom()).arg(middle.x()).arg(middle.y()).arg(drawing.center().x()).arg(drawing.center().y())));
    if (file == QStringLiteral("100")) {
        QCOMPARE(w->zoom(), 100);
        const QImage shown = w->screen_image().copy();
        Canvas exact(shown.width(), shown.height());
        exact.set_origin(w->view_origin().toPoint());
        redraw_canvas(exact, c(), QRect(exact.origin(), shown.size()), kRedrawFull);
        QVERIFY(shown == exact.image());
    }
}

// Columns: the chip, its quarter turns clockwise, the wire width. At
// 100 % every package pin number lies in the band beside its own stroke,
// at least 5 pixels high (or wide, when turned) so it can be read, and
// clear of every stroke, of the body and of every other number by a pixel.
void ZoomTest::pin_numbers_stay_clear_of_strokes_and_each_other_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("turns");
    QTest::addColumn<int>("wire_width");
    QTest::newRow("74LS00") << "集成芯片组合逻辑(74LS00)" << 0 << 2;
    QTest::newRow("74LS161, thin wires") << "集成芯片时序逻辑(74LS161)" << 0 << 1;
    QTest::newRow("74LS273, 20 pins") << "集成芯片时序逻辑(74LS273)" << 0 << 2;
    QTest::newRow("74LS161 turned") << "集成芯片时序逻辑(74LS161)" << 1 << 2;
    QTest::newRow("74LS161 turned back, thin") << "集成芯片时序逻辑(74LS161)" << 3 << 1;
    QTest::newRow("74LS161 upside down") << "集成芯片时序逻辑(74LS161)" << 2 << 2;
}

void ZoomTest::pin_numbers_stay_clear_of_strokes_and_each_other() {
    QFETCH(QString, kind);
    QFETCH(int, turns);
    QFETCH(int, wire_width);
    auto own = make_circuit();
    own->draw.show_grid = false;
    own->draw.wire_width = wire_width;
    const int chip = place(*own, kind.toUtf8().constData(), 100, 100);
    for (int t = 0; t < turns; ++t) {
        const std::string name = own->objects[chip].name;
        rotate_items(*own, std::span<const std::string>(&name, 1), 0);
    }
    const MY_BASE_OBJ& o = own->objects[chip];
    Canvas cv(200, 200);
    DrawOptions view;
    view.pin_numbers = true;
    redraw_canvas(cv, *own, 200, 200, kRedrawFull, view);
    const QImage img = cv.image();
    auto bluish = [&](int x, int y) {
        const QRgb p = img.pixel(x, y);
        return qBlue(p) > qRed(p) + 40;
    };
    auto dark = [&](int x, int y) { return qGray(img.pixel(x, y)) < 80 && !bluish(x, y); };  // strokes, body
    // Each number's band: beside its stroke, from the body edge outwards.
    std::vector<int> owner(200 * 200, 0);  // the stroke a number pixel belongs to
    auto band = [&](int k, bool out) {
        const int tx = o.x + (out ? o.out_dx[k] : o.in_dx[k]), ty = o.y + (out ? o.out_dy[k] : o.in_dy[k]);
        const int sx = o.x + (out ? o.out_stub_dx[k] : o.in_stub_dx[k]), sy = o.y + (out ? o.out_stub_dy[k] : o.in_stub_dy[k]);
        const bool across = ty == sy;  // a horizontal stroke: the number stands above it
        const int x0 = across ? (tx < sx ? tx - 12 : sx + 1) : tx - 9, x1 = across ? (tx < sx ? sx - 1 : tx + 12) : tx - 1;
        const int y0 = across ? ty - 9 : (ty < sy ? ty - 12 : sy + 1), y1 = across ? ty - 1 : (ty < sy ? sy - 1 : ty + 12);
        int lo = 1000, hi = -1;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (bluish(x, y)) {
                    owner[y * 200 + x] = (k + 1) * (out ? -1 : 1);
                    const int v = across ? y : x;
                    lo = std::min(lo, v), hi = std::max(hi, v);
                }
        QVERIFY2(hi - lo + 1 >= 5, qPrintable(QStringLiteral("pin stroke at %1,%2: %3 px").arg(tx).arg(ty).arg(hi - lo + 1)));
    };
    for (int k = 0; k < o.input_count; ++k) band(k, false);
    for (int k = 0; k < o.output_count; ++k) band(k, true);
    for (int y = 1; y < 199; ++y)
        for (int x = 1; x < 199; ++x) {
            if (!bluish(x, y)) continue;
            const QString at = QStringLiteral("%1,%2").arg(x).arg(y);
            QVERIFY2(owner[y * 200 + x] != 0, qPrintable("outside its band at " + at));
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    QVERIFY2(!dark(x + dx, y + dy), qPrintable("touches a stroke at " + at));
                    const int n = owner[(y + dy) * 200 + x + dx];
                    QVERIFY2(n == 0 || n == owner[y * 200 + x], qPrintable("touches another number at " + at));
                }
        }
}

namespace {

// Remembers the texts a drawer writes, with their cells, and whether a
// round mark was drawn; its scale is the one given.
class TextRecorder : public PaintSurface {
public:
    explicit TextRecorder(double scale) : scale_(scale) {}
    struct Text {
        std::string text;
        QRect cell;
        CanvasFont font;
    };
    std::vector<Text> texts;
    int ellipses = 0;
    double device_scale() const override { return scale_; }
    void line(int, int, int, int) override {}
    void polyline(std::span<const Point>) override {}
    void rectangle(int, int, int, int) override {}
    void ellipse(int, int, int, int) override { ++ellipses; }
    void pixel(int, int, int32_t) override {}
    void text(int x, int y, std::string_view s) override { add(s, false, x, y); }
    void text_up(int x, int y, std::string_view s) override { add(s, true, x, y); }
    void picture(int, int, const PixelPicture&, int32_t) override {}

private:
    void add(std::string_view s, bool up, int x, int y) {
        const QFontMetrics m(qt_font(font_));
        const int w = m.horizontalAdvance(QString::fromUtf8(s.data(), qsizetype(s.size()))), h = m.ascent();
        // The cell above the baseline: names and types are capitals and digits.
        texts.push_back({std::string(s), up ? QRect(x, y - w, h, w) : QRect(x, y, w, h), font_});
    }
    double scale_;
};

}  // namespace

// Every chip of the catalogue, as drawn and turned, at 200 %: each pin name
// lies inside the inner body, a pixel off the border, meets no other name,
// and is no smaller than 4 pixels; the type stands outside the body; the
// pin-1 mark is left out. Below 150 % the chip keeps its usual look.
void ZoomTest::pin_names_fit_inside_every_chip() {
    for (const ChipRow& row : chip_catalogue()) {
        if (!row.model) continue;
        for (int turns : {0, 1}) {
            auto own = make_circuit();
            const std::string kind = std::string("集成芯片组合逻辑(") + std::string(row.type) + ")";
            const int chip = place(*own, kind.c_str(), 200, 200);
            const std::string name = own->objects[chip].name;
            if (turns) rotate_items(*own, std::span<const std::string>(&name, 1), 0);
            MY_BASE_OBJ& o = own->objects[chip];
            const QString what = QStringLiteral("%1, %2 turns").arg(QString::fromUtf8(row.type.data(), row.type.size())).arg(turns);
            TextRecorder small(1.0), large(2.0);
            DrawOptions view;
            view.pin_names = true;
            draw_component(small, *own, o, kRedrawFull, view);
            draw_component(large, *own, o, kRedrawFull, view);
            QVERIFY2(small.texts.size() == 1 && small.ellipses == 1, qPrintable(what));
            QVERIFY2(large.ellipses == 0, qPrintable(what));
            const Rect32& b = o.body_rect;
            const int bw = o.border_width;
            const QRect body(QPoint(o.x + std::min(b.left, b.right), o.y + std::min(b.top, b.bottom)),
                             QPoint(o.x + std::max(b.left, b.right), o.y + std::max(b.top, b.bottom)));
            const QRect inner = body.adjusted(bw + 1, bw + 1, -bw - 1, -bw - 1);
            int names = 0;
            for (size_t i = 0; i < large.texts.size(); ++i) {
                const TextRecorder::Text& t = large.texts[i];
                if (t.font == pin_name_font() || t.font.pixel_height < pin_name_font().pixel_height) {
                    ++names;
                    QVERIFY2(inner.contains(t.cell), qPrintable(what + ": " + QString::fromStdString(t.text)));
                    QVERIFY2(t.font.pixel_height >= 4, qPrintable(what + ": " + QString::fromStdString(t.text)));
                    for (size_t j = 0; j < i; ++j)
                        QVERIFY2(!t.cell.intersects(large.texts[j].cell),
                                 qPrintable(what + ": " + QString::fromStdString(t.text) + " meets " +
                                            QString::fromStdString(large.texts[j].text)));
                } else {
                    QCOMPARE(t.text, std::string(row.type));
                    QVERIFY2(!t.cell.intersects(body), qPrintable(what));
                }
            }
            QVERIFY2(names == o.input_count + o.output_count, qPrintable(what));  // every stroke named
        }
    }
}

// 查看 → 显示引脚名 changes the zoomed canvas and the report picture, not
// the 100 % canvas where names could not be read, and is remembered.
void ZoomTest::pin_names_follow_the_view_menu() {
    place(c(), "集成芯片时序逻辑(74LS161)", 200, 150);
    if (!w->N_pin_names->isChecked()) w->N_pin_names->trigger();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("芯片.png"));
    w->choose_picture_file = [&] { return path; };
    struct Look {
        QImage at_100, at_200, picture;
    };
    auto look = [&] {
        Look l;
        w->set_zoom(100, QPointF(0, 0));
        l.at_100 = w->screen_image().copy();
        w->set_zoom(200, QPointF(0, 0));
        l.at_200 = w->screen_image().copy();
        w->N_export_pictureClick();
        l.picture = QImage(path);
        return l;
    };
    const Look on = look();
    w->N_pin_names->trigger();
    QCOMPARE(QSettings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk")).value("view/pin_names").toBool(), false);
    const Look off = look();
    w->N_pin_names->trigger();
    QCOMPARE(QSettings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk")).value("view/pin_names").toBool(), true);
    QCOMPARE(on.at_100, off.at_100);
    QVERIFY(on.at_200 != off.at_200);
    QVERIFY(!on.picture.isNull() && on.picture != off.picture);
}

// Every example's SVG is well-formed XML and, drawn, has its dark pixels
// where the PNG has them (and the other way round).
void ZoomTest::svg_pictures_parse_and_match_the_png() {
    const QStringList files = example_files();
    QVERIFY(files.size() >= 15);
    const Pictures& pictures = component_pictures();
    for (const QString& f : files) {
        auto own = make_circuit();
        QVERIFY(bool(load_circuit(*own, f.toStdString())));
        PictureOptions o;
        o.scale = 1.0;
        o.pictures = &pictures;
        const QImage png = circuit_image(*own, o);
        const QByteArray svg = circuit_svg(*own, o);
        QVERIFY2(!png.isNull() && !svg.isEmpty(), qPrintable(f));
        QXmlStreamReader xml(svg);
        while (!xml.atEnd()) xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(f + ": " + xml.errorString()));
        QSvgRenderer renderer(svg);
        QVERIFY2(renderer.isValid(), qPrintable(f));
        QImage drawn(png.size(), QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QPainter p(&drawn);
        renderer.render(&p, QRectF(0, 0, png.width(), png.height()));
        p.end();
        const QImage a = dark_mask(drawn), b = dark_mask(png);
        QVERIFY2(dark_share_near(a, b, 1) > 0.95, qPrintable(f));
        QVERIFY2(dark_share_near(b, a, 1) > 0.95, qPrintable(f));
    }
}

// vorlisk-sim --picture, started without any display settings, writes the
// picture the window's export makes; a bad extension is a clear error.
void ZoomTest::runner_writes_the_same_picture_without_a_display() {
    QTemporaryDir dir;
    const QString file = QStringLiteral(VORLISK_EXAMPLES_DIR "/半加器.vlk");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    auto run = [&](const QStringList& args, QString* err = nullptr) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VORLISK_SIM_PATH), args);
        if (!p.waitForFinished(30000)) return -1;
        if (err) *err = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    const QString png = dir.filePath(QStringLiteral("a.png")), svg = dir.filePath(QStringLiteral("a.svg"));
    QCOMPARE(run({file, QStringLiteral("--picture"), png, QStringLiteral("--scale"), QStringLiteral("1")}), 0);
    QCOMPARE(run({file, QStringLiteral("--picture"), svg}), 0);
    auto own = make_circuit();
    QVERIFY(bool(load_circuit(*own, file.toStdString())));
    const Pictures& pictures = component_pictures();
    PictureOptions o;
    o.scale = 1.0;
    o.pictures = &pictures;
    o.show_pin_numbers = true;
    const QImage expected = circuit_image(*own, o);
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), expected);
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF().size(), QSizeF(expected.size() * 2));  // default scale 2
    QString err;
    QCOMPARE(run({file, QStringLiteral("--picture"), dir.filePath(QStringLiteral("a.gif"))}, &err), 2);
    QVERIFY2(err.contains(QStringLiteral(".svg 或 .png")), qPrintable(err));
}

// 导出图片 and 复制为图片: the selection when there is one, else the whole
// circuit; never the selection marks.
void ZoomTest::export_and_copy_take_the_selection_or_everything() {
    QTemporaryDir dir;
    place(c(), "与非门", 100, 100);
    place(c(), "与非门", 400, 300);
    const QString path = dir.filePath(QStringLiteral("电路.png"));
    w->choose_picture_file = [&] { return path; };
    w->N_export_pictureClick();
    const QImage whole(path);
    c().selection = {c().objects[1].name};
    w->N_export_pictureClick();
    const QImage part(path);
    QVERIFY(!whole.isNull() && !part.isNull());
    QVERIFY(part.width() < whole.width() / 2 && part.height() < whole.height() / 2);
    for (int y = 0; y < part.height(); ++y)  // no red selection frame
        for (int x = 0; x < part.width(); ++x) {
            const QRgb p = part.pixel(x, y);
            QVERIFY(!(qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80));
        }
    w->N_copy_pictureClick();
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    QVERIFY(mime && mime->hasImage());
    QCOMPARE(qvariant_cast<QImage>(mime->imageData()).size(), part.size());
    QSvgRenderer svg(mime->data(QStringLiteral("image/svg+xml")));
    QVERIFY(svg.isValid());
}

QTEST_MAIN(ZoomTest)
#include "zoom_test.moc"
