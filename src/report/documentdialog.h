#pragma once

#include "ui/widgets/usewindow.h"

#include <QImage>

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

class Report;

// A document window that prints or previews a template filled with the
// editor's record and one picture (the company logo, the vehicle photo): the
// picture is taken when the window is shown and kept in the hidden
// `imgLogo`, the fallback picture lies in the hidden `imgTemp`, and the
// action loads the template, fills it, prepares it and prints or previews
// it, showing `failure` as a warning when any step fails. The window closes
// after the action either way.
class PictureDocumentDialog : public DocumentDialog
{
    Q_OBJECT

public:
    enum class Output { Print, Preview };

    QImage picture() const { return m_picture; }
    void setTemplatePath(const QString &path) { m_template = path; }

    void btnStampaClick() final;

protected:
    PictureDocumentDialog(const Design &design, Output output, const QString &templatePath, const QString &failure,
                          const QImage &fallback, QWidget *editor);
    // The picture of this showing; the window holds it until the action.
    virtual QImage showingPicture() = 0;
    // Puts the record and `picture` into the loaded template; throws on
    // failure.
    virtual void fill(Report &report, const QImage &picture) = 0;
    QImage fallbackPicture() const;

private:
    void documentShow() final;

    Output m_output;
    QString m_template;
    QString m_failure;
    QImage m_picture;
    QLabel *m_imgLogo = nullptr;
    QLabel *m_imgTemp = nullptr;
};

// A picture a document window holds without showing it (the logo or photo
// to print, the fallback picture), named so that tests and the window's
// handlers find it.
QLabel *hiddenPicture(const QString &name, QWidget *parent);

} // namespace report
