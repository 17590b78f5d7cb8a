// SPDX-License-Identifier: MIT
#pragma once

#include "kavopickers_export.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

/// @file
/// How the drop-down edits read what is typed into them: plain functions of the text (and of
/// the default locale), so that tests and fuzzers call exactly what the edits call.

/// The date format of the user's locale with a four-digit year, which edits show and read.
KAVOPICKERS_EXPORT QString PickerDateFormat();

/// A number edit's text: an expression, worked out by the calculator's engine (digit grouping
/// by spaces included). Empty when the text is faulty or its value lies beyond a double.
KAVOPICKERS_EXPORT std::optional<double> ReadNumberText(QStringView text);

/// A date in the locale's short format, or in its field order with one-digit days and months, a
/// two-digit year (20yy) or no year at all (today's): "05.03.2026", "5.3.2026", "5.3.26" and "5.3"
/// in Russian. Empty for other texts and for days that do not exist (29.02.2025).
KAVOPICKERS_EXPORT std::optional<QDate> ReadDateText(QStringView text, QDate today);

/// A period: two dates as ReadDateText reads them, split at a dash ("–", or "-" when the
/// dates hold none), the first not after the second.
KAVOPICKERS_EXPORT std::optional<std::pair<QDate, QDate>> ReadPeriodText(QStringView text, QDate today);
