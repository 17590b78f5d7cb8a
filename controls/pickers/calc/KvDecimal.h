// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// kvcalc::TDecimal, the calculator's decimal numbers, and their arithmetic.

#include "kavopickers_export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The calculator's numbers.
namespace kvcalc {

/// A decimal floating-point number, so that what a person types is held exactly and sums of
/// money never pick up binary noise.
///
/// Precision significant digits; every result is rounded half to even. A nonzero magnitude lies
/// between 10^MinExponent and 10^(MaxExponent + 1): a result past the top is an overflow, one
/// below the bottom becomes zero, as a desk calculator's does. Values are kept canonical (no
/// trailing zeros in the coefficient, zero never negative), so == compares values.
/// TkavoCalculator::Result() is one.
///
/// @code
/// auto cent = kvcalc::TDecimal::fromDigits("1", -2);  // 0.01, exactly
/// auto sum = kvcalc::Add(*cent, kvcalc::TDecimal(2)); // sum->toString() == "2.01"
/// @endcode
///
/// @qtdiff
/// Qt counts in double (QLocale::toDouble(), QDoubleSpinBox), which holds 0.1 only nearly; this
/// type holds what was typed exactly, to 34 digits, as IEEE 754's decimal128 does.
// Our own, as Debian packages no libmpdec, Intel's decimal library ships only static archives,
// and clang (the fuzzer's compiler) knows no _Decimal128.
class KAVOPICKERS_EXPORT TDecimal
{
public:
    static constexpr int Precision = 34;
    static constexpr int MaxExponent = 999;
    static constexpr int MinExponent = -999;

    constexpr TDecimal() = default;
    /// An integer, exactly.
    explicit TDecimal(long long value);

    /// The number that the ASCII digits spell, times 10^exponent, rounded to Precision digits;
    /// empty on overflow. Any number of digits, leading zeros included, and any exponent.
    static std::optional<TDecimal> fromDigits(std::string_view digits, long long exponent, bool negative = false);
    /// The shortest decimal that reads back as value; empty for infinities and NaN.
    static std::optional<TDecimal> fromDouble(double value);
    /// The nearest double: infinite past the double range, zero below it.
    double toDouble() const;

    bool isZero() const { return FHigh == 0 && FLow == 0; }
    bool isNegative() const { return FNegative; }
    TDecimal operator-() const;
    friend bool operator==(const TDecimal &, const TDecimal &) = default;

    /// Rounded half to even to digits significant digits (1 to Precision); empty when rounding
    /// carries it past the top.
    std::optional<TDecimal> rounded(int digits) const;
    /// Rounded as rounded(digits) does, as plain ASCII with '.' for the separator: fixed from
    /// 1e-5 up to below 1e15, else in exponent form ("1.5e+20", "2e-06"); "0" for zero. A value
    /// that rounding carries past the top reads "1e+1000".
    std::string toString(int digits = Precision) const;

private:
    friend struct TDecimalAccess;

    bool FNegative = false;
    // The coefficient, below 10^Precision, as the two halves of a 128-bit integer.
    std::uint64_t FHigh = 0;
    std::uint64_t FLow = 0;
    std::int32_t FExponent = 0;
};

/// @name Arithmetic
/// Rounded to TDecimal::Precision digits; empty on overflow, and for Divide() on a zero divisor.
///@{
KAVOPICKERS_EXPORT std::optional<TDecimal> Add(const TDecimal &a, const TDecimal &b);
KAVOPICKERS_EXPORT std::optional<TDecimal> Subtract(const TDecimal &a, const TDecimal &b);
KAVOPICKERS_EXPORT std::optional<TDecimal> Multiply(const TDecimal &a, const TDecimal &b);
KAVOPICKERS_EXPORT std::optional<TDecimal> Divide(const TDecimal &a, const TDecimal &b);
///@}

} // namespace kvcalc
