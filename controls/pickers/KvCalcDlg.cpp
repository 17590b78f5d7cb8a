// SPDX-License-Identifier: MIT
#include "KvCalcDlg.h"

#include "Desktop.h"
#include "KavoBtns.h"
#include "KvCalc.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

using namespace toolkit;

namespace {

QChar separator()
{
    // The engine reads '.' and ','; a desktop with another sign gets the point.
    const QChar point = QLocale().decimalPoint().at(0);
    return point == u',' ? point : QChar(u'.');
}

QString format(const kvcalc::TDecimal &value)
{
    return QString::fromStdU16String(kvcalc::FormatNumber(value, separator().unicode()));
}

// Like a desk calculator's, until the program ends.
kvcalc::TDecimal &memory()
{
    static kvcalc::TDecimal value;
    return value;
}

bool isNumberChar(QChar c)
{
    return c.isDigit() || c == u',' || c == u'.';
}

bool isSign(QChar c)
{
    return c == u'+' || c == u'-' || c == u'\u2212';
}

// Where the number at the end of expression starts, with its exponent ("1,5e+20") and a sign
// of its own (one at the start, or after an operator or a parenthesis); the length when the
// expression does not end in a number.
qsizetype numberStart(const QString &expression)
{
    qsizetype i = expression.size();
    while (i > 0 && isNumberChar(expression[i - 1]))
        --i;
    if (i == expression.size())
        return i;
    qsizetype e = i - 1;
    if (e > 0 && isSign(expression[e]))
        --e;
    if (e > 0 && (expression[e] == u'e' || expression[e] == u'E') && isNumberChar(expression[e - 1])) {
        i = e;
        while (i > 0 && isNumberChar(expression[i - 1]))
            --i;
    }
    if (i > 0 && isSign(expression[i - 1])) {
        const qsizetype before = i - 1;
        if (before == 0 || QStringLiteral("+-−×÷*/(").contains(expression[before - 1]))
            i = before;
    }
    return i;
}

// A text as the keypad would have typed it: no blanks, its signs, the user's separator.
QString keypadText(const QString &text)
{
    QString typed;
    for (const QChar c : text) {
        if (c.isSpace() || c == u'\u202F')
            continue;
        typed += c == u'*' ? QChar(u'×') : c == u'/' ? QChar(u'÷') : c == u'-' ? QChar(u'−')
               : c == u'.' || c == u',' ? separator() : c;
    }
    return typed;
}

} // namespace

TkavoCalculator::TkavoCalculator(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Калькулятор"));
    setAccessibleName(windowTitle());

    FExpressionLabel = new QLabel(this);
    FExpressionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FExpressionLabel->setFrameShape(QFrame::Panel);
    FExpressionLabel->setFrameShadow(QFrame::Sunken);
    FExpressionLabel->setAutoFillBackground(true);
    FExpressionLabel->setBackgroundRole(QPalette::Base);
    FExpressionLabel->setMinimumHeight(fontMetrics().height() + 8);
    FExpressionLabel->setAccessibleName(QStringLiteral("Выражение"));
    // The display holds the keyboard; the keys it does not take go on to the dialog.
    FExpressionLabel->setFocusPolicy(Qt::StrongFocus);
    FStatusLabel = new QLabel(this);
    FStatusLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FStatusLabel->setAccessibleName(QStringLiteral("Результат"));
    FMemoryLabel = new QLabel(this);
    FMemoryLabel->setAccessibleName(QStringLiteral("Память"));

    // The keypad, row by row; an empty text leaves its cell free.
    const QString sep(separator());
    const QStringList rows[] = {
        {"MC", "MR", "M+", "M−", "C"},
        {"7", "8", "9", "÷", "←"},
        {"4", "5", "6", "×", "%"},
        {"1", "2", "3", "−", "("},
        {"0", sep, "=", "+", ")"},
    };
    auto *keypad = new QGridLayout;
    keypad->setSpacing(3);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < rows[row].size(); ++column) {
            const QString key = rows[row][column];
            auto *button = new TkavoBitBtn(this);
            button->setCaption(key);
            button->setFocusPolicy(Qt::NoFocus);
            button->installEventFilter(this);
            button->setMinimumSize(36, 26);
            button->setAccessibleName(key == "←" ? QStringLiteral("Стереть") : key);
            connect(button, &QPushButton::clicked, this, [this, key] { Press(key); });
            keypad->addWidget(button, row, column);
            FKeys.insert(key, button);
        }

    auto *ok = new TkavoBitBtn(this);
    ok->setKind(bkOK);
    auto *cancel = new TkavoBitBtn(this);
    cancel->setKind(bkCancel);
    for (TkavoBitBtn *button : {ok, cancel}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(FMemoryLabel, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FExpressionLabel);
    layout->addWidget(FStatusLabel);
    layout->addLayout(keypad);
    layout->addLayout(buttons);
    FExpressionLabel->setFocus();
    showMemory();
    evaluate();
}

void TkavoCalculator::setExpression(const QString &expression)
{
    FExpression = expression;
    FFreshResult = false;
    evaluate();
}

void TkavoCalculator::setResult(const kvcalc::TDecimal &value)
{
    FExpression = format(value);
    FFreshResult = true;
    evaluate();
}

kvcalc::TDecimal TkavoCalculator::Memory()
{
    return memory();
}

void TkavoCalculator::showMemory()
{
    FMemoryLabel->setText(!memory().isZero() ? QStringLiteral("M = ") + format(memory()) : QString());
}

QString TkavoCalculator::Status() const
{
    return FStatusLabel->text();
}

bool TkavoCalculator::evaluate()
{
    FExpressionLabel->setText(FExpression);
    if (FExpression.trimmed().isEmpty()) {
        FStatusLabel->setText(QString());
        return false;
    }
    const kvcalc::TCalcResult result = kvcalc::Evaluate(FExpression.toStdU16String());
    if (!result.ok()) {
        // Positions are counted from 1 for people.
        FStatusLabel->setText(QStringLiteral("%1 (символ %2)")
                                  .arg(QString::fromStdString(kvcalc::ErrorText(result.error)))
                                  .arg(result.position + 1));
        return false;
    }
    FResult = result.value;
    FStatusLabel->setText(QStringLiteral("= ") + format(FResult));
    return true;
}

void TkavoCalculator::Press(const QString &key)
{
    const bool fresh = FFreshResult;
    FFreshResult = false;
    if (key == "C") {
        FExpression.clear();
    } else if (key == "←") {
        FExpression.chop(1);
    } else if (key == "=") {
        if (evaluate())
            setResult(FResult);
        else if (!FExpression.trimmed().isEmpty())
            MessageBeep(0);
    } else if (key == "MC" || key == "M+" || key == "M−") {
        // The memory keys leave the expression, and a result, as they were.
        FFreshResult = fresh;
        std::optional<kvcalc::TDecimal> stored;
        if (key == "MC")
            stored = kvcalc::TDecimal();
        else if (evaluate())
            stored = kvcalc::Add(memory(), key == "M+" ? FResult : -FResult);
        if (stored)
            memory() = *stored;
        else
            MessageBeep(0);
        showMemory();
    } else if (key == "MR") {
        if (!putNumber(format(memory()), fresh))
            MessageBeep(0);
    } else {
        const bool startsOperand = key == "(" || key == "." || key == "," || (key.size() == 1 && key[0].isDigit());
        if (FExpression.size() + key.size() > qsizetype(kvcalc::MaxLength) && !(fresh && startsOperand)) {
            FFreshResult = fresh;
            MessageBeep(0);
            return;
        }
        if (fresh && startsOperand)
            FExpression.clear();
        FExpression += key;
    }
    evaluate();
}

bool TkavoCalculator::putNumber(const QString &number, bool afterResult)
{
    const QString expression = (afterResult ? QString() : FExpression.left(numberStart(FExpression))) + number;
    if (expression.size() > qsizetype(kvcalc::MaxLength))
        return false;
    FExpression = expression;
    return true;
}

void TkavoCalculator::paste()
{
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    // Readable is what the engine reads on its own, or an operator followed by what it reads;
    // a sound text that works out to a fault (1/0) is readable, and shows that fault.
    auto readable = [](const QString &candidate) {
        const kvcalc::TCalcError error = kvcalc::Evaluate(candidate.toStdU16String()).error;
        return error == kvcalc::TCalcError::ceNone || error == kvcalc::TCalcError::ceDivByZero
            || error == kvcalc::TCalcError::ceOverflow;
    };
    const bool goesOn = !text.isEmpty() && QStringLiteral("×÷*/%").contains(text.front());
    const QString typed = keypadText(text);
    bool taken = false;
    if (goesOn && readable(QLatin1Char('1') + text)) {
        taken = FExpression.size() + typed.size() <= qsizetype(kvcalc::MaxLength);
        if (taken)
            FExpression += typed;
    } else if (!goesOn && readable(text)) {
        taken = putNumber(typed, FFreshResult);
    }
    if (!taken) {
        MessageBeep(0);
        return;
    }
    FFreshResult = false;
    evaluate();
}

void TkavoCalculator::done(int result)
{
    if (result == Accepted && !evaluate()) {
        MessageBeep(0);
        return;
    }
    QDialog::done(result);
}

bool TkavoCalculator::eventFilter(QObject *watched, QEvent *event)
{
    // A bitmap button takes the focus on a mouse press; here the display keeps it, so that the
    // keys typed next reach the expression and Space does not press that button again.
    if (event->type() == QEvent::FocusIn && watched != FExpressionLabel) {
        FExpressionLabel->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TkavoCalculator::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)
        || (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier)) {
        paste();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (evaluate()) {
            setResult(FResult);
            done(Accepted);
        } else {
            MessageBeep(0);
        }
        return;
    case Qt::Key_Escape:
        reject();
        return;
    case Qt::Key_Backspace:
        Press("←");
        return;
    case Qt::Key_Delete:
        Press("C");
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        const QChar c = text.at(0);
        static const QString operators = QStringLiteral("+-*/×÷−%()");
        if (c.isDigit() || operators.contains(c)) {
            // The keyboard's signs shown as the keypad's.
            const QString key = c == u'*' ? QStringLiteral("×") : c == u'/' ? QStringLiteral("÷")
                                : c == u'-'                      ? QStringLiteral("−")
                                                                 : QString(c);
            Press(key);
            return;
        }
        if (c == u'.' || c == u',') {
            Press(QString(separator()));
            return;
        }
        if (c == u'=') {
            Press("=");
            return;
        }
    }
    QDialog::keyPressEvent(event);
}
