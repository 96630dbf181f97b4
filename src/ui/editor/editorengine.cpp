#include "ui/editor/editorengine.h"

#include "records/recordfile.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ui {

RecordEditorEngine::RecordEditorEngine(QWidget *window, const records::RecordFileDescriptor &file, ChosenFile chosen,
                                       QLabel *position)
    : QObject(window),
      m_window(window),
      m_file(&file),
      m_layout(&file.layout),
      m_chosen(std::move(chosen)),
      m_position(position)
{
    for (const records::FieldDef &f : m_layout->fields()) {
        const QString name = toQt(f.name);
        const QString prefix = f.kind == records::FieldKind::Hidden ? QStringLiteral("lbl") : QStringLiteral("txt");
        QWidget *w = window->findChild<QWidget *>(prefix + name);
        Q_ASSERT_X(w, "RecordEditorEngine", qPrintable(prefix + name));
        m_controls.append(w);
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setMaxLength(f.capacity);
    }
}

std::filesystem::path RecordEditorEngine::filePath() const
{
    return m_file->path(m_chosen ? m_chosen() : std::filesystem::path());
}

QString RecordEditorEngine::text(const QWidget *control)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->toPlainText();
    if (const auto *rich = qobject_cast<const QTextEdit *>(control))
        return rich->toPlainText();
    return {};
}

void RecordEditorEngine::setText(QWidget *control, const QString &text)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(text);
        edit->setCursorPosition(0);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
        label->setText(text);
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(control)) {
        plain->setPlainText(text);
    } else if (auto *rich = qobject_cast<QTextEdit *>(control)) {
        rich->setPlainText(text);
    }
}

QString RecordEditorEngine::position() const { return m_position ? m_position->text() : QString(); }

void RecordEditorEngine::setPosition(const QString &text)
{
    if (m_position)
        m_position->setText(text);
}

QWidget *RecordEditorEngine::control(const QString &fieldName) const
{
    const auto index = m_layout->indexOf(toStd(fieldName));
    return index ? m_controls.at(static_cast<qsizetype>(*index)).data() : nullptr;
}

QList<QWidget *> RecordEditorEngine::textFields() const
{
    QList<QWidget *> fields;
    for (std::size_t k = 0; k < m_layout->fieldCount(); ++k) {
        if (m_layout->field(k).kind == records::FieldKind::Text)
            fields.append(m_controls.at(static_cast<qsizetype>(k)));
    }
    return fields;
}

void RecordEditorEngine::fillControls(const records::Record &record)
{
    for (std::size_t k = 0; k < m_layout->fieldCount(); ++k)
        setText(m_controls.at(static_cast<qsizetype>(k)), toQt(record.text(k)));
}

records::Record RecordEditorEngine::collect() const
{
    records::Record record(*m_layout);
    for (std::size_t k = 0; k < m_layout->fieldCount(); ++k)
        record.setText(k, toStd(text(m_controls.at(static_cast<qsizetype>(k)))));
    return record;
}

void RecordEditorEngine::clearControls()
{
    for (QWidget *w : std::as_const(m_controls))
        setText(w, QString());
}

void RecordEditorEngine::clearHidden()
{
    for (std::size_t k = 0; k < m_layout->fieldCount(); ++k) {
        if (m_layout->field(k).kind == records::FieldKind::Hidden)
            setText(m_controls.at(static_cast<qsizetype>(k)), QString());
    }
}

void RecordEditorEngine::reportError() { error(m_window, messages::cannotOpen); }

void RecordEditorEngine::showRecord(const records::Record &record, std::size_t position)
{
    fillControls(record);
    setPosition(QString::number(position));
    if (afterShow)
        afterShow(position);
}

bool RecordEditorEngine::runBrowse(const std::function<records::BrowseResult(records::Record &)> &step)
{
    records::Record buffer(*m_layout);
    try {
        const records::BrowseResult result = step(buffer);
        if (result.position)
            setPosition(toQt(*result.position));
        switch (result.outcome) {
        case records::BrowseOutcome::Shown:
            fillControls(buffer);
            if (afterShow)
                afterShow(records::parsePosition(toStd(position())));
            return true;
        case records::BrowseOutcome::Empty:
            information(m_window, messages::noRecord);
            return false;
        case records::BrowseOutcome::Nothing:
            return false;
        }
    } catch (const records::RecordFileError &) {
        reportError();
    }
    return false;
}

bool RecordEditorEngine::first()
{
    return runBrowse([this](records::Record &b) { return records::browseFirst(filePath(), b); });
}

bool RecordEditorEngine::last()
{
    return runBrowse([this](records::Record &b) { return records::browseLast(filePath(), b); });
}

bool RecordEditorEngine::next()
{
    const std::string pos = toStd(position());
    return runBrowse([this, pos](records::Record &b) { return records::browseNext(filePath(), b, pos); });
}

bool RecordEditorEngine::previous()
{
    const std::string pos = toStd(position());
    return runBrowse([this, pos](records::Record &b) { return records::browsePrevious(filePath(), b, pos); });
}

bool RecordEditorEngine::checkRequired()
{
    for (const RequiredField &r : std::as_const(m_required)) {
        QWidget *w = m_window->findChild<QWidget *>(r.control);
        if (w && trimControl(text(w)).isEmpty()) {
            warning(m_window, r.warning);
            w->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

bool RecordEditorEngine::save()
{
    if (!checkRequired())
        return false;
    try {
        const records::SaveResult result = records::saveRecord(filePath(), collect(), toStd(position()));
        setPosition(QString::number(result.position));
        if (afterSave)
            afterSave(result.position);
        information(m_window,
                    result.outcome == records::SaveOutcome::Appended ? messages::saved : messages::changesSaved);
        return true;
    } catch (const records::RecordFileError &) {
        reportError();
    }
    return false;
}

void RecordEditorEngine::newRecord()
{
    if (newRecordSteps) {
        try {
            newRecordSteps();
        } catch (const records::RecordFileError &) {
            reportError();
        }
        return;
    }
    clearControls();
    setPosition(QString());
    if (afterClear)
        afterClear();
    if (m_firstField)
        m_firstField->setFocus(Qt::OtherFocusReason);
}

bool RecordEditorEngine::duplicate()
{
    if (trimControl(position()).isEmpty()) {
        warning(m_window, messages::duplicateRefused);
        return false;
    }
    clearHidden();
    setPosition(QString());
    try {
        if (afterClear)
            afterClear();
        if (duplicateSteps)
            duplicateSteps();
        else if (m_firstField)
            m_firstField->setFocus(Qt::OtherFocusReason);
    } catch (const records::RecordFileError &) {
        reportError();
        return false;
    }
    information(m_window, messages::duplicateDone);
    return true;
}

} // namespace ui
