#pragma once

#include "records/record.h"
#include "report/documentdialog.h"
#include "report/reportlayout.h"

#include <QImage>
#include <QPointer>

#include <functional>

namespace fleet {

class TfrmFleet;

inline const QString kVehicleCardTemplate = QStringLiteral(":/templates/vehicle_card.json");
inline const QString kVehicleCardFallback = QStringLiteral(":/artwork/euro_sign.svg");

// Puts a vehicle record and its picture into the vehicle card template: the
// page turned to portrait, the picture, and one text object per data field,
// named after the editor control ("txt" + field; names compare without
// regard to case, so txtVIN fills txtVin). Throws report::ReportError.
void fillVehicleCard(report::Report &report, const records::Record &vehicle, const QImage &picture);

// The picture a card prints for the photo area of the editor: the photo
// itself at printing resolution, or the placeholder car when the vehicle has
// none. Null when it cannot be copied.
QImage editorPicture(const TfrmFleet &editor);

// The built-in euro sign (297 x 184) printed when the photo area cannot be
// copied.
QImage fallbackPicture();

// What the print and the preview window share: the picture copied from the
// editor when the window is shown, the euro sign when it cannot be.
class VehicleCardWindow : public report::PictureDocumentDialog
{
    Q_OBJECT

public:
    using PictureSource = std::function<QImage()>;

    // Where the picture is copied from at showing; the editor's photo area
    // unless replaced.
    void setPictureSource(PictureSource source) { m_source = std::move(source); }

protected:
    VehicleCardWindow(const Design &design, Output output, const QString &failure, TfrmFleet *editor);
    QImage showingPicture() override;
    void fill(report::Report &report, const QImage &picture) override;

private:
    QPointer<TfrmFleet> m_vehicleEditor;
    PictureSource m_source;
};

// " Print": prints the vehicle card through the print dialog.
class TfrmPrintVehicle final : public VehicleCardWindow
{
    Q_OBJECT

public:
    explicit TfrmPrintVehicle(TfrmFleet *editor);
};

// " Preview": shows the vehicle card in the report preview window.
class TfrmPreviewVehicle final : public VehicleCardWindow
{
    Q_OBJECT

public:
    explicit TfrmPreviewVehicle(TfrmFleet *editor);
};

// The vehicle card windows over `editor`: print or preview the record as it
// stands on screen, with its photo.
void printVehicleCard(TfrmFleet *editor);
void previewVehicleCard(TfrmFleet *editor);

} // namespace fleet
