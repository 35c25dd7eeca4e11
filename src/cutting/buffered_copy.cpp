#include "cutting/buffered_copy.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
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

// Writes all of `size` bytes, resuming after partial writes and interruptions; the errno, or 0.
int WriteAll(int target, const char* data, std::int64_t size) {
    while (size > 0) {
        const ssize_t written = ::write(target, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        data += written;
        size -= written;
    }
    return 0;
}

// Reads up to `size` bytes at `offset`, resuming after interruptions: the bytes read (0 at the source's
// end), or -errno.
std::int64_t ReadAt(int source, char* data, std::int64_t size, std::int64_t offset) {
    for (;;) {
        const ssize_t got = ::pread(source, data, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            return -errno;
        }
    }
}

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

struct Buffer {
    char* data = nullptr;
    std::int64_t filled = 0; // bytes read into it; 0 at the source's end, -errno after a failed read
};

// A count of buffers handed from one thread to the other; each side of a copy takes from one count and gives
// to the other. A taker that finds none waits busily for a while before it sleeps: a buffer comes every few
// tens of microseconds, and waking a sleeping thread (on a virtual machine, its idle processor) can take
// longer than that; with sleeping alone, long copies ran at a third of their speed on the development
// machine.
class HandOff {
public:
    explicit HandOff(int count) : count_(count) {}

    void Take() {
        const auto since = std::chrono::steady_clock::now();
        for (int spins = 1;; ++spins) {
            if (count_.load(std::memory_order_acquire) > 0) {
                count_.fetch_sub(1, std::memory_order_acq_rel);
                return;
            }
            if (spins % 64 != 0) {
                Pause();
            } else if (std::chrono::steady_clock::now() - since > kBusyWait) {
                count_.wait(0, std::memory_order_acquire);
            }
        }
    }

    void Give() {
        count_.fetch_add(1, std::memory_order_acq_rel);
        count_.notify_one();
    }

private:
    static constexpr std::chrono::microseconds kBusyWait{200};

    static void Pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    std::atomic<int> count_; // only one thread takes from each count
};

// Hands buffers between the reading thread and the writing one: `empty` counts the buffers the reader may
// fill, `full` the ones the writer may write, in the order they were filled.
class CopyPipeline {
public:
    CopyPipeline(int source, std::int64_t offset, std::int64_t count, Buffer* buffers)
        : source_(source), offset_(offset), count_(count), buffers_(buffers) {}

    // The reading thread.
    void Read() {
        std::int64_t position = 0;
        for (int next = 0; position < count_; next = (next + 1) % kCopyBufferCount) {
            empty_.Take();
            if (stop_.load(std::memory_order_acquire)) {
                return;
            }
            Buffer& buffer = buffers_[next];
            buffer.filled = ReadAt(source_, buffer.data, std::min(count_ - position, kCopyBufferSize),
                                   offset_ + position);
            full_.Give();
            if (buffer.filled <= 0) {
                return;
            }
            position += buffer.filled;
        }
    }

    // The writing thread: writes what the reader filled until the count, the source's end or a failure.
    void Write(int target, CopyOutcome& outcome) {
        std::int64_t written = 0;
        for (int next = 0; written < count_; next = (next + 1) % kCopyBufferCount) {
            full_.Take();
            const Buffer& buffer = buffers_[next];
            if (buffer.filled < 0) {
                outcome.readError = static_cast<int>(-buffer.filled);
                break;
            }
            if (buffer.filled == 0) {
                break;
            }
            if (const int error = WriteAll(target, buffer.data, buffer.filled); error != 0) {
                outcome.writeError = error;
                break;
            }
            written += buffer.filled;
            outcome.copied += buffer.filled;
            empty_.Give();
        }
        // A reader waiting for an empty buffer wakes, sees the stop and ends.
        stop_.store(true, std::memory_order_release);
        empty_.Give();
    }

private:
    const int source_;
    const std::int64_t offset_;
    const std::int64_t count_;
    Buffer* const buffers_;
    HandOff empty_{kCopyBufferCount};
    HandOff full_{0};
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

void CopyAlone(int source, std::int64_t offset, std::int64_t count, int target, const Buffer& buffer,
               CopyOutcome& outcome) {
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t got =
            ReadAt(source, buffer.data, std::min(count - done, kCopyBufferSize), offset + done);
        if (got < 0) {
            outcome.readError = static_cast<int>(-got);
            return;
        }
        if (got == 0) {
            return;
        }
        if (const int error = WriteAll(target, buffer.data, got); error != 0) {
            outcome.writeError = error;
            return;
        }
        done += got;
        outcome.copied += got;
    }
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
    Buffer buffers[kCopyBufferCount];
    for (int i = 0; i < kCopyBufferCount; ++i) {
        buffers[i].data = memory.data() + i * stride + start;
    }
    if (count <= 2 * kCopyBufferSize || !TwoProcessors()) {
        CopyAlone(source, offset, count, target, buffers[0], outcome);
        return;
    }
    CopyPipeline pipeline(source, offset, count, buffers);
    std::thread reader = StartQuietThread([&pipeline] { pipeline.Read(); });
    if (!reader.joinable()) {
        CopyAlone(source, offset, count, target, buffers[0], outcome);
        return;
    }
    pipeline.Write(target, outcome);
    reader.join();
}

} // namespace trimvox
