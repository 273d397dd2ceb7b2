#include "editor/forms/Unit_creat_button.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStringList>
#include <QToolButton>
#include <algorithm>

#include "app/glyphs.h"
#include "model/circuit.h"

namespace vorlisk {

namespace {

// One family per row, in KindGroup order (its kinds are in the box's table):
// its panel, the size of its buttons, where the window goes (offsets from
// the main window's left edge, by the column of the group's button, and
// from its top plus the top of the component box). A panel is as wide as its
// buttons side by side and as high as one, plus a 5-pixel border.
struct GroupRow {
    KindGroup group;
    const char* panel;
    int button_w, button_h;
    bool right_column;  // the group's button is in the right column
    int top_offset;
};

const GroupRow kGroups[kKindGroupCount] = {
    {KindGroup::and_, "Panel1", 40, 40, false, 122},
    {KindGroup::or_, "Panel2", 40, 40, true, 122},
    {KindGroup::nand_, "Panel3", 40, 40, true, 162},
    {KindGroup::nor_, "Panel4", 40, 40, false, 202},
    {KindGroup::rs, "Panel5", 56, 56, false, 316},
    {KindGroup::d, "Panel6", 56, 56, true, 315},
    {KindGroup::sources, "Panel7", 40, 40, true, 362},
    {KindGroup::leds, "Panel8", 40, 40, false, 442},
    {KindGroup::displays, "Panel9", 40, 50, true, 437},
};

constexpr int kBorder = 5;     // panel size beyond its buttons
constexpr int kButtonAt = 2;   // first button's offset in its panel
constexpr int kLeftColumnX = 45;
constexpr int kRightColumnX = 85;
constexpr int kHiddenTop = 100;  // where the panels not shown wait, outside the window
constexpr int kCaptionWidth = 200;  // the family's caption below the buttons wraps at this width, or wider

QSize panel_size(const GroupRow& r) {
    return {int(box_family(r.group).kinds.size()) * r.button_w + kBorder, r.button_h + kBorder};
}

}  // namespace

QString family_caption(KindGroup g) {
    return QString::fromStdString(family_caption_text(g));
}

namespace {

// The caption in lines no wider than `width` (with the "、" that ends a
// line), broken only between kinds.
QString caption_lines(const QString& caption, const QFontMetrics& metrics, int width) {
    const QString comma = QStringLiteral("、");
    QStringList lines;
    for (const QString& kind : caption.split(comma)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + comma + kind + comma) <= width)
            lines.back() += comma + kind;
        else if (lines.isEmpty())
            lines << kind;
        else
            lines.back() += comma, lines << kind;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

TForm_creat_button::TForm_creat_button(const Pictures& pictures, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName("Form_creat_button");
    setWindowTitle(QStringLiteral("创建对象"));  // frameless, but tools still name the window by it

    auto scratch = make_circuit();  // the buttons show the components as the canvas draws them
    for (const GroupRow& r : kGroups) {
        auto* panel = new QFrame(this);
        panel->setObjectName(r.panel);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setGeometry(QRect(QPoint(0, kHiddenTop), panel_size(r)));
        const int glyph = std::min(r.button_w, r.button_h) - 6;
        const auto& kinds = box_family(r.group).kinds;
        for (size_t i = 0; i < kinds.size(); ++i) {
            const QString kind = QString::fromUtf8(kinds[i]);
            auto* b = new QToolButton(panel);
            b->setObjectName(kind);
            b->setGeometry(kButtonAt + int(i) * r.button_w, kButtonAt, r.button_w, r.button_h);
            b->setAutoRaise(true);
            b->setToolTip(kind);
            b->setIcon(kind_glyph(*scratch, pictures, kinds[i], glyph));
            b->setIconSize(QSize(glyph, glyph));
            connect(b, &QToolButton::clicked, this, [this, kind] { pick(kind); });
        }
        panel->setToolTip(family_caption(r.group));
        panels[size_t(r.group)] = panel;
    }
    // Names every kind of the family shown, so that a student looking for
    // one finds it without trying each picture.
    Label_family = new QLabel(this);
    Label_family->setObjectName("Label_family");
    Label_family->setContentsMargins(4, 1, 4, 3);
    Label_family->setAutoFillBackground(true);
}

TForm_creat_button::~TForm_creat_button() {
    if (watching_) qApp->removeEventFilter(this);
}

std::vector<QToolButton*> TForm_creat_button::buttons_of(KindGroup g) const {
    std::vector<QToolButton*> out;
    for (QObject* child : panels[size_t(g)]->children())
        if (auto* b = qobject_cast<QToolButton*>(child)) out.push_back(b);
    return out;
}

void TForm_creat_button::show_group(KindGroup g, const QWidget* main_window, const QWidget* palette) {
    group_ = g;
    main_window_ = const_cast<QWidget*>(main_window);
    const GroupRow& row = kGroups[size_t(g)];
    for (const GroupRow& r : kGroups) {
        QWidget* panel = panels[size_t(r.group)];
        panel->move(0, r.group == g ? 0 : kHiddenTop);
        panel->setVisible(r.group == g);
    }
    const QSize panel = panel_size(row);
    const int window_width = std::max(panel.width(), kCaptionWidth);
    Label_family->setText(caption_lines(family_caption(g), Label_family->fontMetrics(), window_width - 8));
    const int caption_height = Label_family->sizeHint().height();
    Label_family->setGeometry(0, panel.height(), window_width, caption_height);
    setFixedSize(window_width, panel.height() + caption_height);

    QPoint at(row.right_column ? kRightColumnX : kLeftColumnX, row.top_offset);
    if (main_window) {
        at += main_window->frameGeometry().topLeft();
        if (palette) at.ry() += palette->mapToGlobal(QPoint()).y() - main_window->mapToGlobal(QPoint()).y();
    }
    // Near a screen edge the window stays wholly on the screen.
    if (const QScreen* screen = main_window ? main_window->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
    }
    move(at);

    picked = false;
    for (QToolButton* b : buttons_of(g)) b->setDown(false);
    // A press anywhere outside the window closes it before the press is
    // handled where it landed, also where no window manager moves the focus.
    if (!watching_) {
        qApp->installEventFilter(this);
        watching_ = true;
    }
    open_ = true;
    show();
    raise();
    activateWindow();
}

void TForm_creat_button::FormDeactivate() {
    if (watching_) {
        qApp->removeEventFilter(this);
        watching_ = false;
    }
    // Hiding an active window deactivates it at once, which calls this
    // again: only the first call closes.
    if (!open_) return;
    open_ = false;
    const bool had_focus = isActiveWindow();
    hide();
    // The keyboard goes back to the main window; without a window manager
    // nothing else would give it back.
    if (had_focus && main_window_) main_window_->activateWindow();
    if (!picked) emit closed_without_pick();
}

void TForm_creat_button::pick(const QString& kind) {
    picked = true;
    FormDeactivate();
    emit kind_picked(kind);
}

void TForm_creat_button::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && open_ && !isActiveWindow()) FormDeactivate();
}

void TForm_creat_button::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) FormDeactivate();
    else QWidget::keyPressEvent(e);
}

bool TForm_creat_button::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type t = e->type();
    if ((t == QEvent::MouseButtonPress || t == QEvent::NonClientAreaMouseButtonPress) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() != this)
        FormDeactivate();
    return QWidget::eventFilter(watched, e);
}

}  // namespace vorlisk
