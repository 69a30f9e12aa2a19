#include "page_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace murkwell {

PageFile::~PageFile() { Close(); }

bool PageFile::Create(const std::string& path) {
    Close();
    m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    m_writeFailed = false;
    m_pending.clear();
    return m_fd >= 0;
}

bool PageFile::Close() {
    if (m_fd < 0) {
        return !m_writeFailed;
    }
    Flush();
    if (::close(m_fd) != 0) {
        m_writeFailed = true;
    }
    m_fd = -1;
    m_pending = {};
    return !m_writeFailed;
}

void PageFile::WriteEscaped(std::string_view text) {
    std::size_t plainFrom = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
            case '&': entity = "&amp;"; break;
            case '<': entity = "&lt;"; break;
            case '>': entity = "&gt;"; break;
            case '"': entity = "&quot;"; break;
            default: continue;
        }
        Write(text.substr(plainFrom, i - plainFrom));
        Write(entity);
        plainFrom = i + 1;
    }
    Write(text.substr(plainFrom));
}

void PageFile::Flush() {
    std::size_t done = 0;
    while (!m_writeFailed && done < m_pending.size()) {
        const ssize_t put = ::write(m_fd, m_pending.data() + done, m_pending.size() - done);
        if (put > 0) {
            done += static_cast<std::size_t>(put);
        } else if (put < 0 && errno == EINTR) {
            continue;
        } else {
            m_writeFailed = true;
        }
    }
    m_pending.clear();
}

}  // namespace murkwell
