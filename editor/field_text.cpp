#include "editor/field_text.h"

#include <cstdio>

#include "model/file_numbers.h"

namespace vorlisk {

namespace {

// Blanks around a number, the full-width space of a Chinese input method among them.
std::string_view trimmed(std::string_view s) {
    constexpr std::string_view kWideSpace = "\xE3\x80\x80";
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\f' || ch == '\v'; };
    for (bool more = true; more;) {
        more = false;
        while (!s.empty() && blank(s.front())) s.remove_prefix(1), more = true;
        while (!s.empty() && blank(s.back())) s.remove_suffix(1), more = true;
        if (s.starts_with(kWideSpace)) s.remove_prefix(kWideSpace.size()), more = true;
        if (s.ends_with(kWideSpace)) s.remove_suffix(kWideSpace.size()), more = true;
    }
    return s;
}

// A leading "+" is what a user may type; the file's parser takes none.
std::string_view unsigned_plus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
    return s;
}

}  // namespace

bool read_real(std::string_view text, double& value) {
    double v = 0.0;
    if (parse_real(unsigned_plus(trimmed(text)), v) != NumberError::none) return false;
    value = v;
    return true;
}

bool read_integer(std::string_view text, int& value) {
    int32_t v = 0;
    if (parse_int(unsigned_plus(trimmed(text)), v) != NumberError::none) return false;
    value = v;
    return true;
}

std::string general_text(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

std::string rounded_text(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits > 0 ? digits - 1 : 0, v);
    double rounded = v;
    (void)read_real(buf, rounded);
    return general_text(rounded);
}

std::string time_text(double seconds) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3g", seconds);
    return buf;
}

}  // namespace vorlisk
