#pragma once

#include "records/layout.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/scripteddialogs.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QWidget;

namespace testing {

// What every editor says when its record file cannot be opened.
inline const QString kCannotOpen = QStringLiteral("Unable to open the database.\n\r\n\rMake sure you have "
                                                  "administration privileges for the app installation folder.");

// What the user must see of one of the three record editors, written out
// independently of the program's own tables, so that the shared browse-and-
// save behaviour is tested once with a row per editor and each editor's own
// suite keeps only what is its own.
struct EditorCase {
    struct Buttons {
        QString newRecord, duplicate, save, first, previous, next, last, close;
    };
    struct Title {
        QString label, field, english, italian;
    };
    struct Required {
        QString field, warning;
    };
    struct Typed {
        QString field, typed, shown;
    };
    struct Hint {
        QString control, hint;
    };

    QString name;
    std::function<QWidget *()> create;
    const records::Layout *layout = nullptr;
    int recordBytes = 0;
    // The record file in the data folder. The agreement editor is told it by
    // the year selection window through its hidden label `lblFile`.
    QString fileName;
    bool fileInLblFile = false;
    // Written to the settings file before the window is created.
    QByteArray settings;

    QString className;
    QString title;
    QString greeting;
    QColor gradientTop;
    Buttons buttons;
    // The field cycle (Enter chain and Tab order), which is also the order of
    // the record's text fields.
    QStringList fields;
    QStringList whiteFields; // resting colour white instead of alice blue
    QStringList centredFields;
    QMap<QString, int> capacities; // written out for the fields that matter most
    QStringList hidden;            // hidden labels of the attachments
    // Fields a new record keeps from the one before (the agreement header).
    QStringList header;
    // Fields a new record is not empty in.
    QMap<QString, QString> newRecordValues;
    // What Duplicate puts in place of the copied text.
    QMap<QString, QString> duplicateValues;
    QString openingFocus, newFocus, duplicateFocus;
    // A field that every record shows and New empties.
    QString typedField;
    // A field of few characters whose length byte a damaged file may overstate.
    QString shortField;
    QList<Required> required; // in the order they are checked
    QList<Title> titles;
    QString titlePrefix;
    QList<Typed> typing;    // every field with a typing filter has rows here
    QList<Hint> ownButtons; // picture buttons besides the record buttons and the flags
    QStringList absentControls;
    // Areas other than the main panel that clear the hint bar.
    QStringList hintClearingAreas;
    // The editor's own parts besides the fields show no record (the photo).
    std::function<bool(QWidget *)> extrasBlank = [](QWidget *) { return true; };
};

const EditorCase &clientCase();
const EditorCase &fleetCase();
const EditorCase &agreementCase();
// The three, in the order of the shared suite's rows.
const QList<const EditorCase *> &editorCases();

// The hints of the buttons every editor has, the same in all three.
QList<EditorCase::Hint> recordButtonHints(const EditorCase &editor);

// Puts `text` into every required field of the editor.
void fillRequired(QWidget *window, const EditorCase &editor, const QString &text = QStringLiteral("x"));

// One editor under test: a fresh data folder, scripted dialogs and the window,
// created in that order and destroyed in the reverse one.
class EditorSession final
{
public:
    explicit EditorSession(const EditorCase &editor);
    ~EditorSession();
    Q_DISABLE_COPY_MOVE(EditorSession)

    const EditorCase &editor() const { return m_editor; }
    TempDataFolder &data() { return m_data; }
    ui::ScriptedDialogs &dialogs() { return m_dialogs; }
    QWidget *window() const { return m_window.get(); }
    QString recordFile() const { return m_data.file(m_editor.fileName); }
    QString settingsFile() const;
    // Shows the window on a screen of the usual size and activates it.
    bool show();

private:
    const EditorCase &m_editor;
    TempDataFolder m_data;
    ui::ScriptedDialogs m_dialogs;
    std::unique_ptr<QWidget> m_window;
};

// The controls of an editor opened in a session of its own, for the suites
// that test one editor window at a time.
class EditorControls : public WindowControls
{
public:
    // False when the window could not be shown.
    bool openEditor(const EditorCase &editor);
    void closeEditor();
    EditorSession &session() const { return *m_session; }
    ui::ScriptedDialogs &dialogs() const { return m_session->dialogs(); }

private:
    std::unique_ptr<EditorSession> m_session;
};

} // namespace testing
