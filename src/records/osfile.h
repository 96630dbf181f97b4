#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace records {

// The one place that talks to the operating system's file calls. Every
// record file, journal, settings file and whole-file write goes through it,
// so that a failure anywhere is reported the same way and tests can make any
// call fail on purpose.
class OsFile final
{
public:
    enum class Mode {
        ReadWrite,      // open an existing file or create it empty
        ReadOnly,       // open an existing file
        CreateExclusive // create a new file, failing when one exists
    };

    OsFile() = default;
    ~OsFile();
    OsFile(const OsFile &) = delete;
    OsFile &operator=(const OsFile &) = delete;
    OsFile(OsFile &&other) noexcept;
    OsFile &operator=(OsFile &&other) noexcept;

    // False when the file cannot be opened (missing, not a regular file,
    // no permission).
    bool open(const std::filesystem::path &path, Mode mode);
    bool isOpen() const;

    // Whole lengths or nothing: false on any error or a short transfer.
    bool readAt(std::uint64_t offset, void *data, std::size_t length);
    bool writeAt(std::uint64_t offset, const void *data, std::size_t length);
    // Reads up to `length` bytes; the number read, or -1 on an error.
    std::int64_t readSome(std::uint64_t offset, void *data, std::size_t length);
    bool size(std::uint64_t &bytes) const;
    bool truncate(std::uint64_t bytes);
    // Flushes the file's data and size to the disk.
    bool sync();
    // Exclusive advisory lock for as long as the file stays open; waits up
    // to `waitMs` for another holder. False when it could not be had.
    bool lockExclusive(int waitMs);
    // Closes, reporting a failure of the close itself.
    bool close();

private:
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

// Renames `from` over `to`, replacing it.
bool renameReplacing(const std::filesystem::path &from, const std::filesystem::path &to);
// Makes the names in `folder` (a rename, a new file) survive a power cut.
bool syncFolder(const std::filesystem::path &folder);
// Removes a file; true when it is gone.
bool removeFile(const std::filesystem::path &path);
// True while the process with this id runs.
bool processAlive(unsigned long pid);
unsigned long currentProcessId();

// Test seam: makes the file layer fail on purpose. A disarmed seam costs one
// relaxed atomic read per call.
namespace faults {
enum class Op { Open, Read, Write, Sync, Truncate, Close, Rename, Lock, Count };
// The `nth` next call of kind `op` (1 = the very next) fails, once.
void failNth(Op op, int nth = 1);
// Every call of kind `op` fails until clear().
void failAlways(Op op);
void clear();
// Consulted by the file layer.
bool shouldFail(Op op);
// While one exists on this thread, nothing fails on purpose.
struct Suspend {
    Suspend();
    ~Suspend();
    Suspend(const Suspend &) = delete;
    Suspend &operator=(const Suspend &) = delete;
};
} // namespace faults

} // namespace records
