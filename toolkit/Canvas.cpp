// SPDX-License-Identifier: MIT
#include "Canvas.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace toolkit {

namespace {

// Room for any text in a direction that does not limit it.
constexpr int kUnbounded = 1 << 20;

int qtFlags(unsigned format)
{
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    // The vertical placements apply to a single line only, as on the desktop.
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        flags |= Qt::AlignVCenter;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    flags |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    return flags;
}

} // namespace

int DrawText(QPainter &painter, const QString &text, QRect &rect, unsigned format)
{
    if (text.isEmpty()) {
        if (format & DT_CALCRECT)
            rect.setSize({0, 0});
        return 0;
    }
    const int flags = qtFlags(format);
    if (format & DT_CALCRECT) {
        const QFontMetrics metrics(painter.font(), painter.device());
        // Without word breaks only the text decides the width; a wrapped text wraps at rect's
        // width, which must not be empty for the layout to wrap at all.
        QRect room = rect;
        if (!(format & DT_WORDBREAK) || room.width() <= 0)
            room.setWidth(kUnbounded);
        room.setHeight(kUnbounded);
        // Measured from the left: a centred or right-aligned layout would start on a fraction of
        // a pixel and round to one pixel more.
        const int measureFlags = (flags & ~(Qt::TextDontClip | Qt::AlignHorizontal_Mask)) | Qt::AlignLeft;
        const QRect extent = metrics.boundingRect(room, measureFlags, text);
        rect.setSize(extent.size());
        return extent.height();
    }
    QRect drawn;
    painter.drawText(rect, flags, text, &drawn);
    return drawn.height();
}

void DrawFocusRect(QPainter &painter, const QRect &rect)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    const QBrush brush(Qt::black);
    auto dot = [&](int x, int y) {
        if (((x - rect.left()) + (y - rect.top())) % 2 == 0)
            painter.fillRect(x, y, 1, 1, brush);
    };
    for (int x = rect.left(); x <= rect.right(); ++x) {
        dot(x, rect.top());
        if (rect.bottom() != rect.top())
            dot(x, rect.bottom());
    }
    for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
        dot(rect.left(), y);
        if (rect.right() != rect.left())
            dot(rect.right(), y);
    }
    painter.restore();
}

namespace {

QImage screenImage()
{
    QImage image(1, 1, QImage::Format_RGB32);
    // Fonts given in points measure as on the screen only at the screen's resolution.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const int dotsPerMeterX = qRound(screen->logicalDotsPerInchX() / 0.0254);
        const int dotsPerMeterY = qRound(screen->logicalDotsPerInchY() / 0.0254);
        image.setDotsPerMeterX(dotsPerMeterX);
        image.setDotsPerMeterY(dotsPerMeterY);
    }
    return image;
}

} // namespace

TScreenCanvas::TScreenCanvas(const QFont &font)
    : FImage(screenImage())
    , FPainter(&FImage)
{
    FPainter.setFont(font);
}

} // namespace toolkit
