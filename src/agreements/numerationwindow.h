#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace agreements {

// The starting number of the automatic agreement numbering, read from and
// written to the settings file. Opened by the agreement editor with the
// caller word "ricevute"; with any other word nothing is read or written.
class TfrmNumeration final : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmNumeration(QWidget *parent = nullptr);

    QLabel *memoryLabel() const { return m_memory; }
    QLineEdit *startField() const { return m_start; }

    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void txtInizioExit();
    bool calledByAgreements() const;

    QLineEdit *m_start;
    QPushButton *m_apply;
    QLabel *m_memory;
};

} // namespace agreements
