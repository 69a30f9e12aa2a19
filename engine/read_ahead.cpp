#include "read_ahead.h"

#include <new>

#include "system_file.h"

namespace murkwell {

ReadAhead::ReadAhead(LogSource& source, bool onOwnThread)
    : m_source(source), m_blockSize(onOwnThread ? kLargeBlock : kSmallBlock) {
    if (!onOwnThread) {
        return;
    }
    // All the storage the thread will ever need, so that it never allocates.
    for (Block& slot : m_slots) {
        slot.storage.resize(kFrontRoom + m_blockSize);
    }
    m_thread = std::thread(&ReadAhead::ReadUntilTheEnd, this);
}

ReadAhead::~ReadAhead() {
    if (!m_thread.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_sleep);
        m_stopping = true;
    }
    m_woken.notify_all();
    m_thread.join();
}

ReadAhead::Block ReadAhead::Take() {
    if (!m_thread.joinable()) {
        if (m_ended) {
            return {{}, 0, m_endFailed};
        }
        Block block = ReadBlock(std::move(m_spare));
        m_ended = block.size == 0;
        m_endFailed = block.failed;
        return block;
    }
    if (m_filled == m_taken) {
        std::unique_lock lock(m_sleep);
        m_readerSleeps = true;
        m_woken.wait(lock, [this] { return m_filled - m_taken >= kSlots / 2 || m_threadDone; });
        m_readerSleeps = false;
    }
    Block& slot = m_slots[m_taken % kSlots];
    if (slot.size == 0) {
        return {{}, 0, slot.failed};  // the end stays in its slot for later calls
    }
    ++m_taken;
    return {std::move(slot.storage), slot.size, false};
}

void ReadAhead::GiveBack(std::vector<char> storage) {
    if (storage.size() != kFrontRoom + m_blockSize) {
        storage = std::vector<char>(kFrontRoom + m_blockSize);  // frees a buffer grown for a long line
    }
    if (!m_thread.joinable()) {
        m_spare = std::move(storage);
        return;
    }
    m_slots[(m_taken - 1) % kSlots].storage = std::move(storage);
    m_emptied = m_taken;
    if (m_threadSleeps && m_filled - m_taken <= kSlots / 2) {
        Wake();
    }
}

// The lock, taken and left at once, makes sure that the side going to sleep
// has either seen the change or is asleep to be woken. Waking it outside the
// lock spares it waking only to wait for the lock.
void ReadAhead::Wake() {
    { const std::lock_guard lock(m_sleep); }
    m_woken.notify_all();
}

std::string ReadAhead::FailureReason() const {
    return m_outOfMemory ? system::ErrorText(system::OutOfMemoryError()) : m_source.FailureReason();
}

void ReadAhead::ReadUntilTheEnd() {
    for (std::uint32_t next = 0;; ++next) {
        if (next - m_emptied == kSlots) {
            std::unique_lock lock(m_sleep);
            m_threadSleeps = true;
            m_woken.wait(lock, [this, next] { return m_stopping || next - m_emptied <= kSlots / 2; });
            m_threadSleeps = false;
        }
        if (m_stopping) {
            return;
        }
        Block& slot = m_slots[next % kSlots];
        // Memory that runs out on this thread ends the log as a failed read;
        // an exception left to escape would end the whole program.
        try {
            slot = ReadBlock(std::move(slot.storage));
        } catch (const std::bad_alloc&) {
            m_outOfMemory = true;
            slot = {{}, 0, true};
        }
        const bool last = slot.size == 0;
        m_filled = next + 1;
        m_threadDone = last;
        if (m_readerSleeps && (last || next + 1 - m_emptied >= kSlots / 2)) {
            Wake();
        }
        if (last) {
            return;
        }
    }
}

ReadAhead::Block ReadAhead::ReadBlock(std::vector<char> storage) {
    if (storage.empty()) {
        storage.resize(kFrontRoom + m_blockSize);
    }
    const long long got = m_source.Read(storage.data() + kFrontRoom, m_blockSize);
    if (got < 0) {
        return {{}, 0, true};
    }
    return {std::move(storage), static_cast<std::size_t>(got), false};
}

}  // namespace murkwell
