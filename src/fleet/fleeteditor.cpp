#include "fleet/fleeteditor.h"

#include "app/helpwindow.h"
#include "exchange/attachmentswindow.h"
#include "exchange/exportwindow.h"
#include "fleet/fleetfields.h"
#include "fleet/picturebox.h"
#include "fleet/slideshow.h"
#include "fleet/vehiclecard.h"
#include "fleet/vehiclesearch.h"
#include "fleet/zoom.h"
#include "records/datafolder.h"
#include "records/recordfiles.h"
#include "search/searchwindow.h"
#include "ui/dialogs/dialogs.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/picturebutton.h"
#include "ui/widgets/usewindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace fleet {

namespace {

const QColor kBand(0xC8, 0xD6, 0xE3);
const QColor kBox(0xE0, 0xE9, 0xF1);

const QString kLoadTitle = QStringLiteral("Select an image in Jpeg or Bitmap format.");
const QString kSaveTitle = QStringLiteral("Select the folder where you want to save the image file.");

// JPEG and bitmap first, then whatever else the platform's decoders read
// (vector artwork aside: it is not a photograph).
QString loadFilter()
{
    QStringList others;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QByteArray &format : formats) {
        const QString name = QString::fromLatin1(format).toLower();
        if (name == QLatin1String("jpg") || name == QLatin1String("jpeg") || name == QLatin1String("bmp")
            || name.startsWith(QLatin1String("svg")))
            continue;
        others.append(QStringLiteral("*.") + name);
    }
    QString filter = QStringLiteral("JPEG (*.jpg; *.jpeg);;Bitmap (*.bmp)");
    if (!others.isEmpty()) {
        std::sort(others.begin(), others.end());
        filter += QStringLiteral(";;Other pictures (") + others.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filter;
}

} // namespace

TfrmFleet::TfrmFleet(QWidget *parent)
    : ui::EditorWindow(QStringLiteral("TfrmFleet"), QStringLiteral(" Carvello - Vehicle Fleet"),
                       QColor(0x42, 0x7A, 0xA8), QStringLiteral("Ready to enter a new record..."), parent)
{
    const records::Layout &layout = records::vehicleFile().layout;
    setPanelSize(1300, 684);
    QWidget *root = panel();

    // Button bar.
    const ui::RecordButtons b = makeRecordButtons(
        {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "cmdEsci"}, root);
    auto *cmdSlideshow = makeButton(QStringLiteral("cmdSlideshow"), QStringLiteral(":/artwork/slideshow.svg"),
                                    QStringLiteral("View pictures as slide show."), root);
    QLabel *position = makePositionLabel(root);

    auto *toolbar = new QHBoxLayout;
    toolbar->setSpacing(10);
    auto *cmdTrova = makeButton(QStringLiteral("cmdTrova"), QStringLiteral(":/artwork/find.svg"),
                                QStringLiteral("Find record in database."), root);
    auto *cmdFile = makeButton(QStringLiteral("cmdFile"), QStringLiteral(":/artwork/attach.svg"),
                               QStringLiteral("Attach files to record."), root);
    auto *cmdAnteprima = makeButton(QStringLiteral("cmdAnteprima"), QStringLiteral(":/artwork/btn_preview.svg"),
                                    QStringLiteral("Show preview window."), root, QSize(112, 33));
    auto *cmdStampa = makeButton(QStringLiteral("cmdStampa"), QStringLiteral(":/artwork/btn_print.svg"),
                                 QStringLiteral("Show print window."), root, QSize(112, 33));
    auto *cmdEsporta = makeButton(QStringLiteral("cmdEsporta"), QStringLiteral(":/artwork/export.svg"),
                                  QStringLiteral("Export database to Excel."), root);
    auto *cmdGuida = makeButton(QStringLiteral("cmdGuida"), QStringLiteral(":/artwork/help.svg"),
                                QStringLiteral("Get context-sensitive help."), root);
    toolbar->addWidget(makeToolbarBox({b.newRecord, b.duplicate, b.save, cmdTrova, cmdFile}, root));
    toolbar->addWidget(makeToolbarBox({cmdAnteprima}, root));
    toolbar->addWidget(makeToolbarBox({cmdStampa}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({b.first, b.previous, position, b.next, b.last}, root));
    toolbar->addStretch(1);
    toolbar->addWidget(makeToolbarBox({cmdEsporta, cmdSlideshow}, root));
    toolbar->addWidget(makeToolbarBox({cmdGuida, b.close}, root));

    // Takes the focus from the field being typed in when Save is pressed;
    // never shown and of no other use.
    m_btnFocus = new QPushButton(root);
    m_btnFocus->setObjectName(QStringLiteral("btnFocus"));
    m_btnFocus->setFocusPolicy(Qt::NoFocus);
    m_btnFocus->hide();

    makeFields(fleetFields(), layout, QStringLiteral("lblCampo"));

    // Work area: a band holding a white card.
    auto *band = ui::makeBox(kBand, root, 8);
    band->setObjectName(QStringLiteral("shpBand"));
    auto *bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(12, 12, 12, 12);
    auto *card = ui::makeBox(Qt::white, band, 6);
    card->setObjectName(QStringLiteral("shpCard"));
    bandLayout->addWidget(card);
    auto *cardLayout = new QHBoxLayout(card);
    cardLayout->setContentsMargins(14, 12, 14, 12);
    cardLayout->setSpacing(16);

    // Left column: the photo, its buttons, the rates and contacts.
    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    auto *photoBox = ui::makeBox(kBox, card, 6);
    photoBox->setObjectName(QStringLiteral("shpFoto"));
    auto *photoLayout = new QVBoxLayout(photoBox);
    photoLayout->setContentsMargins(8, 8, 8, 8);
    m_imgFoto = new PictureBox(QStringLiteral("imgFoto"), photoBox);
    m_imgFoto->setFixedSize(kPlaceholderSize);
    m_imgFoto->setAccessibleName(QStringLiteral("Vehicle photo"));
    photoLayout->addWidget(m_imgFoto, 0, Qt::AlignCenter);
    m_imgBianco = new PictureBox(QStringLiteral("imgBianco"), photoBox);
    m_imgBianco->setFixedSize(kPlaceholderSize);
    m_imgBianco->setArtwork(kPlaceholderArtwork);
    m_imgBianco->hide();

    auto *photoButtons = ui::makeBox(kBox, card, 6);
    photoButtons->setObjectName(QStringLiteral("shpFotoButtons"));
    auto *buttonRow = new QHBoxLayout(photoButtons);
    buttonRow->setContentsMargins(8, 6, 8, 6);
    buttonRow->setSpacing(10);
    auto *btnCaricaFoto = makeButton(QStringLiteral("btnCaricaFoto"), QStringLiteral(":/artwork/btn_load_picture.svg"),
                                     QStringLiteral("Load picture."), photoButtons, QSize(150, 44));
    auto *btnSalvaFoto = makeButton(QStringLiteral("btnSalvaFoto"), QStringLiteral(":/artwork/photo_save.svg"),
                                    QStringLiteral("Save picture."), photoButtons);
    auto *btnCancFoto = makeButton(QStringLiteral("btnCancFoto"), QStringLiteral(":/artwork/photo_delete.svg"),
                                   QStringLiteral("Delete picture."), photoButtons);
    auto *btnZoomFoto = makeButton(QStringLiteral("btnZoomFoto"), QStringLiteral(":/artwork/photo_zoom.svg"),
                                   QStringLiteral("View picture in its actual size."), photoButtons);
    buttonRow->addWidget(btnCaricaFoto);
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnSalvaFoto);
    buttonRow->addWidget(btnCancFoto);
    buttonRow->addWidget(btnZoomFoto);

    auto *rates = ui::makeBox(kBox, card, 6);
    rates->setObjectName(QStringLiteral("shpRates"));
    auto *ratesLayout = new QVBoxLayout(rates);
    ratesLayout->setContentsMargins(10, 8, 10, 8);
    ratesLayout->addWidget(buildArea(kRatesArea, rates, 6, 8));

    left->addWidget(photoBox);
    left->addWidget(photoButtons);
    left->addWidget(rates, 1);

    // Right part: the banner and the vehicle details.
    auto *right = new QVBoxLayout;
    right->setSpacing(8);
    auto *banner = new QSvgWidget(QStringLiteral(":/artwork/banner_vehicle_details.svg"), card);
    banner->setObjectName(QStringLiteral("imgBanner"));
    banner->setFixedSize(700, 36);
    right->addWidget(banner, 0, Qt::AlignLeft);
    right->addWidget(buildArea(kDetailsArea, card, 6, 10), 1);

    cardLayout->addLayout(left);
    cardLayout->addLayout(right, 1);

    // Notes box with the flags at its right end.
    auto *notes = ui::makeBox(kBox, root, 6);
    notes->setObjectName(QStringLiteral("shpNotes"));
    auto *notesLayout = new QHBoxLayout(notes);
    notesLayout->setContentsMargins(12, 6, 12, 8);
    notesLayout->addWidget(buildArea(kNotesArea, notes), 1);
    notesLayout->addWidget(makeFlags(notes), 0, Qt::AlignBottom);

    clearsHint({band, card, photoBox, photoButtons, rates, notes, banner, m_imgFoto});

    auto *main = new QVBoxLayout(root);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(10);
    main->addLayout(toolbar);
    main->addWidget(band, 1);
    main->addWidget(notes);
    main->addWidget(hintBar());

    createEngine(records::vehicleFile());
    engine()->setRequired({
        {QStringLiteral("txtType"), QStringLiteral("Enter the type of vehicle to save the record.")},
        {QStringLiteral("txtMake"), QStringLiteral("Enter the make of the vehicle to save the record.")},
        {QStringLiteral("txtModel"), QStringLiteral("Enter the the model of the vehicle to save the record.")},
        {QStringLiteral("txtPlate"),
         QStringLiteral("Enter the license plate number of the vehicle to save the record.")},
        {QStringLiteral("txtYear"), QStringLiteral("Enter the manufacture year of the vehicle to save the record.")},
        {QStringLiteral("txtSeats"), QStringLiteral("Enter the number of seats of the vehicle to save the record.")},
        {QStringLiteral("txtFuel"), QStringLiteral("Enter the fuel type of the vehicle to save the record.")},
    });
    engine()->afterShow = [this](std::size_t) { loadPhoto(); };
    engine()->afterSave = [this](std::size_t) { writePhoto(); };
    engine()->afterClear = [this] { showPlaceholder(); };
    showPlaceholder();

    connect(b.newRecord, &QAbstractButton::clicked, this, &TfrmFleet::cmdNuovoClick);
    connect(b.duplicate, &QAbstractButton::clicked, this, &TfrmFleet::cmdDuplicaClick);
    connect(b.save, &QAbstractButton::clicked, this, &TfrmFleet::cmdSalvaClick);
    connect(b.first, &QAbstractButton::clicked, this, &TfrmFleet::cmdPrimoClick);
    connect(b.previous, &QAbstractButton::clicked, this, &TfrmFleet::cmdIndietroClick);
    connect(b.next, &QAbstractButton::clicked, this, &TfrmFleet::cmdAvantiClick);
    connect(b.last, &QAbstractButton::clicked, this, &TfrmFleet::cmdUltimoClick);
    connect(cmdSlideshow, &QAbstractButton::clicked, this, &TfrmFleet::cmdSlideshowClick);
    connect(cmdTrova, &QAbstractButton::clicked, this, &TfrmFleet::cmdTrovaClick);
    connect(cmdFile, &QAbstractButton::clicked, this, &TfrmFleet::cmdFileClick);
    connect(cmdAnteprima, &QAbstractButton::clicked, this, &TfrmFleet::cmdAnteprimaClick);
    connect(cmdStampa, &QAbstractButton::clicked, this, &TfrmFleet::cmdStampaClick);
    connect(cmdEsporta, &QAbstractButton::clicked, this, &TfrmFleet::cmdEsportaClick);
    connect(cmdGuida, &QAbstractButton::clicked, this, &TfrmFleet::cmdGuidaClick);
    connect(btnCaricaFoto, &QAbstractButton::clicked, this, &TfrmFleet::btnCaricaFotoClick);
    connect(btnSalvaFoto, &QAbstractButton::clicked, this, &TfrmFleet::btnSalvaFotoClick);
    connect(btnCancFoto, &QAbstractButton::clicked, this, &TfrmFleet::btnCancFotoClick);
    connect(btnZoomFoto, &QAbstractButton::clicked, this, &TfrmFleet::btnZoomFotoClick);
}

void TfrmFleet::showEvent(QShowEvent *event)
{
    ui::EditorWindow::showEvent(event);
    // Every showing starts on an empty new record.
    if (!event->spontaneous())
        cmdNuovoClick();
}

void TfrmFleet::cmdNuovoClick() { engine()->newRecord(); }
void TfrmFleet::cmdDuplicaClick() { engine()->duplicate(); }
void TfrmFleet::cmdPrimoClick() { engine()->first(); }
void TfrmFleet::cmdIndietroClick() { engine()->previous(); }
void TfrmFleet::cmdAvantiClick() { engine()->next(); }
void TfrmFleet::cmdUltimoClick() { engine()->last(); }

void TfrmFleet::cmdSalvaClick()
{
    // The field being typed in gives up the focus (and its yellow) first. A
    // hidden button cannot hold the focus, so the field lets it go.
    m_btnFocus->setFocus(Qt::OtherFocusReason);
    if (QWidget *typing = focusWidget(); typing && typing != m_btnFocus)
        typing->clearFocus();
    engine()->save();
}

void TfrmFleet::cmdTrovaClick() { search::openSearch(vehicleSearch(), this, QStringLiteral("fleet")); }
void TfrmFleet::cmdFileClick() { exchange::openAttachments(this, QStringLiteral("fleet")); }
void TfrmFleet::cmdAnteprimaClick() { previewVehicleCard(this); }
void TfrmFleet::cmdStampaClick() { printVehicleCard(this); }
void TfrmFleet::cmdEsportaClick() { exchange::openFleetExport(this); }
void TfrmFleet::cmdGuidaClick() { help::showHelp(this, help::Topic::Fleet); }

void TfrmFleet::cmdSlideshowClick() { ui::runUseWindow(new TfrmSlideshow_Fleet(this)); }

void TfrmFleet::setPhoto(const Photo &photo)
{
    m_photo = photo;
    if (m_photo.isPlaceholder())
        m_imgFoto->copyFrom(*m_imgBianco);
    else
        m_imgFoto->setImage(m_photo.display());
}

void TfrmFleet::showPlaceholder() { setPhoto(Photo()); }

bool TfrmFleet::loadPhoto()
{
    const QString path = photoPath(engine()->position());
    const std::optional<Photo> photo = path.isEmpty() ? std::nullopt : Photo::fromFile(path, photoDisplayBox());
    if (!photo) {
        showPlaceholder();
        return false;
    }
    setPhoto(*photo);
    return true;
}

bool TfrmFleet::writePhoto()
{
    const QString path = photoPath(engine()->position());
    if (path.isEmpty() || !writeJpegFile(path, m_photo.jpeg())) {
        showPlaceholder();
        return false;
    }
    return true;
}

void TfrmFleet::btnCaricaFotoClick()
{
    ui::FileDialogRequest request;
    request.title = kLoadTitle;
    request.filter = loadFilter();
    const QString file = ui::Dialogs::instance().openFileName(this, request);
    if (file.isEmpty())
        return;
    if (const std::optional<Photo> photo = Photo::fromFile(file, photoDisplayBox()))
        setPhoto(*photo);
    else
        showPlaceholder();
}

void TfrmFleet::btnSalvaFotoClick()
{
    ui::FileDialogRequest request;
    request.title = kSaveTitle;
    request.filter = QStringLiteral("File Jpeg (*.jpg)");
    request.proposedName = QStringLiteral("Foto.jpg");
    request.confirmOverwrite = true;
    request.defaultSuffix = QStringLiteral("jpg");
    QString file = ui::Dialogs::instance().saveFileName(this, request);
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".jpg");
    if (!writeJpegFile(file, m_photo.jpeg()))
        showPlaceholder();
}

void TfrmFleet::btnCancFotoClick() { showPlaceholder(); }

void TfrmFleet::btnZoomFotoClick()
{
    auto *zoom = new TfrmZoom(this);
    zoom->setPhoto(m_photo);
    ui::runUseWindow(zoom);
}

} // namespace fleet
