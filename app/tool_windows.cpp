#include "app/tool_windows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace vorlisk {

namespace {

constexpr int kTitleStrip = 30;  // the top of a frame, where it is grabbed to move it
constexpr int kGrabWidth = 100;  // as much of that strip as must be on a screen
constexpr int kInset = 20;       // from the canvas's edges, over a corner of it

QSettings view_settings() { return QSettings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk")); }

// The screen under the frame's title strip, when enough of it is there to
// grab the window; null when the frame lies off every screen (a screen
// since unplugged, a projector's resolution).
const QRect* screen_holding(const QRect& frame, const QList<QRect>& screens) {
    const QRect strip(frame.left(), frame.top(), frame.width(), kTitleStrip);
    for (const QRect& s : screens) {
        const QRect part = s.intersected(strip);
        if (frame.top() >= s.top() && part.width() >= std::min(kGrabWidth, frame.width())) return &s;
    }
    return nullptr;
}

const QRect& screen_of(const QRect& main_frame, const QList<QRect>& screens) {
    for (const QRect& s : screens)
        if (s.contains(main_frame.center())) return s;
    return screens.front();
}

// Remembers the window's place whenever it hides (closed, or with the main window).
class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget* window, QString key) : QObject(window), window_(window), key_(std::move(key)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == window_ && e->type() == QEvent::Hide)
            view_settings().setValue(key_, QRect(window_->pos(), window_->size()));
        return false;
    }

private:
    QWidget* window_;
    QString key_;
};

}  // namespace

QRect tool_window_frame(QRect wanted, bool remembered, ToolCorner corner, const MainWindowArea& main,
                        const QList<QRect>& screens) {
    if (screens.isEmpty()) return wanted;
    const QRect* on = remembered ? screen_holding(wanted, screens) : nullptr;
    const QRect screen = on ? *on : screen_of(main.frame, screens);
    QRect r = wanted;
    if (!on) {
        const bool top = corner == ToolCorner::top_right;
        const int y = top ? main.canvas.top() : main.canvas.bottom() + 1 - r.height();
        if (main.frame.right() + r.width() <= screen.right()) {
            r.moveTopLeft(QPoint(main.frame.right() + 1, y));
        } else if (main.frame.left() - r.width() >= screen.left()) {
            r.moveTopLeft(QPoint(main.frame.left() - r.width(), y));
        } else {
            r.moveTopLeft(QPoint(main.canvas.right() + 1 - r.width() - kInset,
                                 top ? main.canvas.top() + kInset : main.canvas.bottom() + 1 - r.height() - kInset));
        }
    }
    // Whole on its screen where it fits.
    r.setWidth(std::min(r.width(), screen.width()));
    r.setHeight(std::min(r.height(), screen.height()));
    r.moveLeft(std::clamp(r.left(), screen.left(), screen.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), screen.top(), screen.bottom() + 1 - r.height()));
    // Below the menus, shorter rather than past the screen's bottom.
    if (r.intersects(main.menus)) {
        r.moveTop(main.menus.bottom() + 1);
        if (r.bottom() > screen.bottom()) r.setBottom(screen.bottom());
    }
    return r;
}

void place_tool_window(QWidget* window, const QString& key, ToolCorner corner, const MainWindowArea& main) {
    if (window->property("vorlisk_placed").toBool()) return;
    window->setProperty("vorlisk_placed", true);
    new PlaceKeeper(window, key);

    QSize extra = window->frameGeometry().size() - window->size();
    if (extra.isNull()) extra = main.decoration;
    const QVariant kept = view_settings().value(key);
    const bool remembered = kept.canConvert<QRect>() && kept.toRect().isValid();
    const QRect wanted = remembered ? QRect(kept.toRect().topLeft(), kept.toRect().size() + extra)
                                    : QRect(QPoint(), window->size() + extra);
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens()) screens << s->availableGeometry();
    const QRect r = tool_window_frame(wanted, remembered, corner, main, screens);
    window->resize(r.size() - extra);
    window->move(r.topLeft());
}

}  // namespace vorlisk
