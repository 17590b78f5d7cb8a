// SPDX-License-Identifier: MIT
#pragma once

#include "kavopickers_export.h"

#include <QDialog>
#include <QHash>

class QLabel;
class TkavoBitBtn;

// The calculator: an expression typed on its keypad or keyboard, worked out as it grows. "="
// replaces the expression by its result; Enter does the same and, when the expression is
// sound, accepts the dialog with that result. Esc cancels.
class KAVOPICKERS_EXPORT TkavoCalculator : public QDialog
{
    Q_OBJECT

public:
    explicit TkavoCalculator(QWidget *parent = nullptr);

    QString Expression() const { return FExpression; }
    void setExpression(const QString &expression);
    // The last sound result of the expression; 0 before there was one.
    double Result() const { return FResult; }
    // The message under the expression: the running result, or what is wrong and where.
    QString Status() const;
    double Memory() const { return FMemory; }

    // One key of the keypad, by its caption: digits, the separator, "+", "−", "×", "÷", "%",
    // "(", ")", "C", "←", "=", "MC", "MR", "M+", "M−".
    void Press(const QString &key);
    // The keypad button with that caption, nullptr if there is none.
    TkavoBitBtn *Key(const QString &key) const { return FKeys.value(key); }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Works out the expression and shows its result or its fault; true when it is sound.
    bool evaluate();

    QString FExpression;
    double FResult = 0;
    double FMemory = 0;
    // Set by "=": the next digit starts a new expression, an operator goes on from the result.
    bool FFreshResult = false;
    QLabel *FExpressionLabel = nullptr;
    QLabel *FStatusLabel = nullptr;
    QLabel *FMemoryLabel = nullptr;
    QHash<QString, TkavoBitBtn *> FKeys;
};
