// "发光二极管设置": which test point a probe LED shows.
#pragma once

#include "editor/forms/probe_dialog.h"

namespace vorlisk {

class TForm_guanlian_fgejg : public ProbeDialog {
    Q_OBJECT
public:
    explicit TForm_guanlian_fgejg(QWidget* parent = nullptr);

    QComboBox* input_list;  // "输入端:" (input_lists[0])
};

}  // namespace vorlisk
