// Every message box of the program goes through these functions, titled
// with the program's name, so that tests can capture what a command shows
// and answer the questions it asks.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vorlisk {

// The one name the user sees for the program: window titles, message boxes.
QString program_name();

enum class MessageKind { information, warning, error };

void show_message(QWidget* parent, const QString& text, MessageKind kind = MessageKind::information);

// The question asked before unsaved work would be discarded.
enum class SaveAnswer { save, discard, cancel };
SaveAnswer ask_save(QWidget* parent);

// Replacements for tests; an empty function restores the real boxes.
using MessageSink = std::function<void(const QString& text, MessageKind kind)>;
using SaveAsker = std::function<SaveAnswer()>;
void set_message_sink(MessageSink sink);
void set_save_asker(SaveAsker asker);

}  // namespace vorlisk
