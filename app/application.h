// The application object: an error that escapes a command is shown in a
// message box and the window stays open.
#pragma once

#include <QApplication>

namespace vorlisk {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vorlisk
