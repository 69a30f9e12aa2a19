#include "system_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <windows.h>

#include "murkwell/windows_text.h"

// windows.h names its own ReplaceFileW so; ours is the one meant here.
#undef ReplaceFile

// Files are opened through the wide-character calls, which reach every name
// whatever the system's code page, in binary mode (text mode would turn each
// CR LF of the page into CR CR LF and stop reading at a 0x1A byte), and not
// inherited by programs the process starts. Errors are errno values, so that
// a fault that is the same as on other systems is told in the same words; a
// system error with no such counterpart keeps its own code and text.
namespace murkwell::system {

namespace {

struct ErrorMapping {
    DWORD system;
    int posix;
};
// A file in use by another program is denied to this one, as the C library has it.
constexpr ErrorMapping kErrors[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},   {ERROR_PATH_NOT_FOUND, ENOENT},      {ERROR_INVALID_NAME, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},     {ERROR_INVALID_DRIVE, ENOENT},       {ERROR_BAD_NETPATH, ENOENT},
    {ERROR_BAD_NET_NAME, ENOENT},     {ERROR_ACCESS_DENIED, EACCES},       {ERROR_SHARING_VIOLATION, EACCES},
    {ERROR_LOCK_VIOLATION, EACCES},   {ERROR_WRITE_PROTECT, EROFS},        {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC}, {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},   {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_BROKEN_PIPE, EPIPE},       {ERROR_NO_DATA, EPIPE},              {ERROR_FILE_EXISTS, EEXIST},
    {ERROR_ALREADY_EXISTS, EEXIST},   {ERROR_INVALID_HANDLE, EBADF},       {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG}, {ERROR_CRC, EIO},          {ERROR_READ_FAULT, EIO},
    {ERROR_WRITE_FAULT, EIO},         {ERROR_IO_DEVICE, EIO},
};

// The words the GNU C library has for these; Windows' own C library words
// some of them differently ("Not enough space" for running out of memory).
struct ErrorWords {
    int error;
    const char* text;
};
constexpr ErrorWords kWords[] = {
    {ENOENT, "No such file or directory"}, {EACCES, "Permission denied"},
    {EISDIR, "Is a directory"},            {ENOTDIR, "Not a directory"},
    {ENOSPC, "No space left on device"},   {ENOMEM, "Cannot allocate memory"},
    {EPIPE, "Broken pipe"},                {EEXIST, "File exists"},
    {EBADF, "Bad file descriptor"},        {ENAMETOOLONG, "File name too long"},
    {EIO, "Input/output error"},           {EROFS, "Read-only file system"},
    {EINVAL, "Invalid argument"},          {EMFILE, "Too many open files"},
};

// System errors without an errno counterpart are kept above every errno value.
constexpr int kSystemErrorBase = 1 << 16;

void SetErrnoFrom(DWORD error) {
    for (const ErrorMapping& mapping : kErrors) {
        if (mapping.system == error) {
            errno = mapping.posix;
            return;
        }
    }
    errno = error < kSystemErrorBase ? kSystemErrorBase + static_cast<int>(error) : EIO;
}

void SetErrnoFromLastError() { SetErrnoFrom(GetLastError()); }

// A name that is not UTF-8 names no file; opening it must not reach another one.
bool ToSystemPath(const std::string& path, std::wstring& wide) {
    wide = WideFromUtf8(path);
    if (wide.empty()) {
        errno = ENOENT;
        return false;
    }
    return true;
}

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

// "\\.\pipe\name" and the like name devices and pipes, not files. Even a
// look at one may connect to it as its client, taking the connection away
// from whoever it was meant for, so nothing but opening it for real is done.
bool IsDevicePath(const std::wstring& path) {
    const auto slash = [&](std::size_t at) { return path[at] == L'\\' || path[at] == L'/'; };
    return path.size() >= 4 && slash(0) && slash(1) && path[2] == L'.' && slash(3);
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Shared for reading, writing and deleting, so that a server may go on
// writing its log, and rotate it, while it is read.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

int Open(const std::string& path, DWORD access, DWORD disposition, DWORD fileFlags, int descriptorFlags) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return -1;
    }
    const HANDLE handle = CreateFileW(wide.c_str(), access, kShareAll, nullptr, disposition, fileFlags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file at all; say what it is, as other systems do.
        if (error == ERROR_ACCESS_DENIED && IsFolder(wide)) {
            errno = EISDIR;
        } else {
            SetErrnoFrom(error);
        }
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), descriptorFlags);
    if (fd < 0) {
        CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

// Wine refuses the full information on some handles (a file that a Unix
// shell gave as standard input); what kind of file it is and its size still
// tell how to read it, and it is taken for no other file.
bool StandardStatusOfHandle(HANDLE handle, FileStatus& status) {
    FILE_STANDARD_INFO info;
    if (!GetFileInformationByHandleEx(handle, FileStandardInfo, &info, sizeof info)) {
        SetErrnoFromLastError();
        return false;
    }
    status.isDirectory = info.Directory;
    status.isRegular = !info.Directory;
    status.size = info.EndOfFile.QuadPart > 0 ? static_cast<std::uint64_t>(info.EndOfFile.QuadPart) : 0;
    status.linkCount = info.NumberOfLinks;
    return true;
}

// stat() on Windows leaves the inode number 0, so a file's identity is the
// volume's serial number with the file's index on it. Pipes and devices have
// none: they keep the empty identity, which is never taken for another file's.
// The only permission Windows keeps beside its access lists is the read-only
// attribute, and that is what the permissions carry.
bool StatusOfHandle(HANDLE handle, FileStatus& status) {
    status = {};
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) {
        return StandardStatusOfHandle(handle, status);
    }
    status.isDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    status.isRegular = !status.isDirectory;
    status.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    status.linkCount = info.nNumberOfLinks;
    status.permissions = info.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
    status.identity = {info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
    return true;
}

// The path as GetFinalPathNameByHandle gives it, without the prefix that lifts
// the length limit ("\\?\C:\..." or "\\?\UNC\server\...").
std::wstring WithoutLongPathPrefix(std::wstring path) {
    constexpr std::wstring_view kNetworkPrefix = L"\\\\?\\UNC\\";
    constexpr std::wstring_view kLocalPrefix = L"\\\\?\\";
    if (path.starts_with(kNetworkPrefix)) {
        return L"\\\\" + path.substr(kNetworkPrefix.size());
    }
    return path.starts_with(kLocalPrefix) ? path.substr(kLocalPrefix.size()) : path;
}

// Letters for the unique part of a temporary file's name.
constexpr std::wstring_view kNameLetters = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// Keeps ".NAME.xxxxxx" within the 255 characters a file name may have.
constexpr std::size_t kLongestNamePart = 200;

// Where the file name starts: after the last slash of either kind, or after
// the drive of "C:name".
std::size_t NameStart(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    if (slash != std::wstring::npos) {
        return slash + 1;
    }
    return path.size() >= 2 && path[1] == L':' ? 2 : 0;
}

// How long a reader that holds the page open without letting it be replaced
// (as a web server may while it sends it) is waited for.
constexpr int kReplaceAttempts = 40;
constexpr DWORD kReplacePause = 25;  // milliseconds

bool MayRetryReplacing(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

// One call reads or writes at most this much: the system counts in DWORD.
constexpr std::size_t kLargestTransfer = INT_MAX;

DWORD TransferSize(std::size_t size) { return static_cast<DWORD>(size < kLargestTransfer ? size : kLargestTransfer); }

int DuplicateInBinary(int fd) {
    const int copy = ::_dup(fd);
    if (copy >= 0) {
        ::_setmode(copy, _O_BINARY);
    }
    return copy;
}

}  // namespace

int LastError() { return errno; }

std::string ErrorText(int error) {
    if (error >= kSystemErrorBase) {
        return SystemErrorText(static_cast<DWORD>(error - kSystemErrorBase));
    }
    for (const ErrorWords& words : kWords) {
        if (words.error == error) {
            return words.text;
        }
    }
    return std::strerror(error);
}

int OutOfMemoryError() { return ENOMEM; }

int IsADirectoryError() { return EISDIR; }

// Read from start to end once: the hint to read ahead is given as it is opened.
int OpenForReading(const std::string& path) {
    return Open(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, _O_RDONLY);
}

// Opening never waits on Windows: a named pipe without a server fails at once.
int OpenForReadingNow(const std::string& path) { return OpenForReading(path); }

int OpenForWritingInPlace(const std::string& path) {
    // Emptied once open rather than re-created, so that a file with several
    // names stays one file, and a device is not asked to be truncated.
    const int fd = Open(path, GENERIC_WRITE, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (fd >= 0 && GetFileType(HandleOf(fd)) == FILE_TYPE_DISK && !SetEndOfFile(HandleOf(fd))) {
        SetErrnoFromLastError();
        ::_close(fd);
        return -1;
    }
    return fd;
}

int CreateBeside(const std::string& path, std::string& created) {
    created.clear();
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return -1;
    }
    const std::size_t nameStart = NameStart(wide);
    std::wstring name = wide.substr(nameStart, kLongestNamePart);
    if (!name.empty() && IS_HIGH_SURROGATE(name.back())) {
        name.pop_back();  // half a character names nothing
    }
    const std::wstring stem = wide.substr(0, nameStart) + L"." + name + L".";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring candidate = stem;
        for (int i = 0; i < 6; ++i) {
            candidate += kNameLetters[letter(entropy)];
        }
        const int fd = ::_wopen(candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            created = Utf8FromWide(candidate);
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

int Close(int fd) { return ::_close(fd); }

int DuplicateStandardInput() { return DuplicateInBinary(0); }

int DuplicateStandardOutput() { return DuplicateInBinary(1); }

bool StatusOf(int fd, FileStatus& status) {
    const HANDLE handle = HandleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    return StatusOfHandle(handle, status);
}

bool StatusOfStandardOutput(FileStatus& status) { return StatusOf(1, status); }

// Opened for no access at all, which any other program's sharing allows, and
// with backup semantics, without which a folder cannot be opened.
bool StatusOfPath(const std::string& path, FileStatus& status) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return false;
    }
    if (IsDevicePath(wide)) {
        status = {};
        return true;
    }
    const HANDLE handle =
        CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        return false;
    }
    const bool known = StatusOfHandle(handle, status);
    CloseHandle(handle);
    return known;
}

bool FinalPath(const std::string& path, std::string& final) {
    std::wstring wide;
    const DWORD attributes =
        ToSystemPath(path, wide) && !IsDevicePath(wide) ? GetFileAttributesW(wide.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        final = path;
        return true;
    }
    const HANDLE handle =
        CreateFileW(wide.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();  // a link that leads nowhere
        return false;
    }
    std::wstring resolved(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
    if (length >= resolved.size()) {
        resolved.resize(length);
        length = GetFinalPathNameByHandleW(handle, resolved.data(), static_cast<DWORD>(resolved.size()), 0);
    }
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (length == 0 || length >= resolved.size()) {
        SetErrnoFrom(length == 0 ? error : ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    resolved.resize(length);
    final = Utf8FromWide(WithoutLongPathPrefix(resolved));
    return true;
}

bool MayWrite(const std::string& path) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        SetErrnoFromLastError();
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        errno = EACCES;
        return false;
    }
    return true;
}

bool SetPermissions(int fd, std::uint32_t permissions) {
    if ((permissions & FILE_ATTRIBUTE_READONLY) == 0) {
        return true;
    }
    FILE_BASIC_INFO info{};
    const HANDLE handle = HandleOf(fd);
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof info)) {
        SetErrnoFromLastError();
        return false;
    }
    info.FileAttributes |= FILE_ATTRIBUTE_READONLY;
    if (!SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof info)) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

bool FlushToDisk(int fd) {
    if (!FlushFileBuffers(HandleOf(fd))) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    std::wstring wideFrom;
    std::wstring wideTo;
    if (!ToSystemPath(from, wideFrom) || !ToSystemPath(to, wideTo)) {
        return false;
    }
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        error = GetLastError();
        if (!MayRetryReplacing(error)) {
            break;
        }
        Sleep(kReplacePause);
    }
    SetErrnoFrom(error);
    return false;
}

// A read-only file is not deleted on Windows; ours may have been made one.
bool RemoveFile(const std::string& path) {
    std::wstring wide;
    if (!ToSystemPath(path, wide)) {
        return false;
    }
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileW(wide.c_str())) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

// Windows takes this hint only when the file is opened (OpenForReading).
unsigned UsableProcessors() {
    DWORD_PTR process = 0;
    DWORD_PTR machine = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &machine)) {
        return ProcessorsOfTheMachine();
    }
    unsigned count = 0;
    for (; process != 0; process &= process - 1) {
        ++count;
    }
    return count > 0 ? count : 1;
}

void AdviseSequential(int) {}

long long ReadSome(int fd, char* buffer, std::size_t size) {
    DWORD got = 0;
    if (ReadFile(HandleOf(fd), buffer, TransferSize(size), &got, nullptr)) {
        return got;
    }
    const DWORD error = GetLastError();
    // A pipe whose writer has gone is at its end.
    if (error == ERROR_BROKEN_PIPE) {
        return 0;
    }
    SetErrnoFrom(error);
    return -1;
}

// There is no signal for a pipe without a reader here: the write fails with
// an error, which is mapped to EPIPE.
bool WriteAll(int fd, const char* data, std::size_t size) {
    const HANDLE handle = HandleOf(fd);
    while (size > 0) {
        DWORD put = 0;
        if (!WriteFile(handle, data, TransferSize(size), &put, nullptr)) {
            SetErrnoFromLastError();
            return false;
        }
        if (put == 0) {
            errno = EIO;
            return false;
        }
        data += put;
        size -= put;
    }
    return true;
}

}  // namespace murkwell::system
