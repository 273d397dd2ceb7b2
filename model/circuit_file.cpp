#include "model/circuit_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "model/file_format.h"

namespace vorlisk {

namespace {

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
    case EIO: return "读写出错";
    default: return "系统错误 " + std::to_string(err);
    }
}

FileResult failure(FileResult::Code code, std::string message) {
    FileResult r;
    r.code = code;
    r.message = std::move(message);
    return r;
}

bool read_all(const std::string& path, std::string& bytes, int& err) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return err = errno, false;
    bytes.clear();
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buf, size_t(n));
    }
    ::close(fd);
    return true;
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

// Saving over a symbolic link replaces the file it points to, not the link.
std::string resolved_target(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string r(real);
            std::free(real);
            return r;
        }
    }
    return path;
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

FileResult load_circuit_bytes(Circuit& c, std::string_view bytes) {
    FileResult result;
    LineReader in(bytes);
    if (in.at_end() || in.raw_line(0) != kFileHeader) {
        result = failure(FileResult::header_mismatch, std::string(kOpenFailed));
        result.line = 1;
    } else {
        (void)in.text();  // the header
        try {
            read_circuit_body(in, c);
        } catch (const FileError& e) {
            result = e.result;
        }
    }
    c.touch();  // whatever was read, the compiled view is stale
    return result;
}

FileResult load_circuit(Circuit& c, const std::string& path) {
    std::string bytes;
    int err = 0;
    if (!read_all(path, bytes, err)) {
        c.touch();
        return failure(FileResult::unreadable, "无法读取文件“" + path + "”：" + reason_of(err) + "。");
    }
    return load_circuit_bytes(c, bytes);
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

    const std::string target = resolved_target(path);
    const auto refused = [&](int err) {
        return failure(FileResult::write_failed, "保存文件“" + path + "”失败：" + reason_of(err) + "。");
    };
    // The new contents go to a fresh file beside the target and replace it
    // only when complete and on disk, so the previous file survives any
    // failure on the way.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return refused(errno);
    }
    if (fd < 0) return refused(EEXIST);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) (void)::fchmod(fd, old.st_mode & 07777);  // keep its permissions

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
