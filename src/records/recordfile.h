#pragma once

#include "records/osfile.h"
#include "records/record.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

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
//
// Writes are atomic without any change to the file's layout: before a record
// is written, what it replaces (the old record, or the old length for an
// append) goes into a small undo journal beside the file ("<file>.journal")
// and is flushed; the journal is emptied once the record itself is on the
// disk. A write cut short by a kill, a power cut or an error is undone from
// the journal, at once or at the next opening, so a record is always all old
// or all new and a retry after a reported error writes it once. Programs that
// read only the record file see it as before.
class RecordFile final
{
public:
    RecordFile(const std::filesystem::path &path, std::size_t recordLength);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Whole records only: a trailing partial record is not counted.
    std::size_t count() const { return static_cast<std::size_t>(m_size / m_recordLength); }
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
    // Tests only: without the lock two writers can lose each other's records,
    // which is what a test that must detect such a loss needs to see.
    static void setLockingForTests(bool on);

    // Flushes written data to the disk, empties the journal, releases the
    // lock and closes; errors of the flush and the journal are thrown, after
    // undoing the write, so that no success is reported for data that did not
    // land, and no failure for data that did.
    void close();

    // The journal that belongs to a record file.
    static std::filesystem::path journalPath(const std::filesystem::path &file);

private:
    [[noreturn]] void fail(const std::string &what) const;
    void recover();
    void commit();
    // Puts back what the pending write replaced; false when that failed too
    // (the journal then stays for the next opening).
    bool undoPending();
    bool clearJournal();
    bool openJournal();

    std::filesystem::path m_path;
    std::size_t m_recordLength;
    std::uint64_t m_size = 0;
    std::size_t m_index = 0;
    OsFile m_file;
    OsFile m_journal;

    // The write not yet on the disk: where it went and what it replaced.
    struct Pending {
        bool active = false;
        bool append = false;
        std::uint64_t offset = 0;
        std::uint64_t oldSize = 0;
        std::vector<std::uint8_t> old;
    };
    Pending m_pending;
};

} // namespace records
