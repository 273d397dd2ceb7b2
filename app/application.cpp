#include "app/application.h"

#include <exception>

#include "app/message_box.h"

namespace vorlisk {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tavrel"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        show_message(activeWindow(), QString::fromLocal8Bit(e.what()), MessageKind::error);
    } catch (...) {
        show_message(activeWindow(), QStringLiteral("发生未知错误。"), MessageKind::error);
    }
    return false;
}

}  // namespace vorlisk
