#pragma once

#include "fleet/picturewindow.h"

class QLabel;
class QTimer;

namespace ui {
class PictureButton;
}

namespace fleet {

// The fleet slide show: every 6 seconds the photo of the next vehicle of
// "Vehicle_Fleet.pro", starting again after the last one, until a click.
// It keeps no vehicle data and writes nothing.
class TfrmSlideshow_Fleet final : public PictureWindow
{
    Q_OBJECT

public:
    static constexpr int kInterval = 6000; // milliseconds

    explicit TfrmSlideshow_Fleet(QWidget *parent = nullptr);

    // The step: the timer runs it, tests call it directly.
    void cmdAvantiClick();
    void TimerTimer();

    QTimer *timer() const { return m_timer; }
    // The show's position counter `lblPosizione`.
    QString position() const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void showStartingPicture();

    QLabel *m_lblPosizione;
    ui::PictureButton *m_cmdAvanti;
    class PictureBox *m_imgBianco;
    QTimer *m_timer;
    bool m_inStep = false;
};

} // namespace fleet
