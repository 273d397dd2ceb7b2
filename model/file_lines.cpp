#include "model/file_lines.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>

#include "model/file_numbers.h"
#include "model/gbk.h"

namespace vorlisk {

std::string reason_of(int err) {
    switch (err) {
    case ENOENT: return "文件或文件夹不存在";
    case ENOTDIR: return "路径中有一段不是文件夹";
    case EISDIR: return "这是一个文件夹";
    case EACCES:
    case EPERM: return "没有访问权限";
    case EROFS: return "文件系统只读";
    case ENOSPC: return "磁盘空间不足";
    case EDQUOT: return "超出磁盘配额";
    case ENAMETOOLONG: return "文件名太长";
    case ELOOP: return "符号链接层数过多（可能指向自身）";
    case EIO: return "读写出错";
    case EBUSY: return "文件正被占用";
    case ETXTBSY: return "文件正被执行，无法写入";
    case EEXIST: return "文件已存在";
    case EFBIG:
    case EOVERFLOW: return "文件太大";
    case EMFILE:
    case ENFILE: return "同时打开的文件太多";
    case ENOMEM: return "内存不足";
    case ENXIO:
    case ENODEV: return "设备不存在";
    case EXDEV: return "不能跨文件系统移动文件";
    case EAGAIN: return "资源暂时不可用";
    case EPIPE: return "管道的另一端已关闭";
    case EINTR: return "操作被中断";
    case ESTALE: return "网络文件已失效";
    case ETIMEDOUT: return "操作超时";
    case EINVAL: return "文件系统不支持此操作";
    default: return "系统错误 " + std::to_string(err);
    }
}

// --- bytes ---------------------------------------------------------------------

std::string_view ByteSource::next() {
    if (fd_ < 0) {
        const std::string_view piece = bytes_.substr(given_, chunk_);
        given_ += piece.size();
        return piece;
    }
    constexpr size_t kChunk = 65536;
    buffer_.resize(kChunk);
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), kChunk);
        if (n >= 0) return std::string_view(buffer_.data(), size_t(n));
        if (errno != EINTR) throw ReadError{errno};
    }
}

void ByteSource::rewind() {
    if (fd_ < 0) {
        given_ = 0;
    } else if (::lseek(fd_, 0, SEEK_SET) != 0) {
        throw ReadError{errno};
    }
}

namespace {

// A UTF-8 line may be half again as long as the same text in GBK (three
// bytes for a character GBK stores in two).
constexpr size_t kUtf8LineLimit = kMaxLineBytes * 3 / 2;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Checks UTF-8 a chunk at a time, a character possibly spanning chunks.
class Utf8Check {
public:
    // False once the bytes are known not to be UTF-8 or a line grew longer
    // than any file holds: nothing after that point decides.
    bool feed(std::string_view bytes) {
        for (char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (b == '\r' || b == '\n') {
                line_ = 0;
            } else if (++line_ > kUtf8LineLimit) {
                return false;
            }
            if (need_ == 0) {
                if (b < 0x80) continue;
                beyond_ascii_ = true;
                if (b >= 0xC2 && b <= 0xDF) start(1, 0x80, 0xBF);
                else if (b == 0xE0) start(2, 0xA0, 0xBF);  // no overlong forms
                else if (b == 0xED) start(2, 0x80, 0x9F);  // no surrogates
                else if (b >= 0xE1 && b <= 0xEF) start(2, 0x80, 0xBF);
                else if (b == 0xF0) start(3, 0x90, 0xBF);
                else if (b >= 0xF1 && b <= 0xF3) start(3, 0x80, 0xBF);
                else if (b == 0xF4) start(3, 0x80, 0x8F);  // nothing beyond U+10FFFF
                else return valid_ = false;
            } else {
                if (b < lo_ || b > hi_) return valid_ = false;
                --need_;
                lo_ = 0x80, hi_ = 0xBF;
            }
        }
        return true;
    }
    bool utf8() const { return valid_ && need_ == 0 && beyond_ascii_; }

private:
    void start(int need, unsigned char lo, unsigned char hi) { need_ = need, lo_ = lo, hi_ = hi; }

    int need_ = 0;                         // continuation bytes still due
    unsigned char lo_ = 0x80, hi_ = 0xBF;  // range of the next continuation byte
    bool valid_ = true;
    bool beyond_ascii_ = false;
    size_t line_ = 0;  // bytes of the current line so far
};

std::string hex_escape(unsigned char b) {
    static constexpr char digits[] = "0123456789ABCDEF";
    return {'\\', 'x', digits[b >> 4], digits[b & 15]};
}

// Keeps at most `limit` characters of UTF-8 text, escaping control bytes.
std::string shorten(std::string_view utf8, size_t limit) {
    std::string out;
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if ((b & 0xC0) != 0x80 && chars++ == limit) return out + "…";
        if (b < 0x20 || b == 0x7F)
            out += hex_escape(b);
        else
            out += char(b);
    }
    return out;
}

}  // namespace

EncodingGuess guess_encoding(ByteSource& source) {
    Utf8Check check;
    std::string head;  // the first bytes, for the byte-order mark
    for (std::string_view chunk; !(chunk = source.next()).empty();) {
        if (head.size() < kBom.size()) head.append(chunk.substr(0, kBom.size() - head.size()));
        if (!check.feed(chunk)) break;
    }
    EncodingGuess g;
    if (check.utf8()) {
        g.encoding = TextEncoding::utf8;
        g.bom = head.starts_with(kBom);
    }
    return g;
}

std::string quoted_for_message(std::string_view bytes, bool gbk) {
    std::string utf8;
    if (!gbk) {
        utf8.assign(bytes);
    } else if (!gbk_to_utf8(bytes, utf8)) {
        utf8.clear();  // not GBK: show the bytes beyond ASCII as escapes
        for (char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (b < 0x80) utf8 += ch; else utf8 += hex_escape(b);
        }
    }
    return "“" + shorten(utf8, 40) + "”";
}

// --- reading -----------------------------------------------------------------

LineReader::LineReader(ByteSource& source, EncodingGuess guess)
    : source_(source),
      encoding_(guess.encoding),
      line_limit_(guess.encoding == TextEncoding::utf8 ? kUtf8LineLimit : kMaxLineBytes) {
    for (size_t k = 0; guess.bom && k < kBom.size() && fill(); ++k) ++pos_;
}

bool LineReader::fill() {
    while (pos_ >= chunk_.size()) {
        if (exhausted_) return false;
        chunk_ = source_.next();
        pos_ = 0;
        if (chunk_.empty()) exhausted_ = true;
    }
    return true;
}

bool LineReader::at_end() {
    if (skip_lf_) {
        skip_lf_ = false;
        if (fill() && chunk_[pos_] == '\n') ++pos_;
    }
    return !fill();
}

bool LineReader::next_line(std::string_view& line) {
    if (at_end()) return false;
    carry_.clear();
    bool carrying = false;
    for (;;) {
        // Never look further than the longest line allowed.
        const size_t room = line_limit_ - carry_.size();
        const std::string_view rest = chunk_.substr(pos_, room + 1);
        const size_t brk = rest.find_first_of("\r\n");
        if (brk != std::string_view::npos) {
            pos_ += brk + 1;
            skip_lf_ = rest[brk] == '\r';
            ++lines_taken_;
            if (!carrying) return line = rest.substr(0, brk), true;
            carry_.append(rest.substr(0, brk));
            return line = carry_, true;
        }
        if (rest.size() > room)
            fail(FileResult::invalid, line_number(),
                 "这一行超过 " + std::to_string(line_limit_) + " 字节，电路文件中没有这么长的行。");
        carry_.append(rest);
        carrying = true;
        pos_ += rest.size();
        if (!fill()) {  // the last line, without a final break
            ++lines_taken_;
            return line = carry_, true;
        }
    }
}

bool LineReader::header_matches(std::string_view header) {
    std::string_view line;
    try {
        return next_line(line) && line == header;
    } catch (const FileError&) {
        return false;  // a first line longer than any file holds
    }
}

void LineReader::fail(FileResult::Code code, int line, const std::string& problem) const {
    FileResult r;
    r.code = code;
    r.line = line;
    r.message = "第 " + std::to_string(line) + " 行：" + problem;
    throw FileError{std::move(r)};
}

std::string_view LineReader::take(std::string_view expected) {
    std::string_view line;
    if (!next_line(line))
        fail(FileResult::invalid, line_number(), "文件提前结束，缺少" + std::string(expected) + "。");
    return line;
}

std::string LineReader::text() {
    const std::string_view raw = take("文字");
    std::string utf8;
    if (is_gbk()) {
        if (!gbk_to_utf8(raw, utf8)) fail(FileResult::invalid, line_number() - 1, "含有不是 GBK 编码的字节。");
        return utf8;
    }
    // A UTF-8 file is read as such, but what is read must still fit the
    // GBK file a save writes.
    if (!utf8_to_gbk(raw, scratch_))
        fail(FileResult::invalid, line_number() - 1,
             "文字" + quoted_for_message(raw, false) + "含有 GBK 编码无法表示的字符，电路文件存不下。");
    if (scratch_.size() > kMaxLineBytes)
        fail(FileResult::invalid, line_number() - 1,
             "文字" + quoted_for_message(raw, false) + "太长：一行最多 " + std::to_string(kMaxLineBytes) +
                 " 字节（GBK）。");
    return std::string(raw);
}

namespace {
std::string number_problem(NumberError e, std::string_view raw, bool gbk, const char* form) {
    const std::string shown = quoted_for_message(raw, gbk);
    switch (e) {
    case NumberError::out_of_range: return std::string(form) + shown + "超出范围。";
    case NumberError::not_finite: return std::string(form) + shown + "不是有限数值。";
    default: return std::string("应为") + form + "，却是" + shown + "。";
    }
}
}  // namespace

int32_t LineReader::int32() {
    const std::string_view raw = take("整数");
    int32_t v = 0;
    if (NumberError e = parse_int(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, is_gbk(), "整数"));
    return v;
}

int16_t LineReader::int16() { return static_cast<int16_t>(int32()); }
uint8_t LineReader::uint8() { return static_cast<uint8_t>(int32()); }

int32_t LineReader::coord(std::string_view what) {
    const int32_t v = int32();
    if (v < -32768 || v > 32767)
        fail(FileResult::invalid, line_number() - 1,
             std::string(what) + "坐标 " + std::to_string(v) + " 超出范围（-32768 至 32767）。");
    return v;
}

double LineReader::real() {
    const std::string_view raw = take("实数");
    double v = 0.0;
    if (NumberError e = parse_real(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, is_gbk(), "实数"));
    return v;
}

float LineReader::volts() {
    const std::string_view raw = take("实数");
    float v = 0.0f;
    if (NumberError e = parse_float(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, is_gbk(), "实数"));
    return v;
}

bool LineReader::flag() { return int32() != 0; }
bool LineReader::word_flag() { return take("文字") == "true"; }
bool LineReader::style_flag() { return take("文字") == "1"; }

int32_t LineReader::int32_at_most(int32_t capacity, std::string_view what) {
    const std::string_view raw = take(what);
    const int line = line_number() - 1;
    int32_t v = 0;
    if (NumberError e = parse_int(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line, std::string(what) + "：" + number_problem(e, raw, is_gbk(), "整数"));
    if (v > capacity)
        fail(FileResult::invalid, line,
             std::string(what) + " " + std::to_string(v) + " 超过上限 " + std::to_string(capacity) + "。");
    return v;
}

int32_t LineReader::count(int32_t capacity, std::string_view what) {
    const int32_t v = int32_at_most(capacity, what);
    if (v < 0)
        fail(FileResult::invalid, line_number() - 1,
             std::string(what) + "不能为负数（" + std::to_string(v) + "）。");
    return v;
}

// --- writing -----------------------------------------------------------------

void LineWriter::line(std::string_view bytes) {
    out_ += bytes;
    out_ += "\r\n";
}

void LineWriter::refuse(std::string_view field, std::string_view problem) const {
    FileResult r;
    r.code = FileResult::write_failed;
    r.message = "无法保存：" + context_ + std::string(field) + std::string(problem);
    throw FileError{std::move(r)};
}

void LineWriter::text(std::string_view utf8, std::string_view field) {
    if (utf8.find_first_of("\r\n") != std::string_view::npos)
        refuse(field, quoted_for_message(utf8, false) + "含有换行符，一行只能存放一行文字。");
    if (!utf8_to_gbk(utf8, scratch_))
        refuse(field, quoted_for_message(utf8, false) + "含有 GBK 编码无法表示的字符。");
    if (scratch_.size() > kMaxLineBytes)
        refuse(field, quoted_for_message(utf8, false) + "太长：一行最多 " + std::to_string(kMaxLineBytes) +
                          " 字节（约 " + std::to_string(kMaxLineBytes / 2) + " 个汉字）。");
    line(scratch_);
}

void LineWriter::integer(int64_t v) { line(format_int(v)); }

void LineWriter::real(double v, std::string_view field) {
    if (!std::isfinite(v)) refuse(field, "的数值不是有限数值。");
    line(format_real(v));
}

void LineWriter::volts(float v, std::string_view field) {
    if (!std::isfinite(v)) refuse(field, "的数值不是有限数值。");
    line(format_float(v));
}

}  // namespace vorlisk
