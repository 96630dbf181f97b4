#include "agreements/logo.h"
#include "durabilitysupport.h"
#include "fleet/photo.h"
#include "records/agreementsettings.h"
#include "records/browse.h"
#include "records/inifile.h"
#include "records/layout.h"
#include "records/osfile.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "records/safefile.h"
#include "stamps.h"
#include "support/testsupport.h"
#include "ui/qtext.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QTest>

#include <memory>
#include <random>

// Every step of the file protocols made to fail on purpose, through the file
// layer's fault seam: a failed write is reported, leaves exactly the old
// content (at once, or at the next opening when undoing failed too) and a
// retry writes once.

namespace {

using durability::kRecordBytes;
using records::faults::Op;

struct Fault {
    Op op;
    int nth; // 0: no fault
};

records::Record stamped(std::size_t position, std::uint64_t generation)
{
    records::Record record(records::clientLayout());
    const std::string token = durability::positionToken(position, generation);
    for (std::size_t k = 0; k < record.layout().fieldCount(); ++k)
        record.setText(k, durability::fieldText(token, std::size_t(record.layout().field(k).capacity)));
    return record;
}

std::string bytesOf(const records::Record &record)
{
    return std::string(reinterpret_cast<const char *>(record.bytes().data()), record.bytes().size());
}

std::string recordBytes(std::size_t position, std::uint64_t generation)
{
    return bytesOf(stamped(position, generation));
}

void writeRaw(const std::filesystem::path &file, const std::string &bytes)
{
    testing::writeFile(ui::toQtPath(file), QByteArray(bytes.data(), qsizetype(bytes.size())));
}

// The undo journal laid out from its description in recordfile.cpp, not with
// its code: magic, kind (1 overwrite, 2 append), three zero bytes, record
// length, offset and old size as little-endian 64-bit numbers, the old record
// for an overwrite, and an FNV-1a checksum of all of it.
std::string journalBytes(std::uint8_t kind, std::uint64_t length, std::uint64_t offset, std::uint64_t oldSize,
                         const std::string &old)
{
    std::string j = "CVJ1";
    j += char(kind);
    j.append(3, '\0');
    for (const std::uint64_t v : {length, offset, oldSize}) {
        for (int k = 0; k < 8; ++k)
            j += char(v >> (8 * k));
    }
    j += old;
    std::uint32_t h = 2166136261u;
    for (const char c : j) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    for (int k = 0; k < 4; ++k)
        j += char(h >> (8 * k));
    return j;
}

enum class Kind { Append, Overwrite };

// One failing step of a save, and optionally a second fault that makes
// undoing it fail as well (an append is undone by truncating, an overwrite by
// writing the old record back, each then flushed). The seam counts each kind
// of call on its own, so the two faults are of different kinds.
struct RecordCase {
    const char *step;
    Fault fault;
    Fault undoAppend = {Op::Open, 0};
    Fault undoOverwrite = {Op::Open, 0};
    bool written = false; // the record is on the disk: the save succeeds
};

// The calls of one save of a file whose journal exists: open the file (Open
// 1), lock it (Lock 1), open the journal (Open 2); for an overwrite read the
// old record (Read 1); empty the journal (Truncate 1), write and flush it
// (Write 1, Sync 1); write the record (Write 2); flush it (Sync 2); empty
// the journal and flush that (Truncate 2, Sync 3); close both (Close 1, 2).
// clang-format off
const RecordCase kRecordCases[] = {
    {"record file not opened",          {Op::Open, 1}},
    {"journal not opened",              {Op::Open, 2}},
    {"lock not had",                    {Op::Lock, 1}},
    {"journal not emptied before",      {Op::Truncate, 1}},
    {"journal not written",             {Op::Write, 1}},
    {"journal not flushed",             {Op::Sync, 1}},
    {"record not written",              {Op::Write, 2}},
    {"record not flushed",              {Op::Sync, 2}},
    {"journal not emptied after",       {Op::Truncate, 2}},
    {"emptied journal not flushed",     {Op::Sync, 3}},
    {"record not written, undo fails",  {Op::Write, 2},    {Op::Truncate, 2}, {Op::Sync, 2}},
    {"record not flushed, undo fails",  {Op::Sync, 2},     {Op::Truncate, 2}, {Op::Write, 3}},
    {"journal not emptied, undo fails", {Op::Truncate, 2}, {Op::Sync, 3},     {Op::Sync, 3}},
    // Once the record and the emptied journal are flushed, the write has
    // landed: reporting a failure then would make the retry write it twice.
    {"journal not closed",              {Op::Close, 1}, {}, {}, true},
    {"record file not closed",          {Op::Close, 2}, {}, {}, true},
};
// clang-format on

// A file that never had a journal: it is made (Open 2) and its folder
// flushed (Sync 1) before the first journal flush (Sync 2).
// clang-format off
const RecordCase kFreshCases[] = {
    {"new journal not made",             {Op::Open, 2}},
    {"new journal's folder not flushed", {Op::Sync, 1}},
    {"new journal not flushed",          {Op::Sync, 2}},
};
// clang-format on

// The settings update: lock file opened and locked (Open 1, Lock 1), the
// settings read (Open 2, Read 1) and opened for writing to see that they may
// be replaced (Open 3), a temporary file made, written, flushed and closed
// (Open 4, Write 1, Sync 1, Close 1: closes in destructors never fail on
// purpose), renamed over the settings (Rename 1) and the folder flushed
// (Sync 2).
struct FileCase {
    const char *step;
    Fault fault;
    bool keepsOld = true;
};
// clang-format off
const FileCase kSettingsCases[] = {
    {"lock file not opened",       {Op::Open, 1}},
    {"lock not had",               {Op::Lock, 1}},
    {"settings not opened",        {Op::Open, 2}},
    {"settings not read",          {Op::Read, 1}},
    {"settings not writable",      {Op::Open, 3}},
    {"temporary file not made",    {Op::Open, 4}},
    {"temporary file not written", {Op::Write, 1}},
    {"temporary file not flushed", {Op::Sync, 1}},
    {"temporary file not closed",  {Op::Close, 1}},
    {"not renamed",                {Op::Rename, 1}},
    // The new file is in place but its name may not survive a power cut:
    // reported, and writing it again is harmless.
    {"folder not flushed",         {Op::Sync, 2}, false},
};
// A whole picture: temporary file made, written, flushed, closed (Open 1,
// Write 1, Sync 1, Close 1), renamed (Rename 1), folder flushed (Sync 2).
const FileCase kPictureCases[] = {
    {"temporary file not made",    {Op::Open, 1}},
    {"temporary file not written", {Op::Write, 1}},
    {"temporary file not flushed", {Op::Sync, 1}},
    {"temporary file not closed",  {Op::Close, 1}},
    {"not renamed",                {Op::Rename, 1}},
    {"folder not flushed",         {Op::Sync, 2}, false},
};
// clang-format on

void arm(const Fault &fault)
{
    if (fault.nth > 0)
        records::faults::failNth(fault.op, fault.nth);
}

bool fired(const Fault &fault) { return durability::faultFired(fault.op, fault.nth); }

QByteArray encodedImage(const QColor &colour, const char *format)
{
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestFaultInjection final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void failedSaveLeavesTheOldContent_data();
    void failedSaveLeavesTheOldContent();
    void failedUndoIsFinishedByTheNextOpening_data();
    void failedUndoIsFinishedByTheNextOpening();
    void abandonedWriteIsUndone();
    void lockedFileIsRefusedAndLeftAlone();

    void interruptedWriteIsUndoneAtTheNextOpening_data();
    void interruptedWriteIsUndoneAtTheNextOpening();
    void damagedJournalIsDiscarded_data();
    void damagedJournalIsDiscarded();
    void killedWritersJournalIsUndone_data();
    void killedWritersJournalIsUndone();

    void failedSettingsWriteKeepsTheOldFile_data();
    void failedSettingsWriteKeepsTheOldFile();
    void unreadableSettingsReadAsMissing_data();
    void unreadableSettingsReadAsMissing();
    void failedPictureWriteKeepsTheOldFile_data();
    void failedPictureWriteKeepsTheOldFile();

private:
    std::filesystem::path file() const { return records::clientFile().path(); }
    std::filesystem::path journal() const { return records::RecordFile::journalPath(file()); }
    // Three records of generation 1, written by the program (so that the
    // journal exists, empty) or as raw bytes (no journal yet).
    std::string prepareThree(bool throughTheProgram);
    // What the save of generation 2 makes of the three records.
    static std::string afterSave(Kind kind);
    static records::Record saved(Kind kind) { return stamped(kind == Kind::Append ? 4 : 2, 2); }
    static std::string positionOf(Kind kind) { return kind == Kind::Append ? std::string() : "2"; }
    // Opens and closes the file as the next action would, undoing what a
    // journal holds; false when that fails.
    bool reopen() const;

    std::unique_ptr<testing::TempDataFolder> m_data;
};

void TestFaultInjection::initTestCase() { durability::masterSeed(); }

void TestFaultInjection::init()
{
    records::faults::clear();
    m_data = std::make_unique<testing::TempDataFolder>();
}

void TestFaultInjection::cleanup()
{
    records::faults::clear();
    records::RecordFile::setLockWait(std::chrono::seconds(5));
    m_data.reset();
}

std::string TestFaultInjection::prepareThree(bool throughTheProgram)
{
    std::string bytes;
    for (std::size_t p = 1; p <= 3; ++p) {
        bytes += recordBytes(p, 1);
        if (throughTheProgram)
            records::saveRecord(file(), stamped(p, 1), "");
    }
    if (!throughTheProgram)
        writeRaw(file(), bytes);
    return bytes;
}

std::string TestFaultInjection::afterSave(Kind kind)
{
    if (kind == Kind::Append)
        return recordBytes(1, 1) + recordBytes(2, 1) + recordBytes(3, 1) + recordBytes(4, 2);
    return recordBytes(1, 1) + recordBytes(2, 2) + recordBytes(3, 1);
}

bool TestFaultInjection::reopen() const
{
    try {
        records::RecordFile f(file(), kRecordBytes);
        f.close();
        return true;
    } catch (const records::RecordFileError &) {
        return false;
    }
}

void TestFaultInjection::failedSaveLeavesTheOldContent_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<int>("row");
    for (const Kind kind : {Kind::Append, Kind::Overwrite}) {
        const char *name = kind == Kind::Append ? "append" : "overwrite";
        for (const RecordCase &c : kRecordCases)
            QTest::addRow("%s: %s", name, c.step) << int(kind) << false << int(&c - kRecordCases);
        for (const RecordCase &c : kFreshCases)
            QTest::addRow("%s: %s", name, c.step) << int(kind) << true << int(&c - kFreshCases);
    }
    QTest::addRow("overwrite: old record not read") << int(Kind::Overwrite) << false << -1;
}

void TestFaultInjection::failedSaveLeavesTheOldContent()
{
    QFETCH(int, kind);
    QFETCH(bool, fresh);
    QFETCH(int, row);
    const Kind k = Kind(kind);
    static const RecordCase readCase{"old record not read", {Op::Read, 1}};
    const RecordCase &c = row < 0 ? readCase : fresh ? kFreshCases[row] : kRecordCases[row];
    const std::string old = prepareThree(!fresh);
    QCOMPARE(std::filesystem::exists(journal()), !fresh);

    const Fault undo = k == Kind::Append ? c.undoAppend : c.undoOverwrite;
    arm(c.fault);
    arm(undo);
    bool refused = false;
    try {
        records::saveRecord(file(), saved(k), positionOf(k));
    } catch (const records::RecordFileError &) {
        refused = true;
    }
    QVERIFY2(fired(c.fault) && fired(undo), "the step counted in the table was not taken");
    records::faults::clear();

    const std::string now = durability::fileBytes(file());
    if (c.written) {
        QVERIFY2(!refused, "a write that landed was reported as failed");
        QVERIFY2(now == afterSave(k), qPrintable(durability::firstDifference(now, afterSave(k))));
        QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));
        return;
    }
    QVERIFY2(refused, "the failure was not reported");
    QVERIFY2(now == old, qPrintable(durability::firstDifference(now, old)));
    // A journal may stay behind only if the next opening makes nothing of
    // it but the old content.
    QVERIFY(reopen());
    const std::string reopened = durability::fileBytes(file());
    QVERIFY2(reopened == old, qPrintable(durability::firstDifference(reopened, old)));
    QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));

    const records::SaveResult retry = records::saveRecord(file(), saved(k), positionOf(k));
    QCOMPARE(retry.position, std::size_t(k == Kind::Append ? 4 : 2));
    const std::string after = durability::fileBytes(file());
    QVERIFY2(after == afterSave(k), qPrintable(durability::firstDifference(after, afterSave(k))));
    QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));
}

void TestFaultInjection::failedUndoIsFinishedByTheNextOpening_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("op");
    // From the moment the record is written, every call of the kind fails,
    // so that undoing fails as well, also when the file is let go.
    QTest::newRow("append, flushes fail") << int(Kind::Append) << int(Op::Sync);
    QTest::newRow("append, truncations fail") << int(Kind::Append) << int(Op::Truncate);
    QTest::newRow("overwrite, flushes fail") << int(Kind::Overwrite) << int(Op::Sync);
    QTest::newRow("overwrite, truncations fail") << int(Kind::Overwrite) << int(Op::Truncate);
}

void TestFaultInjection::failedUndoIsFinishedByTheNextOpening()
{
    QFETCH(int, kind);
    QFETCH(int, op);
    const Kind k = Kind(kind);
    const std::string old = prepareThree(true);
    bool refused = false;
    {
        records::RecordFile f(file(), kRecordBytes);
        f.seek(k == Kind::Append ? 3 : 1);
        f.write(saved(k));
        records::faults::failAlways(Op(op));
        try {
            f.close();
        } catch (const records::RecordFileError &) {
            refused = true;
        }
    }
    records::faults::clear();
    QVERIFY(refused);
    QVERIFY2(durability::fileSize(journal()) > 0, "the journal was emptied although the write was not undone");
    QVERIFY(reopen());
    const std::string reopened = durability::fileBytes(file());
    QVERIFY2(reopened == old, qPrintable(durability::firstDifference(reopened, old)));
    QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));
    records::saveRecord(file(), saved(k), positionOf(k));
    QVERIFY(durability::fileBytes(file()) == afterSave(k));
}

void TestFaultInjection::abandonedWriteIsUndone()
{
    // An action that ends by an exception between the write and the close.
    const std::string old = prepareThree(true);
    {
        records::RecordFile f(file(), kRecordBytes);
        f.seek(1);
        f.write(saved(Kind::Overwrite));
    }
    QVERIFY(durability::fileBytes(file()) == old);
    QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));
}

void TestFaultInjection::lockedFileIsRefusedAndLeftAlone()
{
    const std::string old = prepareThree(true);
    records::RecordFile holder(file(), kRecordBytes); // another copy of the program mid-action
    records::RecordFile::setLockWait(std::chrono::milliseconds(50));
    QVERIFY_THROWS_EXCEPTION(records::RecordFileError, records::saveRecord(file(), saved(Kind::Append), ""));
    holder.close();
    QVERIFY(durability::fileBytes(file()) == old);
    records::saveRecord(file(), saved(Kind::Append), "");
    QVERIFY(durability::fileBytes(file()) == afterSave(Kind::Append));
}

void TestFaultInjection::interruptedWriteIsUndoneAtTheNextOpening_data()
{
    QTest::addColumn<QByteArray>("left");    // the record file as the crash left it
    QTest::addColumn<QByteArray>("journal"); // the journal as the crash left it
    const std::string a = recordBytes(1, 1), b = recordBytes(2, 1), c = recordBytes(3, 1);
    const std::string newB = recordBytes(2, 2), d = recordBytes(4, 2);
    const std::uint64_t three = 3 * kRecordBytes;
    // The page boundaries at 8 KiB and 16 KiB fall inside record 2 and
    // record 4: a write cut there leaves one page new and the rest old.
    const std::size_t inB = 8192 - kRecordBytes, inD = 16384 - three;
    auto row = [](const char *name, const std::string &left, const std::string &journal) {
        QTest::newRow(name) << QByteArray(left.data(), qsizetype(left.size()))
                            << QByteArray(journal.data(), qsizetype(journal.size()));
    };
    const std::string overwriteJournal = journalBytes(1, kRecordBytes, kRecordBytes, three, b);
    const std::string appendJournal = journalBytes(2, kRecordBytes, three, three, {});
    row("overwrite torn at a page", a + newB.substr(0, inB) + b.substr(inB) + c, overwriteJournal);
    row("overwrite whole, not committed", a + newB + c, overwriteJournal);
    row("overwrite not begun", a + b + c, overwriteJournal);
    row("append cut at a page", a + b + c + d.substr(0, inD), appendJournal);
    row("append whole, not committed", a + b + c + d, appendJournal);
    row("append not begun", a + b + c, appendJournal);
}

void TestFaultInjection::interruptedWriteIsUndoneAtTheNextOpening()
{
    QFETCH(QByteArray, left);
    QFETCH(QByteArray, journal);
    writeRaw(file(), left.toStdString());
    writeRaw(this->journal(), journal.toStdString());
    const std::string old = recordBytes(1, 1) + recordBytes(2, 1) + recordBytes(3, 1);
    QCOMPARE(records::recordCount(file(), kRecordBytes), std::size_t(3));
    const std::string now = durability::fileBytes(file());
    QVERIFY2(now == old, qPrintable(durability::firstDifference(now, old)));
    QCOMPARE(durability::fileSize(this->journal()), std::uint64_t(0));
}

void TestFaultInjection::damagedJournalIsDiscarded_data()
{
    QTest::addColumn<QByteArray>("journal");
    const std::string other = recordBytes(9, 9);
    // Each of these, if it were followed, would change the file.
    const std::string overwrite = journalBytes(1, kRecordBytes, kRecordBytes, 3 * kRecordBytes, other);
    const std::string append = journalBytes(2, kRecordBytes, kRecordBytes, kRecordBytes, {});
    auto row = [](const char *name, const std::string &j) {
        QTest::newRow(name) << QByteArray(j.data(), qsizetype(j.size()));
    };
    row("cut short", overwrite.substr(0, 2000));
    row("cut before the checksum", overwrite.substr(0, overwrite.size() - 4));
    std::string flipped = overwrite;
    flipped[100] ^= 0x10;
    row("one bit flipped", flipped);
    std::string badSum = append;
    badSum.back() ^= 1;
    row("wrong checksum", badSum);
    row("another record length", journalBytes(2, records::kVehicleRecordLength, kRecordBytes, kRecordBytes, {}));
    row("unknown kind", journalBytes(3, kRecordBytes, kRecordBytes, kRecordBytes, {}));
    std::string magic = append;
    magic[3] = '2';
    row("other magic", magic);
    row("trailing bytes", append + "xyz");
    row("append claiming an old record", journalBytes(2, kRecordBytes, kRecordBytes, kRecordBytes, other));
    std::mt19937_64 random(durability::seedFor(QStringLiteral("garbage journal")));
    std::string garbage(600, '\0');
    for (char &ch : garbage)
        ch = char(random());
    row("random bytes", garbage);
    row("zeros", std::string(40, '\0'));
}

void TestFaultInjection::damagedJournalIsDiscarded()
{
    QFETCH(QByteArray, journal);
    const std::string old = prepareThree(true);
    writeRaw(this->journal(), journal.toStdString());
    QCOMPARE(records::recordCount(file(), kRecordBytes), std::size_t(3));
    QVERIFY(durability::fileBytes(file()) == old);
    QCOMPARE(durability::fileSize(this->journal()), std::uint64_t(0));
}

void TestFaultInjection::killedWritersJournalIsUndone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("append") << QStringLiteral("append");
    QTest::newRow("overwrite") << QStringLiteral("overwrite");
}

void TestFaultInjection::killedWritersJournalIsUndone()
{
    QFETCH(QString, kind);
    const Kind k = kind == QLatin1String("append") ? Kind::Append : Kind::Overwrite;
    const std::string old = prepareThree(true);
    // The writer ends right after writing, without closing: the journal and
    // the record it wrote stay as a kill would leave them.
    QProcess worker;
    worker.start(durability::workerPath(),
                 {QStringLiteral("crash"), kind, k == Kind::Append ? QStringLiteral("4") : QStringLiteral("2"),
                  QStringLiteral("2")});
    QVERIFY(worker.waitForFinished(30000));
    QCOMPARE(worker.readAllStandardOutput(), QByteArray("D\n"));
    QCOMPARE(worker.exitCode(), 0);
    QVERIFY(durability::fileSize(journal()) > 0);
    QVERIFY(durability::fileBytes(file()) == afterSave(k));

    QVERIFY(reopen());
    const std::string now = durability::fileBytes(file());
    QVERIFY2(now == old, qPrintable(durability::firstDifference(now, old)));
    QCOMPARE(durability::fileSize(journal()), std::uint64_t(0));
}

void TestFaultInjection::failedSettingsWriteKeepsTheOldFile_data()
{
    QTest::addColumn<int>("row");
    for (const FileCase &c : kSettingsCases)
        QTest::newRow(c.step) << int(&c - kSettingsCases);
}

void TestFaultInjection::failedSettingsWriteKeepsTheOldFile()
{
    QFETCH(int, row);
    const FileCase &c = kSettingsCases[row];
    const std::filesystem::path settings = records::settingsFilePath();
    const std::string old = "[Rental Company]\r\nLine 1=Old Rent\r\nLine 2=Via Po 1\r\n";
    const std::string updated = "[Rental Company]\r\nLine 1=New Rent\r\nLine 2=Via Po 1\r\n";
    writeRaw(settings, old);

    arm(c.fault);
    QVERIFY_THROWS_EXCEPTION(records::IniFileError, records::writeCompanyLine(1, "New Rent"));
    QVERIFY(fired(c.fault));
    records::faults::clear();
    QCOMPARE(durability::fileBytes(settings), c.keepsOld ? old : updated);
    QCOMPARE(durability::temporaryFiles(settings.parent_path()), QStringList());

    records::writeCompanyLine(1, "New Rent");
    QCOMPARE(durability::fileBytes(settings), updated);
    QCOMPARE(records::readCompanyLine(1), std::string("New Rent"));
}

void TestFaultInjection::unreadableSettingsReadAsMissing_data()
{
    QTest::addColumn<int>("op"); // every call of this kind fails; -1: the settings file is a folder
    QTest::newRow("opening fails") << int(Op::Open);
    QTest::newRow("reading fails") << int(Op::Read);
    QTest::newRow("a folder in its place") << -1;
}

void TestFaultInjection::unreadableSettingsReadAsMissing()
{
    QFETCH(int, op);
    const std::filesystem::path settings = records::settingsFilePath();
    if (op < 0)
        std::filesystem::create_directories(settings / "x");
    else
        writeRaw(settings, "[Rental Company]\r\nLine 1=Old Rent\r\n[Rental Agreements]\r\nStart Number=7\r\n");
    if (op >= 0)
        records::faults::failAlways(Op(op));
    try {
        QCOMPARE(records::readCompanyLine(1), std::string());
        QCOMPARE(records::readStartNumber(), std::string());
        QCOMPARE(records::readIniString(settings, "Rental Company", "Line 1", "fallback"), std::string("fallback"));
    } catch (...) {
        QFAIL("reading settings that cannot be read threw");
    }
    // Writing is refused with the one error the windows report, never with
    // another exception.
    QVERIFY_THROWS_EXCEPTION(records::IniFileError, records::writeCompanyLine(1, "New Rent"));
    records::faults::clear();
    if (op >= 0)
        QCOMPARE(records::readCompanyLine(1), std::string("Old Rent"));
}

void TestFaultInjection::failedPictureWriteKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("logo");
    QTest::addColumn<int>("row");
    for (const bool logo : {true, false}) {
        for (const FileCase &c : kPictureCases)
            QTest::addRow("%s: %s", logo ? "logo" : "photo", c.step) << logo << int(&c - kPictureCases);
    }
}

void TestFaultInjection::failedPictureWriteKeepsTheOldFile()
{
    QFETCH(bool, logo);
    QFETCH(int, row);
    const FileCase &c = kPictureCases[row];
    const QString path = logo ? ui::toQtPath(agreements::logoFilePath()) : fleet::photoPath(QStringLiteral("1"));
    auto write = [logo, &path](const QColor &colour) {
        if (logo) {
            QImage image(64, 40, QImage::Format_RGB32);
            image.fill(colour);
            return agreements::saveLogo(image);
        }
        return fleet::writeJpegFile(path, encodedImage(colour, "JPG"));
    };
    QVERIFY(write(Qt::red));
    const QByteArray old = testing::readFile(path);
    QVERIFY(write(Qt::blue));
    const QByteArray updated = testing::readFile(path);
    QVERIFY(write(Qt::red));
    QVERIFY(old != updated);

    arm(c.fault);
    QVERIFY(!write(Qt::blue));
    QVERIFY(fired(c.fault));
    records::faults::clear();
    QVERIFY(testing::readFile(path) == (c.keepsOld ? old : updated));
    QCOMPARE(durability::temporaryFiles(ui::fromQtPath(path).parent_path()), QStringList());
    QVERIFY(write(Qt::blue));
    QVERIFY(testing::readFile(path) == updated);
}

QTEST_MAIN(TestFaultInjection)
#include "test_faultinjection.moc"
