// SPDX-License-Identifier: MIT
#include "KvCalcDlg.h"

#include "KavoBtns.h"
#include "PickerFixtures.h"

#include <QTest>

class tst_KvCalcDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void typing_data();
    void typing();
    void keypadMatchesKeyboard();
    void memory();
    void enterAcceptsOnlySoundExpression();

private:
    RecordingDesktop FDesktop;
};

void tst_KvCalcDlg::initTestCase()
{
    useRussianLocale();
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
