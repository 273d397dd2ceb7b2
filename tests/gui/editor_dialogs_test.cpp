// The editor's dialogs and the palette window: the kinds they hand back,
// every refusal with its message while the dialog stays open, and what OK
// writes into the circuit, up to the run pass reading a rebound probe.
#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>

#include "app/Unit_bitmap.h"
#include "chips/forms/Unit_creat_chip.h"
#include "chips/forms/Unit_one_shot.h"
#include "editor/forms/Unit_creat_button.h"
#include "editor/forms/Unit_guanlian_fgejg.h"
#include "editor/forms/Unit_huizhi_set.h"
#include "editor/forms/Unit_jcd.h"
#include "editor/forms/Unit_zhu_shi_s.h"
#include "engine/run.h"
#include "gui_support.h"
#include "model/edit.h"
#include "render/colour_swatch.h"
#include "render/drawers.h"

using namespace vorlisk;
using vorlisk::test::MessageCapture;
using vorlisk::test::place;

Q_DECLARE_METATYPE(vorlisk::KindGroup)

class EditorDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Circuit> c;

private slots:
    void initTestCase() { vorlisk::test::quiet_offscreen_notices(); }
    void init() { c = make_circuit(); }

    void chip_kind_data();
    void chip_kind();
    void chip_type_kept_between_uses();
    void chip_list_follows_the_typing();
    void chip_type_without_model_refused();
    void one_shot_widths();
    void one_shot_widths_show_four_digits();

    void palette_window_data();
    void palette_window();
    void palette_pick_and_deactivation();

    void test_point_label_data();
    void test_point_label();

    void annotation_text_data();
    void annotation_text();
    void annotation_size_fits_the_drawn_text();
    void annotation_properties_keep_the_position();

    void probe_rebound_is_read_at_the_next_pass();
    void probe_binds_the_chosen_of_two_equal_labels();

    void drawing_settings_data();
    void drawing_settings();
};

// Columns: page, text typed into the page's edit (empty: as created), OK
// pressed (else Cancel), the kind handed back.
void EditorDialogsTest::chip_kind_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("kind");
    QTest::newRow("first page as created") << 0 << "" << true << "集成芯片组合逻辑(74LS00)";
    QTest::newRow("second page as created") << 1 << "" << true << "集成芯片时序逻辑(74LS74)";
    QTest::newRow("unlisted type typed") << 1 << "CD4011" << true << "集成芯片时序逻辑(CD4011)";
    QTest::newRow("cancel") << 0 << "74LS86" << false << "";
}

void EditorDialogsTest::chip_kind() {
    QFETCH(int, page);
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(QString, kind);
    TForm_creat_chip dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.PageControl1->currentIndex(), page);
        if (!typed.isEmpty()) (page == 0 ? dlg.Edit1 : dlg.Edit2)->setText(typed);
        (ok ? dlg.BitBtn1 : dlg.BitBtn2)->click();
    });
    QCOMPARE(QString::fromStdString(dlg.choose(page)), kind);
    QVERIFY(!dlg.isVisible());
}

void EditorDialogsTest::chip_type_kept_between_uses() {
    TForm_creat_chip dlg;
    QCOMPARE(dlg.ListBox1->count(), 52);
    QCOMPARE(dlg.ListBox2->count(), 25);
    QCOMPARE(dlg.ListBox2->item(11)->text(), QStringLiteral("74LS161 4位二进制同步计数器"));
    QTimer::singleShot(0, &dlg, [&] {
        dlg.ListBox1->setCurrentRow(dlg.ListBox1->count() - 1);  // the last listed, CD40106
        dlg.BitBtn1->click();
    });
    QCOMPARE(dlg.choose(0), std::string("集成芯片组合逻辑(CD40106)"));
    QTimer::singleShot(0, &dlg, [&] { dlg.BitBtn1->click(); });
    QCOMPARE(dlg.choose(0), std::string("集成芯片组合逻辑(CD40106)"));
}

// Typing narrows the list to the types (or functions) that hold the text;
// a type taken from the list leaves it whole, and so does the next opening.
void EditorDialogsTest::chip_list_follows_the_typing() {
    TForm_creat_chip dlg;
    const auto shown = [](QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            if (!list->item(i)->isHidden()) out << list->item(i)->data(Qt::UserRole).toString();
        return out;
    };
    QTimer::singleShot(0, &dlg, [&] {
        QTest::keyClicks(dlg.Edit2, "ls16");
        QCOMPARE(shown(dlg.ListBox2), (QStringList{"74LS160", "74LS161", "74LS162", "74LS163"}));
        QTest::keyClick(dlg.Edit2, Qt::Key_1);
        QCOMPARE(shown(dlg.ListBox2), QStringList{"74LS161"});
        dlg.BitBtn2->click();
    });
    dlg.choose(1);
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(shown(dlg.ListBox1).size(), 52);
        QTest::keyClicks(dlg.Edit1, "13");  // 74LS132, 74LS133, 74LS138 among others
        QVERIFY(shown(dlg.ListBox1).contains(QStringLiteral("74LS132")));
        dlg.ListBox1->setCurrentRow(dlg.ListBox1->row(dlg.ListBox1->findItems("74LS132", Qt::MatchStartsWith)[0]));
        QCOMPARE(dlg.Edit1->text(), QStringLiteral("74LS132"));
        QVERIFY(shown(dlg.ListBox1).contains(QStringLiteral("74LS138")));
        dlg.BitBtn1->click();
    });
    QCOMPARE(dlg.choose(0), std::string("集成芯片组合逻辑(74LS132)"));
}

// A typed type the chip library does not model is refused by name and the
// dialog stays open for another.
void EditorDialogsTest::chip_type_without_model_refused() {
    MessageCapture capture;
    TForm_creat_chip dlg;
    QTimer::singleShot(0, &dlg, [&] {
        dlg.Edit2->setText("74LS999");
        dlg.BitBtn1->click();
        QVERIFY(dlg.isVisible());
        dlg.Edit2->setText("74LS194");
        dlg.BitBtn1->click();
    });
    QCOMPARE(dlg.choose(1), std::string("集成芯片时序逻辑(74LS194)"));
    QCOMPARE(capture.messages.size(), 1);
    QVERIFY(capture.messages[0].contains("74LS999"));
}

// A one-shot's widths, one per section: typed, or from R and C by the
// chip's formula (74LS123: 0.45 · 10 kΩ · 100 μF = 0.45 s); a width that is
// no positive number is refused and nothing is written.
void EditorDialogsTest::one_shot_widths() {
    MessageCapture capture;
    const int i = add_component(*c, "集成芯片时序逻辑(74LS123)", 200, 200);
    c->modified = false;
    TForm_one_shot dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.sections[0].width->text(), QStringLiteral("0.5"));
        QVERIFY(dlg.sections[1].box->isVisibleTo(&dlg));
        dlg.sections[0].r->setText("10");
        dlg.sections[0].c->setText("100");
        dlg.sections[0].compute->click();
        QCOMPARE(dlg.sections[0].width->text(), QStringLiteral("0.45"));
        dlg.sections[1].width->setText("0");
        dlg.BitBtn1->click();
        QVERIFY(dlg.isVisible());
        QVERIFY(!c->modified);
        dlg.sections[1].width->setText("2");
        dlg.BitBtn1->click();
    });
    QVERIFY(dlg.edit(*c, i));
    QCOMPARE(capture.messages.size(), 1);
    QCOMPARE(c->objects[i].param_real[1], 0.45);
    QCOMPARE(c->objects[i].param_real[2], 2.0);
    QVERIFY(c->modified);
}

// Widths show at most 4 significant digits; OK keeps the width behind an
// untouched text: the formula's own for a 74LS121 with 1 kΩ and 1000 μF
// (ln 2 s), and a width of 1/3 s from the file.
void EditorDialogsTest::one_shot_widths_show_four_digits() {
    const int i = add_component(*c, "集成芯片时序逻辑(74LS123)", 200, 200);
    const int k = add_component(*c, "集成芯片时序逻辑(74LS121)", 400, 200);
    set_one_shot_width(*c, i, 1, 1.0 / 3);
    TForm_one_shot dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.sections[1].width->text(), QStringLiteral("0.3333"));
        dlg.BitBtn1->click();
    });
    QVERIFY(dlg.edit(*c, i));
    QCOMPARE(c->objects[i].param_real[2], 1.0 / 3);
    QTimer::singleShot(0, &dlg, [&] {
        dlg.sections[0].r->setText("1");
        dlg.sections[0].c->setText("1000");
        dlg.sections[0].compute->click();
        QCOMPARE(dlg.sections[0].width->text(), QStringLiteral("0.6931"));
        dlg.BitBtn1->click();
    });
    QVERIFY(dlg.edit(*c, k));
    QCOMPARE(c->objects[k].param_real[1], std::log(2.0));
}

// Columns: group, size of the buttons' panel, window position from the main window's
// outer top-left corner, with the component box 60 pixels below its top.
void EditorDialogsTest::palette_window_data() {
    QTest::addColumn<KindGroup>("group");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("AND, left column") << KindGroup::and_ << QSize(205, 45) << QPoint(45, 182);
    QTest::newRow("RS flip-flops") << KindGroup::rs << QSize(229, 61) << QPoint(45, 376);
    QTest::newRow("D flip-flops, right column") << KindGroup::d << QSize(117, 61) << QPoint(85, 375);
    QTest::newRow("displays") << KindGroup::displays << QSize(125, 55) << QPoint(85, 497);
}

void EditorDialogsTest::palette_window() {
    QFETCH(KindGroup, group);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QWidget main_window;
    main_window.setGeometry(100, 50, 600, 500);
    auto* box = new QWidget(&main_window);
    box->setGeometry(0, 60, 84, 400);
    main_window.show();
    const Pictures& pictures = component_pictures();
    TForm_creat_button palette(pictures);
    palette.show_group(KindGroup::rs, &main_window, box);  // a larger panel first
    palette.show_group(group, &main_window, box);
    QVERIFY(palette.isVisible());
    // The buttons' panel at the top, the family's caption below it.
    QCOMPARE(palette.width(), std::max(size.width(), 200));
    QCOMPARE(palette.Label_family->geometry(), QRect(0, size.height(), palette.width(), palette.height() - size.height()));
    QVERIFY(palette.Label_family->height() > 10);
    QCOMPARE(palette.pos(), main_window.frameGeometry().topLeft() + at);
    int visible = 0;
    for (QWidget* panel : palette.panels)
        if (panel->isVisible() && panel->geometry().intersects(palette.rect())) ++visible;
    QCOMPARE(visible, 1);
    QCOMPARE(palette.panels[size_t(group)]->geometry(), QRect(QPoint(0, 0), size));
    palette.FormDeactivate();
}

namespace {
struct PressCounter : QWidget {
    using QWidget::QWidget;
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};
}  // namespace

void EditorDialogsTest::palette_pick_and_deactivation() {
    QWidget main_window;
    main_window.setGeometry(100, 50, 600, 500);
    auto* canvas = new PressCounter(&main_window);
    canvas->setGeometry(100, 0, 500, 500);
    main_window.show();
    const Pictures& pictures = component_pictures();
    TForm_creat_button palette(pictures);
    QSignalSpy picked(&palette, &TForm_creat_button::kind_picked);
    QSignalSpy dropped(&palette, &TForm_creat_button::closed_without_pick);

    palette.show_group(KindGroup::nand_, &main_window, nullptr);
    const std::vector<QToolButton*> nand = palette.buttons_of(KindGroup::nand_);
    QCOMPARE(nand.size(), size_t(5));
    nand.back()->click();
    QVERIFY(!palette.isVisible());
    QCOMPARE(picked.size(), 1);
    QCOMPARE(picked.at(0).at(0).toString(), QStringLiteral("8线与非门"));
    palette.FormDeactivate();  // the focus loss that follows the pick
    QCOMPARE(dropped.size(), 0);

    palette.show_group(KindGroup::and_, &main_window, nullptr);
    palette.FormDeactivate();
    QVERIFY(!palette.isVisible());
    QCOMPARE(dropped.size(), 1);

    // A press anywhere outside closes it before that press is handled
    // (by then with the select tool).
    palette.show_group(KindGroup::leds, &main_window, nullptr);
    int presses_when_closed = -1;
    connect(&palette, &TForm_creat_button::closed_without_pick, canvas,
            [&] { presses_when_closed = canvas->presses; });
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(!palette.isVisible());
    QCOMPARE(dropped.size(), 2);
    QCOMPARE(presses_when_closed, 0);
    QCOMPARE(canvas->presses, 1);
    QCOMPARE(picked.size(), 1);
}

// Columns: the label typed for test point A (B exists too), the message
// expected (empty: accepted) and the label A has afterwards.
void EditorDialogsTest::test_point_label_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("label");
    QTest::newRow("empty") << "" << "请输入检测点的标签。" << "A";
    QTest::newRow("another's label") << "B" << "标签名称与其他检测点的标签同名，请重新输入。" << "A";
    QTest::newRow("its own label") << "A" << "" << "A";
    QTest::newRow("a new label") << "CLK" << "" << "CLK";
}

void EditorDialogsTest::test_point_label() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, label);
    const int a = add_test_point(*c, 100, 100);
    add_test_point(*c, 200, 100);
    QCOMPARE(c->test_points[a].label, std::string("A"));
    MessageCapture capture;
    TForm_jcd dlg;
    bool open_after_ok = false;
    QWidget* focus = nullptr;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.label_edit->text(), QStringLiteral("A"));
        dlg.label_edit->setText(typed);
        dlg.ok_button->setFocus();
        dlg.ok_clicked();
        open_after_ok = dlg.isVisible();
        focus = dlg.focusWidget();
        if (open_after_ok) dlg.cancel_clicked();
    });
    QCOMPARE(dlg.edit(*c, a), message.isEmpty());
    QCOMPARE(capture.messages, message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(open_after_ok, !message.isEmpty());
    if (!message.isEmpty()) QCOMPARE(focus, dlg.label_edit);
    QCOMPARE(QString::fromStdString(c->test_points[a].label), label);
}

// Columns: the text box's text, the message expected (empty: accepted) and
// the lines kept.
void EditorDialogsTest::annotation_text_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("lines");
    const QString refused = QStringLiteral("请填入注释。");
    QTest::newRow("no text") << "" << refused << QStringList{};
    QTest::newRow("only empty lines") << "\n\n" << refused << QStringList{};
    QTest::newRow("a line break at the end") << "与非门\n" << "" << QStringList{"与非门"};
    QTest::newRow("an empty line between") << "A\n\nB" << "" << QStringList{"A", "", "B"};
}

void EditorDialogsTest::annotation_text() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QStringList, lines);
    MessageCapture capture;
    TForm_zhu_shi_s dlg;
    ZHU_SHI_S draft;  // a new annotation: Arial 16 bold navy, no background, no frame
    bool open_after_ok = false;
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(dlg.text_box->toPlainText().isEmpty());
        QVERIFY(!dlg.show_back->isChecked());
        dlg.text_box->setPlainText(text);
        dlg.show_back->setChecked(true);
        dlg.frame_swatch->set_colour(0x0000ff);
        dlg.show_frame->setChecked(true);
        dlg.ok_clicked();
        open_after_ok = dlg.isVisible();
        if (open_after_ok) dlg.cancel_clicked();
    });
    QCOMPARE(dlg.edit(draft), message.isEmpty());
    QCOMPARE(capture.messages, message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(open_after_ok, !message.isEmpty());
    QStringList kept;
    for (const std::string& l : draft.text_lines) kept << QString::fromStdString(l);
    QCOMPARE(kept, lines);
    if (message.isEmpty()) {
        QVERIFY(!draft.transparent);
        QVERIFY(draft.framed);
        QCOMPARE(draft.frame_color, 0x0000ff);
        QCOMPARE(draft.height, int(lines.size() * 16 * 1.1));  // |font height| 16
    } else {
        QVERIFY(draft.transparent);  // a cancelled draft is left alone
    }
}

// The stored width is where the drawn text ends, also in a font chosen in
// the dialog: measured and drawn with different fonts, text would stick
// out of its frame or the hit box.
void EditorDialogsTest::annotation_size_fits_the_drawn_text() {
    TForm_zhu_shi_s dlg;
    ZHU_SHI_S draft;
    QTimer::singleShot(0, &dlg, [&] {
        QFont bigger = dlg.text_box->font();
        bigger.setPointSize(18);  // 24 pixels
        bigger.setBold(false);
        dlg.font_chosen(bigger);
        dlg.text_box->setPlainText(QStringLiteral("ab\n数码管显示 0-9"));
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(draft));
    QCOMPARE(draft.font_height, -24);
    QCOMPARE(draft.font_size, 18);
    QCOMPARE(draft.font_style, uint8_t(0));
    QCOMPARE(draft.height, 52);  // 2 x 24 x 1.1
    draft.x = 20, draft.y = 20;
    Canvas cv(400, 120);
    draw_annotation(cv, draft);
    const QImage img = cv.image();
    int rightmost = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xffffff) != 0xffffff) rightmost = std::max(rightmost, x);
    QVERIFY(rightmost > draft.x + draft.width - 6);
    QVERIFY(rightmost < draft.x + draft.width + 2);
}

void EditorDialogsTest::annotation_properties_keep_the_position() {
    ZHU_SHI_S first;
    first.text_lines = {"A"};
    first.back_color = 0x00ffff;
    const int a = add_annotation(*c, first, 300, 200);
    const int x = c->annotations[a].x, y = c->annotations[a].y;
    TForm_zhu_shi_s dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.text_box->toPlainText(), QStringLiteral("A"));
        QCOMPARE(dlg.back_swatch->colour(), 0x00ffff);
        dlg.text_box->setPlainText(QStringLiteral("第一行\n第二行\n第三行"));
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(*c, a));
    QCOMPARE(c->annotations[a].text_lines.size(), size_t(3));
    QCOMPARE(c->annotations[a].height, 52);  // 3 x 16 x 1.1, grown downwards
    QCOMPARE(c->annotations[a].x, x);
    QCOMPARE(c->annotations[a].y, y);
}

void EditorDialogsTest::probe_rebound_is_read_at_the_next_pass() {
    const int low = place(*c, "高低电平控制器", 100, 100);
    const int high = place(*c, "高低电平控制器", 100, 200);
    toggle_level_switch(*c, high);
    const BendPoint low_out = output_pin(c->objects[low], 0), high_out = output_pin(c->objects[high], 0);
    const int a = add_test_point(*c, low_out.x, low_out.y);
    const int b = add_test_point(*c, high_out.x, high_out.y);
    const int led = place(*c, "发光二极管测点", 300, 100);
    set_probe_input(*c, led, 0, c->test_points[a].name);
    start_run(*c);
    for (int i = 0; i < 3; ++i) run_pass(*c, {});
    QVERIFY(c->objects[led].out_v[0] < 2.0f);

    TForm_guanlian_fgejg dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.input_list->count(), 3);  // none, A, B
        QCOMPARE(dlg.input_list->currentText(), QStringLiteral("A"));
        dlg.input_list->setCurrentIndex(dlg.input_list->findText("B"));
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(*c, led));
    QCOMPARE(c->objects[led].param_text[0], c->test_points[b].name);
    run_pass(*c, {});
    QVERIFY(c->objects[led].out_v[0] > 2.0f);

    QTimer::singleShot(0, &dlg, [&] {
        dlg.input_list->setCurrentIndex(0);  // the empty item: no test point
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(*c, led));
    QCOMPARE(c->objects[led].param_text[0], std::string());
    run_pass(*c, {});
    QVERIFY(c->objects[led].out_v[0] < 2.0f);
}

// Test points loaded with the same label: the list shows both, and the
// one chosen is the one bound.
void EditorDialogsTest::probe_binds_the_chosen_of_two_equal_labels() {
    add_test_point(*c, 100, 100);
    const int second = add_test_point(*c, 200, 100);
    set_test_point_label(*c, second, "A");  // as a file may hold them
    const int led = place(*c, "发光二极管测点", 300, 100);
    set_probe_input(*c, led, 0, "检测点0");  // names no test point
    TForm_guanlian_fgejg dlg;
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.input_list->currentIndex(), -1);
        dlg.input_list->setCurrentIndex(2);
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(*c, led));
    QCOMPARE(c->objects[led].param_text[0], c->test_points[second].name);
}

// Columns: whether the LED is selected before the gate; the colours the
// dialog is preset with come from the first selected.
void EditorDialogsTest::drawing_settings_data() {
    QTest::addColumn<bool>("led_first");
    QTest::newRow("gate first") << false;
    QTest::newRow("LED first") << true;
}

void EditorDialogsTest::drawing_settings() {
    QFETCH(bool, led_first);
    const int gate = place(*c, "与门", 100, 100);
    const int led = place(*c, "发光二极管", 300, 100);
    const int wire = add_wire(*c, {0, 0}, {50, 0});
    c->objects[gate].fill_color = 0x111111;
    c->objects[led].fill_color = 0x222222;
    c->objects[led].border_width = 1;
    const int32_t gate_lamp = c->objects[gate].param_int[0];
    c->selection = {c->wires[wire].name, c->objects[led_first ? led : gate].name,
                    c->objects[led_first ? gate : led].name};

    TForm_huizhi_set dlg;
    const int short_height = dlg.height();
    QTimer::singleShot(0, &dlg, [&] {
        QCOMPARE(dlg.fill_swatch->colour(), led_first ? 0x222222 : 0x111111);
        QCOMPARE(dlg.border_width->currentIndex(), led_first ? 0 : 1);
        QVERIFY(dlg.lit_swatch->isVisible());
        QCOMPARE(dlg.group_box->height(), 174);
        QCOMPARE(dlg.height() - short_height, 174 - 128);
        dlg.fill_swatch->set_colour(0x00ff00);
        dlg.font_weight->setCurrentIndex(0);
        dlg.border_width->setCurrentIndex(1);
        dlg.lit_swatch->set_colour(0x0000ff);
        dlg.unlit_swatch->set_colour(0x000080);
        dlg.ok_clicked();
    });
    QVERIFY(dlg.edit(*c));
    for (int i : {gate, led}) {
        QCOMPARE(c->objects[i].fill_color, 0x00ff00);
        QCOMPARE(c->objects[i].border_width, int16_t(2));
        QVERIFY(!c->objects[i].font_bold);
    }
    QCOMPARE(c->objects[led].param_int[0], 0x0000ff);
    QCOMPARE(c->objects[led].param_int[1], 0x000080);
    QCOMPARE(c->objects[gate].param_int[0], gate_lamp);

    c->selection = {c->objects[gate].name};  // no lamp: the short form
    QTimer::singleShot(0, &dlg, [&] {
        QVERIFY(!dlg.lit_swatch->isVisible());
        QCOMPARE(dlg.group_box->height(), 128);
        dlg.cancel_clicked();
    });
    QVERIFY(!dlg.edit(*c));
}

QTEST_MAIN(EditorDialogsTest)
#include "editor_dialogs_test.moc"
