#include "model/output_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>

#include "model/file_lines.h"

namespace vorlisk {

namespace {

// The file a write replaces: `path` itself, or the end of its chain of
// symbolic links, which need not exist yet. Returns 0 or an errno value.
int link_target(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        // Missing or not a link: this is the file (other errors show when
        // the fresh file is made beside it).
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

// A write killed half way leaves its fresh file beside the target, as
// large as the output. Removes those of this target whose process is gone;
// a write in progress in another live process keeps its own.
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

// Opens a FIFO or a device for writing into it. Without waiting, a FIFO
// nobody reads is refused at once instead of holding the caller.
int open_special(const std::string& target, bool fifo, bool wait, std::string& why) {
    int fd = -1;
    do {
        fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (wait ? 0 : O_NONBLOCK));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        why = fifo && errno == ENXIO ? "没有程序在读取这个管道" : reason_of(errno);
        return -1;
    }
    // From here on a slow reader makes the writes wait, as they should.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

}  // namespace

std::string not_a_regular_file(unsigned mode) {
    const char* kind = S_ISFIFO(mode) ? "管道" : S_ISSOCK(mode) ? "套接字" : "设备";
    return std::string("这是一个") + kind + "，不是普通文件";
}

OutputFile::Buffer::Buffer(OutputFile& f) : file(f) { setp(bytes, bytes + sizeof bytes); }

OutputFile::Buffer::int_type OutputFile::Buffer::overflow(int_type ch) {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int OutputFile::Buffer::sync() {
    const bool ok = file.write(std::string_view(pbase(), size_t(pptr() - pbase())));
    setp(bytes, bytes + sizeof bytes);
    return ok ? 0 : -1;
}

OutputFile::OutputFile() : buffer_(*this), stream_(&buffer_) {}

OutputFile::~OutputFile() { drop(); }

void OutputFile::drop() {
    if (own_fd_ && fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) ::unlink(temp_.c_str());
    fd_ = -1;
    own_fd_ = false;
    target_.clear();
    temp_.clear();
    err_ = 0;
    stream_.clear();
}

bool OutputFile::open(const std::string& path, SpecialFiles special, std::string& why) {
    drop();
    std::string target;
    if (const int err = link_target(path, target); err != 0) {
        why = reason_of(err);
        return false;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            why = reason_of(EISDIR);
            return false;
        }
        const bool fifo = S_ISFIFO(old.st_mode);
        if ((fifo || S_ISCHR(old.st_mode)) && special != SpecialFiles::refuse) {
            fd_ = open_special(target, fifo, special == SpecialFiles::wait_for_reader, why);
            own_fd_ = fd_ >= 0;
            return fd_ >= 0;
        }
        if (!S_ISREG(old.st_mode)) {
            why = not_a_regular_file(old.st_mode);
            return false;
        }
        // The folder may allow replacing a file its owner made read-only;
        // keep it, as other editors do. The mode bits count even for the
        // administrator, whom access() lets write anything.
        if ((old.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES)) {
            why = "文件是只读的";
            return false;
        }
    }

    remove_stale_temps(target);
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = temp_name(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            why = reason_of(errno);
            return false;
        }
    }
    if (fd < 0) {
        why = reason_of(EEXIST);
        return false;
    }
    if (exists) (void)::fchmod(fd, old.st_mode & 07777);  // keep its permissions
    fd_ = fd;
    own_fd_ = true;
    target_ = std::move(target);
    temp_ = std::move(temp);
    return true;
}

void OutputFile::open_stdout() {
    drop();
    fd_ = STDOUT_FILENO;
}

bool OutputFile::write(std::string_view bytes) {
    if (fd_ < 0 || err_ != 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err_ = n < 0 && errno != 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

bool OutputFile::commit(std::string& why) {
    stream_.flush();
    int err = fd_ < 0 ? EBADF : err_;
    if (err == 0 && !temp_.empty() && ::fsync(fd_) != 0) err = errno;
    if (own_fd_ && fd_ >= 0) {
        if (::close(fd_) != 0 && err == 0 && errno != EINTR) err = errno;
        fd_ = -1;
        own_fd_ = false;
    }
    if (err == 0 && !temp_.empty()) {
        if (::rename(temp_.c_str(), target_.c_str()) != 0) {
            err = errno;
        } else {
            temp_.clear();
            // Make the rename itself durable.
            const int dir = ::open(folder_of(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (dir >= 0) {
                (void)::fsync(dir);
                ::close(dir);
            }
        }
    }
    drop();
    if (err != 0) why = reason_of(err);
    return err == 0;
}

bool write_output(const std::string& path, std::string_view bytes, SpecialFiles special, std::string& why) {
    OutputFile out;
    if (!out.open(path, special, why)) return false;
    out.write(bytes);
    return out.commit(why);
}

}  // namespace vorlisk
