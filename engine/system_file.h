#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The engine's only door to the operating system's files. Everything the
// engine asks of the system goes through these few calls, so that a port to
// another system is one file (system_file_posix.cpp, system_file_windows.cpp).
// Paths are UTF-8. A call that fails returns -1 or false with errno set.
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
    bool isRegular = false;
    std::uint64_t size = 0;
    FileIdentity identity;
};

// Opens for reading in binary mode; the descriptor is not inherited by children.
int OpenForReading(const std::string& path);
// Creates the file, or empties an existing one, for writing in binary mode.
int CreateForWriting(const std::string& path);
int Close(int fd);

bool StatusOf(int fd, FileStatus& status);
// Follows links to the file they name.
bool StatusOfPath(const std::string& path, FileStatus& status);

// Tells the system the file will be read from start to end once.
void AdviseSequential(int fd);

// Reads what is there, up to `size` bytes: 0 at the end of the file.
long long ReadSome(int fd, char* buffer, std::size_t size);
// Writes all of `size` bytes, or fails.
bool WriteAll(int fd, const char* data, std::size_t size);

}  // namespace murkwell::system
