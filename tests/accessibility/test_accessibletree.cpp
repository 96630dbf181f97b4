#include "app/startup.h"
#include "support/testsupport.h"
#include "ui/dialogs/scripteddialogs.h"
#include "ui/widgets/navigation.h"

#include <QAccessible>
#include <QApplication>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QTest>

// The program's windows as assistive technology sees them through Qt's
// accessibility interfaces, on the offscreen platform. AT-SPI passes the
// index a screen reader asks for straight to QAccessibleInterface::child(),
// and the reader took it from a child count it read earlier: an index that
// is no longer in range must give no child, never a fault.
class TestAccessibleTree final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void noChildPastTheCount_data();
    void noChildPastTheCount();
    void childrenCountedBeforeTheEditorClosesCanStillBeAskedFor_data();
    void childrenCountedBeforeTheEditorClosesCanStillBeAskedFor();

private:
    void checkPastTheCount(QAccessibleInterface *iface, QSet<QObject *> &seen, int depth);

    testing::TempDataFolder *m_data = nullptr;
    ui::ScriptedDialogs *m_dialogs = nullptr;
    QList<QWidget *> m_windows;
};

namespace {

QString describe(QAccessibleInterface *iface)
{
    QObject *object = iface->object();
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("?"),
             object ? object->objectName() : QString(), iface->text(QAccessible::Name));
}

// Small enough that every editor's panel overflows it and the scroll bars show.
const QSize kSmallWindow(480, 360);

} // namespace

void TestAccessibleTree::initTestCase() { app::prepareApplication(*qApp); }

void TestAccessibleTree::init()
{
    m_data = new testing::TempDataFolder;
    m_dialogs = new ui::ScriptedDialogs;
    m_windows = app::createWindows();
    ui::showPrimary(app::mainWindow());
}

void TestAccessibleTree::cleanup()
{
    app::destroyWindows(m_windows);
    delete m_dialogs;
    delete m_data;
}

void TestAccessibleTree::checkPastTheCount(QAccessibleInterface *iface, QSet<QObject *> &seen, int depth)
{
    if (!iface || !iface->isValid() || depth > 40)
        return;
    QObject *object = iface->object();
    if (object && seen.contains(object))
        return;
    seen.insert(object);
    const int count = iface->childCount();
    for (int past = count; past < count + 3; ++past)
        QVERIFY2(iface->child(past) == nullptr,
                 qPrintable(describe(iface) + QStringLiteral(" gave a child at %1 of %2").arg(past).arg(count)));
    QVERIFY2(iface->child(-1) == nullptr, qPrintable(describe(iface)));
    for (int i = 0; i < count; ++i) {
        checkPastTheCount(iface->child(i), seen, depth + 1);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestAccessibleTree::noChildPastTheCount_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("launcher") << "TfrmAvvio";
    QTest::newRow("client editor") << "TfrmClients";
    QTest::newRow("fleet editor") << "TfrmFleet";
    QTest::newRow("year selection") << "TfrmMenuRicevute";
    QTest::newRow("agreement editor") << "TfrmRent_Receipts";
}

void TestAccessibleTree::noChildPastTheCount()
{
    QFETCH(QString, window);
    QWidget *target = ui::primaryWindow(window);
    QVERIFY(target);
    ui::switchPrimary(target, app::mainWindow());
    target->showNormal();
    target->resize(kSmallWindow);
    QVERIFY(QTest::qWaitForWindowExposed(target));
    QSet<QObject *> seen;
    checkPastTheCount(QAccessible::queryAccessibleInterface(target), seen, 0);
}

void TestAccessibleTree::childrenCountedBeforeTheEditorClosesCanStillBeAskedFor_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("client editor") << "TfrmClients";
    QTest::newRow("fleet editor") << "TfrmFleet";
    QTest::newRow("agreement editor") << "TfrmRent_Receipts";
}

void TestAccessibleTree::childrenCountedBeforeTheEditorClosesCanStillBeAskedFor()
{
    QFETCH(QString, window);
    QWidget *editor = ui::primaryWindow(window);
    QVERIFY(editor);
    ui::switchPrimary(editor, app::mainWindow());
    // A window opens at a first size before the window manager maximises it;
    // a reader reads it at that size, with its scroll bars showing.
    editor->showNormal();
    editor->resize(kSmallWindow);
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    auto *scroll = editor->findChild<QScrollArea *>();
    QVERIFY(scroll);
    QVERIFY(scroll->horizontalScrollBar()->isVisible() || scroll->verticalScrollBar()->isVisible());
    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(scroll);
    QVERIFY(area);
    const int counted = area->childCount();
    QVERIFY(counted > 0);

    // Closing hides the window, and with it every scroll bar.
    QVERIFY(!editor->close());
    QVERIFY(!editor->isVisible());
    QVERIFY(ui::primaryWindow(QStringLiteral("TfrmAvvio"))->isVisible());

    for (int i = 0; i < counted; ++i) {
        QAccessibleInterface *child = area->child(i);
        if (!child)
            continue;
        QVERIFY2(child->isValid(), qPrintable(QStringLiteral("child %1 of %2").arg(i).arg(counted)));
        QCOMPARE(child->object()->parent(), scroll);
        QCOMPARE(child->parent(), area);
    }
}

QTEST_MAIN(TestAccessibleTree)
#include "test_accessibletree.moc"
