// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QSet>
#include <QString>
#include <QtMath>

// Checks on pictures painted for a screen of a device pixel ratio above 1. Images are read in
// device pixels.
namespace RatioPixels {

// The device pixels that a logical rectangle covers at ratio.
inline QRect deviceRect(const QRect &logical, qreal ratio)
{
    const int left = qRound(logical.left() * ratio);
    const int top = qRound(logical.top() * ratio);
    return {left, top, qRound((logical.left() + logical.width()) * ratio) - left,
            qRound((logical.top() + logical.height()) * ratio) - top};
}

inline QSet<QRgb> colours(const QImage &image, const QRect &area)
{
    QSet<QRgb> found;
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    const QRect inside = area.intersected(rgb.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            found.insert(rgb.pixel(x, y));
    return found;
}

// A colour of area that is not among allowed, in words; empty when there is none. A blurred or
// smoothed picture makes colours between its own.
inline QString strangeColour(const QImage &image, const QRect &area, const QSet<QRgb> &allowed)
{
    for (const QRgb colour : colours(image, area)) {
        if (!allowed.contains(colour))
            return QStringLiteral("colour #%1 is not the picture's").arg(colour, 8, 16, QLatin1Char('0'));
    }
    return {};
}

// True when some 2 x 2 block of device pixels, aligned to even coordinates of area, holds more
// than one colour: the picture has detail finer than a logical pixel doubled.
inline bool hasDetailBelowTwoPixels(const QImage &image, const QRect &area)
{
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2) {
        for (int x = area.left(); x + 1 <= area.right(); x += 2) {
            const QRgb p = rgb.pixel(x, y);
            if (rgb.pixel(x + 1, y) != p || rgb.pixel(x, y + 1) != p || rgb.pixel(x + 1, y + 1) != p)
                return true;
        }
    }
    return false;
}

} // namespace RatioPixels
