// SPDX-License-Identifier: MIT
#pragma once

#include "KvDecimal.h"

#include <string>
#include <string_view>

// The calculator's expression engine: plain C++, no Qt, so that it can be checked and fuzzed on
// its own. Texts are UTF-16, as the edits hold them; positions count UTF-16 code units from 0.
namespace kvcalc {

// The longest expression taken, in code units, and the deepest nesting of parentheses.
inline constexpr std::size_t MaxLength = 256;
inline constexpr int MaxDepth = 32;
// Significant digits of a shown result.
inline constexpr int DisplayDigits = 15;

enum class TCalcError {
    ceNone,
    ceEmpty,          // nothing but blanks
    ceTooLong,        // longer than MaxLength
    ceBadChar,        // a character that is neither a number, an operator nor a parenthesis
    ceBadNumber,      // a second separator, or an exponent without digits
    ceNumberExpected, // an operator or a closing parenthesis where a number must stand
    ceOperatorExpected, // a number or an opening parenthesis right after a number
    ceUnclosed,       // an opening parenthesis without its closing one
    ceUnopened,       // a closing parenthesis without its opening one
    ceTooDeep,        // parentheses nested deeper than MaxDepth
    ceDivByZero,
    ceOverflow,       // a number or a result that would show as 1e+1000 or more
};

struct TCalcResult {
    TCalcError error = TCalcError::ceNone;
    // Where the fault lies: the offending character, the operator whose result failed, or the
    // end of the text when something is missing there.
    std::size_t position = 0;
    TDecimal value;

    bool ok() const { return error == TCalcError::ceNone; }
};

// Evaluates text in decimal: what is typed is held exactly, and each operation is rounded to
// TDecimal::Precision digits. Numbers take either '.' or ',' as their decimal separator: the
// engine knows no argument lists, so neither sign can mean anything else. A space, no-break
// space or narrow no-break space before three digits of a number's whole part groups its
// digits, as a Russian desktop writes them ("1 234 567,5"). Operators:
// + - * / and the typographic × ÷ − (U+00D7, U+00F7, U+2212), unary minus and plus, parentheses,
// and postfix percent.
//
// Percent works as on a desk calculator: b% alone is b/100, but as the right operand of + or −
// it is a share of the left operand, so a + b% is a + a*b/100 and a − b% is a − a*b/100. Under *
// and / it is b/100 again (a * b% = a*b/100). A minus before the percent keeps it a share.
//
// Never throws and never recurses: nesting lives on explicit stacks.
TCalcResult Evaluate(std::u16string_view text);

// The user's words for an error, in UTF-8.
std::string ErrorText(TCalcError error);

// value rounded half to even to digits significant digits, with decimalPoint as the separator:
// fixed down to 1e-5 ("0,00002") and below 1e15, else in exponent form ("1,5e+20", "2e-06").
// Evaluate reads the text back: at TDecimal::Precision digits to value itself, at fewer to
// value.rounded(digits). Every result Evaluate accepts shows below 1e+1000.
std::u16string FormatNumber(const TDecimal &value, char16_t decimalPoint, int digits = DisplayDigits);

} // namespace kvcalc
