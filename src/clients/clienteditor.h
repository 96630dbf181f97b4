#pragma once

#include "ui/editor/editorwindow.h"

namespace clients {

// The Client Database window: one client record at a time, typed, saved,
// duplicated and browsed in "Clients.Pro".
class TfrmClients final : public ui::EditorWindow
{
    Q_OBJECT

public:
    explicit TfrmClients(QWidget *parent = nullptr);

    void cmdNewClick();
    void cmdDuplicateClick();
    void cmdSaveClick();
    void cmdFirstClick();
    void cmdPreviousClick();
    void cmdNextClick();
    void cmdLastClick();
    void btnEmailClick();
    void icoIssuesClick();
    void cmdFindClick();
    void cmdDefaultingClick();
    void cmdAttachClick();
    void cmdPrintClick();
    void cmdExportClick();
    void cmdHelpClick();

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace clients
