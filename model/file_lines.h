// The circuit file as a sequence of lines: a reader that hands out one
// typed value per line and a writer that collects them (GBK, CR LF). Both
// report a problem by throwing FileError, which the public functions of
// circuit_file.h turn into a FileResult.
//
// The reader streams: it takes the file in chunks and splits lines as they
// are asked for, and never holds more than one line beyond the chunk, so a
// huge file costs time rather than memory.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/circuit_file.h"

namespace vorlisk {

struct FileError {
    FileResult result;
};

// Thrown by a ByteSource when the system refuses a read (errno value).
struct ReadError {
    int err = 0;
};

// Words for an errno value, as a message shows them ("文件或文件夹不存在").
std::string reason_of(int err);

// The bytes of a file: all at once from memory, or chunk by chunk from an
// open descriptor of a regular file.
class ByteSource {
public:
    // Memory handed out in chunks of `chunk` bytes (all at once by default).
    explicit ByteSource(std::string_view bytes, size_t chunk = SIZE_MAX) : bytes_(bytes), chunk_(chunk) {}
    explicit ByteSource(int fd) : fd_(fd) {}
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    // The next chunk; empty at the end. Throws ReadError.
    std::string_view next();
    // Back to the first byte. Throws ReadError.
    void rewind();

private:
    std::string_view bytes_;
    size_t chunk_ = SIZE_MAX;
    size_t given_ = 0;  // memory: bytes handed out so far
    int fd_ = -1;
    std::string buffer_;
};

enum class TextEncoding { gbk, utf8 };

struct EncodingGuess {
    TextEncoding encoding = TextEncoding::gbk;
    bool bom = false;  // UTF-8 with a byte-order mark, which the reader skips
};

// Reads the source from its start and decides how its text lines decode: as
// UTF-8 when every byte up to the end (or up to the first line too long for
// any file) is valid UTF-8 and some of it is beyond ASCII, as GBK
// otherwise. Leaves the source wherever it stopped.
EncodingGuess guess_encoding(ByteSource& source);

class LineReader {
public:
    LineReader(ByteSource& source, EncodingGuess guess);

    bool at_end();
    int line_number() const { return lines_taken_ + 1; }  // 1-based, of the next line

    // Takes the first line and compares it with the header; false when the
    // file is empty, the line differs or is too long for any file.
    bool header_matches(std::string_view header);

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
    // A value read as an integer and refused above `capacity` (negative
    // values pass); `what` names it in the message.
    int32_t int32_at_most(int32_t capacity, std::string_view what);

    [[noreturn]] void fail(FileResult::Code code, int line, const std::string& problem) const;

private:
    // The next line without its break, valid until the next call. Throws
    // FileError at the end of the file or on a line longer than any file
    // holds, as soon as that much of it has been seen.
    std::string_view take(std::string_view expected);
    bool next_line(std::string_view& line);  // false at the end
    bool fill();                             // false when no byte is left
    bool is_gbk() const { return encoding_ == TextEncoding::gbk; }

    ByteSource& source_;
    TextEncoding encoding_;
    size_t line_limit_;       // longest line accepted, in bytes of the file's encoding
    std::string_view chunk_;  // the part of the source being split
    size_t pos_ = 0;          // next unread byte of chunk_
    bool exhausted_ = false;  // the source has no more chunks
    bool skip_lf_ = false;    // the last line ended in CR: a following LF belongs to it
    int lines_taken_ = 0;
    std::string carry_;       // a line that spans chunks
    std::string scratch_;
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

    [[noreturn]] void refuse(std::string_view field, std::string_view problem) const;
    std::string take() { return std::move(out_); }

private:
    void line(std::string_view bytes);

    std::string out_;
    std::string context_;
    std::string scratch_;
};

// The text of a line as a message quotes it: UTF-8, shortened, line breaks
// and undecodable bytes shown as escapes.
std::string quoted_for_message(std::string_view bytes, bool gbk);

}  // namespace vorlisk
