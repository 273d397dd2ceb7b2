// The circuit file as a sequence of lines: a reader that hands out one
// typed value per line and a writer that collects them (GBK, CR LF). Both
// report a problem by throwing FileError, which the public functions of
// circuit_file.h turn into a FileResult.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/circuit_file.h"

namespace vorlisk {

struct FileError {
    FileResult result;
};

// Splits at CR, LF or CR LF; a final line break ends the last line rather
// than starting an empty one. Lines are views into the caller's bytes.
std::vector<std::string_view> split_lines(std::string_view bytes);

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : lines_(split_lines(bytes)) {}

    bool at_end() const { return next_ >= lines_.size(); }
    int line_number() const { return int(next_) + 1; }  // 1-based, of the next line
    std::string_view raw_line(size_t i) const { return lines_[i]; }
    size_t line_total() const { return lines_.size(); }

    std::string text();          // the whole line, decoded to UTF-8
    int32_t int32();             // decimal integer
    int16_t int16();             // integer keeping its low 16 bits
    uint8_t uint8();             // integer keeping its low 8 bits
    // A position on the canvas: refused outside the 16-bit range every
    // record keeps positions in; `what` names it in the message.
    int32_t coord(std::string_view what);
    double real();               // finite real
    float volts();               // real narrowed to a float
    bool flag();                 // integer, true when not 0
    bool word_flag();            // true only for "true"
    bool style_flag();           // true only for "1"
    // A count in 0..capacity; `what` names it in the message.
    int32_t count(int32_t capacity, std::string_view what);
    // A count of lines with no capacity (negative still refused).
    int32_t count(std::string_view what) { return count(INT32_MAX, what); }

    [[noreturn]] void fail(FileResult::Code code, int line, const std::string& problem) const;

private:
    std::string_view take(std::string_view expected);

    std::vector<std::string_view> lines_;
    size_t next_ = 0;
};

class LineWriter {
public:
    // Names the record whose fields follow, for the messages of text() ("第 3 个元件").
    void record(std::string context) { context_ = std::move(context); }

    void text(std::string_view utf8, std::string_view field);
    void integer(int64_t v);
    void real(double v, std::string_view field);
    void volts(float v, std::string_view field);
    void flag(bool v) { line(v ? "1" : "0"); }
    void word_flag(bool v) { line(v ? "true" : "false"); }

    std::string take() { return std::move(out_); }

private:
    void line(std::string_view bytes);
    [[noreturn]] void refuse(std::string_view field, std::string_view problem) const;

    std::string out_;
    std::string context_;
    std::string scratch_;
};

// The text of a line as a message quotes it: UTF-8, shortened, line breaks
// and undecodable bytes shown as escapes.
std::string quoted_for_message(std::string_view bytes, bool gbk);

}  // namespace vorlisk
