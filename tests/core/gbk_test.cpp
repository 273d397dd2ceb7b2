// GBK at the file boundary: every code reads and writes as glibc's converter
// did when the desktop program used it, so no stored circuit file reads
// differently; the digests let a build without glibc check the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "model/gbk.h"

#ifdef VORLISK_TEST_ICONV
#include <iconv.h>
#endif

namespace vorlisk {
namespace {

std::optional<std::string> decoded(const std::string& gbk) {
    std::string out;
    if (!gbk_to_utf8(gbk, out)) return std::nullopt;
    return out;
}

std::optional<std::string> encoded(const std::string& utf8) {
    std::string out;
    if (!utf8_to_gbk(utf8, out)) return std::nullopt;
    return out;
}

#ifdef VORLISK_TEST_ICONV
// glibc's converter, as the program used it before it had its own table.
struct Glibc {
    iconv_t cd;
    Glibc(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Glibc() { iconv_close(cd); }
    std::optional<std::string> operator()(const std::string& in) const {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char buf[32];
        char* src = const_cast<char*>(in.data());
        size_t src_left = in.size();
        char* dst = buf;
        size_t dst_left = sizeof buf;
        if (iconv(cd, &src, &src_left, &dst, &dst_left) == size_t(-1)) return std::nullopt;
        return std::string(buf, size_t(dst - buf));
    }
};
#endif

std::string utf8_of(uint32_t cp) {
    if (cp < 0x80) return std::string(1, char(cp));
    if (cp < 0x800) return {char(0xC0 | cp >> 6), char(0x80 | (cp & 0x3F))};
    if (cp < 0x10000) return {char(0xE0 | cp >> 12), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
    return {char(0xF0 | cp >> 18), char(0x80 | (cp >> 12 & 0x3F)), char(0x80 | (cp >> 6 & 0x3F)), char(0x80 | (cp & 0x3F))};
}

// FNV-1a over every result, the refusals marked, so that two builds that
// agree on the digest agree on every code.
struct Digest {
    uint64_t h = 1469598103934665603ull;
    void add(const std::optional<std::string>& r) {
        mix(r ? 1 : 0);
        if (r)
            for (char ch : *r) mix(static_cast<unsigned char>(ch));
        mix(0xFF);
    }
    void mix(unsigned b) { h = (h ^ b) * 1099511628211ull; }
};

// Taken from glibc's converter over the same loops.
constexpr uint64_t kDecodeDigest = 9262917002373590295ull;
constexpr uint64_t kEncodeDigest = 7485909411504126333ull;

// Code n: the byte n below 0x100, then every pair of bytes, the first
// byte most significant.
constexpr uint32_t kCodes = 0x100 + 0x10000;
std::string nth_code(uint32_t n) {
    if (n < 0x100) return std::string(1, char(n));
    n -= 0x100;
    return {char(n >> 8), char(n & 0xFF)};
}

TEST(Gbk, ReadsEveryOneAndTwoByteCodeAsTheDesktopAlwaysHas) {
#ifdef VORLISK_TEST_ICONV
    const Glibc glibc("UTF-8", "GBK");
#endif
    Digest digest;
    int differ = 0;
    for (uint32_t n = 0; n < kCodes; ++n) {
        const std::string bytes = nth_code(n);
        const auto ours = decoded(bytes);
        digest.add(ours);
#ifdef VORLISK_TEST_ICONV
        if (ours != glibc(bytes) && ++differ <= 5) ADD_FAILURE() << "code " << testing::PrintToString(bytes);
#endif
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(digest.h, kDecodeDigest);
}

TEST(Gbk, WritesEveryCharacterAsTheDesktopAlwaysHas) {
#ifdef VORLISK_TEST_ICONV
    const Glibc glibc("GBK", "UTF-8");
#endif
    Digest digest;
    int differ = 0;
    for (uint32_t cp = 0; cp < 0x110000; ++cp) {
        if (cp >= 0xD800 && cp < 0xE000) continue;
        const std::string text = utf8_of(cp);
        const auto ours = encoded(text);
        digest.add(ours);
#ifdef VORLISK_TEST_ICONV
        if (ours != glibc(text) && ++differ <= 5) ADD_FAILURE() << "U+" << std::hex << cp;
#endif
    }
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(digest.h, kEncodeDigest);
}

TEST(Gbk, EveryCharacterReadWritesBackTheSameBytes) {
    int readable = 0;
    for (uint32_t n = 0; n < kCodes; ++n) {
        const std::string bytes = nth_code(n);
        const auto text = decoded(bytes);
        if (!text) continue;
        ++readable;
        EXPECT_EQ(encoded(*text), bytes) << testing::PrintToString(bytes);
    }
    EXPECT_GT(readable, 21000);  // GBK's 21,886 characters and then some
}

TEST(Gbk, RefusesMalformedText) {
    // what                         bytes
    const struct {
        const char* what;
        std::string bytes;
        bool utf8;
    } cases[] = {
        {"lead byte at the end", "\xB0", false},
        {"lead byte before a line break", "\xB0\n", false},
        {"lone 0xFF", "\xFF", false},
        {"unassigned user area", "\xAA\xA1", false},
        {"overlong slash", "\xC0\xAF", true},
        {"surrogate", "\xED\xA0\x80", true},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", true},
        {"continuation alone", "\x80", true},
        {"cut short", "\xE5\x8D", true},
        {"no GBK code (emoji)", "\xF0\x9F\x98\x80", true},
    };
    for (const auto& c : cases) {
        if (c.utf8) EXPECT_FALSE(encoded(c.bytes)) << c.what;
        else EXPECT_FALSE(decoded(c.bytes)) << c.what;
    }
}

}  // namespace
}  // namespace vorlisk
