#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace ui {

enum class MessageKind { Warning, Error, Information, Confirmation, Plain };
enum class Buttons { OkCancel, YesNo, Ok };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString title;
    QString filter;
    QString proposedName; // save dialogs only
    QString directory;
    bool confirmOverwrite = false;
    // Save dialogs: added to a name typed without an extension, before the
    // dialog asks about replacing an existing file.
    QString defaultSuffix;
};

// Every message box, question, file dialog, print dialog, per-use modal window
// and shell-open of the program goes through this interface, so that tests
// can install a scripted implementation that never blocks.
class Dialogs
{
public:
    virtual ~Dialogs();

    virtual Answer message(QWidget *parent, MessageKind kind, const QString &text, Buttons buttons) = 0;
    // Empty result: the user cancelled.
    virtual QString openFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    // False: the user cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // Shows a per-use window modally and returns its result code.
    virtual int execModal(QDialog *dialog) = 0;
    virtual void shellOpen(const QString &target) = 0;

    // The implementation in force; the real one unless a test installed another.
    static Dialogs &instance();
    // Installs `dialogs` (not owned); nullptr restores the real implementation.
    static void install(Dialogs *dialogs);
};

// A filter written the Windows way, "JPEG (*.jpg; *.jpeg);;Bitmap (*.bmp)",
// in the form Qt's file dialogs match: "JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)".
QString qtFileFilter(const QString &filter);

// What the desktop opens for a shell-open command: a web address or mail-to
// link as a URL (a mail-to address percent-encoded), anything else as a
// local file or folder. The command may be in double quotes. Empty for an
// empty command.
QUrl shellTarget(const QString &command);

// The desktop implementation: real message boxes and file dialogs.
class DesktopDialogs final : public Dialogs
{
public:
    Answer message(QWidget *parent, MessageKind kind, const QString &text, Buttons buttons) override;
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    int execModal(QDialog *dialog) override;
    void shellOpen(const QString &target) override;
};

// Shorthands for the message kinds of the program. Warnings, errors and
// information come with OK and Cancel, and the answer is not used.
void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
void information(QWidget *parent, const QString &text);
// A plain notice with a single OK button.
void notice(QWidget *parent, const QString &text);
// Yes/No question; true unless the answer is No.
bool confirm(QWidget *parent, const QString &text);

} // namespace ui
