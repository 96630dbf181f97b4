#include "app/startup.h"
#include "fleet/fleeteditor.h"
#include "fleet/photo.h"
#include "fleet/picturebox.h"
#include "fleet/zoom.h"
#include "fleettesting.h"
#include "records/layout.h"
#include "support/testsupport.h"
#include "support/windowcontrols.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using fleet::Photo;
using fleet::TfrmFleet;
using namespace fleettesting;

namespace {

const records::Layout &vehicles() { return records::vehicleLayout(); }

QByteArray vehicleRecord(const QByteArray &make)
{
    return testing::encodeRecord(vehicles(), {{"Type", "Car"},
                                              {"Make", make},
                                              {"Model", "M"},
                                              {"Plate", "AB1"},
                                              {"Year", "2020"},
                                              {"Seats", "5"},
                                              {"Fuel", "Diesel"}});
}

QByteArray bitmap(QSize size, const QColor &colour) { return encoded(picture(size, colour), "BMP"); }

} // namespace

class TestFleetPhotos final : public QObject, private testing::WindowControls
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    // The photo value on its own.
    void completeJpegIsRecognised_data();
    void completeJpegIsRecognised();
    void completeBitmapIsRecognised_data();
    void completeBitmapIsRecognised();
    void badPicturesAreRefused_data();
    void badPicturesAreRefused();
    void jpegIsKeptAsReadAndShownSmall();
    void cameraOrientationIsHonoured();
    void otherFormatsBecomeJpegOfTheFullPicture_data();
    void otherFormatsBecomeJpegOfTheFullPicture();
    void placeholderIsAJpegOfItsOwnSize();
    void photoPathIsOnlyEverAPosition_data();
    void photoPathIsOnlyEverAPosition();
    void failedWriteLeavesTheOldFile();

    // The photo area of the editor.
    void loadPictureAsksForJpegOrBitmap();
    void cancellingLoadChangesNothing();
    void savedRecordsGetTheirPhotoFile_data();
    void savedRecordsGetTheirPhotoFile();
    void browsingReadsEachPositionsPhoto();
    void deletedPictureComesBackWhenNotSaved();
    void duplicateStartsWithoutPhoto();
    void photoWriteFailureFallsBackSilently();
    void photoFolderIsRecreated();
    void savePictureWritesACopy_data();
    void savePictureWritesACopy();
    void savePictureCancelledWritesNothing();
    void zoomShowsThePictureLargeAndClosesOnClick_data();
    void zoomShowsThePictureLargeAndClosesOnClick();

private:
    fleet::PictureBox *imgFoto() const { return m_editor->findChild<fleet::PictureBox *>(QStringLiteral("imgFoto")); }
    bool showsPlaceholder() const
    {
        return m_editor->photo().isPlaceholder() && imgFoto()->artwork() == fleet::kPlaceholderArtwork;
    }
    void fillRequired() const
    {
        for (const char *name : {"txtType", "txtMake", "txtModel", "txtPlate", "txtYear", "txtSeats", "txtFuel"})
            m_editor->findChild<QLineEdit *>(QString::fromLatin1(name))->setText(QStringLiteral("x"));
    }
    // Writes a picture file outside the data folder and loads it.
    QString pictureFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = m_pictures->filePath(name);
        testing::writeFile(path, bytes);
        return path;
    }
    void loadPicture(const QString &path) const
    {
        m_dialogs->fileNames.enqueue(path);
        click(QStringLiteral("btnCaricaFoto"));
    }
    QString photoFile(int position) const
    {
        return m_data->file(QStringLiteral("Vehicle_Fleet/Photo_%1.jpg").arg(position));
    }
    QString dbFile() const { return m_data->file(QStringLiteral("Vehicle_Fleet.pro")); }

    testing::TempDataFolder *m_data = nullptr;
    QTemporaryDir *m_pictures = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    TfrmFleet *m_editor = nullptr;
};

void TestFleetPhotos::initTestCase() { app::prepareApplication(*qApp); }

void TestFleetPhotos::init()
{
    m_data = new testing::TempDataFolder;
    m_pictures = new QTemporaryDir;
    m_dialogs = new ui::ScriptedDialogs;
    m_editor = new TfrmFleet;
    setWindow(m_editor);
    m_editor->setGeometry(0, 0, 1366, 768);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
}

void TestFleetPhotos::cleanup()
{
    delete m_editor;
    delete m_dialogs;
    delete m_pictures;
    delete m_data;
}

void TestFleetPhotos::completeJpegIsRecognised_data()
{
    const QByteArray whole = jpeg(QSize(64, 48), Qt::red);
    const QByteArray progressive = [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        writer.write(picture(QSize(80, 60), Qt::blue));
        return bytes;
    }();
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::newRow("whole") << whole << true;
    QTest::newRow("progressive") << progressive << true;
    QTest::newRow("data after the end marker") << whole + QByteArray("trailer data") << true;
    QTest::newRow("cut in the pixel data") << whole.left(whole.size() - 40) << false;
    QTest::newRow("end marker missing") << whole.left(whole.size() - 2) << false;
    QTest::newRow("cut in the headers") << whole.left(30) << false;
    QTest::newRow("progressive cut") << progressive.left(progressive.size() * 2 / 3) << false;
    QTest::newRow("not a JPEG") << bitmap(QSize(8, 8), Qt::red) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestFleetPhotos::completeJpegIsRecognised()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QCOMPARE(fleet::isCompleteJpeg(bytes), complete);
}

void TestFleetPhotos::completeBitmapIsRecognised_data()
{
    const QByteArray whole = bitmap(QSize(33, 20), Qt::green);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("complete");
    QTest::newRow("whole") << whole << true;
    QTest::newRow("one byte short") << whole.left(whole.size() - 1) << false;
    QTest::newRow("header only") << whole.left(54) << false;
    QTest::newRow("cut header") << whole.left(20) << false;
    QTest::newRow("not a bitmap") << jpeg(QSize(8, 8), Qt::red) << false;
    // A damaged header whose rows add up to more than 64 bits can count.
    QByteArray huge = whole;
    for (const int k : {18, 19, 20, 22, 23, 24, 28, 29})
        huge[k] = char(0xFF);
    huge[21] = huge[25] = char(0x7F);
    QTest::newRow("rows beyond any size") << huge << false;
}

void TestFleetPhotos::completeBitmapIsRecognised()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, complete);
    QCOMPARE(fleet::isCompleteBitmap(bytes), complete);
}

void TestFleetPhotos::badPicturesAreRefused_data()
{
    const QByteArray goodJpeg = jpeg(QSize(200, 150), Qt::red);
    const QByteArray goodBitmap = bitmap(QSize(200, 150), Qt::red);
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a picture\n");
    QTest::newRow("truncated JPEG") << goodJpeg.left(goodJpeg.size() / 2);
    QTest::newRow("truncated bitmap") << goodBitmap.left(goodBitmap.size() / 2);
    QTest::newRow("JPEG header then garbage") << goodJpeg.left(4) + QByteArray(500, 'q');
    QTest::newRow("truncated PNG") << encoded(picture(QSize(200, 150), Qt::red), "PNG").left(300);
}

void TestFleetPhotos::badPicturesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!Photo::fromBytes(bytes, QSize(100, 100)));
}

void TestFleetPhotos::jpegIsKeptAsReadAndShownSmall()
{
    const QByteArray bytes = jpeg(QSize(2400, 1800), QColor(0, 128, 255));
    const std::optional<Photo> photo = Photo::fromBytes(bytes, QSize(616, 346));
    QVERIFY(photo);
    QVERIFY(!photo->isPlaceholder());
    QCOMPARE(photo->size(), QSize(2400, 1800));
    QCOMPARE(photo->jpeg(), bytes); // the full picture, not re-encoded
    // The screen copy fits the box and keeps the proportions.
    QCOMPARE(photo->display().size(), QSize(461, 346));
    QVERIFY(near(photo->display().pixelColor(230, 300), QColor(0, 128, 255)));
    QVERIFY(near(photo->display().pixelColor(230, 5), Qt::black));
    // A small picture is not enlarged for the copy.
    const std::optional<Photo> small = Photo::fromBytes(jpeg(QSize(100, 50), Qt::red), QSize(616, 346));
    QVERIFY(small);
    QCOMPARE(small->display().size(), QSize(100, 50));
    // The zoom window decodes afresh for its larger box.
    QCOMPARE(photo->scaledTo(QSize(1200, 1200)).size(), QSize(1200, 900));
}

void TestFleetPhotos::cameraOrientationIsHonoured()
{
    // A photo taken upright is stored sideways with an orientation tag.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    QVERIFY(writer.write(picture(QSize(1200, 600), Qt::red)));
    const std::optional<Photo> photo = Photo::fromBytes(bytes, QSize(616, 346));
    QVERIFY(photo);
    QCOMPARE(photo->size(), QSize(600, 1200));
    QCOMPARE(photo->display().size(), QSize(173, 346));
    // The dark band at the top of the picture ends up on the right.
    QVERIFY(near(photo->display().pixelColor(170, 173), Qt::black));
    QVERIFY(near(photo->display().pixelColor(5, 173), Qt::red));
    QCOMPARE(photo->jpeg(), bytes);
}

void TestFleetPhotos::otherFormatsBecomeJpegOfTheFullPicture_data()
{
    QImage transparent(300, 200, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("bitmap") << bitmap(QSize(1500, 1000), QColor(200, 40, 40)) << QSize(1500, 1000)
                            << QColor(200, 40, 40);
    QTest::newRow("PNG") << encoded(picture(QSize(900, 300), QColor(40, 160, 60)), "PNG") << QSize(900, 300)
                         << QColor(40, 160, 60);
    QTest::newRow("transparent PNG") << encoded(transparent, "PNG") << QSize(300, 200) << QColor(Qt::white);
    QTest::newRow("PPM") << encoded(picture(QSize(120, 90), QColor(0, 0, 255)), "PPM") << QSize(120, 90)
                         << QColor(0, 0, 255);
}

void TestFleetPhotos::otherFormatsBecomeJpegOfTheFullPicture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QColor, colour);
    const std::optional<Photo> photo = Photo::fromBytes(bytes, QSize(616, 346));
    QVERIFY(photo);
    QCOMPARE(photo->size(), size);
    QVERIFY(photo->display().width() <= 616 && photo->display().height() <= 346);
    const Decoded back = decode(photo->jpeg());
    QCOMPARE(back.format, QByteArray("jpeg"));
    QCOMPARE(back.size, size);
    QVERIFY(near(back.image.pixelColor(size.width() / 2, size.height() - 2), colour));
}

void TestFleetPhotos::placeholderIsAJpegOfItsOwnSize()
{
    const Photo placeholder;
    QVERIFY(placeholder.isPlaceholder());
    QCOMPARE(placeholder.size(), QSize(308, 173));
    const Decoded d = decode(placeholder.jpeg());
    QCOMPARE(d.format, QByteArray("jpeg"));
    QCOMPARE(d.size, QSize(308, 173));
    QVERIFY(fleet::isCompleteJpeg(placeholder.jpeg()));
}

void TestFleetPhotos::photoPathIsOnlyEverAPosition_data()
{
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::newRow("12") << "12"
                        << "Photo_12.jpg";
    QTest::newRow("trimmed") << " 7 "
                             << "Photo_7.jpg";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("path") << "../x"
                          << "";
    QTest::newRow("letters") << "1a"
                             << "";
}

void TestFleetPhotos::photoPathIsOnlyEverAPosition()
{
    QFETCH(QString, position);
    QFETCH(QString, name);
    const QString path = fleet::photoPath(position);
    if (name.isEmpty()) {
        QCOMPARE(path, QString());
        return;
    }
    QCOMPARE(path, m_data->dataFolder() + QStringLiteral("/Vehicle_Fleet/") + name);
    QVERIFY(QFileInfo(m_data->dataFolder() + QStringLiteral("/Vehicle_Fleet")).isDir());
}

void TestFleetPhotos::failedWriteLeavesTheOldFile()
{
    const QString folder = m_pictures->filePath(QStringLiteral("photos"));
    QDir().mkpath(folder);
    const QString target = folder + QStringLiteral("/Photo_1.jpg");
    const QByteArray old = jpeg(QSize(40, 30), Qt::red);
    QVERIFY(fleet::writeJpegFile(target, old));
    QCOMPARE(testing::readFile(target), old);
    const QByteArray replacement = jpeg(QSize(50, 30), Qt::blue);
    QVERIFY(fleet::writeJpegFile(target, replacement));
    QCOMPARE(testing::readFile(target), replacement);
    // Nothing to write, or nowhere to write it: the file stays as it was and
    // no temporary file is left behind.
    QVERIFY(!fleet::writeJpegFile(target, QByteArray()));
    QVERIFY(!fleet::writeJpegFile(target + QStringLiteral("/inside"), old));
    QCOMPARE(testing::readFile(target), replacement);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Photo_1.jpg")});
}

void TestFleetPhotos::loadPictureAsksForJpegOrBitmap()
{
    click(QStringLiteral("btnCaricaFoto"));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    const ui::FileDialogRequest &request = m_dialogs->fileRequests[0];
    QCOMPARE(request.title, QStringLiteral("Select an image in Jpeg or Bitmap format."));
    QVERIFY2(request.filter.startsWith(QStringLiteral("JPEG (*.jpg; *.jpeg);;Bitmap (*.bmp)")),
             qPrintable(request.filter));
    // Whatever else the platform decodes is offered after them.
    QVERIFY(request.filter.contains(QStringLiteral("*.png")));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestFleetPhotos::cancellingLoadChangesNothing()
{
    loadPicture(pictureFile(QStringLiteral("a.jpg"), jpeg(QSize(320, 200), Qt::red)));
    QVERIFY(!m_editor->photo().isPlaceholder());
    const QByteArray shown = m_editor->photo().jpeg();
    click(QStringLiteral("btnCaricaFoto")); // cancelled: no file name
    QCOMPARE(m_editor->photo().jpeg(), shown);
    QVERIFY(!QDir(m_data->file(QStringLiteral("Vehicle_Fleet"))).exists()
            || QDir(m_data->file(QStringLiteral("Vehicle_Fleet"))).isEmpty());
}

void TestFleetPhotos::savedRecordsGetTheirPhotoFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("identical"); // a JPEG is stored byte for byte
    QTest::newRow("JPEG") << "car.jpg" << jpeg(QSize(1600, 1200), QColor(220, 30, 30)) << QSize(1600, 1200) << true;
    QTest::newRow("JPEG named .jpeg") << "car.jpeg" << jpeg(QSize(30, 900), QColor(30, 30, 220)) << QSize(30, 900)
                                      << true;
    QTest::newRow("bitmap") << "car.bmp" << bitmap(QSize(1000, 700), QColor(30, 200, 30)) << QSize(1000, 700) << false;
    QTest::newRow("none") << "" << QByteArray() << QSize(308, 173) << false;
    QTest::newRow("not a picture") << "car.jpg" << QByteArray("GIF89a but not really") << QSize(308, 173) << false;
}

void TestFleetPhotos::savedRecordsGetTheirPhotoFile()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(bool, identical);
    testing::writeFile(dbFile(), vehicleRecord("One") + vehicleRecord("Two"));
    fillRequired();
    if (!file.isEmpty())
        loadPicture(pictureFile(file, bytes));
    QCOMPARE(m_editor->photo().isPlaceholder(), size == QSize(308, 173));
    QCOMPARE(imgFoto()->artwork().isEmpty(), !m_editor->photo().isPlaceholder());
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("3"));
    const QByteArray stored = testing::readFile(photoFile(3));
    const Decoded d = decode(stored);
    QCOMPARE(d.format, QByteArray("jpeg"));
    QCOMPARE(d.size, size); // the picture's own resolution
    if (identical)
        QCOMPARE(stored, bytes);
    QVERIFY(!QFile::exists(photoFile(1)));
    QVERIFY(!QFile::exists(photoFile(2)));
    // The photo stays on screen after saving.
    QCOMPARE(m_editor->photo().size(), size);
}

void TestFleetPhotos::browsingReadsEachPositionsPhoto()
{
    QByteArray records;
    for (int k = 1; k <= 6; ++k)
        records += vehicleRecord("V" + QByteArray::number(k));
    testing::writeFile(dbFile(), records);
    const QByteArray one = jpeg(QSize(3000, 2000), QColor(250, 0, 0));
    const QByteArray three = jpeg(QSize(640, 480), QColor(0, 0, 250));
    testing::writeFile(photoFile(1), one);
    // 2: no file
    testing::writeFile(photoFile(3), three);
    testing::writeFile(photoFile(4), one.left(one.size() / 3));             // truncated
    testing::writeFile(photoFile(5), QByteArray("plain text, no picture")); // not a picture
    QDir().mkpath(photoFile(6));                                            // a folder

    struct Expected {
        const char *button;
        int position;
        QSize size; // empty: the placeholder
    };
    const Expected steps[] = {
        {"cmdPrimo", 1, QSize(3000, 2000)}, {"cmdAvanti", 2, QSize()},          {"cmdAvanti", 3, QSize(640, 480)},
        {"cmdAvanti", 4, QSize()},          {"cmdAvanti", 5, QSize()},          {"cmdUltimo", 6, QSize()},
        {"cmdIndietro", 5, QSize()},        {"cmdPrimo", 1, QSize(3000, 2000)},
    };
    for (const Expected &e : steps) {
        click(QString::fromLatin1(e.button));
        QCOMPARE(position(), QString::number(e.position));
        if (e.size.isEmpty()) {
            QVERIFY2(showsPlaceholder(), e.button);
        } else {
            QCOMPARE(m_editor->photo().size(), e.size);
            QVERIFY(imgFoto()->artwork().isEmpty());
            // Browsing keeps only a copy the size of the box.
            QVERIFY(imgFoto()->image().width() <= 616 && imgFoto()->image().height() <= 346);
        }
    }
    QVERIFY(m_dialogs->messages.isEmpty());         // never a message for a photo
    QCOMPARE(testing::readFile(photoFile(1)), one); // reading writes nothing
    QVERIFY(!QFile::exists(photoFile(2)));
}

void TestFleetPhotos::deletedPictureComesBackWhenNotSaved()
{
    testing::writeFile(dbFile(), vehicleRecord("One") + vehicleRecord("Two"));
    const QByteArray one = jpeg(QSize(400, 300), Qt::red);
    testing::writeFile(photoFile(1), one);
    click(QStringLiteral("cmdPrimo"));
    QVERIFY(!m_editor->photo().isPlaceholder());
    click(QStringLiteral("btnCancFoto"));
    QVERIFY(showsPlaceholder());
    QCOMPARE(testing::readFile(photoFile(1)), one); // the file is untouched
    click(QStringLiteral("cmdAvanti"));
    click(QStringLiteral("cmdIndietro"));
    QCOMPARE(m_editor->photo().jpeg(), one);
    // Deleting then saving stores the placeholder.
    click(QStringLiteral("btnCancFoto"));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Changes to record saved successfully."));
    QCOMPARE(decode(testing::readFile(photoFile(1))).size, QSize(308, 173));
    QVERIFY(m_dialogs->messages.size() == 1);
}

void TestFleetPhotos::duplicateStartsWithoutPhoto()
{
    QByteArray records;
    for (int k = 1; k <= 7; ++k)
        records += vehicleRecord("V" + QByteArray::number(k));
    testing::writeFile(dbFile(), records);
    const QByteArray three = jpeg(QSize(500, 300), Qt::red);
    testing::writeFile(photoFile(3), three);
    click(QStringLiteral("cmdPrimo"));
    click(QStringLiteral("cmdAvanti"));
    click(QStringLiteral("cmdAvanti"));
    QCOMPARE(position(), QStringLiteral("3"));
    QCOMPARE(m_editor->photo().jpeg(), three);
    click(QStringLiteral("cmdDuplica"));
    QVERIFY(showsPlaceholder());
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(position(), QStringLiteral("8"));
    QCOMPARE(decode(testing::readFile(photoFile(8))).size, QSize(308, 173));
    QCOMPARE(testing::readFile(photoFile(3)), three);

    // A picture loaded after Duplicate goes to the copy.
    click(QStringLiteral("cmdDuplica"));
    const QByteArray other = jpeg(QSize(90, 60), Qt::blue);
    loadPicture(pictureFile(QStringLiteral("other.jpg"), other));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(position(), QStringLiteral("9"));
    QCOMPARE(testing::readFile(photoFile(9)), other);
}

void TestFleetPhotos::photoWriteFailureFallsBackSilently()
{
    fillRequired();
    loadPicture(pictureFile(QStringLiteral("a.jpg"), jpeg(QSize(320, 200), Qt::red)));
    QDir().mkpath(photoFile(1)); // a folder where the photo file should go
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("Record saved successfully."));
    QCOMPARE(position(), QStringLiteral("1"));
    QCOMPARE(testing::readFile(dbFile()).size(), 4852);
    QVERIFY(showsPlaceholder());
}

void TestFleetPhotos::photoFolderIsRecreated()
{
    fillRequired();
    click(QStringLiteral("cmdSalva"));
    QVERIFY(QFile::exists(photoFile(1)));
    QVERIFY(QDir(m_data->file(QStringLiteral("Vehicle_Fleet"))).removeRecursively());
    const QByteArray bytes = jpeg(QSize(64, 64), Qt::green);
    loadPicture(pictureFile(QStringLiteral("g.jpg"), bytes));
    click(QStringLiteral("cmdSalva"));
    QCOMPARE(testing::readFile(photoFile(1)), bytes);
    QCOMPARE(m_dialogs->messages.size(), 2);
}

void TestFleetPhotos::savePictureWritesACopy_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("with extension") << "copy.jpg"
                                    << "copy.jpg";
    QTest::newRow("without extension") << "copy"
                                       << "copy.jpg";
    QTest::newRow("other extension kept") << "copy.jpeg"
                                          << "copy.jpeg";
}

void TestFleetPhotos::savePictureWritesACopy()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    const QByteArray bmp = bitmap(QSize(700, 500), QColor(10, 20, 200));
    loadPicture(pictureFile(QStringLiteral("b.bmp"), bmp));
    m_dialogs->fileRequests.clear();
    const QString folder = m_pictures->filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    testing::writeFile(folder + QLatin1Char('/') + written, QByteArray("old")); // replaced
    m_dialogs->fileNames.enqueue(folder + QLatin1Char('/') + chosen);
    click(QStringLiteral("btnSalvaFoto"));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    const ui::FileDialogRequest &request = m_dialogs->fileRequests[0];
    QCOMPARE(request.title, QStringLiteral("Select the folder where you want to save the image file."));
    QCOMPARE(request.filter, QStringLiteral("File Jpeg (*.jpg)"));
    QCOMPARE(request.proposedName, QStringLiteral("Foto.jpg"));
    QVERIFY(request.confirmOverwrite);
    QCOMPARE(request.defaultSuffix, QStringLiteral("jpg"));
    const Decoded d = decode(testing::readFile(folder + QLatin1Char('/') + written));
    QCOMPARE(d.format, QByteArray("jpeg"));
    QCOMPARE(d.size, QSize(700, 500));
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!m_editor->photo().isPlaceholder());
    QVERIFY(!QDir(m_data->file(QStringLiteral("Vehicle_Fleet"))).exists()
            || QDir(m_data->file(QStringLiteral("Vehicle_Fleet"))).isEmpty());
}

void TestFleetPhotos::savePictureCancelledWritesNothing()
{
    const QString folder = m_pictures->filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    click(QStringLiteral("btnSalvaFoto"));
    QCOMPARE(m_dialogs->fileRequests.size(), 1);
    QVERIFY(QDir(folder).isEmpty());
    // Writing somewhere impossible shows the placeholder, without a message.
    loadPicture(pictureFile(QStringLiteral("a.jpg"), jpeg(QSize(50, 50), Qt::red)));
    QVERIFY(!m_editor->photo().isPlaceholder());
    m_dialogs->fileNames.enqueue(folder + QStringLiteral("/missing/sub/copy.jpg"));
    click(QStringLiteral("btnSalvaFoto"));
    QVERIFY(showsPlaceholder());
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestFleetPhotos::zoomShowsThePictureLargeAndClosesOnClick_data()
{
    QTest::addColumn<bool>("withPhoto");
    QTest::addColumn<QString>("clickOn");
    QTest::newRow("photo, click on picture") << true << "imgFoto";
    QTest::newRow("placeholder, click on panel") << false << "panContainer";
}

void TestFleetPhotos::zoomShowsThePictureLargeAndClosesOnClick()
{
    QFETCH(bool, withPhoto);
    QFETCH(QString, clickOn);
    if (withPhoto)
        loadPicture(pictureFile(QStringLiteral("z.jpg"), jpeg(QSize(4000, 3000), QColor(255, 128, 0))));
    bool closed = false;
    QSize shown;
    QString artwork;
    QString caption;
    m_dialogs->modalHandlers.enqueue([&](QDialog *dialog) {
        caption = dialog->windowTitle();
        auto *box = dialog->findChild<fleet::PictureBox *>(QStringLiteral("imgFoto"));
        auto *panel = dialog->findChild<QWidget *>(QStringLiteral("panContainer"));
        if (!box || !panel)
            return -1;
        shown = box->image().size();
        artwork = box->artwork();
        // The box takes the screen less 60 across and 90 down.
        const QSize screen = dialog->screen()->availableGeometry().size();
        if (panel->size() != screen - QSize(60, 90) || box->size() != panel->size())
            return -2;
        QWidget *target = clickOn == QLatin1String("imgFoto") ? static_cast<QWidget *>(box) : panel;
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(1, 1));
        closed = !dialog->isVisible();
        return 0;
    });
    click(QStringLiteral("btnZoomFoto"));
    QCOMPARE(m_dialogs->modalShown, QStringList{QStringLiteral("TfrmZoom")});
    QCOMPARE(caption, QStringLiteral(" Click on the picture to close this window"));
    QVERIFY(closed);
    if (withPhoto) {
        QVERIFY(artwork.isEmpty());
        // Larger than the editor's copy, decoded for the big box.
        QVERIFY(shown.width() > 616);
        QCOMPARE(m_editor->photo().size(), QSize(4000, 3000)); // the editor keeps its photo
    } else {
        QCOMPARE(artwork, fleet::kPlaceholderArtwork);
    }
    QVERIFY(m_dialogs->messages.isEmpty());
}

QTEST_MAIN(TestFleetPhotos)
#include "test_fleetphotos.moc"
