#include "editor/forms/Unit_guanlian_smg.h"

namespace vorlisk {

TForm_guanlian_smg::TForm_guanlian_smg(QWidget* parent)
    : ProbeDialog(QStringLiteral("BCD数码管设置"),
                  {QStringLiteral("输入端 A:"), QStringLiteral("输入端 B:"), QStringLiteral("输入端 C:"),
                   QStringLiteral("输入端 D:")},
                  parent) {}

}  // namespace vorlisk
