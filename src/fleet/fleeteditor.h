#pragma once

#include "fleet/photo.h"
#include "ui/editor/editorwindow.h"

class QPushButton;

namespace fleet {

class PictureBox;

// The Vehicle Fleet window: one vehicle record at a time, typed, saved,
// duplicated and browsed in "Vehicle_Fleet.pro", with the vehicle's photo.
class TfrmFleet final : public ui::EditorWindow
{
    Q_OBJECT

public:
    explicit TfrmFleet(QWidget *parent = nullptr);

    // The screen copy of a photo is kept at twice the box, for sharp
    // drawing on high-density screens.
    static QSize photoDisplayBox() { return kPlaceholderSize * 2; }

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdSlideshowClick();
    void cmdTrovaClick();
    void cmdFileClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

    // The photo area. The search window calls loadPhoto after it has put a
    // record into the editor; neither ever shows a message.
    const Photo &photo() const { return m_photo; }
    void setPhoto(const Photo &photo);
    void showPlaceholder();
    // Reads the photo file of the position in `lblPosizione`; false (and
    // the placeholder) when there is none or it is not a picture.
    bool loadPhoto();
    // Writes the photo area's picture to the photo file of `lblPosizione`;
    // false (and the placeholder) when writing fails.
    bool writePhoto();

protected:
    void showEvent(QShowEvent *event) override;

private:
    PictureBox *m_imgFoto = nullptr;
    PictureBox *m_imgBianco = nullptr;
    QPushButton *m_btnFocus = nullptr;
    Photo m_photo;
};

} // namespace fleet
