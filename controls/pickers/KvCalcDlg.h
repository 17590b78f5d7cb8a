// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoCalculator, the desk calculator that TkavoCalcEdit opens.

#include "kavopickers_export.h"
#include "KvDecimal.h"

#include <QDialog>
#include <QHash>

class QLabel;
class TkavoBitBtn;

/// The calculator: an expression typed on its keypad or keyboard, worked out as it grows.
///
/// "=" replaces the expression by its result; Enter does the same and, when the expression is
/// sound, accepts the dialog with that result. Esc cancels. Ctrl+V and Shift+Insert paste. The
/// display keeps the keyboard focus: a keypad key clicked with the mouse never takes it. The
/// memory is shared by every calculator of the program and lasts as long as the program runs.
/// It counts in decimal (kvcalc::TDecimal), as a desk calculator does.
///
/// @code
/// TkavoCalculator calculator(window); calculator.setExpression("19,99*3");
/// if (calculator.exec() == QDialog::Accepted) price->setValue(calculator.Result().toDouble());
/// @endcode
///
/// @qtdiff
/// Qt has no calculator widget. This QDialog counts in decimal, so "0,3-0,2-0,1" is 0 and sums of
/// money come out to the cent, where double arithmetic would not.
class KAVOPICKERS_EXPORT TkavoCalculator : public QDialog
{
    Q_OBJECT

public:
    explicit TkavoCalculator(QWidget *parent = nullptr);

    QString Expression() const { return FExpression; }
    void setExpression(const QString &expression);
    /// Shows value as "=" leaves a result: a digit, separator, parenthesis or MR next starts a
    /// new expression, an operator goes on from the value.
    void setResult(const kvcalc::TDecimal &value);
    /// The last sound result of the expression; 0 before there was one.
    kvcalc::TDecimal Result() const { return FResult; }
    /// The message under the expression: the running result, or what is wrong and where.
    QString Status() const;
    static kvcalc::TDecimal Memory();

    /// One key of the keypad, by its caption: digits, the separator, "+", "−", "×", "÷", "%",
    /// "(", ")", "C", "←", "=", "MC", "MR", "M+", "M−". MR replaces the number being typed, or
    /// starts one.
    void Press(const QString &key);
    /// The keypad button with that caption, nullptr if there is none.
    TkavoBitBtn *Key(const QString &key) const { return FKeys.value(key); }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Works out the expression and shows its result or its fault; true when it is sound.
    bool evaluate();
    // Puts number in place of the number being typed at the end, or after it when none is;
    // after a result, in place of the whole. False, changing nothing, when it would not fit.
    bool putNumber(const QString &number, bool afterResult);
    // Types the clipboard's text; an unreadable text beeps and changes nothing.
    void paste();
    void showMemory();

    QString FExpression;
    kvcalc::TDecimal FResult;
    // Set by "=": the next digit starts a new expression, an operator goes on from the result.
    bool FFreshResult = false;
    QLabel *FExpressionLabel = nullptr;
    QLabel *FStatusLabel = nullptr;
    QLabel *FMemoryLabel = nullptr;
    QHash<QString, TkavoBitBtn *> FKeys;
};
