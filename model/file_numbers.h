// Numbers as the circuit file writes them: plain decimal integers and the
// shortest real that reads back to the same value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlisk {

enum class NumberError { none, syntax, out_of_range, not_finite };

// Decimal digits with an optional leading minus sign, within 32 bits.
NumberError parse_int(std::string_view text, int32_t& out);
// Decimal notation with "." and an optional exponent; finite values only.
NumberError parse_real(std::string_view text, double& out);
// A real read as double, then narrowed: pin voltages are single precision.
NumberError parse_float(std::string_view text, float& out);

std::string format_int(int64_t v);
std::string format_real(double v);
std::string format_float(float v);

}  // namespace vorlisk
