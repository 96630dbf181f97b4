#pragma once

#include "ui/widgets/gradientwidget.h"

#include <filesystem>

class QLineEdit;
class QPushButton;

namespace app {

// The folder the seed password file is copied from: the program's own
// folder unless a test names another.
std::filesystem::path programFolder();
void setProgramFolderForTests(const std::filesystem::path &folder);

// The login window, the program's main window: a correct password shows the
// launcher and hides this window for the rest of the run.
class TfrmPassword final : public ui::GradientWidget
{
    Q_OBJECT

public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    QLineEdit *passwordField() const { return m_password; }

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    void lnkWebClick();

Q_SIGNALS:
    void endProgram();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormShow();
    void updateOk();

    QLineEdit *m_password;
    QPushButton *m_ok;
    bool m_leaving = false;
};

// Changes the access password; closing it in any way goes back to the
// login window with an empty field.
class TfrmCambiaPassword final : public ui::GradientWidget
{
    Q_OBJECT

public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    void cmdOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void updateOk();

    QLineEdit *m_old;
    QLineEdit *m_new;
    QLineEdit *m_confirm;
    QPushButton *m_ok;
};

} // namespace app
