// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QSet>
#include <QtMath>

// Checks on pictures painted for a screen of a device pixel ratio above 1, read in device pixels.
namespace RatioPixels {

// The device pixels that a logical rectangle covers at ratio.
inline QRect deviceRect(const QRect &logical, qreal ratio)
{
    const QPoint topLeft(qRound(logical.left() * ratio), qRound(logical.top() * ratio));
    return {topLeft, QPoint(qRound((logical.right() + 1) * ratio) - 1, qRound((logical.bottom() + 1) * ratio) - 1)};
}

inline QSet<QRgb> colours(const QImage &image, const QRect &area)
{
    QSet<QRgb> found;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QRect inside = area.intersected(argb.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            found.insert(argb.pixel(x, y));
    return found;
}

// True when some 2 x 2 block of device pixels, aligned to area's corner, holds two colours:
// the picture has detail finer than its logical pixels doubled.
inline bool hasFineDetail(const QImage &image, const QRect &area)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = area.top(); y < area.bottom(); y += 2)
        for (int x = area.left(); x < area.right(); x += 2)
            if (colours(argb, QRect(x, y, 2, 2)).size() > 1)
                return true;
    return false;
}

} // namespace RatioPixels
