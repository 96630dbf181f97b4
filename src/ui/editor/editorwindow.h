#pragma once

#include "records/layout.h"
#include "ui/editor/editorengine.h"
#include "ui/widgets/fieldbehaviour.h"
#include "ui/widgets/gradientwidget.h"

#include <QList>

#include <span>
#include <string_view>

class QLabel;
class QLineEdit;
class QBoxLayout;

namespace ui {

class HintBar;
class PictureButton;

enum class Language { English, Italian };

// The buttons every editor has, with the same pictures and hints in all
// three; only their object names differ.
struct RecordButtonNames {
    const char *newRecord, *duplicate, *save, *first, *previous, *next, *last, *close;
};
struct RecordButtons {
    PictureButton *newRecord, *duplicate, *save, *first, *previous, *next, *last, *close;
};

// One row of an editor's field table: everything a window needs to know
// about a record field that the record layout does not say.
struct EditorFieldDef {
    std::string_view name; // record field; the control is "txt" + name
    const char *english;   // nullptr: the field has no title label
    const char *italian;
    int width;    // design units
    int row;      // row within its area
    int area = 0; // editors with several field boxes number them
    bool whiteRest = false;
    TypingFilter filter = TypingFilter::None;
    bool titleLeft = false; // title beside the field instead of above it
    // Number of the title label when the titles are not numbered in table
    // order; 0 takes the next number.
    int titleNumber = 0;
};

// Window chrome and wiring shared by the three record editors: gradient
// background, centred panel, picture buttons with hints, the position label,
// the fields of the table with their titles in two languages, the hidden
// attachment labels, the hint bar, the flags and the browse-and-save engine.
// Closing the window brings the launcher back.
class EditorWindow : public GradientWidget
{
    Q_OBJECT

public:
    EditorWindow(const QString &className, const QString &caption, const QColor &gradientTop, const QString &greeting,
                 QWidget *parent = nullptr);

    RecordEditorEngine *engine() const { return m_engine; }
    HintBar *hintBar() const { return m_hintBar; }
    QLabel *positionLabel() const { return m_position; }
    QLineEdit *field(std::string_view name) const;
    // Puts the named fields of `record` (another file's record may share
    // field names with this editor's) into the editor's fields of the same
    // name, trimmed, empty ones too; nothing else changes.
    void copyFields(const records::Record &record, std::span<const std::string_view> names);
    void setLanguage(Language language);
    Language language() const { return m_language; }

protected:
    // Building blocks, in the order a subclass uses them.
    QWidget *panel() const { return m_panel; }
    void setPanelSize(int width, int height);
    PictureButton *makeButton(const QString &name, const QString &picture, const QString &hint, QWidget *parent,
                              QSize size = QSize(36, 36));
    // Creates the record buttons; the close button is already connected.
    RecordButtons makeRecordButtons(const RecordButtonNames &names, QWidget *parent);
    QWidget *makeToolbarBox(const QList<QWidget *> &items, QWidget *parent);
    QLabel *makePositionLabel(QWidget *parent);
    // Creates the text fields and titles of the table (titles named
    // `titlePrefix` + three-digit number, in table order unless the row gives
    // its number) and the hidden labels.
    void makeFields(std::span<const EditorFieldDef> table, const records::Layout &layout, const QString &titlePrefix);
    // Lays the fields of one area out in rows, titles above their fields.
    QWidget *buildArea(int area, QWidget *parent, int rowSpacing = 6, int columnSpacing = 10);
    QWidget *fieldColumn(const EditorFieldDef &def, QWidget *parent);
    QWidget *makeFlags(QWidget *parent);
    // Puts `widget` right of the field in its row (an icon beside a field).
    void placeAfter(std::string_view field, QWidget *widget);
    // Connects the engine to the editor's record file once every control
    // exists; the Enter chain and tab order follow the table.
    void createEngine(const records::RecordFileDescriptor &file, RecordEditorEngine::ChosenFile chosen = {});
    // Moving over these clears the hint bar.
    void clearsHint(const QList<QWidget *> &areas);

    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *m_panel = nullptr;
    QWidget *m_panelHost = nullptr;
    HintBar *m_hintBar = nullptr;
    QLabel *m_position = nullptr;
    RecordEditorEngine *m_engine = nullptr;
    Language m_language = Language::English;

    struct FieldEntry {
        EditorFieldDef def;
        QLineEdit *edit;
        QLabel *title;
    };
    QList<FieldEntry> m_fields;
    QList<QPair<std::string_view, QWidget *>> m_after;
};

} // namespace ui
