#include "durabilitysupport.h"

#include "stamps.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QRegularExpression>

#include <array>
#include <fstream>
#include <random>
#include <system_error>

namespace durability {

namespace {

// The client record's field capacities, written out from the byte layout
// rather than taken from the program's tables.
// clang-format off
constexpr std::array<std::size_t, 32> kClientCapacities = {
    250, 1, 10, 50, 250, 50, 50, 30, 50, 50, 50, 50, 30, 30, 50, 250,
    50, 10, 10, 250, 250, 250, 250, 250, 250, 250, 250, 250, 250, 250, 250, 250,
};
// clang-format on

constexpr std::size_t layoutBytes()
{
    std::size_t total = 0;
    for (const std::size_t c : kClientCapacities)
        total += c + 1;
    return total;
}
static_assert(layoutBytes() == kRecordBytes);

} // namespace

std::uint64_t masterSeed()
{
    static const std::uint64_t seed = [] {
        bool ok = false;
        const std::uint64_t set = qEnvironmentVariable("CARVELLO_DURABILITY_SEED").toULongLong(&ok);
        const std::uint64_t value = ok ? set : (std::uint64_t(std::random_device()()) << 32) ^ std::random_device()();
        qInfo().noquote() << QStringLiteral("CARVELLO_DURABILITY_SEED=%1 replays this run").arg(value);
        return value;
    }();
    return seed;
}

std::uint64_t seedFor(const QString &row)
{
    const QByteArray digest = QCryptographicHash::hash(row.toUtf8(), QCryptographicHash::Sha1);
    std::uint64_t mixed = masterSeed();
    for (int k = 0; k < 8; ++k)
        mixed ^= std::uint64_t(static_cast<unsigned char>(digest[k])) << (8 * k);
    return mixed;
}

int rounds(int normal)
{
    bool ok = false;
    const int set = qEnvironmentVariableIntValue("CARVELLO_DURABILITY_ROUNDS", &ok);
    return ok && set > 0 ? set : normal;
}

QString workerPath() { return QStringLiteral(CARVELLO_DURABILITY_WORKER); }

std::string fileBytes(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint64_t fileSize(const std::filesystem::path &file)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    return ec ? 0 : size;
}

std::optional<std::string> recordToken(std::string_view record)
{
    if (record.size() != kRecordBytes)
        return std::nullopt;
    const std::size_t first = kClientCapacities[0];
    if (static_cast<unsigned char>(record[0]) != first)
        return std::nullopt;
    const std::string_view text = record.substr(1, first);
    const std::size_t end = text.find(';');
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string token(text.substr(0, end + 1));
    std::size_t offset = 0;
    for (const std::size_t capacity : kClientCapacities) {
        if (static_cast<unsigned char>(record[offset]) != capacity
            || record.substr(offset + 1, capacity) != fieldText(token, capacity))
            return std::nullopt;
        offset += capacity + 1;
    }
    return token;
}

QStringList temporaryFiles(const std::filesystem::path &folder)
{
    static const QRegularExpression temporary(QStringLiteral("\\.~\\d+-\\d+$"));
    QStringList found;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec)) {
        const QString name = QString::fromStdString(entry.path().filename().string());
        if (temporary.match(name).hasMatch())
            found.append(name);
    }
    return found;
}

bool faultFired(records::faults::Op op, int nth)
{
    for (int k = 0; k < nth; ++k) {
        if (records::faults::shouldFail(op))
            return false;
    }
    return true;
}

QString firstDifference(std::string_view actual, std::string_view expected)
{
    std::size_t k = 0;
    while (k < actual.size() && k < expected.size() && actual[k] == expected[k])
        ++k;
    return QStringLiteral("%1 bytes where %2 were expected, first difference at byte %3")
        .arg(actual.size())
        .arg(expected.size())
        .arg(k);
}

} // namespace durability
