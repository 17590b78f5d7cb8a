// SPDX-License-Identifier: MIT
#include "KvCalcDlg.h"

#include "Desktop.h"
#include "KavoBtns.h"
#include "KvCalc.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

using namespace toolkit;

namespace {

QChar separator()
{
    return QLocale().decimalPoint().at(0);
}

QString format(const kvcalc::TDecimal &value)
{
    return QString::fromStdU16String(kvcalc::FormatNumber(value, separator().unicode()));
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
    ok->setFocusPolicy(Qt::NoFocus);
    cancel->setFocusPolicy(Qt::NoFocus);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(FMemoryLabel, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FExpressionLabel);
    layout->addWidget(FStatusLabel);
    layout->addLayout(keypad);
    layout->addLayout(buttons);
    setFocusPolicy(Qt::StrongFocus);
    evaluate();
}

void TkavoCalculator::setExpression(const QString &expression)
{
    FExpression = expression;
    evaluate();
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
    const bool startsOperand = key == "MR" || key == "(" || key == "." || key == "," || (key.size() == 1 && key[0].isDigit());
    if (fresh && startsOperand)
        FExpression.clear();
    if (key == "C") {
        FExpression.clear();
    } else if (key == "←") {
        FExpression.chop(1);
    } else if (key == "=") {
        if (evaluate()) {
            FExpression = format(FResult);
            FFreshResult = true;
        } else if (!FExpression.trimmed().isEmpty())
            MessageBeep(0);
    } else if (key == "MC") {
        FMemory = kvcalc::TDecimal();
    } else if (key == "MR") {
        FExpression += format(FMemory);
    } else if (key == "M+" || key == "M−") {
        const std::optional<kvcalc::TDecimal> sum = evaluate() ? kvcalc::Add(FMemory, key == "M+" ? FResult : -FResult)
                                                               : std::nullopt;
        if (sum)
            FMemory = *sum;
        else
            MessageBeep(0);
    } else {
        if (FExpression.size() >= int(kvcalc::MaxLength)) {
            MessageBeep(0);
            return;
        }
        FExpression += key;
    }
    FMemoryLabel->setText(!FMemory.isZero() ? QStringLiteral("M = ") + format(FMemory) : QString());
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

void TkavoCalculator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (evaluate()) {
            FExpression = format(FResult);
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
