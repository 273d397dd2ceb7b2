// "BCD数码管设置": which test points feed the four inputs of a probe display.
#pragma once

#include "editor/forms/probe_dialog.h"

namespace vorlisk {

class TForm_guanlian_smg : public ProbeDialog {
    Q_OBJECT
public:
    explicit TForm_guanlian_smg(QWidget* parent = nullptr);
    // input_lists[0..3]: "输入端 A:", "输入端 B:", "输入端 C:", "输入端 D:"
};

}  // namespace vorlisk
