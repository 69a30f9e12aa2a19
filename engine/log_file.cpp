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
    m_failureReason.clear();
    return Start(system::OpenForReading(path));
}

bool LogFile::OpenStandardInput() {
    Close();
    m_failureReason.clear();
    return Start(system::DuplicateStandardInput());
}

bool LogFile::Start(int fd) {
    m_fd = fd;
    system::FileStatus status;
    if (m_fd < 0 || !system::StatusOf(m_fd, status) || status.isDirectory) {
        m_failureReason = system::ErrorText(status.isDirectory ? system::IsADirectoryError() : system::LastError());
        Close();
        return false;
    }
    m_identity = status.identity;
    system::AdviseSequential(m_fd);
    m_buffer.clear();
    m_begin = m_end = m_scanned = 0;
    m_feeds = 0;
    m_eof = m_readFailed = false;
    // A log that fails at its very first bytes fails as a read, like one that fails later.
    std::string head;
    if (!ReadHead(head)) {
        m_readFailed = true;
        m_failureReason = system::ErrorText(system::LastError());
        return true;
    }
    const Compression compression = CompressionOf(head);
    m_source = Decompressed(std::make_unique<FileSource>(m_fd, std::move(head)), compression);
    // A thread of its own pays for itself only on a log of a few blocks or more.
    const bool large = status.isRegular && status.size > 2 * ReadAhead::kLargeBlock;
    m_readAhead = std::make_unique<ReadAhead>(*m_source, large);
    return true;
}

// The first bytes, enough to tell a compressed log; fewer only when the log is shorter.
bool LogFile::ReadHead(std::string& head) {
    head.resize(kCompressionMagicSize);
    std::size_t got = 0;
    while (got < head.size()) {
        const long long more = system::ReadSome(m_fd, head.data() + got, head.size() - got);
        if (more < 0) {
            return false;
        }
        if (more == 0) {
            break;
        }
        got += static_cast<std::size_t>(more);
    }
    head.resize(got);
    return true;
}

void LogFile::Close() {
    m_readAhead.reset();  // before the source and the descriptor it reads from go
    m_source.reset();
    if (m_fd >= 0) {
        system::Close(m_fd);
        m_fd = -1;
    }
    m_buffer = {};
    m_cutLine = {};
}

bool LogFile::Arrived(const ReadAhead::Block& block) {
    if (block.size > 0) {
        return true;
    }
    if (block.failed) {
        m_readFailed = true;
        m_failureReason = m_readAhead->FailureReason();
    } else {
        m_eof = true;
    }
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

// The buffer holds more of a line than is kept, and no line feed.
// Hands out the first kLongestLine of them and drops the rest of the line.
bool LogFile::CutLongLine(std::string_view& line) {
    m_cutLine.assign(m_buffer.data() + m_begin, kLongestLine);
    m_begin = m_scanned = m_end;
    if (!m_eof && !SkipRestOfLine() && m_readFailed) {
        return false;
    }
    line = m_cutLine;
    return true;
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
            // Past this many bytes no line feed or carriage return can keep the line within bounds.
            if (m_end - m_begin > kLongestLine + 1) {
                return CutLongLine(line);
            }
            if (!m_eof && Refill()) {
                continue;
            }
            if (m_readFailed || m_begin == m_end) {
                return false;
            }
            // The last line of a log that does not end with a line feed.
            line = std::string_view(m_buffer.data() + m_begin, std::min(m_end - m_begin, kLongestLine));
            m_begin = m_scanned = m_end;
            return true;
        }
        const char* start = m_buffer.data() + m_begin;
        std::size_t length = feed - m_begin;
        m_begin = feed + 1;
        if (length > 0 && start[length - 1] == '\r') {
            --length;
        }
        line = std::string_view(start, std::min(length, kLongestLine));
        return true;
    }
}

}  // namespace murkwell
