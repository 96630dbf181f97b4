#include "fleet/slideshow.h"

#include "fleet/photo.h"
#include "fleet/picturebox.h"
#include "records/datafolder.h"
#include "records/record.h"
#include "records/recordfile.h"
#include "records/recordfiles.h"
#include "ui/dialogs/dialogs.h"
#include "ui/editor/editorengine.h"
#include "ui/qtext.h"
#include "ui/widgets/picturebutton.h"

#include <QLabel>
#include <QScopeGuard>
#include <QTimer>

namespace fleet {

namespace {
const QString kStartingPicture = QStringLiteral(":/artwork/slideshow_start.svg");
const QString kEmptyDatabase = QStringLiteral("Empty database.");
} // namespace

TfrmSlideshow_Fleet::TfrmSlideshow_Fleet(QWidget *parent)
    : PictureWindow(QStringLiteral("TfrmSlideshow_Fleet"), QStringLiteral(" Slide Show"), parent),
      m_lblPosizione(new QLabel(this)),
      m_cmdAvanti(
          new ui::PictureButton(QStringLiteral("cmdAvanti"), QStringLiteral(":/artwork/next.svg"), QString(), this)),
      m_imgBianco(new PictureBox(QStringLiteral("imgBianco"), this)),
      m_timer(new QTimer(this))
{
    m_lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    m_lblPosizione->hide();
    m_cmdAvanti->hide();
    m_imgBianco->setArtwork(kStartingPicture);
    m_imgBianco->hide();
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(kInterval);
    connect(m_timer, &QTimer::timeout, this, &TfrmSlideshow_Fleet::TimerTimer);
    connect(m_cmdAvanti, &QAbstractButton::clicked, this, &TfrmSlideshow_Fleet::cmdAvantiClick);
    showStartingPicture();
}

QString TfrmSlideshow_Fleet::position() const { return m_lblPosizione->text(); }

void TfrmSlideshow_Fleet::showStartingPicture() { picture()->copyFrom(*m_imgBianco); }

void TfrmSlideshow_Fleet::showEvent(QShowEvent *event)
{
    PictureWindow::showEvent(event);
    showStartingPicture();
    m_timer->start();
}

void TfrmSlideshow_Fleet::hideEvent(QHideEvent *event)
{
    // Once closed the show is over, even before the window is destroyed.
    m_timer->stop();
    PictureWindow::hideEvent(event);
}

void TfrmSlideshow_Fleet::TimerTimer() { m_cmdAvanti->click(); }

void TfrmSlideshow_Fleet::cmdAvantiClick()
{
    // While the message of an earlier step waits for the user, later ticks
    // do not pile more message boxes on top of it.
    if (m_inStep)
        return;
    m_inStep = true;
    const auto done = qScopeGuard([this] { m_inStep = false; });

    const records::RecordFileDescriptor &fleet = records::vehicleFile();
    std::size_t shown = 0;
    try {
        records::RecordFile file(fleet.path(), fleet.layout.recordLength());
        if (ui::trimControl(m_lblPosizione->text()).isEmpty())
            m_lblPosizione->setText(QStringLiteral("0"));
        const std::size_t p = records::parsePosition(ui::toStd(ui::trimControl(m_lblPosizione->text())));
        const std::size_t count = file.count();
        if (count == 0) {
            m_lblPosizione->clear();
            file.close();
            m_timer->stop();
            ui::information(this, kEmptyDatabase);
            close();
            return;
        }
        if (p < count) {
            // The record only advances the walk; its contents are not used.
            records::Record record(fleet.layout);
            file.seek(p);
            file.read(record);
            shown = p + 1;
            m_lblPosizione->setText(QString::number(shown));
        } else {
            m_lblPosizione->setText(QStringLiteral("0"));
        }
        file.close();
    } catch (const records::RecordFileError &) {
        ui::error(this, ui::messages::cannotOpen);
        return;
    }
    if (shown == 0)
        return; // wrapped: the last photo stays one more interval
    const QString path = photoPath(QString::number(shown));
    const std::optional<Photo> photo = path.isEmpty() ? std::nullopt : Photo::fromFile(path, pixelBox());
    if (photo && !photo->isPlaceholder())
        picture()->setImage(photo->display());
    else
        showStartingPicture();
}

} // namespace fleet
