#include "app/Unit_bitmap.h"

namespace vorlisk {

TForm_bitmap::TForm_bitmap(QWidget* parent) : QWidget(parent, Qt::Window), pictures_(component_pictures()) {
    setWindowTitle(QStringLiteral("Form_bitmap"));
    hide();
}

}  // namespace vorlisk
