#include "fleet/vehiclecard.h"

#include "fleet/fleeteditor.h"
#include "records/layout.h"
#include "report/pictures.h"
#include "ui/qtext.h"

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

VehicleCardWindow::VehicleCardWindow(const Design &design, Output output, const QString &failure, TfrmFleet *editor)
    : PictureDocumentDialog(design, output, kVehicleCardTemplate, failure, fleet::fallbackPicture(), editor),
      m_vehicleEditor(editor)
{
    m_source = [this]() { return m_vehicleEditor ? editorPicture(*m_vehicleEditor) : QImage(); };
}

QImage VehicleCardWindow::showingPicture()
{
    // Copied at every showing, so the card carries the photo on screen now.
    QImage copied;
    try {
        copied = m_source ? m_source() : QImage();
    } catch (const std::exception &) {
        copied = QImage();
    }
    return copied.isNull() ? PictureDocumentDialog::fallbackPicture() : copied;
}

void VehicleCardWindow::fill(Report &report, const QImage &picture)
{
    if (!m_vehicleEditor)
        throw ReportError(QStringLiteral("The vehicle editor is gone."));
    fillVehicleCard(report, m_vehicleEditor->engine()->collect(), picture);
}

TfrmPrintVehicle::TfrmPrintVehicle(TfrmFleet *editor)
    : VehicleCardWindow({QStringLiteral("TfrmPrintVehicle"), QStringLiteral(" Print"), QStringLiteral("imgLogo01"),
                         QStringLiteral(":/artwork/explain_print.svg"), QStringLiteral("Print")},
                        Output::Print, QStringLiteral("An error occurred while printing the record."), editor)
{ }

TfrmPreviewVehicle::TfrmPreviewVehicle(TfrmFleet *editor)
    : VehicleCardWindow({QStringLiteral("TfrmPreviewVehicle"), QStringLiteral(" Preview"), QStringLiteral("icoInf01"),
                         QStringLiteral(":/artwork/explain_preview.svg"), QStringLiteral("Show preview")},
                        Output::Preview, QStringLiteral("An error occurred while loading the preview."), editor)
{ }

void printVehicleCard(TfrmFleet *editor) { ui::runUseWindow(new TfrmPrintVehicle(editor)); }

void previewVehicleCard(TfrmFleet *editor) { ui::runUseWindow(new TfrmPreviewVehicle(editor)); }

} // namespace fleet
