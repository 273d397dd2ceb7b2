#include "model/circuit_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cerrno>
#include <climits>
#include <new>
#include <utility>

#include "model/file_format.h"

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

const char* special_file_kind(mode_t mode) {
    if (S_ISFIFO(mode)) return "管道";
    if (S_ISSOCK(mode)) return "套接字";
    return "设备";
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
        return unreadable(path, std::string("这是一个") + special_file_kind(st.st_mode) + "，不是普通文件");
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

// The file a save replaces: `path` itself, or the end of its chain of
// symbolic links, which need not exist yet. Returns 0 or an errno value.
int link_target(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        // Missing or not a link: this is the file (other errors show when
        // the temporary file is made beside it).
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
        if (hops == 40) return ELOOP;  // the system's own limit on links in a row
        std::string dest(size_t(std::max<off_t>(st.st_size, 0)) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), dest.data(), dest.size());
        if (n < 0) return errno;
        if (size_t(n) >= dest.size()) continue;  // the link changed meanwhile: read it again
        dest.resize(size_t(n));
        if (dest.starts_with('/')) {
            target = dest;
        } else {
            const size_t slash = target.rfind('/');
            target = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + dest;
        }
    }
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name beside the target for the new contents. It is no longer than the
// target's own name (or than a short name), so a name that the file system
// takes for the target it takes for this one too.
std::string temp_name(const std::string& target, int attempt, long pid = ::getpid()) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string suffix = ".~" + std::to_string(pid) + "-" + std::to_string(attempt) + ".tmp";
    const size_t limit = std::min<size_t>(std::max<size_t>(base.size(), 64), NAME_MAX);
    size_t keep = std::min(base.size(), limit > suffix.size() ? limit - suffix.size() : 0);
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80)
        --keep;  // not in the middle of a character
    return folder + base.substr(0, keep) + suffix;
}

// A save killed half way leaves its temporary file beside the target, as
// large as the circuit. Removes those of this target whose process is
// gone; a save in progress in another live process keeps its own.
void remove_stale_temps(const std::string& target) {
    const std::string folder = folder_of(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = target.rfind('/') == std::string::npos ? std::string() : folder + (folder == "/" ? "" : "/");
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        // NAME.~PID-N.tmp, as temp_name makes them.
        if (!name.ends_with(".tmp")) continue;
        const size_t tilde = name.rfind(".~"), dash = name.rfind('-');
        if (tilde == std::string_view::npos || dash == std::string_view::npos || dash < tilde) continue;
        const std::string_view pid_text = name.substr(tilde + 2, dash - tilde - 2);
        const std::string_view attempt_text = name.substr(dash + 1, name.size() - 4 - dash - 1);
        long pid = 0;
        int attempt = 0;
        const auto whole = [](std::string_view t, auto& v) {
            const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
            return !t.empty() && ec == std::errc() && p == t.data() + t.size() && v >= 0;
        };
        if (!whole(pid_text, pid) || !whole(attempt_text, attempt) || attempt >= 100 || pid <= 0) continue;
        const std::string path = prefix + std::string(name);
        if (temp_name(target, attempt, pid) != path) continue;  // another file's
        if (pid == ::getpid() || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
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

    const auto refused_because = [&](const std::string& why) {
        return failure(FileResult::write_failed, "保存文件" + quoted(path) + "失败：" + why + "。");
    };
    const auto refused = [&](int err) { return refused_because(reason_of(err)); };

    std::string target;
    if (int err = link_target(path, target); err != 0) return refused(err);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) return refused(EISDIR);
        if (!S_ISREG(old.st_mode))
            return refused_because(std::string("这是一个") + special_file_kind(old.st_mode) + "，不是普通文件");
        // The folder may allow replacing a file its owner made read-only;
        // keep it, as other editors do. The mode bits count even for the
        // administrator, whom access() lets write anything.
        if ((old.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES))
            return refused_because("文件是只读的");
    }

    remove_stale_temps(target);

    // The new contents go to a fresh file beside the target and replace it
    // only when complete and on disk, so the previous file survives any
    // failure on the way.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = temp_name(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return refused(errno);
    }
    if (fd < 0) return refused(EEXIST);

    if (exists) (void)::fchmod(fd, old.st_mode & 07777);  // keep its permissions

    int err = 0;
    errno = 0;
    if (!write_all(fd, bytes))
        err = errno ? errno : EIO;
    else if (::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return refused(err);
    }
    // Make the rename itself durable.
    const int dir = ::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return {};
}

}  // namespace vorlisk
