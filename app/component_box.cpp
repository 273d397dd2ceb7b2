#include "app/component_box.h"

#include <QButtonGroup>
#include <QEvent>
#include <QMouseEvent>
#include <QToolButton>

#include "app/glyphs.h"
#include "chips/chip_table.h"
#include "editor/component_box_table.h"
#include "model/circuit.h"

namespace vorlisk {

namespace {

// The look of a button: a drawing tool's glyph, or the kind it places drawn.
int glyph_of(const BoxButton& e) {
    if (e.role == BoxRole::select) return int(ToolGlyph::select);
    const std::string_view tool = e.tool;
    if (tool == "导线") return int(ToolGlyph::wire);
    if (tool == "焊接点") return int(ToolGlyph::junction);
    if (tool == "检测点") return int(ToolGlyph::test_point);
    return -1;
}

const BoxButton* entry_of(const QObject* button) {
    for (const BoxButton& e : box_buttons())
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
    for (const BoxButton& e : box_buttons()) {
        auto* b = new QToolButton(this);
        b->setObjectName(e.object_name);
        b->setGeometry(1 + (n % 2) * 41, 1 + (n / 2) * 41, 40, 40);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIconSize(QSize(34, 34));
        ++n;
        if (e.role == BoxRole::hidden) {
            b->hide();
            continue;
        }
        std::string kind = e.tool;
        if (e.role == BoxRole::chip_page && find_chip_def(*scratch, chip_type_of(kind)) < 0)
            kind = std::string(kind.substr(0, kind.find('('))) + "(74LS00)";
        if (std::string_view(e.object_name) == "SpeedButton48") {
            b->setText(QStringLiteral("注释"));
            b->setStyleSheet("QToolButton { color: navy; font-weight: bold; }");
        } else if (glyph_of(e) >= 0) {
            b->setIcon(tool_glyph(static_cast<ToolGlyph>(glyph_of(e))));
            b->setIconSize(QSize(20, 20));
        } else {
            b->setIcon(kind_glyph(*scratch, pictures, kind, 34));
        }
        if (e.role == BoxRole::group) b->setToolTip(family_caption(static_cast<KindGroup>(e.arg)));
        else b->setToolTip(e.role == BoxRole::select ? QStringLiteral("选择") : QString::fromUtf8(e.tool).section('(', 0, 0));
        buttons_->addButton(b);
        b->installEventFilter(this);
        all_.push_back(b);
        connect(b, &QToolButton::clicked, this, [this, b] {
            const BoxButton* en = entry_of(b);
            switch (en->role) {
                case BoxRole::select: emit select_chosen(); break;
                case BoxRole::tool: emit tool_chosen(QString::fromUtf8(en->tool)); break;
                case BoxRole::group: emit group_pressed(static_cast<KindGroup>(en->arg), b); break;
                case BoxRole::chip_page: emit chip_page_pressed(en->arg); break;
                case BoxRole::hidden: break;
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
        const BoxButton* en = entry_of(watched);
        if (en && !en->right_ignored) {
            show_select_down();
            emit select_chosen();
        }
        return true;  // a right press never pushes the button
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace vorlisk
