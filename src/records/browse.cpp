#include "records/browse.h"

#include "records/recordfile.h"
#include "records/textutil.h"

#include <charconv>

namespace records {

std::size_t parsePosition(std::string_view text)
{
    text = trimControl(text);
    if (text.empty())
        return 0;
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        throw RecordFileError("not a record position: " + std::string(text));
    return value;
}

namespace {

BrowseResult readShown(RecordFile &file, Record &buffer, std::size_t index)
{
    file.seek(index);
    file.read(buffer);
    const std::size_t position = file.index();
    file.close();
    return {BrowseOutcome::Shown, std::to_string(position)};
}

} // namespace

BrowseResult browseFirst(const std::filesystem::path &path, Record &buffer)
{
    RecordFile file(path, buffer.layout().recordLength());
    if (file.count() == 0) {
        file.close();
        return {BrowseOutcome::Empty, std::nullopt};
    }
    return readShown(file, buffer, 0);
}

BrowseResult browseLast(const std::filesystem::path &path, Record &buffer)
{
    RecordFile file(path, buffer.layout().recordLength());
    const std::size_t n = file.count();
    if (n == 0) {
        file.close();
        return {BrowseOutcome::Empty, std::nullopt};
    }
    return readShown(file, buffer, n - 1);
}

BrowseResult browseNext(const std::filesystem::path &path, Record &buffer, std::string_view position)
{
    RecordFile file(path, buffer.layout().recordLength());
    const std::size_t p = parsePosition(position);
    const std::size_t n = file.count();
    if (n == 0) {
        file.close();
        return {BrowseOutcome::Empty, std::string()};
    }
    if (p < n)
        return readShown(file, buffer, p);
    file.close();
    return {BrowseOutcome::Nothing, std::nullopt};
}

BrowseResult browsePrevious(const std::filesystem::path &path, Record &buffer, std::string_view position)
{
    RecordFile file(path, buffer.layout().recordLength());
    if (trimControl(position) == "1") {
        file.close();
        return {BrowseOutcome::Nothing, std::nullopt};
    }
    if (file.count() == 0) {
        file.close();
        return {BrowseOutcome::Empty, std::nullopt};
    }
    const std::size_t p = parsePosition(position);
    if (p == 0)
        return readShown(file, buffer, 0);
    return readShown(file, buffer, p - 2);
}

SaveResult saveRecord(const std::filesystem::path &path, const Record &record, std::string_view position)
{
    RecordFile file(path, record.layout().recordLength());
    const std::size_t p = parsePosition(position);
    if (p > 0) {
        file.seek(p - 1);
        file.write(record);
        const std::size_t written = file.index();
        file.close();
        return {SaveOutcome::Overwritten, written};
    }
    file.seek(file.count());
    file.write(record);
    const std::size_t written = file.index();
    file.close();
    return {SaveOutcome::Appended, written};
}

std::size_t recordCount(const std::filesystem::path &path, std::size_t recordLength)
{
    RecordFile file(path, recordLength);
    const std::size_t n = file.count();
    file.close();
    return n;
}

void readRecordAt(const std::filesystem::path &path, Record &buffer, std::size_t position)
{
    RecordFile file(path, buffer.layout().recordLength());
    if (position == 0)
        throw RecordFileError("no record at position 0");
    file.seek(position - 1);
    file.read(buffer);
    file.close();
}

} // namespace records
