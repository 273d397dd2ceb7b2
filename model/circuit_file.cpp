#include "model/circuit_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <utility>

#include "chips/chip_table.h"
#include "model/file_format.h"
#include "model/output_file.h"

namespace vorlisk {

namespace {

FileResult failure(FileResult::Code code, std::string message) {
    FileResult r;
    r.code = code;
    r.message = std::move(message);
    return r;
}

std::string quoted(const std::string& path) { return "“" + path + "”"; }

FileResult unreadable(const std::string& path, std::string why) {
    return failure(FileResult::unreadable, "无法读取文件" + quoted(path) + "：" + why + "。");
}

std::string no_memory_message(const std::string& path) {
    return "内存不足，无法读完文件" + (path.empty() ? std::string() : quoted(path)) + "。";
}

class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() { ::close(fd_); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int fd_;
};

// The header, then the body. Throws ReadError and std::bad_alloc.
FileResult read_source(Circuit& c, ByteSource& source) {
    // The encoding needs a look at the whole file first; reading it twice
    // costs time but no memory.
    const EncodingGuess guess = guess_encoding(source);
    source.rewind();
    LineReader in(source, guess);
    if (!in.header_matches(kFileHeader)) {
        FileResult r = failure(FileResult::header_mismatch, std::string(kOpenFailed));
        r.line = 1;
        return r;
    }
    FileResult result;
    try {
        read_circuit_body(in, c, result);
    } catch (const FileError& e) {
        return e.result;
    }
    return result;
}

FileResult read_file(Circuit& c, const std::string& path) {
    // Without blocking: opening a FIFO would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return unreadable(path, reason_of(errno));
    FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) return unreadable(path, reason_of(errno));
    if (S_ISDIR(st.st_mode)) return unreadable(path, reason_of(EISDIR));
    // A FIFO or a device may never end (/dev/zero) or never answer.
    if (!S_ISREG(st.st_mode))
        return unreadable(path, not_a_regular_file(st.st_mode));
    ByteSource source(fd);
    FileResult r;
    try {
        r = read_source(c, source);
    } catch (const ReadError& e) {
        return unreadable(path, reason_of(e.err));
    }
    if (r.code == FileResult::header_mismatch)
        r.message = std::string(kOpenFailed) + quoted(path) + "不是电路文件。";
    else if (r.code == FileResult::invalid)
        r.message = "文件" + quoted(path) + r.message;
    return r;
}

// What a reset leaves alone comes from the program's circuit, so that a
// file missing an optional block leaves those values as a load into the
// program's circuit would.
void carry_unreset_values(const Circuit& from, Circuit& to) {
    to.net_mode = from.net_mode;
    to.out_init_mode = from.out_init_mode;
    to.default_symbol_style = from.default_symbol_style;
    to.file_real_1 = from.file_real_1;
    to.trace_scale = from.trace_scale;
}

template <class Table>
void move_records(Table& into, int32_t& into_count, Table& from, int32_t& from_count) {
    for (int32_t i = 0; i < from_count; ++i) std::swap(into[size_t(i)], from[size_t(i)]);
    into_count = from_count;
    from_count = 0;
}

}  // namespace

FileResult load_circuit_bytes(Circuit& c, std::string_view bytes) {
    FileResult result;
    ByteSource source(bytes);
    try {
        result = read_source(c, source);
    } catch (const std::bad_alloc&) {
        result = failure(FileResult::unreadable, no_memory_message(""));
    }
    c.touch();  // whatever was read, the compiled view is stale
    return result;
}

FileResult load_circuit(Circuit& c, const std::string& path) {
    FileResult result;
    try {
        result = read_file(c, path);
    } catch (const std::bad_alloc&) {
        result = failure(FileResult::unreadable, no_memory_message(path));
    }
    c.touch();
    return result;
}

void adopt_loaded_circuit(Circuit& c, Circuit& loaded) {
    new_circuit(c);  // Open's reset: clipboard, tool, names, modified
    move_records(c.objects, c.object_count, loaded.objects, loaded.object_count);
    move_records(c.wires, c.wire_count, loaded.wires, loaded.wire_count);
    move_records(c.junctions, c.junction_count, loaded.junctions, loaded.junction_count);
    move_records(c.test_points, c.test_point_count, loaded.test_points, loaded.test_point_count);
    move_records(c.annotations, c.annotation_count, loaded.annotations, loaded.annotation_count);

    c.next_serial = loaded.next_serial;
    c.virtual_time = loaded.virtual_time;
    c.time_step = loaded.time_step;
    c.device_delay = loaded.device_delay;
    c.step_counter = loaded.step_counter;
    c.net_mode = loaded.net_mode;
    c.out_init_mode = loaded.out_init_mode;
    c.default_symbol_style = loaded.default_symbol_style;
    c.file_real_1 = loaded.file_real_1;
    c.draw = loaded.draw;
    c.table_items.swap(loaded.table_items);
    c.trace_items.swap(loaded.trace_items);
    c.table_record_mode.swap(loaded.table_record_mode);
    c.trace_record_mode.swap(loaded.trace_record_mode);
    c.trace_scale = loaded.trace_scale;
    c.scroll_h = loaded.scroll_h;
    c.scroll_v = loaded.scroll_v;
    c.touch();
}

FileResult open_circuit(Circuit& c, const std::string& path) {
    try {
        auto loaded = std::make_unique<Circuit>();
        build_chip_table(*loaded);  // a chip's damaged outline takes its type's again
        carry_unreset_values(c, *loaded);
        new_circuit(*loaded);
        FileResult r = load_circuit(*loaded, path);
        if (!r) return r;
        std::string name = path;
        adopt_loaded_circuit(c, *loaded);
        c.file_name = std::move(name);
        return r;
    } catch (const std::bad_alloc&) {
        return failure(FileResult::unreadable, no_memory_message(path));
    }
}

FileResult circuit_bytes(const Circuit& c, std::string& out) {
    LineWriter writer;
    try {
        write_circuit(writer, c);
    } catch (const FileError& e) {
        return e.result;
    }
    out = writer.take();
    return {};
}

FileResult save_circuit(const Circuit& c, const std::string& path) {
    std::string bytes;
    if (FileResult r = circuit_bytes(c, bytes); !r) return r;
    // Open reads regular files only: a circuit is never written into a pipe.
    std::string why;
    if (!write_output(path, bytes, SpecialFiles::refuse, why))
        return failure(FileResult::write_failed, "保存文件" + quoted(path) + "失败：" + why + "。");
    return {};
}

}  // namespace vorlisk
