// The application object: an error that escapes a command is shown in a
// message box and the window stays open.
#pragma once

#include <QApplication>

namespace vorlisk {

// Qt's own texts (standard buttons, the file, colour, font and print
// dialogs) in Chinese, like the rest of the program; false when the
// translation is not installed.
bool install_chinese_translation(QCoreApplication& app);

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vorlisk
