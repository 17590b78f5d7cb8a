// SPDX-License-Identifier: MIT
#include "BoardAccessible.h"

#include "DrawGrid.h"
#include "f_Numbrax.h"

#include <QWidget>

namespace {

// One cell of the board. It holds only its place; everything else is read from the game when
// asked, so a cell beyond a board that has since been made smaller just becomes invalid.
class TBoardCellAccessible : public QAccessibleInterface,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface
{
public:
    TBoardCellAccessible(TBoardAccessible *table, QPoint cell)
        : FTable(table)
        , FCell(cell)
    {
    }

    bool isValid() const override
    {
        const int n = FTable->mainWindow().game().BoardSize();
        return FCell.x() < n && FCell.y() < n;
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return FTable->mainWindow().windowHandle(); }
    QAccessibleInterface *parent() const override { return FTable; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        const std::string &text = FTable->mainWindow().game().board().text(FCell.x(), FCell.y());
        if (text.empty())
            return TBoardAccessible::blankName();
        if (text == "0")
            return TBoardAccessible::takenName();
        return QString::fromStdString(text);
    }

    QRect rect() const override
    {
        const toolkit::TDrawGrid *grid = FTable->mainWindow().sgr;
        const QRect r = grid->cellRect(FCell.x(), FCell.y());
        return QRect(grid->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const toolkit::TDrawGrid *grid = FTable->mainWindow().sgr;
        s.focusable = true;
        s.focused = grid->hasFocus() && isCurrent();
        s.invisible = !grid->isVisible();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FCell.x(); }
    int rowIndex() const override { return FCell.y(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return FTable; }

    // QAccessibleActionInterface: only a cell the player could take now offers the press.
    QStringList actionNames() const override
    {
        const numbrax::TNumbraxGame &game = FTable->mainWindow().game();
        if (!isValid() || !game.GameActive() || game.Busy())
            return {};
        return {pressAction()};
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    void doAction(const QString &name) override
    {
        if (name != pressAction() || actionNames().isEmpty())
            return;
        TfNumbrax &w = FTable->mainWindow();
        numbrax::TNumbraxGame &game = w.game();
        const QPoint before(game.CurCol(), game.CurRow());
        // The pointer's own rule decides whether this cell can be reached; one it projects
        // elsewhere is not the cell asked for, and the current cell goes back.
        game.PointerMove(FCell.x(), FCell.y());
        if (!isCurrent()) {
            game.PointerMove(before.x(), before.y());
            return;
        }
        w.sgr->setMarkedCell(FCell.x(), FCell.y());
        game.Press();
    }

private:
    bool isCurrent() const
    {
        const numbrax::TNumbraxGame &game = FTable->mainWindow().game();
        return game.CurCol() == FCell.x() && game.CurRow() == FCell.y();
    }

    TBoardAccessible *FTable;
    QPoint FCell;
};

QAccessibleInterface *boardFactory(const QString &className, QObject *object)
{
    if (className != QLatin1String(toolkit::TDrawGrid::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    auto *window = qobject_cast<TfNumbrax *>(static_cast<QWidget *>(object)->window());
    if (!window || window->sgr != object)
        return nullptr;
    return new TBoardAccessible(*window);
}

} // namespace

TBoardAccessible::TBoardAccessible(TfNumbrax &window)
    : QAccessibleWidget(window.sgr, QAccessible::Table)
    , FWindow(window)
{
}

TBoardAccessible::~TBoardAccessible()
{
    for (QAccessible::Id id : std::as_const(FCells))
        QAccessible::deleteAccessibleInterface(id);
}

void TBoardAccessible::install()
{
    QAccessible::installFactory(boardFactory);
}

void *TBoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TBoardAccessible::columnCount() const
{
    return FWindow.game().BoardSize();
}

int TBoardAccessible::rowCount() const
{
    return FWindow.game().BoardSize();
}

int TBoardAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *TBoardAccessible::cellAt(int row, int column) const
{
    const int n = FWindow.game().BoardSize();
    if (row < 0 || column < 0 || row >= n || column >= n)
        return nullptr;
    const QPoint cell(column, row);
    if (const auto found = FCells.constFind(cell); found != FCells.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto *iface = new TBoardCellAccessible(const_cast<TBoardAccessible *>(this), cell);
    FCells.insert(cell, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

QAccessibleInterface *TBoardAccessible::child(int index) const
{
    const int n = columnCount();
    if (index < 0 || index >= n * n)
        return nullptr;
    return cellAt(index / n, index % n);
}

int TBoardAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || child->parent() != this || child->role() != QAccessible::Cell)
        return -1;
    auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
    if (!cell || !child->isValid())
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface *TBoardAccessible::childAt(int x, int y) const
{
    const toolkit::TDrawGrid *grid = FWindow.sgr;
    const QPoint cell = grid->mouseToCell(grid->mapFromGlobal(QPoint(x, y)));
    return cellAt(cell.y(), cell.x());
}

QAccessibleInterface *TBoardAccessible::focusChild() const
{
    if (!FWindow.sgr->hasFocus())
        return nullptr;
    const QPoint marked = FWindow.sgr->markedCell();
    return cellAt(marked.y(), marked.x());
}

QString TBoardAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = QAccessibleWidget::text(t);
        return name.isEmpty() ? QStringLiteral("Игровое поле") : name;
    }
    return QAccessibleWidget::text(t);
}

void TBoardAccessible::currentCellMoved(TfNumbrax &window)
{
    if (!QAccessible::isActive() || !window.sgr->hasFocus())
        return;
    const QPoint marked = window.sgr->markedCell();
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(window.sgr);
    if (QAccessibleInterface *cell = table ? table->tableInterface()->cellAt(marked.y(), marked.x()) : nullptr) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void TBoardAccessible::cellChanged(TfNumbrax &window, int col, int row)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(window.sgr);
    if (QAccessibleInterface *cell = table ? table->tableInterface()->cellAt(row, col) : nullptr) {
        QAccessibleEvent changed(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void TBoardAccessible::boardResized(TfNumbrax &window)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent reset(window.sgr, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}
