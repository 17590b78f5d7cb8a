// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoPeriodDialog, the period dialog that TkavoPeriodEdit opens, and the quick periods.

#include "kavopickers_export.h"

#include <QDate>
#include <QDialog>

class TkavoCalendarPanel;
class TkavoBitBtn;

/// Quick periods around a day.
enum TPeriodChoice { pcToday, pcThisWeek, pcThisMonth, pcThisQuarter, pcThisYear, pcLastMonth };

/// The first and last day of a quick period around today; weeks start on Monday.
KAVOPICKERS_EXPORT std::pair<QDate, QDate> PeriodOf(TPeriodChoice choice, QDate today);

/// The period dialog: a start and an end day, each on its own calendar, and buttons for the
/// quick periods.
///
/// OK refuses, with a message, a period that ends before it starts.
///
/// @code
/// TkavoPeriodDialog dialog(window); dialog.Choose(pcThisMonth);
/// if (dialog.exec() == QDialog::Accepted) report(dialog.DateFrom(), dialog.DateTo());
/// @endcode
///
/// @qtdiff
/// Qt has no period dialog: two QCalendarWidget in a QDialog, with buttons for the quick periods
/// and the check of the order, would stand in for it.
class KAVOPICKERS_EXPORT TkavoPeriodDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TkavoPeriodDialog(QWidget *parent = nullptr);

    QDate DateFrom() const;
    QDate DateTo() const;
    void setPeriod(QDate from, QDate to);
    void Choose(TPeriodChoice choice);
    /// The quick-period button of a choice.
    TkavoBitBtn *ChoiceButton(TPeriodChoice choice) const { return FChoices[choice]; }
    TkavoCalendarPanel *FromPanel() const { return FFrom; }
    TkavoCalendarPanel *ToPanel() const { return FTo; }
    /// "Today" for the quick periods; the clock's date unless a caller fixes it.
    void setToday(QDate today);

    void done(int result) override;

private:
    TkavoCalendarPanel *FFrom = nullptr;
    TkavoCalendarPanel *FTo = nullptr;
    TkavoBitBtn *FChoices[6] = {};
    QDate FToday;
};
