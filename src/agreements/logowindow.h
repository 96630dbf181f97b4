#pragma once

#include "ui/widgets/usewindow.h"

#include <QImage>

class QLabel;

namespace agreements {

// The company logo printed on the rental agreements: shows "Logo.bmp" (or
// the default logo), lets the user load a JPEG or bitmap picture, go back to
// the default logo or choose a blank one, and writes the choice as
// "Logo.bmp".
class TfrmLogo final : public ui::UseWindow
{
    Q_OBJECT

public:
    explicit TfrmLogo(QWidget *caller = nullptr);

    // The picture that "Apply and close" would write.
    QImage logo() const { return m_logo; }

    void btnSfogliaClick();
    void imgEuroClick();
    void btnCancLogoClick();
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void formShow() override;

private:
    void setLogo(const QImage &image);

    QLabel *m_picture;
    QImage m_logo;
    QImage m_default;
    QImage m_blank;
};

} // namespace agreements
