// What the standard library of every build offers, including the browser
// build's, whose library lacks std::bit_cast and the floating-point forms of
// std::from_chars and std::to_chars. Where the library has them these are
// exactly the standard functions; elsewhere the stand-ins below give the
// same bytes (checked against the standard ones in the tests).
#pragma once

#include <bit>
#include <charconv>
#include <cstring>
#include <type_traits>
#include <version>

namespace vorlisk {

template <class To, class From>
To bit_cast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// The stand-ins, built in every build so the tests can hold them against
// the standard functions: from_chars as std::chars_format::general reads,
// to_chars the shortest text that reads back as the same value.
std::from_chars_result from_chars_fallback(const char* first, const char* last, double& value);
std::to_chars_result to_chars_fallback(char* first, char* last, double value);
std::to_chars_result to_chars_fallback(char* first, char* last, float value);

#if defined(__cpp_lib_to_chars)
inline std::from_chars_result real_from_chars(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}
inline std::to_chars_result real_to_chars(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
inline std::to_chars_result real_to_chars(char* first, char* last, float value) {
    return std::to_chars(first, last, value);
}
#else
inline std::from_chars_result real_from_chars(const char* first, const char* last, double& value) {
    return from_chars_fallback(first, last, value);
}
inline std::to_chars_result real_to_chars(char* first, char* last, double value) {
    return to_chars_fallback(first, last, value);
}
inline std::to_chars_result real_to_chars(char* first, char* last, float value) {
    return to_chars_fallback(first, last, value);
}
#endif

}  // namespace vorlisk
