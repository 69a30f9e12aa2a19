#include "page_file.h"

#include "system_file.h"

namespace murkwell {

PageFile::~PageFile() { Discard(); }

bool PageFile::Create(const std::string& path) {
    Discard();
    system::FileStatus status;
    const bool exists = system::StatusOfPath(path, status);
    std::string target;
    // A link that leads nowhere is followed by the opening, as it always was.
    if ((exists && (!status.isRegular || status.linkCount > 1)) || !system::FinalPath(path, target)) {
        return Opened(system::OpenForWritingInPlace(path));
    }
    // A page made read-only is kept from being replaced, as it was when pages were rewritten in place.
    if (exists && !system::MayWrite(target)) {
        return Opened(-1);
    }
    if (!Opened(system::CreateBeside(target, m_writtenPath))) {
        return false;
    }
    m_pagePath = target;
    if (exists && !system::SetPermissions(m_fd, status.permissions)) {
        Failed();
        Discard();
        return false;
    }
    return true;
}

bool PageFile::CreateOnStandardOutput() {
    Discard();
    return Opened(system::DuplicateStandardOutput());
}

bool PageFile::Opened(int fd) {
    m_fd = fd;
    m_failed = false;
    m_error = 0;
    m_pending.clear();
    if (fd < 0) {
        Failed();
    }
    return fd >= 0;
}

bool PageFile::Close() {
    if (m_fd < 0) {
        return !m_failed;
    }
    Flush();
    // Without this a crash soon after the page is put in place could leave
    // an empty file where both the old page and the new one should be.
    if (!m_writtenPath.empty() && !m_failed && !system::FlushToDisk(m_fd)) {
        Failed();
    }
    if (system::Close(m_fd) != 0) {
        Failed();
    }
    m_fd = -1;
    m_pending = {};
    if (!m_writtenPath.empty() && !m_failed && !system::ReplaceFile(m_writtenPath, m_pagePath)) {
        Failed();
    }
    if (!m_writtenPath.empty() && m_failed) {
        system::RemoveFile(m_writtenPath);
    }
    m_writtenPath.clear();
    return !m_failed;
}

void PageFile::Discard() {
    if (m_fd >= 0) {
        system::Close(m_fd);
        m_fd = -1;
    }
    if (!m_writtenPath.empty()) {
        system::RemoveFile(m_writtenPath);
        m_writtenPath.clear();
    }
    m_pending = {};
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
    if (!m_failed && !system::WriteAll(m_fd, m_pending.data(), m_pending.size())) {
        Failed();
    }
    m_pending.clear();
}

void PageFile::Failed() {
    if (!m_failed) {
        m_failed = true;
        m_error = system::LastError();
    }
}

}  // namespace murkwell
