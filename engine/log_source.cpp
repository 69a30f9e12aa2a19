#include "log_source.h"

#include <algorithm>
#include <cstring>

#include "system_file.h"

namespace murkwell {

namespace {

using namespace std::string_view_literals;

struct Magic {
    Compression kind;
    std::string_view bytes;
};

// What each compressor writes first. bzip2's "BZh" is followed by the block size digit.
constexpr Magic kMagics[] = {
    {Compression::Gzip, "\x1f\x8b"sv},
    {Compression::Bzip2, "BZh"sv},
    {Compression::Xz, "\xfd" "7zXZ\0"sv},
    {Compression::Zstd, "\x28\xb5\x2f\xfd"sv},
};
static_assert(std::ranges::all_of(kMagics, [](const Magic& magic) {
    return magic.bytes.size() <= kCompressionMagicSize;
}));

}  // namespace

long long FileSource::Read(char* buffer, std::size_t size) {
    if (m_headGiven < m_head.size()) {
        const std::size_t given = std::min(size, m_head.size() - m_headGiven);
        std::memcpy(buffer, m_head.data() + m_headGiven, given);
        m_headGiven += given;
        return static_cast<long long>(given);
    }
    const long long got = system::ReadSome(m_fd, buffer, size);
    if (got < 0) {
        return Fail(system::ErrorText(system::LastError()));
    }
    return got;
}

Compression CompressionOf(std::string_view head) {
    for (const Magic& magic : kMagics) {
        if (head.starts_with(magic.bytes)) {
            return magic.kind;
        }
    }
    return Compression::None;
}

}  // namespace murkwell
