// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <functional>

namespace toolkit {

// A grid of equal cells painted by its owner: a sunken 2-pixel border, cells of the default
// width and height each followed by a 1-pixel grid line, and a marked cell. It keeps no cell
// contents; a draw-cell handler paints each cell. Keys do nothing on it: its owner reads them.
class TDrawGrid : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int colCount READ colCount WRITE setColCount)
    Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
    Q_PROPERTY(int defaultColWidth READ defaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int defaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)

public:
    static constexpr int BorderWidth = 2;
    static constexpr int GridLineWidth = 1;

    // Paints one cell. rect is the cell's rectangle; markedFocused is true for the marked cell
    // while the grid has the keyboard focus, or at any time while the mark is kept in sight.
    // The handler sets the pen, brush and font it paints with: the painter carries them from one
    // cell to the next.
    using DrawCellHandler = std::function<void(QPainter &painter, int col, int row, const QRect &rect, bool markedFocused)>;

    explicit TDrawGrid(QWidget *parent = nullptr);

    int colCount() const { return FColCount; }
    void setColCount(int count);
    int rowCount() const { return FRowCount; }
    void setRowCount(int count);
    int defaultColWidth() const { return FColWidth; }
    void setDefaultColWidth(int width);
    int defaultRowHeight() const { return FRowHeight; }
    void setDefaultRowHeight(int height);

    // The marked cell; always on the grid (a changed size brings it back on).
    QPoint markedCell() const { return FMarked; }
    void setMarkedCell(int col, int row);

    // Tells the draw-cell handler which cell is marked also while the grid is not focused; the
    // handler then decides whether to show it.
    bool markedAlwaysReported() const { return FMarkedAlwaysReported; }
    void setMarkedAlwaysReported(bool reported);

    QColor color() const { return FColor; }
    QColor gridLineColor() const { return FGridLineColor; }
    void setGridLineColor(const QColor &color);

    const DrawCellHandler &drawCellHandler() const { return FDrawCell; }
    void setDrawCellHandler(DrawCellHandler handler) { FDrawCell = std::move(handler); }

    // The cell's rectangle in widget coordinates (grid line excluded).
    QRect cellRect(int col, int row) const;
    // The cell under a point; each coordinate is -1 when the point lies outside every cell in
    // that direction. A grid line belongs to the cell before it.
    QPoint mouseToCell(QPoint pos) const;
    // Repaints one cell.
    void invalidateCell(int col, int row);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {0, 0}; }

Q_SIGNALS:
    void mouseMoved(QPoint pos, Qt::KeyboardModifiers modifiers);
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void resized();
    void markedCellChanged(QPoint cell);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void clampMarked();

    int FColCount = 5;
    int FRowCount = 5;
    int FColWidth = 64;
    int FRowHeight = 24;
    QPoint FMarked{0, 0};
    bool FMarkedAlwaysReported = false;
    QColor FColor{255, 255, 255};
    QColor FGridLineColor{192, 192, 192};
    DrawCellHandler FDrawCell;
};

} // namespace toolkit
