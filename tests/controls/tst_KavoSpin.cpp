// SPDX-License-Identifier: MIT
#include "KavoSpin.h"

#include "RatioPixels.h"
#include "RecordingDesktop.h"
#include "Colors.h"
#include "Form.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <limits>

using namespace toolkit;

namespace {

struct Limits
{
    long double min = 0;
    long double max = 0;
};

} // namespace

Q_DECLARE_METATYPE(Limits)
Q_DECLARE_METATYPE(TValueType)
Q_DECLARE_METATYPE(long double)

class tst_KavoSpin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void arrowsSharpAtScreenRatio_data();
    void arrowsSharpAtScreenRatio();

    void writeValue_data();
    void writeValue();
    void readValue_data();
    void readValue();
    void localeSeparator();
    void writeNotifiesOnlyOnChange();
    void steps_data();
    void steps();
    void oneStepFromEachSourceFiresOnce();
    void readOnlyStepsBeep();
    void typedCharacters_data();
    void typedCharacters();
    void maxLengthLimitsTypingNotWriting();
    void enterAndEscapeReachTheForm();
    void leavingClamps_data();
    void leavingClamps();
    void keyboardEntrySelects_data();
    void keyboardEntrySelects();
    void clipboardRules_data();
    void clipboardRules();
    void altBackspaceUndoes();
    void valueTypeChange_data();
    void valueTypeChange();
    void decimalReformats();
    void minimumHeight();
    void arrowsPlacement();
    void arrowNotificationsAreNotReentrant();
    void heldArrowRepeats();
    void frameRings();
    void storedRules();
    void propertiesByName();

private:
    std::unique_ptr<RecordingDesktop> FDesktop;
    int beepCount() const { return int(FDesktop->beeps.size()); }
};

void tst_KavoSpin::initTestCase()
{
    FDesktop = std::make_unique<RecordingDesktop>();
}

void tst_KavoSpin::init()
{
    QLocale::setDefault(QLocale::c());
    FDesktop->beeps.clear();
}

void tst_KavoSpin::cleanupTestCase()
{
    FDesktop.reset();
}

void tst_KavoSpin::writeValue_data()
{
    QTest::addColumn<TValueType>("type");
    QTest::addColumn<int>("decimal");
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<long double>("value");
    QTest::addColumn<QString>("text");

    const Limits none;
    const Limits board{4, 50};
    QTest::newRow("half rounds to even, down") << vtInteger << 2 << none << 2.5L << "2";
    QTest::newRow("half rounds to even, up") << vtInteger << 2 << none << 3.5L << "4";
    QTest::newRow("negative half") << vtInteger << 2 << none << -2.5L << "-2";
    QTest::newRow("minus a half is zero") << vtInteger << 2 << none << -0.5L << "0";
    QTest::newRow("no limits while both are 0") << vtInteger << 2 << none << 123456.0L << "123456";
    QTest::newRow("above the maximum") << vtInteger << 2 << board << 60.0L << "50";
    QTest::newRow("below the minimum") << vtInteger << 2 << board << 1.0L << "4";
    QTest::newRow("equal limits clamp nothing") << vtInteger << 2 << Limits{7, 7} << 100.0L << "100";
    QTest::newRow("reversed limits, below the minimum") << vtInteger << 2 << Limits{10, 5} << 3.0L << "10";
    QTest::newRow("reversed limits, between them") << vtInteger << 2 << Limits{10, 5} << 7.0L << "10";
    QTest::newRow("reversed limits, not below the minimum") << vtInteger << 2 << Limits{10, 5} << 12.0L << "5";
    QTest::newRow("beyond 64 bits clamps to the top") << vtInteger << 2 << none << 1e30L << "9223372036854775807";
    QTest::newRow("beyond 64 bits clamps to the bottom") << vtInteger << 2 << none << -1e30L
                                                         << "-9223372036854775808";
    QTest::newRow("infinity clamps too") << vtInteger << 2 << none << std::numeric_limits<long double>::infinity()
                                         << "9223372036854775807";
    QTest::newRow("NaN leaves the text as it is") << vtInteger << 2 << board
                                                  << std::numeric_limits<long double>::quiet_NaN() << "0";
    QTest::newRow("largest 64-bit value") << vtInteger << 2 << none << 9223372036854775807.0L
                                          << "9223372036854775807";
    QTest::newRow("fixed with two decimals") << vtFloat << 2 << none << 1.5L << "1.50";
    QTest::newRow("decimal half rounds away from zero") << vtFloat << 2 << none << 0.125L << "0.13";
    QTest::newRow("negative zero loses its sign") << vtFloat << 2 << none << -0.001L << "0.00";
    QTest::newRow("carry into the whole part") << vtFloat << 2 << none << 9.999L << "10.00";
    QTest::newRow("no decimals") << vtFloat << 0 << none << 2.5L << "3";
    QTest::newRow("15 significant digits, then zeros") << vtFloat << 18 << none << 1.0L / 3 << "0.333333333333333000";
    QTest::newRow("more than 15 whole digits: exponent") << vtFloat << 2 << none << 1e20L << "1E20";
    QTest::newRow("exponent keeps 15 digits") << vtFloat << 2 << none << 123456789012345678.0L
                                              << "1.23456789012346E17";
    QTest::newRow("float clamps too") << vtFloat << 1 << Limits{-1, 1} << -7.25L << "-1.0";
}

void tst_KavoSpin::writeValue()
{
    QFETCH(TValueType, type);
    QFETCH(int, decimal);
    QFETCH(Limits, limits);
    QFETCH(long double, value);
    QFETCH(QString, text);

    TkavoSpinEdit spin;
    spin.setValueType(type);
    spin.setDecimal(quint8(decimal));
    spin.setMinValue(limits.min);
    spin.setMaxValue(limits.max);
    spin.setValue(value);
    QCOMPARE(spin.text(), text);
}

void tst_KavoSpin::readValue_data()
{
    QTest::addColumn<TValueType>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("value");

    // MinValue is 4.75 throughout: unreadable texts read as 4.75, or 4 with vtInteger.
    QTest::newRow("plain") << vtInteger << "12" << 12.0L;
    QTest::newRow("signed") << vtInteger << "-7" << -7.0L;
    QTest::newRow("plus sign") << vtInteger << "+8" << 8.0L;
    QTest::newRow("32-bit top") << vtInteger << "2147483647" << 2147483647.0L;
    QTest::newRow("32-bit bottom") << vtInteger << "-2147483648" << -2147483648.0L;
    QTest::newRow("beyond 32 bits") << vtInteger << "2147483648" << 4.0L;
    QTest::newRow("empty") << vtInteger << "" << 4.0L;
    QTest::newRow("lone sign") << vtInteger << "+" << 4.0L;
    QTest::newRow("sign inside the digits") << vtInteger << "1-2" << 4.0L;
    QTest::newRow("blank before") << vtInteger << " 5" << 4.0L;
    QTest::newRow("hexadecimal") << vtInteger << "$1F" << 4.0L;
    QTest::newRow("a fraction is no whole number") << vtInteger << "1.5" << 4.0L;
    QTest::newRow("decimal") << vtFloat << "1.5" << 1.5L;
    QTest::newRow("no leading digit") << vtFloat << "-.5" << -0.5L;
    QTest::newRow("no trailing digit") << vtFloat << "5." << 5.0L;
    QTest::newRow("exponent") << vtFloat << "1E3" << 1000.0L;
    QTest::newRow("open exponent") << vtFloat << "1e" << 4.75L;
    QTest::newRow("lone separator") << vtFloat << "." << 4.75L;
    QTest::newRow("two separators") << vtFloat << "1.2.3" << 4.75L;
    QTest::newRow("infinity is no number") << vtFloat << "inf" << 4.75L;
    QTest::newRow("beyond the extended range") << vtFloat << "1e99999" << 4.75L;
}

void tst_KavoSpin::readValue()
{
    QFETCH(TValueType, type);
    QFETCH(QString, text);
    QFETCH(long double, value);

    TkavoSpinEdit spin;
    spin.setValueType(type);
    spin.setMinValue(4.75L);
    spin.setText(text);
    QCOMPARE(double(spin.Value()), double(value));
    QCOMPARE(spin.Value(), value);
    QCOMPARE(spin.text(), text); // reading never rewrites
}

void tst_KavoSpin::localeSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TkavoSpinEdit spin;
    spin.setValueType(vtFloat);
    spin.setValue(1.5L);
    QCOMPARE(spin.text(), QStringLiteral("1,50"));
    spin.setText(QStringLiteral("2,25"));
    QCOMPARE(double(spin.Value()), 2.25);
    spin.setMinValue(-1);
    spin.setText(QStringLiteral("2.25"));
    QCOMPARE(double(spin.Value()), -1.0);
    QVERIFY(spin.AcceptsChar(u','));
    QVERIFY(!spin.AcceptsChar(u'.'));
}

void tst_KavoSpin::writeNotifiesOnlyOnChange()
{
    TkavoSpinEdit spin;
    int changes = 0;
    spin.OnChange = [&](QObject *sender) {
        QCOMPARE(sender, &spin);
        ++changes;
    };
    spin.setValue(0);
    QCOMPARE(changes, 0);
    spin.setValue(5);
    QCOMPARE(changes, 1);
    spin.setValue(5.4L); // rounds to the same text
    QCOMPARE(changes, 1);
}

void tst_KavoSpin::steps_data()
{
    QTest::addColumn<TValueType>("type");
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("text");

    QTest::newRow("a new control steps below 0") << vtInteger << Limits{} << "0" << false << "-1";
    QTest::newRow("up within the limits") << vtInteger << Limits{4, 50} << "10" << true << "11";
    QTest::newRow("at the maximum") << vtInteger << Limits{4, 50} << "50" << true << "50";
    QTest::newRow("at the minimum") << vtInteger << Limits{4, 50} << "4" << false << "4";
    QTest::newRow("typed beyond the maximum") << vtInteger << Limits{4, 50} << "70" << false << "50";
    QTest::newRow("unreadable steps from the minimum") << vtInteger << Limits{4, 50} << "" << true << "5";
    QTest::newRow("float step") << vtFloat << Limits{} << "1.50" << true << "2.50";
}

void tst_KavoSpin::steps()
{
    QFETCH(TValueType, type);
    QFETCH(Limits, limits);
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, text);

    TkavoSpinEdit spin;
    spin.setValueType(type);
    spin.setMinValue(limits.min);
    spin.setMaxValue(limits.max);
    spin.setText(start);
    spin.setModified(false);
    int changes = 0;
    spin.OnChange = [&](QObject *) { ++changes; };
    if (up)
        spin.StepUp(&spin);
    else
        spin.StepDown(&spin);
    QCOMPARE(spin.text(), text);
    const bool changed = text != start;
    QCOMPARE(changes, changed ? 1 : 0);
    QCOMPARE(spin.isModified(), changed);
    QVERIFY(!spin.Stepping());
}

void tst_KavoSpin::oneStepFromEachSourceFiresOnce()
{
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setGeometry(10, 10, 62, 21);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int changes = 0;
    spin->OnChange = [&](QObject *) { ++changes; };

    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(spin->text(), QStringLiteral("1"));
    QCOMPARE(changes, 1);

    TkavoUpDown *arrows = spin->Arrows();
    QVERIFY(arrows);
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, arrows->height() - 2));
    QCOMPARE(spin->text(), QStringLiteral("0"));
    QCOMPARE(changes, 2);

    spin->setArrowKeys(false);
    QTest::keyClick(spin, Qt::Key_Down);
    QCOMPARE(spin->text(), QStringLiteral("0"));
    QCOMPARE(beepCount(), 0);
}

void tst_KavoSpin::readOnlyStepsBeep()
{
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setGeometry(10, 10, 62, 21);
    spin->setReadOnly(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(spin, Qt::Key_Up);
    TkavoUpDown *arrows = spin->Arrows();
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    QCOMPARE(beepCount(), 2);
    QCOMPARE(spin->text(), QStringLiteral("0"));
}

void tst_KavoSpin::typedCharacters_data()
{
    QTest::addColumn<TValueType>("type");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");

    // The box holds "12" with the cursor between the digits.
    QTest::newRow("digit") << vtInteger << true << int(Qt::Key_5) << "5" << "152" << 0;
    QTest::newRow("signs anywhere") << vtInteger << true << int(Qt::Key_Minus) << "-" << "1-2" << 0;
    QTest::newRow("letter") << vtInteger << true << int(Qt::Key_A) << "a" << "12" << 1;
    QTest::newRow("blank") << vtInteger << true << int(Qt::Key_Space) << " " << "12" << 1;
    QTest::newRow("separator of an integer") << vtInteger << true << int(Qt::Key_Period) << "." << "12" << 1;
    QTest::newRow("separator of a float") << vtFloat << true << int(Qt::Key_Period) << "." << "1.2" << 0;
    QTest::newRow("backspace") << vtInteger << true << int(Qt::Key_Backspace) << "\b" << "2" << 0;
    QTest::newRow("editor off: digit") << vtInteger << false << int(Qt::Key_5) << "5" << "12" << 1;
    QTest::newRow("editor off: backspace") << vtInteger << false << int(Qt::Key_Backspace) << "\b" << "12" << 1;
    QTest::newRow("editor off: delete is no character") << vtInteger << false << int(Qt::Key_Delete) << ""
                                                        << "1" << 0;
}

void tst_KavoSpin::typedCharacters()
{
    QFETCH(TValueType, type);
    QFETCH(bool, editorEnabled);
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(QString, text);
    QFETCH(int, beeps);

    TkavoSpinEdit spin;
    spin.setValueType(type);
    spin.setEditorEnabled(editorEnabled);
    spin.setText(QStringLiteral("12"));
    spin.setCursorPosition(1);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keyText);
    QApplication::sendEvent(&spin, &press);
    QCOMPARE(spin.text(), text);
    QCOMPARE(beepCount(), beeps);
}

void tst_KavoSpin::maxLengthLimitsTypingNotWriting()
{
    TkavoSpinEdit spin;
    spin.setMaxLength(2);
    spin.setText(QStringLiteral("12"));
    spin.setCursorPosition(2);
    QTest::keyClick(&spin, Qt::Key_3);
    QCOMPARE(spin.text(), QStringLiteral("12"));
    spin.setValue(100);
    QCOMPARE(spin.text(), QStringLiteral("100"));
    QCOMPARE(spin.Value(), 100.0L);
}

void tst_KavoSpin::enterAndEscapeReachTheForm()
{
    TForm form;
    auto *spin = new TkavoSpinEdit(&form);
    auto *ok = new QPushButton(QStringLiteral("OK"), &form);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &form);
    cancel->setProperty("Cancel", true);
    int oks = 0;
    int cancels = 0;
    connect(ok, &QPushButton::clicked, &form, [&] { ++oks; });
    connect(cancel, &QPushButton::clicked, &form, [&] { ++cancels; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    spin->setText(QStringLiteral("7"));

    QTest::keyClick(spin, Qt::Key_Return);
    QCOMPARE(oks, 1);
    QCOMPARE(spin->text(), QStringLiteral("7"));
    QTest::keyClick(spin, Qt::Key_Escape);
    QCOMPARE(cancels, 1);
    QCOMPARE(oks, 1);
    QCOMPARE(beepCount(), 0);

    // Outside a form the keys go nowhere and nothing breaks.
    TkavoSpinEdit alone;
    QTest::keyClick(&alone, Qt::Key_Return);
    QCOMPARE(alone.text(), QStringLiteral("0"));
}

void tst_KavoSpin::leavingClamps_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    QTest::newRow("above the maximum") << "60" << "50";
    QTest::newRow("below the minimum") << "3" << "4";
    QTest::newRow("inside stays as typed") << "+7" << "+7";
    QTest::newRow("emptied stays empty") << "" << "";
    QTest::newRow("unreadable stays") << "1-2" << "1-2";
}

void tst_KavoSpin::leavingClamps()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);

    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setMinValue(4);
    spin->setMaxValue(50);
    spin->setValue(10);
    auto *other = new TkavoSpinEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int exits = 0;
    spin->OnExit = [&](QObject *) { ++exits; };
    spin->setFocus(Qt::TabFocusReason);
    QVERIFY(spin->hasFocus());
    spin->setText(typed); // typing alone never clamps
    QCOMPARE(spin->text(), typed);
    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(exits, 1);
    QCOMPARE(spin->text(), text);
    if (typed.isEmpty())
        QCOMPARE(spin->Value(), 4.0L);
}

void tst_KavoSpin::keyboardEntrySelects_data()
{
    QTest::addColumn<bool>("autoSelect");
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("typed");

    QTest::newRow("Tab, AutoSelect") << true << Qt::TabFocusReason << "12" << "7";
    QTest::newRow("Shift+Tab, AutoSelect") << true << Qt::BacktabFocusReason << "12" << "7";
    QTest::newRow("Tab, no AutoSelect") << false << Qt::TabFocusReason << "" << "172";
    QTest::newRow("Shift+Tab, no AutoSelect") << false << Qt::BacktabFocusReason << "" << "172";
    QTest::newRow("mnemonic, no AutoSelect") << false << Qt::ShortcutFocusReason << "" << "172";
}

void tst_KavoSpin::keyboardEntrySelects()
{
    QFETCH(bool, autoSelect);
    QFETCH(Qt::FocusReason, reason);
    QFETCH(QString, selected);
    QFETCH(QString, typed);

    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setMaxValue(1000);
    spin->setValue(12);
    spin->setAutoSelect(autoSelect);
    spin->setCursorPosition(1);
    auto *other = new TkavoSpinEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus(reason);
    spin->setFocus(reason);
    QVERIFY(spin->hasFocus());
    QCOMPARE(spin->selectedText(), selected);
    QTest::keyClick(spin, Qt::Key_7);
    QCOMPARE(spin->text(), typed);
}

void tst_KavoSpin::clipboardRules_data()
{
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("afterPaste");
    QTest::addColumn<QString>("afterCut");

    // The box holds "12", all selected; the clipboard holds "3456".
    QTest::newRow("editable") << true << false << "345" << "";
    QTest::newRow("editor off") << false << false << "12" << "12";
    QTest::newRow("read-only") << true << true << "12" << "12";
}

void tst_KavoSpin::clipboardRules()
{
    QFETCH(bool, editorEnabled);
    QFETCH(bool, readOnly);
    QFETCH(QString, afterPaste);
    QFETCH(QString, afterCut);

    QClipboard *clipboard = QGuiApplication::clipboard();
    TkavoSpinEdit spin;
    spin.setMaxLength(3);
    spin.setEditorEnabled(editorEnabled);
    spin.setReadOnly(readOnly);

    clipboard->setText(QStringLiteral("3456"));
    spin.setText(QStringLiteral("12"));
    spin.selectAll();
    QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(spin.text(), afterPaste);

    spin.setText(QStringLiteral("12"));
    spin.selectAll();
    QTest::keyClick(&spin, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(spin.text(), afterCut);
    QCOMPARE(clipboard->text(), afterCut.isEmpty() ? QStringLiteral("12") : QStringLiteral("3456"));

    // Copying is never restricted.
    spin.setText(QStringLiteral("89"));
    spin.selectAll();
    QTest::keyClick(&spin, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("89"));
    QCOMPARE(beepCount(), 0);
}

void tst_KavoSpin::altBackspaceUndoes()
{
    TkavoSpinEdit spin;
    spin.setText(QStringLiteral("4"));
    spin.setCursorPosition(1);
    QTest::keyClick(&spin, Qt::Key_2);
    QCOMPARE(spin.text(), QStringLiteral("42"));
    QTest::keyClick(&spin, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(spin.text(), QStringLiteral("4"));
}

void tst_KavoSpin::valueTypeChange_data()
{
    QTest::addColumn<long double>("increment");
    QTest::addColumn<QString>("floatText");
    QTest::addColumn<long double>("integerIncrement");
    QTest::addColumn<QString>("integerText");

    // Limits -10..100: a text the integer reading cannot take becomes the minimum.
    QTest::newRow("half rounds to 0, which becomes 1") << 0.5L << "2.50" << 1.0L << "-10";
    QTest::newRow("one and a half") << 1.5L << "3" << 2.0L << "3";
    QTest::newRow("two and a half") << 2.5L << "-3" << 2.0L << "-3";
}

void tst_KavoSpin::valueTypeChange()
{
    QFETCH(long double, increment);
    QFETCH(QString, floatText);
    QFETCH(long double, integerIncrement);
    QFETCH(QString, integerText);

    TkavoSpinEdit spin;
    spin.setMinValue(-10);
    spin.setMaxValue(100);
    spin.setValueType(vtFloat);
    spin.setIncrement(increment);
    spin.setText(floatText);
    spin.setValueType(vtInteger);
    QCOMPARE(spin.Increment(), integerIncrement);
    QCOMPARE(spin.text(), integerText);
}

void tst_KavoSpin::decimalReformats()
{
    TkavoSpinEdit spin;
    spin.setValueType(vtFloat);
    spin.setText(QStringLiteral("1.5"));
    spin.setDecimal(3);
    QCOMPARE(spin.text(), QStringLiteral("1.500"));
    QVERIFY(toolkit::isPropertyStored(&spin, "Decimal"));
}

void tst_KavoSpin::minimumHeight()
{
    TkavoSpinEdit spin;
    QCOMPARE(spin.MinimumHeight(), spin.fontMetrics().height() + 5);
    spin.resize(62, 3);
    QCOMPARE(spin.height(), spin.MinimumHeight());
    QFont big = spin.font();
    big.setPixelSize(40);
    spin.setFont(big);
    QVERIFY(spin.height() >= spin.fontMetrics().height() + 5);
}

void tst_KavoSpin::arrowsPlacement()
{
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setGeometry(0, 0, 62, 21);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int width = spin->ArrowsWidth();
    QVERIFY(width > 0);
    QCOMPARE(spin->Arrows()->geometry(), QRect(62 - width - 3, 2, width, 17));
    spin->setLayoutDirection(Qt::RightToLeft);
    QCOMPARE(spin->Arrows()->geometry(), QRect(3, 2, width, 17));
    spin->setEnabled(false);
    QVERIFY(!spin->Arrows()->isEnabled());
}

void tst_KavoSpin::arrowNotificationsAreNotReentrant()
{
    TkavoSpinEdit spin;
    TkavoUpDown *arrows = spin.Arrows();
    QList<TUDBtnType> clicks;
    arrows->OnClick = [&](QObject *sender, TUDBtnType button) {
        QCOMPARE(sender, arrows);
        clicks.append(button);
        arrows->ScrollNotification(1); // a report that arrives during the handling is dropped
    };
    arrows->ScrollNotification(1);
    arrows->ScrollNotification(-1);
    arrows->ScrollNotification(0);
    QCOMPARE(clicks, (QList<TUDBtnType>{btNext, btPrev}));
    QCOMPARE(arrows->Position(), 0);
    QVERIFY(!arrows->Notifying());
}

void tst_KavoSpin::heldArrowRepeats()
{
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    spin->setGeometry(0, 0, 62, 21);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TkavoUpDown *arrows = spin->Arrows();
    QTest::mousePress(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    QCOMPARE(spin->text(), QStringLiteral("1"));
    QTRY_VERIFY_WITH_TIMEOUT(spin->Value() >= 3, 5000);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 2));
    const QString released = spin->text();
    QTest::qWait(3 * TkavoUpDown::RepeatInterval);
    QCOMPARE(spin->text(), released);
}

void tst_KavoSpin::frameRings()
{
    QWidget window;
    auto *spin = new TkavoSpinEdit(&window);
    auto *other = new TkavoSpinEdit(&window);
    // Away from the window's corner, where the pointer rests.
    spin->setGeometry(40, 40, 62, 21);
    other->move(40, 80);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    const QPalette &pal = spin->palette();
    auto pixel = [&](int x, int y) { return spin->grab().toImage().pixel(x, y); };
    QCOMPARE(pixel(0, 10), clBtnShadow.resolve(pal).rgb());
    QCOMPARE(pixel(10, 0), clBtnShadow.resolve(pal).rgb());
    QCOMPARE(pixel(61, 10), clBtnHighlight.resolve(pal).rgb());
    QCOMPARE(pixel(10, 20), clBtnHighlight.resolve(pal).rgb());
    QCOMPARE(pixel(1, 10), clBtnFace.resolve(pal).rgb());
    QCOMPARE(pixel(10, 1), clBtnFace.resolve(pal).rgb());
    QCOMPARE(pixel(10, 19), cl3DLight.resolve(pal).rgb());
    QCOMPARE(pixel(60, 10), cl3DLight.resolve(pal).rgb());
    QCOMPARE(pixel(2, 10), clWindow.resolve(pal).rgb());

    spin->setFocus();
    QCOMPARE(pixel(1, 10), qRgb(0, 0, 0));
    QCOMPARE(pixel(10, 1), qRgb(0, 0, 0));
    other->setFocus();
    QCOMPARE(pixel(1, 10), clBtnFace.resolve(pal).rgb());

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(spin, &enter);
    QVERIFY(spin->MouseInside());
    QCOMPARE(pixel(1, 10), qRgb(0, 0, 0));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(spin, &leave);
    QCOMPARE(pixel(1, 10), clBtnFace.resolve(pal).rgb());

    spin->setEnabled(false);
    QCOMPARE(pixel(2, 10), clBtnFace.resolve(pal).rgb());
}

void tst_KavoSpin::storedRules()
{
    // A new spin edit writes none of its own properties to a stored form.
    TkavoSpinEdit spin;
    for (const char *name : {"Alignment", "ArrowKeys", "Decimal", "EditorEnabled", "Increment", "MaxValue",
                             "MinValue", "ValueType", "Value"})
        QVERIFY2(!isPropertyStored(&spin, name), name);
    // Value is stored by what the text reads, not by what was written.
    spin.setValue(3);
    QVERIFY(isPropertyStored(&spin, "Value"));
    spin.setText(QStringLiteral("x"));
    QVERIFY(!isPropertyStored(&spin, "Value"));
    spin.setMinValue(2);
    QVERIFY(isPropertyStored(&spin, "Value"));
}

void tst_KavoSpin::propertiesByName()
{
    // A form description sets the properties by name, in their stored order.
    TkavoSpinEdit spin;
    QVERIFY(spin.setProperty("ValueType", QVariant::fromValue(vtFloat)));
    QVERIFY(spin.setProperty("MinValue", 2.0));
    QVERIFY(spin.setProperty("MaxValue", 5.0));
    QVERIFY(spin.setProperty("Value", 9.0));
    QCOMPARE(spin.text(), QStringLiteral("5.00"));
    QCOMPARE(spin.property("Value").toDouble(), 5.0);
}

void tst_KavoSpin::arrowsSharpAtScreenRatio_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

// Run by the registrations that set a screen ratio.
void tst_KavoSpin::arrowsSharpAtScreenRatio()
{
    QFETCH(bool, enabled);
    TkavoSpinEdit spin;
    spin.setEnabled(enabled);
    TkavoUpDown *arrows = spin.Arrows();
    const qreal ratio = arrows->devicePixelRatio();
    if (ratio <= 1.0)
        QSKIP("the screen's device pixel ratio is 1");

    const QImage image = arrows->grab().toImage();
    const QPalette &pal = arrows->palette();
    QSet<QRgb> drawn;
    for (const TColor colour : {clBtnFace, clBtnHighlight, clBtnShadow, cl3DLight, cl3DDkShadow, clBtnText})
        drawn.insert(colour.resolve(pal).rgb());
    QVERIFY(drawn.contains(RatioPixels::colours(image, image.rect())));
    if (ratio == 2.0)
        QVERIFY(RatioPixels::hasFineDetail(image, image.rect()));
    // The up arrow's tip, its first row, is one device pixel wide.
    const QRgb text = clBtnText.resolve(pal).rgb();
    int width = 0;
    for (int y = 0; enabled && width == 0 && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            width += image.pixel(x, y) == text;
    QCOMPARE(width, enabled ? 1 : 0);
}

QTEST_MAIN(tst_KavoSpin)
#include "tst_KavoSpin.moc"
