#include "agreements/logowindow.h"

#include "agreements/logo.h"
#include "report/pictures.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/picturebutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace agreements {

namespace {

const QString kDialogTitle = QStringLiteral("Select an image in Jpeg or Bitmap format:");
const QString kDialogFilter = QStringLiteral("JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)");

QLabel *hiddenPicture(const QString &objectName, const QImage &image, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(QPixmap::fromImage(image));
    label->hide();
    return label;
}

} // namespace

TfrmLogo::TfrmLogo(QWidget *caller)
    : ui::UseWindow({QStringLiteral("TfrmLogo"), QStringLiteral(" Set customized logo")}, caller),
      m_default(defaultLogo()),
      m_blank(blankLogo())
{

    auto *imgTitolo = new QSvgWidget(QStringLiteral(":/artwork/banner_logo.svg"), this);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setFixedSize(380, 72);

    // The logo as it prints, on a white sheet with the two corner buttons.
    auto *frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("shpLogo"));
    frame->setFixedSize(kLogoWidth + 4, kLogoHeight + 4);
    frame->setStyleSheet(QStringLiteral("#shpLogo { background: white; border: 1px solid #9DB6CE; }"));
    m_picture = new QLabel(frame);
    m_picture->setObjectName(QStringLiteral("imgLogo"));
    m_picture->setGeometry(2, 2, kLogoWidth, kLogoHeight);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setAccessibleName(QStringLiteral("Logo"));
    auto *imgEuro = new ui::PictureButton(QStringLiteral("imgEuro"), QStringLiteral(":/artwork/red_car.svg"),
                                          QStringLiteral("Use the default logo."), frame);
    imgEuro->setGeometry(4, frame->height() - 28, 32, 24);
    auto *btnCancLogo = new ui::PictureButton(QStringLiteral("btnCancLogo"), QStringLiteral(":/artwork/eraser.svg"),
                                              QStringLiteral("Use a blank logo."), frame);
    btnCancLogo->setGeometry(frame->width() - 36, frame->height() - 28, 32, 24);

    hiddenPicture(QStringLiteral("imgTemp"), m_default, this);
    hiddenPicture(QStringLiteral("imgBianco"), m_blank, this);

    auto *btnAnnulla = new QPushButton(QStringLiteral("Cancel"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    auto *btnSfoglia = new QPushButton(QStringLiteral("Browse..."), this);
    btnSfoglia->setObjectName(QStringLiteral("btnSfoglia"));
    auto *btnApplica = new QPushButton(QStringLiteral("Apply and close"), this);
    btnApplica->setObjectName(QStringLiteral("btnApplica"));
    for (QPushButton *b : {btnAnnulla, btnSfoglia, btnApplica}) {
        b->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13));
        b->setMinimumHeight(30);
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch(1);
    buttons->addWidget(btnSfoglia);
    buttons->addWidget(btnApplica);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(16, 16, 16, 14);
    main->setSpacing(14);
    main->addWidget(imgTitolo, 0, Qt::AlignHCenter);
    main->addWidget(frame, 0, Qt::AlignHCenter);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnSfoglia, &QAbstractButton::clicked, this, &TfrmLogo::btnSfogliaClick);
    connect(imgEuro, &QAbstractButton::clicked, this, &TfrmLogo::imgEuroClick);
    connect(btnCancLogo, &QAbstractButton::clicked, this, &TfrmLogo::btnCancLogoClick);
    connect(btnApplica, &QAbstractButton::clicked, this, &TfrmLogo::btnApplicaClick);
    connect(btnAnnulla, &QAbstractButton::clicked, this, &TfrmLogo::btnAnnullaClick);
}

void TfrmLogo::formShow()
{
    const QImage stored = storedLogo();
    setLogo(stored.isNull() ? m_default : stored);
}

void TfrmLogo::setLogo(const QImage &image)
{
    m_logo = image;
    // Shown whole inside the logo area, keeping its proportions.
    const QPixmap pixmap = QPixmap::fromImage(image);
    m_picture->setPixmap(pixmap.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmLogo::btnSfogliaClick()
{
    ui::FileDialogRequest request;
    request.title = kDialogTitle;
    request.filter = kDialogFilter;
    const QString chosen = ui::Dialogs::instance().openFileName(this, request);
    if (chosen.isEmpty())
        return;
    const QImage picture = report::onWhite(report::readPicture(chosen));
    setLogo(picture.isNull() ? m_default : picture);
}

void TfrmLogo::imgEuroClick() { setLogo(m_default); }

void TfrmLogo::btnCancLogoClick() { setLogo(m_blank); }

void TfrmLogo::btnApplicaClick()
{
    // A failed write leaves the earlier file as it was; the window shows the
    // default logo as a sign and closes without a message.
    if (!saveLogo(m_logo))
        setLogo(m_default);
    accept();
}

void TfrmLogo::btnAnnullaClick() { reject(); }

} // namespace agreements
