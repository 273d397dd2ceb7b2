// File, print, settings and help commands of the main window.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "app/Unit1.h"
#include "app/Unit_about.h"
#include "app/Unit_help.h"
#include "app/canvas_view.h"
#include "app/message_box.h"
#include "engine/forms/Unit_compute_set.h"
#include "model/circuit_file.h"
#include "model/data_dir.h"
#include "model/open_warning.h"
#include "render/Unit_set.h"
#include "render/redraw.h"

namespace vorlisk {

namespace {
std::string local_path(const QString& path) { return QFile::encodeName(path).toStdString(); }
}  // namespace

bool TForm1::confirm_discard() {
    if (!c_->modified) return true;
    switch (ask_save(this)) {
        case SaveAnswer::discard: return true;
        case SaveAnswer::cancel: return false;
        case SaveAnswer::save:
            N_saveClick();
            return !c_->modified;  // still set when the save failed or was cancelled
    }
    return false;
}

void TForm1::N_newClick() {
    if (!confirm_discard()) return;
    if (c_->running) N_stopClick();
    close_instruments();
    reset_circuit();
    full_redraw();
    clear_instruments();
    choose_select_tool();
}

void TForm1::N_openClick() { open_command(choose_open_file); }

void TForm1::open_command(const std::function<QString()>& choose) {
    if (!confirm_discard()) return;
    if (c_->running) N_stopClick();
    close_instruments();
    const QString path = choose();
    if (path.isEmpty()) return;
    open_file(path);
}

bool TForm1::open_file(const QString& path) {
    // Read into a circuit of its own: a file that fails half way leaves the
    // circuit on screen, its name, title and unsaved changes as they were.
    const FileResult r = open_circuit(*c_, local_path(path));
    if (!r) {
        show_message(this, QString::fromStdString(r.message), MessageKind::error);
        return false;
    }
    c_->selection.clear();  // names of the old circuit would pick new records
    editor_ = Editor{};
    sync_scroll_bars();
    show_opened_drawing();
    N_stopClick();  // a file may have been saved while running; also redraws
    clear_instruments();
    // Timing and drawing values no dialog offers were replaced by the reset
    // values: what is on screen is no longer what is on disk.
    history_.reset(*c_, r.timing_line == 0 && r.drawing_line == 0);
    follow_file_place();
    update_edit_state();
    const QString warning = QString::fromStdString(reset_values_warning(r, path.toStdString()));
    if (!warning.isEmpty()) show_message(this, warning, MessageKind::warning);
    return true;
}

QString TForm1::examples_dir() const {
    return QDir(data_dir).absoluteFilePath(QString::fromUtf8(kExamplesFolder.data(), qsizetype(kExamplesFolder.size())));
}

bool TForm1::is_example(const QString& path) const {
    const QString folder = QFileInfo(path).absoluteDir().canonicalPath();
    const QString examples = QDir(examples_dir()).canonicalPath();
    // The grading exercise's reference lies in a subfolder: spared the same way.
    return !folder.isEmpty() && !examples.isEmpty() &&
           (folder == examples || folder.startsWith(examples + QLatin1Char('/')));
}

void TForm1::follow_file_place() {
    const QString file = QFile::decodeName(QByteArray::fromStdString(c_->file_name));
    // Leaving an example after trying its switches asks nothing: Save could
    // not write there anyway, and the levels were never the user's work.
    history_.count_switch_levels(*c_, file.isEmpty() || !is_example(file));
}

QString TForm1::export_suggestion(const QString& stem, const QString& suffix) const {
    const QFileInfo file(QFile::decodeName(QByteArray::fromStdString(c_->file_name)));
    const QString name = (c_->file_name.empty() ? stem : file.completeBaseName()) + QLatin1Char('.') + suffix;
    // An example's folder is the program's (read-only once installed) and
    // no place for a student's report: the home folder, where Save As
    // starts for an example too, so the picture lands beside its copy.
    if (c_->file_name.empty() || is_example(file.filePath())) return QDir::home().filePath(name);
    return file.dir().absoluteFilePath(name);
}

void TForm1::N_saveClick() {
    const QString path = QFile::decodeName(QByteArray::fromStdString(c_->file_name));
    // Saving over a shipped example would lose it for every later class.
    if (path.isEmpty() || is_example(path)) N_save_asClick();
    else save_to(path);
}

void TForm1::N_save_asClick() {
    QString path = choose_save_file();
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".vlk");
    save_to(path);
}

bool TForm1::save_to(const QString& path) {
    const FileResult r = save_circuit(*c_, local_path(path));
    if (!r) {
        const QString why = r.message.empty() ? QStringLiteral("保存文件失败。") : QString::fromStdString(r.message);
        show_message(this, why, MessageKind::error);
        return false;
    }
    c_->file_name = local_path(path);
    history_.mark_saved(*c_);
    follow_file_place();
    update_edit_state();
    return true;
}

void TForm1::N_exitClick() { close(); }

// --- printing --------------------------------------------------------------------

void TForm1::N_print_setupClick() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}

void TForm1::N_printClick() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!print_canvas(*printer_)) show_message(this, QStringLiteral("打印失败。"), MessageKind::error);
}

// What the view shows, painted again at the printer's resolution (not the
// screen picture enlarged), as large as the page allows in its shape.
bool TForm1::print_canvas(QPrinter& printer) {
    const double z = zoom() / 100.0;
    const QSizeF shown(Image1->width() / z, Image1->height() / z);
    const QRect area = QRectF(view_origin(), shown).toAlignedRect();
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double scale = std::min(page.width() / shown.width(), page.height() / shown.height());
    if (!(scale > 0)) return false;
    ScaledCanvas surface(&printer, scale, view_origin());
    // Read only: the screen's running refresh still finds what changed.
    draw_circuit(surface, *c_, area, kRedrawFull, view_);
    surface.end();
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}

// --- settings dialogs ----------------------------------------------------------

void TForm1::N_compute_setClick() {
    Form_compute_set->exec();
    commit_edit();
}

void TForm1::N_draw_setClick() {
    Form_set->exec();
    full_redraw();
    commit_edit();
}

// --- help ------------------------------------------------------------------------

QString TForm1::manual_path() const {
    return QDir(data_dir).absoluteFilePath(QString::fromUtf8(kManualFile.data(), qsizetype(kManualFile.size())));
}

void TForm1::N_manualClick() { Form_help->show_manual(manual_path()); }

// The program has no home page or mail address of its own: these open the
// manual's sections on the program and on reporting problems.
void TForm1::N_homeClick() { Form_help->show_manual(manual_path(), QStringLiteral("about")); }

void TForm1::N_mailClick() { Form_help->show_manual(manual_path(), QStringLiteral("feedback")); }

void TForm1::N_aboutClick() { Form_about->show_from_menu(); }

}  // namespace vorlisk
