// Numbers as the dialogs show and read them (editor/field_text.h for
// QStrings).
#pragma once

#include <QString>

namespace vorlisk {

// Up to 15 significant digits, plain or with an exponent.
QString general_number(double v);
// A real number, surrounding blanks allowed; false for anything else,
// infinities and NaN included.
bool parse_real(const QString& text, double& value);
bool parse_integer(const QString& text, int& value);

}  // namespace vorlisk
