#include "search/handbacks.h"

#include "ui/editor/editorwindow.h"

namespace search {

void showInEditor(QWidget *editor, const records::Record &record, std::size_t position)
{
    if (auto *window = qobject_cast<ui::EditorWindow *>(editor))
        window->engine()->showRecord(record, position);
}

} // namespace search
