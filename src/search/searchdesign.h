#pragma once

#include "records/record.h"
#include "records/recordfiles.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <filesystem>
#include <functional>

class QWidget;

namespace search {

// One criteria field of a search window: its control, caption and focus
// frame, where it stands, and (by its place in the table) the record field of
// the list's criteria it is compared with.
struct CriteriaRow {
    const char *control; // "txtName"
    const char *caption;
    const char *focusFrame; // "effCampo01"
    int row;                // 1 to 5
    bool right;             // right column
};

// What a double-click on a result line does for one caller word: writes the
// chosen record into the window that opened the search.
struct HandBack {
    QString callerWord;
    std::function<void(QWidget *caller, const records::Record &record, std::size_t position)> apply;
};

// Everything that makes one search window different from another. A new
// kind of search is a new design, not a new window.
struct SearchDesign {
    QString className; // object name of the window
    QString caption;
    QString banner;      // the banner of the criteria panel
    QString resultTitle; // the banner of the results panel
    const records::RecordFileDescriptor *file = nullptr;
    // The criteria and result lines; the pending issues list has no criteria
    // and lists the clients whose `listedWhen` field is not empty.
    const records::ResultList *list = nullptr;
    QList<CriteriaRow> criteria;
    std::string_view listedWhen;
    QString printTitle;
    // For record files the user chose (the year's agreements): the file, as
    // the caller names it.
    std::function<std::filesystem::path(QWidget *caller)> chosenFile;
    QList<HandBack> handBacks;
    // The pending issues list hands back to its caller whatever the word.
    bool anyCallerWord = false;

    bool hasCriteria() const { return !criteria.isEmpty(); }
};

} // namespace search
