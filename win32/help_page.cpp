#include "help_page.h"

#include <shellapi.h>

#include <string>

#include "message_box.h"
#include "murkwell/windows_text.h"
#include "res/strings.h"
#include "resource_ids.h"

namespace murkwell {

namespace {

// On failure the system's error code is left for the caller.
bool WritePage(const std::wstring& path, const void* bytes, DWORD size) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    if (!WriteFile(file, bytes, size, &written, nullptr) || written != size) {
        const DWORD error = GetLastError();
        CloseHandle(file);
        SetLastError(error);
        return false;
    }
    return CloseHandle(file) != 0;
}

void ReportFailure(HWND owner, const std::wstring& path, DWORD error) {
    ShowMessageBox(owner, std::string(res::kHelpPageFailed) + "\n\n" + Utf8FromWide(path) + ": " +
                              SystemErrorText(error));
}

}  // namespace

void OpenHelpPage(HINSTANCE instance, HWND owner) {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD folderLength = GetTempPathW(MAX_PATH + 1, folder);
    const std::wstring path = std::wstring(folder, folderLength <= MAX_PATH ? folderLength : 0) + L"Murkwell Help.html";

    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(MURKWELL_HELP_PAGE), RT_RCDATA);
    const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        ReportFailure(owner, path, GetLastError());
        return;
    }
    if (!WritePage(path, bytes, SizeofResource(instance, resource))) {
        ReportFailure(owner, path, GetLastError());
        return;
    }
    // ShellExecute reports failure as a value of 32 or less.
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) {
        ReportFailure(owner, path, GetLastError());
    }
}

}  // namespace murkwell
