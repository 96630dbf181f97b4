#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testing {

TempDataFolder::TempDataFolder()
    : m_previous(qgetenv("XDG_DATA_HOME")), m_hadPrevious(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", m_dir.path().toUtf8());
}

TempDataFolder::~TempDataFolder()
{
    if (m_hadPrevious)
        qputenv("XDG_DATA_HOME", m_previous);
    else
        qunsetenv("XDG_DATA_HOME");
}

QString TempDataFolder::dataFolder() const { return m_dir.path() + QStringLiteral("/Drivora"); }

QString TempDataFolder::file(const QString &name) const { return dataFolder() + QLatin1Char('/') + name; }

std::filesystem::path TempDataFolder::path(const QString &name) const
{
    return std::filesystem::path(file(name).toStdString());
}

QByteArray encodeRecord(const records::Layout &layout, const std::map<std::string, QByteArray> &values, char filler)
{
    QByteArray out;
    for (const records::FieldDef &f : layout.fields()) {
        QByteArray field(f.capacity + 1, filler);
        const auto it = values.find(std::string(f.name));
        if (it != values.end()) {
            const QByteArray v = it->second.left(f.capacity);
            field[0] = static_cast<char>(v.size());
            field.replace(1, v.size(), v);
        } else {
            field[0] = 0;
        }
        out += field;
    }
    return out;
}

QByteArray fieldBytes(const records::Layout &layout, const QByteArray &record, const std::string &name)
{
    const auto index = layout.indexOf(name);
    if (!index)
        return {};
    const auto offset = static_cast<qsizetype>(layout.offset(*index));
    const int length = static_cast<unsigned char>(record.at(offset));
    return record.mid(offset + 1, length);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

} // namespace testing
