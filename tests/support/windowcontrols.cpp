#include "support/windowcontrols.h"

#include "ui/widgets/picturebutton.h"

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

void WindowControls::verifyHint(const QString &control, const QString &hint, const QString &field) const
{
    auto *button = m_window->findChild<ui::PictureButton *>(control);
    QVERIFY2(button, qPrintable(control));
    QVERIFY(button->isVisible());
    QCOMPARE(button->accessibleName(), hint);
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    QLabel *bar = label(QStringLiteral("panInfo"));
    QTest::mouseMove(button, QPoint(3, 3));
    QTRY_COMPARE(bar->text(), hint);
    QTest::mouseMove(edit(field), QPoint(5, 5)); // fields have no hint of their own
    QCOMPARE(bar->text(), hint);
}

void WindowControls::verifyHintCleared(QWidget *area, QPoint point) const
{
    QVERIFY(area);
    QTest::mouseMove(area, point);
    QTRY_COMPARE(label(QStringLiteral("panInfo"))->text(), QString());
}

void WindowControls::verifyHintClearedOverPanel() const
{
    QWidget *panel = m_window->findChild<QWidget *>(QStringLiteral("panMain"));
    QVERIFY(panel);
    verifyHintCleared(panel, QPoint(panel->width() / 2, 2));
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
