#include "model/file_lines.h"

#include <cmath>

#include "model/file_numbers.h"
#include "model/gbk.h"

namespace vorlisk {

std::vector<std::string_view> split_lines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

namespace {

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

void LineReader::fail(FileResult::Code code, int line, const std::string& problem) const {
    FileResult r;
    r.code = code;
    r.line = line;
    r.message = "第 " + std::to_string(line) + " 行：" + problem;
    throw FileError{std::move(r)};
}

std::string_view LineReader::take(std::string_view expected) {
    if (at_end()) fail(FileResult::invalid, line_number(), "文件提前结束，缺少" + std::string(expected) + "。");
    return lines_[next_++];
}

std::string LineReader::text() {
    const std::string_view raw = take("文字");
    std::string utf8;
    if (!gbk_to_utf8(raw, utf8)) fail(FileResult::invalid, line_number() - 1, "含有不是 GBK 编码的字节。");
    return utf8;
}

namespace {
std::string number_problem(NumberError e, std::string_view raw, const char* form) {
    const std::string shown = quoted_for_message(raw, true);
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
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, "整数"));
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
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, "实数"));
    return v;
}

float LineReader::volts() {
    const std::string_view raw = take("实数");
    float v = 0.0f;
    if (NumberError e = parse_float(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line_number() - 1, number_problem(e, raw, "实数"));
    return v;
}

bool LineReader::flag() { return int32() != 0; }
bool LineReader::word_flag() { return take("文字") == "true"; }
bool LineReader::style_flag() { return take("文字") == "1"; }

int32_t LineReader::count(int32_t capacity, std::string_view what) {
    const std::string_view raw = take(what);
    const int line = line_number() - 1;
    int32_t v = 0;
    if (NumberError e = parse_int(raw, v); e != NumberError::none)
        fail(FileResult::invalid, line, std::string(what) + "：" + number_problem(e, raw, "整数"));
    if (v < 0) fail(FileResult::invalid, line, std::string(what) + "不能为负数（" + std::to_string(v) + "）。");
    if (v > capacity)
        fail(FileResult::invalid, line,
             std::string(what) + " " + std::to_string(v) + " 超过上限 " + std::to_string(capacity) + "。");
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
