#include "model/file_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "model/std_compat.h"

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
    auto [ptr, ec] = real_from_chars(text.data(), end, v);
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
std::string text_of(std::to_chars_result r, char* buf) {
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
}
}  // namespace

std::string format_int(int64_t v) {
    char buf[32];
    return text_of(std::to_chars(buf, buf + sizeof buf, v), buf);
}
// The shortest text that reads back as the same value.
std::string format_real(double v) {
    char buf[64];
    return text_of(real_to_chars(buf, buf + sizeof buf, v), buf);
}
std::string format_float(float v) {
    char buf[64];
    return text_of(real_to_chars(buf, buf + sizeof buf, v), buf);
}

}  // namespace vorlisk
