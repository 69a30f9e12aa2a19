#include "system_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace murkwell::system {

namespace {

void Fill(const struct stat& info, FileStatus& status) {
    status.isDirectory = S_ISDIR(info.st_mode);
    status.isRegular = S_ISREG(info.st_mode);
    status.size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    status.linkCount = info.st_nlink;
    status.permissions = info.st_mode & 07777;
    status.identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// Letters for the unique part of a temporary file's name.
constexpr std::string_view kNameLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Keeps ".NAME.xxxxxx" within the 255 bytes a file name may have.
constexpr std::size_t kLongestNamePart = 200;

// A write to a pipe without a reader raises SIGPIPE, which ends the process
// unless someone handles it. While one of these lives, the signal is held
// back for this thread only; one that a failed write raised is taken off
// again, so nothing of it outlives the write. The rest of the program, and
// every program it starts, keeps the signal as it was.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_before);
        sigset_t pending;
        sigpending(&pending);
        m_pendingBefore = sigismember(&pending, SIGPIPE) == 1;
    }
    ~PipeSignalHeld() {
        const int error = errno;
        sigset_t pending;
        sigpending(&pending);
        if (!m_pendingBefore && sigismember(&pending, SIGPIPE) == 1) {
            const timespec noWait{};
            sigtimedwait(&m_pipe, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &m_before, nullptr);
        errno = error;
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t m_pipe{};
    sigset_t m_before{};
    bool m_pendingBefore = false;
};

int Duplicate(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); }

}  // namespace

int LastError() { return errno; }

std::string ErrorText(int error) { return std::strerror(error); }

int OutOfMemoryError() { return ENOMEM; }

int IsADirectoryError() { return EISDIR; }

int OpenForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int OpenForReadingNow(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

int OpenForWritingInPlace(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0666);
    // Only the opening must not wait; writes to a slow reader wait for it as usual.
    if (fd >= 0) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    return fd;
}

int CreateBeside(const std::string& path, std::string& created) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem =
        path.substr(0, nameStart) + "." + path.substr(nameStart, kLongestNamePart) + ".";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = stem;
        for (int i = 0; i < 6; ++i) {
            candidate += kNameLetters[letter(entropy)];
        }
        // 0666 less the process's umask, as for any file the user creates.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            created = fd >= 0 ? candidate : std::string();
            return fd;
        }
    }
    return -1;
}

int Close(int fd) { return ::close(fd); }

int DuplicateStandardInput() { return Duplicate(STDIN_FILENO); }

int DuplicateStandardOutput() { return Duplicate(STDOUT_FILENO); }

bool StatusOf(int fd, FileStatus& status) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    Fill(info, status);
    return true;
}

bool StatusOfStandardOutput(FileStatus& status) { return StatusOf(STDOUT_FILENO, status); }

bool StatusOfPath(const std::string& path, FileStatus& status) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    Fill(info, status);
    return true;
}

bool FinalPath(const std::string& path, std::string& final) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        final = path;
        return true;
    }
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        return false;
    }
    final = resolved;
    return true;
}

bool MayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

bool SetPermissions(int fd, std::uint32_t permissions) {
    return ::fchmod(fd, static_cast<mode_t>(permissions)) == 0;
}

bool FlushToDisk(int fd) { return ::fsync(fd) == 0; }

bool ReplaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

void AdviseSequential(int fd) { ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL); }

long long ReadSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    const PipeSignalHeld held;
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return false;
        }
        if (put == 0) {
            errno = EIO;
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace murkwell::system
