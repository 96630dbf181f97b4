#include "app/helptopics.h"

#include <QFile>
#include <QStringList>

#include <stdexcept>

namespace help {

namespace {

struct TopicSource {
    Topic topic;
    const char *file; // resources/help/<file>.txt
    const char *title;
};

// The vehicle export window's title has no full stop: the windows were
// captioned that way and users know them by it.
// clang-format off
constexpr TopicSource kSources[] = {
    {Topic::Overview,    "overview",   "Uno sguardo a Carvello"},
    {Topic::Clients,     "clients",    "App Client Database (Archivio Clienti)"},
    {Topic::Fleet,       "fleet",      "App Vehicle Fleet (Flotta Veicoli)"},
    {Topic::Agreements,  "agreements", "App Rental Agreements (Contratti di Noleggio)"},
    {Topic::Export,      "export",     "Export database to Microsoft Excel."},
    {Topic::ExportFleet, "export",     "Export database to Microsoft Excel"},
};
// clang-format on

const TopicSource &source(Topic topic)
{
    for (const TopicSource &s : kSources) {
        if (s.topic == topic)
            return s;
    }
    throw std::logic_error("help topic without a source");
}

// The first topic reading a file owns its paragraphs; the vehicle export
// topic borrows the export file but the paragraphs remain the export's.
Topic ownerOf(const QString &file)
{
    for (const TopicSource &s : kSources) {
        if (file == QLatin1String(s.file))
            return s.topic;
    }
    throw std::logic_error("help topic file without a topic");
}

QList<Paragraph> readTopicFile(const QString &file, int depth)
{
    QFile in(QStringLiteral(":/help/%1.txt").arg(file));
    // The files are compiled in: a missing one is a build fault, not a
    // situation the user can meet.
    if (depth > 4 || !in.open(QIODevice::ReadOnly))
        throw std::logic_error("help topic file missing or included in a loop");
    const Topic owner = ownerOf(file);
    QList<Paragraph> out;
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('@'))) {
            out += readTopicFile(line.mid(1), depth + 1);
            continue;
        }
        line.replace(QStringLiteral("{password}"), initialPassword());
        out.append({line, owner});
    }
    return out;
}

} // namespace

QString initialPassword() { return QStringLiteral(CARVELLO_INITIAL_PASSWORD); }

QString topicTitle(Topic topic) { return QString::fromUtf8(source(topic).title); }

QList<Paragraph> topicParagraphs(Topic topic) { return readTopicFile(QString::fromUtf8(source(topic).file), 0); }

QString topicText(Topic topic)
{
    QStringList texts;
    for (const Paragraph &p : topicParagraphs(topic))
        texts.append(p.text);
    return texts.join(QStringLiteral("\r\n\r\n"));
}

} // namespace help
