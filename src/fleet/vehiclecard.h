#pragma once

#include "records/record.h"
#include "report/documentdialog.h"
#include "report/reportlayout.h"

#include <QImage>
#include <QPointer>

#include <functional>

class QLabel;

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
// editor when the window is shown (hidden `imgLogo`, with the fallback in
// `imgTemp`) and the fill-prepare-output sequence with its warning.
class VehicleCardWindow : public report::DocumentDialog
{
    Q_OBJECT

public:
    using PictureSource = std::function<QImage()>;

    QImage picture() const { return m_picture; }
    void setTemplatePath(const QString &path) { m_template = path; }
    // Where the picture is copied from at showing; the editor's photo area
    // unless replaced.
    void setPictureSource(PictureSource source) { m_source = std::move(source); }

    void btnStampaClick() final;

protected:
    VehicleCardWindow(const Design &design, const QString &failure, TfrmFleet *editor);
    void documentShow() override;
    virtual void output(const report::PreparedReport &report) = 0;

private:
    QPointer<TfrmFleet> m_vehicleEditor;
    QString m_template = kVehicleCardTemplate;
    QString m_failure;
    PictureSource m_source;
    QImage m_picture;
    QLabel *m_imgLogo = nullptr;
    QLabel *m_imgTemp = nullptr;
};

// " Print": prints the vehicle card through the print dialog.
class TfrmPrintVehicle final : public VehicleCardWindow
{
    Q_OBJECT

public:
    explicit TfrmPrintVehicle(TfrmFleet *editor);

protected:
    void output(const report::PreparedReport &report) override;
};

// " Preview": shows the vehicle card in the report preview window.
class TfrmPreviewVehicle final : public VehicleCardWindow
{
    Q_OBJECT

public:
    explicit TfrmPreviewVehicle(TfrmFleet *editor);

protected:
    void output(const report::PreparedReport &report) override;
};

// The vehicle card windows over `editor`: print or preview the record as it
// stands on screen, with its photo.
void printVehicleCard(TfrmFleet *editor);
void previewVehicleCard(TfrmFleet *editor);

} // namespace fleet
