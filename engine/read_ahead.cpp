#include "read_ahead.h"

#include <new>

#include "system_file.h"

namespace murkwell {

namespace {
// Blocks that may be read before the reader has taken them.
constexpr int kBlocksAhead = 2;
}

ReadAhead::ReadAhead(LogSource& source, bool large) : m_source(source), m_blockSize(large ? kLargeBlock : kSmallBlock) {
    if (!large) {
        return;
    }
    for (int i = 0; i < kBlocksAhead; ++i) {
        m_free.emplace_back(kFrontRoom + m_blockSize);
    }
    m_thread = std::thread(&ReadAhead::ReadOnOwnThread, this);
}

ReadAhead::~ReadAhead() {
    if (!m_thread.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

ReadAhead::Block ReadAhead::Take() {
    if (!m_thread.joinable()) {
        if (!m_ready.empty()) {
            return {{}, 0, m_ready.front().failed};
        }
        Block block = ReadBlock(FreeStorage());
        if (block.size == 0) {
            m_ready.push_back({{}, 0, block.failed});
        }
        return block;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_outOfMemory; });
    if (m_ready.empty()) {
        return {{}, 0, true};
    }
    if (m_ready.front().size == 0) {
        return {{}, 0, m_ready.front().failed};  // the end stays in the queue for later calls
    }
    Block block = std::move(m_ready.front());
    m_ready.pop_front();
    lock.unlock();
    m_changed.notify_all();
    return block;
}

void ReadAhead::GiveBack(std::vector<char> storage) {
    if (storage.empty()) {
        return;
    }
    if (storage.size() != kFrontRoom + m_blockSize) {
        storage = std::vector<char>(kFrontRoom + m_blockSize);  // frees a buffer grown for a long line
    }
    {
        const std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(storage));
    }
    m_changed.notify_all();
}

std::vector<char> ReadAhead::FreeStorage() {
    if (m_free.empty()) {
        return std::vector<char>(kFrontRoom + m_blockSize);
    }
    std::vector<char> storage = std::move(m_free.back());
    m_free.pop_back();
    return storage;
}

std::string ReadAhead::FailureReason() const {
    return m_outOfMemory ? system::ErrorText(system::OutOfMemoryError()) : m_source.FailureReason();
}

// Memory that runs out on this thread ends the log as a failed read; an
// exception left to escape would end the whole program.
void ReadAhead::ReadOnOwnThread() {
    try {
        ReadUntilTheEnd();
    } catch (const std::bad_alloc&) {
        {
            const std::lock_guard lock(m_mutex);
            m_outOfMemory = true;
        }
        m_changed.notify_all();
    }
}

void ReadAhead::ReadUntilTheEnd() {
    for (;;) {
        std::vector<char> storage;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || !m_free.empty(); });
            if (m_stopping) {
                return;
            }
            storage = FreeStorage();
        }
        Block block = ReadBlock(std::move(storage));
        const bool last = block.size == 0;
        {
            const std::lock_guard lock(m_mutex);
            m_ready.push_back(std::move(block));
        }
        m_changed.notify_all();
        if (last) {
            return;
        }
    }
}

ReadAhead::Block ReadAhead::ReadBlock(std::vector<char> storage) {
    const long long got = m_source.Read(storage.data() + kFrontRoom, m_blockSize);
    if (got < 0) {
        return {{}, 0, true};
    }
    return {std::move(storage), static_cast<std::size_t>(got), false};
}

}  // namespace murkwell
