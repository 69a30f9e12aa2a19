#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>

// The engine's only door to the operating system's files. Everything the
// engine asks of the system goes through these few calls, so that a port to
// another system is one file (system_file_posix.cpp, system_file_windows.cpp).
// Paths are UTF-8 and descriptors are binary: no byte is ever translated.
// A call that fails returns -1 or false; LastError() then gives the system's
// error code (an errno value) and ErrorText() what the system says about it.
namespace murkwell::system {

// What tells two paths apart as files: the same pair means the same file,
// however it was reached (links, "..", another spelling). Where the system
// gives a pipe or a device no identity it stays empty, and an empty one is
// never taken for the same file as anything.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;

    bool Known() const { return volume != 0 || file != 0; }
    friend bool operator==(const FileIdentity& a, const FileIdentity& b) {
        return a.Known() && a.volume == b.volume && a.file == b.file;
    }
};

struct FileStatus {
    bool isDirectory = false;
    bool isRegular = false;           // a plain file on a disk: not a device, pipe or socket
    std::uint64_t size = 0;
    std::uint64_t linkCount = 1;      // names the file has in the file system (hard links)
    std::uint32_t permissions = 0;    // who may read and write it, as the system keeps it
    FileIdentity identity;
};

int LastError();
std::string ErrorText(int error);
// The codes for what the engine finds out by itself: memory that ran out, a
// directory where a file should be.
int OutOfMemoryError();
int IsADirectoryError();

// Opens for reading; the descriptor is not inherited by children. Opening a
// named pipe waits for its writer, as a reader of a log expects.
int OpenForReading(const std::string& path);
// Opens for reading without ever waiting, for a file that is only looked at.
int OpenForReadingNow(const std::string& path);
// Creates the file, or empties an existing one, and opens it for writing.
// Must never wait: a named pipe without a reader fails at once.
int OpenForWritingInPlace(const std::string& path);
// Creates a new file of a name of its own in the folder of `path`, for
// writing, as a file created under `path` would be (same permissions for a
// new file). Its name goes to `created`.
int CreateBeside(const std::string& path, std::string& created);
int Close(int fd);

// Copies of the process's standard input and output, closed with Close()
// like any other without touching the standard streams themselves.
int DuplicateStandardInput();
int DuplicateStandardOutput();

bool StatusOf(int fd, FileStatus& status);
bool StatusOfStandardOutput(FileStatus& status);
// Follows links to the file they name.
bool StatusOfPath(const std::string& path, FileStatus& status);
// The path of the file that `path` finally names when it is a symbolic link,
// otherwise `path` itself (also when nothing exists there). Fails for a link
// that leads nowhere.
bool FinalPath(const std::string& path, std::string& final);

// Whether this process may write to the existing file, as its permissions say.
bool MayWrite(const std::string& path);
// Gives the open file the permissions of another one.
bool SetPermissions(int fd, std::uint32_t permissions);
// Returns once the file's bytes are on the disk, not only in the system's cache.
bool FlushToDisk(int fd);
// Puts the file `from` in the place of `to` in one step: whoever opens `to`
// finds either the old file whole or the new one whole, never a mix or nothing.
bool ReplaceFile(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);

// Processors this process may run on, at least 1: fewer than the machine has
// when it is pinned to some (taskset, a container's CPU set, an affinity mask).
unsigned UsableProcessors();
// Portable fallback for UsableProcessors() on a system that cannot tell which
// processors a process may use: all those of the machine.
inline unsigned ProcessorsOfTheMachine() {
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? count : 1;
}

// Tells the system the file will be read from start to end once.
void AdviseSequential(int fd);

// Reads what is there, up to `size` bytes: 0 at the end of the file.
long long ReadSome(int fd, char* buffer, std::size_t size);
// Writes all of `size` bytes, or fails. A pipe whose reader has gone makes it
// fail; it never ends the process.
bool WriteAll(int fd, const char* data, std::size_t size);

}  // namespace murkwell::system
