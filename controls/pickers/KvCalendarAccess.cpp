// SPDX-License-Identifier: MIT
#include "KvCalendarAccess.h"

#include "KvCalendar.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QLocale>

namespace {

constexpr int kColumns = 7;
constexpr int kRows = 6;

class MonthGridAccessible;

// One day of the grid, known by its place: the date it shows follows the month shown.
class DayCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    DayCellAccessible(MonthGridAccessible *table, int row, int column) : FTable(table), FRow(row), FColumn(column) {}

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    QDate date() const;

private:
    MonthGridAccessible *FTable;
    int FRow;
    int FColumn;
};

class MonthGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit MonthGridAccessible(TkavoMonthGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}
    ~MonthGridAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(FCells))
            QAccessible::deleteAccessibleInterface(id);
    }

    TkavoMonthGrid *grid() const { return static_cast<TkavoMonthGrid *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QLocale().toString(grid()->Date(), QLocale::LongFormat);
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return kRows * kColumns; }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= kRows * kColumns)
            return nullptr;
        return cellAt(index / kColumns, index % kColumns);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (const auto *cell = dynamic_cast<const DayCellAccessible *>(child))
            return cell->rowIndex() * kColumns + cell->columnIndex();
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QDate date = grid()->DateAt(grid()->mapFromGlobal(QPoint(x, y)));
        if (!date.isValid())
            return nullptr;
        const int index = int(firstShown().daysTo(date));
        return child(index);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
            return nullptr;
        const int key = row * kColumns + column;
        auto found = FCells.constFind(key);
        if (found != FCells.constEnd())
            return QAccessible::accessibleInterface(*found);
        auto *cell = new DayCellAccessible(const_cast<MonthGridAccessible *>(this), row, column);
        FCells.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        const int index = int(firstShown().daysTo(grid()->Date()));
        return {cellAt(index / kColumns, index % kColumns)};
    }
    QString columnDescription(int column) const override { return QLocale().dayName(column + 1, QLocale::LongFormat); }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kColumns; }
    int rowCount() const override { return kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    QDate firstShown() const
    {
        const QDate month = grid()->Month();
        return month.addDays(1 - month.dayOfWeek());
    }

private:
    mutable QHash<int, QAccessible::Id> FCells;
};

bool DayCellAccessible::isValid() const
{
    return FTable->isValid();
}

QAccessibleInterface *DayCellAccessible::parent() const
{
    return FTable;
}

QAccessibleInterface *DayCellAccessible::table() const
{
    return FTable;
}

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
