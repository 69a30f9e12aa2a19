#pragma once

#include <string>
#include <string_view>

namespace murkwell {

// The HTML page being written. Output is gathered in a large buffer and
// written in blocks; the first failed write is remembered so that a full
// disk is reported instead of a half-written page passing as success.
class PageFile {
public:
    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    ~PageFile();

    // Creates the file, or empties an existing one.
    bool Create(const std::string& path);
    // Flushes and closes; false if any write or the close failed.
    bool Close();

    void Write(std::string_view text) {
        m_pending.append(text);
        if (m_pending.size() >= kFlushThreshold) {
            Flush();
        }
    }
    // Writes a line of the page; every page line ends with CR LF, on every platform.
    void WriteLine(std::string_view text) {
        Write(text);
        Write("\r\n");
    }
    // Writes text with the four characters that carry meaning in HTML spelled as entities.
    void WriteEscaped(std::string_view text);

    bool WriteFailed() const { return m_writeFailed; }

private:
    static constexpr std::size_t kFlushThreshold = std::size_t{1} << 20;

    void Flush();

    int m_fd = -1;
    std::string m_pending;
    bool m_writeFailed = false;
};

}  // namespace murkwell
