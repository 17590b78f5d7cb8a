// SPDX-License-Identifier: MIT
#include "KvGraph.h"

#include "Canvas.h"
#include "Colors.h"
#include "Frame3D.h"

#include <QPainter>

namespace {

// The drawing works on a buffer of this many characters.
constexpr qsizetype kTextBuffer = 255;

void drawText(QPainter &canvas, const QString &text, QRect rect, unsigned format)
{
    toolkit::DrawText(canvas, text.left(kTextBuffer), rect, format);
}

} // namespace

int CenterTop(QRect rect, int h)
{
    // Integer division truncates toward zero, as the rule asks.
    return rect.top() + (rect.height() - h) / 2;
}

int CenterLeft(QRect rect, int w)
{
    return rect.left() + (rect.width() - w) / 2;
}

void DrawAlignedText(QPainter &canvas, const QString &text, QRect rect, toolkit::TAlignment alignment)
{
    drawText(canvas, text, rect, toolkit::alignmentFormat(alignment));
}

void DrawWrappedText(QPainter &canvas, const QString &text, QRect rect, toolkit::TAlignment alignment)
{
    drawText(canvas, text, rect, toolkit::alignmentFormat(alignment) | toolkit::DT_WORDBREAK);
}

void PaintFlatEditFrame(QPainter &painter, QRect r, const QPalette &pal, bool hot, bool enabled)
{
    using namespace toolkit;
    const QColor accent = hot ? QColor(Qt::black) : clBtnFace.resolve(pal);
    const QColor inner = (enabled ? clWindow : clBtnFace).resolve(pal);
    // The sunken outer ring; r shrinks by one.
    Frame3D(painter, r, clBtnShadow.resolve(pal), clBtnHighlight.resolve(pal), 1);
    // The accent along the top and left of the second ring, stopping short of its far corners.
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, accent);
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, accent);
    // The bottom and right of the second ring.
    const QColor light = cl3DLight.resolve(pal);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, light);
    painter.fillRect(r.right(), r.top(), 1, r.height(), light);
    // The third ring.
    r.adjust(1, 1, -1, -1);
    if (r.width() > 0 && r.height() > 0) {
        painter.fillRect(r.left(), r.top(), r.width(), 1, inner);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, inner);
        painter.fillRect(r.left(), r.top(), 1, r.height(), inner);
        painter.fillRect(r.right(), r.top(), 1, r.height(), inner);
    }
}
