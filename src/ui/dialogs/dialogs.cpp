#include "ui/dialogs/dialogs.h"

#include "ui/qtext.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace ui {

namespace {

Dialogs *g_installed = nullptr;

// Messages keep their own line breaks ("\n\r\n\r" or "\r\n\r\n"); a box
// shows a carriage return as nothing, so only the line feeds remain.
QString displayText(const QString &text)
{
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    return shown;
}

QString unquoted(const QString &target)
{
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        return target.mid(1, target.size() - 2);
    return target;
}

} // namespace

// Filters are written the Windows way, "JPEG (*.jpg; *.jpeg)"; Qt's dialogs
// split the patterns on blanks only, so "*.jpg;" would match nothing.
QString qtFileFilter(const QString &filter)
{
    QStringList entries = filter.split(QStringLiteral(";;"));
    for (QString &entry : entries) {
        const qsizetype open = entry.lastIndexOf(QLatin1Char('('));
        const qsizetype close = entry.lastIndexOf(QLatin1Char(')'));
        if (open < 0 || close < open)
            continue;
        QString patterns = entry.mid(open + 1, close - open - 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entry = entry.left(open + 1) + patterns.simplified() + entry.mid(close);
    }
    return entries.join(QStringLiteral(";;"));
}

Dialogs::~Dialogs() = default;

Dialogs &Dialogs::instance()
{
    static DesktopDialogs desktop;
    return g_installed ? *g_installed : desktop;
}

void Dialogs::install(Dialogs *dialogs) { g_installed = dialogs; }

Answer DesktopDialogs::message(QWidget *parent, MessageKind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(parent);
    switch (kind) {
    case MessageKind::Warning:
        box.setIcon(QMessageBox::Warning);
        box.setWindowTitle(QStringLiteral("Warning"));
        break;
    case MessageKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QStringLiteral("Error"));
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QStringLiteral("Information"));
        break;
    case MessageKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QStringLiteral("Confirm"));
        break;
    case MessageKind::Plain:
        box.setIcon(QMessageBox::NoIcon);
        box.setWindowTitle(QStringLiteral("Carvello"));
        break;
    }
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    switch (buttons) {
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

QString DesktopDialogs::openFileName(QWidget *parent, const FileDialogRequest &request)
{
    return QFileDialog::getOpenFileName(parent, request.title, request.directory, qtFileFilter(request.filter));
}

QString DesktopDialogs::saveFileName(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title, request.directory, qtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

bool DesktopDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int DesktopDialogs::execModal(QDialog *dialog) { return dialog->exec(); }

QUrl shellTarget(const QString &command)
{
    const QString plain = unquoted(trimControl(command));
    if (plain.isEmpty())
        return {};
    // A mail-to link stays one whatever the address holds: the address is
    // percent-encoded instead of letting a stray character turn the link
    // into a file name.
    static const QString mailto = QStringLiteral("mailto:");
    if (plain.startsWith(mailto, Qt::CaseInsensitive)) {
        QUrl url;
        url.setScheme(QStringLiteral("mailto"));
        url.setPath(trimControl(plain.mid(mailto.size())), QUrl::DecodedMode);
        return url;
    }
    const QUrl asUrl(plain, QUrl::StrictMode);
    const QString scheme = asUrl.scheme().toLower();
    // A one-letter scheme is a Windows drive letter, not a URL.
    if (asUrl.isValid() && scheme.size() > 1)
        return asUrl;
    return QUrl::fromLocalFile(plain);
}

void DesktopDialogs::shellOpen(const QString &target)
{
    const QUrl url = shellTarget(target);
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

void warning(QWidget *parent, const QString &text)
{
    Dialogs::instance().message(parent, MessageKind::Warning, text, Buttons::OkCancel);
}

void error(QWidget *parent, const QString &text)
{
    Dialogs::instance().message(parent, MessageKind::Error, text, Buttons::OkCancel);
}

void information(QWidget *parent, const QString &text)
{
    Dialogs::instance().message(parent, MessageKind::Information, text, Buttons::OkCancel);
}

void notice(QWidget *parent, const QString &text)
{
    Dialogs::instance().message(parent, MessageKind::Plain, text, Buttons::Ok);
}

bool confirm(QWidget *parent, const QString &text)
{
    return Dialogs::instance().message(parent, MessageKind::Confirmation, text, Buttons::YesNo) != Answer::No;
}

} // namespace ui
