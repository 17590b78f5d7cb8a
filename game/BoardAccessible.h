// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPoint>

class TfNumbrax;

// The board as assistive technology sees it: a table of N rows and N columns whose cells are
// named by what they show, the current cell being the focused one. A cell's press action takes
// it the way moving there and pressing would, when the game accepts that pick.
class TBoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    // The words for cells without a number.
    static QString takenName() { return QStringLiteral("занято"); }
    static QString blankName() { return QStringLiteral("пусто"); }

    explicit TBoardAccessible(TfNumbrax &window);
    ~TBoardAccessible() override;

    // Installs the factory that gives every main window's board this interface (once).
    static void install();
    // Tells assistive technology that the current cell moved, or that a cell now shows
    // something else. Nothing happens while no assistive technology listens.
    static void currentCellMoved(TfNumbrax &window);
    static void cellChanged(TfNumbrax &window, int col, int row);
    static void boardResized(TfNumbrax &window);

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

    TfNumbrax &mainWindow() const { return FWindow; }

private:
    TfNumbrax &FWindow;
    // Cells are made when first asked for and kept, registered, until the board goes: a
    // screen reader holds on to the ids it was given.
    mutable QHash<QPoint, QAccessible::Id> FCells;
};
