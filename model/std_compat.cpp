#include "model/std_compat.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace vorlisk {

namespace {

bool is_digit(char ch) { return ch >= '0' && ch <= '9'; }

char lower(char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch - 'A' + 'a') : ch; }

// Whether [p, last) starts with `word`, letters in either case.
bool starts_with_word(const char* p, const char* last, std::string_view word) {
    if (last - p < std::ptrdiff_t(word.size())) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (lower(p[k]) != word[k]) return false;
    return true;
}

std::to_chars_result put(char* first, char* last, std::string_view text) {
    if (last - first < std::ptrdiff_t(text.size())) return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// The shortest decimal digits of `value` (positive, finite) that read back
// as it, and the exponent of the first digit: value ≈ d1.d2d3... × 10^exp.
// Of p digits the nearest to the value is tried first, then its two
// neighbours: next to a power of two the interval that reads back is
// lopsided, and a neighbour may lie in it where the nearest does not.
template <class T>
void shortest_digits(T value, std::string& digits, int& exp) {
    constexpr int kMaxDigits = std::numeric_limits<T>::max_digits10;
    char buf[64];
    auto reads_back = [&](unsigned long long mantissa, int scale) {
        std::snprintf(buf, sizeof buf, "%llue%d", mantissa, scale);
        if constexpr (std::is_same_v<T, float>) return std::strtof(buf, nullptr) == value;
        else return std::strtod(buf, nullptr) == value;
    };
    for (int p = 1;; ++p) {
        std::snprintf(buf, sizeof buf, "%.*e", p - 1, double(value));  // "d.ddde±xx"
        const char* e = std::strchr(buf, 'e');
        unsigned long long nearest = 0;
        for (const char* q = buf; q < e; ++q)
            if (is_digit(*q)) nearest = nearest * 10 + unsigned(*q - '0');
        const int scale = std::atoi(e + 1) - (p - 1);  // value ≈ nearest × 10^scale
        for (unsigned long long m : {nearest, nearest + 1, nearest - 1}) {
            if (m == 0 || !(reads_back(m, scale) || (p == kMaxDigits && m == nearest))) continue;
            digits = std::to_string(m);
            exp = scale + int(digits.size()) - 1;
            while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
            return;
        }
    }
}

template <class T>
std::to_chars_result shortest_to_chars(char* first, char* last, T value) {
    std::string sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) return put(first, last, sign + "nan");
    if (std::isinf(value)) return put(first, last, sign + "inf");
    if (value == 0) return put(first, last, sign + "0");
    std::string digits;
    int exp = 0;
    shortest_digits(std::fabs(value), digits, exp);
    const int n = int(digits.size());

    std::string sci = digits.substr(0, 1);
    if (n > 1) sci += "." + digits.substr(1);
    const int e = std::abs(exp);
    sci += exp < 0 ? "e-" : "e+";
    if (e < 10) sci += '0';
    sci += std::to_string(e);

    // A whole number in the fixed form shows all its digits, as printf's
    // "%.0f" does, not the shortest ones padded with zeros.
    std::string fixed;
    if (exp >= n - 1) {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", double(std::fabs(value)));
        fixed = buf;
    }
    else if (exp >= 0) fixed = digits.substr(0, size_t(exp + 1)) + "." + digits.substr(size_t(exp + 1));
    else fixed = "0." + std::string(size_t(-exp - 1), '0') + digits;

    // The shorter form; fixed on a tie.
    return put(first, last, sign + (fixed.size() <= sci.size() ? fixed : sci));
}

}  // namespace

std::from_chars_result from_chars_fallback(const char* first, const char* last, double& value) {
    const char* p = first;
    const bool negative = p < last && *p == '-';
    if (negative) ++p;
    if (starts_with_word(p, last, "inf")) {
        p += starts_with_word(p, last, "infinity") ? 8 : 3;
        value = negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        return {p, std::errc()};
    }
    if (starts_with_word(p, last, "nan")) {
        p += 3;
        // "nan(chars)" takes the parenthesis only when it closes.
        if (p < last && *p == '(') {
            const char* q = p + 1;
            while (q < last && (is_digit(*q) || (lower(*q) >= 'a' && lower(*q) <= 'z') || *q == '_')) ++q;
            if (q < last && *q == ')') p = q + 1;
        }
        value = negative ? -std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::quiet_NaN();
        return {p, std::errc()};
    }
    // digits [. digits] [e [sign] digits], at least one digit before the exponent
    const char* start = p;
    bool any_digit = false, nonzero = false;
    while (p < last && is_digit(*p)) any_digit = true, nonzero |= *p != '0', ++p;
    if (p < last && *p == '.') {
        ++p;
        while (p < last && is_digit(*p)) any_digit = true, nonzero |= *p != '0', ++p;
    }
    if (!any_digit) return {first, std::errc::invalid_argument};
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < last && (*q == '+' || *q == '-')) ++q;
        if (q < last && is_digit(*q)) {
            while (q < last && is_digit(*q)) ++q;
            p = q;
        }
    }
    // strtod reads more forms (hexadecimal, blanks, '+'): it is handed only
    // the text found above.
    const std::string text = (negative ? "-" : "") + std::string(start, p);
    errno = 0;
    const double v = std::strtod(text.c_str(), nullptr);
    if (std::isinf(v) || (v == 0 && nonzero)) return {p, std::errc::result_out_of_range};
    value = v;
    return {p, std::errc()};
}

std::to_chars_result to_chars_fallback(char* first, char* last, double value) {
    return shortest_to_chars(first, last, value);
}

std::to_chars_result to_chars_fallback(char* first, char* last, float value) {
    return shortest_to_chars(first, last, value);
}

}  // namespace vorlisk
