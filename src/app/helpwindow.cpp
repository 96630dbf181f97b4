#include "app/helpwindow.h"

#include "app/helptopics.h"
#include "app/passwordwindows.h"
#include "ui/dialogs/tmisc.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/gradientwidget.h"
#include "ui/widgets/linklabel.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSvgWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace help {

TfrmGuida::TfrmGuida(QWidget *caller)
    : ui::UseWindow({.className = QStringLiteral("TfrmGuida"),
                     .caption = QStringLiteral(" Guida all'utilizzo del software"),
                     .top = Qt::white,
                     .bottom = QColor(0xBF, 0xD8, 0xEF),
                     .overScreen = true},
                    caller)
{
    setFixedSize(670, 572);

    auto *logo = ui::makeBox(Qt::white, this, 10);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setAccessibleName(QStringLiteral("Carvello"));
    logo->setFixedSize(625, 84);
    auto *logoLayout = new QVBoxLayout(logo);
    logoLayout->setContentsMargins(0, 6, 0, 6);
    auto *art = new QSvgWidget(QStringLiteral(":/artwork/title.svg"), logo);
    art->setFixedSize(430, 69);
    logoLayout->addWidget(art, 0, Qt::AlignCenter);

    m_title = new QLabel(QStringLiteral("Argomento della guida."), this);
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    m_title->setAccessibleName(QStringLiteral("Argomento della guida"));
    m_title->setFont(ui::windowFont(QStringLiteral("Arial"), 16, true));
    m_title->setStyleSheet(QStringLiteral("color: #DC143C;"));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtGuida"));
    m_text->setAccessibleName(QStringLiteral("Testo della guida"));
    m_text->setFont(ui::windowFont(QStringLiteral("Verdana"), 12, true));
    m_text->setFixedSize(625, 350);
    m_text->setReadOnly(true);
    // Read-only keeps the mouse selection; the keyboard may select and
    // scroll too, so the text can be copied without the mouse.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->document()->setDocumentMargin(8);

    auto *imgPDF = new QSvgWidget(QStringLiteral(":/artwork/pdf.svg"), this);
    imgPDF->setObjectName(QStringLiteral("imgPDF"));
    imgPDF->setAccessibleName(QStringLiteral("Guida in formato PDF"));
    imgPDF->setFixedSize(30, 30);
    auto *lnkWeb = new ui::LinkLabel(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    QFont linkFont = ui::windowFont(QStringLiteral("Tahoma"), 14);
    linkFont.setUnderline(true);
    lnkWeb->setFont(linkFont);
    lnkWeb->attachPicture(imgPDF);

    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setAccessibleName(QStringLiteral("Chiudi"));
    close->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13, true));
    close->setMinimumSize(130, 32);
    close->setCursor(Qt::PointingHandCursor);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(imgPDF);
    bottom->addWidget(lnkWeb);
    bottom->addStretch(1);
    bottom->addWidget(close);

    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(22, 16, 22, 16);
    main->setSpacing(10);
    main->addWidget(logo, 0, Qt::AlignHCenter);
    main->addSpacing(2);
    main->addWidget(m_title);
    main->addWidget(m_text, 0, Qt::AlignHCenter);
    main->addStretch(1);
    main->addLayout(bottom);

    connect(lnkWeb, &ui::LinkLabel::activated, this, &TfrmGuida::lnkWebClick);
    connect(close, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);
}

void TfrmGuida::setTopic(const QString &title, const QString &text)
{
    m_title->setText(title);
    // The box breaks lines at LF; a CR left in would show as a glyph.
    m_text->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_text->moveCursor(QTextCursor::Start);
    m_text->verticalScrollBar()->setValue(0);
}

QString TfrmGuida::manualCommand()
{
    QString folder = ui::toQtPath(app::programFolder());
    if (!folder.endsWith(QDir::separator()) && !folder.endsWith(QLatin1Char('/')))
        folder += QDir::separator();
    return QLatin1Char('"') + folder + QStringLiteral("Guida.pdf") + QLatin1Char('"');
}

void TfrmGuida::lnkWebClick() { TMisc::Open(manualCommand()); }

void TfrmGuida::btnChiudiClick() { accept(); }

void showHelp(QWidget *caller, Topic topic)
{
    auto *window = new TfrmGuida(caller);
    window->setTopic(topicTitle(topic), topicText(topic));
    ui::runUseWindow(window);
}

} // namespace help
