#include "support/windowcontrols.h"

#include "ui/picturebutton.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace testing {

QLineEdit *WindowControls::edit(const QString &name) const { return m_window->findChild<QLineEdit *>(name); }

QLabel *WindowControls::label(const QString &name) const { return m_window->findChild<QLabel *>(name); }

QString WindowControls::position() const { return label(QStringLiteral("lblPosizione"))->text(); }

void WindowControls::click(const QString &name) const
{
    auto *button = m_window->findChild<ui::PictureButton *>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
}

bool showAndActivate(QWidget *window)
{
    window->setGeometry(0, 0, 1366, 768);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitFor([window] { return window->isActiveWindow(); });
}

} // namespace testing
