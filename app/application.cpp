#include "app/application.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>
#include <exception>

#include "app/message_box.h"

namespace vorlisk {

namespace {

// Texts of Qt's dialogs that its Chinese translation lacks (the kinds in
// the file dialog's type column, among them "Folder"): context, text, ours.
struct QtText {
    const char* context;
    const char* source;
    const char* chinese;
};

const QtText kMissingQtTexts[] = {
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "File Folder", "文件夹"},
    {"QAbstractFileIconProvider", "File", "文件"},
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
    {"QAbstractFileIconProvider", "Unknown", "未知"},
};

// Consulted after Qt's own translation: answers only what that one lacks.
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char*, int) const override {
        for (const QtText& t : kMissingQtTexts)
            if (std::strcmp(context, t.context) == 0 && std::strcmp(source, t.source) == 0)
                return QString::fromUtf8(t.chinese);
        return {};
    }
    bool isEmpty() const override { return false; }
};

// The file dialog writes sizes and dates in the system's locale, which on
// a machine set to English or C gives "0 bytes" and "9 Dec 2026": this
// model between the dialog and its folders writes them in Chinese.
class ChineseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        if (index.column() == 3) return chinese.toString(info.lastModified(), QLocale::ShortFormat);
        return info.isDir() ? QString() : chinese.formattedDataSize(info.size());
    }
};

// Gives every file dialog of the program those columns as it is first shown.
class FileDialogColumns : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Polish)
            if (auto* d = qobject_cast<QFileDialog*>(watched); d && !d->proxyModel())
                d->setProxyModel(new ChineseFileColumns(d));
        return false;
    }
};

}  // namespace

bool install_chinese_translation(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    // Installed first, so the translation installed after it is asked first.
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
    app.installEventFilter(new FileDialogColumns(&app));
    auto* t = new QTranslator(&app);
    if (!t->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    return QCoreApplication::installTranslator(t);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(program_name());
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
