// SPDX-License-Identifier: MIT
#include "KvCalcDlg.h"

#include "KavoBtns.h"
#include "PickerFixtures.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

class tst_KvCalcDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void typing_data();
    void typing();
    void keypadMatchesKeyboard();
    void memory();
    void memoryRecallReplacesNumber_data();
    void memoryRecallReplacesNumber();
    void memoryOutlivesCalculator();
    void clickedKeyLeavesKeyboardToDisplay_data();
    void clickedKeyLeavesKeyboardToDisplay();
    void pastes_data();
    void pastes();
    void enterAcceptsOnlySoundExpression();

private:
    RecordingDesktop FDesktop;
};

void tst_KvCalcDlg::initTestCase()
{
    useRussianLocale();
}

// The memory lasts as long as the program: each test starts from an empty one.
void tst_KvCalcDlg::init()
{
    TkavoCalculator().Press("MC");
}

void tst_KvCalcDlg::typing_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("status");

    QTest::newRow("precedence") << "2+3*4" << "2+3×4" << "= 14";
    QTest::newRow("point becomes comma") << "0.1+0.2" << "0,1+0,2" << "= 0,3";
    QTest::newRow("parentheses and percent") << "(50+50)*10%" << "(50+50)×10%" << "= 10";
    QTest::newRow("equals replaces") << "7/2=" << "3,5" << "= 3,5";
    QTest::newRow("digit after equals starts anew") << "7/2=4" << "4" << "= 4";
    QTest::newRow("operator after equals goes on") << "7/2=*2" << "3,5×2" << "= 7";
    QTest::newRow("missing operand") << "2+" << "2+" << "Ожидается число (символ 3)";
    QTest::newRow("division by zero") << "1/0" << "1÷0" << "Деление на ноль (символ 2)";
    QTest::newRow("unclosed") << "(1" << "(1" << "Не закрыта скобка (символ 1)";
    QTest::newRow("letters ignored") << "1a+b2" << "1+2" << "= 3";
}

void tst_KvCalcDlg::typing()
{
    QFETCH(QString, keys);
    QFETCH(QString, expression);
    QFETCH(QString, status);
    TkavoCalculator calculator;
    QTest::keyClicks(&calculator, keys);
    QCOMPARE(calculator.Expression(), expression);
    QCOMPARE(calculator.Status(), status);
}

void tst_KvCalcDlg::keypadMatchesKeyboard()
{
    TkavoCalculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    for (const QString key : {"9", "×", "(", "1", "−", "4", ")", "←", "←", "4", ")"})
        QTest::mouseClick(calculator.Key(key), Qt::LeftButton);
    QCOMPARE(calculator.Expression(), QStringLiteral("9×(1−4)"));
    QCOMPARE(calculator.Status(), QStringLiteral("= -27"));
    QTest::keyClick(&calculator, Qt::Key_Backspace);
    QCOMPARE(calculator.Expression(), QStringLiteral("9×(1−4"));
    QTest::mouseClick(calculator.Key("C"), Qt::LeftButton);
    QCOMPARE(calculator.Expression(), QString());
    QCOMPARE(calculator.Status(), QString());
}

void tst_KvCalcDlg::memory()
{
    TkavoCalculator calculator;
    QTest::keyClicks(&calculator, "2*3");
    calculator.Press("M+");
    calculator.Press("C");
    QTest::keyClicks(&calculator, "1,5");
    calculator.Press("M+");
    calculator.Press("M−");
    calculator.Press("M+");
    QCOMPARE(calculator.Memory().toDouble(), 7.5);
    calculator.Press("C");
    calculator.Press("MR");
    QTest::keyClicks(&calculator, "*2");
    QCOMPARE(calculator.Status(), QStringLiteral("= 15"));
    FDesktop.beeps.clear();
    calculator.Press("C");
    calculator.Press("+");
    calculator.Press("M+");
    QCOMPARE(int(FDesktop.beeps.size()), 1);
    QCOMPARE(calculator.Memory().toDouble(), 7.5);
    calculator.Press("MC");
    QVERIFY(calculator.Memory().isZero());
}

void tst_KvCalcDlg::memoryRecallReplacesNumber_data()
{
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("status");

    QTest::newRow("number typed") << "3,4" << QStringList{"5", "MR"} << "3,4" << "= 3,4";
    QTest::newRow("recalled twice") << "3,4" << QStringList{"1", "0", "+", "MR", "MR"} << "10+3,4" << "= 13,4";
    QTest::newRow("after an operator") << "3,4" << QStringList{"1", "0", "×", "MR"} << "10×3,4" << "= 34";
    QTest::newRow("after a parenthesis") << "3,4" << QStringList{"(", "MR", ")"} << "(3,4)" << "= 3,4";
    QTest::newRow("after a result") << "3,4" << QStringList{"7", "=", "MR"} << "3,4" << "= 3,4";
    QTest::newRow("negative, with its sign") << "-3,4" << QStringList{"1", "0", "−", "MR", "MR"} << "10−-3,4" << "= 13,4";
    QTest::newRow("exponent form") << "2e20" << QStringList{"5", "MR", "MR"} << "2e+20" << "= 2e+20";
}

void tst_KvCalcDlg::memoryRecallReplacesNumber()
{
    QFETCH(QString, memory);
    QFETCH(QStringList, keys);
    QFETCH(QString, expression);
    QFETCH(QString, status);
    TkavoCalculator calculator;
    calculator.setExpression(memory);
    calculator.Press("M+");
    calculator.Press("C");
    for (const QString &key : keys)
        calculator.Press(key);
    QCOMPARE(calculator.Expression(), expression);
    QCOMPARE(calculator.Status(), status);
}

void tst_KvCalcDlg::memoryOutlivesCalculator()
{
    {
        TkavoCalculator first;
        QTest::keyClicks(&first, "2,5");
        first.Press("M+");
    }
    TkavoCalculator second;
    second.Press("MR");
    QCOMPARE(second.Expression(), QStringLiteral("2,5"));
}

// A key clicked with the mouse leaves the keyboard with the display, so Space typed next is a
// blank, not a second press of that key.
void tst_KvCalcDlg::clickedKeyLeavesKeyboardToDisplay_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expression");

    QTest::newRow("clear") << "12" << "C" << "1 234,5" << "1234,5";
    QTest::newRow("digit") << "" << "7" << " 8" << "78";
    QTest::newRow("operator") << "2" << "+" << " 3" << "2+3";
}

void tst_KvCalcDlg::clickedKeyLeavesKeyboardToDisplay()
{
    QFETCH(QString, before);
    QFETCH(QString, clicked);
    QFETCH(QString, typed);
    QFETCH(QString, expression);
    TkavoCalculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowActive(&calculator));
    QTest::keyClicks(&calculator, before);
    QTest::mouseClick(calculator.Key(clicked), Qt::LeftButton);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QCOMPARE(focus->accessibleName(), QStringLiteral("Выражение"));
    QTest::keyClicks(focus, typed);
    QCOMPARE(calculator.Expression(), expression);
}

void tst_KvCalcDlg::pastes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("shiftInsert");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("beeps");

    QTest::newRow("grouped number") << "" << " 1 234.5\n" << false << "1234,5" << 0;
    QTest::newRow("after an operator") << "10+" << "2,5" << false << "10+2,5" << 0;
    QTest::newRow("number being typed") << "10+7" << "2,5" << false << "10+2,5" << 0;
    QTest::newRow("an expression") << "" << "(2+3)*4" << false << "(2+3)×4" << 0;
    QTest::newRow("operator goes on") << "10" << "*3" << false << "10×3" << 0;
    QTest::newRow("after a result") << "7/2=" << "4" << false << "4" << 0;
    QTest::newRow("operator after a result") << "7/2=" << "/7" << false << "3,5÷7" << 0;
    QTest::newRow("Shift+Insert") << "1+" << "1" << true << "1+1" << 0;
    QTest::newRow("words") << "12" << "двенадцать" << false << "12" << 1;
    QTest::newRow("half an expression") << "12" << "(2+" << false << "12" << 1;
    QTest::newRow("too long") << QString(250, u'1') << "*1234567" << false << QString(250, u'1') << 1;
}

void tst_KvCalcDlg::pastes()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(bool, shiftInsert);
    QFETCH(QString, expression);
    QFETCH(int, beeps);
    TkavoCalculator calculator;
    QTest::keyClicks(&calculator, before);
    QGuiApplication::clipboard()->setText(clipboard);
    FDesktop.beeps.clear();
    if (shiftInsert)
        QTest::keyClick(&calculator, Qt::Key_Insert, Qt::ShiftModifier);
    else
        QTest::keyClick(&calculator, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(calculator.Expression(), expression);
    QCOMPARE(int(FDesktop.beeps.size()), beeps);
}

void tst_KvCalcDlg::enterAcceptsOnlySoundExpression()
{
    TkavoCalculator calculator;
    calculator.open();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    FDesktop.beeps.clear();
    QTest::keyClicks(&calculator, "3*(");
    QTest::keyClick(&calculator, Qt::Key_Return);
    QVERIFY(calculator.isVisible());
    QCOMPARE(int(FDesktop.beeps.size()), 1);
    QTest::keyClicks(&calculator, "1+1)");
    QTest::keyClick(&calculator, Qt::Key_Enter);
    QVERIFY(!calculator.isVisible());
    QCOMPARE(calculator.result(), int(QDialog::Accepted));
    QCOMPARE(calculator.Result().toDouble(), 6.0);
}

QTEST_MAIN(tst_KvCalcDlg)
#include "tst_KvCalcDlg.moc"
