#include "system_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include "murkwell/windows_text.h"

// Files are opened through the wide-character calls, which reach every name
// whatever the system's code page, in binary mode (text mode would turn each
// CR LF of the page into CR CR LF and stop reading at a 0x1A byte), and not
// inherited by programs the process starts.
namespace murkwell::system {

namespace {

// The few system errors a caller might tell apart; any other is an I/O error.
struct ErrorMapping {
    DWORD system;
    int posix;
};
constexpr ErrorMapping kErrors[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT}, {ERROR_PATH_NOT_FOUND, ENOENT},   {ERROR_INVALID_NAME, ENOENT},
    {ERROR_ACCESS_DENIED, EACCES},  {ERROR_SHARING_VIOLATION, EACCES}, {ERROR_LOCK_VIOLATION, EACCES},
};

void SetErrnoFromLastError() {
    const DWORD error = GetLastError();
    errno = EIO;
    for (const ErrorMapping& mapping : kErrors) {
        if (mapping.system == error) {
            errno = mapping.posix;
        }
    }
}

// A name that is not UTF-8 names no file; opening it must not reach another one.
bool ToSystemPath(const std::string& path, std::wstring& wide) {
    wide = WideFromUtf8(path);
    if (wide.empty()) {
        errno = ENOENT;
        return false;
    }
    return true;
}

// stat() on Windows leaves the inode number 0, so a file's identity is the
// volume's serial number with the file's index on it. Pipes and devices have
// none: they keep the empty identity, which is never taken for another file's.
bool StatusOfHandle(HANDLE handle, FileStatus& status) {
    status = {};
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) {
        SetErrnoFromLastError();
        return false;
    }
    status.isDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.isRegular = !status.isDirectory;
    status.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    status.identity = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

// One call reads or writes at most this much: the C library counts in unsigned int.
constexpr std::size_t kLargestTransfer = INT_MAX;

}  // namespace

int OpenForReading(const std::string& path) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return -1;
    }
    return ::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int CreateForWriting(const std::string& path) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return -1;
    }
    return ::_wopen(wide.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
}

int Close(int fd) { return ::_close(fd); }

bool StatusOf(int fd, FileStatus& status) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    return StatusOfHandle(handle, status);
}

// Opened for no access at all, which any other program's sharing allows, and
// with backup semantics, without which a folder cannot be opened.
bool StatusOfPath(const std::string& path, FileStatus& status) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return false;
    }
    const HANDLE handle = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        return false;
    }
    const bool known = StatusOfHandle(handle, status);
    CloseHandle(handle);
    return known;
}

// Windows takes this hint only when the file is opened, and its cache reads
// ahead on a file read from start to end anyway.
void AdviseSequential(int) {}

long long ReadSome(int fd, char* buffer, std::size_t size) {
    const auto count = static_cast<unsigned>(size < kLargestTransfer ? size : kLargestTransfer);
    return ::_read(fd, buffer, count);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const auto count = static_cast<unsigned>(size < kLargestTransfer ? size : kLargestTransfer);
        const int put = ::_write(fd, data, count);
        if (put <= 0) {
            return false;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

}  // namespace murkwell::system
