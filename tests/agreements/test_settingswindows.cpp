#include "agreements/logo.h"
#include "agreements/logowindow.h"
#include "agreements/numerationwindow.h"
#include "app/startup.h"
#include "support/testsupport.h"
#include "ui/dialogs/dialogs.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using agreements::TfrmLogo;
using agreements::TfrmNumeration;

namespace {

const QString kIni = QStringLiteral("Drivora_Settings.ini");

QPushButton *button(QWidget *window, const char *name)
{
    return window->findChild<QPushButton *>(QString::fromLatin1(name));
}

bool sameImage(const QImage &a, const QImage &b)
{
    return a.size() == b.size() && a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestSettingsWindows final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    // Starting-number window.
    void numerationTexts();
    void showsTheStoredNumber_data();
    void showsTheStoredNumber();
    void applyStoresTheNormalisedNumber_data();
    void applyStoresTheNormalisedNumber();
    void applyKeepsALongStoredNumber();
    void leavingTheFieldNormalisesIt();
    void cancelStoresNothing();
    void anotherCallerReadsAndWritesNothing();
    void startFieldTakesOnlyDigits();
    void failedWriteIsReportedAndTheWindowStays();

    // Logo window.
    void logoTexts();
    void defaultAndBlankLogos();
    void showsTheStoredLogoOrTheDefault_data();
    void showsTheStoredLogoOrTheDefault();
    void jpegIsStoredAsBitmap();
    void browseCancelledOrUnreadable();
    void eraserAndRedCar();
    void cancelLeavesTheLogoFile();
    void failedWriteKeepsTheOldFile();

private:
    QString ini() const { return m_data->file(kIni); }
    QString logoFile() const { return m_data->file(QStringLiteral("Logo.bmp")); }
    // Shows the window through the dialogs service, runs `steps` while it is
    // shown and returns its result.
    template <typename W> int run(W &window, const std::function<void(W &)> &steps)
    {
        m_dialogs->modalHandlers.enqueue([&window, &steps](QDialog *) {
            steps(window);
            return window.result();
        });
        return ui::Dialogs::instance().execModal(&window);
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
};

void TestSettingsWindows::initTestCase() { app::prepareApplication(*qApp); }

void TestSettingsWindows::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
}

void TestSettingsWindows::cleanup()
{
    delete m_dialogs;
    delete m_data;
}

void TestSettingsWindows::numerationTexts()
{
    TfrmNumeration window;
    QCOMPARE(window.objectName(), QStringLiteral("TfrmNumeration"));
    QCOMPARE(window.windowTitle(), QStringLiteral(" Set Rental Agreements starting number"));
    QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("grpNumerazione"))->title(),
             QStringLiteral(" Start from number: "));
    QCOMPARE(button(&window, "btnAnnulla")->text(), QStringLiteral("Cancel"));
    QCOMPARE(button(&window, "btnApplica")->text(), QStringLiteral("Apply and close"));
    QCOMPARE(window.startField()->objectName(), QStringLiteral("txtInizio"));
    QCOMPARE(window.startField()->text(), QStringLiteral("1"));
    QCOMPARE(window.startField()->maxLength(), 5);
    QCOMPARE(window.startField()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (const char *picture : {"imgLogo", "icoDirections", "icoMano"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(picture)), picture);
    QVERIFY(window.memoryLabel()->isHidden());
}

void TestSettingsWindows::showsTheStoredNumber_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no settings file") << QByteArray("<none>") << "1";
    QTest::newRow("stored 500") << QByteArray("[Rental Agreements]\r\nStart Number=500\r\n") << "500";
    QTest::newRow("empty value") << QByteArray("[Rental Agreements]\r\nStart Number=\r\n") << "1";
    QTest::newRow("edited by hand, not whole") << QByteArray("[Rental Agreements]\nStart Number=12.5\n") << "12.5";
    // Longer than the field holds: normalised first, never cut.
    QTest::newRow("longer, not whole") << QByteArray("[Rental Agreements]\nStart Number=1234.5\n") << "1235";
    QTest::newRow("longer, whole") << QByteArray("[Rental Agreements]\nStart Number=123456\n") << "123456";
    QTest::newRow("longer, leading zeros") << QByteArray("[Rental Agreements]\nStart Number=000042\n") << "42";
}

void TestSettingsWindows::showsTheStoredNumber()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, shown);
    if (settings != "<none>")
        testing::writeFile(ini(), settings);
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral(" ricevute "));
    QString seen;
    bool focused = false;
    run<TfrmNumeration>(window, [&](TfrmNumeration &w) {
        seen = w.startField()->text();
        focused = QApplication::focusWidget() == w.startField() || w.focusWidget() == w.startField();
        w.findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
    });
    QCOMPARE(seen, shown);
    QVERIFY(focused);
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

void TestSettingsWindows::applyStoresTheNormalisedNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("0042") << "0042" << QByteArray("42");
    QTest::newRow("emptied") << "" << QByteArray("1");
    QTest::newRow("500") << "500" << QByteArray("500");
    QTest::newRow("007") << "007" << QByteArray("7");
}

void TestSettingsWindows::applyStoresTheNormalisedNumber()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    testing::writeFile(ini(), "[Rental Company]\r\nLine 1=Rossi\r\n");
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral("ricevute"));
    const int result = run<TfrmNumeration>(window, [&](TfrmNumeration &w) {
        w.startField()->clear();
        QTest::keyClicks(w.startField(), typed);
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(testing::readFile(ini()),
             "[Rental Company]\r\nLine 1=Rossi\r\n[Rental Agreements]\r\nStart Number=" + stored + "\r\n");
}

void TestSettingsWindows::applyKeepsALongStoredNumber()
{
    // Nothing typed: what was stored goes back unchanged.
    testing::writeFile(ini(), "[Rental Agreements]\r\nStart Number=123456\r\n");
    TfrmNumeration window;
    window.setCallerWord(QStringLiteral("ricevute"));
    const int result = run<TfrmNumeration>(
        window, [](TfrmNumeration &w) { w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click(); });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(testing::readFile(ini()), QByteArray("[Rental Agreements]\r\nStart Number=123456\r\n"));
}

void TestSettingsWindows::leavingTheFieldNormalisesIt()
{
    testing::writeFile(ini(), "[Rental Agreements]\r\nStart Number=12.5\r\n");
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral("ricevute"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *field = window.startField();
    QWidget *frame = window.findChild<QWidget *>(QStringLiteral("effInizio"));
    QVERIFY(frame);
    QTRY_VERIFY(field->hasFocus());
    QVERIFY(frame->isVisible());
    QCOMPARE(field->text(), QStringLiteral("12.5"));
    button(&window, "btnAnnulla")->setFocus();
    QCOMPARE(field->text(), QStringLiteral("13"));
    QVERIFY(!frame->isVisible());
    field->setFocus();
    field->setText(QStringLiteral("00"));
    button(&window, "btnAnnulla")->setFocus();
    QCOMPARE(field->text(), QStringLiteral("0"));
    field->setFocus();
    field->clear();
    button(&window, "btnAnnulla")->setFocus();
    QCOMPARE(field->text(), QStringLiteral("1"));
    window.reject();
    // Cancel after the change stored nothing.
    QCOMPARE(testing::readFile(ini()), QByteArray("[Rental Agreements]\r\nStart Number=12.5\r\n"));
}

void TestSettingsWindows::cancelStoresNothing()
{
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral("ricevute"));
    run<TfrmNumeration>(window, [](TfrmNumeration &w) {
        w.startField()->setText(QStringLiteral("900"));
        w.findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
    });
    QVERIFY(!QFile::exists(ini()));
}

void TestSettingsWindows::anotherCallerReadsAndWritesNothing()
{
    testing::writeFile(ini(), "[Rental Agreements]\r\nStart Number=500\r\n");
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral("Ricevute")); // compared with its case
    QString seen;
    const int result = run<TfrmNumeration>(window, [&](TfrmNumeration &w) {
        seen = w.startField()->text();
        w.startField()->setText(QStringLiteral("77"));
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
    });
    QCOMPARE(seen, QStringLiteral("1"));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(testing::readFile(ini()), QByteArray("[Rental Agreements]\r\nStart Number=500\r\n"));
}

void TestSettingsWindows::startFieldTakesOnlyDigits()
{
    TfrmNumeration window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *field = window.startField();
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, QStringLiteral("1a2 -3.45678"));
    QCOMPARE(field->text(), QStringLiteral("12345"));
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(button(&window, "btnApplica")->hasFocus());
    QVERIFY(window.isVisible()); // Enter does not apply
    QCOMPARE(field->contextMenuPolicy(), Qt::NoContextMenu);
    window.reject();
}

void TestSettingsWindows::failedWriteIsReportedAndTheWindowStays()
{
    QDir().mkpath(ini() + QStringLiteral("/x")); // a folder where the file should be
    TfrmNumeration window;
    window.memoryLabel()->setText(QStringLiteral("ricevute"));
    bool stillShown = false;
    run<TfrmNumeration>(window, [&](TfrmNumeration &w) {
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
        stillShown = w.isVisible();
        w.findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
    });
    QVERIFY(stillShown);
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Error);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(ini()));
}

void TestSettingsWindows::logoTexts()
{
    TfrmLogo window;
    QCOMPARE(window.objectName(), QStringLiteral("TfrmLogo"));
    QCOMPARE(window.windowTitle(), QStringLiteral(" Set customized logo"));
    QVERIFY(!(window.windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(button(&window, "btnAnnulla")->text(), QStringLiteral("Cancel"));
    QCOMPARE(button(&window, "btnSfoglia")->text(), QStringLiteral("Browse..."));
    QCOMPARE(button(&window, "btnApplica")->text(), QStringLiteral("Apply and close"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("imgLogo"))->size(), QSize(297, 184));
    for (const char *name : {"imgEuro", "btnCancLogo"}) {
        auto *b = window.findChild<ui::PictureButton *>(QString::fromLatin1(name));
        QVERIFY2(b, name);
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("imgTitolo")));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("imgTemp"))->isHidden());
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("imgBianco"))->isHidden());
}

void TestSettingsWindows::defaultAndBlankLogos()
{
    const QImage logo = agreements::defaultLogo();
    QCOMPARE(logo.size(), QSize(297, 184));
    // A real drawing: plenty of colours that are not white.
    int coloured = 0;
    for (int y = 0; y < logo.height(); y += 4)
        for (int x = 0; x < logo.width(); x += 4)
            coloured += logo.pixelColor(x, y) != QColor(Qt::white) ? 1 : 0;
    QVERIFY(coloured > 500);
    const QImage blank = agreements::blankLogo();
    QCOMPARE(blank.size(), QSize(2, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            QCOMPARE(blank.pixelColor(x, y), QColor(Qt::white));
}

void TestSettingsWindows::showsTheStoredLogoOrTheDefault_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("no file") << "none";
    QTest::newRow("a bitmap") << "bitmap";
    QTest::newRow("damaged file") << "damaged";
}

void TestSettingsWindows::showsTheStoredLogoOrTheDefault()
{
    QFETCH(QString, stored);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 10, 10));
    if (stored == QLatin1String("bitmap")) {
        QDir().mkpath(m_data->dataFolder());
        QVERIFY(picture.save(logoFile(), "BMP"));
    } else if (stored == QLatin1String("damaged")) {
        testing::writeFile(logoFile(), "BM not really a bitmap");
    }
    TfrmLogo window;
    QImage seen;
    run<TfrmLogo>(window, [&](TfrmLogo &w) { seen = w.logo(); });
    QVERIFY(sameImage(seen, stored == QLatin1String("bitmap") ? picture : agreements::defaultLogo()));
    QVERIFY(!window.findChild<QLabel *>(QStringLiteral("imgLogo"))->pixmap().isNull());
}

void TestSettingsWindows::jpegIsStoredAsBitmap()
{
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(QColor(20, 120, 220));
    const QString jpeg = m_data->root() + QStringLiteral("/company logo.jpg");
    QVERIFY(photo.save(jpeg, "JPG"));
    m_dialogs->fileNames.enqueue(jpeg);
    TfrmLogo window;
    const int result = run<TfrmLogo>(window, [](TfrmLogo &w) {
        w.findChild<QPushButton *>(QStringLiteral("btnSfoglia"))->click();
        QCOMPARE(w.logo().size(), QSize(120, 80));
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QCOMPARE(m_dialogs->fileRequests[0].title, QStringLiteral("Select an image in Jpeg or Bitmap format:"));
    QCOMPARE(m_dialogs->fileRequests[0].filter, QStringLiteral("JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)"));
    QVERIFY(m_dialogs->messages.isEmpty());
    const QByteArray bytes = testing::readFile(logoFile());
    QVERIFY(bytes.startsWith("BM"));
    QImageReader reader(logoFile());
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage back = reader.read();
    QCOMPARE(back.size(), QSize(120, 80));
    QVERIFY(qAbs(back.pixelColor(60, 40).blue() - 220) < 12);
    QCOMPARE(QDir(m_data->dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Logo.bmp")});
}

void TestSettingsWindows::browseCancelledOrUnreadable()
{
    QImage mine(10, 10, QImage::Format_RGB32);
    mine.fill(Qt::green);
    QDir().mkpath(m_data->dataFolder());
    QVERIFY(mine.save(logoFile(), "BMP"));
    const QString junk = m_data->root() + QStringLiteral("/junk.jpg");
    testing::writeFile(junk, "not a picture");
    m_dialogs->fileNames.enqueue(QString()); // cancelled
    m_dialogs->fileNames.enqueue(junk);
    TfrmLogo window;
    QImage afterCancel;
    QImage afterJunk;
    run<TfrmLogo>(window, [&](TfrmLogo &w) {
        w.findChild<QPushButton *>(QStringLiteral("btnSfoglia"))->click();
        afterCancel = w.logo();
        w.findChild<QPushButton *>(QStringLiteral("btnSfoglia"))->click();
        afterJunk = w.logo();
    });
    QVERIFY(sameImage(afterCancel, mine));
    QVERIFY(sameImage(afterJunk, agreements::defaultLogo()));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestSettingsWindows::eraserAndRedCar()
{
    TfrmLogo window;
    QImage afterEraser;
    QImage afterCar;
    run<TfrmLogo>(window, [&](TfrmLogo &w) {
        w.findChild<ui::PictureButton *>(QStringLiteral("btnCancLogo"))->click();
        afterEraser = w.logo();
        w.findChild<ui::PictureButton *>(QStringLiteral("imgEuro"))->click();
        afterCar = w.logo();
        w.findChild<ui::PictureButton *>(QStringLiteral("btnCancLogo"))->click();
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
    });
    QVERIFY(sameImage(afterEraser, agreements::blankLogo()));
    QVERIFY(sameImage(afterCar, agreements::defaultLogo()));
    const QImage stored(logoFile(), "BMP");
    QVERIFY(sameImage(stored, agreements::blankLogo())); // an empty logo, not the default one
    QVERIFY(sameImage(agreements::currentLogo(), agreements::blankLogo()));
    QFile::remove(logoFile());
    QVERIFY(sameImage(agreements::currentLogo(), agreements::defaultLogo()));
}

void TestSettingsWindows::cancelLeavesTheLogoFile()
{
    TfrmLogo window;
    run<TfrmLogo>(window, [](TfrmLogo &w) {
        w.findChild<ui::PictureButton *>(QStringLiteral("btnCancLogo"))->click();
        w.findChild<QPushButton *>(QStringLiteral("btnAnnulla"))->click();
    });
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(logoFile()));
}

void TestSettingsWindows::failedWriteKeepsTheOldFile()
{
    QDir().mkpath(logoFile() + QStringLiteral("/old")); // cannot be replaced by a file
    TfrmLogo window;
    QImage shownAfter;
    const int result = run<TfrmLogo>(window, [&](TfrmLogo &w) {
        w.findChild<ui::PictureButton *>(QStringLiteral("btnCancLogo"))->click();
        w.findChild<QPushButton *>(QStringLiteral("btnApplica"))->click();
        shownAfter = w.logo();
    });
    QCOMPARE(result, int(QDialog::Accepted)); // the window closes all the same
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(sameImage(shownAfter, agreements::defaultLogo()));
    QVERIFY(QFileInfo(logoFile() + QStringLiteral("/old")).isDir());
    QCOMPARE(QDir(m_data->dataFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestSettingsWindows)
#include "test_settingswindows.moc"
