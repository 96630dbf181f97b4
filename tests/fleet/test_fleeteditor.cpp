#include "app/startup.h"
#include "fleet/fleeteditor.h"
#include "fleet/picturebox.h"
#include "support/editorcases.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
using fleet::TfrmFleet;

// What only the fleet editor does; the behaviour it shares with the other
// editors is tested in tests/ui/test_editors.cpp, its photos in
// test_fleetphotos.cpp.
class TestFleetEditor final : public QObject, private testing::EditorControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithThePlaceholderPhoto();
    void titlesStandAboveTheirFields_data();
    void titlesStandAboveTheirFields();
    void saveTakesTheFocusFromTheField();
    void launcherTileOpensTheEditorAndClosingReturns();

private:
    TfrmFleet *m_editor = nullptr;
};

void TestFleetEditor::initTestCase() { app::prepareApplication(*qApp); }

void TestFleetEditor::init()
{
    QVERIFY(openEditor(testing::fleetCase()));
    m_editor = qobject_cast<TfrmFleet *>(window());
}

void TestFleetEditor::cleanup()
{
    m_editor = nullptr;
    closeEditor();
}

void TestFleetEditor::opensWithThePlaceholderPhoto()
{
    auto *btnFocus = m_editor->findChild<QPushButton *>(QStringLiteral("btnFocus"));
    QVERIFY(btnFocus);
    QVERIFY(!btnFocus->isVisible());
    QVERIFY(m_editor->photo().isPlaceholder());
    QVERIFY(!m_editor->findChild<fleet::PictureBox *>(QStringLiteral("imgBianco"))->isVisible());
}

void TestFleetEditor::titlesStandAboveTheirFields_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("field");
    for (const testing::EditorCase::Title &t : testing::fleetCase().titles)
        QTest::newRow(qPrintable(t.field)) << t.label << t.field;
}

void TestFleetEditor::titlesStandAboveTheirFields()
{
    QFETCH(QString, title);
    QFETCH(QString, field);
    QLabel *caption = label(title);
    QLineEdit *edit = this->edit(field);
    QVERIFY(caption);
    QVERIFY(edit);
    const QRect titleRect(caption->mapTo(m_editor, QPoint(0, 0)), caption->size());
    const QRect fieldRect(edit->mapTo(m_editor, QPoint(0, 0)), edit->size());
    QVERIFY(titleRect.bottom() < fieldRect.top());
    QVERIFY(fieldRect.top() - titleRect.bottom() < 10);
    QCOMPARE(titleRect.left(), fieldRect.left());
}

void TestFleetEditor::saveTakesTheFocusFromTheField()
{
    testing::fillRequired(m_editor, testing::fleetCase());
    QLineEdit *notes = edit(QStringLiteral("txtNotes"));
    notes->setFocus();
    QVERIFY(notes->hasFocus());
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(dialogs().lastText(), QStringLiteral("Record saved successfully."));
    for (const QString &name : testing::fleetCase().fields)
        QVERIFY2(!edit(name)->hasFocus(), qPrintable(name));
    QVERIFY(!m_editor->findChild<QPushButton *>(QStringLiteral("btnFocus"))->isVisible());
}

void TestFleetEditor::launcherTileOpensTheEditorAndClosingReturns()
{
    const QList<QWidget *> windows = app::createWindows();
    QWidget *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    auto *editor = ui::primary<TfrmFleet>(QStringLiteral("TfrmFleet"));
    QVERIFY(editor);
    QVERIFY(editor != m_editor);
    ui::showPrimary(launcher);
    for (const char *tile : {"imgApp01", "btnApp01", "ItaApp01"}) {
        launcher->findChild<ui::PictureButton *>(QString::fromLatin1(tile))->click();
        QVERIFY(editor->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(), QString());
        editor->findChild<ui::PictureButton *>(QStringLiteral("cmdEsci"))->click();
        QVERIFY(!editor->isVisible());
        QVERIFY(launcher->isVisible());
    }
    app::destroyWindows(windows);
}

QTEST_MAIN(TestFleetEditor)
#include "test_fleeteditor.moc"
