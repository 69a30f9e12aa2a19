#include "file_chooser.h"

#include <commdlg.h>

#include <vector>

#include "murkwell/windows_text.h"
#include "res/strings.h"

namespace murkwell {

const FileChooser kLogChooser = {res::kLogFilesFilter, L"*.log", L"log", 0};
const FileChooser kHtmlChooser = {res::kHtmlFilesFilter, L"*.html", L"html", OFN_CREATEPROMPT | OFN_OVERWRITEPROMPT};

namespace {

// Room for the longest path Windows takes, so that no choice is cut short.
constexpr std::size_t kPathCharacters = 32768;

// Pairs of a description and its pattern, each ending with a zero, and one more zero at the end.
std::wstring Filter(const FileChooser& chooser) {
    std::wstring filter = WideFromUtf8(chooser.filterName);
    filter += L'\0';
    filter += chooser.pattern;
    filter += L'\0';
    filter += WideFromUtf8(res::kWindowsAllFilesFilter);
    filter += L'\0';
    filter += L"*.*";
    filter += L'\0';
    return filter;
}

}  // namespace

std::optional<std::string> ChooseFile(HWND owner, const FileChooser& chooser, const std::string& initialName) {
    std::vector<wchar_t> path(kPathCharacters, L'\0');
    const std::wstring initial = WideFromUtf8(initialName);
    if (initial.size() < path.size()) {
        initial.copy(path.data(), initial.size());
    }
    const std::wstring filter = Filter(chooser);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = chooser.defaultExtension;
    dialog.Flags = chooser.flags;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return Utf8FromWide(path.data());
}

}  // namespace murkwell
