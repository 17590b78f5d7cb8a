// SPDX-License-Identifier: MIT
#include "KvCalendarAccess.h"

#include "KvCalendar.h"
#include "TableAccessible.h"

#include <QLocale>

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;

class MonthGridAccessible;

// One day of the grid, known by its place: the date it shows follows the month shown.
class DayCellAccessible : public toolkit::TTableCellAccessible<MonthGridAccessible>
{
public:
    using TTableCellAccessible::TTableCellAccessible;

    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    bool isSelected() const override;

    QDate date() const;
};

class MonthGridAccessible : public toolkit::TTableAccessible
{
public:
    explicit MonthGridAccessible(TkavoMonthGrid *grid) : TTableAccessible(grid) {}

    TkavoMonthGrid *grid() const { return static_cast<TkavoMonthGrid *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QLocale().toString(grid()->Date(), QLocale::LongFormat);
        return QAccessibleWidget::text(t);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QDate date = grid()->DateAt(grid()->mapFromGlobal(QPoint(x, y)));
        if (!date.isValid())
            return nullptr;
        const int index = int(firstShown().daysTo(date));
        return child(index);
    }

    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        const int index = int(firstShown().daysTo(grid()->Date()));
        return {cellAt(index / kColumns, index % kColumns)};
    }
    QString columnDescription(int column) const override { return QLocale().dayName(column + 1, QLocale::LongFormat); }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }

    QDate firstShown() const
    {
        const QDate month = grid()->Month();
        return month.addDays(1 - month.dayOfWeek());
    }

protected:
    QAccessibleInterface *makeCell(int row, int column) override { return new DayCellAccessible(this, row, column); }
};

QDate DayCellAccessible::date() const
{
    return FTable->firstShown().addDays(FRow * kColumns + FColumn);
}

QString DayCellAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QLocale().toString(date(), QLocale::LongFormat);
    return {};
}

QRect DayCellAccessible::rect() const
{
    const TkavoMonthGrid *grid = FTable->grid();
    const QRect local = grid->DayRect(date());
    return QRect(grid->mapToGlobal(local.topLeft()), local.size());
}

bool DayCellAccessible::isSelected() const
{
    return date() == FTable->grid()->Date();
}

QAccessible::State DayCellAccessible::state() const
{
    QAccessible::State state;
    state.selectable = FTable->grid()->Selectable(date());
    state.disabled = !state.selectable;
    state.selected = isSelected();
    state.focused = state.selected && FTable->grid()->hasFocus();
    return state;
}

} // namespace

QAccessibleInterface *MonthGridAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TkavoMonthGrid") && object && object->isWidgetType())
        return new MonthGridAccessible(static_cast<TkavoMonthGrid *>(object));
    return nullptr;
}
