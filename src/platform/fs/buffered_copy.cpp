// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/buffered_copy.h"

#include "platform/fs/span_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <functional>
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace trimvox {

namespace {

// Page-aligned memory of its own, given back to the system when the copy ends (a heap block of this size
// could be left unused and another taken for the next copy).
class CopyMemory {
public:
    explicit CopyMemory(std::int64_t size) : size_(static_cast<std::size_t>(size)) {
        void* memory = ::mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        data_ = memory == MAP_FAILED ? nullptr : static_cast<char*>(memory);
    }
    ~CopyMemory() {
        if (data_ != nullptr) {
            ::munmap(data_, size_);
        }
    }
    CopyMemory(const CopyMemory&) = delete;
    CopyMemory& operator=(const CopyMemory&) = delete;

    char* data() const { return data_; }

private:
    std::size_t size_;
    char* data_ = nullptr;
};

// The copy in chunks of kCopyBufferSize bytes: chunk i holds the bytes from offset + i * kCopyBufferSize.
// A reading thread reads chunks ahead into the ring of kCopyBufferCount - 1 buffers; the writing thread
// writes them in order. The writer never waits for the reader: a chunk that the reader has not claimed yet,
// or is still reading, the writer reads itself into a buffer of its own. So the copy runs at least about as
// fast as one thread alone when the reader gets no processor (a busy machine), and overlaps reading and
// writing when it does. Without a reading thread, the writer reads every chunk itself.
class ReadAhead {
public:
    ReadAhead(int source, std::int64_t offset, std::int64_t count, char* const* buffers)
        : source_(source), offset_(offset), count_(count),
          chunks_((count + kCopyBufferSize - 1) / kCopyBufferSize), ring_(buffers), own_(buffers[kRing]) {
        for (auto& ready : ready_) {
            ready.store(-1, std::memory_order_relaxed);
        }
    }

    // The reading thread. It reads chunk i into ring buffer i % kRing once the writer is done with chunk
    // i - kRing, which that buffer held, and sleeps while it is that far ahead.
    void Read() {
        for (;;) {
            if (stop_.load(std::memory_order_acquire)) {
                return;
            }
            std::int64_t chunk = next_.load(std::memory_order_acquire);
            if (chunk >= chunks_) {
                return;
            }
            const std::int64_t written = written_.load(std::memory_order_acquire);
            if (chunk >= written + kRing) {
                written_.wait(written, std::memory_order_acquire);
                continue;
            }
            if (!next_.compare_exchange_strong(chunk, chunk + 1, std::memory_order_acq_rel)) {
                continue; // the writer took it
            }
            const int slot = static_cast<int>(chunk % kRing);
            filled_[slot] = ReadChunk(chunk, ring_[slot]);
            ready_[slot].store(chunk, std::memory_order_release);
            if (filled_[slot] <= 0) {
                return; // the source ends here, or cannot be read: the writer finds out at this chunk
            }
        }
    }

    // The writing thread: writes the chunks in order until the count, the source's end or a failure.
    void Write(int target, CopyOutcome& outcome) {
        for (std::int64_t chunk = 0; chunk < chunks_; ++chunk) {
            const int slot = static_cast<int>(chunk % kRing);
            std::int64_t unclaimed = chunk;
            const char* data = own_;
            std::int64_t filled = 0;
            if (!next_.compare_exchange_strong(unclaimed, chunk + 1, std::memory_order_acq_rel) &&
                ready_[slot].load(std::memory_order_acquire) == chunk) {
                data = ring_[slot];
                filled = filled_[slot];
            } else {
                filled = ReadChunk(chunk, own_); // not claimed by the reader, or still being read
            }
            if (filled < 0) {
                outcome.readError = static_cast<int>(-filled);
                break;
            }
            if (filled == 0) {
                break;
            }
            if (const int error = WriteSpan(target, data, static_cast<std::size_t>(filled)); error != 0) {
                outcome.writeError = error;
                break;
            }
            outcome.copied += filled;
            written_.store(chunk + 1, std::memory_order_release);
            written_.notify_one();
            if (filled < ChunkSize(chunk)) {
                break; // the source ended within this chunk
            }
        }
        stop_.store(true, std::memory_order_release);
        written_.fetch_add(1, std::memory_order_acq_rel); // wakes a reader that waits for the writer
        written_.notify_one();
    }

private:
    static constexpr int kRing = kCopyBufferCount - 1;

    std::int64_t ChunkSize(std::int64_t chunk) const {
        return std::min(kCopyBufferSize, count_ - chunk * kCopyBufferSize);
    }

    std::int64_t ReadChunk(std::int64_t chunk, char* into) const {
        return ReadSpan(source_, into, static_cast<std::size_t>(ChunkSize(chunk)),
                        offset_ + chunk * kCopyBufferSize);
    }

    const int source_;
    const std::int64_t offset_;
    const std::int64_t count_;
    const std::int64_t chunks_;
    char* const* const ring_;
    char* const own_;
    std::atomic<std::int64_t> next_{0};      // the first chunk that neither thread has claimed
    std::atomic<std::int64_t> written_{0};   // the chunks written
    std::atomic<std::int64_t> ready_[kRing]; // the chunk whose bytes ring buffer i holds, read to the end
    std::int64_t filled_[kRing] = {};        // bytes read into ring buffer i, or -errno; published by ready_
    std::atomic<bool> stop_{false};
};

// Starts `work` on a new thread that blocks every signal, so that signals meant for the process (an
// interruption of the command-line cut, say) go on reaching the thread that started the copy.
std::thread StartQuietThread(std::function<void()> work) {
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
    std::thread thread;
    try {
        thread = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // no thread to be had: the caller copies alone
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
}

// Whether this thread may run on two processors or more: only then can the reader and the writer run at
// once, and a lone processor would spend its time in the busy wait.
bool TwoProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    return ::sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) >= 2;
}

} // namespace

std::int64_t CopyBufferStart(std::int64_t sourceOffset, std::int64_t targetPosition, std::int64_t page) {
    constexpr std::int64_t kCacheLine = 64;
    const auto modPage = [page](std::int64_t value) { return ((value % page) + page) % page; };
    // With the bytes at targetPosition + shift, the source-to-buffer copy stores (shift - lag) after where it
    // loads and the buffer-to-target copy stores -shift after; both are kept far from 0 by taking the
    // middle of the longer arc of the page between 0 and lag.
    const std::int64_t lag = modPage(sourceOffset - targetPosition);
    std::int64_t shift = lag <= page / 2 ? (lag + page) / 2 : lag / 2;
    shift -= shift % kCacheLine;
    return modPage(targetPosition + shift);
}

void CopyThroughBuffers(int source, std::int64_t offset, std::int64_t count, int target,
                        CopyOutcome& outcome) {
    if (count <= 0) {
        return;
    }
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    const std::int64_t page = pageSize > 0 ? pageSize : 4096;
    const std::int64_t stride = (kCopyBufferSize + page - 1) / page * page;
    const CopyMemory memory(stride * kCopyBufferCount + page);
    if (memory.data() == nullptr) {
        outcome.writeError = ENOMEM;
        return;
    }
    const off_t position = ::lseek(target, 0, SEEK_CUR);
    const std::int64_t start = CopyBufferStart(offset, std::max<off_t>(position, 0), page);
    char* buffers[kCopyBufferCount];
    for (int i = 0; i < kCopyBufferCount; ++i) {
        buffers[i] = memory.data() + i * stride + start;
    }
    ReadAhead copy(source, offset, count, buffers);
    std::thread reader;
    if (count > 2 * kCopyBufferSize && TwoProcessors()) {
        reader = StartQuietThread([&copy] { copy.Read(); });
    }
    copy.Write(target, outcome); // with no reader, it reads every chunk itself
    if (reader.joinable()) {
        reader.join();
    }
}

} // namespace trimvox
