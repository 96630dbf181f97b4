#include "ui/widgets/appearance.h"
#include "ui/widgets/fieldbehaviour.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/picturebutton.h"

#include <QAccessible>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace ui;

class TestFieldBehaviour final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingFilter_data();
    void typingFilter();
    void filterAppliesToTypingOnly();
    void enterChainWraps();
    void digitsOnly_data();
    void digitsOnly();
    void digitsOnlyEnterMovesToConfirm();
    void focusColouring();
    void focusFrameFollowsFocus();
    void hintBar();
    void pictureButtonStaysOutOfTabOrder();
    void dateFormat();
    void linkColours();
};

void TestFieldBehaviour::typingFilter_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("gender lower") << int(TypingFilter::TrimUpper) << "m"
                                  << "M";
    QTest::newRow("gender blank removed") << int(TypingFilter::TrimUpper) << " "
                                          << "";
    QTest::newRow("email trailing blank") << int(TypingFilter::Trim) << "a@b.it "
                                          << "a@b.it";
    QTest::newRow("email case kept") << int(TypingFilter::Trim) << "Ab@X.it"
                                     << "Ab@X.it";
    QTest::newRow("plate upper, blanks kept") << int(TypingFilter::Upper) << "ab 12-cd"
                                              << "AB 12-CD";
}

void TestFieldBehaviour::typingFilter()
{
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit edit;
    installTypingFilter(&edit, TypingFilter(filter));
    edit.show();
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.text(), shown);
}

void TestFieldBehaviour::filterAppliesToTypingOnly()
{
    QCOMPARE(applyTypingFilter(QStringLiteral("àb é"), TypingFilter::Upper), QStringLiteral("àB é"));
    QLineEdit edit;
    installTypingFilter(&edit, TypingFilter::TrimUpper);
    edit.setText(QStringLiteral("f"));
    QCOMPARE(edit.text(), QStringLiteral("f")); // stored by another program: shown as it is
}

void TestFieldBehaviour::enterChainWraps()
{
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    QList<QWidget *> fields;
    for (int k = 0; k < 3; ++k) {
        auto *e = new QLineEdit(&w);
        layout->addWidget(e);
        fields.append(e);
    }
    new FieldCycle(fields, &w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    fields[0]->setFocus();
    QTest::keyClick(fields[0], Qt::Key_Return);
    QVERIFY(fields[1]->hasFocus());
    QTest::keyClick(fields[1], Qt::Key_Enter);
    QVERIFY(fields[2]->hasFocus());
    QTest::keyClick(fields[2], Qt::Key_Return);
    QVERIFY(fields[0]->hasFocus());
    QCOMPARE(static_cast<QLineEdit *>(fields[0])->text(), QString()); // Enter types nothing
}

void TestFieldBehaviour::digitsOnly_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "2026"
                            << "2026";
    QTest::newRow("letters swallowed") << "2a0b2c6"
                                       << "2026";
    QTest::newRow("symbols swallowed") << "-+. /"
                                       << "";
}

void TestFieldBehaviour::digitsOnly()
{
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QLineEdit edit;
    installDigitsOnly(&edit, nullptr);
    edit.show();
    QTest::keyClicks(&edit, keys);
    QCOMPARE(edit.text(), result);
    // Editing keys pass.
    edit.setText(QStringLiteral("123"));
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_Left);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClicks(&edit, QStringLiteral("9"));
    QCOMPARE(edit.text(), QStringLiteral("19")); // Home was swallowed
}

void TestFieldBehaviour::digitsOnlyEnterMovesToConfirm()
{
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    auto *edit = new QLineEdit(&w);
    auto *other = new QLineEdit(&w);
    auto *ok = new QPushButton(QStringLiteral("Open"), &w);
    layout->addWidget(edit);
    layout->addWidget(other);
    layout->addWidget(ok);
    installDigitsOnly(edit, ok);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(edit->hasFocus()); // Tab does nothing
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(ok->hasFocus());
}

void TestFieldBehaviour::focusColouring()
{
    QWidget w;
    auto *layout = new QVBoxLayout(&w);
    auto *a = new QLineEdit(&w);
    auto *b = new QLineEdit(&w);
    layout->addWidget(a);
    layout->addWidget(b);
    styleEditorField(a, colours::aliceBlue);
    styleEditorField(b, colours::white);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    auto fill = [](QLineEdit *e) { return e->grab().toImage().pixelColor(e->width() - 4, e->height() / 2); };
    auto border = [](QLineEdit *e) { return e->grab().toImage().pixelColor(e->width() / 2, 0); };
    a->setFocus();
    QTRY_COMPARE(fill(a), colours::focusYellow);
    QCOMPARE(fill(b), colours::white);
    QCOMPARE(border(b), colours::skyBlue);
    b->setFocus();
    QTRY_COMPARE(fill(b), colours::focusYellow);
    QCOMPARE(fill(a), colours::aliceBlue);
}

void TestFieldBehaviour::focusFrameFollowsFocus()
{
    QWidget w;
    auto *a = new QLineEdit(&w);
    auto *b = new QLineEdit(&w);
    a->setGeometry(20, 20, 100, 22);
    b->setGeometry(20, 60, 100, 22);
    QWidget *frame = addFocusFrame(a, QStringLiteral("effCampo01"));
    w.resize(200, 120);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    b->setFocus();
    QTRY_VERIFY(!frame->isVisible());
    a->setFocus();
    QTRY_VERIFY(frame->isVisible());
    QCOMPARE(frame->geometry(), QRect(16, 16, 108, 30));
    b->setFocus();
    QTRY_VERIFY(!frame->isVisible());
}

void TestFieldBehaviour::hintBar()
{
    QWidget w;
    auto *bar = new HintBar(colours::editorHintBar, QStringLiteral("Ready"), &w);
    auto *button = new PictureButton(QStringLiteral("cmdSave"), QString(), QStringLiteral("Save record."), &w);
    auto *field = new QLineEdit(&w);
    bar->addHint(button, button->hint());
    bar->clearOver(&w);
    QCOMPARE(bar->text(), QStringLiteral("Ready"));
    QCOMPARE(bar->label()->objectName(), QStringLiteral("panInfo"));
    w.resize(300, 200);
    button->setGeometry(10, 10, 30, 30);
    field->setGeometry(10, 60, 100, 22);
    bar->setGeometry(0, 170, 300, 24);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseMove(button, QPoint(5, 5));
    QTRY_COMPARE(bar->text(), QStringLiteral("Save record."));
    QTest::mouseMove(&w, QPoint(200, 100));
    QTRY_COMPARE(bar->text(), QString());
}

void TestFieldBehaviour::pictureButtonStaysOutOfTabOrder()
{
    PictureButton b(QStringLiteral("cmdNew"), QString(), QStringLiteral("Enter new record."));
    QCOMPARE(b.focusPolicy(), Qt::NoFocus);
    QCOMPARE(b.cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(b.accessibleName(), QStringLiteral("Enter new record."));
    // Assistive technology sees a named button it can press.
    b.show();
    QSignalSpy clicked(&b, &QAbstractButton::clicked);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&b);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Enter new record."));
    QVERIFY(iface->actionInterface());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicked.count(), 1);
    // A label that shows a value is read by its current text.
    QLabel position;
    position.setText(QStringLiteral("12"));
    QCOMPARE(QAccessible::queryAccessibleInterface(&position)->text(QAccessible::Name), QStringLiteral("12"));
}

void TestFieldBehaviour::dateFormat()
{
    const QString sep = regionalDateSeparator();
    QCOMPARE(formatDate(QDate(2026, 3, 7)),
             QStringLiteral("07") + sep + QStringLiteral("03") + sep + QStringLiteral("2026"));
    QCOMPARE(todayText().size(), 10);
}

void TestFieldBehaviour::linkColours()
{
    QWidget w;
    auto *link = new LinkLabel(QStringLiteral("lnkWeb"), QStringLiteral("Visit"), &w);
    auto *picture = new QWidget(&w);
    link->setGeometry(0, 0, 80, 20);
    picture->setGeometry(0, 30, 20, 20);
    link->attachPicture(picture);
    QSignalSpy activated(link, &LinkLabel::activated);
    w.show();
    auto colour = [link] { return link->palette().color(QPalette::WindowText); };
    QCOMPARE(colour(), LinkLabel::restColour());
    QTest::mousePress(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(colour(), LinkLabel::pressedColour());
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(colour(), LinkLabel::restColour());
    QCOMPARE(activated.count(), 1);
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(colour(), LinkLabel::pressedColour());
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(colour(), LinkLabel::restColour());
    QCOMPARE(activated.count(), 2);
}

QTEST_MAIN(TestFieldBehaviour)
#include "test_fieldbehaviour.moc"
