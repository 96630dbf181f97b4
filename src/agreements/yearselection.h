#pragma once

#include "ui/widgets/gradientwidget.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace agreements {

// Chooses the calendar year whose agreement file the agreement editor works
// on. Open hands the file's full path to the editor's `lblFile`; closing
// shows the editor after Open and the launcher otherwise.
class TfrmMenuRicevute final : public ui::GradientWidget
{
    Q_OBJECT

public:
    explicit TfrmMenuRicevute(QWidget *parent = nullptr);

    QLineEdit *yearField() const { return m_year; }

    void btnApriFattureClick();
    void imgGuidaClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();

    QLineEdit *m_year;
    QPushButton *m_open;
    QLabel *m_memory;
    QLabel *m_file;
};

} // namespace agreements
