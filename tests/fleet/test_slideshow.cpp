#include "app/startup.h"
#include "fleet/fleeteditor.h"
#include "fleet/photo.h"
#include "fleet/picturebox.h"
#include "fleet/slideshow.h"
#include "fleettesting.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

using fleet::TfrmSlideshow_Fleet;
using namespace fleettesting;

namespace {

const QString kStart = QStringLiteral(":/artwork/slideshow_start.svg");
const QString kCannotOpen = QStringLiteral("Unable to open the database.\n\r\n\rMake sure you have administration "
                                           "privileges for the app installation folder.");

QByteArray vehicleRecord(const QByteArray &make)
{
    return testing::encodeRecord(records::vehicleLayout(), {{"Type", "Car"}, {"Make", make}});
}

// Answers every message like the scripted dialogs, but runs `during` while
// the first message is "open", as a timer tick would.
class ReentrantDialogs final : public ui::Dialogs
{
public:
    ReentrantDialogs() { install(this); }
    ~ReentrantDialogs() override { install(nullptr); }
    Q_DISABLE_COPY_MOVE(ReentrantDialogs)

    ui::Answer message(QWidget *, ui::MessageKind, const QString &text, ui::Buttons) override
    {
        texts.append(text);
        if (during && texts.size() == 1)
            during();
        return ui::Answer::Ok;
    }
    QString openFileName(QWidget *, const ui::FileDialogRequest &) override { return {}; }
    QString saveFileName(QWidget *, const ui::FileDialogRequest &) override { return {}; }
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
    int execModal(QDialog *) override { return 0; }
    void shellOpen(const QString &) override { }

    std::function<void()> during;
    QStringList texts;
};

} // namespace

class TestSlideshow final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startsWithTheStartingPicture();
    void walksThePositionsAndStartsAgain();
    void missingOrBadPhotosShowTheStartingPicture();
    void emptyFleetEndsTheShow();
    void recordCountIsTakenAtEachStep();
    void timerTickIsTheStep();
    void aClickAnywhereEndsTheShow_data();
    void aClickAnywhereEndsTheShow();
    void fileErrorsAreReportedAtEachTick();
    void ticksDoNotPileUpMessages();
    void editorRunsTheShowModally();

private:
    QString photoFile(int position) const
    {
        return m_data->file(QStringLiteral("Vehicle_Fleet/Photo_%1.jpg").arg(position));
    }
    QString dbFile() const { return m_data->file(QStringLiteral("Vehicle_Fleet.pro")); }
    static fleet::PictureBox *imgFoto(QWidget *w)
    {
        return w->findChild<fleet::PictureBox *>(QStringLiteral("imgFoto"));
    }
    // The colour in the middle of the picture on show.
    static QColor shownColour(QWidget *w)
    {
        const QImage &image = imgFoto(w)->image();
        return image.pixelColor(image.width() / 2, image.height() * 3 / 4);
    }
    void writeFleet(int vehicles) const
    {
        QByteArray bytes;
        for (int k = 1; k <= vehicles; ++k)
            bytes += vehicleRecord("V" + QByteArray::number(k));
        testing::writeFile(dbFile(), bytes);
    }

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    TfrmSlideshow_Fleet *m_show = nullptr;
};

void TestSlideshow::initTestCase() { app::prepareApplication(*qApp); }

void TestSlideshow::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_show = new TfrmSlideshow_Fleet;
}

void TestSlideshow::cleanup()
{
    delete m_show;
    delete m_dialogs;
    delete m_data;
}

void TestSlideshow::startsWithTheStartingPicture()
{
    QCOMPARE(m_show->objectName(), QStringLiteral("TfrmSlideshow_Fleet"));
    QCOMPARE(m_show->windowTitle(), QStringLiteral(" Slide Show"));
    QVERIFY(m_show->windowState() & Qt::WindowMaximized);
    QCOMPARE(m_show->timer()->objectName(), QStringLiteral("Timer"));
    QCOMPARE(m_show->timer()->interval(), 6000);
    QVERIFY(!m_show->timer()->isActive()); // not before the window is shown
    m_show->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_show));
    QVERIFY(m_show->timer()->isActive());
    QCOMPARE(imgFoto(m_show)->artwork(), kStart);
    QCOMPARE(m_show->position(), QString());
    for (const char *hidden : {"lblPosizione", "cmdAvanti", "imgBianco"}) {
        QWidget *w = m_show->findChild<QWidget *>(QString::fromLatin1(hidden));
        QVERIFY2(w, hidden);
        QVERIFY2(!w->isVisible(), hidden);
    }
    const QSize box = m_show->screen()->availableGeometry().size() - QSize(60, 90);
    QCOMPARE(m_show->findChild<QWidget *>(QStringLiteral("panContainer"))->size(), box);
    QCOMPARE(imgFoto(m_show)->size(), box);
    // Shows the pictures only: nothing to type into, no visible buttons.
    QVERIFY(m_show->findChildren<QLineEdit *>().isEmpty());
    QVERIFY(!QFile::exists(dbFile())); // no step yet
}

void TestSlideshow::walksThePositionsAndStartsAgain()
{
    writeFleet(3);
    const QByteArray before = testing::readFile(dbFile());
    const QColor colours[] = {QColor(230, 20, 20), QColor(20, 200, 20), QColor(20, 20, 230)};
    for (int k = 0; k < 3; ++k)
        testing::writeFile(photoFile(k + 1), jpeg(QSize(1200, 800), colours[k]));
    m_show->show();
    struct Step {
        const char *counter;
        int colour;
    };
    // 1, 2, 3, then 3 a second interval, then 1 again.
    const Step steps[] = {{"1", 0}, {"2", 1}, {"3", 2}, {"0", 2}, {"1", 0}, {"2", 1}};
    for (const Step &s : steps) {
        m_show->cmdAvantiClick();
        QCOMPARE(m_show->position(), QString::fromLatin1(s.counter));
        QVERIFY(imgFoto(m_show)->artwork().isEmpty());
        QVERIFY2(near(shownColour(m_show), colours[s.colour]), s.counter);
    }
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(m_show->isVisible());
    QCOMPARE(testing::readFile(dbFile()), before); // the show writes nothing
}

void TestSlideshow::missingOrBadPhotosShowTheStartingPicture()
{
    writeFleet(4);
    // 1: no photo file; 2: truncated; 3: saved without a photo (the
    // placeholder car); 4: not a picture.
    const QByteArray good = jpeg(QSize(800, 600), Qt::red);
    testing::writeFile(photoFile(2), good.left(good.size() / 2));
    testing::writeFile(photoFile(3), fleet::Photo().jpeg());
    testing::writeFile(photoFile(4), QByteArray("no picture here"));
    m_show->show();
    m_show->cmdAvantiClick();
    QCOMPARE(imgFoto(m_show)->artwork(), kStart);
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("2"));
    QCOMPARE(imgFoto(m_show)->artwork(), kStart);
    m_show->cmdAvantiClick();
    QVERIFY(imgFoto(m_show)->artwork().isEmpty());
    QCOMPARE(imgFoto(m_show)->image().size(), QSize(308, 173)); // the car placeholder, not enlarged in memory
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("4"));
    QCOMPARE(imgFoto(m_show)->artwork(), kStart);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestSlideshow::emptyFleetEndsTheShow()
{
    m_show->show();
    m_show->cmdAvantiClick();
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].kind, ui::MessageKind::Information);
    QCOMPARE(m_dialogs->messages[0].buttons, ui::Buttons::OkCancel);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Empty database."));
    QVERIFY(!m_show->isVisible());
    QVERIFY(!m_show->timer()->isActive());
    QCOMPARE(m_show->position(), QString());
    QVERIFY(QFile::exists(dbFile())); // the missing file was created empty
    QCOMPARE(QFileInfo(dbFile()).size(), 0);
}

void TestSlideshow::recordCountIsTakenAtEachStep()
{
    writeFleet(1);
    m_show->show();
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("1"));
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("0"));
    writeFleet(2); // a vehicle added meanwhile
    testing::writeFile(photoFile(2), jpeg(QSize(100, 100), Qt::green));
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("1"));
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("2"));
    QVERIFY(near(shownColour(m_show), Qt::green));
}

void TestSlideshow::timerTickIsTheStep()
{
    writeFleet(2);
    m_show->show();
    m_show->TimerTimer();
    QCOMPARE(m_show->position(), QStringLiteral("1"));
    m_show->findChild<ui::PictureButton *>(QStringLiteral("cmdAvanti"))->click();
    QCOMPARE(m_show->position(), QStringLiteral("2"));
    // The real timer drives the same step (stopped after one tick here).
    QTimer *timer = m_show->timer();
    connect(timer, &QTimer::timeout, timer, &QTimer::stop);
    timer->start(20);
    QTRY_VERIFY(!timer->isActive());
    QCOMPARE(m_show->position(), QStringLiteral("0"));
}

void TestSlideshow::aClickAnywhereEndsTheShow_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("picture") << "imgFoto";
    QTest::newRow("panel") << "panContainer";
    QTest::newRow("window") << "TfrmSlideshow_Fleet";
}

void TestSlideshow::aClickAnywhereEndsTheShow()
{
    QFETCH(QString, target);
    m_show->setGeometry(0, 0, 1366, 768);
    m_show->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_show));
    QWidget *w = target == m_show->objectName() ? m_show : m_show->findChild<QWidget *>(target);
    QVERIFY(w);
    // During the first six seconds: ends before any photo is shown.
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!m_show->isVisible());
    QVERIFY(!m_show->timer()->isActive());
    QCOMPARE(m_show->position(), QString());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestSlideshow::fileErrorsAreReportedAtEachTick()
{
    QDir().mkpath(dbFile()); // a folder where the record file should be
    m_show->show();
    for (int tick = 1; tick <= 2; ++tick) {
        m_show->cmdAvantiClick();
        QCOMPARE(m_dialogs->messages.size(), tick);
        QCOMPARE(m_dialogs->messages.last().kind, ui::MessageKind::Error);
        QCOMPARE(m_dialogs->messages.last().buttons, ui::Buttons::OkCancel);
        QCOMPARE(m_dialogs->lastText(), kCannotOpen);
        QVERIFY(m_show->isVisible());
        QVERIFY(m_show->timer()->isActive()); // the next tick tries again
        QCOMPARE(imgFoto(m_show)->artwork(), kStart);
    }
    // Once the file can be opened the show goes on.
    QDir().rmdir(dbFile());
    writeFleet(1);
    m_show->cmdAvantiClick();
    QCOMPARE(m_show->position(), QStringLiteral("1"));
    QCOMPARE(m_dialogs->messages.size(), 2);
}

void TestSlideshow::ticksDoNotPileUpMessages()
{
    delete m_dialogs;
    m_dialogs = nullptr;
    ReentrantDialogs dialogs;
    QDir().mkpath(dbFile());
    m_show->show();
    dialogs.during = [this] { m_show->cmdAvantiClick(); };
    m_show->cmdAvantiClick();
    QCOMPARE(dialogs.texts, QStringList{kCannotOpen});
    dialogs.during = nullptr;
    m_show->cmdAvantiClick();
    QCOMPARE(dialogs.texts.size(), 2);
    m_dialogs = new ui::ScriptedDialogs; // for cleanup
    dialogs.texts.clear();
}

void TestSlideshow::editorRunsTheShowModally()
{
    fleet::TfrmFleet editor;
    editor.setGeometry(0, 0, 1366, 768);
    editor.show();
    writeFleet(2);
    testing::writeFile(photoFile(1), jpeg(QSize(300, 200), Qt::red));
    editor.findChild<QLineEdit *>(QStringLiteral("txtMake"))->setText(QStringLiteral("typed"));
    QString steps;
    m_dialogs->modalHandlers.enqueue([&steps](QDialog *dialog) {
        auto *show = qobject_cast<TfrmSlideshow_Fleet *>(dialog);
        if (!show || !show->timer()->isActive())
            return -1;
        for (int k = 0; k < 4; ++k) {
            show->cmdAvantiClick();
            steps += show->position();
        }
        QTest::mouseClick(imgFoto(show), Qt::LeftButton, {}, QPoint(3, 3));
        return show->isVisible() ? -2 : 0;
    });
    editor.findChild<ui::PictureButton *>(QStringLiteral("cmdSlideshow"))->click();
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmSlideshow_Fleet")});
    QCOMPARE(steps, QStringLiteral("1201"));
    // The show leaves the editor as it was, and the window is gone.
    QCOMPARE(editor.findChild<QLineEdit *>(QStringLiteral("txtMake"))->text(), QStringLiteral("typed"));
    // Destroyed from the event loop once the handler that closed it is done.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editor.findChild<TfrmSlideshow_Fleet *>());
    QVERIFY(m_dialogs->messages.isEmpty());
}

QTEST_MAIN(TestSlideshow)
#include "test_slideshow.moc"
