#pragma once

#include "ui/widgets/usewindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace agreements {

// The starting number of the automatic agreement numbering, read from and
// written to the settings file. Opened by the agreement editor with the
// caller word "ricevute"; with any other word nothing is read or written.
class TfrmNumeration final : public ui::UseWindow
{
    Q_OBJECT

public:
    explicit TfrmNumeration(QWidget *caller = nullptr);

    QLineEdit *startField() const { return m_start; }

    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void formShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void txtInizioExit();
    bool calledByAgreements() const;

    QLineEdit *m_start;
    QPushButton *m_apply;
};

} // namespace agreements
