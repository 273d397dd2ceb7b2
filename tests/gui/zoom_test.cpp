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
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include "app/Unit1.h"
#include "app/canvas_view.h"
#include "gui_support.h"
#include "model/circuit_file.h"
#include "model/edit.h"
#include "render/circuit_picture.h"
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
    void pin_numbers_sit_beside_the_stroke_and_are_tall();
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
    const Pictures pictures = paint_pictures();
    for (const QString& f : files) {
        QVERIFY2(w->open_file(f), qPrintable(f));
        w->full_redraw();
        const QImage shown = w->screen_image().copy();
        auto own = make_circuit();
        QVERIFY(bool(load_circuit(*own, f.toStdString())));
        Canvas exact(shown.width(), shown.height());
        exact.pictures = &pictures;
        redraw_canvas(exact, *own, shown.width(), shown.height(), kRedrawFull);
        QVERIFY2(shown == exact.image(), qPrintable(f));
    }
    if (pins) w->N_pin_numbers->trigger();
}

// Every package pin number of a 74LS00 lies outside the body and above its
// stroke (and so above a wire leaving the tip along the stroke's line), and
// its digits are at least 9 pixels high.
void ZoomTest::pin_numbers_sit_beside_the_stroke_and_are_tall() {
    auto own = make_circuit();
    const int chip = place(*own, "集成芯片组合逻辑(74LS00)", 100, 100);
    const MY_BASE_OBJ& o = own->objects[chip];
    Canvas cv(200, 200);
    cv.show_pin_numbers = true;
    own->draw.show_grid = false;
    redraw_canvas(cv, *own, 200, 200, kRedrawFull);
    const QImage img = cv.image();
    auto bluish = [&](int x, int y) {
        const QRgb p = img.pixel(x, y);
        return qBlue(p) > qRed(p) + 40;
    };
    std::vector<std::pair<int, int>> tips;  // (x, y) of every pin tip
    for (int k = 0; k < o.input_count; ++k) tips.emplace_back(o.x + o.in_dx[k], o.y + o.in_dy[k]);
    for (int k = 0; k < o.output_count; ++k) tips.emplace_back(o.x + o.out_dx[k], o.y + o.out_dy[k]);
    const Rect32& b = o.body_rect;
    int numbers = 0;
    for (const auto& [tx, ty] : tips) {
        // The band between this stroke and the one above it, on the pin's side.
        const bool left = tx < o.x;
        const int x0 = left ? tx - 12 : o.x + b.right + 1, x1 = left ? o.x + b.left - 1 : tx + 12;
        int top = 1000, bottom = -1;
        for (int y = ty - 11; y <= ty - 1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (bluish(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
        if (bottom < 0) continue;
        ++numbers;
        QVERIFY2(bottom - top + 1 >= 9, qPrintable(QStringLiteral("pin at %1,%2: %3 px").arg(tx).arg(ty).arg(bottom - top + 1)));
        // The row above the stroke's line stays clear: the number stands above
        // the stroke and above a wire leaving the tip along it.
        for (int x = x0; x <= x1; ++x)
            for (int y : {ty - 1})
                QVERIFY2(!bluish(x, y), qPrintable(QStringLiteral("covers the stroke at %1,%2").arg(x).arg(y)));
    }
    QCOMPARE(numbers, 14);  // every package pin, supply pins too
    for (int y = o.y + b.top; y <= o.y + b.bottom; ++y)  // nothing inside the body
        for (int x = o.x + b.left + 2; x <= o.x + b.right - 2; ++x) QVERIFY(!bluish(x, y));
}

// Every example's SVG is well-formed XML and, drawn, has its dark pixels
// where the PNG has them (and the other way round).
void ZoomTest::svg_pictures_parse_and_match_the_png() {
    const QStringList files = example_files();
    QVERIFY(files.size() >= 15);
    const Pictures pictures = paint_pictures();
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
    const Pictures pictures = paint_pictures();
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
