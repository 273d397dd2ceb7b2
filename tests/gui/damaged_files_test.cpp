// Files holding drawing values no dialog offers. Each value at the largest
// its dialog or the canvas allows loads as it is; one past it, 2^31-1 or a
// negative one gives way to its reset value with a note naming its line;
// the circuit redraws and its picture's bounds hold either way. The window
// opens a file whose wires are 30000 pixels wide at once, warning once.
#include <QtTest>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <climits>

#include "app/Unit1.h"
#include "gui_support.h"
#include "model/catalogue.h"
#include "render/canvas.h"
#include "render/circuit_picture.h"
#include "render/pictures.h"
#include "render/redraw.h"
#include "tests/support/drawing_fields.h"

using namespace vorlisk;
using vorlisk::test::drawing_fields;
using vorlisk::test::field_value;
using vorlisk::test::with_value;

class DamagedFilesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Circuit> base_;

private slots:
    void initTestCase();
    void each_value_loads_reports_its_line_and_redraws_data();
    void each_value_loads_reports_its_line_and_redraws();
    void the_window_opens_a_thirty_thousand_pixel_wire_at_once();
};

void DamagedFilesTest::initTestCase() {
    vorlisk::test::quiet_offscreen_notices();
    base_ = vorlisk::test::drawing_base(VORLISK_EXAMPLES_DIR);
    QVERIFY(base_);
    QVERIFY(contains(base_->objects[0].kind, "74LS161"));
}

// Columns: the field (index into drawing_fields), the value on its line.
void DamagedFilesTest::each_value_loads_reports_its_line_and_redraws_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("value");
    for (size_t i = 0; i < drawing_fields().size(); ++i) {
        const DrawingRange& r = drawing_range(drawing_fields()[i].value);
        const QByteArray name = drawing_fields()[i].name;
        QTest::newRow(name + " largest") << int(i) << qint64(r.high);
        QTest::newRow(name + " one past") << int(i) << qint64(r.high) + 1;
        QTest::newRow(name + " 2^31-1") << int(i) << qint64(INT32_MAX);
        QTest::newRow(name + " negative") << int(i) << std::min<qint64>(r.low - 1, -1);
    }
}

void DamagedFilesTest::each_value_loads_reports_its_line_and_redraws() {
    QFETCH(int, field);
    QFETCH(qint64, value);
    const auto& f = drawing_fields()[size_t(field)];
    const DrawingRange& range = drawing_range(f.value);
    int line = 0;
    const std::string bytes = with_value(*base_, f, std::to_string(value), line);
    QVERIFY(line > 0);

    auto c = make_circuit();
    const FileResult r = load_circuit_bytes(*c, bytes);
    QVERIFY2(r, r.message.c_str());
    const bool legal = drawing_value_ok(f.value, value);
    QCOMPARE(r.drawing_line, legal ? 0 : line);
    QCOMPARE(r.timing_line, 0);
    const int32_t got = field_value(*c, f);
    if (legal) {
        QCOMPARE(qint64(got), value);
    } else {
        const std::string where = "第 " + std::to_string(line) + " 行的" + std::string(range.what);
        QVERIFY2(r.drawing_problem.starts_with(where), r.drawing_problem.c_str());
        // Derived values: what placement or a new test point gives, which
        // the base holds; an annotation's size as its text measures.
        if (!range.derived) QCOMPARE(got, range.reset);
        else if (f.value != DrawingValue::note_size) QCOMPARE(got, field_value(*base_, f));
        else QVERIFY(got > 0 && drawing_value_ok(f.value, got));
    }

    const Pictures& pictures = component_pictures();
    Canvas cv(1280, 800);
    DrawOptions view;
    view.pictures = &pictures;
    view.pin_numbers = true;
    redraw_canvas(cv, *c, 1280, 800, kRedrawFull, view);
    const QRect bounds = picture_bounds(*c, false, true);
    QVERIFY(bounds.width() > 0 && bounds.height() > 0);
    // Nothing wraps round: a larger value only makes the picture larger,
    // and a reset one gives the picture of the base again.
    const QRect plain = picture_bounds(*base_, false, true);
    if (legal) QVERIFY(bounds.contains(plain));
    else if (f.value != DrawingValue::note_size) QCOMPARE(bounds, plain);
}

void DamagedFilesTest::the_window_opens_a_thirty_thousand_pixel_wire_at_once() {
    const auto w = vorlisk::test::start_main_window();
    QVERIFY(w);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("粗导线.vlk"));
    int line = 0;
    const std::string bytes = with_value(*base_, drawing_fields()[0], "30000", line);
    QCOMPARE(line, 11);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes.data(), qint64(bytes.size()));
    out.close();

    vorlisk::test::MessageCapture capture{SaveAnswer::discard};
    QElapsedTimer answered;
    answered.start();
    QVERIFY(w->open_file(path));
    w->full_redraw();
    QCoreApplication::processEvents();
    // With the width as it was, this took minutes (a responsiveness check,
    // not a measurement: bench_canvas has the figures).
    QVERIFY2(answered.elapsed() < 1000, qPrintable(QString::number(answered.elapsed())));
    QCOMPARE(capture.messages.size(), 1);
    QVERIFY2(capture.messages[0].contains(QStringLiteral("第 11 行的导线粗细 30000")), qPrintable(capture.messages[0]));
    QVERIFY(capture.messages[0].contains(path));
    QCOMPARE(w->circuit().draw.wire_width, 2);
    QVERIFY(w->circuit().modified);
    QVERIFY(w->isWindowModified());
    w->circuit().modified = false;
}

QTEST_MAIN(DamagedFilesTest)
#include "damaged_files_test.moc"
