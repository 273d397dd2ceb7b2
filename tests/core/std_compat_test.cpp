// The stand-ins for the floating-point text conversions the browser build's
// library lacks: where the standard ones exist, every random value must
// give the same bytes; the digests, taken here from the standard ones, let
// the browser build check its own results against them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "model/std_compat.h"

namespace vorlisk {
namespace {

// FNV-1a over every result.
struct Digest {
    uint64_t h = 1469598103934665603ull;
    void add(std::string_view bytes) {
        for (char ch : bytes) mix(static_cast<unsigned char>(ch));
        mix(0x100);
    }
    void mix(unsigned b) { h = (h ^ b) * 1099511628211ull; }
};

// Random bit patterns reach every exponent, subnormals, infinities and
// NaNs; the powers of two have the narrowest rounding interval below them.
template <class T, class Bits>
std::vector<T> sample_values(size_t count) {
    std::mt19937_64 rng(20240611);
    std::vector<T> values;
    for (size_t k = 0; k < count; ++k) values.push_back(bit_cast<T>(Bits(rng())));
    for (int e = std::numeric_limits<T>::min_exponent - std::numeric_limits<T>::digits;
         e < std::numeric_limits<T>::max_exponent; ++e)
        values.push_back(std::ldexp(T(1), e));
    for (T v : {T(0), T(-0.0), T(0.1), T(1e23), T(123456789012345680000.0), T(5e-324), T(3.6), T(0.5)})
        values.push_back(v);
    return values;
}

template <class T>
std::string fallback_text(T v) {
    char buf[64];
    const auto r = to_chars_fallback(buf, buf + sizeof buf, v);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : "?";
}

template <class T>
void check_to_chars(const std::vector<T>& values, uint64_t expected_digest) {
    Digest digest;
    int differ = 0;
    for (T v : values) {
        const std::string ours = fallback_text(v);
        digest.add(ours);
#if defined(__cpp_lib_to_chars)
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        if (ours != std::string(buf, r.ptr) && ++differ <= 5)
            ADD_FAILURE() << ours << " instead of " << std::string(buf, r.ptr);
#endif
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(digest.h, expected_digest);
}

TEST(StdCompat, ShortestTextOfDoublesAndFloats) {
    check_to_chars(sample_values<double, uint64_t>(8000), 7881292930179585797ull);
    check_to_chars(sample_values<float, uint32_t>(8000), 4552101344802854340ull);
    char small[3];
    EXPECT_EQ(to_chars_fallback(small, small + sizeof small, 3.25).ec, std::errc::value_too_large);
}

// What a reader makes of a text: how far it read, the error, the value's
// bits (a NaN by its sign only: no file keeps one, the reader refuses them).
std::string read_result(const std::string& text, std::from_chars_result r, double v) {
    char buf[64];
    const uint64_t bits = std::isnan(v) ? (std::signbit(v) ? 1 : 2) : bit_cast<uint64_t>(v);
    // errno's numbers differ between the builds' libraries: the error by name
    const char* ec = r.ec == std::errc() ? "ok" : r.ec == std::errc::invalid_argument ? "invalid" : "range";
    std::snprintf(buf, sizeof buf, "%td %s %016llx", r.ptr - text.data(), ec, (unsigned long long)bits);
    return buf;
}

TEST(StdCompat, ReadsRealsAsTheStandardReaderDoes) {
    std::vector<std::string> texts = {
        "", "-", ".", "-.", "e5", "1e", "1e+", "1e-x", "+1", " 1", "1 ", "0x10", "1.5.5", "1..2", "-0", "00012.50",
        ".5", "5.", "inf", "-INF", "Infinity", "infinit", "nan", "-nan", "NaN(abc_1)", "nan(", "nan()x",
        "1e400", "-1e400", "1e-400", "4.9e-324", "2.4e-324", "2.5e-324", "1.7976931348623157e308",
        "1.7976931348623159e308", "0e999999999999", "1e-99999999999999", "9007199254740993",
        "3.6", "0.001", "86400", "0.1e-5", "1E5", "1e05x",
    };
    std::mt19937_64 rng(7);
    char buf[64];
    for (double v : sample_values<double, uint64_t>(10000)) {
        std::snprintf(buf, sizeof buf, "%.*g", int(rng() % 20) + 1, v);
        texts.push_back(buf);
    }
    for (int k = 0; k < 10000; ++k) {
        // Long mantissas, exponents near the ends of the range; one draw
        // per statement, so every compiler draws them in the same order.
        const uint64_t whole = rng(), fraction = rng();
        const int exponent = int(rng() % 700) - 350;
        texts.push_back(std::to_string(whole) + "." + std::to_string(fraction) + "e" + std::to_string(exponent));
    }
    Digest digest;
    int differ = 0;
    for (const std::string& t : texts) {
        double ours = -1.5;
        const auto r = from_chars_fallback(t.data(), t.data() + t.size(), ours);
        const std::string got = read_result(t, r, ours);
        digest.add(got);
#if defined(__cpp_lib_to_chars)
        double theirs = -1.5;
        const auto s = std::from_chars(t.data(), t.data() + t.size(), theirs);
        if (got != read_result(t, s, theirs) && ++differ <= 5)
            ADD_FAILURE() << "\"" << t << "\": " << got << " instead of " << read_result(t, s, theirs);
#endif
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(digest.h, 2327338673043553412ull);
}

}  // namespace
}  // namespace vorlisk
