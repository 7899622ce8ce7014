#include "run/DataText.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "run/AvailableMemory.h"
#include "run/RunError.h"

namespace varneska {

namespace {

// Closes the descriptor on every way out of ReadDataText.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) noexcept : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const noexcept { return m_fd; }

private:
    int m_fd;
};

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder part of a composed path; a doubled separator before the name still names that folder.
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    const auto end = path.find_last_not_of('/', slash);
    return end == std::string::npos ? std::string("/") : path.substr(0, end + 1);
}

[[noreturn]] void ThrowOpenError(int error, const std::string& path) {
    if (error == ENOENT && IsFolder(FolderOf(path))) {
        // Telling a missing file from a missing folder lets the user see which part to fix.
        throw RunError(RunError::Code::FileNotFound, path);
    }
    throw RunError::FromErrno(error, path);
}

// Texts below this size are taken without asking how much memory is left: reading the system's
// figures costs more than such a text.
constexpr std::size_t kCheckMemoryFrom = std::size_t{16} << 20;

}  // namespace

DataText::DataText(std::size_t size) : m_size(size) {
    // Below this a heap block is as fast, and stays visible to the address sanitizer.
    constexpr std::size_t kMapFrom = std::size_t{1} << 20;
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    if (size < kMapFrom) {
        m_bytes = new char[size == 0 ? 1 : size];
        return;
    }
    if (size > SIZE_MAX - kHugePage) {
        throw std::bad_alloc();
    }
    const std::size_t mapped = (size + kHugePage - 1) & ~(kHugePage - 1);
    void* bytes =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (bytes == MAP_FAILED) {
        throw std::bad_alloc();
    }
#ifdef MADV_HUGEPAGE
    ::madvise(bytes, mapped, MADV_HUGEPAGE);  // a hint: without it the text still reads correctly
#endif
    m_bytes = static_cast<char*>(bytes);
    m_mapped = mapped;
}

void DataText::Populate(std::size_t offset, std::size_t size) noexcept {
#ifdef MADV_POPULATE_WRITE
    if (m_mapped != 0) {
        constexpr std::size_t kPage = 4096;
        const std::size_t first = offset & ~(kPage - 1);
        ::madvise(m_bytes + first, offset + size - first, MADV_POPULATE_WRITE);
    }
#else
    static_cast<void>(offset);
    static_cast<void>(size);
#endif
}

DataText::DataText(DataText&& other) noexcept
    : m_bytes(other.m_bytes), m_size(other.m_size), m_mapped(other.m_mapped) {
    other.m_bytes = nullptr;
    other.m_size = 0;
    other.m_mapped = 0;
}

DataText& DataText::operator=(DataText&& other) noexcept {
    if (this != &other) {
        Release();
        m_bytes = other.m_bytes;
        m_size = other.m_size;
        m_mapped = other.m_mapped;
        other.m_bytes = nullptr;
        other.m_size = 0;
        other.m_mapped = 0;
    }
    return *this;
}

DataText::~DataText() {
    Release();
}

void DataText::Release() noexcept {
    if (m_mapped != 0) {
        ::munmap(m_bytes, m_mapped);
    } else {
        delete[] m_bytes;
    }
    m_bytes = nullptr;
}

namespace {

// Reads the file's length bytes into text, piece by piece, or fewer once stop is set.
void ReadPieces(int fd, DataText& text, std::size_t length, const std::string& path,
                const std::atomic<bool>& stop) {
    using Code = RunError::Code;
    std::size_t done = 0;
    while (done < length && !stop.load(std::memory_order_relaxed)) {
        const std::size_t want = std::min(length - done, kReadPiece);
        text.Populate(done, want);
        const ssize_t got = ::read(fd, text.Data() + done, want);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RunError(errno == EISDIR ? Code::PathFileAccess : Code::DeviceIo, path);
        }
        if (got == 0) {
            throw RunError(Code::InputPastEnd, path);
        }
        done += static_cast<std::size_t>(got);
    }
}

// Reads on a worker thread while the calling thread calls whileReading every few milliseconds,
// so the windows stay live however long a read call blocks: a disk throttled or spun down, a
// network share that stalls. What whileReading throws stops the worker after its current piece
// and leaves once it has stopped writing into the text.
void ReadPiecesWhile(int fd, DataText& text, std::size_t length, const std::string& path,
                     const std::function<void()>& whileReading) {
    constexpr auto kCallEvery = std::chrono::milliseconds(2);
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            ReadPieces(fd, text, length, path, stop);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(mutex);
        done = true;
        doneChanged.notify_one();
    });
    try {
        std::unique_lock lock(mutex);
        while (!doneChanged.wait_for(lock, kCallEvery, [&done] { return done; })) {
            lock.unlock();
            whileReading();
            lock.lock();
        }
    } catch (...) {
        stop = true;
        worker.join();
        throw;
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

}  // namespace

DataText ReadDataText(const std::string& path, const std::function<void()>& whileReading) {
    using Code = RunError::Code;
    // Non-blocking, so that a FIFO without a writer or a terminal device cannot stall the window
    // thread; its type is checked on the opened descriptor, so nothing can swap it in between.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        ThrowOpenError(errno, path);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        throw RunError(Code::DeviceIo, path);
    }
    if (!S_ISREG(info.st_mode)) {
        throw RunError(Code::PathFileAccess, path);
    }

    const auto length = static_cast<std::size_t>(info.st_size);
    if (length >= kCheckMemoryFrom) {
        const std::optional<std::uint64_t> available = AvailableMemory();
        if (available && length > *available) {
            throw RunError(Code::OutOfMemory, path);
        }
    }
    DataText text;
    try {
        text = DataText(length);
    } catch (const std::bad_alloc&) {
        throw RunError(Code::OutOfMemory, path);
    }

    if (length > kReadPiece && whileReading) {
        ReadPiecesWhile(file.Get(), text, length, path, whileReading);
    } else {
        const std::atomic<bool> never{false};
        ReadPieces(file.Get(), text, length, path, never);
    }
    return text;
}

}  // namespace varneska
