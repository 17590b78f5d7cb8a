// SPDX-License-Identifier: MIT
#include "KvPickerText.h"

#include "KvCalc.h"

#include <QLocale>

#include <cmath>

QString PickerDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

std::optional<double> ReadNumberText(QStringView text)
{
    const kvcalc::TCalcResult result =
        kvcalc::Evaluate(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), std::size_t(text.size())));
    if (!result.ok())
        return std::nullopt;
    const double value = result.value.toDouble();
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<QDate> ReadDateText(QStringView text, QDate today)
{
    const QString format = PickerDateFormat();
    const QStringView typed = text.trimmed();
    if (const QDate date = QLocale().toDate(typed.toString(), format); date.isValid())
        return date;

    // The order of day, month and year in the format, and what stands between them.
    QString order;
    QString separators;
    for (const QChar c : format) {
        if (c == u'd' || c == u'M' || c == u'y') {
            if (!order.contains(c))
                order += c;
        } else if (c.isLetter()) {
            return std::nullopt; // names of days or months: only the full form is read
        } else {
            separators += c;
        }
    }
    if (order.size() != 3)
        return std::nullopt;

    // Groups of digits with separators between them.
    QList<QStringView> groups;
    qsizetype i = 0;
    while (i < typed.size()) {
        const qsizetype start = i;
        while (i < typed.size() && isAsciiDigit(typed[i]))
            ++i;
        if (i == start || i - start > 4 || groups.size() == 3)
            return std::nullopt;
        groups.append(typed.mid(start, i - start));
        const qsizetype gap = i;
        while (i < typed.size() && separators.contains(typed[i]))
            ++i;
        if ((i == gap) != (i == typed.size()))
            return std::nullopt; // a letter, or separators at the end
    }
    if (groups.size() < 2)
        return std::nullopt;
    if (groups.size() == 2)
        order.remove(u'y');

    int day = 0;
    int month = 0;
    int year = today.year();
    for (qsizetype k = 0; k < groups.size(); ++k) {
        const QStringView group = groups[k];
        const int value = group.toInt();
        switch (order[k].unicode()) {
        case u'd':
            if (group.size() > 2)
                return std::nullopt;
            day = value;
            break;
        case u'M':
            if (group.size() > 2)
                return std::nullopt;
            month = value;
            break;
        default:
            if (group.size() == 2)
                year = 2000 + value;
            else if (group.size() == 4)
                year = value;
            else
                return std::nullopt;
            break;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<std::pair<QDate, QDate>> ReadPeriodText(QStringView text, QDate today)
{
    // The dash may come typed as a plain hyphen, unless the dates themselves hold hyphens.
    QList<QStringView> parts = text.split(u'–');
    if (parts.size() == 1)
        parts = text.split(u'-');
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<QDate> from = ReadDateText(parts[0], today);
    const std::optional<QDate> to = ReadDateText(parts[1], today);
    if (!from || !to || *to < *from)
        return std::nullopt;
    return std::pair{*from, *to};
}
