// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// What assistive technology reads of a self-painted grid: a table of cells.

#include "kavocontrols_export.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPoint>

namespace toolkit {

/// A self-painted grid as assistive technology sees it: a table whose cells are made when first
/// asked for and kept.
///
/// Cells stay registered until the table goes, because a screen reader holds on to the ids it
/// was given. Subclasses say how many rows and columns there are and make the cells; no row or
/// column is selectable unless they say otherwise.
///
/// @code
/// struct TBoard : toolkit::TTableAccessible { using TTableAccessible::TTableAccessible; int rowCount() const override;
///     int columnCount() const override; QAccessibleInterface *makeCell(int row, int column) override; };
/// @endcode
///
/// @qtdiff
/// Qt's own table accessibility serves QTableView and its model and is not public; this base
/// gives a widget that paints its grid itself the same QAccessibleTableInterface.
class KAVOCONTROLS_EXPORT TTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit TTableAccessible(QWidget *widget);
    ~TTableAccessible() override;

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    /// The cell at that place, or null outside the table.
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

protected:
    /// A new cell for a place inside the table; the table registers and keeps it.
    virtual QAccessibleInterface *makeCell(int row, int column) = 0;

private:
    // Keyed by (column, row).
    mutable QHash<QPoint, QAccessible::Id> FCells;
};

/// One cell of a TTableAccessible, known only by its place: whatever it shows is read from the
/// table when asked.
///
/// Table is the subclass of TTableAccessible the cell reads from. A subclass gives the cell's
/// text, state and actions.
///
/// @code
/// struct TCell : toolkit::TTableCellAccessible<TBoard> { using TTableCellAccessible::TTableCellAccessible;
///     QString text(QAccessible::Text) const override; /* and rect(), state() */ };
/// @endcode
///
/// @qtdiff
/// Qt's cells of QTableView are not public; this one needs no model, only its table.
template<class Table>
class TTableCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    TTableCellAccessible(Table *table, int row, int column)
        : FTable(table)
        , FRow(row)
        , FColumn(column)
    {
    }

    // QAccessibleInterface
    bool isValid() const override { return FTable->isValid(); }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *parent() const override { return FTable; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this) : nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FColumn; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return FTable; }

protected:
    Table *FTable;
    int FRow;
    int FColumn;
};

} // namespace toolkit
