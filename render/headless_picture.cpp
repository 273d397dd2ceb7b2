#include "render/headless_picture.h"

#include <QByteArray>
#include <QGuiApplication>
#include <memory>

#include "render/circuit_picture.h"
#include "render/pictures.h"

namespace vorlisk {

namespace {
// The platform's notices (no runtime folder, no session) are not the
// runner's to print: its errors are its own one-line messages.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) qFatal("%s", qPrintable(text));
}
}  // namespace

bool write_picture_headless(const Circuit& c, const std::string& path, double scale, std::string& error) {
    const QtMessageHandler before = qInstallMessageHandler(quiet);
    struct Restore {
        QtMessageHandler h;
        ~Restore() { qInstallMessageHandler(h); }
    } restore{before};
    std::unique_ptr<QGuiApplication> app;
    if (!QCoreApplication::instance()) {
        // No display is needed: the offscreen platform has fonts and painting.
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
        static int argc = 1;
        static char name[] = "vorlisk-sim";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    const Pictures& pictures = component_pictures();
    PictureOptions o;
    o.scale = scale;
    o.show_pin_numbers = true;
    o.pictures = &pictures;
    QString message;
    // A script's pipe or device is waited for, as a shell's redirection waits.
    const bool ok = write_circuit_picture(c, o, QString::fromStdString(path), message, SpecialFiles::wait_for_reader);
    if (!ok) error = message.toStdString();
    return ok;
}

}  // namespace vorlisk
