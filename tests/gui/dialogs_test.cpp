// The drawing, computation and signal-source settings dialogs: what OK,
// Cancel and the default buttons apply, and every refusal with its message
// and the field it puts the focus on.
#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/Unit_about.h"
#include "engine/forms/Unit_compute_set.h"
#include "engine/forms/Unit_xinhaoyuan.h"
#include "gui_support.h"
#include "render/Unit_set.h"
#include "render/colour_swatch.h"

using namespace vorlisk;
using vorlisk::test::MessageCapture;
using vorlisk::test::place;

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Circuit> c;

private slots:
    void initTestCase() { vorlisk::test::quiet_offscreen_notices(); }
    void init() { c = make_circuit(); }

    void drawing_ok_restyles_every_component_of_the_category();
    void drawing_cancel_changes_nothing();
    void drawing_defaults_then_ok_make_device_labels_bold();
    void drawing_junction_sizes();

    void compute_validation_data();
    void compute_validation();
    void compute_defaults_switch_to_real_time();

    void pulse_validation_data();
    void pulse_validation();
    void pulse_frequency_fills_width_and_phase();
    void pulse_count_row_only_for_presettable_data();
    void pulse_count_row_only_for_presettable();
    void pulse_ok_writes_back_and_cancel_does_not();
    void splash_fades_in_holds_and_closes_itself();
    void about_from_the_menu_waits_for_a_click();
};

void DialogsTest::drawing_ok_restyles_every_component_of_the_category() {
    const int gate = place(*c, "与门", 100, 100);
    const int vcc = place(*c, "Vcc", 200, 100);
    const int led = place(*c, "发光二极管", 300, 100);
    const MY_BASE_OBJ vcc_before = c->objects[vcc];
    c->modified = false;
    TForm_set dlg(*c);
    dlg.show();
    dlg.categories[int(Category::gates)].fill->set_colour(0x123456);
    dlg.categories[int(Category::leds)].lit->set_colour(0x00ff00);
    dlg.back_color->set_colour(0x202020);
    dlg.BitBtn2Click();
    QVERIFY(!dlg.isVisible());
    QVERIFY(c->modified);
    QCOMPARE(c->draw.back_color, 0x202020);
    QCOMPARE(c->objects[gate].fill_color, 0x123456);
    QCOMPARE(c->objects[led].param_int[0], 0x00ff00);
    QCOMPARE(c->objects[vcc].fill_color, vcc_before.fill_color);  // no category: untouched
    QCOMPARE(c->objects[vcc].border_color, vcc_before.border_color);
    const int later = place(*c, "与非门", 100, 200);  // placed afterwards: the new look
    QCOMPARE(c->objects[later].fill_color, 0x123456);
}

void DialogsTest::drawing_cancel_changes_nothing() {
    const int gate = place(*c, "与门", 100, 100);
    c->modified = false;
    const DrawSettings before = c->draw;
    TForm_set dlg(*c);
    dlg.show();
    dlg.categories[int(Category::gates)].fill->set_colour(0x123456);
    dlg.show_grid->setChecked(false);
    dlg.BitBtn3Click();
    QVERIFY(c->draw == before);
    QCOMPARE(c->objects[gate].fill_color, before.of(Category::gates).fill_color);
    QVERIFY(!c->modified);
    dlg.show();  // showing again shows the settings, not the abandoned edits
    QCOMPARE(dlg.categories[int(Category::gates)].fill->colour(), before.of(Category::gates).fill_color);
    QVERIFY(dlg.show_grid->isChecked());
}

void DialogsTest::drawing_defaults_then_ok_make_device_labels_bold() {
    const int device = place(*c, "信号输入器件", 100, 100);
    const int display = place(*c, "数码管", 200, 100);
    QVERIFY(!c->objects[device].font_bold);  // a new circuit has them regular
    c->draw.back_color = 0x000000;
    TForm_set dlg(*c);
    dlg.show();
    dlg.BitBtn1Click();
    QVERIFY(c->draw.back_color == 0x000000);  // the button only fills the controls
    dlg.BitBtn2Click();
    QVERIFY(c->draw == default_button_draw_settings());
    QVERIFY(c->objects[device].font_bold);
    QVERIFY(c->objects[display].font_bold);
}

void DialogsTest::drawing_junction_sizes() {
    TForm_set dlg(*c);
    dlg.show();
    QCOMPARE(dlg.junction_size->count(), 3);
    QCOMPARE(dlg.junction_size->currentText(), QStringLiteral("粗1"));
    dlg.junction_size->setCurrentIndex(2);
    dlg.wire_width->setCurrentIndex(0);
    dlg.BitBtn2Click();
    QCOMPARE(c->draw.junction_size, 4);
    QCOMPARE(c->draw.wire_width, 1);
}

// Columns: virtual time chosen, step text, delay text, the message expected
// (empty: accepted), the field that gets the focus, and the globals after.
void DialogsTest::compute_validation_data() {
    QTest::addColumn<bool>("virtual_chosen");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("virtual_time");
    QTest::addColumn<double>("time_step");
    QTest::addColumn<int>("device_delay");
    const QString step_msg = QStringLiteral("\"计算步长\"必须是正实数，请重新输入。");
    const QString big_msg = QStringLiteral("\"计算步长\"不能大于 86400 秒（一天），请重新输入。");
    const QString delay_msg = QStringLiteral("\"器件延时\"必须是正整数，请重新输入。");
    QTest::newRow("real time ignores the fields") << false << "abc" << "x" << "" << "" << 0 << 0.001 << 1;
    QTest::newRow("accepted") << true << "0.002" << "3" << "" << "" << 1 << 0.002 << 3;
    QTest::newRow("blanks around a number") << true << " 0.5 " << "2" << "" << "" << 1 << 0.5 << 2;
    QTest::newRow("step zero") << true << "0" << "1" << step_msg << "Edit1" << 0 << 0.001 << 1;
    QTest::newRow("step negative") << true << "-1" << "1" << step_msg << "Edit1" << 0 << 0.001 << 1;
    QTest::newRow("step not a number") << true << "abc" << "1" << step_msg << "Edit1" << 0 << 0.001 << 1;
    QTest::newRow("step empty") << true << "" << "1" << step_msg << "Edit1" << 0 << 0.001 << 1;
    QTest::newRow("a day per pass") << true << "86400" << "1" << "" << "" << 1 << 86400.0 << 1;
    QTest::newRow("step whose run overflows") << true << "1e308" << "1" << big_msg << "Edit1" << 0 << 0.001 << 1;
    QTest::newRow("delay a fraction") << true << "0.002" << "1.5" << delay_msg << "Edit2" << 0 << 0.001 << 1;
    QTest::newRow("delay zero") << true << "0.002" << "0" << delay_msg << "Edit2" << 0 << 0.001 << 1;
    QTest::newRow("both wrong: the step first") << true << "0" << "0" << step_msg << "Edit1" << 0 << 0.001 << 1;
}

void DialogsTest::compute_validation() {
    QFETCH(bool, virtual_chosen);
    QFETCH(QString, step);
    QFETCH(QString, delay);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, virtual_time);
    QFETCH(double, time_step);
    QFETCH(int, device_delay);
    MessageCapture capture;
    TForm_compute_set dlg(*c);
    dlg.show();
    QVERIFY(!dlg.Edit1->isEnabled());  // a new circuit computes in real time
    (virtual_chosen ? dlg.RadioButton2 : dlg.RadioButton1)->setChecked(true);
    QCOMPARE(dlg.Edit1->isEnabled(), virtual_chosen);
    dlg.Edit1->setText(step);
    dlg.Edit2->setText(delay);
    dlg.BitBtn2Click();
    QCOMPARE(capture.messages, message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(dlg.isVisible(), !message.isEmpty());
    if (!focus.isEmpty()) {
        QVERIFY(dlg.focusWidget());
        QCOMPARE(dlg.focusWidget()->objectName(), focus);
    }
    QCOMPARE(c->virtual_time, virtual_time);
    QCOMPARE(c->time_step, time_step);
    QCOMPARE(c->device_delay, device_delay);
    QVERIFY(c->modified);  // set even by a refused input
}

void DialogsTest::compute_defaults_switch_to_real_time() {
    c->virtual_time = 1;
    c->time_step = 0.01;
    c->device_delay = 4;
    TForm_compute_set dlg(*c);
    dlg.show();
    QVERIFY(dlg.RadioButton2->isChecked());
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("0.01"));
    dlg.Edit1->setText("7");
    dlg.BitBtn1Click();
    QVERIFY(dlg.RadioButton1->isChecked());
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("0.01"));
    QCOMPARE(c->virtual_time, 1);  // nothing applied before OK
    dlg.BitBtn2Click();
    QCOMPARE(c->virtual_time, 0);
    QCOMPARE(c->time_step, 0.01);
    QCOMPARE(c->device_delay, 4);
}

// Columns: pulse kind, the four texts, the message expected (empty:
// accepted) and the field that gets the focus.
void DialogsTest::pulse_validation_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString cp = QStringLiteral("连续脉冲"), n = QStringLiteral("可置数脉冲");
    QTest::newRow("width and phase fill the period") << cp << "1000" << "0.0005" << "0.0005" << "1" << "" << "";
    QTest::newRow("phase 0 accepted") << n << "1" << "0.5" << "0" << "10" << "" << "";
    QTest::newRow("frequency zero") << cp << "0" << "0.5" << "0.5" << "1"
                                    << "脉冲频率必须是正实数，请重新输入。" << "Edit1";
    QTest::newRow("frequency not a number") << cp << "abc" << "0.5" << "0.5" << "1"
                                            << "脉冲频率必须是正实数，请重新输入。" << "Edit1";
    QTest::newRow("width zero") << cp << "1" << "0" << "0" << "1" << "脉冲宽度必须是正实数，请重新输入。" << "Edit2";
    QTest::newRow("width a whole period") << cp << "1" << "1" << "0" << "1"
                                          << "脉冲宽度必须必须小于脉冲周期，请重新输入。" << "Edit2";
    QTest::newRow("phase negative") << cp << "1" << "0.5" << "-0.1" << "1"
                                    << "脉冲相位必须是正实数，请重新输入。" << "Edit3";
    QTest::newRow("width and phase beyond the period")
        << cp << "1000" << "0.0005" << "0.0006" << "1" << "脉冲宽度与脉冲相位的和必须小于或等于脉冲周期，请重新输入。"
        << "Edit3";
    QTest::newRow("count zero, checked though hidden") << cp << "1" << "0.5" << "0.5" << "0"
                                                       << "脉冲置数必须是正整数，请重新输入。" << "Edit4";
    QTest::newRow("count a fraction") << n << "1" << "0.5" << "0.5" << "2.5"
                                      << "脉冲置数必须是正整数，请重新输入。" << "Edit4";
}

void DialogsTest::pulse_validation() {
    QFETCH(QString, kind);
    QFETCH(QString, frequency);
    QFETCH(QString, width);
    QFETCH(QString, phase);
    QFETCH(QString, count);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    MessageCapture capture;
    const int i = place(*c, kind.toUtf8().constData(), 100, 100);
    TForm_xinhaoyuan dlg;
    dlg.load_from(c->objects[i]);
    dlg.show();
    dlg.Edit1->setText(frequency);  // fills width and phase, overwritten next
    dlg.Edit2->setText(width);
    dlg.Edit3->setText(phase);
    dlg.Edit4->setText(count);
    dlg.BitBtn1Click();
    QCOMPARE(capture.messages, message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(dlg.flag, message.isEmpty() ? 1 : 0);
    if (!focus.isEmpty()) {
        QVERIFY(dlg.focusWidget());
        QCOMPARE(dlg.focusWidget()->objectName(), focus);
        QVERIFY(dlg.focusWidget()->isVisible());  // a hidden field could never be corrected
    }
}

void DialogsTest::pulse_frequency_fills_width_and_phase() {
    TForm_xinhaoyuan dlg;
    dlg.Edit2->setText("0.3");
    dlg.Edit3->setText("0.1");
    dlg.Edit1->setText("4");
    QCOMPARE(dlg.Edit2->text(), QStringLiteral("0.125"));
    QCOMPARE(dlg.Edit3->text(), QStringLiteral("0.125"));
    dlg.Edit1->setText("4x");  // not a number: left alone
    dlg.Edit1->setText("-2");
    QCOMPARE(dlg.Edit2->text(), QStringLiteral("0.125"));
}

// Columns: pulse kind, whether the count row shows.
void DialogsTest::pulse_count_row_only_for_presettable_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("visible");
    QTest::newRow("presettable") << "可置数脉冲" << true;
    QTest::newRow("continuous") << "连续脉冲" << false;
}

void DialogsTest::pulse_count_row_only_for_presettable() {
    QFETCH(QString, kind);
    QFETCH(bool, visible);
    const int i = place(*c, kind.toUtf8().constData(), 100, 100);
    TForm_xinhaoyuan dlg;
    dlg.load_from(c->objects[i]);
    dlg.show();
    QCOMPARE(dlg.Edit4->isVisible(), visible);
    QCOMPARE(dlg.Label3->isVisible(), visible);
    QCOMPARE(dlg.Edit2->text(), QStringLiteral("0.5"));  // the object's own values, not half periods
    QCOMPARE(dlg.ComboBox1->currentText(), QStringLiteral("常低"));
}

void DialogsTest::pulse_ok_writes_back_and_cancel_does_not() {
    const int i = place(*c, "可置数脉冲", 100, 100);
    TForm_xinhaoyuan dlg;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.ComboBox1->setCurrentIndex(1);
        dlg.Edit1->setText("2");
        dlg.Edit4->setText("5");
        dlg.BitBtn1Click();
    });
    QVERIFY(edit_pulse_source(dlg, *c, i));
    const MY_BASE_OBJ& o = c->objects[i];
    QCOMPARE(o.pulse_frequency, 2.0);
    QCOMPARE(o.pulse_width, 0.25);
    QCOMPARE(o.pulse_phase, 0.25);
    QCOMPARE(o.pulse_count, 5);
    QCOMPARE(o.idle_level, std::string("常高"));

    QTimer::singleShot(0, &dlg, [&] {
        dlg.Edit1->setText("50");
        dlg.BitBtn2Click();
    });
    QVERIFY(!edit_pulse_source(dlg, *c, i));
    QCOMPARE(c->objects[i].pulse_frequency, 2.0);
}

void DialogsTest::splash_fades_in_holds_and_closes_itself() {
    TForm_about about;
    QElapsedTimer t;
    t.start();
    about.show_splash();
    QVERIFY(about.faded_in);
    QCOMPARE(about.opacity, 255);
    QVERIFY(t.elapsed() >= TForm_about::kHoldMs);
    QVERIFY(t.elapsed() < TForm_about::kHoldMs + 5000);
    QVERIFY(!about.isVisible());
    QVERIFY(!about.Timer1->isActive());
}

void DialogsTest::about_from_the_menu_waits_for_a_click() {
    TForm_about about;
    bool open_after_a_while = false;
    QTimer::singleShot(300, &about, [&] {
        open_after_a_while = about.isVisible();
        QTest::mouseRelease(about.Image1, Qt::LeftButton);  // a click on the picture
    });
    about.show_from_menu();
    QVERIFY(open_after_a_while);
    QVERIFY(!about.isVisible());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
