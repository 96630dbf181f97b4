#pragma once

#include "ui/widgets/usewindow.h"

#include <QPointer>
#include <QString>

#include <array>
#include <filesystem>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class EditorWindow;
class PictureButton;
} // namespace ui

namespace exchange {

inline const QString kAttachDialogTitle = QStringLiteral("Select the file to attach:");
inline const QString kAttachDialogFilter = QStringLiteral("All files (*.*)");
inline const QString kOverwriteQuestion =
    QStringLiteral("Esiste già un file allegato con lo stesso nome.\r\n\r\nLo si vuole sovrascrivere?");
inline const QString kNameTooLong =
    QStringLiteral("The name of the chosen file is too long to be attached.\r\n\r\nThe name of an attached file can "
                   "hold at most 250 characters: rename the file and attach it again.");
inline const QString kNameNotStorable = QStringLiteral(
    "The name of the chosen file contains characters that the record cannot hold.\r\n\r\nRename the file using only "
    "Western European letters, digits and punctuation, and attach it again.");

// Capacity of the record fields File01 to Desc03.
inline constexpr int kAttachmentFieldCapacity = 250;

// The one folder of attached copies ("Attachments" in the data folder),
// created with its parents when missing.
std::filesystem::path attachmentsFolder();

// The file-name part of a stored or chosen name: what follows the last "/"
// or "\" (and ":" on Windows). Empty when nothing usable is left ("", "a/",
// ".", ".."), so that no name, whoever wrote it into the record, reaches
// outside the folder.
QString attachmentName(const QString &name);

// The attached copy a slot name refers to; empty when the name has no usable
// file-name part.
std::filesystem::path attachmentPath(const QString &name);

// " Attached Files": the three attachment slots of the record shown in the
// editor that opened it. Browse copies a file into the attachments folder at
// once; only Apply hands the six values back to the editor, whose next Save
// writes them into the record.
class TfrmAllegaCartella final : public ui::UseWindow
{
    Q_OBJECT

public:
    static constexpr int kSlots = 3;

    explicit TfrmAllegaCartella(ui::EditorWindow *editor);

    // Fills the six fields from the trimmed hidden labels of `editor`.
    void loadFrom(const ui::EditorWindow *editor);

    QLineEdit *fileField(int slot) const { return m_slots.at(static_cast<std::size_t>(slot)).file; }
    QLineEdit *descField(int slot) const { return m_slots.at(static_cast<std::size_t>(slot)).desc; }

    void btnSfogliaClick(int slot);
    void btnApriClick(int slot);
    void imgCancellaClick(int slot);
    void txtFileChange(int slot);
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void formShow() override;

private:
    struct Slot {
        QLineEdit *file = nullptr;
        QLineEdit *desc = nullptr;
        ui::PictureButton *eraser = nullptr;
        QPushButton *browse = nullptr;
        QPushButton *open = nullptr;
    };
    QWidget *makeSlot(int slot, QWidget *parent);
    // The editor the caller word names; nullptr for a word no editor has.
    ui::EditorWindow *targetEditor() const;

    QPointer<ui::EditorWindow> m_editor;
    std::array<Slot, kSlots> m_slots{};
    QPushButton *m_apply = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Opens the attachments window for the record shown in `editor`, with
// `callerWord` ("clients" or "fleet") naming the editor that Apply writes
// the six hidden attachment labels back into.
void openAttachments(ui::EditorWindow *editor, const QString &callerWord);

} // namespace exchange
