#pragma once

#include "ui/dialogs/dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

namespace ui {

// A Dialogs implementation for tests: records every message, file dialog,
// modal window and shell-open, and answers from queues programmed in advance.
// Nothing it does ever blocks. Installs itself for its lifetime.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Message {
        MessageKind kind;
        QString text;
        Buttons buttons;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;
    Q_DISABLE_COPY_MOVE(ScriptedDialogs)

    Answer message(QWidget *parent, MessageKind kind, const QString &text, Buttons buttons) override;
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    int execModal(QDialog *dialog) override;
    void shellOpen(const QString &target) override;

    // Programmed answers, used in order; when a queue is empty, messages answer
    // OK (or Yes), file dialogs and the print dialog are cancelled, and modal
    // windows are closed at once with result 0.
    QQueue<Answer> answers;
    QQueue<QString> fileNames;
    QQueue<bool> printerChoices;
    // Each handler gets the modal window while it is shown (visible, not
    // running a nested event loop) and returns its result code.
    QQueue<std::function<int(QDialog *)>> modalHandlers;
    // Queues a handler that clicks the push button named `button` of the
    // next modal window and returns the window's result.
    void pressWhenShown(const QString &button);

    // When set, an accepted print dialog sends the job to this PDF file
    // instead of a printer, so that a test can read back what was printed.
    QString printFile;

    // The printer as each print dialog was offered it.
    struct PrinterOffer {
        QString printerName;
        QString documentName;
        int copies = 0;
        bool allPages = false;
    };
    QList<PrinterOffer> printerOffers;

    QList<Message> messages;
    QList<FileDialogRequest> fileRequests;
    QStringList opened;     // shellOpen targets
    QStringList modalShown; // object names of the modal windows shown
    int printDialogs = 0;

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear();
};

} // namespace ui
