#pragma once

#include "ui/widgets/usewindow.h"

class QLabel;
class QPushButton;

namespace report {

// The small per-use window in front of every printed document: a fixed
// dialog centred over the editor that opened it, a card with an explanatory
// picture, "Cancel" (`btnAnnulla`) at the bottom left and the action
// (`btnStampa`) at the bottom right.
class DocumentDialog : public ui::UseWindow
{
    Q_OBJECT

public:
    struct Design {
        QString className; // object name of the window
        QString caption;
        QString pictureName; // object name of the explanatory picture
        QString picture;     // resource path
        QString actionText;  // text of btnStampa
        // Top of the background gradient, which fades to white.
        QColor gradientTop = QColor(0x42, 0x7A, 0xA8);
    };

    DocumentDialog(const Design &design, QWidget *editor);

    QWidget *editor() const { return caller(); }

    void btnAnnullaClick();
    virtual void btnStampaClick() = 0;

protected:
    void formShow() override;
    // Runs each time the window is shown, after it has been centred.
    virtual void documentShow() { }

private:
    QPushButton *m_cancel = nullptr;
    QPushButton *m_action = nullptr;
};

// A picture a document window holds without showing it (the logo or photo
// to print, the fallback picture), named so that tests and the window's
// handlers find it.
QLabel *hiddenPicture(const QString &name, QWidget *parent);

} // namespace report
