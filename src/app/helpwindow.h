#pragma once

class QWidget;

namespace help {

// The help topics, one per window that has a help button.
enum class Topic {
    Overview,   // the launcher
    Clients,    // the client editor
    Fleet,      // the vehicle editor
    Agreements, // the year selection window and the agreement editor
    Export,     // the client and agreement export windows
    ExportFleet // the vehicle export window: the same text, its own title
};

// Opens a fresh help window over `caller` with `topic` and waits until the
// user closes it.
void showHelp(QWidget *caller, Topic topic);

} // namespace help
