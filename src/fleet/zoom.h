#pragma once

#include "fleet/photo.h"
#include "fleet/picturewindow.h"

namespace fleet {

// The zoom window: the editor's photo, as large as the screen allows.
class TfrmZoom final : public PictureWindow
{
    Q_OBJECT

public:
    explicit TfrmZoom(QWidget *parent = nullptr);

    // Copies the picture of the editor's photo area.
    void setPhoto(const Photo &photo) { m_photo = photo; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    Photo m_photo;
};

} // namespace fleet
