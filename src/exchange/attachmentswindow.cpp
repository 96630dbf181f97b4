#include "exchange/attachmentswindow.h"

#include "records/codepage.h"
#include "records/datafolder.h"
#include "records/safefile.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/tmisc.h"
#include "ui/editor/editorwindow.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/gradientwidget.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSvgWidget>

#include <system_error>

namespace exchange {

namespace {

constexpr QSize kClientArea(634, 534);
const QColor kSlotTop(0xA8, 0xCA, 0xE5);
const QColor kCardBorder(0x1F, 0x3A, 0x5F);

// The caller words and the editors they name: the word is the opener's own,
// and Apply writes into that editor only.
struct CallerEditor {
    const char *word;
    const char *className;
};
constexpr std::array<CallerEditor, 2> kCallers{{{"clients", "TfrmClients"}, {"fleet", "TfrmFleet"}}};

QString twoDigits(int slot) { return QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0')); }

QLabel *hiddenLabel(const ui::EditorWindow *editor, const QString &name)
{
    return editor ? editor->findChild<QLabel *>(name) : nullptr;
}

// A picture button pressed with Enter or Space once it has the focus, so the
// slot can be cleared from the keyboard too.
class KeyPress final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                static_cast<QAbstractButton *>(watched)->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Whether the record's 8-bit field holds `name` whole: every character in
// the code page and no more than the field's capacity.
enum class NameFit { Fits, TooLong, NotStorable };

NameFit fitsRecordField(const QString &name)
{
    const std::string utf8 = ui::toStd(name);
    const std::string bytes = records::toCp1252(utf8);
    if (records::fromCp1252(bytes) != utf8)
        return NameFit::NotStorable;
    if (bytes.size() > static_cast<std::size_t>(kAttachmentFieldCapacity))
        return NameFit::TooLong;
    return NameFit::Fits;
}

} // namespace

std::filesystem::path attachmentsFolder()
{
    const std::filesystem::path folder = records::dataFolderPath() / "Attachments";
    records::ensureFolder(folder);
    return folder;
}

QString attachmentName(const QString &name)
{
    const QString trimmed = ui::trimControl(name);
    qsizetype cut = std::max(trimmed.lastIndexOf(QLatin1Char('/')), trimmed.lastIndexOf(QLatin1Char('\\')));
#ifdef Q_OS_WIN
    // "C:name" is relative to another drive there, "name:x" a hidden stream.
    cut = std::max(cut, trimmed.lastIndexOf(QLatin1Char(':')));
#endif
    const QString last = ui::trimControl(trimmed.mid(cut + 1));
    if (last == QLatin1String(".") || last == QLatin1String(".."))
        return {};
    return last;
}

std::filesystem::path attachmentPath(const QString &name)
{
    const QString file = attachmentName(name);
    if (file.isEmpty())
        return {};
    return attachmentsFolder() / ui::fromQtPath(file);
}

TfrmAllegaCartella::TfrmAllegaCartella(ui::EditorWindow *editor)
    : ui::UseWindow({QStringLiteral("TfrmAllegaCartella"), QStringLiteral(" Attached Files"), QColor(0xEB, 0xE9, 0xE9),
                     Qt::white, false, true},
                    editor),
      m_editor(editor)
{
    setFixedSize(kClientArea);
    setAccessibleName(QStringLiteral("Attached Files"));

    auto *card = ui::makeBox(Qt::white, this, 8);
    card->setObjectName(QStringLiteral("shpCard"));
    card->setBorder(kCardBorder);
    card->setGeometry(12, 12, 610, 462);

    auto *banner = new QSvgWidget(QStringLiteral(":/artwork/banner_attachments.svg"), card);
    banner->setObjectName(QStringLiteral("imgBanner"));
    banner->setAccessibleName(QStringLiteral("Use Browse to select the documents to attach, describe each one in its "
                                             "Description field, click Apply and close, then save the record."));
    banner->setGeometry(8, 8, 594, 96);

    QList<QWidget *> tabOrder;
    for (int slot = 0; slot < kSlots; ++slot) {
        QWidget *box = makeSlot(slot, card);
        box->setGeometry(8, 112 + slot * 116, 594, 108);
        const Slot &s = m_slots.at(static_cast<std::size_t>(slot));
        tabOrder << s.file << s.eraser << s.browse << s.open << s.desc;
    }

    const QFont buttonFont = ui::windowFont(QStringLiteral("Tahoma"), 13, true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("btnAnnulla"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->setFont(buttonFont);
    m_cancel->setGeometry(12, 486, 150, 36);
    m_cancel->setCursor(Qt::PointingHandCursor);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    m_apply = new QPushButton(QStringLiteral("Apply and close"), this);
    m_apply->setObjectName(QStringLiteral("btnApplica"));
    m_apply->setAccessibleName(QStringLiteral("Apply and close"));
    m_apply->setFont(buttonFont);
    m_apply->setGeometry(442, 486, 180, 36);
    m_apply->setCursor(Qt::PointingHandCursor);
    connect(m_apply, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    tabOrder << m_cancel << m_apply;

    for (qsizetype k = 1; k < tabOrder.size(); ++k)
        setTabOrder(tabOrder.at(k - 1), tabOrder.at(k));
    // Enter in a description goes on to the next one and from the last to
    // Apply; it never closes the window by itself.
    for (int slot = 0; slot < kSlots; ++slot)
        ui::moveFocusOnEnter(descField(slot),
                             slot + 1 < kSlots ? static_cast<QWidget *>(descField(slot + 1)) : m_apply);
}

QWidget *TfrmAllegaCartella::makeSlot(int slot, QWidget *parent)
{
    Slot &s = m_slots.at(static_cast<std::size_t>(slot));
    const QString nn = twoDigits(slot);
    const QString number = QString::number(slot + 1);

    auto *box = new ui::GradientWidget(kSlotTop, Qt::white, parent);
    box->setObjectName(QStringLiteral("shpSlot") + nn);
    box->setRadius(6);
    box->setBorder(QColor(0x9D, 0xB6, 0xCE));

    const QFont labelFont = ui::windowFont(QStringLiteral("Tahoma"), 13, true);
    auto *fileTitle = new QLabel(QStringLiteral("Attached File %1:").arg(number), box);
    fileTitle->setObjectName(QStringLiteral("lblCampo") + twoDigits(slot * 2));
    fileTitle->setFont(labelFont);
    fileTitle->setGeometry(12, 6, 300, 20);

    s.file = new QLineEdit(box);
    s.file->setObjectName(QStringLiteral("txtFile") + nn);
    s.file->setAccessibleName(QStringLiteral("Attached file %1").arg(number));
    s.file->setReadOnly(true);
    s.file->setMaxLength(kAttachmentFieldCapacity);
    s.file->setFont(ui::windowFont(QStringLiteral("Verdana"), 12, true));
    s.file->setStyleSheet(QStringLiteral("QLineEdit { color: #707070; background-color: #F4F4F4; "
                                         "border: 1px solid #87CEEB; padding: 0 3px; }"));
    s.file->setGeometry(12, 28, 352, 30);
    fileTitle->setBuddy(s.file);

    s.eraser = new ui::PictureButton(QStringLiteral("imgCancella") + nn, QStringLiteral(":/artwork/eraser.svg"),
                                     QStringLiteral("Clear attached file %1").arg(number), box);
    // Unlike the editors' picture buttons, the erasers are in the Tab order:
    // this window has no field cycle to keep, and a slot must be clearable
    // from the keyboard.
    s.eraser->setFocusPolicy(Qt::StrongFocus);
    s.eraser->installEventFilter(new KeyPress(s.eraser));
    s.eraser->setGeometry(370, 31, 32, 24);

    const QFont buttonFont = ui::windowFont(QStringLiteral("Tahoma"), 12, true);
    s.browse = new QPushButton(QStringLiteral("Browse..."), box);
    s.browse->setObjectName(QStringLiteral("btnSfoglia") + nn);
    s.browse->setAccessibleName(QStringLiteral("Browse for attached file %1").arg(number));
    s.browse->setFont(buttonFont);
    s.browse->setCursor(Qt::PointingHandCursor);
    s.browse->setAutoDefault(true);
    s.browse->setGeometry(410, 26, 86, 34);

    s.open = new QPushButton(QStringLiteral("Open"), box);
    s.open->setObjectName(QStringLiteral("btnApri") + nn);
    s.open->setAccessibleName(QStringLiteral("Open attached file %1").arg(number));
    s.open->setFont(buttonFont);
    s.open->setCursor(Qt::PointingHandCursor);
    s.open->setAutoDefault(true);
    s.open->setGeometry(502, 26, 80, 34);
    s.open->setEnabled(false);

    auto *descTitle = new QLabel(QStringLiteral("Description:"), box);
    descTitle->setObjectName(QStringLiteral("lblCampo") + twoDigits(slot * 2 + 1));
    descTitle->setFont(labelFont);
    descTitle->setGeometry(12, 70, 110, 24);

    s.desc = new QLineEdit(box);
    s.desc->setObjectName(QStringLiteral("txtDesc") + nn);
    s.desc->setAccessibleName(QStringLiteral("Description of attached file %1").arg(number));
    s.desc->setMaxLength(kAttachmentFieldCapacity);
    ui::styleEditorField(s.desc, ui::colours::white);
    s.desc->setFixedHeight(30);
    s.desc->setGeometry(124, 66, 458, 30);
    descTitle->setBuddy(s.desc);

    connect(s.browse, &QPushButton::clicked, this, [this, slot]() { btnSfogliaClick(slot); });
    connect(s.open, &QPushButton::clicked, this, [this, slot]() { btnApriClick(slot); });
    connect(s.eraser, &QAbstractButton::clicked, this, [this, slot]() { imgCancellaClick(slot); });
    connect(s.file, &QLineEdit::textChanged, this, [this, slot]() { txtFileChange(slot); });
    return box;
}

void TfrmAllegaCartella::loadFrom(const ui::EditorWindow *editor)
{
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString nn = twoDigits(slot);
        const QLabel *file = hiddenLabel(editor, QStringLiteral("lblFile") + nn);
        const QLabel *desc = hiddenLabel(editor, QStringLiteral("lblDesc") + nn);
        fileField(slot)->setText(file ? ui::trimControl(file->text()) : QString());
        descField(slot)->setText(desc ? ui::trimControl(desc->text()) : QString());
        // Also when the text did not change: the button follows the name.
        txtFileChange(slot);
    }
}

void TfrmAllegaCartella::formShow() { m_slots[0].browse->setFocus(); }

void TfrmAllegaCartella::txtFileChange(int slot)
{
    const Slot &s = m_slots.at(static_cast<std::size_t>(slot));
    s.open->setEnabled(!ui::trimControl(s.file->text()).isEmpty());
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    // Only the name goes: the stored copy may be named by other records.
    fileField(slot)->clear();
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    ui::FileDialogRequest request;
    request.title = kAttachDialogTitle;
    request.filter = kAttachDialogFilter;
    const QString chosen = ui::Dialogs::instance().openFileName(this, request);
    if (chosen.isEmpty())
        return;
    const QString name = attachmentName(chosen);
    if (name.isEmpty())
        return;
    // A name cut to the field's capacity would name another file, or none.
    switch (fitsRecordField(name)) {
    case NameFit::TooLong:
        ui::warning(this, kNameTooLong);
        return;
    case NameFit::NotStorable:
        ui::warning(this, kNameNotStorable);
        return;
    case NameFit::Fits:
        break;
    }
    fileField(slot)->setText(name);

    try {
        const std::filesystem::path target = attachmentPath(name);
        if (target.empty())
            return;
        std::error_code error;
        if (std::filesystem::exists(target, error) && !ui::confirm(this, kOverwriteQuestion))
            return;
        // Read whole before writing: the chosen file may be the stored copy.
        const std::optional<std::string> content = records::readWholeFile(ui::fromQtPath(chosen));
        if (!content)
            return;
        records::replaceFile(target, *content);
    } catch (const std::exception &) {
        // Browse reports nothing; the field keeps the chosen name.
    }
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    try {
        // The folder is made even for a name that opens nothing.
        const std::filesystem::path folder = attachmentsFolder();
        const QString name = attachmentName(fileField(slot)->text());
        if (name.isEmpty())
            return;
        const std::filesystem::path path = folder / ui::fromQtPath(name);
        TMisc::Open(QLatin1Char('"') + ui::toQtPath(path) + QLatin1Char('"'));
    } catch (const std::exception &) {
        // Open reports nothing.
    }
}

ui::EditorWindow *TfrmAllegaCartella::targetEditor() const
{
    const QString word = callerWord();
    for (const CallerEditor &caller : kCallers) {
        if (word != QLatin1String(caller.word))
            continue;
        const QString className = QLatin1String(caller.className);
        if (m_editor && m_editor->objectName() == className)
            return m_editor;
        // A word of the other editor writes into that editor, wherever the
        // window was opened from.
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == className) {
                if (auto *editor = qobject_cast<ui::EditorWindow *>(widget))
                    return editor;
            }
        }
    }
    return nullptr;
}

void TfrmAllegaCartella::btnApplicaClick()
{
    ui::EditorWindow *editor = targetEditor();
    if (!editor)
        return;
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString nn = twoDigits(slot);
        if (QLabel *file = hiddenLabel(editor, QStringLiteral("lblFile") + nn))
            file->setText(ui::trimControl(fileField(slot)->text()));
        if (QLabel *desc = hiddenLabel(editor, QStringLiteral("lblDesc") + nn))
            desc->setText(ui::trimControl(descField(slot)->text()));
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick() { reject(); }

void openAttachments(ui::EditorWindow *editor, const QString &callerWord)
{
    auto *window = new TfrmAllegaCartella(editor);
    window->setCallerWord(callerWord);
    window->loadFrom(editor);
    ui::runUseWindow(window);
}

} // namespace exchange
