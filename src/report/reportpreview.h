#pragma once

#include "report/reportlayout.h"
#include "ui/widgets/usewindow.h"

class QMenu;
class QScrollArea;
class QToolButton;

namespace report {

class PreviewPages;

// The report engine's preview window: modal, maximised, the prepared pages
// one below the other, and the toolbar buttons the template offers (print,
// zoom, full screen, close, and a PDF copy). Nothing on the pages can be
// edited. Printing and the PDF copy use the same prepared pages.
class TfrmReportPreview final : public ui::UseWindow
{
    Q_OBJECT

public:
    enum class ZoomMode { WholePage, PageWidth, Factor };

    explicit TfrmReportPreview(const PreparedReport &report, QWidget *parent = nullptr);
    ~TfrmReportPreview() override;

    const PreparedReport &report() const { return m_report; }
    void setZoom(ZoomMode mode, double factor = 1.0);
    // Screen pixels of one millimetre of paper at the current zoom.
    double pixelsPerMm() const;

    void btnPrintClick();
    void btnFullScreenClick();
    void btnPdfClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *makeButton(const QString &name, const QString &text, const QString &icon, const QString &tip);
    void updateZoom();
    void stepZoom(int direction);

    PreparedReport m_report;
    QScrollArea *m_scroll = nullptr;
    PreviewPages *m_pages = nullptr;
    QToolButton *m_fullScreen = nullptr;
    ZoomMode m_mode = ZoomMode::Factor;
    double m_factor = 1.0;
};

// Shows the prepared report in the preview window through ui::Dialogs and
// returns when the user has closed it.
void showPreview(QWidget *parent, const PreparedReport &report);

} // namespace report
