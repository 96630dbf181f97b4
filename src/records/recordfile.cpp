#include "records/recordfile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <system_error>

namespace records {

namespace {

// Another copy of the program holds the lock only for one action; waiting
// this long covers a slow disk without hanging the desk on a stuck peer.
std::chrono::milliseconds g_lockWait = std::chrono::seconds(5);
bool g_locking = true;
constexpr std::size_t kScanBlockBytes = 1 << 20;

// Journal layout, little-endian: magic, kind, record length, offset, old
// size, the old record for an overwrite, and a checksum of all of it.
constexpr std::array<std::uint8_t, 4> kMagic = {'C', 'V', 'J', '1'};
constexpr std::uint8_t kOverwrite = 1;
constexpr std::uint8_t kAppend = 2;
constexpr std::size_t kHeaderBytes = 4 + 4 + 8 + 8 + 8;

void putU64(std::vector<std::uint8_t> &out, std::uint64_t v)
{
    for (int k = 0; k < 8; ++k)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
}

std::uint64_t getU64(const std::uint8_t *p)
{
    std::uint64_t v = 0;
    for (int k = 7; k >= 0; --k)
        v = (v << 8) | p[k];
    return v;
}

std::uint32_t checksum(const std::uint8_t *p, std::size_t n)
{
    // FNV-1a: a torn or stale journal is told from a whole one.
    std::uint32_t h = 2166136261u;
    for (std::size_t k = 0; k < n; ++k) {
        h ^= p[k];
        h *= 16777619u;
    }
    return h;
}

} // namespace

std::filesystem::path RecordFile::journalPath(const std::filesystem::path &file)
{
    std::filesystem::path journal = file;
    journal += ".journal";
    return journal;
}

void RecordFile::fail(const std::string &what) const { throw RecordFileError(what + ": " + m_path.string()); }

void RecordFile::setLockWait(std::chrono::milliseconds wait) { g_lockWait = wait; }

void RecordFile::setLockingForTests(bool on) { g_locking = on; }

RecordFile::RecordFile(const std::filesystem::path &path, std::size_t recordLength)
    : m_path(path), m_recordLength(recordLength)
{
    if (recordLength == 0)
        fail("record length of zero");
    if (!m_file.open(path, OsFile::Mode::ReadWrite))
        fail("cannot open");
    if (g_locking && !m_file.lockExclusive(static_cast<int>(g_lockWait.count())))
        fail("locked by another program");
    recover();
    if (!m_file.size(m_size))
        fail("cannot size");
}

RecordFile::~RecordFile()
{
    // An action that ended by an exception before close() leaves nothing
    // half done.
    if (m_pending.active && undoPending())
        clearJournal();
}

bool RecordFile::openJournal()
{
    if (m_journal.isOpen())
        return true;
    const std::filesystem::path journal = journalPath(m_path);
    std::error_code ec;
    const bool existed = std::filesystem::exists(journal, ec);
    if (!m_journal.open(journal, OsFile::Mode::ReadWrite))
        return false;
    // A journal made now must still be found after a power cut.
    return existed || syncFolder(journal.parent_path());
}

void RecordFile::recover()
{
    std::error_code ec;
    const std::filesystem::path journal = journalPath(m_path);
    if (!std::filesystem::exists(journal, ec))
        return;
    if (!openJournal())
        fail("cannot open the journal");
    std::uint64_t bytes = 0;
    if (!m_journal.size(bytes))
        fail("cannot read the journal");
    if (bytes == 0)
        return;
    std::vector<std::uint8_t> data(
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes, kHeaderBytes + m_recordLength + 4)));
    const std::int64_t got = m_journal.readSome(0, data.data(), data.size());
    if (got < 0)
        fail("cannot read the journal");
    data.resize(static_cast<std::size_t>(got));

    // Only a whole, matching journal is undone: a torn one was cut short
    // before the record file was touched.
    bool whole = data.size() >= kHeaderBytes + 4 && std::equal(kMagic.begin(), kMagic.end(), data.begin());
    std::uint8_t kind = 0;
    std::uint64_t length = 0, offset = 0, oldSize = 0;
    if (whole) {
        kind = data[4];
        length = getU64(&data[8]);
        offset = getU64(&data[16]);
        oldSize = getU64(&data[24]);
        const std::size_t body = kHeaderBytes + (kind == kOverwrite ? m_recordLength : 0);
        whole = (kind == kOverwrite || kind == kAppend) && length == m_recordLength && data.size() == body + 4;
        if (whole) {
            std::uint32_t stored = 0;
            std::memcpy(&stored, &data[body], 4);
            whole = stored == checksum(data.data(), body);
        }
    }
    if (whole) {
        const bool undone =
            kind == kOverwrite ? m_file.writeAt(offset, &data[kHeaderBytes], m_recordLength) : m_file.truncate(oldSize);
        if (!undone || !m_file.sync())
            fail("cannot undo an interrupted write");
    }
    if (!clearJournal())
        fail("cannot empty the journal");
}

bool RecordFile::clearJournal()
{
    if (!m_journal.isOpen())
        return true;
    return m_journal.truncate(0) && m_journal.sync();
}

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
    if (!m_file.readAt(static_cast<std::uint64_t>(m_index) * m_recordLength, record.bytes().data(), m_recordLength))
        fail("cannot read");
    ++m_index;
}

void RecordFile::write(const Record &record)
{
    if (record.bytes().size() != m_recordLength)
        fail("record of the wrong length");
    commit(); // a second write in one action starts from a settled file

    Pending pending;
    pending.offset = static_cast<std::uint64_t>(m_index) * m_recordLength;
    pending.append = m_index >= count();
    // A partial record at the end is not data: an append replaces it and
    // undoing the append drops it.
    pending.oldSize = pending.append ? pending.offset : m_size;
    if (!pending.append) {
        pending.old.resize(m_recordLength);
        if (!m_file.readAt(pending.offset, pending.old.data(), m_recordLength))
            fail("cannot read");
    }

    std::vector<std::uint8_t> journal;
    journal.reserve(kHeaderBytes + m_recordLength + 4);
    journal.insert(journal.end(), kMagic.begin(), kMagic.end());
    journal.push_back(pending.append ? kAppend : kOverwrite);
    journal.insert(journal.end(), 3, 0);
    putU64(journal, m_recordLength);
    putU64(journal, pending.offset);
    putU64(journal, pending.oldSize);
    journal.insert(journal.end(), pending.old.begin(), pending.old.end());
    const std::uint32_t sum = checksum(journal.data(), journal.size());
    const auto *sumBytes = reinterpret_cast<const std::uint8_t *>(&sum);
    journal.insert(journal.end(), sumBytes, sumBytes + 4);

    // The journal must be on the disk before the record file changes.
    if (!openJournal() || !m_journal.truncate(0) || !m_journal.writeAt(0, journal.data(), journal.size())
        || !m_journal.sync())
        fail("cannot write the journal");

    pending.active = true;
    m_pending = std::move(pending);
    if (!m_file.writeAt(m_pending.offset, record.bytes().data(), m_recordLength)) {
        if (undoPending())
            clearJournal();
        fail("cannot write");
    }
    ++m_index;
    m_size = std::max<std::uint64_t>(m_size, m_pending.offset + m_recordLength);
}

bool RecordFile::undoPending()
{
    if (!m_pending.active)
        return true;
    const bool undone = m_pending.append ? m_file.truncate(m_pending.oldSize)
                                         : m_file.writeAt(m_pending.offset, m_pending.old.data(), m_recordLength);
    const bool ok = undone && m_file.sync();
    if (ok) {
        m_pending.active = false;
        if (m_pending.append)
            m_size = m_pending.oldSize;
    }
    return ok;
}

void RecordFile::commit()
{
    if (!m_pending.active)
        return;
    if (!m_file.sync()) {
        if (undoPending())
            clearJournal();
        fail("cannot flush");
    }
    m_pending.active = false;
    // Once the journal is empty the new record is the one that stays; if it
    // cannot be emptied, the next opening would undo a record that did land,
    // so that is reported as a failure and undone now.
    if (!clearJournal()) {
        m_pending.active = true;
        if (undoPending())
            clearJournal();
        fail("cannot empty the journal");
    }
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
        if (!m_file.readAt(static_cast<std::uint64_t>(next) * m_recordLength, block.data(), n * m_recordLength))
            fail("cannot read");
        for (std::size_t k = 0; k < n; ++k) {
            std::copy_n(block.data() + k * m_recordLength, m_recordLength, buffer.bytes().data());
            m_index = next + k + 1;
            if (!visit(m_index, buffer))
                return;
        }
        next += n;
    }
}

void RecordFile::close()
{
    if (!m_file.isOpen())
        return;
    commit();
    // From here the write is on the disk and the journal empty. A close that
    // reports an error cannot take that back, and reporting it would make the
    // user's retry append the record a second time.
    m_journal.close();
    m_file.close(); // also releases the lock
}

} // namespace records
