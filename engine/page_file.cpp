#include "page_file.h"

#include "system_file.h"

namespace murkwell {

PageFile::~PageFile() { Close(); }

bool PageFile::Create(const std::string& path) {
    Close();
    m_fd = system::CreateForWriting(path);
    m_writeFailed = false;
    m_pending.clear();
    return m_fd >= 0;
}

bool PageFile::Close() {
    if (m_fd < 0) {
        return !m_writeFailed;
    }
    Flush();
    if (system::Close(m_fd) != 0) {
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
    if (!m_writeFailed && !system::WriteAll(m_fd, m_pending.data(), m_pending.size())) {
        m_writeFailed = true;
    }
    m_pending.clear();
}

}  // namespace murkwell
