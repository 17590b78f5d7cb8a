// SPDX-License-Identifier: MIT
// The spin edit's text to value, on any text a person may type or paste. The first byte
// chooses the value type, the locale's decimal separator and the digits a number is written
// back with; the rest is the text, in UTF-8.
#include "KavoSpin.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const TValueType type = mode & 1 ? vtFloat : vtInteger;
    // The separators of the desktop's locales: English and most, Russian and the like, Arabic.
    static const QString separators[] = {QStringLiteral("."), QStringLiteral(","), QStringLiteral("\u066B")};
    const QString &separator = separators[((mode >> 1) & 3) % 3];
    const int decimals = mode >> 3;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const std::optional<long double> value = SpinTextToValue(text, type, separator);
    if (!value)
        return 0;
    if (!std::isfinite(*value))
        std::abort();
    // What the edit writes for a number it read, it reads back: a whole number exactly, a
    // decimal one to its last written digit (after rounding to 15 significant digits).
    const std::optional<QString> written = SpinValueToText(*value, type, decimals, separator);
    const std::optional<long double> reread = written ? SpinTextToValue(*written, type, separator) : std::nullopt;
    if (!reread)
        std::abort();
    const long double tolerance =
        type == vtInteger ? 0 : 0.5L * std::pow(10.0L, -std::min(decimals, 18)) + 1e-14L * std::fabs(*value);
    if (std::fabs(*reread - *value) > tolerance)
        std::abort();
    return 0;
}
