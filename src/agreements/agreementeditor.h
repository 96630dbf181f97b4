#pragma once

#include "ui/editor/editorwindow.h"

#include <filesystem>

class QLabel;

namespace agreements {

// The Rental Agreements window: one agreement of the year chosen in the year
// selection window at a time, numbered, typed, saved, duplicated and browsed
// in that year's file, whose full path the year selection window writes into
// the hidden label `lblFile`.
class TfrmRent_Receipts final : public ui::EditorWindow
{
    Q_OBJECT

public:
    explicit TfrmRent_Receipts(QWidget *parent = nullptr);

    // The year's record file as `lblFile` names it, its folder made sure to
    // exist.
    std::filesystem::path recordFile() const;

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdNumerationClick();
    void cmdPreviewClick();
    void cmdPrintClick();
    void btnLogoClick();
    void cmdTrovaClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void impDriverClick();
    void impVehicleClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::filesystem::path yearFile() const;
    QWidget *buildHeader(QWidget *parent);
    void FormShow();
    void newAgreementSteps();
    void duplicateSteps();
    void emptyAllButHeader();
    void writeHeaderLines();

    QLabel *m_file = nullptr;
};

} // namespace agreements
