#include "ui/dialogs/scripteddialogs.h"

#include <QDialog>
#include <QPrinter>
#include <QPushButton>

namespace ui {

ScriptedDialogs::ScriptedDialogs() { Dialogs::install(this); }

ScriptedDialogs::~ScriptedDialogs() { Dialogs::install(nullptr); }

Answer ScriptedDialogs::message(QWidget *, MessageKind kind, const QString &text, Buttons buttons)
{
    messages.append({kind, text, buttons});
    if (!answers.isEmpty())
        return answers.dequeue();
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QString ScriptedDialogs::openFileName(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

QString ScriptedDialogs::saveFileName(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool ScriptedDialogs::choosePrinter(QWidget *, QPrinter &printer)
{
    ++printDialogs;
    printerOffers.append(
        {printer.printerName(), printer.docName(), printer.copyCount(), printer.printRange() == QPrinter::AllPages});
    const bool accepted = printerChoices.isEmpty() ? false : printerChoices.dequeue();
    if (accepted && !printFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
    }
    return accepted;
}

int ScriptedDialogs::execModal(QDialog *dialog)
{
    modalShown.append(dialog->objectName());
    dialog->show();
    int result = 0;
    if (!modalHandlers.isEmpty())
        result = modalHandlers.dequeue()(dialog);
    dialog->hide();
    return result;
}

void ScriptedDialogs::shellOpen(const QString &target) { opened.append(target); }

void ScriptedDialogs::clear()
{
    messages.clear();
    fileRequests.clear();
    opened.clear();
    modalShown.clear();
    printerOffers.clear();
    printDialogs = 0;
}

void ScriptedDialogs::pressWhenShown(const QString &button)
{
    modalHandlers.enqueue([button](QDialog *dialog) {
        if (auto *b = dialog->findChild<QPushButton *>(button))
            b->click();
        return dialog->result();
    });
}

} // namespace ui
