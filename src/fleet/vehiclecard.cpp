#include "fleet/vehiclecard.h"

#include "fleet/fleeteditor.h"
#include "records/layout.h"
#include "report/pictures.h"
#include "report/reportoutput.h"
#include "report/reportpreview.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"

#include <QLabel>
#include <QPixmap>

namespace fleet {

using namespace report;

namespace {

// The photo frame of the card is 188 x 87 mm; this many pixels keep a photo
// sharp on a 300 dpi printer without holding a camera's full resolution.
constexpr QSize kPrintBox(2220, 1028);

} // namespace

void fillVehicleCard(Report &report, const records::Record &vehicle, const QImage &picture)
{
    report.page(0).setOrientation(Orientation::Portrait);
    report.pictureObject(QStringLiteral("imgLogo")).setPicture(picture);
    // The attachment labels travel in the record too, but are not printed.
    for (const records::FieldDef &f : vehicle.layout().fields()) {
        if (f.kind == records::FieldKind::Hidden)
            continue;
        report.textObject(QStringLiteral("txt") + ui::toQt(f.name)).setText(ui::toQt(vehicle.text(f.name)));
    }
}

QImage editorPicture(const TfrmFleet &editor)
{
    const Photo &photo = editor.photo();
    if (photo.isPlaceholder())
        return svgPicture(kPlaceholderArtwork);
    return photo.scaledTo(kPrintBox);
}

QImage fallbackPicture() { return svgPicture(kVehicleCardFallback); }

VehicleCardWindow::VehicleCardWindow(const Design &design, const QString &failure, TfrmFleet *editor)
    : DocumentDialog(design, editor), m_vehicleEditor(editor), m_failure(failure)
{
    m_imgLogo = report::hiddenPicture(QStringLiteral("imgLogo"), this);
    m_imgTemp = report::hiddenPicture(QStringLiteral("imgTemp"), this);
    m_imgTemp->setPixmap(QPixmap::fromImage(fallbackPicture()));
    m_source = [this]() { return m_vehicleEditor ? editorPicture(*m_vehicleEditor) : QImage(); };
}

void VehicleCardWindow::documentShow()
{
    // Copied at every showing, so the card carries the photo on screen now.
    QImage copied;
    try {
        copied = m_source ? m_source() : QImage();
    } catch (const std::exception &) {
        copied = QImage();
    }
    m_picture = copied.isNull() ? m_imgTemp->pixmap().toImage() : copied;
    m_imgLogo->setPixmap(QPixmap::fromImage(m_picture));
}

void VehicleCardWindow::btnStampaClick()
{
    try {
        if (!m_vehicleEditor)
            throw ReportError(QStringLiteral("The vehicle editor is gone."));
        Report report = Report::load(m_template);
        fillVehicleCard(report, m_vehicleEditor->engine()->collect(), m_picture);
        const PreparedReport prepared = prepare(report);
        output(prepared);
    } catch (const std::exception &) {
        ui::warning(this, m_failure);
    }
    accept();
}

TfrmPrintVehicle::TfrmPrintVehicle(TfrmFleet *editor)
    : VehicleCardWindow({QStringLiteral("TfrmPrintVehicle"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                         QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print")},
                        QStringLiteral("An error occurred while printing the record."), editor)
{ }

void TfrmPrintVehicle::output(const PreparedReport &report) { printReport(this, report); }

TfrmPreviewVehicle::TfrmPreviewVehicle(TfrmFleet *editor)
    : VehicleCardWindow({QStringLiteral("TfrmPreviewVehicle"), QStringLiteral(" Preview"), QStringLiteral("icoInf01"),
                         QStringLiteral(":/artwork/explain_preview.svg"), QStringLiteral("Show preview")},
                        QStringLiteral("An error occurred while loading the preview."), editor)
{ }

void TfrmPreviewVehicle::output(const PreparedReport &report) { showPreview(this, report); }

void printVehicleCard(TfrmFleet *editor) { ui::runUseWindow(new TfrmPrintVehicle(editor)); }

void previewVehicleCard(TfrmFleet *editor) { ui::runUseWindow(new TfrmPreviewVehicle(editor)); }

} // namespace fleet
