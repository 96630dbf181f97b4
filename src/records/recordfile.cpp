#include "records/recordfile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace records {

namespace {
// Another copy of the program holds the lock only for one action; waiting
// this long covers a slow disk without hanging the desk on a stuck peer.
std::chrono::milliseconds g_lockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(20);
constexpr std::size_t kScanBlockBytes = 1 << 20;
} // namespace

void RecordFile::fail(const std::string &what) const { throw RecordFileError(what + ": " + m_path.string()); }

#ifdef _WIN32

RecordFile::RecordFile(const std::filesystem::path &path, std::size_t recordLength)
    : m_path(path), m_recordLength(recordLength)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        fail("cannot open");
    m_handle = h;
    OVERLAPPED ov = {};
    const auto deadline = std::chrono::steady_clock::now() + g_lockWait;
    while (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &ov)) {
        if (std::chrono::steady_clock::now() > deadline) {
            CloseHandle(h);
            m_handle = nullptr;
            fail("locked by another program");
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        m_handle = nullptr;
        fail("cannot size");
    }
    m_size = static_cast<std::size_t>(size.QuadPart);
}

RecordFile::~RecordFile()
{
    if (m_handle)
        CloseHandle(static_cast<HANDLE>(m_handle));
}

void RecordFile::readAt(std::size_t offset, void *data, std::size_t length)
{
    OVERLAPPED ov = {};
    ov.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    ov.OffsetHigh = static_cast<DWORD>(static_cast<unsigned long long>(offset) >> 32);
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(m_handle), data, static_cast<DWORD>(length), &got, &ov) || got != length)
        fail("cannot read");
}

void RecordFile::write(const Record &record)
{
    if (record.bytes().size() != m_recordLength)
        fail("record of the wrong length");
    const std::size_t offset = m_index * m_recordLength;
    OVERLAPPED ov = {};
    ov.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    ov.OffsetHigh = static_cast<DWORD>(static_cast<unsigned long long>(offset) >> 32);
    DWORD put = 0;
    m_dirty = true;
    if (!WriteFile(static_cast<HANDLE>(m_handle), record.bytes().data(), static_cast<DWORD>(m_recordLength), &put, &ov)
        || put != m_recordLength)
        fail("cannot write");
    ++m_index;
    m_size = std::max(m_size, m_index * m_recordLength);
}

void RecordFile::close()
{
    if (!m_handle)
        return;
    HANDLE h = static_cast<HANDLE>(m_handle);
    m_handle = nullptr;
    const bool flushed = !m_dirty || FlushFileBuffers(h);
    const bool closed = CloseHandle(h);
    if (!flushed || !closed)
        fail("cannot flush");
}

#else

RecordFile::RecordFile(const std::filesystem::path &path, std::size_t recordLength)
    : m_path(path), m_recordLength(recordLength)
{
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        fail("cannot open");
    const auto deadline = std::chrono::steady_clock::now() + g_lockWait;
    while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
            ::close(m_fd);
            m_fd = -1;
            fail("locked by another program");
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    struct stat st {
    };
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        fail("not a regular file");
    }
    m_size = static_cast<std::size_t>(st.st_size);
}

RecordFile::~RecordFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void RecordFile::readAt(std::size_t offset, void *data, std::size_t length)
{
    auto *out = static_cast<char *>(data);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            fail("cannot read");
        done += static_cast<std::size_t>(got);
    }
}

void RecordFile::write(const Record &record)
{
    if (record.bytes().size() != m_recordLength)
        fail("record of the wrong length");
    const std::size_t offset = m_index * m_recordLength;
    const auto *data = reinterpret_cast<const char *>(record.bytes().data());
    std::size_t done = 0;
    m_dirty = true;
    while (done < m_recordLength) {
        const ssize_t put = ::pwrite(m_fd, data + done, m_recordLength - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            fail("cannot write");
        done += static_cast<std::size_t>(put);
    }
    ++m_index;
    m_size = std::max(m_size, m_index * m_recordLength);
}

void RecordFile::close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    const bool flushed = !m_dirty || ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0; // also releases the lock
    if (!flushed || !closed)
        fail("cannot flush");
}

#endif

void RecordFile::setLockWait(std::chrono::milliseconds wait) { g_lockWait = wait; }

void RecordFile::seek(std::size_t index)
{
    if (index > count())
        fail("seek past the end");
    m_index = index;
}

void RecordFile::read(Record &record)
{
    if (record.bytes().size() != m_recordLength)
        fail("record of the wrong length");
    if (m_index >= count())
        fail("read past the end");
    readAt(m_index * m_recordLength, record.bytes().data(), m_recordLength);
    ++m_index;
}

void RecordFile::scan(Record &buffer, const std::function<bool(std::size_t, const Record &)> &visit)
{
    if (buffer.bytes().size() != m_recordLength)
        fail("record of the wrong length");
    const std::size_t total = count();
    const std::size_t perBlock = std::max<std::size_t>(1, kScanBlockBytes / m_recordLength);
    std::vector<std::uint8_t> block(std::min(total, perBlock) * m_recordLength);
    std::size_t next = 0;
    while (next < total) {
        const std::size_t n = std::min(perBlock, total - next);
        readAt(next * m_recordLength, block.data(), n * m_recordLength);
        for (std::size_t k = 0; k < n; ++k) {
            std::copy_n(block.data() + k * m_recordLength, m_recordLength, buffer.bytes().data());
            m_index = next + k + 1;
            if (!visit(m_index, buffer))
                return;
        }
        next += n;
    }
}

} // namespace records
