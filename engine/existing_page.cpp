#include "existing_page.h"

#include <string_view>

#include "system_file.h"
#include "text_scan.h"

namespace murkwell {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kUtf8Mark = "\xef\xbb\xbf"sv;
constexpr std::string_view kUtf16Marks[] = {"\xff\xfe"sv, "\xfe\xff"sv};

// Follows the page's first bytes, a piece at a time, to the first one that tells.
class PageStart {
public:
    enum Verdict { kUndecided, kHtml, kOther };

    Verdict Take(std::string_view bytes) {
        if (m_atStart) {
            m_atStart = false;
            bytes = WithoutMark(bytes);
        }
        for (const char c : bytes) {
            // In UTF-16 every character of the ASCII range has a NUL byte beside it.
            if (IsSpace(c) || (m_wide && c == '\0')) {
                continue;
            }
            return c == '<' ? kHtml : kOther;
        }
        return kUndecided;
    }

private:
    std::string_view WithoutMark(std::string_view bytes) {
        if (bytes.starts_with(kUtf8Mark)) {
            return bytes.substr(kUtf8Mark.size());
        }
        for (const std::string_view mark : kUtf16Marks) {
            if (bytes.starts_with(mark)) {
                m_wide = true;
                return bytes.substr(mark.size());
            }
        }
        return bytes;
    }

    bool m_atStart = true;
    bool m_wide = false;
};

}  // namespace

ExistingPage CheckExistingPage(const std::string& path, int& error) {
    system::FileStatus status;
    if (!system::StatusOfPath(path, status) || !status.isRegular || status.size == 0) {
        return ExistingPage::Replaceable;
    }
    const int fd = system::OpenForReadingNow(path);
    if (fd < 0) {
        error = system::LastError();
        return ExistingPage::Unreadable;
    }
    PageStart start;
    PageStart::Verdict verdict = PageStart::kUndecided;
    char bytes[4096];
    long long got = 0;
    while (verdict == PageStart::kUndecided && (got = system::ReadSome(fd, bytes, sizeof bytes)) > 0) {
        verdict = start.Take(std::string_view(bytes, static_cast<std::size_t>(got)));
    }
    error = system::LastError();
    system::Close(fd);
    if (got < 0) {
        return ExistingPage::Unreadable;
    }
    return verdict == PageStart::kOther ? ExistingPage::NotHtml : ExistingPage::Replaceable;
}

}  // namespace murkwell
