// SPDX-License-Identifier: MIT
// What the drop-down edits read from typed text: a date, a period, a number. The first byte
// chooses the function and the desktop's locale (their date orders and separators differ); the
// rest is the text, in UTF-8.
#include "KvPickerText.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0 || size > 512)
        return 0;
    static const QLocale locales[] = {QLocale(QLocale::Russian, QLocale::Russia), QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany), QLocale::c()};
    QLocale::setDefault(locales[data[0] & 3]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QDate today(2026, 12, 9);

    switch ((data[0] >> 2) % 3) {
    case 0:
        // A date read is a real day, and its shown text reads back to it.
        if (const std::optional<QDate> date = ReadDateText(text, today)) {
            if (!date->isValid() || ReadDateText(QLocale().toString(*date, PickerDateFormat()), today) != date)
                std::abort();
        }
        break;
    case 1:
        if (const auto period = ReadPeriodText(text, today)) {
            if (!period->first.isValid() || !period->second.isValid() || period->first > period->second)
                std::abort();
        }
        break;
    default:
        if (const std::optional<double> value = ReadNumberText(text); value && !std::isfinite(*value))
            std::abort();
        break;
    }
    return 0;
}
