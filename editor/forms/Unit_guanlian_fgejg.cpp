#include "editor/forms/Unit_guanlian_fgejg.h"

namespace vorlisk {

TForm_guanlian_fgejg::TForm_guanlian_fgejg(QWidget* parent)
    : ProbeDialog(QStringLiteral("发光二极管设置"), {QStringLiteral("输入端:")}, parent),
      input_list(input_lists[0]) {}

}  // namespace vorlisk
