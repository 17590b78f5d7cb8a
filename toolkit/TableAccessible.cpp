// SPDX-License-Identifier: MIT
#include "TableAccessible.h"

namespace toolkit {

TTableAccessible::TTableAccessible(QWidget *widget)
    : QAccessibleWidget(widget, QAccessible::Table)
{
}

TTableAccessible::~TTableAccessible()
{
    for (const QAccessible::Id id : std::as_const(FCells))
        QAccessible::deleteAccessibleInterface(id);
}

void *TTableAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *TTableAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || index >= rowCount() * columns)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int TTableAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->parent() != this || child->role() != QAccessible::Cell)
        return -1;
    auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
    if (!cell || !child->isValid())
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TTableAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const QPoint place(column, row);
    if (const auto found = FCells.constFind(place); found != FCells.constEnd())
        return QAccessible::accessibleInterface(*found);
    QAccessibleInterface *cell = const_cast<TTableAccessible *>(this)->makeCell(row, column);
    FCells.insert(place, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

} // namespace toolkit
