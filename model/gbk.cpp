#include "model/gbk.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "model/gbk_table.h"

namespace vorlisk {

namespace {

constexpr char32_t kEuro = 0x20AC;  // the one-byte code 0x80, as code page 936 has it
constexpr unsigned char kEuroByte = 0x80;

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

void put_utf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | cp >> 6);
        out += char(0x80 | (cp & 0x3F));
    } else {
        // Every GBK character lies in the Basic Multilingual Plane.
        out += char(0xE0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// The next character of strict UTF-8 (no overlong forms, surrogates or
// values beyond U+10FFFF); false at a malformed one.
bool next_utf8(std::string_view s, size_t& i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    int need;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b < 0x80) {
        cp = b, ++i;
        return true;
    } else if (b >= 0xC2 && b <= 0xDF) {
        need = 1, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2, cp = b & 0x0F;
        if (b == 0xE0) lo = 0xA0;  // overlong
        if (b == 0xED) hi = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3, cp = b & 0x07;
        if (b == 0xF0) lo = 0x90;  // overlong
        if (b == 0xF4) hi = 0x8F;  // beyond U+10FFFF
    } else {
        return false;
    }
    if (s.size() - i <= size_t(need)) return false;
    for (int k = 1; k <= need; ++k) {
        const auto c = static_cast<unsigned char>(s[i + size_t(k)]);
        if (c < lo || c > hi) return false;
        lo = 0x80, hi = 0xBF;
        cp = cp << 6 | (c & 0x3F);
    }
    i += size_t(need) + 1;
    return true;
}

// The two-byte code of each BMP character (0 when none), the table read
// backwards once.
const std::array<uint16_t, 0x10000>& codes_by_char() {
    static const std::unique_ptr<std::array<uint16_t, 0x10000>> codes = [] {
        auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
        t->fill(0);
        for (int lead = 0; lead < kGbkLeads; ++lead)
            for (int trail = 0; trail < kGbkTrails; ++trail)
                if (const char16_t ch = kGbkTable[lead][trail]; ch != kGbkNoChar)
                    (*t)[ch] = uint16_t((kGbkFirstLead + unsigned(lead)) << 8 | (kGbkFirstTrail + unsigned(trail)));
        return t;
    }();
    return *codes;
}

}  // namespace

bool gbk_to_utf8(std::string_view gbk, std::string& out) {
    out.clear();
    if (is_ascii(gbk)) {
        out.assign(gbk);
        return true;
    }
    out.reserve(gbk.size() * 3 / 2 + 4);
    for (size_t i = 0; i < gbk.size(); ++i) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            out += char(b);
        } else if (b == kEuroByte) {
            put_utf8(kEuro, out);
        } else {
            // A lead byte wants a trail byte after it: a lone 0xFF, a lead at
            // the end or a pair that is no character makes the text invalid.
            if (b == 0xFF || i + 1 == gbk.size()) return false;
            const auto t = static_cast<unsigned char>(gbk[++i]);
            if (t < kGbkFirstTrail || t == 0xFF) return false;
            const char16_t ch = kGbkTable[b - kGbkFirstLead][t - kGbkFirstTrail];
            if (ch == kGbkNoChar) return false;
            put_utf8(ch, out);
        }
    }
    return true;
}

bool utf8_to_gbk(std::string_view utf8, std::string& out) {
    out.clear();
    if (is_ascii(utf8)) {
        out.assign(utf8);
        return true;
    }
    const auto& codes = codes_by_char();
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!next_utf8(utf8, i, cp)) return false;
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp == kEuro) {
            out += char(kEuroByte);
        } else if (cp >= 0xE0000 && cp <= 0xE007F) {
            // Invisible language tags: GBK cannot hold them and the files
            // have always been written without them.
        } else if (cp < 0x10000 && codes[cp] != 0) {
            out += char(codes[cp] >> 8);
            out += char(codes[cp] & 0xFF);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace vorlisk
