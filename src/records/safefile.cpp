#include "records/safefile.h"

#include <atomic>
#include <charconv>
#include <new>
#include <system_error>
#include <type_traits>

namespace records {

namespace {

// "<target>.~<pid>-<n>": the writer's process id tells a leftover of a
// killed writer from a file being written right now.
constexpr std::string_view kTemporaryMark = ".~";
constexpr int kUpdateLockWaitMs = 5000;

// File systems hold names of at most 255 units (bytes, or UTF-16 units on
// Windows).
constexpr std::size_t kMaxNameUnits = 255;

std::filesystem::path temporaryName(const std::filesystem::path &target)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix =
        std::string(kTemporaryMark) + std::to_string(currentProcessId()) + "-" + std::to_string(counter++);
    // A target whose name is near the limit (an attached file may be named
    // with 250 characters) keeps only the start of its name in the temporary
    // one, which would otherwise be too long to create.
    auto name = target.filename().native();
    if (name.size() + suffix.size() > kMaxNameUnits)
        name.resize(kMaxNameUnits - suffix.size());
    std::filesystem::path tmp = target.parent_path() / std::filesystem::path(name);
    tmp += suffix;
    return tmp;
}

// The writer's process id of a temporary file name, or 0 for any other name.
unsigned long temporaryWriter(const std::string &name)
{
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0)
        return 0;
    const std::string_view rest = std::string_view(name).substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size())
        return 0;
    unsigned long pid = 0;
    unsigned long serial = 0;
    const auto [pidEnd, pidError] = std::from_chars(rest.data(), rest.data() + dash, pid);
    const auto [serialEnd, serialError] = std::from_chars(rest.data() + dash + 1, rest.data() + rest.size(), serial);
    if (pidError != std::errc() || pidEnd != rest.data() + dash || serialError != std::errc()
        || serialEnd != rest.data() + rest.size())
        return 0;
    return pid;
}

// The file name with every character outside ASCII as '?': the parts that
// matter here are ASCII, and no name, UTF-8 or not, can fail to convert.
std::string asciiName(const std::filesystem::path &path)
{
    const std::filesystem::path name = path.filename();
    std::string out;
    for (const auto c : name.native()) {
        const auto code =
            static_cast<unsigned long>(static_cast<std::make_unsigned_t<std::remove_cv_t<decltype(c)>>>(c));
        out.push_back(code < 128 ? static_cast<char>(code) : '?');
    }
    return out;
}

} // namespace

std::optional<std::string> readFileHead(const std::filesystem::path &file, std::size_t length)
{
    try {
        OsFile in;
        if (!in.open(file, OsFile::Mode::ReadOnly))
            return std::nullopt;
        std::uint64_t size = 0;
        if (!in.size(size))
            return std::nullopt;
        std::string content(static_cast<std::size_t>(std::min<std::uint64_t>(size, length)), '\0');
        const std::int64_t got = in.readSome(0, content.data(), content.size());
        if (got < 0)
            return std::nullopt;
        content.resize(static_cast<std::size_t>(got));
        return content;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    } catch (const std::length_error &) {
        return std::nullopt;
    }
}

std::optional<std::string> readWholeFile(const std::filesystem::path &file)
{
    return readFileHead(file, std::string().max_size());
}

bool replaceFile(const std::filesystem::path &target, std::string_view content)
{
    const std::filesystem::path tmp = temporaryName(target);
    OsFile out;
    if (!out.open(tmp, OsFile::Mode::CreateExclusive))
        return false;
    bool ok = out.writeAt(0, content.data(), content.size());
    ok = out.sync() && ok;
    ok = out.close() && ok;
    ok = ok && renameReplacing(tmp, target);
    if (!ok) {
        removeFile(tmp);
        return false;
    }
    // The new name must survive a power cut too: a failure here is reported
    // (the content is in place, so writing it again is harmless).
    return syncFolder(target.has_parent_path() ? target.parent_path() : std::filesystem::path("."));
}

int removeStaleTemporaries(const std::filesystem::path &folder)
{
    int removed = 0;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec)
        return 0;
    for (const std::filesystem::directory_entry &entry : it) {
        std::error_code entryError;
        if (!entry.is_regular_file(entryError))
            continue;
        const unsigned long pid = temporaryWriter(asciiName(entry.path()));
        if (pid == 0 || pid == currentProcessId() || processAlive(pid))
            continue;
        if (removeFile(entry.path()))
            ++removed;
    }
    return removed;
}

FileUpdateLock::FileUpdateLock(const std::filesystem::path &target)
{
    std::filesystem::path lock = target;
    lock += ".lock";
    m_held = m_file.open(lock, OsFile::Mode::ReadWrite) && m_file.lockExclusive(kUpdateLockWaitMs);
}

} // namespace records
