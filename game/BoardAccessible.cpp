// SPDX-License-Identifier: MIT
#include "BoardAccessible.h"

#include "DrawGrid.h"
#include "f_Numbrax.h"

#include <QWidget>

namespace {

// One cell of the board. It holds only its place; everything else is read from the game when
// asked, so a cell beyond a board that has since been made smaller just becomes invalid.
class TBoardCellAccessible : public toolkit::TTableCellAccessible<TBoardAccessible>, public QAccessibleActionInterface
{
public:
    using TTableCellAccessible::TTableCellAccessible;

    bool isValid() const override
    {
        const int n = FTable->mainWindow().game().BoardSize();
        return FColumn < n && FRow < n;
    }
    QWindow *window() const override { return FTable->mainWindow().windowHandle(); }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        const std::string &text = FTable->mainWindow().game().board().text(FColumn, FRow);
        if (text.empty())
            return TBoardAccessible::blankName();
        if (text == "0")
            return TBoardAccessible::takenName();
        if (FTable->mainWindow().hint() == numbrax::Cell{FColumn, FRow})
            return QString::fromStdString(text) + QStringLiteral(", ") + TBoardAccessible::hintWord();
        return QString::fromStdString(text);
    }

    QRect rect() const override
    {
        const toolkit::TDrawGrid *grid = FTable->mainWindow().sgr;
        const QRect r = grid->cellRect(FColumn, FRow);
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
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return TTableCellAccessible::interface_cast(type);
    }

    // QAccessibleActionInterface: only a cell the player could take now offers the press.
    QStringList actionNames() const override
    {
        const numbrax::TNumbraxGame &game = FTable->mainWindow().game();
        if (!isValid() || !game.GameActive() || game.Busy() || FTable->mainWindow().thinking())
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
        game.PointerMove(FColumn, FRow);
        if (!isCurrent()) {
            game.PointerMove(before.x(), before.y());
            return;
        }
        w.sgr->setMarkedCell(FColumn, FRow);
        w.pickCurrentCell();
    }

private:
    bool isCurrent() const
    {
        const numbrax::TNumbraxGame &game = FTable->mainWindow().game();
        return game.CurCol() == FColumn && game.CurRow() == FRow;
    }
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
    : TTableAccessible(window.sgr)
    , FWindow(window)
{
}

void TBoardAccessible::install()
{
    QAccessible::installFactory(boardFactory);
}

int TBoardAccessible::columnCount() const
{
    return FWindow.game().BoardSize();
}

int TBoardAccessible::rowCount() const
{
    return FWindow.game().BoardSize();
}

QAccessibleInterface *TBoardAccessible::makeCell(int row, int column)
{
    return new TBoardCellAccessible(this, row, column);
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
