// SPDX-License-Identifier: MIT
#include "KvCalc.h"

#include <algorithm>
#include <optional>
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
    TDecimal value;
    bool percent;
};

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isSeparator(char16_t c) { return c == u'.' || c == u','; }
// The spaces that group digits; a tab only separates.
bool isGroupBlank(char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; }
bool isBlank(char16_t c) { return isGroupBlank(c) || c == u'\t'; }

// A result that shows: one that rounding to the shown digits would carry to 1e+1000 counts as
// an overflow, so that every shown result can be typed or worked on again.
std::optional<TDecimal> shown(std::optional<TDecimal> value)
{
    if (value && !value->rounded(DisplayDigits))
        return std::nullopt;
    return value;
}

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
    // Whether the three code units from k are digits with no digit after them: a group.
    bool groupFollows(std::size_t k) const;
    // Applies the operator on top of the stack to the operands.
    TCalcError apply(const PendingOp &pending);

    std::u16string_view FText;
    std::vector<Operand> FValues;
    std::vector<PendingOp> FOps;
};

TCalcError Evaluator::readNumber(std::size_t &i, std::size_t &errorAt)
{
    // Up to MaxLength digits, so the copy stays small.
    std::string digits;
    long long exponent = 0;
    bool separator = false;
    std::size_t j = i;
    for (; j < FText.size(); ++j) {
        const char16_t c = FText[j];
        if (isDigit(c)) {
            digits += char(c);
            if (separator)
                --exponent;
        } else if (isSeparator(c)) {
            if (separator) {
                errorAt = j;
                return TCalcError::ceBadNumber;
            }
            separator = true;
        } else if (!separator && !digits.empty() && isGroupBlank(c) && groupFollows(j + 1)) {
            continue;
        } else {
            break;
        }
    }
    if (digits.empty()) {
        errorAt = i;
        return TCalcError::ceBadNumber;
    }
    if (j < FText.size() && (FText[j] == u'e' || FText[j] == u'E')) {
        const std::size_t e = j;
        ++j;
        bool negative = false;
        if (j < FText.size() && (FText[j] == u'+' || FText[j] == u'-' || FText[j] == u'\u2212')) {
            negative = FText[j] != u'+';
            ++j;
        }
        const std::size_t first = j;
        // Saturated: far past the range every exponent means the same.
        long long power = 0;
        for (; j < FText.size() && isDigit(FText[j]); ++j)
            power = std::min(power * 10 + (FText[j] - u'0'), 100'000'000LL);
        if (j == first) {
            errorAt = e;
            return TCalcError::ceBadNumber;
        }
        exponent += negative ? -power : power;
    }
    // Too small rounds to zero as any calculator does; too large is an overflow.
    const std::optional<TDecimal> value = shown(TDecimal::fromDigits(digits, exponent));
    if (!value) {
        errorAt = i;
        return TCalcError::ceOverflow;
    }
    FValues.push_back({*value, false});
    i = j;
    return TCalcError::ceNone;
}

bool Evaluator::groupFollows(std::size_t k) const
{
    if (k + 3 > FText.size())
        return false;
    for (std::size_t n = k; n < k + 3; ++n)
        if (!isDigit(FText[n]))
            return false;
    return k + 3 == FText.size() || !isDigit(FText[k + 3]);
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
    // A percent under + and − is that share of the left operand.
    auto term = [&]() -> std::optional<TDecimal> {
        return right.percent ? Multiply(left.value, right.value) : right.value;
    };
    std::optional<TDecimal> result;
    switch (pending.op) {
    case Op::Add:
        if (const auto share = term())
            result = Add(left.value, *share);
        break;
    case Op::Sub:
        if (const auto share = term())
            result = Subtract(left.value, *share);
        break;
    case Op::Mul:
        result = Multiply(left.value, right.value);
        break;
    case Op::Div:
        if (right.value.isZero())
            return TCalcError::ceDivByZero;
        result = Divide(left.value, right.value);
        break;
    default:
        break;
    }
    result = shown(result);
    if (!result)
        return TCalcError::ceOverflow;
    left = {*result, false};
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
            // Exact: a hundredth only moves the decimal point, or underflows to zero.
            top.value = *Divide(top.value, TDecimal(100));
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
    result.value = FValues.back().value;
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

std::u16string FormatNumber(const TDecimal &value, char16_t decimalPoint, int digits)
{
    const std::string ascii = value.toString(digits);
    std::u16string text;
    text.reserve(ascii.size());
    for (const char c : ascii)
        text += c == '.' ? decimalPoint : char16_t(c);
    return text;
}

} // namespace kvcalc
