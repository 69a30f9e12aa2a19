#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "log_source.h"

namespace murkwell {

// Reads a log a block ahead of its reader, on a thread of its own, so that
// copying a large log out of the system's cache, or decompressing it,
// overlaps with scanning it. Without a thread of its own it reads on the
// caller's thread, as it must for pipes and devices, where a read may wait as
// long as the writer likes.
class ReadAhead {
public:
    // A large log is read in large blocks on the thread; a small one, or a
    // pipe, in small blocks that cost little to set up.
    static constexpr std::size_t kLargeBlock = std::size_t{1} << 20;
    static constexpr std::size_t kSmallBlock = std::size_t{64} << 10;
    // Room in front of every block's bytes, where the reader can put the
    // unfinished line of the block before without moving the block.
    static constexpr std::size_t kFrontRoom = std::size_t{64} << 10;

    struct Block {
        std::vector<char> storage;  // the bytes read start at kFrontRoom
        std::size_t size = 0;       // 0 at the end of the file and after a failed read
        bool failed = false;
    };

    ReadAhead(LogSource& source, bool large);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block of the file, in order. Once a block of size 0 has come,
    // every later call returns the same.
    Block Take();
    // Hands back the storage of a block taken earlier, for a later block.
    void GiveBack(std::vector<char> storage);

    std::size_t BlockSize() const { return m_blockSize; }
    // Why the log could not be read further, once a failed block has come.
    std::string FailureReason() const;

private:
    void ReadOnOwnThread();
    void ReadUntilTheEnd();
    Block ReadBlock(std::vector<char> storage);
    std::vector<char> FreeStorage();

    LogSource& m_source;
    const std::size_t m_blockSize;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_ready;
    std::vector<std::vector<char>> m_free;
    bool m_stopping = false;
    bool m_outOfMemory = false;  // on the thread: the log ends there, as a failed read
    std::thread m_thread;
};

}  // namespace murkwell
