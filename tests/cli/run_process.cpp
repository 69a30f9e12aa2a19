#include "run_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

extern char** environ;

namespace murkwell::testing {

namespace fs = std::filesystem;

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const fs::path& folder, const std::string& outPath, const std::string& inPath) {
    const ScratchFolder captures;
    const std::string out = outPath.empty() ? captures.Path("out").string() : outPath;
    const std::string err = captures.Path("err").string();
    const std::string in = inPath.empty() ? "/dev/null" : inPath;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0 || waitpid(child, &status, 0) != child) {
        throw std::runtime_error("cannot run " + program);
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, outPath.empty() ? ReadBytes(out) : "", ReadBytes(err)};
}

HeldLocked::HeldLocked(const fs::path& path) : m_path(path) { fs::permissions(path, fs::perms::none); }

HeldLocked::~HeldLocked() { fs::permissions(m_path, fs::perms::owner_read | fs::perms::owner_write); }

bool HeldLocked::Holds() { return geteuid() != 0; }

}  // namespace murkwell::testing
