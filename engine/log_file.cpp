#include "log_file.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "system_file.h"

namespace murkwell {

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
    m_fd = system::OpenForReading(path);
    if (m_fd < 0) {
        return false;
    }
    system::FileStatus status;
    if (!system::StatusOf(m_fd, status) || status.isDirectory) {
        Close();
        return false;
    }
    m_identity = status.identity;
    system::AdviseSequential(m_fd);
    // A thread of its own pays for itself only on a log of a few blocks or more.
    const bool large = status.isRegular && status.size > 2 * ReadAhead::kLargeBlock;
    m_readAhead = std::make_unique<ReadAhead>(m_fd, large);
    m_buffer.clear();
    m_begin = m_end = m_scanned = 0;
    m_feeds = 0;
    m_eof = m_readFailed = false;
    return true;
}

void LogFile::Close() {
    m_readAhead.reset();  // before the descriptor it reads from goes
    if (m_fd >= 0) {
        system::Close(m_fd);
        m_fd = -1;
    }
    m_buffer = {};
}

bool LogFile::Arrived(const ReadAhead::Block& block) {
    if (block.size > 0) {
        return true;
    }
    (block.failed ? m_readFailed : m_eof) = true;
    return false;
}

// Called when the buffer holds no line feed after m_begin. The unfinished
// line usually fits in front of the next block, which then becomes the
// buffer; a longer one is copied together with the block, the buffer
// growing so that lines are never split, unless the filter tells that the
// line can be skipped.
bool LogFile::Refill() {
    const std::size_t tail = m_end - m_begin;
    const bool mustGrow = tail + m_readAhead->BlockSize() > m_buffer.size();
    if (tail > ReadAhead::kFrontRoom && mustGrow && m_ofNoInterest != nullptr &&
        m_ofNoInterest(std::string_view(m_buffer.data() + m_begin, tail))) {
        return SkipRestOfLine();
    }
    ReadAhead::Block block = m_readAhead->Take();
    if (!Arrived(block)) {
        return false;
    }
    if (tail <= ReadAhead::kFrontRoom) {
        const std::size_t front = ReadAhead::kFrontRoom - tail;
        if (tail > 0) {
            std::memcpy(block.storage.data() + front, m_buffer.data() + m_begin, tail);
        }
        std::swap(m_buffer, block.storage);
        m_begin = front;
        m_scanned = ReadAhead::kFrontRoom;
        m_end = ReadAhead::kFrontRoom + block.size;
    } else {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, tail);
        if (tail + block.size > m_buffer.size()) {
            m_buffer.resize(std::max(tail + block.size, 2 * m_buffer.size()));
        }
        std::memcpy(m_buffer.data() + tail, block.storage.data() + ReadAhead::kFrontRoom, block.size);
        m_begin = 0;
        m_scanned = tail;
        m_end = tail + block.size;
    }
    m_readAhead->GiveBack(std::move(block.storage));
    return true;
}

// The buffer holds the start of a line of no interest and no line feed.
// Reads on to the end of that line without keeping it; the block in which
// it ends becomes the buffer.
bool LogFile::SkipRestOfLine() {
    m_begin = m_scanned = m_end;
    for (;;) {
        ReadAhead::Block block = m_readAhead->Take();
        if (!Arrived(block)) {
            return false;
        }
        const char* bytes = block.storage.data() + ReadAhead::kFrontRoom;
        if (const void* feed = std::memchr(bytes, '\n', block.size)) {
            std::swap(m_buffer, block.storage);
            m_begin = m_scanned =
                ReadAhead::kFrontRoom + static_cast<std::size_t>(static_cast<const char*>(feed) - bytes) + 1;
            m_end = ReadAhead::kFrontRoom + block.size;
            m_readAhead->GiveBack(std::move(block.storage));
            return true;
        }
        m_readAhead->GiveBack(std::move(block.storage));
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
        } else if (const void* found = m_end > m_scanned
                                           ? std::memchr(m_buffer.data() + m_scanned, '\n', m_end - m_scanned)
                                           : nullptr) {
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
