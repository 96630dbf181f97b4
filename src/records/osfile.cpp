#include "records/osfile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace records {

namespace faults {

namespace {
constexpr std::size_t kOps = static_cast<std::size_t>(Op::Count);
// Per kind: 0 disarmed, n > 0 the n-th next call fails, -1 every call fails.
std::array<std::atomic<int>, kOps> g_countdown{};
std::atomic<bool> g_armed{false};
} // namespace

void failNth(Op op, int nth)
{
    g_countdown[static_cast<std::size_t>(op)].store(nth < 1 ? 1 : nth);
    g_armed.store(true);
}

void failAlways(Op op)
{
    g_countdown[static_cast<std::size_t>(op)].store(-1);
    g_armed.store(true);
}

void clear()
{
    for (auto &c : g_countdown)
        c.store(0);
    g_armed.store(false);
}

thread_local int g_suspended = 0;

Suspend::Suspend() { ++g_suspended; }
Suspend::~Suspend() { --g_suspended; }

bool shouldFail(Op op)
{
    if (!g_armed.load(std::memory_order_relaxed) || g_suspended > 0)
        return false;
    auto &c = g_countdown[static_cast<std::size_t>(op)];
    int value = c.load();
    while (value > 0) {
        if (c.compare_exchange_weak(value, value - 1))
            return value == 1;
    }
    return value < 0;
}

} // namespace faults

namespace {
constexpr auto kLockRetry = std::chrono::milliseconds(20);
} // namespace

OsFile::OsFile(OsFile &&other) noexcept { *this = std::move(other); }

OsFile &OsFile::operator=(OsFile &&other) noexcept
{
    if (this != &other) {
        close();
#ifdef _WIN32
        m_handle = other.m_handle;
        other.m_handle = nullptr;
#else
        m_fd = other.m_fd;
        other.m_fd = -1;
#endif
    }
    return *this;
}

OsFile::~OsFile()
{
    // Nobody hears a failure here: a close that must be checked is an
    // explicit close(), and only that one can be made to fail on purpose.
    if (isOpen()) {
        faults::Suspend quiet;
        close();
    }
}

#ifdef _WIN32

namespace {
OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED ov = {};
    ov.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return ov;
}
} // namespace

bool OsFile::open(const std::filesystem::path &path, Mode mode)
{
    close();
    if (faults::shouldFail(faults::Op::Open))
        return false;
    const DWORD access = mode == Mode::ReadOnly ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE);
    const DWORD disposition = mode == Mode::ReadWrite         ? OPEN_ALWAYS
                              : mode == Mode::CreateExclusive ? CREATE_NEW
                                                              : OPEN_EXISTING;
    HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    m_handle = h;
    return true;
}

bool OsFile::isOpen() const { return m_handle != nullptr; }

bool OsFile::readAt(std::uint64_t offset, void *data, std::size_t length)
{
    return readSome(offset, data, length) == static_cast<std::int64_t>(length);
}

std::int64_t OsFile::readSome(std::uint64_t offset, void *data, std::size_t length)
{
    if (!m_handle || faults::shouldFail(faults::Op::Read))
        return -1;
    auto *out = static_cast<char *>(data);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED ov = at(offset + done);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(static_cast<HANDLE>(m_handle), out + done, chunk, &got, &ov))
            return GetLastError() == ERROR_HANDLE_EOF ? static_cast<std::int64_t>(done) : -1;
        if (got == 0)
            break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

bool OsFile::writeAt(std::uint64_t offset, const void *data, std::size_t length)
{
    if (!m_handle || faults::shouldFail(faults::Op::Write))
        return false;
    const auto *in = static_cast<const char *>(data);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED ov = at(offset + done);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - done, 1u << 30));
        DWORD put = 0;
        if (!WriteFile(static_cast<HANDLE>(m_handle), in + done, chunk, &put, &ov) || put == 0)
            return false;
        done += put;
    }
    return true;
}

bool OsFile::size(std::uint64_t &bytes) const
{
    LARGE_INTEGER s;
    if (!m_handle || !GetFileSizeEx(static_cast<HANDLE>(m_handle), &s))
        return false;
    bytes = static_cast<std::uint64_t>(s.QuadPart);
    return true;
}

bool OsFile::truncate(std::uint64_t bytes)
{
    if (!m_handle || faults::shouldFail(faults::Op::Truncate))
        return false;
    FILE_END_OF_FILE_INFO info;
    info.EndOfFile.QuadPart = static_cast<LONGLONG>(bytes);
    return SetFileInformationByHandle(static_cast<HANDLE>(m_handle), FileEndOfFileInfo, &info, sizeof info);
}

bool OsFile::sync()
{
    if (!m_handle || faults::shouldFail(faults::Op::Sync))
        return false;
    return FlushFileBuffers(static_cast<HANDLE>(m_handle));
}

bool OsFile::lockExclusive(int waitMs)
{
    if (!m_handle || faults::shouldFail(faults::Op::Lock))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        OVERLAPPED ov = {};
        if (LockFileEx(static_cast<HANDLE>(m_handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                       MAXDWORD, &ov))
            return true;
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kLockRetry);
    }
}

bool OsFile::close()
{
    if (!m_handle)
        return true;
    HANDLE h = static_cast<HANDLE>(m_handle);
    m_handle = nullptr;
    const bool closed = CloseHandle(h);
    return closed && !faults::shouldFail(faults::Op::Close);
}

bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (faults::shouldFail(faults::Op::Rename))
        return false;
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// A rename with MOVEFILE_WRITE_THROUGH is already on the disk.
bool syncFolder(const std::filesystem::path &) { return !faults::shouldFail(faults::Op::Sync); }

bool removeFile(const std::filesystem::path &path)
{
    return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool processAlive(unsigned long pid)
{
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return running;
}

unsigned long currentProcessId() { return GetCurrentProcessId(); }

#else

bool OsFile::open(const std::filesystem::path &path, Mode mode)
{
    close();
    if (faults::shouldFail(faults::Op::Open))
        return false;
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::ReadWrite:
        flags |= O_RDWR | O_CREAT;
        break;
    case Mode::ReadOnly:
        flags |= O_RDONLY;
        break;
    case Mode::CreateExclusive:
        flags |= O_RDWR | O_CREAT | O_EXCL;
        break;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat st {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool OsFile::isOpen() const { return m_fd >= 0; }

bool OsFile::readAt(std::uint64_t offset, void *data, std::size_t length)
{
    return readSome(offset, data, length) == static_cast<std::int64_t>(length);
}

std::int64_t OsFile::readSome(std::uint64_t offset, void *data, std::size_t length)
{
    if (m_fd < 0 || faults::shouldFail(faults::Op::Read))
        return -1;
    auto *out = static_cast<char *>(data);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

bool OsFile::writeAt(std::uint64_t offset, const void *data, std::size_t length)
{
    if (m_fd < 0 || faults::shouldFail(faults::Op::Write))
        return false;
    const auto *in = static_cast<const char *>(data);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(m_fd, in + done, length - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool OsFile::size(std::uint64_t &bytes) const
{
    struct stat st {
    };
    if (m_fd < 0 || ::fstat(m_fd, &st) != 0)
        return false;
    bytes = static_cast<std::uint64_t>(st.st_size);
    return true;
}

bool OsFile::truncate(std::uint64_t bytes)
{
    if (m_fd < 0 || faults::shouldFail(faults::Op::Truncate))
        return false;
    int result;
    do {
        result = ::ftruncate(m_fd, static_cast<off_t>(bytes));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool OsFile::sync()
{
    if (m_fd < 0 || faults::shouldFail(faults::Op::Sync))
        return false;
    return ::fsync(m_fd) == 0;
}

bool OsFile::lockExclusive(int waitMs)
{
    if (m_fd < 0 || faults::shouldFail(faults::Op::Lock))
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kLockRetry);
    }
    return true;
}

bool OsFile::close()
{
    if (m_fd < 0)
        return true;
    const int fd = m_fd;
    m_fd = -1;
    // Closing also releases the lock. A close interrupted by a signal has
    // still closed the descriptor on Linux: it must not be retried.
    const bool closed = ::close(fd) == 0 || errno == EINTR;
    return closed && !faults::shouldFail(faults::Op::Close);
}

bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (faults::shouldFail(faults::Op::Rename))
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool syncFolder(const std::filesystem::path &folder)
{
    if (faults::shouldFail(faults::Op::Sync))
        return false;
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    const int fd = ::open(where.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool removeFile(const std::filesystem::path &path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool processAlive(unsigned long pid)
{
    if (pid == 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

unsigned long currentProcessId() { return static_cast<unsigned long>(::getpid()); }

#endif

} // namespace records
