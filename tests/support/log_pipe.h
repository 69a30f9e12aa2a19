#pragma once

#include <filesystem>
#include <string>

namespace murkwell::testing {

// A named pipe that a run opens as its log by Path() and that the test writes
// into a part at a time, so that it can hold the run in the middle of the log
// for as long as it likes. Windows keeps its pipes apart from the folders,
// under a name of the pipe's own; elsewhere the pipe is `where`.
class LogPipe {
public:
    explicit LogPipe(const std::filesystem::path& where);
    ~LogPipe() { End(); }
    LogPipe(const LogPipe&) = delete;
    LogPipe& operator=(const LogPipe&) = delete;

    const std::string& Path() const { return m_path; }
    // The first call waits until the run has opened the pipe.
    bool Send(std::string_view bytes);
    // The end of the log, as the run reads it.
    void End();

private:
    std::string m_path;
#ifdef _WIN32
    void* m_pipe = nullptr;
    bool m_connected = false;
#else
    int m_fd = -1;
#endif
};

#ifdef _WIN32
// A pipe name of this process's own, which other programs' pipes cannot clash with.
std::string PipePath(const std::string& name);
#endif

}  // namespace murkwell::testing
