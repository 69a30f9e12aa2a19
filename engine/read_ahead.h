#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace murkwell {

// Reads a file a block ahead of its reader, on a thread of its own, so that
// copying a large log out of the system's cache overlaps with scanning it.
// Without a thread of its own it reads on the caller's thread, as it must for
// pipes and devices, where a read may wait as long as the writer likes.
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

    ReadAhead(int fd, bool large);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next block of the file, in order. Once a block of size 0 has come,
    // every later call returns the same.
    Block Take();
    // Hands back the storage of a block taken earlier, for a later block.
    void GiveBack(std::vector<char> storage);

    std::size_t BlockSize() const { return m_blockSize; }

private:
    void ReadOnOwnThread();
    Block ReadBlock(std::vector<char> storage) const;
    std::vector<char> FreeStorage();

    const int m_fd;
    const std::size_t m_blockSize;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Block> m_ready;
    std::vector<std::vector<char>> m_free;
    bool m_stopping = false;
    std::thread m_thread;
};

}  // namespace murkwell
