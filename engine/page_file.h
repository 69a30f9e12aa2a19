#pragma once

#include <string>
#include <string_view>

namespace murkwell {

// The HTML page being written. Output is gathered in a large buffer and
// written in blocks; the first failure is remembered so that a full disk is
// reported instead of a half-written page passing as success.
//
// A page in a plain file is written under a name of its own beside it and
// put in its place only once all of it is written, so that a failed or
// killed run leaves the previous page as it was, and a visitor (or a second
// run at the same time) never sees half a page. What stands in the page's
// place otherwise keeps what users rely on: the replacement gets the old
// page's permissions, a symbolic link keeps pointing at the page, and a page
// with several hard links, a device or a pipe is written in place.
class PageFile {
public:
    PageFile() = default;
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    ~PageFile();

    bool Create(const std::string& path);
    bool CreateOnStandardOutput();
    // Writes out and closes the page, and puts it in place; false if
    // anything failed, and then the previous page is still there.
    bool Close();
    // Ends a page that must not replace the previous one.
    void Discard();

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

    bool WriteFailed() const { return m_failed; }
    // The system's code for the first thing that failed.
    int Error() const { return m_error; }

private:
    static constexpr std::size_t kFlushThreshold = std::size_t{1} << 20;

    bool Opened(int fd);
    void Flush();
    void Failed();

    int m_fd = -1;
    std::string m_pending;
    bool m_failed = false;
    int m_error = 0;
    std::string m_writtenPath;  // the file written beside the page, when it is to be put in place
    std::string m_pagePath;     // where it goes
};

}  // namespace murkwell
