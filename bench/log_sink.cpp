#include "log_sink.h"

namespace murkwell::bench {

namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
}

void LogSink::Line(int seconds, std::string_view text) {
    char stamp[16];
    const int length = std::snprintf(stamp, sizeof stamp, "%3d:%02d ", seconds / 60, seconds % 60);
    m_pending.append(stamp, static_cast<std::size_t>(length));
    m_pending.append(text);
    m_pending.push_back('\n');
    if (m_pending.size() >= kBlockSize) {
        Flush();
    }
}

void LogSink::Flush() {
    if (!m_pending.empty() && std::fwrite(m_pending.data(), 1, m_pending.size(), m_out) != m_pending.size()) {
        m_failed = true;
    }
    m_flushed += m_pending.size();
    m_pending.clear();
}

// splitmix64: tiny, fast and the same on every platform, unlike the
// standard library's distributions.
std::uint64_t Random::Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace murkwell::bench
