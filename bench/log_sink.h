#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace murkwell::bench {

// The generated log: lines gathered in a large buffer and written in blocks,
// each stamped with the game clock the way the server stamps them (" 9:58").
class LogSink {
public:
    explicit LogSink(std::FILE* out) : m_out(out) {}
    LogSink(const LogSink&) = delete;
    LogSink& operator=(const LogSink&) = delete;
    ~LogSink() { Flush(); }

    void Line(int seconds, std::string_view text);
    void Flush();

    std::uint64_t BytesWritten() const { return m_flushed + m_pending.size(); }
    bool Failed() const { return m_failed; }

private:
    std::FILE* m_out;
    std::string m_pending;
    std::uint64_t m_flushed = 0;
    bool m_failed = false;
};

// A fixed-seed generator, so that every run of the benchmark reads the same log.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t Next();
    // Uniform in [low, high].
    int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1)); }
    // True with the given chance in percent.
    bool Percent(int chance) { return Between(1, 100) <= chance; }
    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N]) { return items[Next() % N]; }

private:
    std::uint64_t m_state;
};

}  // namespace murkwell::bench
