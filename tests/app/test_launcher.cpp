#include "app/launcher.h"
#include "app/startup.h"
#include "clients/clienteditor.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestLauncher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void everyPictureOfTheClientTileOpensTheEditor_data();
    void everyPictureOfTheClientTileOpensTheEditor();
    void closingAnEditorBringsTheLauncherBack();
    void exitAndCloseEndTheProgram();
    void webStripOpensTheSite();
    void aboutWindowShowsTheSiteAndCloses();
    void dataFolderIsRecreatedWhenDeleted();

private:
    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

void TestLauncher::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_windows = app::createWindows();
    ui::showPrimary(ui::primaryWindow(QStringLiteral("TfrmAvvio")));
}

void TestLauncher::cleanup()
{
    app::destroyWindows(m_windows);
    delete m_dialogs;
    delete m_data;
}

void TestLauncher::everyPictureOfTheClientTileOpensTheEditor_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("picture") << "imgApp02";
    QTest::newRow("button") << "btnApp02";
    QTest::newRow("italian title") << "ItaApp02";
}

void TestLauncher::everyPictureOfTheClientTileOpensTheEditor()
{
    QFETCH(QString, control);
    QWidget *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    QWidget *editor = ui::primaryWindow(QStringLiteral("TfrmClients"));
    QVERIFY(launcher->isVisible());
    QVERIFY(!editor->isVisible());
    auto *tile = launcher->findChild<ui::PictureButton *>(control);
    QVERIFY(tile);
    QCOMPARE(tile->focusPolicy(), Qt::NoFocus);
    QCOMPARE(tile->cursor().shape(), Qt::PointingHandCursor);
    tile->click();
    QVERIFY(editor->isVisible());
    QVERIFY(!launcher->isVisible());
}

void TestLauncher::closingAnEditorBringsTheLauncherBack()
{
    QWidget *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    QWidget *editor = ui::primaryWindow(QStringLiteral("TfrmClients"));
    launcher->findChild<ui::PictureButton *>(QStringLiteral("btnApp02"))->click();
    QVERIFY(editor->close() == false || !editor->isVisible());
    QVERIFY(!editor->isVisible());
    QVERIFY(launcher->isVisible());
    QVERIFY(ui::primaryWindow(QStringLiteral("TfrmClients"))); // kept, not destroyed
}

void TestLauncher::exitAndCloseEndTheProgram()
{
    auto *launcher = ui::primary<app::TfrmAvvio>(QStringLiteral("TfrmAvvio"));
    QSignalSpy ends(launcher, &app::TfrmAvvio::endProgram);
    launcher->findChild<ui::PictureButton *>(QStringLiteral("imgEsci"))->click();
    QCOMPARE(ends.count(), 1);
    launcher->close();
    QCOMPARE(ends.count(), 2);
}

void TestLauncher::webStripOpensTheSite()
{
    auto *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    launcher->findChild<ui::PictureButton *>(QStringLiteral("icoSito"))->click();
    QCOMPARE(m_dialogs->opened, QStringList(app::TfrmAvvio::webSite()));
    QCOMPARE(launcher->windowTitle(), QStringLiteral(" Carvello"));
}

void TestLauncher::aboutWindowShowsTheSiteAndCloses()
{
    auto *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    auto *copyright = launcher->findChild<ui::PictureButton *>(QStringLiteral("imgCopyright"));
    QVERIFY(copyright);
    QCOMPARE(copyright->accessibleName(), QStringLiteral("About Carvello"));
    bool shown = false;
    m_dialogs->modalHandlers.enqueue([&](QDialog *about) {
        shown = true;
        const QRect over(launcher->mapToGlobal(QPoint(0, 0)), launcher->size());
        [&] {
            QCOMPARE(about->size(), QSize(661, 467));
            QVERIFY(!(about->windowFlags() & Qt::WindowCloseButtonHint));
            QVERIFY(std::abs(about->geometry().center().x() - over.center().x()) <= 1);
            auto *link = about->findChild<QLabel *>(QStringLiteral("lnkWeb"));
            QVERIFY(link && about->findChild<QWidget *>(QStringLiteral("imgWeb")));
            QTest::mouseClick(link, Qt::LeftButton);
            QCOMPARE(m_dialogs->opened, QStringList(app::TfrmAvvio::webSite()));
            auto *close = about->findChild<QPushButton *>(QStringLiteral("btnChiudi"));
            QCOMPARE(close->text(), QStringLiteral("Chiudi"));
            close->click();
        }();
        return about->result();
    });
    copyright->click();
    QVERIFY(shown);
    QCOMPARE(m_dialogs->modalShown, QStringList(QStringLiteral("TfrmSplash")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!launcher->findChild<QDialog *>());
}

void TestLauncher::dataFolderIsRecreatedWhenDeleted()
{
    QWidget *launcher = ui::primaryWindow(QStringLiteral("TfrmAvvio"));
    launcher->findChild<ui::PictureButton *>(QStringLiteral("btnApp02"))->click();
    auto *editor = ui::primary<clients::TfrmClients>(QStringLiteral("TfrmClients"));
    editor->cmdNextClick();
    QVERIFY(QFile::exists(m_data->file(QStringLiteral("Clients.Pro"))));
    QDir(m_data->dataFolder()).removeRecursively();
    editor->cmdNextClick();
    QVERIFY(QFile::exists(m_data->file(QStringLiteral("Clients.Pro"))));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("The database contains no record."));
}

QTEST_MAIN(TestLauncher)
#include "test_launcher.moc"
