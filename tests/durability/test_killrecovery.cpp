#include "app/startup.h"
#include "durabilitysupport.h"
#include "records/recordfile.h"
#include "stamps.h"
#include "support/testsupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <thread>
#include <vector>

// A writer killed at a random moment must leave every file it was writing
// either as it was before the write in flight or as that write makes it:
// records whole and where they belong, settings and whole files entirely of
// one generation, nothing acknowledged lost, and no leftovers once the
// program's start-up cleanup has run.

namespace {

using durability::kRecordBytes;

struct Op {
    char kind = 0; // A append, O overwrite, S setting, F whole file
    std::uint64_t target = 0;
    std::uint64_t generation = 0;
};

struct Transcript {
    std::vector<Op> acknowledged;
    std::optional<Op> inFlight;
    QStringList errors;
};

Transcript parseTranscript(const QByteArray &output)
{
    Transcript t;
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (line.startsWith("I ") && words.size() == 4) {
            t.inFlight = Op{words[1].at(0), words[2].toULongLong(), words[3].toULongLong()};
        } else if (line == "D" && t.inFlight) {
            t.acknowledged.push_back(*t.inFlight);
            t.inFlight.reset();
        } else if (line.startsWith("E ")) {
            t.errors.append(QString::fromUtf8(line));
        }
    }
    return t;
}

// What the files hold between rounds, as far as the checks have confirmed it.
struct State {
    std::vector<std::uint64_t> records; // generation by position - 1
    std::array<std::optional<std::uint64_t>, durability::kSettingKeys> settings;
    std::array<std::optional<std::uint64_t>, durability::kBigFileCount> files;
};

void apply(State &state, const Op &op)
{
    switch (op.kind) {
    case 'A':
        state.records.push_back(op.generation);
        break;
    case 'O':
        state.records[op.target - 1] = op.generation;
        break;
    case 'S':
        state.settings[op.target] = op.generation;
        break;
    case 'F':
        state.files[op.target] = op.generation;
        break;
    }
}

std::optional<std::pair<std::size_t, std::uint64_t>> positionStamp(const std::string &token)
{
    static const std::regex shape("P([0-9]+)G([0-9]+);");
    std::smatch m;
    if (!std::regex_match(token, m, shape))
        return std::nullopt;
    return std::make_pair(static_cast<std::size_t>(std::stoull(m[1])), std::stoull(m[2]));
}

// The settings file as the independent reader sees it: key index to
// generation, or an error for anything torn, foreign or repeated.
struct SettingsView {
    std::array<std::optional<std::uint64_t>, durability::kSettingKeys> values;
    QString error;
};

SettingsView readSettings(const std::string &content)
{
    SettingsView view;
    if (content.empty())
        return view;
    if (!content.ends_with("\r\n")) {
        view.error = QStringLiteral("the settings file does not end with a line break");
        return view;
    }
    static const std::regex value("G([0-9]+)K([0-9]):.*");
    std::string section;
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t eol = content.find("\r\n", at);
        const std::string line = content.substr(at, eol - at);
        at = eol + 2;
        if (line == "[Rental Company]" || line == "[Rental Agreements]") {
            section = line;
            continue;
        }
        const std::size_t eq = line.find('=');
        int key = -1;
        if (eq != std::string::npos) {
            const std::string name = line.substr(0, eq);
            if (section == "[Rental Company]" && name.size() == 6 && name.starts_with("Line ") && name[5] >= '1'
                && name[5] <= '4')
                key = name[5] - '1';
            else if (section == "[Rental Agreements]" && name == "Start Number")
                key = 4;
        }
        std::smatch m;
        const std::string text = eq == std::string::npos ? std::string() : line.substr(eq + 1);
        if (key < 0 || !std::regex_match(text, m, value) || std::stoi(m[2]) != key) {
            view.error =
                QStringLiteral("unexpected settings line \"%1\"").arg(QString::fromStdString(line.substr(0, 60)));
            return view;
        }
        const std::uint64_t generation = std::stoull(m[1]);
        if (text != durability::settingValue(key, generation)) {
            view.error = QStringLiteral("torn value of key %1").arg(key);
            return view;
        }
        if (view.values[key]) {
            view.error = QStringLiteral("key %1 appears twice").arg(key);
            return view;
        }
        view.values[key] = generation;
    }
    return view;
}

QString describe(const std::optional<std::uint64_t> &generation)
{
    return generation ? QString::number(*generation) : QStringLiteral("none");
}

struct Mode {
    const char *mix;
    int rounds;
    int maxAcknowledgements; // the kill comes after 0 to this many
    int maxDelayUs;          // and then after up to this long
};

// Whole files take longest to write, so their kills wait longest.
// clang-format off
constexpr Mode kModes[] = {
    {"records",  16, 12, 15000},
    {"settings", 10,  8, 10000},
    {"files",     8,  3, 60000},
    {"mixed",    16, 10, 40000},
};
// clang-format on

} // namespace

class TestKillRecovery final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void killedWriterLeavesWholeData_data();
    void killedWriterLeavesWholeData();

private:
    // Checks the files against `state` and the round's transcript and moves
    // `state` on to what they hold. Returns the first problem, or nothing.
    QString checkRound(const testing::TempDataFolder &data, State &state, const Transcript &t, bool onCopy);
    QString checkRecords(const std::filesystem::path &file, State &state, const Transcript &t);

    // Over all rounds of a row, for the summary: which kind of write was cut,
    // how often a journal was undone, how many leftovers were cleaned.
    std::map<char, int> m_cut;
    int m_journals = 0;
    int m_leftovers = 0;
};

void TestKillRecovery::initTestCase() { durability::masterSeed(); }

void TestKillRecovery::killedWriterLeavesWholeData_data()
{
    QTest::addColumn<int>("mode");
    for (const Mode &m : kModes)
        QTest::newRow(m.mix) << int(&m - kModes);
}

void TestKillRecovery::killedWriterLeavesWholeData()
{
    QFETCH(int, mode);
    const Mode &m = kModes[mode];
    const std::uint64_t seed = durability::seedFor(QString::fromLatin1(QTest::currentDataTag()));
    std::mt19937_64 random(seed);
    testing::TempDataFolder data;
    State state;
    m_cut.clear();
    m_journals = m_leftovers = 0;
    const int total = durability::rounds(m.rounds);
    for (int round = 0; round < total; ++round) {
        const QString where = QStringLiteral("round %1 of \"%2\", row seed %3 (CARVELLO_DURABILITY_SEED=%4)")
                                  .arg(round)
                                  .arg(QString::fromLatin1(m.mix))
                                  .arg(seed)
                                  .arg(durability::masterSeed());
        const std::uint64_t workerSeed = random();
        const int waitFor = static_cast<int>(random() % (m.maxAcknowledgements + 1));
        const int delayUs = static_cast<int>(random() % (m.maxDelayUs + 1));

        QProcess worker;
        worker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        worker.start(durability::workerPath(),
                     {QStringLiteral("kill"), QString::fromLatin1(m.mix), QString::number(workerSeed),
                      QString::number(std::uint64_t(round) * 1000 + 1), QStringLiteral("400")});
        QVERIFY2(worker.waitForStarted(30000), qPrintable(where));
        QByteArray output;
        const QDeadlineTimer deadline(60000);
        while (output.count("D\n") < waitFor && worker.state() == QProcess::Running && !deadline.hasExpired()) {
            worker.waitForReadyRead(100);
            output += worker.readAllStandardOutput();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
        worker.kill(); // SIGKILL: no handler, no clean-up, no flushing
        QVERIFY2(worker.waitForFinished(30000), qPrintable(where));
        output += worker.readAllStandardOutput();

        const Transcript t = parseTranscript(output);
        QVERIFY2(t.errors.isEmpty(), qPrintable(where + QLatin1String(": ") + t.errors.join(QLatin1Char(' '))));
        QVERIFY2(worker.exitStatus() == QProcess::CrashExit || worker.exitCode() == 0, qPrintable(where));
        if (t.inFlight)
            ++m_cut[t.inFlight->kind];
        const QString problem = checkRound(data, state, t, round % 2 == 1);
        QVERIFY2(problem.isEmpty(), qPrintable(where + QLatin1String(": ") + problem));
    }
    qInfo().noquote() << QStringLiteral("%1 rounds; cut short: %2 appends, %3 overwrites, %4 settings, %5 whole "
                                        "files; %6 journals left to undo, %7 leftovers removed; %8 records at the end")
                             .arg(total)
                             .arg(m_cut['A'])
                             .arg(m_cut['O'])
                             .arg(m_cut['S'])
                             .arg(m_cut['F'])
                             .arg(m_journals)
                             .arg(m_leftovers)
                             .arg(state.records.size());
}

QString TestKillRecovery::checkRound(const testing::TempDataFolder &data, State &state, const Transcript &t,
                                     bool onCopy)
{
    const std::filesystem::path folder = data.path(QString());
    const std::filesystem::path records = data.path(QStringLiteral("Clients.Pro"));
    const std::filesystem::path journal = records::RecordFile::journalPath(records);
    if (durability::fileSize(journal) > 0)
        ++m_journals;

    State expected = state;
    for (const Op &op : t.acknowledged)
        apply(expected, op);

    // Every other round the checks recover a copy and the next writer's own
    // opening undoes the interrupted write in place.
    QTemporaryDir copy;
    std::filesystem::path checked = records;
    if (onCopy) {
        checked = std::filesystem::path(copy.path().toStdString()) / "Clients.Pro";
        std::error_code ec;
        if (std::filesystem::exists(records))
            std::filesystem::copy_file(records, checked, ec);
        if (!ec && std::filesystem::exists(journal))
            std::filesystem::copy_file(journal, records::RecordFile::journalPath(checked), ec);
        if (ec)
            return QStringLiteral("cannot copy the record file: ") + QString::fromStdString(ec.message());
    }
    if (std::filesystem::exists(records) || !expected.records.empty()) {
        const QString problem = checkRecords(checked, expected, t);
        if (!problem.isEmpty())
            return problem;
    }

    const std::string settings = durability::fileBytes(data.path(QStringLiteral("Drivora_Settings.ini")));
    const SettingsView view = readSettings(settings);
    if (!view.error.isEmpty())
        return view.error;
    for (int key = 0; key < durability::kSettingKeys; ++key) {
        const bool inFlight = t.inFlight && t.inFlight->kind == 'S' && t.inFlight->target == std::uint64_t(key);
        if (view.values[key] != expected.settings[key] && !(inFlight && view.values[key] == t.inFlight->generation))
            return QStringLiteral("setting %1 holds generation %2, acknowledged %3")
                .arg(key)
                .arg(describe(view.values[key]), describe(expected.settings[key]));
        expected.settings[key] = view.values[key];
    }

    for (int target = 0; target < durability::kBigFileCount; ++target) {
        const std::filesystem::path file = folder / std::string(durability::kBigFiles[target]);
        std::optional<std::uint64_t> found;
        if (std::filesystem::exists(file)) {
            const std::string content = durability::fileBytes(file);
            std::uint64_t generation = 0;
            if (!durability::bigFileGeneration(content, generation)
                || content != durability::bigFileContent(generation))
                return QStringLiteral("%1 is not entirely one generation (%2 bytes)")
                    .arg(QString::fromLatin1(durability::kBigFiles[target].data()))
                    .arg(content.size());
            found = generation;
        }
        const bool inFlight = t.inFlight && t.inFlight->kind == 'F' && t.inFlight->target == std::uint64_t(target);
        if (found != expected.files[target] && !(inFlight && found == t.inFlight->generation))
            return QStringLiteral("%1 holds generation %2, acknowledged %3")
                .arg(QString::fromLatin1(durability::kBigFiles[target].data()), describe(found),
                     describe(expected.files[target]));
        expected.files[target] = found;
    }

    // The program's start-up clean-up takes away what the killed writer left.
    m_leftovers +=
        int(durability::temporaryFiles(folder).size() + durability::temporaryFiles(folder / "Vehicle_Fleet").size());
    app::removeLeftovers();
    const QStringList left = durability::temporaryFiles(folder) + durability::temporaryFiles(folder / "Vehicle_Fleet");
    if (!left.isEmpty())
        return QStringLiteral("left after the clean-up: ") + left.join(QLatin1Char(' '));

    state = expected;
    return {};
}

QString TestKillRecovery::checkRecords(const std::filesystem::path &file, State &state, const Transcript &t)
{
    try {
        records::RecordFile opened(file, kRecordBytes); // undoes an interrupted write
        opened.close();
    } catch (const records::RecordFileError &e) {
        return QStringLiteral("the record file does not open: ") + QString::fromUtf8(e.what());
    }
    if (const std::uint64_t left = durability::fileSize(records::RecordFile::journalPath(file)); left != 0)
        return QStringLiteral("the journal still holds %1 bytes after opening").arg(left);

    const std::string bytes = durability::fileBytes(file);
    if (bytes.size() % kRecordBytes != 0)
        return QStringLiteral("the record file ends in a partial record (%1 bytes)").arg(bytes.size());
    const std::size_t count = bytes.size() / kRecordBytes;
    const std::size_t acknowledged = state.records.size();
    const bool appending = t.inFlight && t.inFlight->kind == 'A';
    if (count != acknowledged && !(appending && count == acknowledged + 1 && t.inFlight->target == count))
        return QStringLiteral("%1 records where %2 were acknowledged%3")
            .arg(count)
            .arg(acknowledged)
            .arg(appending ? QStringLiteral(" and one was in flight") : QString());
    if (count == acknowledged + 1)
        state.records.push_back(t.inFlight->generation);

    for (std::size_t position = 1; position <= count; ++position) {
        const auto token =
            durability::recordToken(std::string_view(bytes).substr((position - 1) * kRecordBytes, kRecordBytes));
        const auto stamp = token ? positionStamp(*token) : std::nullopt;
        if (!stamp)
            return QStringLiteral("record %1 is torn or garbled").arg(position);
        if (stamp->first != position)
            return QStringLiteral("record %1 holds the record of position %2").arg(position).arg(stamp->first);
        const bool overwriting = t.inFlight && t.inFlight->kind == 'O' && t.inFlight->target == position;
        if (stamp->second != state.records[position - 1] && !(overwriting && stamp->second == t.inFlight->generation))
            return QStringLiteral("record %1 holds generation %2, acknowledged %3")
                .arg(position)
                .arg(stamp->second)
                .arg(state.records[position - 1]);
        state.records[position - 1] = stamp->second;
    }
    return {};
}

QTEST_GUILESS_MAIN(TestKillRecovery)
#include "test_killrecovery.moc"
