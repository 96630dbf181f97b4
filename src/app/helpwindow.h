#pragma once

#include "app/helptopics.h"
#include "ui/widgets/usewindow.h"

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace help {

// Opens a fresh help window over `caller` with `topic` and waits until the
// user closes it.
void showHelp(QWidget *caller, Topic topic);

// The help window every help button opens: the topic's title and text, the
// link to the PDF manual beside the program, "Chiudi".
class TfrmGuida final : public ui::UseWindow
{
    Q_OBJECT

public:
    explicit TfrmGuida(QWidget *caller);

    void setTopic(const QString &title, const QString &text);
    // The manual the installation puts beside the program, quoted for the
    // shell-open.
    static QString manualCommand();

    void lnkWebClick();
    void btnChiudiClick();

private:
    QLabel *m_title;
    QPlainTextEdit *m_text;
};

} // namespace help
