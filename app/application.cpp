#include "app/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "app/message_box.h"

namespace vorlisk {

bool install_chinese_translation(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* t = new QTranslator(&app);
    if (!t->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    return QCoreApplication::installTranslator(t);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tavrel"));
    install_chinese_translation(*this);
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
