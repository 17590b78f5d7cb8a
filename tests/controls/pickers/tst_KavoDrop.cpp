// SPDX-License-Identifier: MIT
#include "KavoDrop.h"

#include "KavoBtns.h"
#include "KavoSpin.h"
#include "KvCalcDlg.h"
#include "KvCalendar.h"
#include "KvCtrls.h"
#include "KvGraph.h"
#include "KvPeriod.h"
#include "PickerFixtures.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

namespace {

// Whether two grabs agree on every pixel of the three rings, that is within 3 pixels of an edge,
// except where a child covers them.
bool ringsEqual(const QImage &a, const QImage &b, const QRect &child)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const bool ring = (x < 3 || y < 3 || x >= a.width() - 3 || y >= a.height() - 3) && !child.contains(x, y);
            if (ring && a.pixel(x, y) != b.pixel(x, y)) {
                qWarning("rings differ at %d,%d: %08x %08x", x, y, a.pixel(x, y), b.pixel(x, y));
                return false;
            }
        }
    return true;
}

} // namespace

class tst_KavoDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void frameMatchesSpinEdit_data();
    void frameMatchesSpinEdit();
    void crispAtRatioTwo();
    void pickerPosition_data();
    void pickerPosition();
    void opensPicker_data();
    void opensPicker();
    void calcEditAcceptsAndCancels();
    void calculatorStartsFromValue_data();
    void calculatorStartsFromValue();
    void pickerClosesWhenLeft_data();
    void pickerClosesWhenLeft();
    void keyboardComesBackToEdit_data();
    void keyboardComesBackToEdit();
    void ownMessageKeepsPickerOpen();
    void dateEditTakesCalendarDay();
    void periodEditTakesQuickPeriod();
    void leavingChecksText_data();
    void leavingChecksText();
    void accessibility();
    void buttonFollowsEdit_data();
    void buttonFollowsEdit();
    void spansLabel();

private:
    RecordingDesktop FDesktop;
};

void tst_KavoDrop::initTestCase()
{
    useRussianLocale();
}

void tst_KavoDrop::frameMatchesSpinEdit_data()
{
    QTest::addColumn<bool>("focused");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cold") << false << true;
    QTest::newRow("hot") << true << true;
    QTest::newRow("disabled") << false << false;
}

void tst_KavoDrop::frameMatchesSpinEdit()
{
    QFETCH(bool, focused);
    QFETCH(bool, enabled);
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    auto *edit = new TkavoCalcEdit(&window);
    auto *other = new QLineEdit(&window);
    // The pointer may rest at the window's corner: keep the two compared away from it.
    other->setGeometry(0, 0, 90, 22);
    spin->setGeometry(0, 30, 90, 22);
    edit->setGeometry(0, 60, 90, 22);
    spin->setEnabled(enabled);
    edit->setEnabled(enabled);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    auto grabOf = [&](QWidget *w) {
        if (focused)
            w->setFocus();
        else
            other->setFocus();
        QCoreApplication::processEvents();
        return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage spinImage = grabOf(spin);
    const QImage editImage = grabOf(edit);
    QVERIFY(ringsEqual(spinImage, editImage, spin->Arrows()->geometry()));
    // The second ring's top-left corner carries the hot accent.
    QCOMPARE(editImage.pixel(1, 1) == qRgb(0, 0, 0), focused);
}

// The frame and the side button's arrow are whole pixels: at ratio 2 each becomes a 2x2 block,
// never a blend.
void tst_KavoDrop::crispAtRatioTwo()
{
    const QPalette palette;
    auto paint = [&palette](qreal ratio, const std::function<void(QPainter &)> &draw) {
        QImage image(QSize(40, 21) * ratio, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        draw(painter);
        return image;
    };
    auto frame = [&palette](QPainter &painter) { PaintFlatEditFrame(painter, QRect(0, 0, 40, 21), palette, true, true); };
    TkavoDropButton button;
    button.resize(16, 17);
    auto arrow = [&button](QPainter &painter) { button.render(&painter); };
    for (const auto &draw : {std::function<void(QPainter &)>(frame), std::function<void(QPainter &)>(arrow)}) {
        const QImage single = paint(1, draw);
        const QImage doubled = paint(2, draw);
        QVERIFY(single.pixel(0, 0) != qRgb(255, 0, 255));
        for (int y = 0; y < doubled.height(); ++y)
            for (int x = 0; x < doubled.width(); ++x)
                QCOMPARE(doubled.pixel(x, y), single.pixel(x / 2, y / 2));
    }
}

void tst_KavoDrop::pickerPosition_data()
{
    QTest::addColumn<QRect>("edit");
    QTest::addColumn<QSize>("popup");
    QTest::addColumn<QPoint>("expected");
    // On an 800x600 screen.
    QTest::newRow("below") << QRect(100, 100, 80, 20) << QSize(200, 150) << QPoint(100, 120);
    QTest::newRow("above at the bottom") << QRect(100, 500, 80, 20) << QSize(200, 150) << QPoint(100, 350);
    QTest::newRow("moved in from the right") << QRect(700, 100, 80, 20) << QSize(200, 150) << QPoint(600, 120);
    QTest::newRow("no room either way stays below") << QRect(100, 100, 80, 20) << QSize(200, 550) << QPoint(100, 120);
    QTest::newRow("fits exactly below") << QRect(0, 430, 80, 20) << QSize(200, 150) << QPoint(0, 450);
}

void tst_KavoDrop::pickerPosition()
{
    QFETCH(QRect, edit);
    QFETCH(QSize, popup);
    QFETCH(QPoint, expected);
    QCOMPARE(PickerPosition(edit, popup, QRect(0, 0, 800, 600)), expected);
}

void tst_KavoDrop::opensPicker_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier);
    QTest::newRow("side button") << 0 << 0;
}

void tst_KavoDrop::opensPicker()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QWidget window;
    auto *edit = new TkavoCalcEdit(&window);
    edit->setGeometry(0, 0, 100, 22);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QCOMPARE(edit->Picker(), nullptr);
    if (key != 0)
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    else
        QTest::mouseClick(edit->Button(), Qt::LeftButton);
    QVERIFY(qobject_cast<TkavoCalculator *>(edit->Picker()));
    QVERIFY(edit->Picker()->isVisible());
    // Opening again while it is open keeps the one picker.
    QDialog *first = edit->Picker();
    edit->DropDown();
    QCOMPARE(edit->Picker(), first);
    // A plain Down key does not open it.
    QTest::keyClick(first, Qt::Key_Escape);
    QTRY_COMPARE(edit->Picker(), nullptr);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(edit->Picker(), nullptr);
}

void tst_KavoDrop::calcEditAcceptsAndCancels()
{
    TkavoCalcEdit edit;
    int changes = 0;
    edit.OnChange = [&changes](QObject *) { ++changes; };
    edit.setValue(1.5);
    QCOMPARE(edit.text(), QStringLiteral("1,5"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));

    edit.DropDown();
    auto *calculator = qobject_cast<TkavoCalculator *>(edit.Picker());
    QVERIFY(calculator);
    QCOMPARE(calculator->Expression(), QStringLiteral("1,5"));
    QTest::keyClicks(calculator, "*2+0,1");
    QTest::keyClick(calculator, Qt::Key_Return);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.Value(), 3.1);
    QCOMPARE(edit.text(), QStringLiteral("3,1"));
    QCOMPARE(changes, 2);

    edit.DropDown();
    QTest::keyClicks(edit.Picker(), "*100");
    QTest::keyClick(edit.Picker(), Qt::Key_Escape);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.Value(), 3.1);
    QCOMPARE(changes, 2);

    // Accepting the value it already had announces nothing.
    edit.DropDown();
    QTest::keyClick(edit.Picker(), Qt::Key_Return);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(changes, 2);
}

// The edit's value shows as a result: what is typed first starts a new expression, unless it
// is an operator, which goes on from the value.
void tst_KavoDrop::calculatorStartsFromValue_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digit") << "2+3*4" << "14";
    QTest::newRow("separator") << ",5" << "0,5";
    QTest::newRow("parenthesis") << "(1+1)*3" << "6";
    QTest::newRow("share") << "+10%" << "1357,95";
    QTest::newRow("operator") << "-0,5" << "1234";
    const QString times1e120 = "*1" + QString(120, u'0') + "=";
    QTest::newRow("beyond a double") << times1e120 + times1e120 + times1e120 << "1234,5";
}

void tst_KavoDrop::calculatorStartsFromValue()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TkavoCalcEdit edit;
    edit.setValue(1234.5);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.DropDown();
    QTest::keyClicks(edit.Picker(), typed);
    QTest::keyClick(edit.Picker(), Qt::Key_Return);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.text(), shown);
}

namespace {

// A drop-down edit of each kind in window, with its picker open.
TkavoCustomEdit *openPicker(QWidget &window, int kind)
{
    TkavoCustomEdit *edit = kind == 0 ? static_cast<TkavoCustomEdit *>(new TkavoCalcEdit(&window))
                          : kind == 1 ? static_cast<TkavoCustomEdit *>(new TkavoDateEdit(&window))
                                      : new TkavoPeriodEdit(&window);
    edit->setGeometry(10, 10, 150, 21);
    window.resize(300, 200);
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return nullptr;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F4);
    if (!edit->Picker() || !waitForKeyboard(edit->Picker()))
        return nullptr;
    return edit;
}

} // namespace

// Turning to another window closes the picker as Esc would; it has no minimise or maximise
// buttons. A press on the side button, which turns to the edit's window, closes it too and no
// more.
void tst_KavoDrop::pickerClosesWhenLeft_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("sideButton");
    QTest::newRow("calculator") << 0 << false;
    QTest::newRow("calendar") << 1 << false;
    QTest::newRow("period") << 2 << false;
    QTest::newRow("side button") << 0 << true;
}

void tst_KavoDrop::pickerClosesWhenLeft()
{
    QFETCH(int, kind);
    QFETCH(bool, sideButton);
    QWidget window;
    TkavoCustomEdit *edit = openPicker(window, kind);
    QVERIFY(edit);
    const QString before = edit->text();
    QDialog *picker = edit->Picker();
    QCOMPARE(picker->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint), Qt::WindowFlags());
    QTest::keyClicks(picker, "*2");
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    if (sideButton) {
        QTest::mousePress(edit->Button(), Qt::LeftButton);
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseRelease(edit->Button(), Qt::LeftButton);
    } else {
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    QTRY_COMPARE(edit->Picker(), nullptr);
    QCOMPARE(edit->text(), before);
    QCoreApplication::processEvents();
    QCOMPARE(edit->Picker(), nullptr);
}

void tst_KavoDrop::keyboardComesBackToEdit_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void tst_KavoDrop::keyboardComesBackToEdit()
{
    QFETCH(int, key);
    QWidget window;
    auto *next = new QLineEdit(&window);
    next->move(10, 100);
    TkavoCustomEdit *edit = openPicker(window, 0);
    QVERIFY(edit);
    QTest::keyClick(edit->Picker(), Qt::Key(key));
    QTRY_COMPARE(edit->Picker(), nullptr);
    QVERIFY(waitForKeyboard(&window));
    QCOMPARE(QApplication::focusWidget(), edit);
}

// The period dialog's refusal of a backward period is a window of its own; the dialog stays
// open through it and takes the keyboard back after it.
void tst_KavoDrop::ownMessageKeepsPickerOpen()
{
    QWidget window;
    auto *edit = static_cast<TkavoPeriodEdit *>(openPicker(window, 2));
    QVERIFY(edit);
    auto *dialog = qobject_cast<TkavoPeriodDialog *>(edit->Picker());
    QVERIFY(dialog);
    dialog->setPeriod(QDate(2026, 5, 10), QDate(2026, 5, 9));
    FDesktop.whileOpen = [] {
        QDialog box(QApplication::activeWindow());
        box.show();
        QVERIFY(waitForKeyboard(&box));
    };
    QTest::keyClick(dialog->ToPanel()->Grid(), Qt::Key_Return);
    FDesktop.whileOpen = nullptr;
    QCOMPARE(FDesktop.messages.size(), 1);
    QVERIFY(waitForKeyboard(dialog));
    QCOMPARE(edit->Picker(), dialog);
    QTest::keyClick(dialog->ToPanel()->Grid(), Qt::Key_Right);
    QTest::keyClick(dialog->ToPanel()->Grid(), Qt::Key_Return);
    QTRY_COMPARE(edit->Picker(), nullptr);
    QCOMPARE(edit->DateTo(), QDate(2026, 5, 10));
}

void tst_KavoDrop::dateEditTakesCalendarDay()
{
    TkavoDateEdit edit;
    edit.setDate(QDate(2026, 3, 31));
    QCOMPARE(edit.text(), QStringLiteral("31.03.2026"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QTest::keyClick(&edit, Qt::Key_F4);
    auto *calendar = qobject_cast<TkavoCalendar *>(edit.Picker());
    QVERIFY(calendar);
    QCOMPARE(calendar->Date(), QDate(2026, 3, 31));
    QTest::keyClick(calendar->Grid(), Qt::Key_Right);
    QTest::keyClick(calendar->Grid(), Qt::Key_Return);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.Date(), QDate(2026, 4, 1));

    QTest::keyClick(&edit, Qt::Key_F4);
    QTest::keyClick(qobject_cast<TkavoCalendar *>(edit.Picker())->Grid(), Qt::Key_PageDown);
    QTest::keyClick(edit.Picker(), Qt::Key_Escape);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.Date(), QDate(2026, 4, 1));
}

void tst_KavoDrop::periodEditTakesQuickPeriod()
{
    TkavoPeriodEdit edit;
    QVERIFY(edit.setPeriod(QDate(2026, 1, 5), QDate(2026, 1, 10)));
    QVERIFY(!edit.setPeriod(QDate(2026, 1, 10), QDate(2026, 1, 5)));
    QCOMPARE(edit.text(), QStringLiteral("05.01.2026 – 10.01.2026"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.DropDown();
    auto *dialog = qobject_cast<TkavoPeriodDialog *>(edit.Picker());
    QVERIFY(dialog);
    QCOMPARE(dialog->DateFrom(), QDate(2026, 1, 5));
    dialog->setToday(QDate(2026, 5, 20));
    QTest::mouseClick(dialog->ChoiceButton(pcLastMonth), Qt::LeftButton);
    QTest::keyClick(dialog->FromPanel()->Grid(), Qt::Key_Return);
    QTRY_COMPARE(edit.Picker(), nullptr);
    QCOMPARE(edit.DateFrom(), QDate(2026, 4, 1));
    QCOMPARE(edit.DateTo(), QDate(2026, 4, 30));
}

void tst_KavoDrop::leavingChecksText_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");

    QTest::newRow("expression worked out") << 0 << "2+2*3" << "8" << 0;
    QTest::newRow("bad expression") << 0 << "2+" << "1" << 1;
    QTest::newRow("empty number") << 0 << "" << "1" << 1;
    QTest::newRow("grouped by spaces") << 0 << "1 234,5" << "1234,5" << 0;
    QTest::newRow("grouped by no-break spaces") << 0 << "1\u00A0234\u202F567" << "1234567" << 0;
    QTest::newRow("decimal difference") << 0 << "1,001-1" << "0,001" << 0;
    QTest::newRow("beyond a double") << 0 << "1e400" << "1" << 1;
    QTest::newRow("short date") << 1 << "5.3.26" << "05.03.2026" << 0;
    QTest::newRow("date") << 1 << "15.03.2026" << "15.03.2026" << 0;
    QTest::newRow("no such day") << 1 << "31.02.2026" << "10.03.2026" << 1;
    QTest::newRow("after the last day") << 1 << "01.01.2027" << "10.03.2026" << 1;
    QTest::newRow("period with a hyphen") << 2 << "01.03.2026-02.03.2026" << "01.03.2026 – 02.03.2026" << 0;
    QTest::newRow("period of short dates") << 2 << "1.3.26 – 2.3.26" << "01.03.2026 – 02.03.2026" << 0;
    QTest::newRow("period backwards") << 2 << "05.03.2026 – 01.03.2026" << "10.03.2026 – 10.03.2026" << 1;
}

void tst_KavoDrop::leavingChecksText()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    QWidget window;
    TkavoCustomEdit *edit = nullptr;
    if (kind == 0) {
        auto *calc = new TkavoCalcEdit(&window);
        calc->setValue(1);
        edit = calc;
    } else if (kind == 1) {
        auto *date = new TkavoDateEdit(&window);
        date->setMaxDate(QDate(2026, 12, 31));
        date->setDate(QDate(2026, 3, 10));
        edit = date;
    } else {
        auto *period = new TkavoPeriodEdit(&window);
        period->setPeriod(QDate(2026, 3, 10), QDate(2026, 3, 10));
        edit = period;
    }
    auto *next = new QLineEdit(&window);
    next->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    edit->selectAll();
    // Typed as a paste would bring it: QtTest types no dash.
    edit->insert(typed);
    if (typed.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    FDesktop.beeps.clear();
    next->setFocus();
    QCOMPARE(edit->text(), shown);
    QCOMPARE(int(FDesktop.beeps.size()), beeps);
}

void tst_KavoDrop::accessibility()
{
    TkavoDateEdit edit;
    edit.setAccessibleName(QStringLiteral("Дата"));
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&edit);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QAccessibleInterface *button = QAccessible::queryAccessibleInterface(edit.Button());
    QVERIFY(button);
    QCOMPARE(button->role(), QAccessible::Button);
    QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Открыть"));
}

void tst_KavoDrop::buttonFollowsEdit_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("as created") << 0;
    QTest::newRow("moved") << 1;
    QTest::newRow("resized") << 2;
    QTest::newRow("hidden") << 3;
    QTest::newRow("shown again") << 4;
    QTest::newRow("disabled") << 5;
    QTest::newRow("re-parented") << 6;
    QTest::newRow("button hidden") << 7;
    QTest::newRow("button narrowed") << 8;
}

// The side button stands 2 pixels right of the edit, as high as the edit, in the edit's parent,
// and is seen and enabled as the edit is.
void tst_KavoDrop::buttonFollowsEdit()
{
    QFETCH(int, step);
    QWidget window;
    auto *other = new QWidget(&window);
    other->setGeometry(0, 100, 300, 100);
    auto *edit = new TkavoDateEdit(&window);
    edit->setGeometry(10, 20, 120, 21);
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int defaultWidth = edit->ButtonWidth();
    QVERIFY(defaultWidth > 0);

    switch (step) {
    case 1: edit->move(40, 50); break;
    case 2: edit->resize(90, 30); break;
    case 3: edit->hide(); break;
    case 4: edit->hide(); edit->show(); break;
    case 5: edit->setEnabled(false); break;
    case 6: edit->setParent(other); edit->move(5, 6); edit->show(); break;
    case 7: edit->setButtonVisible(false); break;
    case 8: edit->setButtonWidth(9); edit->setButtonWidth(0); break;
    }

    TkavoDropButton *button = edit->Button();
    QCOMPARE(button->parentWidget(), edit->parentWidget());
    QCOMPARE(button->geometry(), QRect(edit->geometry().right() + 3, edit->y(), edit->ButtonWidth(), edit->height()));
    QCOMPARE(edit->ButtonWidth(), step == 8 ? 9 : defaultWidth);
    QCOMPARE(button->isVisible(), edit->isVisible() && step != 7);
    QCOMPARE(button->isEnabled(), edit->isEnabled());
    QCOMPARE(edit->SideButtonWidth(), step == 7 ? 0 : edit->ButtonWidth());

    // The button goes with the edit.
    const QPointer<TkavoDropButton> guard(button);
    delete edit;
    QVERIFY(guard.isNull());
}

// A caption above a drop-down edit gives edit, gap and side button together its width; without
// the button the edit takes the whole width.
void tst_KavoDrop::spansLabel()
{
    QWidget window;
    auto *edit = new TkavoDateEdit(&window);
    auto *label = new TkavoLabel(&window);
    label->setPosition(wlpTop);
    label->setFocusControl(edit);
    label->SetBounds(10, 40, 150, 16);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(edit->geometry().left(), label->geometry().left());
    QCOMPARE(edit->width(), 150 - edit->ButtonWidth() - 2);
    QCOMPARE(edit->Button()->geometry().right(), label->geometry().right());

    edit->setButtonVisible(false);
    label->setPosition(wlpTop);
    QCOMPARE(edit->geometry().right(), label->geometry().right());
    QVERIFY(!edit->Button()->isVisible());
}

QTEST_MAIN(tst_KavoDrop)
#include "tst_KavoDrop.moc"
