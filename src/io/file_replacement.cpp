#include "file_replacement.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quorlin {

namespace {

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Saving through a link must keep the link, so the file it leads to is the one replaced;
// a dangling link still names the file to create.
std::string linkTarget(std::string path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) break;
        link.resize(static_cast<std::size_t>(length));
        path = link.starts_with('/') ? link : folderOf(path) + "/" + link;
    }
    return path;
}

// A fresh file beside the target, hidden and unique to this process. The name does not
// repeat the target's, which may already be as long as a name can be.
int createTemporary(const std::string& path, std::string& tempPath)
{
    static unsigned counter = 0;
    const std::string stem = folderOf(path) + "/.quorlin-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(counter++) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool writeAll(int fd, const ByteProducer& produce)
{
    return produce([fd](std::string_view bytes) { return writeAll(fd, bytes); });
}

// A pipe whose reader goes away would otherwise end the program; the write fails with
// "Broken pipe" instead.
class PipeSignalHeld {
public:
    PipeSignalHeld()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &saved_);
    }
    ~PipeSignalHeld()
    {
        const timespec now{};
        if (!wasPending_)
            while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {}
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_;
    sigset_t saved_;
    bool wasPending_ = false;
};

// Devices and pipes cannot be replaced by a file, only written into.
FileOutcome writeIntoDevice(const std::string& path, const ByteProducer& produce)
{
    // A pipe nobody reads would block the save for good; it fails at once instead.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FileOutcome::failure(errno);
    const PipeSignalHeld held;
    const int flags = ::fcntl(fd, F_GETFL);
    bool ok = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && writeAll(fd, produce);
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    return ok ? FileOutcome{} : FileOutcome::failure(error);
}

}  // namespace

FileOutcome replaceFileContents(const std::string& path, std::string_view bytes)
{
    return replaceFileContents(path, [bytes](const ByteSink& write) { return write(bytes); });
}

FileOutcome replaceFileContents(const std::string& path, const ByteProducer& produce)
{
    const std::string target = linkTarget(path);
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) return FileOutcome::failure(ELOOP);
    if (exists && !S_ISREG(existing.st_mode)) return writeIntoDevice(target, produce);
    // A file the user may not write must not be replaced just because its folder allows it.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return FileOutcome::failure(errno);

    std::string tempPath;
    const int fd = createTemporary(target, tempPath);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM)) {
            // Only known in full can the bytes be reserved before the old ones go.
            std::string bytes;
            produce([&bytes](std::string_view piece) { return bytes.append(piece), true; });
            return overwriteFileContents(target, bytes);
        }
        return FileOutcome::failure(errno);
    }

    bool ok = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, produce) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return FileOutcome::failure(error);
    }
    return {};
}

FileOutcome overwriteFileContents(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return FileOutcome::failure(errno);
    const auto size = static_cast<off_t>(bytes.size());
    int error = 0;
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
    // posix_fallocate returns its error rather than setting errno.
    if (size > 0) error = ::posix_fallocate(fd, 0, size);
    const bool ok = error == 0 && writeAll(fd, bytes) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    if (!ok && error == 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error == 0 ? FileOutcome{} : FileOutcome::failure(error);
}

}  // namespace quorlin
