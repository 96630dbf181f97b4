#pragma once

#include "records/layout.h"
#include "records/record.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testing {

// Points XDG_DATA_HOME at a fresh temporary folder for the lifetime of the
// object, so the program's data folder is <tmp>/Drivora.
class TempDataFolder final
{
public:
    TempDataFolder();
    ~TempDataFolder();

    QString root() const { return m_dir.path(); }
    QString dataFolder() const;
    QString file(const QString &name) const;
    std::filesystem::path path(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

// Builds the exact bytes of one record the way an independent writer
// following the byte layout would: each field is a length byte and the
// Windows-1252 bytes, padded with `filler`. Values are Latin-1 strings.
QByteArray encodeRecord(const records::Layout &layout, const std::map<std::string, QByteArray> &values,
                        char filler = '\0');
// Field value of raw record bytes by name (for reading back independently).
QByteArray fieldBytes(const records::Layout &layout, const QByteArray &record, const std::string &name);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace testing
