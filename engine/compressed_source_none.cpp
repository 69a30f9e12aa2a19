// For builds without the compression libraries: a compressed log is reported
// as unreadable, with the reason, rather than read as the bytes it is.

#include "log_source.h"

namespace murkwell {

namespace {

class UnsupportedSource final : public LogSource {
public:
    long long Read(char*, std::size_t) override { return Fail("this build reads only uncompressed logs"); }
};

}  // namespace

std::unique_ptr<LogSource> Decompressed(std::unique_ptr<LogSource> compressed, Compression kind) {
    if (kind == Compression::None) {
        return compressed;
    }
    return std::make_unique<UnsupportedSource>();
}

}  // namespace murkwell
