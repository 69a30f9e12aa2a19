// murkwell-stopwatch: runs one command with its output read and thrown away,
// and prints its wall-clock time, its processor time in user space and in the
// system, in seconds, and its peak resident memory in KiB, as
// "WALL USER SYS KIB". Exits with the command's own exit status.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

double Now() {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("Usage: murkwell-stopwatch COMMAND [ARGUMENT...]\n", stderr);
        return 2;
    }
    // A pipe, not /dev/null: grep stops at the first match when it sees that
    // nobody reads its output, which would make it look a hundred times faster.
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        std::perror("murkwell-stopwatch: pipe");
        return 127;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);

    const double started = Now();
    pid_t child = 0;
    const int spawnError = ::posix_spawnp(&child, argv[1], &actions, nullptr, argv + 1, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawnError != 0) {
        std::fprintf(stderr, "murkwell-stopwatch: cannot run %s: %s\n", argv[1], std::strerror(spawnError));
        return 127;
    }
    char discarded[65536];
    for (;;) {
        const ssize_t got = ::read(output[0], discarded, sizeof discarded);
        if (got == 0 || (got < 0 && errno != EINTR)) {
            break;
        }
    }
    ::close(output[0]);
    int status = 0;
    rusage usage {};
    while (::wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("murkwell-stopwatch: wait4");
            return 127;
        }
    }
    const double elapsed = Now() - started;

    // ru_maxrss is in KiB on Linux, and wait4 reports it for this one child.
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
    };
    std::printf("%.6f %.6f %.6f %ld\n", elapsed, seconds(usage.ru_utime), seconds(usage.ru_stime), usage.ru_maxrss);
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
