// Numbers as the dialogs' edit fields show and read them, without a
// toolkit: the desktop's dialogs and the browser page read a field alike.
#pragma once

#include <string>
#include <string_view>

namespace vorlisk {

// A real number, blanks around it and a leading "+" allowed; false for
// anything else, infinities and NaN included.
bool read_real(std::string_view text, double& value);
// A whole number in int's range, blanks around it and a sign allowed.
bool read_integer(std::string_view text, int& value);
// Up to 15 significant digits, plain or with an exponent ("0.0005", "1e-07").
std::string general_text(double v);
// The same rounded to `digits` significant digits first, then written
// plainly where that is short: 0.693147 as "0.6931", 86400 as "86400".
std::string rounded_text(double v, int digits);

// Simulation seconds as the time label shows them after "T：": three
// significant digits, an exponent for 1000 and more or below 0.0001.
std::string time_text(double seconds);

}  // namespace vorlisk
