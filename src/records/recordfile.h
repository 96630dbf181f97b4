#pragma once

#include "records/record.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace records {

class RecordFileError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A file of fixed-length records, open only for the length of one user
// action. Opening never truncates: a missing file is created empty, an
// existing one that cannot be opened for reading and writing is an error.
// While open, the file holds an exclusive advisory lock so that two running
// copies of the program never append at the same position.
class RecordFile final
{
public:
    RecordFile(const std::filesystem::path &path, std::size_t recordLength);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Whole records only: a trailing partial record is not counted.
    std::size_t count() const { return m_size / m_recordLength; }
    std::size_t index() const { return m_index; }
    std::size_t recordLength() const { return m_recordLength; }

    // 0-based; index == count() is the end of the file, where writes append.
    void seek(std::size_t index);
    void read(Record &record);
    void write(const Record &record);

    // Reads every whole record from the first, in large blocks. `visit` gets
    // the 1-based position and the record; returning false stops the scan.
    void scan(Record &buffer, const std::function<bool(std::size_t, const Record &)> &visit);

    // How long opening waits for another holder of the lock before failing.
    static void setLockWait(std::chrono::milliseconds wait);

    // Flushes written data to the disk, releases the lock and closes; errors
    // are thrown so that no success is reported for data that did not land.
    void close();

private:
    void readAt(std::size_t offset, void *data, std::size_t length);
    void fail(const std::string &what) const;

    std::filesystem::path m_path;
    std::size_t m_recordLength;
    std::size_t m_size = 0;
    std::size_t m_index = 0;
    bool m_dirty = false;
#ifdef _WIN32
    void *m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};

} // namespace records
