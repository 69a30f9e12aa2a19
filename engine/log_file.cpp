#include "log_file.h"

#include <bit>
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

// Searching a chunk at a time costs far less than one memchr per line, and
// the comparisons are written so that the compiler can do them side by side.
std::uint64_t LogFile::LineFeedsIn(const char* bytes) {
    unsigned char isFeed[kChunk];
    for (std::size_t i = 0; i < kChunk; ++i) {
        isFeed[i] = bytes[i] == '\n';
    }
    std::uint64_t feeds = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (std::size_t group = 0; group < kChunk / 8; ++group) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, isFeed + 8 * group, 8);
            // Gathers the low bits of the eight bytes, first byte lowest.
            feeds |= ((eight * 0x0102040810204080ULL) >> 56) << (8 * group);
        }
    } else {
        for (std::size_t i = 0; i < kChunk; ++i) {
            feeds |= std::uint64_t{isFeed[i]} << i;
        }
    }
    return feeds;
}

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
    m_feeds = 0;
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
// than the buffer makes the buffer grow, so lines are never split, unless
// the filter tells that the line can be skipped.
bool LogFile::Refill() {
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_scanned -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size()) {
        if (m_ofNoInterest != nullptr && m_ofNoInterest(std::string_view(m_buffer.data(), m_end))) {
            return SkipRestOfLine();
        }
        m_buffer.resize(m_buffer.size() * 2);
    }
    const std::size_t got = Read(m_end);
    m_end += got;
    return got > 0;
}

// The buffer holds the start of a line and no line feed. Reads on to the end
// of that line without keeping it; what follows it fills the buffer.
bool LogFile::SkipRestOfLine() {
    m_begin = m_end = m_scanned = 0;
    for (;;) {
        const std::size_t got = Read(0);
        if (got == 0) {
            return false;
        }
        if (const void* feed = std::memchr(m_buffer.data(), '\n', got)) {
            m_begin = m_scanned = static_cast<std::size_t>(static_cast<const char*>(feed) - m_buffer.data()) + 1;
            m_end = got;
            return true;
        }
    }
}

// Reads into the buffer from `at` to its end. Returns the count of bytes
// read, or 0 at the end of the log or on a failure, which it records.
std::size_t LogFile::Read(std::size_t at) {
    for (;;) {
        const ssize_t got = ::read(m_fd, m_buffer.data() + at, m_buffer.size() - at);
        if (got > 0) {
            return static_cast<std::size_t>(got);
        }
        if (got == 0) {
            m_eof = true;
            return 0;
        }
        if (errno != EINTR) {
            m_readFailed = true;
            return 0;
        }
    }
}

bool LogFile::NextLine(std::string_view& line) {
    if (m_fd < 0 || m_readFailed) {
        return false;
    }
    for (;;) {
        std::size_t feed = 0;
        if (m_feeds != 0) {
            feed = m_scanned - kChunk + static_cast<std::size_t>(std::countr_zero(m_feeds));
            m_feeds &= m_feeds - 1;
        } else if (m_end - m_scanned >= kChunk) {
            m_feeds = LineFeedsIn(m_buffer.data() + m_scanned);
            m_scanned += kChunk;
            continue;
        } else if (const void* found = std::memchr(m_buffer.data() + m_scanned, '\n', m_end - m_scanned)) {
            // Fewer bytes than a chunk are left before the end of what was read.
            feed = static_cast<std::size_t>(static_cast<const char*>(found) - m_buffer.data());
            m_scanned = feed + 1;
        } else {
            m_scanned = m_end;
            if (!m_eof && Refill()) {
                continue;
            }
            if (m_readFailed || m_begin == m_end) {
                return false;
            }
            // The last line of a log that does not end with a line feed.
            line = std::string_view(m_buffer.data() + m_begin, m_end - m_begin);
            m_begin = m_scanned = m_end;
            return true;
        }
        const char* start = m_buffer.data() + m_begin;
        std::size_t length = feed - m_begin;
        m_begin = feed + 1;
        if (length > 0 && start[length - 1] == '\r') {
            --length;
        }
        line = std::string_view(start, length);
        return true;
    }
}

}  // namespace murkwell
