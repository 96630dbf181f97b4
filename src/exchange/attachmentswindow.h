#pragma once

class QString;

namespace ui {
class EditorWindow;
}

namespace exchange {

// Opens the attachments window for the record shown in `editor`, with
// `callerWord` ("clients" or "fleet") naming the editor that Apply writes
// the six hidden attachment labels back into.
void openAttachments(ui::EditorWindow *editor, const QString &callerWord);

} // namespace exchange
