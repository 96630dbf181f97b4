#include "fleet/zoom.h"

#include "fleet/picturebox.h"

namespace fleet {

TfrmZoom::TfrmZoom(QWidget *parent)
    : PictureWindow(QStringLiteral("TfrmZoom"), QStringLiteral(" Click on the picture to close this window"), parent)
{ }

void TfrmZoom::showEvent(QShowEvent *event)
{
    PictureWindow::showEvent(event);
    // Decoded afresh for the large box: the editor keeps only a small copy.
    if (m_photo.isPlaceholder())
        picture()->setArtwork(kPlaceholderArtwork);
    else
        picture()->setImage(m_photo.scaledTo(pixelBox()));
}

} // namespace fleet
