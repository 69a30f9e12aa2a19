#include "log_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace murkwell {

namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
}

LogFile::~LogFile() { Close(); }

bool LogFile::Open(const std::string& path) {
    Close();
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        Close();
        return false;
    }
    m_device = info.st_dev;
    m_inode = info.st_ino;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    m_buffer.resize(kBlockSize);
    m_begin = m_end = m_scanned = 0;
    m_eof = m_readFailed = false;
    return true;
}

void LogFile::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_buffer = {};
}

// Moves the unread tail to the front and reads more after it; a line longer
// than the buffer makes the buffer grow, so lines are never split.
bool LogFile::Refill() {
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        m_buffer.resize(m_buffer.size() * 2);
    }
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got > 0) {
            m_end += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            m_eof = true;
            return false;
        }
        if (errno != EINTR) {
            m_readFailed = true;
            return false;
        }
    }
}

bool LogFile::NextLine(std::string_view& line) {
    if (m_fd < 0 || m_readFailed) {
        return false;
    }
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        const auto* feed = static_cast<const char*>(
            std::memchr(start + m_scanned, '\n', available - m_scanned));
        if (feed != nullptr) {
            std::size_t length = static_cast<std::size_t>(feed - start);
            m_begin += length + 1;
            m_scanned = 0;
            if (length > 0 && start[length - 1] == '\r') {
                --length;
            }
            line = std::string_view(start, length);
            return true;
        }
        m_scanned = available;
        if (!m_eof && Refill()) {
            continue;
        }
        if (m_readFailed || m_begin == m_end) {
            return false;
        }
        // The last line of a log that does not end with a line feed.
        line = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
        m_begin = m_end;
        m_scanned = 0;
        return true;
    }
}

}  // namespace murkwell
