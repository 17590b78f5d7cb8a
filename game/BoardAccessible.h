// SPDX-License-Identifier: MIT
#pragma once

#include "TableAccessible.h"

class TfNumbrax;

// The board as assistive technology sees it: a table of N rows and N columns whose cells are
// named by what they show, the current cell being the focused one. A cell's press action takes
// it the way moving there and pressing would, when the game accepts that pick.
class TBoardAccessible : public toolkit::TTableAccessible
{
public:
    // The words for cells without a number.
    static QString takenName() { return QStringLiteral("занято"); }
    static QString blankName() { return QStringLiteral("пусто"); }
    // Added to the name of the cell a hint marks, while the hint stands.
    static QString hintWord() { return QStringLiteral("подсказка"); }

    explicit TBoardAccessible(TfNumbrax &window);

    // Installs the factory that gives every main window's board this interface (once).
    static void install();
    // Tells assistive technology that the current cell moved, or that a cell now shows
    // something else. Nothing happens while no assistive technology listens.
    static void currentCellMoved(TfNumbrax &window);
    static void cellChanged(TfNumbrax &window, int col, int row);
    static void boardResized(TfNumbrax &window);

    // QAccessibleInterface
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTableInterface
    int columnCount() const override;
    int rowCount() const override;

    TfNumbrax &mainWindow() const { return FWindow; }

protected:
    QAccessibleInterface *makeCell(int row, int column) override;

private:
    TfNumbrax &FWindow;
};
