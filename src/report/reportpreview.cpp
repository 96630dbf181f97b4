#include "report/reportpreview.h"

#include "report/reportoutput.h"
#include "ui/dialogs/dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>

namespace report {

namespace {

constexpr int kPageGap = 24; // pixels between pages and around them
constexpr double kMinFactor = 0.25;
constexpr double kMaxFactor = 4.0;
const QColor kDesk(0x8A, 0x99, 0xA8);
const QList<double> kFactors = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

} // namespace

// The pages one below the other on a grey desk, drawn afresh from the
// prepared items at the zoom of the moment.
class PreviewPages final : public QWidget
{
public:
    PreviewPages(const PreparedReport &report, QWidget *parent) : QWidget(parent), m_report(report)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    void setPixelsPerMm(double value)
    {
        m_perMm = value;
        double width = 0;
        double height = kPageGap;
        for (const PreparedPage &page : m_report.pages) {
            width = std::max(width, page.paper.width() * m_perMm);
            height += page.paper.height() * m_perMm + kPageGap;
        }
        resize(static_cast<int>(std::ceil(width)) + 2 * kPageGap, static_cast<int>(std::ceil(height)));
        update();
    }
    double pixelsPerMm() const { return m_perMm; }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), kDesk);
        double top = kPageGap;
        for (const PreparedPage &page : m_report.pages) {
            const QSizeF size = page.paper * m_perMm;
            const QRectF sheet((width() - size.width()) / 2, top, size.width(), size.height());
            top += size.height() + kPageGap;
            if (!sheet.intersects(event->rect()))
                continue;
            painter.fillRect(sheet.translated(4, 4), QColor(0x50, 0x5C, 0x68));
            painter.fillRect(sheet, Qt::white);
            painter.save();
            painter.setClipRect(sheet);
            painter.translate(sheet.topLeft());
            renderPage(painter, page, m_perMm);
            painter.restore();
        }
    }

private:
    const PreparedReport &m_report;
    double m_perMm = 96 / 25.4;
};

TfrmReportPreview::TfrmReportPreview(const PreparedReport &report, QWidget *parent)
    : ui::UseWindow({QStringLiteral("TfrmReportPreview"), report.name, kDesk, kDesk, true}, parent), m_report(report)
{

    auto *toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("panToolbar"));
    toolbar->setAutoFillBackground(true);
    QPalette palette = toolbar->palette();
    palette.setColor(QPalette::Window, QColor(0xE8, 0xEF, 0xF6));
    toolbar->setPalette(palette);
    auto *bar = new QHBoxLayout(toolbar);
    bar->setContentsMargins(8, 4, 8, 4);
    bar->setSpacing(4);

    const PreviewOptions &options = m_report.preview;
    if (options.print) {
        QToolButton *print = makeButton(QStringLiteral("btnPrint"), QStringLiteral("Print"),
                                        QStringLiteral(":/artwork/print.svg"), QStringLiteral("Print the document"));
        connect(print, &QToolButton::clicked, this, &TfrmReportPreview::btnPrintClick);
        bar->addWidget(print);
    }
    if (options.zoom) {
        QToolButton *zoom = makeButton(QStringLiteral("btnZoom"), QStringLiteral("Zoom"),
                                       QStringLiteral(":/artwork/photo_zoom.svg"), QStringLiteral("Change the zoom"));
        auto *menu = new QMenu(zoom);
        menu->setObjectName(QStringLiteral("mnuZoom"));
        menu->addAction(QStringLiteral("Whole page"), this, [this] { setZoom(ZoomMode::WholePage); });
        menu->addAction(QStringLiteral("Page width"), this, [this] { setZoom(ZoomMode::PageWidth); });
        menu->addSeparator();
        for (const double f : kFactors) {
            menu->addAction(QStringLiteral("%1%").arg(qRound(f * 100)), this,
                            [this, f] { setZoom(ZoomMode::Factor, f); });
        }
        zoom->setMenu(menu);
        zoom->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(zoom);
    }
    if (options.fullScreen) {
        m_fullScreen = makeButton(QStringLiteral("btnFullScreen"), QStringLiteral("Full screen"),
                                  QStringLiteral(":/artwork/fullscreen.svg"),
                                  QStringLiteral("Show the pages on the whole screen"));
        m_fullScreen->setCheckable(true);
        connect(m_fullScreen, &QToolButton::clicked, this, &TfrmReportPreview::btnFullScreenClick);
        bar->addWidget(m_fullScreen);
    }
    if (options.pdf) {
        QToolButton *pdf =
            makeButton(QStringLiteral("btnPdf"), QStringLiteral("Save as PDF"), QStringLiteral(":/artwork/pdf.svg"),
                       QStringLiteral("Save the pages as a PDF file"));
        connect(pdf, &QToolButton::clicked, this, &TfrmReportPreview::btnPdfClick);
        bar->addWidget(pdf);
    }
    bar->addStretch(1);
    if (options.close) {
        QToolButton *close = makeButton(QStringLiteral("btnClose"), QStringLiteral("Close"),
                                        QStringLiteral(":/artwork/close.svg"), QStringLiteral("Close the preview"));
        connect(close, &QToolButton::clicked, this, &ui::UseWindow::reject);
        bar->addWidget(close);
    }

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPages"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidgetResizable(false);
    m_scroll->setFrameShape(QFrame::NoFrame);
    QPalette desk = m_scroll->viewport()->palette();
    desk.setColor(QPalette::Window, kDesk);
    m_scroll->viewport()->setPalette(desk);
    m_scroll->viewport()->setAutoFillBackground(true);
    m_pages = new PreviewPages(m_report, m_scroll);
    m_pages->setObjectName(QStringLiteral("pnlPages"));
    m_scroll->setWidget(m_pages);
    m_scroll->viewport()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_scroll, 1);

    // The size it takes when the user leaves the maximised state; setting a
    // size drops the maximised state, so that comes last.
    resize(1024, 700);
    setWindowState(Qt::WindowMaximized);
    updateZoom();
}

TfrmReportPreview::~TfrmReportPreview() = default;

QToolButton *TfrmReportPreview::makeButton(const QString &name, const QString &text, const QString &icon,
                                           const QString &tip)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(28, 28));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setAccessibleName(text);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

double TfrmReportPreview::pixelsPerMm() const { return m_pages->pixelsPerMm(); }

void TfrmReportPreview::setZoom(ZoomMode mode, double factor)
{
    m_mode = mode;
    if (mode == ZoomMode::Factor)
        m_factor = std::clamp(factor, kMinFactor, kMaxFactor);
    updateZoom();
}

void TfrmReportPreview::updateZoom()
{
    const double screenPerMm = logicalDpiX() / 25.4;
    double perMm = m_factor * screenPerMm;
    if (m_mode != ZoomMode::Factor && !m_report.pages.isEmpty()) {
        QSizeF widest;
        for (const PreparedPage &page : m_report.pages)
            widest = widest.expandedTo(page.paper);
        const QSize room = m_scroll->viewport()->size() - QSize(2 * kPageGap, 2 * kPageGap);
        perMm = room.width() / widest.width();
        if (m_mode == ZoomMode::WholePage)
            perMm = std::min(perMm, room.height() / widest.height());
        perMm = std::max(perMm, kMinFactor * screenPerMm / 2);
        m_factor = perMm / screenPerMm;
    }
    m_pages->setPixelsPerMm(perMm);
}

void TfrmReportPreview::stepZoom(int direction)
{
    double next = m_factor;
    if (direction > 0) {
        auto it = std::upper_bound(kFactors.begin(), kFactors.end(), m_factor + 1e-6);
        next = it == kFactors.end() ? kMaxFactor : *it;
    } else {
        auto it = std::lower_bound(kFactors.begin(), kFactors.end(), m_factor - 1e-6);
        next = it == kFactors.begin() ? kMinFactor : *(it - 1);
    }
    setZoom(ZoomMode::Factor, next);
}

void TfrmReportPreview::btnPrintClick()
{
    try {
        printReport(this, m_report);
    } catch (const ReportError &e) {
        ui::error(this, e.message());
    }
}

void TfrmReportPreview::btnFullScreenClick()
{
    if (isFullScreen()) {
        setWindowState(Qt::WindowMaximized);
        if (m_fullScreen)
            m_fullScreen->setChecked(false);
    } else {
        setWindowState(Qt::WindowFullScreen);
        if (m_fullScreen)
            m_fullScreen->setChecked(true);
    }
}

void TfrmReportPreview::btnPdfClick()
{
    ui::FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.filter = QStringLiteral("PDF document (*.pdf)");
    request.proposedName = m_report.name + QStringLiteral(".pdf");
    request.confirmOverwrite = true;
    QString fileName = ui::Dialogs::instance().saveFileName(this, request);
    if (fileName.isEmpty())
        return;
    if (!fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        fileName += QStringLiteral(".pdf");
    try {
        exportPdf(m_report, fileName);
    } catch (const ReportError &e) {
        ui::error(this, e.message());
    }
}

void TfrmReportPreview::resizeEvent(QResizeEvent *event)
{
    ui::UseWindow::resizeEvent(event);
    if (m_mode != ZoomMode::Factor)
        updateZoom();
}

void TfrmReportPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers().testFlag(Qt::ControlModifier)
        && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)) {
        stepZoom(1);
        return;
    }
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_Minus) {
        stepZoom(-1);
        return;
    }
    ui::UseWindow::keyPressEvent(event);
}

bool TfrmReportPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers().testFlag(Qt::ControlModifier)) {
            stepZoom(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
    }
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize && m_mode != ZoomMode::Factor)
        updateZoom();
    return ui::UseWindow::eventFilter(watched, event);
}

void showPreview(QWidget *parent, const PreparedReport &report)
{
    ui::runUseWindow(new TfrmReportPreview(report, parent));
}

} // namespace report
