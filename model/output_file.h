// Writing a file the user names: a circuit, a picture, a table or a dump.
// Every writer of the program goes through here, so none of them can turn a
// pipe or a device into a regular file, or leave half a file behind.
//
//  - A regular file, or a name that does not exist yet, gets the new bytes
//    in a fresh file beside it, which replaces it only once complete and on
//    disk: a failure on the way leaves the former file as it was. A
//    read-only file is refused; the permissions of the replaced one stay.
//  - A symbolic link is written through to the file it names.
//  - A FIFO or a character device (a pipe to another program, /dev/null) is
//    written into directly and stays what it is; circuit files refuse them.
//  - A folder, a socket or a block device is refused.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace vorlisk {

// What a FIFO or a character device gets.
enum class SpecialFiles : unsigned char {
    refuse,           // a circuit file must be one that Open can read back
    write_into,       // a FIFO without a reader is refused at once: a window must not hang
    wait_for_reader,  // a FIFO waits for its reader, as a shell's redirection does
};

// "这是一个管道，不是普通文件", likewise a socket or a device (st_mode bits).
std::string not_a_regular_file(unsigned mode);

class OutputFile {
public:
    OutputFile();
    // Without commit(): the fresh file goes, the target stays as it was.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False with the reason in `why` ("文件是只读的", "这是一个文件夹" ...).
    bool open(const std::string& path, SpecialFiles special, std::string& why);
    // Standard output, which stays open afterwards.
    void open_stdout();
    // False once anything failed; commit() then says why.
    bool write(std::string_view bytes);
    // Buffered writing into the same output; commit() flushes it.
    std::ostream& stream() { return stream_; }
    // Everything written reaches the target; false with the reason.
    bool commit(std::string& why);

private:
    struct Buffer : std::streambuf {
        explicit Buffer(OutputFile& f);
        int_type overflow(int_type ch) override;
        int sync() override;
        OutputFile& file;
        char bytes[65536];
    };
    void drop();

    int fd_ = -1;
    bool own_fd_ = false;  // standard output stays open
    std::string target_;   // replaced by temp_ at commit; empty when written directly
    std::string temp_;
    int err_ = 0;          // the first errno of a failed write
    Buffer buffer_;
    std::ostream stream_;
};

// The whole of `bytes` into `path`; false with the reason.
bool write_output(const std::string& path, std::string_view bytes, SpecialFiles special, std::string& why);

}  // namespace vorlisk
