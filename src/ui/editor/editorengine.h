#pragma once

#include "records/browse.h"
#include "records/record.h"
#include "records/recordfiles.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>

class QLabel;
class QWidget;

namespace ui {

struct RequiredField {
    QString control;
    QString warning;
};

namespace messages {
inline const QString noRecord = QStringLiteral("The database contains no record.");
inline const QString cannotOpen = QStringLiteral("Unable to open the database.\n\r\n\rMake sure you have "
                                                 "administration privileges for the app installation folder.");
inline const QString saved = QStringLiteral("Record saved successfully.");
inline const QString changesSaved = QStringLiteral("Changes to record saved successfully.");
inline const QString duplicateRefused =
    QStringLiteral("Incorrect use of the function.\n\r\n\rYou can only duplicate a record after saving it.");
inline const QString duplicateDone =
    QStringLiteral("You can now edit the record.\n\r\n\rWhen you finish, press the Save button to save the changes.");
} // namespace messages

// The browse-and-save engine the three editors share. It maps every field of
// a record layout to the window's control of the same name ("txt" + name for
// text fields, "lbl" + name for hidden labels), runs First, Previous, Next,
// Last, Save, New and Duplicate on the editor's record file and reports with
// the program's messages. Editors add their own steps through the hooks.
class RecordEditorEngine final : public QObject
{
    Q_OBJECT

public:
    // The file the user chose, for record files that live where the user
    // says (the yearly agreement files).
    using ChosenFile = std::function<std::filesystem::path()>;

    RecordEditorEngine(QWidget *window, const records::RecordFileDescriptor &file, ChosenFile chosen, QLabel *position);

    const records::Layout &layout() const { return *m_layout; }
    // The file of the next action, its folder created when missing.
    std::filesystem::path filePath() const;

    void setRequired(const QList<RequiredField> &required) { m_required = required; }
    // The field that New and Duplicate focus.
    void setFirstField(QWidget *field) { m_firstField = field; }

    // Editor-specific steps. afterShow runs once a record is on screen (its
    // position set, the file closed); afterSave after the file is closed and
    // before the success message; afterClear after New or Duplicate emptied
    // the position. A hook may throw records::RecordFileError to report the
    // database error.
    std::function<void(std::size_t position)> afterShow;
    std::function<void(std::size_t position)> afterSave;
    std::function<void()> afterClear;
    // Replaces the clearing of New (the agreement editor keeps its header).
    std::function<void()> newRecordSteps;
    // Runs in Duplicate after the position was emptied, before the notice.
    std::function<void()> duplicateSteps;

    QString position() const;
    void setPosition(const QString &text);

    bool first();
    bool previous();
    bool next();
    bool last();
    bool save();
    void newRecord();
    bool duplicate();

    // Puts a record on screen as browsing does (used by search windows).
    void showRecord(const records::Record &record, std::size_t position);
    void fillControls(const records::Record &record);
    records::Record collect() const;
    // Empties every mapped control (text fields and hidden labels).
    void clearControls();
    void clearHidden();

    QWidget *control(const QString &fieldName) const;
    QList<QWidget *> textFields() const;

    static QString text(const QWidget *control);
    static void setText(QWidget *control, const QString &text);

private:
    bool runBrowse(const std::function<records::BrowseResult(records::Record &)> &step);
    bool checkRequired();
    void reportError();

    QWidget *m_window;
    const records::RecordFileDescriptor *m_file;
    const records::Layout *m_layout;
    ChosenFile m_chosen;
    QPointer<QLabel> m_position;
    QList<QPointer<QWidget>> m_controls; // one per layout field, in order
    QList<RequiredField> m_required;
    QPointer<QWidget> m_firstField;
};

} // namespace ui
