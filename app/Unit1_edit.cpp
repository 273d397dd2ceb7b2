// The Edit menu's commands on the selection, the property dialogs, undo and
// redo. Each command ends with commit_edit, so it is one step of the undo
// history.
#include <QAction>
#include <QFile>
#include <QFileInfo>

#include "app/Unit1.h"
#include "chips/chip_table.h"
#include "chips/forms/Unit_one_shot.h"
#include "editor/kind_words.h"
#include "editor/forms/Unit_guanlian_fgejg.h"
#include "editor/forms/Unit_guanlian_smg.h"
#include "editor/forms/Unit_huizhi_set.h"
#include "editor/forms/Unit_jcd.h"
#include "editor/forms/Unit_zhu_shi_s.h"
#include "engine/forms/Unit_xinhaoyuan.h"

namespace vorlisk {

void TForm1::commit_edit() {
    history_.commit(*c_);
    update_edit_state();
}

void TForm1::update_edit_state() {
    N_undo->setEnabled(history_.can_undo());
    N_redo->setEnabled(history_.can_redo());
    const QString file = QFile::decodeName(QByteArray::fromStdString(c_->file_name));
    const QString name = file.isEmpty() ? QStringLiteral("无标题") : QFileInfo(file).fileName();
    setWindowTitle(name + QStringLiteral("[*] - Vorlisk"));
    setWindowModified(c_->modified);
}

void TForm1::N_undoClick() {
    // A drag in progress would go on moving what undo put back.
    if (editor_.mouse_down) return;
    history_.commit(*c_);  // an edit not yet recorded becomes the step undone
    const auto table_before = c_->table_items, trace_before = c_->trace_items;
    if (history_.undo(*c_)) {
        follow_restored_items(table_before, trace_before);
        full_redraw();
    }
    update_edit_state();
}

void TForm1::N_redoClick() {
    if (editor_.mouse_down) return;
    const auto table_before = c_->table_items, trace_before = c_->trace_items;
    if (history_.redo(*c_)) {
        follow_restored_items(table_before, trace_before);
        full_redraw();
    }
    update_edit_state();
}

void TForm1::N_cutClick() {
    editor_.cut(*c_, *this);
    commit_edit();
}

void TForm1::N_copyClick() { editor_.copy(*c_); }

void TForm1::N_pasteClick() {
    editor_.paste(*c_, *this);
    commit_edit();
}

void TForm1::N_deleteClick() {
    editor_.remove(*c_, *this);
    commit_edit();
}

void TForm1::N_select_allClick() {
    editor_.select_all(*c_, *this);
    commit_edit();  // not a change: remembers the selection for undo
}

void TForm1::N_rotate_leftClick() {
    editor_.rotate(*c_, *this, 1);
    commit_edit();
}

void TForm1::N_rotate_rightClick() {
    editor_.rotate(*c_, *this, 0);
    commit_edit();
}

void TForm1::properties_command() {
    if (c_->selection.size() == 1) {
        const std::string& name = c_->selection[0];
        // A name that names no record opens nothing.
        const int i = find_object(*c_, name);
        switch (properties_dialog(name)) {
            case PropertiesDialog::display_probe:
                if (i >= 0) Form_guanlian_smg->edit(*c_, i);
                break;
            case PropertiesDialog::test_point:
                if (int t = find_test_point(*c_, name); t >= 0) Form_jcd->edit(*c_, t);
                break;
            case PropertiesDialog::led_probe:
                if (i >= 0) Form_guanlian_fgejg->edit(*c_, i);
                break;
            case PropertiesDialog::pulse:
                if (i >= 0) edit_pulse_source(*Form_xinhaoyuan, *c_, i);
                break;
            case PropertiesDialog::annotation:
                if (int a = find_annotation(*c_, name); a >= 0) Form_zhu_shi_s->edit(*c_, a);
                break;
            case PropertiesDialog::one_shot:
                if (i >= 0) TForm_one_shot(this).edit(*c_, i);
                break;
            case PropertiesDialog::none: break;
        }
    }
    full_redraw();
    commit_edit();
}

void TForm1::show_properties() {
    if (c_->selection.size() != 1) return;
    const std::string& name = c_->selection[0];
    if (has_properties(name)) properties_command();
    else if (has_own_look(name)) object_drawing_settings_command();
}

void TForm1::object_drawing_settings_command() {
    Form_huizhi_set->edit(*c_);
    full_redraw();
    commit_edit();
}

}  // namespace vorlisk
