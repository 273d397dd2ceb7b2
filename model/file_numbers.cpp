#include "model/file_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vorlisk {

NumberError parse_int(std::string_view text, int32_t& out) {
    const char* end = text.data() + text.size();
    int32_t v = 0;
    auto [ptr, ec] = std::from_chars(text.data(), end, v, 10);
    if (ec == std::errc::result_out_of_range) return NumberError::out_of_range;
    if (ec != std::errc() || ptr != end) return NumberError::syntax;
    out = v;
    return NumberError::none;
}

NumberError parse_real(std::string_view text, double& out) {
    const char* end = text.data() + text.size();
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(text.data(), end, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) return NumberError::out_of_range;
    if (ec != std::errc() || ptr != end) return NumberError::syntax;
    if (!std::isfinite(v)) return NumberError::not_finite;
    out = v;
    return NumberError::none;
}

NumberError parse_float(std::string_view text, float& out) {
    double d = 0.0;
    if (NumberError e = parse_real(text, d); e != NumberError::none) return e;
    constexpr double kMax = std::numeric_limits<float>::max();
    // Values just above the largest float still round to it (the shortest
    // text of that float reads back as such a double); anything from half
    // an ulp beyond would become infinite.
    constexpr double kHalfUlp = 0x1p103;
    if (std::fabs(d) > kMax) {
        if (std::fabs(d) >= kMax + kHalfUlp) return NumberError::out_of_range;
        d = std::copysign(kMax, d);
    }
    out = static_cast<float>(d);
    return NumberError::none;
}

namespace {
template <class T>
std::string shortest(T v) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("0");
}
}  // namespace

std::string format_int(int64_t v) { return shortest(v); }
std::string format_real(double v) { return shortest(v); }
std::string format_float(float v) { return shortest(v); }

}  // namespace vorlisk
