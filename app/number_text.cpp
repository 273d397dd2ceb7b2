#include "app/number_text.h"

#include "editor/field_text.h"

namespace vorlisk {

// The dialogs read and show numbers as the browser page does.
QString general_number(double v) { return QString::fromStdString(general_text(v)); }

bool parse_real(const QString& text, double& value) { return read_real(text.toStdString(), value); }

bool parse_integer(const QString& text, int& value) { return read_integer(text.toStdString(), value); }

}  // namespace vorlisk
