#include "app/component_box.h"

#include <QButtonGroup>
#include <QEvent>
#include <QMouseEvent>
#include <QToolButton>

#include "app/glyphs.h"
#include "chips/chip_table.h"
#include "model/circuit.h"

namespace vorlisk {

namespace {

enum class Role { select, tool, group, chip_page, hidden };

struct Entry {
    const char* object_name;
    Role role;
    const char* tool;    // tool string (Role::tool), or the kind its glyph shows
    int arg;             // KindGroup or chip page
    int glyph;           // ToolGlyph, or -1: draw the kind
    bool right_ignored;  // the right button does not fall back to the select tool
};

constexpr int kKind = -1;

// Row by row, left button then right button.
const Entry kEntries[] = {
    {"SpeedButton26", Role::select, "", 0, int(ToolGlyph::select), true},
    {"SpeedButton27", Role::tool, "导线", 0, int(ToolGlyph::wire), false},
    {"SpeedButton28", Role::tool, "焊接点", 0, int(ToolGlyph::junction), false},
    {"SpeedButton29", Role::tool, "检测点", 0, int(ToolGlyph::test_point), false},
    {"SpeedButton30", Role::group, "与门", int(KindGroup::and_), kKind, false},
    {"SpeedButton31", Role::group, "或门", int(KindGroup::or_), kKind, false},
    {"SpeedButton32", Role::tool, "非门", 0, kKind, false},
    {"SpeedButton33", Role::group, "与非门", int(KindGroup::nand_), kKind, false},
    {"SpeedButton34", Role::group, "或非门", int(KindGroup::nor_), kKind, false},
    {"SpeedButton35", Role::tool, "与或非门", 0, kKind, false},
    {"SpeedButton36", Role::tool, "异或门", 0, kKind, false},
    {"SpeedButton37", Role::tool, "同或门", 0, kKind, false},
    {"SpeedButton38", Role::tool, "半加器", 0, kKind, false},
    {"SpeedButton39", Role::tool, "全加器", 0, kKind, false},
    {"SpeedButton40", Role::group, "与非门基本RS触发器", int(KindGroup::rs), kKind, false},
    {"SpeedButton41", Role::group, "边沿D触发器", int(KindGroup::d), kKind, false},
    {"SpeedButton42", Role::tool, "边沿JK触发器", 0, kKind, false},
    {"SpeedButton43", Role::group, "连续脉冲", int(KindGroup::sources), kKind, false},
    {"SpeedButton46", Role::chip_page, "集成芯片组合逻辑(74LS00)", 0, kKind, false},
    {"SpeedButton47", Role::chip_page, "集成芯片时序逻辑(74LS74)", 1, kKind, false},
    {"SpeedButton44", Role::group, "发光二极管", int(KindGroup::leds), kKind, false},
    {"SpeedButton45", Role::group, "数码管", int(KindGroup::displays), kKind, false},
    {"SpeedButton50", Role::tool, "信号输入器件", 0, kKind, false},
    {"SpeedButton51", Role::tool, "信号输出器件", 0, kKind, false},
    {"SpeedButton14", Role::tool, "Vcc", 0, kKind, true},
    {"SpeedButton15", Role::tool, "Gnd", 0, kKind, true},
    {"SpeedButton48", Role::tool, "注释", 0, kKind, false},
    {"SpeedButton49", Role::hidden, "", 0, kKind, false},
};

const Entry* entry_of(const QObject* button) {
    for (const Entry& e : kEntries)
        if (button->objectName() == QLatin1String(e.object_name)) return &e;
    return nullptr;
}

}  // namespace

ComponentBox::ComponentBox(const Pictures& pictures, QWidget* parent) : QWidget(parent) {
    setObjectName("Panel6");
    setFixedSize(kWidth, 14 * 41 + 2);
    buttons_ = new QButtonGroup(this);
    buttons_->setExclusive(true);

    auto scratch = make_circuit();  // the buttons show real components
    int n = 0;
    for (const Entry& e : kEntries) {
        auto* b = new QToolButton(this);
        b->setObjectName(e.object_name);
        b->setGeometry(1 + (n % 2) * 41, 1 + (n / 2) * 41, 40, 40);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIconSize(QSize(34, 34));
        ++n;
        if (e.role == Role::hidden) {
            b->hide();
            continue;
        }
        std::string kind = e.tool;
        if (e.role == Role::chip_page && find_chip_def(*scratch, chip_type_of(kind)) < 0)
            kind = std::string(kind.substr(0, kind.find('('))) + "(74LS00)";
        if (std::string_view(e.object_name) == "SpeedButton48") {
            b->setText(QStringLiteral("注释"));
            b->setStyleSheet("QToolButton { color: navy; font-weight: bold; }");
        } else if (e.glyph >= 0) {
            b->setIcon(tool_glyph(static_cast<ToolGlyph>(e.glyph)));
            b->setIconSize(QSize(20, 20));
        } else {
            b->setIcon(kind_glyph(*scratch, pictures, kind, 34));
        }
        if (e.role == Role::group) b->setToolTip(family_caption(static_cast<KindGroup>(e.arg)));
        else b->setToolTip(e.role == Role::select ? QStringLiteral("选择") : QString::fromUtf8(e.tool).section('(', 0, 0));
        buttons_->addButton(b);
        b->installEventFilter(this);
        all_.push_back(b);
        connect(b, &QToolButton::clicked, this, [this, b] {
            const Entry* en = entry_of(b);
            switch (en->role) {
                case Role::select: emit select_chosen(); break;
                case Role::tool: emit tool_chosen(QString::fromUtf8(en->tool)); break;
                case Role::group: emit group_pressed(static_cast<KindGroup>(en->arg), b); break;
                case Role::chip_page: emit chip_page_pressed(en->arg); break;
                case Role::hidden: break;
            }
        });
    }
    show_select_down();
}

QToolButton* ComponentBox::button(const char* object_name) const {
    for (QToolButton* b : all_)
        if (b->objectName() == QLatin1String(object_name)) return b;
    return nullptr;
}

void ComponentBox::show_select_down() {
    if (QToolButton* b = button("SpeedButton26")) b->setChecked(true);
}

bool ComponentBox::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
        const Entry* en = entry_of(watched);
        if (en && !en->right_ignored) {
            show_select_down();
            emit select_chosen();
        }
        return true;  // a right press never pushes the button
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace vorlisk
