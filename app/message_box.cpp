#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vorlisk {

namespace {
MessageSink& sink() {
    static MessageSink s;
    return s;
}
SaveAsker& asker() {
    static SaveAsker a;
    return a;
}
}  // namespace

QString program_name() { return QStringLiteral("Vorlisk"); }

void set_message_sink(MessageSink s) { sink() = std::move(s); }
void set_save_asker(SaveAsker a) { asker() = std::move(a); }

void show_message(QWidget* parent, const QString& text, MessageKind kind) {
    if (sink()) {
        sink()(text, kind);
        return;
    }
    const QString title = program_name();
    switch (kind) {
        case MessageKind::information: QMessageBox::information(parent, title, text); break;
        case MessageKind::warning: QMessageBox::warning(parent, title, text); break;
        case MessageKind::error: QMessageBox::critical(parent, title, text); break;
    }
}

SaveAnswer ask_save(QWidget* parent) {
    if (asker()) return asker()();
    QMessageBox box(QMessageBox::Question, program_name(),
                    QStringLiteral("当前电路已修改，是否保存修改？"), QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::save;
    if (box.clickedButton() == discard) return SaveAnswer::discard;
    return SaveAnswer::cancel;
}

}  // namespace vorlisk
