// SPDX-License-Identifier: MIT
#include "KvGraph.h"

#include "Canvas.h"

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
