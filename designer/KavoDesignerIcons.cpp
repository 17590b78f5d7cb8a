// SPDX-License-Identifier: MIT
#include "KavoDesignerIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>
#include <functional>
#include <map>

namespace {

const QColor kFace(0xD4, 0xD0, 0xC8);
const QColor kWhite(Qt::white);
const QColor kShadow(0x80, 0x80, 0x80);
const QColor kDark(0x40, 0x40, 0x40);
const QColor kBlack(Qt::black);
const QColor kRed(0xC8, 0x32, 0x2D);
const QColor kGreen(0x2E, 0x8B, 0x35);
const QColor kSky(0xBF, 0xD8, 0xF2);
const QColor kHill(0x4C, 0x9A, 0x3A);
const QColor kSun(0xF2, 0xC2, 0x30);

// A 16 x 16 grid laid over the icon's pixels. Rectangles snap to whole pixels at every size,
// so edges stay sharp; only slanted shapes are smoothed.
class Grid
{
public:
    Grid(QPainter &painter, const QRect &rect)
        : FPainter(painter)
        , FScale(std::min(rect.width(), rect.height()) / 16.0)
        , FOrigin(rect.x() + (rect.width() - 16 * FScale) / 2, rect.y() + (rect.height() - 16 * FScale) / 2)
    {
    }

    void fill(qreal x, qreal y, qreal w, qreal h, const QColor &color) const
    {
        const int left = pixelX(x), top = pixelY(y);
        // At least one pixel, so a one-unit line survives the smallest size.
        const int right = std::max(pixelX(x + w), left + 1), bottom = std::max(pixelY(y + h), top + 1);
        FPainter.fillRect(QRect(left, top, right - left, bottom - top), color);
    }

    // One-unit edges: top and left in the first colour, bottom and right in the second.
    void frame(qreal x, qreal y, qreal w, qreal h, const QColor &topLeft, const QColor &bottomRight) const
    {
        fill(x, y, w, 1, topLeft);
        fill(x, y, 1, h, topLeft);
        fill(x, y + h - 1, w, 1, bottomRight);
        fill(x + w - 1, y, 1, h, bottomRight);
    }

    void polygon(const QPolygonF &units, const QColor &color) const
    {
        QPolygonF pixels;
        for (const QPointF &point : units)
            pixels << FOrigin + point * FScale;
        FPainter.save();
        FPainter.setRenderHint(QPainter::Antialiasing);
        FPainter.setPen(Qt::NoPen);
        FPainter.setBrush(color);
        FPainter.drawPolygon(pixels);
        FPainter.restore();
    }

    void ellipse(qreal x, qreal y, qreal w, qreal h, const QColor &color) const
    {
        FPainter.save();
        FPainter.setRenderHint(QPainter::Antialiasing);
        FPainter.setPen(Qt::NoPen);
        FPainter.setBrush(color);
        FPainter.drawEllipse(QRectF(FOrigin + QPointF(x, y) * FScale, QSizeF(w, h) * FScale));
        FPainter.restore();
    }

private:
    int pixelX(qreal x) const { return int(std::lround(FOrigin.x() + x * FScale)); }
    int pixelY(qreal y) const { return int(std::lround(FOrigin.y() + y * FScale)); }

    QPainter &FPainter;
    qreal FScale;
    QPointF FOrigin;
};

void checkMark(const Grid &grid, qreal x, qreal y, const QColor &color)
{
    grid.polygon({{x, y + 2.5}, {x + 1.5, y + 4}, {x + 5, y}, {x + 5, y + 1.8}, {x + 1.5, y + 5.5}, {x, y + 4}}, color);
}

void drawLabel(const Grid &grid)
{
    grid.frame(0, 2, 16, 12, kShadow, kWhite);
    grid.fill(1, 3, 14, 10, kFace);
    grid.frame(1, 3, 14, 10, kWhite, kShadow);
    // A caption of two lines, each drawn lit, in shadow and in place.
    for (const auto &[y, w] : {std::pair{5.0, 8.0}, std::pair{9.0, 5.0}}) {
        grid.fill(3, y - 1, w, 2, kWhite);
        grid.fill(5, y + 1, w, 2, kShadow);
        grid.fill(4, y, w, 2, kBlack);
    }
}

void drawSpinEdit(const Grid &grid)
{
    grid.fill(0, 3, 16, 10, kDark);
    grid.fill(1, 4, 14, 8, kWhite);
    grid.fill(3, 7, 5, 2, kBlack);
    grid.fill(10, 4, 5, 8, kFace);
    grid.frame(10, 4, 5, 4, kWhite, kShadow);
    grid.frame(10, 8, 5, 4, kWhite, kShadow);
    grid.polygon({{12.5, 4.8}, {14, 6.8}, {11, 6.8}}, kBlack);
    grid.polygon({{11, 9.2}, {14, 9.2}, {12.5, 11.2}}, kBlack);
}

void drawCheckBox(const Grid &grid)
{
    grid.frame(0, 3, 10, 10, kShadow, kWhite);
    grid.fill(1, 4, 8, 8, kWhite);
    checkMark(grid, 2, 5, kBlack);
    grid.fill(11, 7, 5, 2, kBlack);
}

void drawBitBtn(const Grid &grid)
{
    grid.fill(0, 2, 16, 12, kFace);
    grid.frame(0, 2, 16, 12, kWhite, kDark);
    grid.frame(1, 3, 14, 10, kFace, kShadow);
    checkMark(grid, 2, 5, kGreen);
    grid.fill(9, 7, 4, 2, kBlack);
}

// A drop-down edit: the field, and the side button with the picker's sign.
void drawDropEdit(const Grid &grid, const std::function<void()> &field, const std::function<void()> &sign)
{
    grid.frame(0, 3, 10, 10, kShadow, kWhite);
    grid.fill(1, 4, 8, 8, kWhite);
    grid.fill(10, 3, 6, 10, kFace);
    grid.frame(10, 3, 6, 10, kWhite, kShadow);
    field();
    sign();
}

void drawCalendarSign(const Grid &grid)
{
    grid.fill(11, 5, 4, 2, kRed);
    grid.fill(11, 7, 4, 4, kWhite);
    grid.fill(12, 8, 1, 1, kBlack);
    grid.fill(13, 9, 1, 1, kBlack);
}

void drawCalcEdit(const Grid &grid)
{
    drawDropEdit(
        grid, [&] { grid.fill(3, 7, 4, 2, kBlack); },
        [&] {
            grid.fill(11, 6, 4, 1, kBlack);
            grid.fill(11, 9, 4, 1, kBlack);
        });
}

void drawDateEdit(const Grid &grid)
{
    drawDropEdit(
        grid,
        [&] {
            grid.fill(2, 7, 2, 2, kBlack);
            grid.fill(5, 7, 3, 2, kBlack);
        },
        [&] { drawCalendarSign(grid); });
}

void drawPeriodEdit(const Grid &grid)
{
    drawDropEdit(
        grid,
        // From and to, one above the other.
        [&] {
            grid.fill(2, 5, 5, 2, kBlack);
            grid.fill(2, 9, 5, 2, kBlack);
        },
        [&] { drawCalendarSign(grid); });
}

void drawBitmapView(const Grid &grid)
{
    grid.frame(0, 1, 16, 14, kShadow, kWhite);
    grid.fill(1, 2, 14, 12, kSky);
    grid.ellipse(10, 3, 3.5, 3.5, kSun);
    grid.polygon({{1, 14}, {1, 10}, {5, 6}, {9, 10}, {11, 8}, {15, 12}, {15, 14}}, kHill);
}

using Drawing = void (*)(const Grid &);

const std::map<QString, Drawing> &drawings()
{
    static const std::map<QString, Drawing> table{
        {QStringLiteral("TkavoLabel"), &drawLabel},         {QStringLiteral("TkavoSpinEdit"), &drawSpinEdit},
        {QStringLiteral("TkavoCheckBox"), &drawCheckBox},   {QStringLiteral("TkavoBitBtn"), &drawBitBtn},
        {QStringLiteral("TkavoCalcEdit"), &drawCalcEdit},   {QStringLiteral("TkavoDateEdit"), &drawDateEdit},
        {QStringLiteral("TkavoPeriodEdit"), &drawPeriodEdit}, {QStringLiteral("TkavoBitmapView"), &drawBitmapView},
    };
    return table;
}

class KavoIconEngine : public QIconEngine
{
public:
    explicit KavoIconEngine(Drawing drawing)
        : FDrawing(drawing)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        FDrawing(Grid(*painter, rect));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine *clone() const override { return new KavoIconEngine(FDrawing); }
    QString key() const override { return QStringLiteral("KavoDesignerIcon"); }

    // Drawn at any size; these are the sizes Designer and desktops ask for.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }

private:
    Drawing FDrawing;
};

} // namespace

QIcon KavoDesignerIcon(const QString &className)
{
    const auto found = drawings().find(className);
    if (found == drawings().end())
        return QIcon();
    return QIcon(new KavoIconEngine(found->second));
}
