#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log_source.h"
#include "read_ahead.h"
#include "system_file.h"

namespace murkwell {

// The server log, read in large blocks and handed out one line at a time.
// A line is everything up to a line feed; a carriage return right before the
// line feed is dropped. Every other byte, 0x1A and NUL included, is passed
// through: what a NUL means is the scanner's business. A log compressed with
// gzip, bzip2, xz or zstd is read as the log it holds.
class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile();

    // Every line is handed out with at most this many bytes, the rest of it
    // read and dropped, so that memory stays bounded whatever the log holds.
    // Everything the page takes from a line fits in far less.
    static constexpr std::size_t kLongestLine = std::size_t{1} << 20;

    // Fails for a path that cannot be opened for reading or that names a
    // directory; FailureReason() then tells why.
    bool Open(const std::string& path);
    bool OpenStandardInput();
    void Close();

    // The next line, valid until the next call; false at the end of the log
    // or when a read fails (then ReadFailed() tells, and FailureReason() why).
    // The last line may lack its line feed.
    bool NextLine(std::string_view& line);
    bool ReadFailed() const { return m_readFailed; }
    const std::string& FailureReason() const { return m_failureReason; }

    // A line longer than the buffer is held, the buffer growing to fit it,
    // up to kLongestLine, unless `ofNoInterest` says that no line beginning
    // with the bytes already read can matter: then the rest of the line is
    // read and dropped, and the line is never handed out. This keeps a log
    // with a huge chat line, for instance, from costing any memory at all.
    using LineFilter = bool (*)(std::string_view head);
    void SkipLongLinesWhen(LineFilter ofNoInterest) { m_ofNoInterest = ofNoInterest; }

    // Identity of the open file, to tell whether another path names the same file.
    const system::FileIdentity& Identity() const { return m_identity; }

private:
    // Line feeds are searched for a chunk of this many bytes at a time, one
    // bit of m_feeds per byte.
    static constexpr std::size_t kChunk = 64;

    // Bit i is set when byte i of the chunk at `bytes` is a line feed.
    static std::uint64_t LineFeedsIn(const char* bytes);
    bool Start(int fd);
    bool ReadHead(std::string& head);
    bool Refill();
    bool SkipRestOfLine();
    bool CutLongLine(std::string_view& line);
    // Notes how the log ended when `block` is its end; true when it holds bytes.
    bool Arrived(const ReadAhead::Block& block);

    int m_fd = -1;
    std::unique_ptr<LogSource> m_source;
    std::unique_ptr<ReadAhead> m_readAhead;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;     // first byte not yet handed out
    std::size_t m_end = 0;       // one past the last byte read
    std::size_t m_scanned = 0;   // first byte not yet searched for line feeds
    std::uint64_t m_feeds = 0;   // bit i: a line feed not yet handed out at m_scanned - kChunk + i
    bool m_eof = false;
    bool m_readFailed = false;
    std::string m_failureReason;
    std::string m_cutLine;  // the kept start of the last line that was too long
    LineFilter m_ofNoInterest = nullptr;
    system::FileIdentity m_identity;
};

}  // namespace murkwell
