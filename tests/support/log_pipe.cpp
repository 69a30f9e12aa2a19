#include "log_pipe.h"

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace murkwell::testing {

#ifdef _WIN32
std::string PipePath(const std::string& name) {
    static std::atomic<int> made{0};
    return "\\\\.\\pipe\\murkwell-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++made) +
           "-" + name;
}

LogPipe::LogPipe(const std::filesystem::path& where)
    : m_path(PipePath(where.filename().string())),
      m_pipe(CreateNamedPipeA(m_path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 0, 0,
                              nullptr)) {}

bool LogPipe::Send(std::string_view bytes) {
    if (!m_connected) {
        m_connected = ConnectNamedPipe(m_pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    }
    DWORD written = 0;
    return WriteFile(m_pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

void LogPipe::End() {
    if (m_pipe != nullptr && m_pipe != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(m_pipe);
        CloseHandle(m_pipe);
    }
    m_pipe = nullptr;
}
#else
LogPipe::LogPipe(const std::filesystem::path& where) : m_path(where.string()) { ::mkfifo(where.c_str(), 0600); }

bool LogPipe::Send(std::string_view bytes) {
    if (m_fd < 0) {
        m_fd = ::open(m_path.c_str(), O_WRONLY);
    }
    return ::write(m_fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

void LogPipe::End() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
#endif

}  // namespace murkwell::testing
