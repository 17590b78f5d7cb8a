// SPDX-License-Identifier: MIT
#include "DrawGrid.h"

#include "Frame3D.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace toolkit {

TDrawGrid::TDrawGrid(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDrawGrid::setColCount(int count)
{
    count = std::max(count, 1);
    if (count == FColCount)
        return;
    FColCount = count;
    clampMarked();
    update();
}

void TDrawGrid::setRowCount(int count)
{
    count = std::max(count, 1);
    if (count == FRowCount)
        return;
    FRowCount = count;
    clampMarked();
    update();
}

void TDrawGrid::setDefaultColWidth(int width)
{
    width = std::max(width, 1);
    if (width == FColWidth)
        return;
    FColWidth = width;
    update();
}

void TDrawGrid::setDefaultRowHeight(int height)
{
    height = std::max(height, 1);
    if (height == FRowHeight)
        return;
    FRowHeight = height;
    update();
}

void TDrawGrid::setMarkedCell(int col, int row)
{
    const QPoint marked(std::clamp(col, 0, FColCount - 1), std::clamp(row, 0, FRowCount - 1));
    if (marked == FMarked)
        return;
    invalidateCell(FMarked.x(), FMarked.y());
    FMarked = marked;
    invalidateCell(FMarked.x(), FMarked.y());
    Q_EMIT markedCellChanged(FMarked);
}

void TDrawGrid::setMarkedAlwaysReported(bool reported)
{
    if (reported == FMarkedAlwaysReported)
        return;
    FMarkedAlwaysReported = reported;
    invalidateCell(FMarked.x(), FMarked.y());
}

void TDrawGrid::setGridLineColor(const QColor &color)
{
    if (color == FGridLineColor)
        return;
    FGridLineColor = color;
    update();
}

QRect TDrawGrid::cellRect(int col, int row) const
{
    return {BorderWidth + col * (FColWidth + GridLineWidth), BorderWidth + row * (FRowHeight + GridLineWidth),
            FColWidth, FRowHeight};
}

QPoint TDrawGrid::mouseToCell(QPoint pos) const
{
    auto cellAt = [](int offset, int size, int count) {
        if (offset < 0)
            return -1;
        const int index = offset / (size + GridLineWidth);
        return index < count ? index : -1;
    };
    return {cellAt(pos.x() - BorderWidth, FColWidth, FColCount), cellAt(pos.y() - BorderWidth, FRowHeight, FRowCount)};
}

void TDrawGrid::invalidateCell(int col, int row)
{
    update(cellRect(col, row));
}

QSize TDrawGrid::sizeHint() const
{
    return {2 * BorderWidth + FColCount * (FColWidth + GridLineWidth),
            2 * BorderWidth + FRowCount * (FRowHeight + GridLineWidth)};
}

void TDrawGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRegion &region = event->region();

    QRect frame = rect();
    const QPalette &pal = palette();
    // The classic sunken edge: shadow over dark shadow at the top left, light over highlight
    // at the bottom right.
    Frame3D(painter, frame, pal.color(QPalette::Dark), pal.color(QPalette::Light), 1);
    Frame3D(painter, frame, pal.color(QPalette::Shadow), pal.color(QPalette::Midlight), 1);

    painter.setClipRect(frame, Qt::IntersectClip);
    painter.fillRect(event->rect() & frame, FColor);

    // Only the cells the region touches: a moved marker repaints two cells, not the board.
    const QRect bounds = event->rect();
    const QPoint first = mouseToCell(bounds.topLeft());
    const int firstCol = bounds.left() < BorderWidth ? 0 : first.x();
    const int firstRow = bounds.top() < BorderWidth ? 0 : first.y();
    if (firstCol < 0 || firstRow < 0)
        return; // the region lies beyond the last cell: background only
    const bool showMark = FMarkedAlwaysReported || hasFocus();
    for (int row = firstRow; row < FRowCount; ++row) {
        const QRect rowRect = cellRect(0, row);
        if (rowRect.top() > bounds.bottom())
            break;
        for (int col = firstCol; col < FColCount; ++col) {
            const QRect cell = cellRect(col, row);
            if (cell.left() > bounds.right())
                break;
            const QRect withLines = cell.adjusted(0, 0, GridLineWidth, GridLineWidth);
            if (!region.intersects(withLines))
                continue;
            painter.fillRect(cell.right() + 1, cell.top(), GridLineWidth, cell.height() + GridLineWidth, FGridLineColor);
            painter.fillRect(cell.left(), cell.bottom() + 1, cell.width(), GridLineWidth, FGridLineColor);
            // No save and restore around the handler: it costs more than the cell's text on a
            // full repaint, and the grid's own lines are filled with explicit colours, so
            // nothing of ours depends on what a handler leaves in the painter.
            if (FDrawCell)
                FDrawCell(painter, col, row, cell, showMark && FMarked == QPoint(col, row));
        }
    }
}

void TDrawGrid::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->position().toPoint(), event->modifiers());
}

void TDrawGrid::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    Q_EMIT mousePressed(event->button(), event->modifiers(), event->position().toPoint());
}

void TDrawGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

void TDrawGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    invalidateCell(FMarked.x(), FMarked.y());
}

void TDrawGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    invalidateCell(FMarked.x(), FMarked.y());
}

void TDrawGrid::clampMarked()
{
    const QPoint marked(std::clamp(FMarked.x(), 0, FColCount - 1), std::clamp(FMarked.y(), 0, FRowCount - 1));
    if (marked == FMarked)
        return;
    FMarked = marked;
    Q_EMIT markedCellChanged(FMarked);
}

} // namespace toolkit
