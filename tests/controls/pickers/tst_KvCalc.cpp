// SPDX-License-Identifier: MIT
#include "KvCalc.h"

#include <QRandomGenerator>
#include <QTest>

using namespace kvcalc;

namespace {

TCalcResult eval(const QString &text)
{
    return Evaluate(text.toStdU16String());
}

QString format(const TDecimal &value, QChar separator = u',', int digits = DisplayDigits)
{
    return QString::fromStdU16String(FormatNumber(value, separator.unicode(), digits));
}

} // namespace

class tst_KvCalc : public QObject
{
    Q_OBJECT

private slots:
    void evaluates_data();
    void evaluates();
    void reportsErrors_data();
    void reportsErrors();
    void formats_data();
    void formats();
    void keepsPrecision_data();
    void keepsPrecision();
    void fuzzNeverFailsUnsoundly();
};

void tst_KvCalc::evaluates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    // Precedence and grouping.
    QTest::newRow("mul before add") << "2+3*4" << "14";
    QTest::newRow("div before sub") << "10-6/3" << "8";
    QTest::newRow("left to right") << "8-3-2" << "3";
    QTest::newRow("division left to right") << "100/10/5" << "2";
    QTest::newRow("parentheses") << "(2+3)*4" << "20";
    QTest::newRow("nested") << "((1+2)*(3+4))/7" << "3";
    QTest::newRow("unary minus") << "-3*-2" << "6";
    QTest::newRow("minus of group") << "-(2+3)" << "-5";
    QTest::newRow("double minus") << "5--3" << "8";
    QTest::newRow("unary plus") << "+4" << "4";
    QTest::newRow("blanks") << " 1 +\t2 " << "3";
    QTest::newRow("typographic signs") << "6×7−2÷2" << "41";
    // Separators: both are read, the shown one is the caller's.
    QTest::newRow("comma") << "0,1+0,2" << "0,3";
    QTest::newRow("point") << "0.1+0.2" << "0,3";
    QTest::newRow("leading separator") << ",5*2" << "1";
    QTest::newRow("trailing separator") << "2,*2" << "4";
    QTest::newRow("exponent") << "1,5e3+1e-1" << "1500,1";
    // Decimal input is exact: terms that cancel leave nothing behind, sums of money add up.
    QTest::newRow("cancelling tenths") << "0,3-0,2-0,1" << "0";
    QTest::newRow("thousandth") << "1,001-1" << "0,001";
    QTest::newRow("thousandth of a hundred") << "100,001-100" << "0,001";
    QTest::newRow("ten dimes") << "0,1+0,1+0,1+0,1+0,1+0,1+0,1+0,1+0,1+0,1-1" << "0";
    QTest::newRow("money") << "19,99*3-59,97+1234567890,12-0,12" << "1234567890";
    // Digit grouping as a Russian desktop writes numbers.
    QTest::newRow("grouped by a space") << "1 234,5+1" << "1235,5";
    QTest::newRow("grouped by no-break spaces") << "12\u00A0345\u202F678" << "12345678";
    // Percent.
    QTest::newRow("percent alone") << "50%" << "0,5";
    QTest::newRow("add a share") << "200+10%" << "220";
    QTest::newRow("subtract a share") << "200-10%" << "180";
    QTest::newRow("multiply by percent") << "200*10%" << "20";
    QTest::newRow("divide by percent") << "5/50%" << "10";
    QTest::newRow("share of a product") << "2*50+10%" << "110";
    QTest::newRow("parenthesised percent is plain") << "200+(10%)" << "200,1";
    QTest::newRow("negative share") << "200+-10%" << "180";
    // Results.
    QTest::newRow("no negative zero") << "-0*5" << "0";
    QTest::newRow("third") << "1/3" << "0,333333333333333";
    QTest::newRow("large") << "1e20*3" << "3e+20";
    QTest::newRow("underflow is zero") << "1e-1000" << "0";
    QTest::newRow("smallest") << "1e-999" << "1e-999";
    QTest::newRow("fixed down to 1e-5") << "0,00002" << "0,00002";
    QTest::newRow("exponent below 1e-5") << "0,000002" << "2e-06";
}

void tst_KvCalc::evaluates()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    const TCalcResult result = eval(text);
    QVERIFY2(result.ok(), ErrorText(result.error).c_str());
    QCOMPARE(format(result.value), shown);
}

void tst_KvCalc::reportsErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("position");

    QTest::newRow("empty") << "" << "Пустое выражение" << 0;
    QTest::newRow("blank") << "   " << "Пустое выражение" << 0;
    QTest::newRow("too long") << QString(257, u'1') << "Слишком длинное выражение" << 256;
    QTest::newRow("letter") << "2+x" << "Недопустимый символ" << 2;
    QTest::newRow("letter after number") << "2x" << "Недопустимый символ" << 1;
    QTest::newRow("two separators") << "1,2.3" << "Неверная запись числа" << 3;
    QTest::newRow("lone separator") << "1+," << "Неверная запись числа" << 2;
    QTest::newRow("exponent without digits") << "2e+" << "Неверная запись числа" << 1;
    QTest::newRow("lone operator") << "*" << "Ожидается число" << 0;
    QTest::newRow("trailing operator") << "1+" << "Ожидается число" << 2;
    QTest::newRow("two operators") << "1*/2" << "Ожидается число" << 2;
    QTest::newRow("empty parentheses") << "()" << "Ожидается число" << 1;
    QTest::newRow("lone percent") << "%" << "Ожидается число" << 0;
    QTest::newRow("number after group") << "(1)2" << "Ожидается знак действия" << 3;
    QTest::newRow("group after number") << "2(1)" << "Ожидается знак действия" << 1;
    QTest::newRow("unclosed") << "2*(1+(3)" << "Не закрыта скобка" << 2;
    QTest::newRow("unopened") << "1+2)" << "Лишняя закрывающая скобка" << 3;
    QTest::newRow("too deep") << QString(33, u'(') + "1" + QString(33, u')') << "Слишком много вложенных скобок" << 32;
    QTest::newRow("division by zero") << "1+4/(2-2)" << "Деление на ноль" << 3;
    QTest::newRow("division by zero percent") << "1/0%" << "Деление на ноль" << 1;
    QTest::newRow("huge number") << "1e1000" << "Переполнение" << 0;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << "Переполнение" << 0;
    QTest::newRow("shows as 1e+1000") << "9,9999999999999995e999" << "Переполнение" << 0;
    QTest::newRow("overflowing product") << "1e600*1e600" << "Переполнение" << 5;
    QTest::newRow("overflowing sum") << "9e999+9e999" << "Переполнение" << 5;
    QTest::newRow("group of two") << "1 23" << "Ожидается знак действия" << 2;
    QTest::newRow("group of four") << "1 2345" << "Ожидается знак действия" << 2;
    QTest::newRow("grouped fraction") << "0,123 456" << "Ожидается знак действия" << 6;
}

void tst_KvCalc::reportsErrors()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, position);
    const TCalcResult result = eval(text);
    QVERIFY(!result.ok());
    QCOMPARE(QString::fromStdString(ErrorText(result.error)), message);
    QCOMPARE(int(result.position), position);
}

void tst_KvCalc::formats_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("shown");

    QTest::newRow("point separator") << "2,5" << "." << "2.5";
    QTest::newRow("fifteen digits") << "123456789,123456789" << "," << "123456789,123457";
    QTest::newRow("tie to even down") << "0,1234567890123445" << "," << "0,123456789012344";
    QTest::newRow("tie to even up") << "0,1234567890123455" << "," << "0,123456789012346";
    QTest::newRow("rounding carries") << "-9,9999999999999999" << "," << "-10";
    QTest::newRow("fifteen nines stay fixed") << "999999999999999" << "," << "999999999999999";
    QTest::newRow("1e15 in exponent form") << "999999999999999,9" << "," << "1e+15";
}

void tst_KvCalc::formats()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QString, shown);
    const TCalcResult result = eval(text);
    QVERIFY(result.ok());
    QCOMPARE(format(result.value, separator.at(0)), shown);
}

// Working digits beyond the shown fifteen, rounded half to even at the last of them.
void tst_KvCalc::keepsPrecision_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("full");

    QTest::newRow("third") << "1/3" << "0,3333333333333333333333333333333333";
    QTest::newRow("two thirds round up") << "2/3" << "0,6666666666666666666666666666666667";
    QTest::newRow("thirty-five digits, tie to even") << "10000000000000000000000000000000005" << "1e+34";
    QTest::newRow("tie to odd rounds up") << "10000000000000000000000000000000015" << "1,000000000000000000000000000000002e+34";
    QTest::newRow("far smaller term vanishes") << "1e40-1" << "1e+40";
    QTest::newRow("tiny term vanishes") << "1-1e-40" << "1";
    QTest::newRow("borrow across the precision") << "1e34-1" << "9,999999999999999999999999999999999e+33";
    QTest::newRow("product rounded") << "3333333333333333333*3333333333333333,35" << "1,111111111111111116555555555555556e+34";
    QTest::newRow("quotient exact") << "1/8" << "0,125";
    QTest::newRow("product underflows to zero") << "1e-998*1%" << "0";
}

void tst_KvCalc::keepsPrecision()
{
    QFETCH(QString, text);
    QFETCH(QString, full);
    const TCalcResult result = eval(text);
    QVERIFY2(result.ok(), ErrorText(result.error).c_str());
    QCOMPARE(format(result.value, u',', TDecimal::Precision), full);
}

// Random texts must never crash or report a position outside the text, and what they accept
// must read back from its full-precision text; random well-formed expressions must either
// succeed with a value that reads back as shown, or fail only for a reason that well-formed text
// can have.
void tst_KvCalc::fuzzNeverFailsUnsoundly()
{
    QRandomGenerator random(20261208);
    const QString alphabet = QStringLiteral("0123456789+-*/×÷−%(),. eE\u00A0");
    auto readsBack = [](const TDecimal &value) {
        return eval(format(value, u',', TDecimal::Precision)).value == value;
    };
    for (int n = 0; n < 4000; ++n) {
        QString text;
        const int length = random.bounded(300);
        for (int k = 0; k < length; ++k)
            text += alphabet.at(random.bounded(alphabet.size()));
        const TCalcResult result = eval(text);
        if (result.ok())
            QVERIFY2(readsBack(result.value), qPrintable(text));
        else
            QVERIFY2(result.position <= std::size_t(text.size()), qPrintable(text));
    }

    const QStringList operators = {"+", "-", "*", "/", "×", "÷", "−"};
    for (int n = 0; n < 4000; ++n) {
        QString text;
        int open = 0;
        const int terms = 1 + random.bounded(12);
        for (int t = 0; t < terms; ++t) {
            if (random.bounded(4) == 0)
                text += "-";
            if (random.bounded(3) == 0 && open < MaxDepth - 1) {
                text += "(";
                ++open;
            }
            text += QString::number(random.bounded(1000));
            if (random.bounded(3) == 0)
                text += "," + QString::number(random.bounded(100));
            if (random.bounded(8) == 0)
                text += "%";
            if (open > 0 && random.bounded(3) == 0) {
                text += ")";
                --open;
            }
            if (t + 1 < terms)
                text += operators.at(random.bounded(operators.size()));
        }
        text += QString(open, u')');
        const TCalcResult result = eval(text);
        if (!result.ok()) {
            QVERIFY2(result.error == TCalcError::ceDivByZero || result.error == TCalcError::ceOverflow, qPrintable(text));
            continue;
        }
        QVERIFY2(readsBack(result.value), qPrintable(text));
        const QString shown = format(result.value);
        const TCalcResult again = eval(shown);
        QVERIFY2(again.ok(), qPrintable(text + " -> " + shown));
        QCOMPARE(format(again.value), shown);
        // Grouping the whole or negating it changes nothing but the sign.
        QCOMPARE(format(eval("(" + text + ")").value), shown);
        QVERIFY2(eval("-(" + text + ")").value == -result.value, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(tst_KvCalc)
#include "tst_KvCalc.moc"
