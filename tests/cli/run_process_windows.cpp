#include "run_process.h"

#include <windows.h>

#include <stdexcept>

#include "murkwell/windows_text.h"

namespace murkwell::testing {

namespace fs = std::filesystem;

namespace {

// Quoted so that the child's CommandLineToArgvW gives back the very argument:
// backslashes count only before a double quote.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(character == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += character;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE Inheritable(const fs::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A console program's text ends its lines with CR LF here; the tests compare lines.
std::string WithLineFeeds(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
    return text;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const fs::path& folder, const std::string& outPath, const std::string& inPath) {
    const ScratchFolder captures;
    const fs::path out = outPath.empty() ? captures.Path("out") : fs::path(WideFromUtf8(outPath));
    const fs::path err = captures.Path("err");
    std::wstring commandLine = Quoted(WideFromUtf8(program));
    for (const std::string& argument : arguments) {
        commandLine += L" " + Quoted(WideFromUtf8(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(inPath.empty() ? fs::path(L"NUL") : fs::path(WideFromUtf8(inPath)), GENERIC_READ,
                                    OPEN_EXISTING);
    startup.hStdOutput = Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION child{};
    const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &child);
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(handle);
    }
    DWORD status = 0;
    if (!started || WaitForSingleObject(child.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child.hProcess, &status)) {
        throw std::runtime_error("cannot run " + program);
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return {static_cast<int>(status), outPath.empty() ? WithLineFeeds(ReadBytes(out)) : "",
            WithLineFeeds(ReadBytes(err))};
}

HeldLocked::HeldLocked(const fs::path& path)
    : m_handle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldLocked::~HeldLocked() { CloseHandle(m_handle); }

bool HeldLocked::Holds() { return true; }

}  // namespace murkwell::testing
