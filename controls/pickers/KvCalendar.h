// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The calendar that TkavoDateEdit opens: TkavoCalendar, its month grid and its panel.

#include "kavopickers_export.h"

#include <QDate>
#include <QDialog>
#include <QWidget>

#include <functional>

class QLabel;
class TkavoBitBtn;

/// A month of days in the user's locale, weeks from Monday: today marked, the chosen day framed,
/// days outside MinDate..MaxDate greyed and out of reach.
///
/// Arrows move by a day or a week, Page Up and Page Down by a month, Home and End to the
/// month's first and last day.
///
/// @code
/// auto *grid = new TkavoMonthGrid(panel); grid->setRange(QDate(2026, 1, 1), QDate(2026, 12, 31));
/// grid->OnActivate = [](QDate day) { book(day); };
/// @endcode
///
/// @qtdiff
/// The grid of QCalendarWidget without its navigation bar and its model: weeks always start on
/// Monday, and the user's choices reach plain callbacks (OnChange, OnActivate) rather than
/// selectionChanged() and activated().
class KAVOPICKERS_EXPORT TkavoMonthGrid : public QWidget
{
    Q_OBJECT

public:
    explicit TkavoMonthGrid(QWidget *parent = nullptr);

    QDate Date() const { return FDate; }
    /// Clamped into the limits; shows the date's month.
    void setDate(QDate date);
    QDate MinDate() const { return FMinDate; }
    QDate MaxDate() const { return FMaxDate; }
    /// Null dates are no limits. The chosen date moves into the new range.
    void setRange(QDate minimum, QDate maximum);
    /// The first day of the month shown.
    QDate Month() const { return FMonth; }
    /// The day drawn at a point, null outside the days.
    QDate DateAt(QPoint pos) const;
    /// The cell of a day of the month shown.
    QRect DayRect(QDate date) const;
    bool Selectable(QDate date) const;
    /// "Today" for marking; the clock's date unless a caller fixes it.
    QDate Today() const { return FToday.isValid() ? FToday : QDate::currentDate(); }
    void setToday(QDate today);

    std::function<void(QDate)> OnChange;
    /// A day double-clicked.
    std::function<void(QDate)> OnActivate;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    int cellWidth() const;
    int cellHeight() const;
    QDate firstShown() const;
    QDate clamp(QDate date) const;
    void moveTo(QDate date);

    QDate FDate;
    QDate FMonth;
    QDate FMinDate;
    QDate FMaxDate;
    QDate FToday;
};

/// A month header with arrows to the neighbouring months above a month grid.
///
/// @code
/// auto *from = new TkavoCalendarPanel(dialog);
/// from->Grid()->setDate(QDate::currentDate());
/// @endcode
///
/// @qtdiff
/// QCalendarWidget whole, with the month named as the user's locale names it standing alone
/// ("Декабрь 2026" in Russian) and no year spin box.
class KAVOPICKERS_EXPORT TkavoCalendarPanel : public QWidget
{
    Q_OBJECT

public:
    explicit TkavoCalendarPanel(QWidget *parent = nullptr);

    TkavoMonthGrid *Grid() const { return FGrid; }
    /// "Декабрь 2026": the month's stand-alone name in the user's locale.
    QString Title() const;

private:
    void refresh();

    TkavoMonthGrid *FGrid = nullptr;
    QLabel *FTitle = nullptr;
};

/// The calendar: a date picked from a month grid; Enter or a double click accepts, Esc cancels.
///
/// TkavoDateEdit opens it below itself; it can be shown on its own as well.
///
/// @code
/// TkavoCalendar calendar(window); calendar.Grid()->setDate(due);
/// if (calendar.exec() == QDialog::Accepted) due = calendar.Date();
/// @endcode
///
/// @qtdiff
/// A QDialog around a calendar panel, where Qt leaves the dialog around a QCalendarWidget to
/// the program.
class KAVOPICKERS_EXPORT TkavoCalendar : public QDialog
{
    Q_OBJECT

public:
    explicit TkavoCalendar(QWidget *parent = nullptr);

    TkavoMonthGrid *Grid() const { return FPanel->Grid(); }
    TkavoCalendarPanel *Panel() const { return FPanel; }
    QDate Date() const { return Grid()->Date(); }

private:
    TkavoCalendarPanel *FPanel = nullptr;
};
