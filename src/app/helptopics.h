#pragma once

#include <QList>
#include <QString>

namespace help {

// The help topics, one per window that has a help button.
enum class Topic {
    Overview,   // the launcher
    Clients,    // the client editor
    Fleet,      // the vehicle editor
    Agreements, // the year selection window and the agreement editor
    Export,     // the client and agreement export windows
    ExportFleet // the vehicle export window: the same text, its own title
};

// One paragraph of a topic and the topic that owns it: the overview shows
// the paragraphs of the vehicle, client and agreement topics among its own.
struct Paragraph {
    QString text;
    Topic owner = Topic::Overview;
};

// The topics are the text files of resources/help/ compiled into the
// program; their titles and files are listed once in helptopics.cpp.
QString topicTitle(Topic topic);
QList<Paragraph> topicParagraphs(Topic topic);
// The text as the help window shows it: the paragraphs separated by
// CR LF CR LF.
QString topicText(Topic topic);

inline constexpr Topic kAllTopics[] = {Topic::Overview,   Topic::Clients, Topic::Fleet,
                                       Topic::Agreements, Topic::Export,  Topic::ExportFleet};

// The initial access password that the overview names, the one the seed
// password file of the installation holds.
QString initialPassword();

} // namespace help
