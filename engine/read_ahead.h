#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "log_source.h"

namespace murkwell {

// Reads a log a few blocks ahead of its reader, on a thread of its own, so
// that copying a large log out of the system's cache, or decompressing it,
// overlaps with scanning it. Without a thread of its own it reads on the
// caller's thread, as it must for pipes and devices, where a read may wait as
// long as the writer likes.
class ReadAhead {
public:
    // On the thread, a few large blocks at a time; on the reader's own
    // thread, a block small enough to be still in the processor's cache when
    // it is scanned right after being read.
    static constexpr std::size_t kLargeBlock = std::size_t{512} << 10;
    static constexpr std::size_t kSmallBlock = std::size_t{128} << 10;
    // Room in front of every block's bytes, where the reader can put the
    // unfinished line of the block before without moving the block.
    static constexpr std::size_t kFrontRoom = std::size_t{64} << 10;

    struct Block {
        std::vector<char> storage;  // the bytes read start at kFrontRoom
        std::size_t size = 0;       // 0 at the end of the file and after a failed read
        bool failed = false;
    };

    ReadAhead(LogSource& source, bool onOwnThread);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block of the file, in order. Once a block of size 0 has come,
    // every later call returns the same.
    Block Take();
    // Hands back the storage of the block taken last, before the next Take.
    void GiveBack(std::vector<char> storage);

    std::size_t BlockSize() const { return m_blockSize; }
    // Why the log could not be read further, once a failed block has come.
    std::string FailureReason() const;

private:
    // Blocks that may be read before the reader has taken them.
    static constexpr std::uint32_t kSlots = 8;

    void ReadUntilTheEnd();
    void Wake();
    Block ReadBlock(std::vector<char> storage);

    LogSource& m_source;
    const std::size_t m_blockSize;
    // The thread fills the slots in turn and the reader empties them in the
    // same order; the two counts tell each side which slots it may touch, so
    // that a block changes hands without a lock. The lock is only for
    // sleeping: the reader when the ring is empty, until half of it is
    // filled or the log has ended; the thread when it is full, until half of
    // it is free again. So the two wake each other once a half ring, not
    // once a block, even when they take turns on one processor.
    std::array<Block, kSlots> m_slots;
    std::atomic<std::uint32_t> m_filled{0};   // slots the thread has filled, ever
    std::atomic<std::uint32_t> m_emptied{0};  // slots the reader has handed back, ever
    std::uint32_t m_taken = 0;                // slots the reader has taken, ever
    std::mutex m_sleep;
    std::condition_variable m_woken;
    std::atomic<bool> m_threadSleeps{false};
    std::atomic<bool> m_readerSleeps{false};
    std::atomic<bool> m_threadDone{false};    // the thread has filled its last slot
    std::atomic<bool> m_stopping{false};
    bool m_outOfMemory = false;  // on the thread: the log ends there, as a failed read
    // Without the thread: whether the log has ended and how, and the storage handed back.
    bool m_ended = false;
    bool m_endFailed = false;
    std::vector<char> m_spare;
    std::thread m_thread;
};

}  // namespace murkwell
