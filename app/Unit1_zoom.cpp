// Zoom of the canvas view and pictures of the circuit for lab reports.
//
// The records always hold canvas pixels; scrolling moves them by whole grid
// cells. The view adds a zoom factor and an origin below one cell, so that
// zooming about the cursor keeps the point under it in place:
//     widget point w  <->  canvas point  w / zoom + origin.
// Where the scroll range ends (a drawing centred near the canvas's top-left
// corner), the origin takes the rest, whole pixels at 100 %; it stays free
// so until a file is opened or a new circuit begins.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/Unit1.h"
#include "app/canvas_view.h"
#include "app/message_box.h"
#include "render/circuit_picture.h"
#include "model/edit.h"
#include "render/redraw.h"

namespace vorlisk {

namespace {

constexpr const char* kZoomKey = TForm1::kZoomSetting;
constexpr double kCell = 10.0;        // one scroll position: one grid cell
constexpr int kPageCells = 20;       // a track click at 100 %
constexpr double kPictureScale = 2.0; // report pictures at 200 %: sharp when printed

int step_index(int percent) {
    const auto* steps = TForm1::kZoomSteps;
    const int n = int(std::size(TForm1::kZoomSteps));
    for (int i = 0; i < n; ++i)
        if (steps[i] >= percent) return i;
    return n - 1;
}

}  // namespace

// --- the screen surface ------------------------------------------------------------

void TForm1::make_screen() {
    ratio_ = Image1 ? Image1->devicePixelRatioF() : 1.0;
    // 100 % shows whole pixels: the exact picture.
    if (zoom_percent_ == 100) origin_ = QPointF(std::round(origin_.x()), std::round(origin_.y()));
    if (Image1) Image1->set_mapping(zoom_percent_ / 100.0, origin_);
    canvas_.set_origin(origin_.toPoint());
    if (zoom_percent_ == 100 && ratio_ == 1.0) {
        if (zoom_canvas_) {
            zoom_canvas_.reset();
            zoom_image_ = QImage();
            Image1->set_device_picture(nullptr, 1.0);
        }
        return;
    }
    const QSize device(int(std::ceil(Image1->width() * ratio_)), int(std::ceil(Image1->height() * ratio_)));
    zoom_canvas_.reset();
    if (zoom_image_.size() != device) zoom_image_ = QImage(device, QImage::Format_RGB32);
    zoom_canvas_ = std::make_unique<ScaledCanvas>(&zoom_image_, zoom_percent_ / 100.0 * ratio_, origin_);
    Image1->set_device_picture(&zoom_image_, ratio_);
}

PaintSurface& TForm1::screen_surface() {
    // Moved to a screen of another density, or zoomed while hidden.
    const double ratio = Image1->devicePixelRatioF();
    const bool exact = zoom_percent_ == 100 && ratio == 1.0;
    if (ratio != ratio_ || exact != exact_screen()) make_screen();
    PaintSurface& surface = zoom_canvas_ ? static_cast<PaintSurface&>(*zoom_canvas_) : canvas_;
    return surface;
}

const QImage& TForm1::screen_image() {
    if (!zoom_canvas_) return canvas_.image();
    zoom_canvas_->end();
    return zoom_image_;
}

void TForm1::show_screen_changes() {
    if (zoom_canvas_) Image1->show_device_changes(zoom_canvas_->take_touched());
    else Image1->show_changes();
}

QRect TForm1::canvas_area() const {
    if (!zoom_canvas_) return QRect(origin_.toPoint(), Image1->size());
    const double z = zoom_percent_ / 100.0;
    return QRect(QPoint(int(std::floor(origin_.x())), int(std::floor(origin_.y()))),
                 QPoint(int(std::ceil(origin_.x() + Image1->width() / z)), int(std::ceil(origin_.y() + Image1->height() / z))));
}

bool TForm1::free_origin() const {
    auto inside = [](double v) { return v >= 0 && v < kCell; };
    return !inside(origin_.x()) || !inside(origin_.y());
}

void TForm1::update_zoom_label() {
    if (Label_zoom) Label_zoom->setText(QStringLiteral("%1%").arg(zoom_percent_));
    if (!ScrollBar_H) return;
    // A click in the track moves 20 cells at 100 %: the same distance on the
    // screen at every zoom.
    const int page = std::max(1, int(std::lround(kPageCells * 100.0 / zoom_percent_)));
    ScrollBar_H->setPageStep(page);
    ScrollBar_V->setPageStep(page);
}

// --- zooming ----------------------------------------------------------------------------

void TForm1::set_zoom(int percent) { set_zoom(percent, QPointF(Image1->width() / 2.0, Image1->height() / 2.0)); }

void TForm1::set_zoom(int percent, QPointF at) {
    percent = kZoomSteps[step_index(percent)];
    const double z0 = zoom_percent_ / 100.0, z1 = percent / 100.0;
    // The canvas point under `at` now, and the corner that keeps it there.
    const QPointF under(at.x() / z0 + origin_.x(), at.y() / z0 + origin_.y());
    apply_view(percent, QPointF(under.x() - at.x() / z1, under.y() - at.y() / z1));
}

void TForm1::apply_view(int percent, QPointF corner, bool free) {
    free = free || free_origin();  // a view beyond the scroll range keeps its points in place
    if (percent == 100) {
        corner = free ? QPointF(std::round(corner.x()), std::round(corner.y()))
                      : QPointF(std::round(corner.x() / kCell) * kCell, std::round(corner.y() / kCell) * kCell);
    }
    // Whole cells by scrolling (which moves the records), the rest by the origin.
    const int h = std::clamp(c_->scroll_h + int(std::floor(corner.x() / kCell)), ScrollBar_H->minimum(), ScrollBar_H->maximum());
    const int v = std::clamp(c_->scroll_v + int(std::floor(corner.y() / kCell)), ScrollBar_V->minimum(), ScrollBar_V->maximum());
    const double rest_x = corner.x() - (h - c_->scroll_h) * kCell, rest_y = corner.y() - (v - c_->scroll_v) * kCell;
    if (free) origin_ = QPointF(rest_x, rest_y);
    else origin_ = QPointF(std::clamp(rest_x, 0.0, kCell - 0.001), std::clamp(rest_y, 0.0, kCell - 0.001));
    zoom_percent_ = percent;
    clear_hints();  // they stand where the view was
    QSettings(QStringLiteral("Vorlisk"), QStringLiteral("Vorlisk")).setValue(kZoomKey, percent);
    make_screen();
    update_zoom_label();
    {
        // Both positions before one redraw: the change handlers would redraw each.
        const QSignalBlocker bh(ScrollBar_H), bv(ScrollBar_V);
        ScrollBar_H->setValue(h);
        ScrollBar_V->setValue(v);
    }
    if ((h != c_->scroll_h || v != c_->scroll_v) && !scroll_to(*c_, h, v)) {  // moves the wire being drawn too
        // Refused at the edge of the coordinate range: the bars stay where the records are.
        const QSignalBlocker bh(ScrollBar_H), bv(ScrollBar_V);
        ScrollBar_H->setValue(c_->scroll_h);
        ScrollBar_V->setValue(c_->scroll_v);
    }
    full_redraw();
    canvas_bitmap_ = screen_image().copy();
}

void TForm1::N_zoom_inClick() {
    const int i = step_index(zoom_percent_);
    set_zoom(kZoomSteps[std::min(i + 1, int(std::size(kZoomSteps)) - 1)]);
}

void TForm1::N_zoom_outClick() { set_zoom(kZoomSteps[std::max(step_index(zoom_percent_) - 1, 0)]); }

void TForm1::N_zoom_actualClick() { set_zoom(100, QPointF(0, 0)); }

// The largest step that shows the whole drawing, centred in the view.
void TForm1::N_zoom_fitClick() {
    const QRect b = picture_bounds(*c_, false, view_.pin_numbers);
    if (b.isEmpty()) {
        apply_view(100, QPointF(0, 0));
        return;
    }
    int percent = kZoomSteps[0];
    for (int p : kZoomSteps)
        if (b.width() * p / 100.0 <= Image1->width() && b.height() * p / 100.0 <= Image1->height()) percent = p;
    const double z = percent / 100.0;
    const QPointF centre = QRectF(b).center();
    apply_view(percent, QPointF(centre.x() - Image1->width() / z / 2, centre.y() - Image1->height() / z / 2), true);
}

void TForm1::show_opened_drawing() {
    origin_ = QPointF();  // the file's own view first
    const QRect b = picture_bounds(*c_, false, view_.pin_numbers);
    if (b.isEmpty() || QRect(QPoint(0, 0), Image1->size()).contains(b)) apply_view(100, QPointF(0, 0));
    else apply_view(100, QPointF(b.left(), b.top()), true);
}

void TForm1::Image1Wheel(QWheelEvent* e) {
    const int steps = e->angleDelta().y() / 120;
    if (steps == 0) return;
    if (e->modifiers() & Qt::ControlModifier) {
        const int i = std::clamp(step_index(zoom_percent_) + (steps > 0 ? 1 : -1), 0, int(std::size(kZoomSteps)) - 1);
        set_zoom(kZoomSteps[i], e->position());
    } else if (e->modifiers() & Qt::ShiftModifier) {
        ScrollBar_H->setValue(ScrollBar_H->value() - 3 * steps);
    } else {
        ScrollBar_V->setValue(ScrollBar_V->value() - 3 * steps);
    }
    e->accept();
}

// --- pictures for reports -------------------------------------------------------------

void TForm1::N_export_pictureClick() {
    QString path;
    if (choose_picture_file) {
        path = choose_picture_file();
    } else {
        QString filter;
        path = QFileDialog::getSaveFileName(this, QStringLiteral("导出图片"),
                                            export_suggestion(QStringLiteral("电路"), QStringLiteral("svg")),
                                            QStringLiteral("SVG 图片 (*.svg);;PNG 图片 (*.png)"), &filter);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += filter.contains(QLatin1String("png")) ? QStringLiteral(".png") : QStringLiteral(".svg");
    }
    if (path.isEmpty()) return;
    PictureOptions o;
    o.scale = kPictureScale;
    o.selection_only = !c_->selection.empty();
    o.show_pin_numbers = view_.pin_numbers;
    o.show_pin_names = view_.pin_names;
    o.pictures = view_.pictures;
    QString error;
    if (!write_circuit_picture(*c_, o, path, error)) show_message(this, error, MessageKind::error);
}

void TForm1::N_copy_pictureClick() {
    PictureOptions o;
    o.scale = kPictureScale;
    o.selection_only = !c_->selection.empty();
    o.show_pin_numbers = view_.pin_numbers;
    o.show_pin_names = view_.pin_names;
    o.pictures = view_.pictures;
    const QImage image = circuit_image(*c_, o);
    if (image.isNull()) {
        show_message(this, QStringLiteral("电路是空的，没有可以复制的图片。"), MessageKind::warning);
        return;
    }
    auto* mime = new QMimeData;
    mime->setImageData(image);
    mime->setData(QStringLiteral("image/svg+xml"), circuit_svg(*c_, o));
    QApplication::clipboard()->setMimeData(mime);
}

}  // namespace vorlisk
