#include "model/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace vorlisk {

namespace {

bool is_ascii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

// One conversion descriptor per direction and thread: opening one costs far
// more than converting a line, and a file has thousands of lines.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool convert(std::string_view in, std::string& out) {
        out.clear();
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        char* src = const_cast<char*>(in.data());
        size_t src_left = in.size();
        // A GBK character becomes at most 3 UTF-8 bytes, a UTF-8 character
        // at most 2 GBK bytes: 4 bytes per input byte always suffices.
        out.resize(in.size() * 4 + 4);
        char* dst = out.data();
        size_t dst_left = out.size();
        while (src_left > 0) {
            if (iconv(cd_, &src, &src_left, &dst, &dst_left) == static_cast<size_t>(-1)) {
                if (errno != E2BIG) return false;  // EILSEQ or EINVAL: not convertible
                const size_t used = out.size() - dst_left;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dst_left = out.size() - used;
            }
        }
        // Flush any shift state (none for these encodings, but cheap).
        if (iconv(cd_, nullptr, nullptr, &dst, &dst_left) == static_cast<size_t>(-1)) return false;
        out.resize(out.size() - dst_left);
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool gbk_to_utf8(std::string_view gbk, std::string& out) {
    if (is_ascii(gbk)) {
        out.assign(gbk);
        return true;
    }
    thread_local Converter conv("UTF-8", "GBK");
    return conv.convert(gbk, out);
}

bool utf8_to_gbk(std::string_view utf8, std::string& out) {
    if (is_ascii(utf8)) {
        out.assign(utf8);
        return true;
    }
    thread_local Converter conv("GBK", "UTF-8");
    return conv.convert(utf8, out);
}

}  // namespace vorlisk
