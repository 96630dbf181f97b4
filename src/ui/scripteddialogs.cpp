#include "ui/scripteddialogs.h"

#include <QDialog>

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

bool ScriptedDialogs::choosePrinter(QWidget *, QPrinter &)
{
    ++printDialogs;
    return printerChoices.isEmpty() ? false : printerChoices.dequeue();
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
    printDialogs = 0;
}

} // namespace ui
