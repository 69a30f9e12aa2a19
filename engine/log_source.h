#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace murkwell {

// Where the bytes of a log come from: the file as it is, or what a compressed
// file holds. Read on one thread at a time, the read-ahead thread or the
// reader's own.
class LogSource {
public:
    LogSource() = default;
    LogSource(const LogSource&) = delete;
    LogSource& operator=(const LogSource&) = delete;
    virtual ~LogSource() = default;

    // Up to `size` bytes: fewer whenever that is what there is, 0 at the end
    // of the log, -1 when it cannot be read (FailureReason() then says why).
    virtual long long Read(char* buffer, std::size_t size) = 0;

    const std::string& FailureReason() const { return m_failureReason; }

protected:
    long long Fail(std::string reason) {
        m_failureReason = std::move(reason);
        return -1;
    }

private:
    std::string m_failureReason;
};

// An open file read as it is. `head` holds the bytes already read from its
// start to tell what it is; they come first. The descriptor stays the caller's.
class FileSource final : public LogSource {
public:
    FileSource(int fd, std::string head) : m_fd(fd), m_head(std::move(head)) {}

    long long Read(char* buffer, std::size_t size) override;

private:
    const int m_fd;
    std::string m_head;
    std::size_t m_headGiven = 0;
};

enum class Compression { None, Gzip, Bzip2, Xz, Zstd };

// The longest start of a file that CompressionOf needs to see.
inline constexpr std::size_t kCompressionMagicSize = 6;

// A log is known as compressed by its first bytes, whatever its name.
Compression CompressionOf(std::string_view head);

// The uncompressed bytes of `compressed`. A build without the libraries for
// compressed logs gives a source whose first read fails, saying so.
std::unique_ptr<LogSource> Decompressed(std::unique_ptr<LogSource> compressed, Compression kind);

}  // namespace murkwell
