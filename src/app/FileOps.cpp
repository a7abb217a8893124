#include "app/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>

namespace calvetta {
namespace {

// Opens path for reading when it is a regular file; -1 otherwise, with errno
// ENOENT only when nothing is there.  O_NONBLOCK keeps the open from waiting
// on a pipe; it does not affect a regular file.
int OpenRegularFile(const std::string& path, off_t* size = nullptr) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    if (size != nullptr) *size = st.st_size;
    return fd;
}

// Reads fd to its end, handing each piece to sink; false on a read error or
// when sink refuses a piece.
bool ReadAll(int fd, const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kChunk = 1 << 16;
    const auto buf = std::make_unique_for_overwrite<char[]>(kChunk);
    for (;;) {
        const ssize_t n = ::read(fd, buf.get(), kChunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        if (!sink(std::string_view(buf.get(), static_cast<std::size_t>(n)))) return false;
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes a temporary file in target's folder through fill, flushes it to
// disk and renames it over target; on any failure the temporary file is
// removed and target is untouched.
bool ReplaceThrough(const std::string& target, bool keepMode, const DiskSteps& steps,
                    const std::function<bool(int fd)>& fill) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter.fetch_add(1));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = true;
    struct stat st {};
    if (keepMode && ::stat(target.c_str(), &st) == 0) ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    const auto flush = [&] { return steps.flush ? steps.flush(fd) : ::fsync(fd); };
    ok = ok && fill(fd) && flush() == 0;
    ok = (::close(fd) == 0) && ok;
    const auto rename = [&] {
        return steps.rename ? steps.rename(temp.c_str(), target.c_str())
                            : ::rename(temp.c_str(), target.c_str());
    };
    ok = ok && rename() == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& out) {
    out.clear();
    off_t size = 0;
    const int fd = OpenRegularFile(path, &size);
    if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    bool ok = false;
    try {
        out.reserve(static_cast<std::size_t>(size));
        ok = ReadAll(fd, [&](std::string_view piece) {
            out.append(piece);
            return true;
        });
    } catch (const std::exception&) {
        // A file too large to hold is a file that cannot be read.
        out.clear();
        out.shrink_to_fit();
    }
    ::close(fd);
    return ok ? ReadResult::Ok : ReadResult::Failed;
}

bool ReplaceFile(const std::string& target, std::string_view content, const DiskSteps& steps) {
    return ReplaceThrough(target, true, steps, [&](int fd) { return WriteAll(fd, content); });
}

std::string ResolveLink(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path resolved = fs::canonical(path, ec);
    return ec ? path : resolved.string();
}

bool CopyFileAtomic(const std::string& source, const std::string& target, const DiskSteps& steps) {
    const int in = OpenRegularFile(source);
    if (in < 0) return false;
    const bool ok = ReplaceThrough(ResolveLink(target), false, steps, [&](int out) {
        return ReadAll(in, [&](std::string_view piece) { return WriteAll(out, piece); });
    });
    ::close(in);
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DeleteFile(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(path.c_str()) == 0;
}

}  // namespace calvetta
