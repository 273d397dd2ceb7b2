// The main window's side of the experiment box: the link Run opens, and the
// window "虚拟实验箱" that plugs the emulated box in while it is open.
#include <QPointer>

#include "app/Unit1.h"
#include "app/tool_windows.h"
#include "engine/emulated_box.h"
#include "engine/forms/Unit_xuni_shiyanxiang.h"
#ifdef VORLISK_HAVE_LIBUSB
#include "hardware/usb_ch341.h"
#endif

namespace vorlisk {

struct BoxLink {
    EmulatedBox box;
#ifdef VORLISK_HAVE_LIBUSB
    usb::UsbCh341 usb;  // opens nothing until a Run finds no emulated box
    Ch341Chooser chooser{box, &usb};
#else
    Ch341Chooser chooser{box, nullptr};
#endif
    QPointer<TForm_xuni_shiyanxiang> form;

    // The window unplugs the box as it goes, so it goes first.
    ~BoxLink() { delete form.data(); }
};

namespace {
BoxLink& made(std::shared_ptr<BoxLink>& link) {
    if (!link) link = std::make_shared<BoxLink>();
    return *link;
}
}  // namespace

Ch341Interface& TForm1::box_link() { return made(box_link_).chooser; }

void TForm1::follow_box() { follow_box_plugging(*c_, made(box_link_).chooser); }

void TForm1::N_boxClick() {
    BoxLink& link = made(box_link_);
    if (!link.form) {
        link.form = new TForm_xuni_shiyanxiang(link.box, this);
        Form_xuni_shiyanxiang = link.form;
        place_tool_window(link.form, QStringLiteral("windows/box"), ToolCorner::top_right, tool_window_area());
    }
    link.form->show();
    link.form->raise();
    link.form->activateWindow();
}

}  // namespace vorlisk
