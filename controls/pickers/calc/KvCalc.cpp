// SPDX-License-Identifier: MIT
#include "KvCalc.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace kvcalc {

namespace {

enum class Op : unsigned char { Add, Sub, Mul, Div, Neg, Plus, Open };

int precedence(Op op)
{
    switch (op) {
    case Op::Add:
    case Op::Sub:
        return 1;
    case Op::Mul:
    case Op::Div:
        return 2;
    case Op::Neg:
    case Op::Plus:
        return 3;
    case Op::Open:
        return 0;
    }
    return 0;
}

struct PendingOp {
    Op op;
    std::size_t position;
};

// An operand, with a mark when it came out of a percent sign, so that + and − can take it as a
// share of their left operand.
struct Operand {
    double value;
    bool percent;
};

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isSeparator(char16_t c) { return c == u'.' || c == u','; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u00A0'; }

class Evaluator
{
public:
    explicit Evaluator(std::u16string_view text) : FText(text) {}

    TCalcResult run();

private:
    TCalcResult fail(TCalcError error, std::size_t position) const
    {
        TCalcResult result;
        result.error = error;
        result.position = position;
        return result;
    }
    // Reads the number at i; on success pushes it and moves i past it.
    TCalcError readNumber(std::size_t &i, std::size_t &errorAt);
    // Applies the operator on top of the stack to the operands.
    TCalcError apply(const PendingOp &pending);

    std::u16string_view FText;
    std::vector<Operand> FValues;
    std::vector<PendingOp> FOps;
};

TCalcError Evaluator::readNumber(std::size_t &i, std::size_t &errorAt)
{
    // Up to MaxLength characters, so the ASCII copy stays small.
    std::string ascii;
    bool separator = false;
    std::size_t j = i;
    for (; j < FText.size(); ++j) {
        const char16_t c = FText[j];
        if (isDigit(c)) {
            ascii += char(c);
        } else if (isSeparator(c)) {
            if (separator) {
                errorAt = j;
                return TCalcError::ceBadNumber;
            }
            separator = true;
            ascii += '.';
        } else {
            break;
        }
    }
    if (ascii == ".") {
        errorAt = i;
        return TCalcError::ceBadNumber;
    }
    if (j < FText.size() && (FText[j] == u'e' || FText[j] == u'E')) {
        const std::size_t e = j;
        ascii += 'e';
        ++j;
        if (j < FText.size() && (FText[j] == u'+' || FText[j] == u'-' || FText[j] == u'\u2212')) {
            ascii += FText[j] == u'+' ? '+' : '-';
            ++j;
        }
        const std::size_t digits = j;
        for (; j < FText.size() && isDigit(FText[j]); ++j)
            ascii += char(FText[j]);
        if (j == digits) {
            errorAt = e;
            return TCalcError::ceBadNumber;
        }
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small rounds to zero as any calculator does; too large is an overflow.
        std::size_t mantissaEnd = ascii.find('e');
        const bool negativeExponent = mantissaEnd != std::string::npos && mantissaEnd + 1 < ascii.size()
            && ascii[mantissaEnd + 1] == '-';
        if (!negativeExponent) {
            errorAt = i;
            return TCalcError::ceOverflow;
        }
        value = 0;
    } else if (ec != std::errc() || end != ascii.data() + ascii.size()) {
        errorAt = i;
        return TCalcError::ceBadNumber;
    }
    FValues.push_back({value, false});
    i = j;
    return TCalcError::ceNone;
}

TCalcError Evaluator::apply(const PendingOp &pending)
{
    if (pending.op == Op::Neg || pending.op == Op::Plus) {
        if (pending.op == Op::Neg)
            FValues.back().value = -FValues.back().value;
        return TCalcError::ceNone;
    }
    const Operand right = FValues.back();
    FValues.pop_back();
    Operand &left = FValues.back();
    double result = 0;
    switch (pending.op) {
    case Op::Add:
        result = left.value + (right.percent ? left.value * right.value : right.value);
        break;
    case Op::Sub:
        result = left.value - (right.percent ? left.value * right.value : right.value);
        break;
    case Op::Mul:
        result = left.value * right.value;
        break;
    case Op::Div:
        if (right.value == 0)
            return TCalcError::ceDivByZero;
        result = left.value / right.value;
        break;
    default:
        break;
    }
    if (!std::isfinite(result))
        return TCalcError::ceOverflow;
    left = {result, false};
    return TCalcError::ceNone;
}

TCalcResult Evaluator::run()
{
    if (FText.size() > MaxLength)
        return fail(TCalcError::ceTooLong, MaxLength);
    bool expectOperand = true;
    bool any = false;
    int depth = 0;
    std::size_t i = 0;
    while (i < FText.size()) {
        const char16_t c = FText[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        any = true;
        if (expectOperand) {
            if (isDigit(c) || isSeparator(c)) {
                std::size_t errorAt = i;
                if (const TCalcError error = readNumber(i, errorAt); error != TCalcError::ceNone)
                    return fail(error, errorAt);
                expectOperand = false;
                continue;
            }
            if (c == u'(') {
                if (++depth > MaxDepth)
                    return fail(TCalcError::ceTooDeep, i);
                FOps.push_back({Op::Open, i});
            } else if (c == u'-' || c == u'\u2212') {
                FOps.push_back({Op::Neg, i});
            } else if (c == u'+') {
                FOps.push_back({Op::Plus, i});
            } else if (c == u'*' || c == u'/' || c == u'\u00D7' || c == u'\u00F7' || c == u')' || c == u'%') {
                return fail(TCalcError::ceNumberExpected, i);
            } else {
                return fail(TCalcError::ceBadChar, i);
            }
            ++i;
            continue;
        }

        Op op;
        if (c == u'+') {
            op = Op::Add;
        } else if (c == u'-' || c == u'\u2212') {
            op = Op::Sub;
        } else if (c == u'*' || c == u'\u00D7') {
            op = Op::Mul;
        } else if (c == u'/' || c == u'\u00F7') {
            op = Op::Div;
        } else if (c == u'%') {
            Operand &top = FValues.back();
            top.value /= 100;
            top.percent = true;
            ++i;
            continue;
        } else if (c == u')') {
            while (!FOps.empty() && FOps.back().op != Op::Open) {
                if (const TCalcError error = apply(FOps.back()); error != TCalcError::ceNone)
                    return fail(error, FOps.back().position);
                FOps.pop_back();
            }
            if (FOps.empty())
                return fail(TCalcError::ceUnopened, i);
            FOps.pop_back();
            --depth;
            // A parenthesised percent is a plain number again: (10%) reads as 0.1 everywhere.
            FValues.back().percent = false;
            ++i;
            continue;
        } else if (isDigit(c) || isSeparator(c) || c == u'(') {
            return fail(TCalcError::ceOperatorExpected, i);
        } else {
            return fail(TCalcError::ceBadChar, i);
        }
        // All four binary operators group to the left.
        while (!FOps.empty() && precedence(FOps.back().op) >= precedence(op)) {
            if (const TCalcError error = apply(FOps.back()); error != TCalcError::ceNone)
                return fail(error, FOps.back().position);
            FOps.pop_back();
        }
        FOps.push_back({op, i});
        expectOperand = true;
        ++i;
    }
    if (!any)
        return fail(TCalcError::ceEmpty, 0);
    if (expectOperand)
        return fail(TCalcError::ceNumberExpected, FText.size());
    while (!FOps.empty()) {
        const PendingOp pending = FOps.back();
        if (pending.op == Op::Open)
            return fail(TCalcError::ceUnclosed, pending.position);
        if (const TCalcError error = apply(pending); error != TCalcError::ceNone)
            return fail(error, pending.position);
        FOps.pop_back();
    }
    TCalcResult result;
    result.value = FValues.back().value == 0 ? 0.0 : FValues.back().value;
    return result;
}

} // namespace

TCalcResult Evaluate(std::u16string_view text)
{
    return Evaluator(text).run();
}

std::string ErrorText(TCalcError error)
{
    switch (error) {
    case TCalcError::ceNone:
        return {};
    case TCalcError::ceEmpty:
        return "Пустое выражение";
    case TCalcError::ceTooLong:
        return "Слишком длинное выражение";
    case TCalcError::ceBadChar:
        return "Недопустимый символ";
    case TCalcError::ceBadNumber:
        return "Неверная запись числа";
    case TCalcError::ceNumberExpected:
        return "Ожидается число";
    case TCalcError::ceOperatorExpected:
        return "Ожидается знак действия";
    case TCalcError::ceUnclosed:
        return "Не закрыта скобка";
    case TCalcError::ceUnopened:
        return "Лишняя закрывающая скобка";
    case TCalcError::ceTooDeep:
        return "Слишком много вложенных скобок";
    case TCalcError::ceDivByZero:
        return "Деление на ноль";
    case TCalcError::ceOverflow:
        return "Переполнение";
    }
    return {};
}

std::u16string FormatNumber(double value, char16_t decimalPoint)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        value = 0; // no "-0"
    char buffer[40];
    const int n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::u16string text;
    for (int k = 0; k < n; ++k)
        text += buffer[k] == '.' ? decimalPoint : char16_t(buffer[k]);
    return text;
}

} // namespace kvcalc
