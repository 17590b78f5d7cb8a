// SPDX-License-Identifier: MIT
#include "KvDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace kvcalc {

namespace {

// GCC and clang both have it on every 64-bit target; __extension__ keeps -pedantic quiet.
__extension__ typedef unsigned __int128 u128;

constexpr int Precision = TDecimal::Precision;

// 10^0 to 10^38: the largest power of ten below 2^128.
struct Powers
{
    u128 of[39];
    constexpr Powers() : of()
    {
        of[0] = 1;
        for (int n = 1; n < 39; ++n)
            of[n] = of[n - 1] * 10;
    }
};
constexpr Powers kPowers;

u128 pow10(int n)
{
    return kPowers.of[n];
}

// Digits of c, 1 for zero.
int digitCount(u128 c)
{
    int n = 1;
    while (n < 39 && c >= kPowers.of[n])
        ++n;
    return n;
}

// What lies below the last digit kept, against half a unit of that digit.
enum class Tail { Zero, BelowHalf, Half, AboveHalf };

// The tail after dropping remainder r of a unit, with the tail that lay below r.
Tail tailOf(u128 r, u128 unit, Tail below)
{
    if (r == 0)
        return below == Tail::Zero ? Tail::Zero : Tail::BelowHalf;
    const u128 twice = r * 2; // r < unit <= 10^38, so no wrap
    if (twice < unit)
        return Tail::BelowHalf;
    if (twice == unit)
        return below == Tail::Zero ? Tail::Half : Tail::AboveHalf;
    return Tail::AboveHalf;
}

struct Parts
{
    bool negative = false;
    u128 coefficient = 0;
    long long exponent = 0;
};

} // namespace

// The one place that reads and writes the stored coefficient.
struct TDecimalAccess
{
    static Parts parts(const TDecimal &d)
    {
        return {d.FNegative, (u128(d.FHigh) << 64) | d.FLow, d.FExponent};
    }

    // Rounds q (any size) times 10^exponent, with what was dropped below it, to digits
    // significant digits and makes it canonical. With checkRange, empty past the top and zero
    // below the bottom.
    static std::optional<TDecimal> make(bool negative, u128 q, long long exponent, Tail tail, int digits = Precision,
                                        bool checkRange = true)
    {
        const int n = digitCount(q);
        if (n > digits) {
            const int drop = n - digits;
            tail = tailOf(q % pow10(drop), pow10(drop), tail);
            q /= pow10(drop);
            exponent += drop;
        }
        if (tail == Tail::AboveHalf || (tail == Tail::Half && (q & 1) != 0)) {
            ++q;
            if (q == pow10(digits)) {
                q /= 10;
                ++exponent;
            }
        }
        TDecimal result;
        if (q == 0)
            return result;
        while (q % 10 == 0) {
            q /= 10;
            ++exponent;
        }
        const long long adjusted = exponent + digitCount(q) - 1;
        if (checkRange) {
            if (adjusted > TDecimal::MaxExponent)
                return std::nullopt;
            if (adjusted < TDecimal::MinExponent)
                return result;
        }
        result.FNegative = negative;
        result.FHigh = std::uint64_t(q >> 64);
        result.FLow = std::uint64_t(q);
        result.FExponent = std::int32_t(exponent);
        return result;
    }
};

TDecimal::TDecimal(long long value)
{
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    *this = *TDecimalAccess::make(value < 0, magnitude, 0, Tail::Zero);
}

std::optional<TDecimal> TDecimal::fromDigits(std::string_view digits, long long exponent, bool negative)
{
    std::size_t first = 0;
    while (first < digits.size() && digits[first] == '0')
        ++first;
    digits.remove_prefix(first);
    if (digits.empty())
        return TDecimal();
    // The first Precision digits make the coefficient, the next one and any nonzero digit
    // after it the tail.
    const std::size_t kept = std::min<std::size_t>(digits.size(), Precision);
    u128 q = 0;
    for (std::size_t k = 0; k < kept; ++k)
        q = q * 10 + u128(digits[k] - '0');
    Tail tail = Tail::Zero;
    if (kept < digits.size()) {
        const int next = digits[kept] - '0';
        bool sticky = false;
        for (std::size_t k = kept + 1; k < digits.size() && !sticky; ++k)
            sticky = digits[k] != '0';
        if (next > 5 || (next == 5 && sticky))
            tail = Tail::AboveHalf;
        else if (next == 5)
            tail = Tail::Half;
        else if (next > 0 || sticky)
            tail = Tail::BelowHalf;
    }
    // Far past either end nothing can come back into range; keep the sums below from wrapping.
    const long long dropped = static_cast<long long>(digits.size() - kept);
    const long long limit = 1'000'000'000LL;
    if (exponent > limit)
        return std::nullopt;
    if (exponent < -limit)
        return TDecimal();
    return TDecimalAccess::make(negative, q, exponent + dropped, tail);
}

std::optional<TDecimal> TDecimal::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return std::nullopt;
    // Shortest form: "-1.5e+20", "0.001", "12".
    std::string digits;
    long long exponent = 0;
    bool negative = false;
    bool fraction = false;
    const char *p = buffer;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            fraction = true;
        } else {
            digits += *p;
            if (fraction)
                --exponent;
        }
    }
    if (p < end) {
        int shift = 0;
        const char *from = p + 1;
        if (from < end && *from == '+')
            ++from;
        std::from_chars(from, end, shift);
        exponent += shift;
    }
    return fromDigits(digits, exponent, negative);
}

double TDecimal::toDouble() const
{
    const std::string text = toString(Precision);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        const Parts p = TDecimalAccess::parts(*this);
        const bool large = p.exponent + digitCount(p.coefficient) - 1 > 0;
        value = large ? HUGE_VAL : 0.0;
        return FNegative ? -value : value;
    }
    return value;
}

TDecimal TDecimal::operator-() const
{
    TDecimal result = *this;
    if (!isZero())
        result.FNegative = !FNegative;
    return result;
}

std::optional<TDecimal> TDecimal::rounded(int digits) const
{
    const Parts p = TDecimalAccess::parts(*this);
    return TDecimalAccess::make(p.negative, p.coefficient, p.exponent, Tail::Zero, std::clamp(digits, 1, Precision));
}

std::string TDecimal::toString(int digits) const
{
    const Parts stored = TDecimalAccess::parts(*this);
    // Rounding may carry one past the top; shown all the same rather than lost.
    const TDecimal shown = *TDecimalAccess::make(stored.negative, stored.coefficient, stored.exponent, Tail::Zero,
                                                 std::clamp(digits, 1, Precision), false);
    const Parts p = TDecimalAccess::parts(shown);
    if (p.coefficient == 0)
        return "0";
    std::string coefficient;
    for (u128 q = p.coefficient; q != 0; q /= 10)
        coefficient.insert(coefficient.begin(), char('0' + int(q % 10)));
    const long long count = static_cast<long long>(coefficient.size());
    const long long adjusted = p.exponent + count - 1;
    std::string text = p.negative ? "-" : "";
    if (adjusted < -5 || adjusted >= 15) {
        text += coefficient[0];
        if (count > 1)
            text += '.' + coefficient.substr(1);
        text += adjusted < 0 ? "e-" : "e+";
        const std::string power = std::to_string(adjusted < 0 ? -adjusted : adjusted);
        if (power.size() < 2)
            text += '0';
        text += power;
    } else if (p.exponent >= 0) {
        text += coefficient + std::string(std::size_t(p.exponent), '0');
    } else if (adjusted >= 0) {
        text += coefficient.substr(0, std::size_t(adjusted + 1)) + '.' + coefficient.substr(std::size_t(adjusted + 1));
    } else {
        text += "0." + std::string(std::size_t(-adjusted - 1), '0') + coefficient;
    }
    return text;
}

std::optional<TDecimal> Add(const TDecimal &a, const TDecimal &b)
{
    if (a.isZero())
        return b;
    if (b.isZero())
        return a;
    Parts big = TDecimalAccess::parts(a);
    Parts small = TDecimalAccess::parts(b);
    auto adjusted = [](const Parts &p) { return p.exponent + digitCount(p.coefficient) - 1; };
    // A term more than Precision + 2 places below the other's leading digit lies under a
    // hundredth of its last place: the sum rounds back to the larger term.
    if (adjusted(big) - adjusted(small) >= Precision + 3)
        return a;
    if (adjusted(small) - adjusted(big) >= Precision + 3)
        return b;
    if (adjusted(big) < adjusted(small))
        std::swap(big, small);
    // The larger term widened to 37 digits, the smaller one brought to the same last place;
    // digits of it that fall off only mark the sum as a little more (or less) than shown.
    const int widen = 37 - digitCount(big.coefficient);
    const u128 x = big.coefficient * pow10(widen);
    long long exponent = big.exponent - widen;
    u128 y = 0;
    bool sticky = false;
    if (small.exponent >= exponent) {
        y = small.coefficient * pow10(int(small.exponent - exponent));
    } else {
        const int shift = int(exponent - small.exponent);
        y = small.coefficient / pow10(shift);
        sticky = small.coefficient % pow10(shift) != 0;
    }
    u128 sum = 0;
    bool negative = big.negative;
    if (big.negative == small.negative) {
        sum = x + y;
        if (sticky) {
            sum = sum * 10 + 1;
            --exponent;
        }
    } else if (x >= y) {
        sum = x - y;
        if (sticky) {
            sum = sum * 10 - 1;
            --exponent;
        }
    } else {
        // Only terms of equal leading place get here, and those drop no digits.
        sum = y - x;
        negative = small.negative;
    }
    if (sum == 0)
        return TDecimal();
    return TDecimalAccess::make(negative, sum, exponent, Tail::Zero);
}

std::optional<TDecimal> Subtract(const TDecimal &a, const TDecimal &b)
{
    return Add(a, -b);
}

std::optional<TDecimal> Multiply(const TDecimal &a, const TDecimal &b)
{
    if (a.isZero() || b.isZero())
        return TDecimal();
    const Parts x = TDecimalAccess::parts(a);
    const Parts y = TDecimalAccess::parts(b);
    // Each coefficient in two halves below 10^17; the product in four limbs of 17 digits.
    const u128 half = pow10(17);
    const u128 x1 = x.coefficient / half, x0 = x.coefficient % half;
    const u128 y1 = y.coefficient / half, y0 = y.coefficient % half;
    const u128 p0 = x0 * y0;
    const u128 p1 = x1 * y0 + x0 * y1;
    const u128 p2 = x1 * y1;
    const u128 l0 = p0 % half;
    u128 carry = p0 / half;
    const u128 l1 = (p1 + carry) % half;
    carry = (p1 + carry) / half;
    const u128 l2 = (p2 + carry) % half;
    const u128 l3 = (p2 + carry) / half;
    // product = high * 10^34 + low
    const u128 high = l3 * half + l2;
    const u128 low = l1 * half + l0;
    const bool negative = x.negative != y.negative;
    long long exponent = x.exponent + y.exponent;
    if (high == 0)
        return TDecimalAccess::make(negative, low, exponent, Tail::Zero);
    const int h = digitCount(high);
    const Tail tail = tailOf(low % pow10(h), pow10(h), Tail::Zero);
    const u128 q = high * pow10(Precision - h) + low / pow10(h);
    exponent += h;
    return TDecimalAccess::make(negative, q, exponent, tail);
}

std::optional<TDecimal> Divide(const TDecimal &a, const TDecimal &b)
{
    if (b.isZero())
        return std::nullopt;
    if (a.isZero())
        return TDecimal();
    const Parts x = TDecimalAccess::parts(a);
    const Parts y = TDecimalAccess::parts(b);
    // Long division, a digit at a time, until the quotient has one digit more than is kept;
    // the remainder stays below the divisor, so ten times it fits.
    u128 q = x.coefficient / y.coefficient;
    u128 r = x.coefficient % y.coefficient;
    long long exponent = x.exponent - y.exponent;
    while (q < pow10(Precision)) {
        r *= 10;
        q = q * 10 + r / y.coefficient;
        r %= y.coefficient;
        --exponent;
    }
    // q has Precision + 1 digits, so make drops one and reads the remainder only as nonzero.
    return TDecimalAccess::make(x.negative != y.negative, q, exponent, r == 0 ? Tail::Zero : Tail::BelowHalf);
}

} // namespace kvcalc
