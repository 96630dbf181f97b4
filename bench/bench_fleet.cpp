// Browsing the fleet with very large photos: each step reads the record and
// the photo file of the new position. The editor decodes a photo only to the
// size of its box, so a 48-megapixel photo costs a fraction of a full decode.
#include "fleet/fleeteditor.h"
#include "fleet/photo.h"
#include "records/layout.h"
#include "records/record.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/picturebutton.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &dataHome()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray largeJpeg(QSize size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    for (int y = 0; y < size.height(); y += 97)
        p.fillRect(0, y, size.width(), 40, colour.darker(150)); // some detail to encode
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// Two vehicles, each with an 8000 x 6000 photo.
void prepareFleet()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString folder = dataHome().path() + QStringLiteral("/Drivora");
    QDir().mkpath(folder + QStringLiteral("/Vehicle_Fleet"));
    QFile records(folder + QStringLiteral("/Vehicle_Fleet.pro"));
    records.open(QIODevice::WriteOnly);
    records::Record r(records::vehicleLayout());
    for (int k = 1; k <= 2; ++k) {
        r.setText("Type", "Car");
        r.setText("Make", "Make " + std::to_string(k));
        records.write(reinterpret_cast<const char *>(r.bytes().data()), qint64(r.bytes().size()));
        QFile photo(folder + QStringLiteral("/Vehicle_Fleet/Photo_%1.jpg").arg(k));
        photo.open(QIODevice::WriteOnly);
        photo.write(largeJpeg(QSize(8000, 6000), k == 1 ? QColor(200, 40, 40) : QColor(40, 40, 200)));
    }
}

QString photoPath(int k) { return dataHome().path() + QStringLiteral("/Drivora/Vehicle_Fleet/Photo_%1.jpg").arg(k); }

// One browse step (Next or Previous) between two vehicles with large photos.
void BM_BrowseLargePhotos(benchmark::State &state)
{
    prepareFleet();
    ui::ScriptedDialogs dialogs;
    fleet::TfrmFleet editor;
    editor.setGeometry(0, 0, 1366, 768);
    editor.show();
    auto *next = editor.findChild<ui::PictureButton *>(QStringLiteral("cmdAvanti"));
    auto *previous = editor.findChild<ui::PictureButton *>(QStringLiteral("cmdIndietro"));
    next->click();
    bool forward = true;
    for (auto _ : state) {
        (forward ? next : previous)->click();
        forward = !forward;
        benchmark::DoNotOptimize(editor.photo().size());
    }
    if (editor.photo().size() != QSize(8000, 6000) || !dialogs.messages.isEmpty())
        state.SkipWithError("the photo was not shown");
}
BENCHMARK(BM_BrowseLargePhotos)->Unit(benchmark::kMillisecond);

// Reading one large photo file for the editor's box.
void BM_ReadLargePhotoForTheEditor(benchmark::State &state)
{
    prepareFleet();
    const QString path = photoPath(1);
    for (auto _ : state) {
        auto photo = fleet::Photo::fromFile(path, fleet::TfrmFleet::photoDisplayBox());
        benchmark::DoNotOptimize(photo);
    }
}
BENCHMARK(BM_ReadLargePhotoForTheEditor)->Unit(benchmark::kMillisecond);

// For comparison: what a full decode of the same file would cost.
void BM_FullDecodeOfALargePhoto(benchmark::State &state)
{
    prepareFleet();
    QImageReader::setAllocationLimit(1024);
    const QString path = photoPath(1);
    for (auto _ : state) {
        QImage image(path);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_FullDecodeOfALargePhoto)->Unit(benchmark::kMillisecond);

// Saving writes the full picture: the photo file is the file read, byte for byte.
void BM_WriteLargePhoto(benchmark::State &state)
{
    prepareFleet();
    const auto photo = fleet::Photo::fromFile(photoPath(1), fleet::TfrmFleet::photoDisplayBox());
    const QString target = dataHome().path() + QStringLiteral("/copy.jpg");
    for (auto _ : state)
        benchmark::DoNotOptimize(fleet::writeJpegFile(target, photo->jpeg()));
}
BENCHMARK(BM_WriteLargePhoto)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_DATA_HOME", dataHome().path().toUtf8());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
