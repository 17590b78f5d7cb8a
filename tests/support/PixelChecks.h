// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <initializer_list>

// One pixel a test expects: where, and in which colour.
struct TExpectedPixel
{
    QPoint at;
    QRgb colour;
};

// The expected pixels the image does not show, one line each: empty when all match. A test
// writes QCOMPARE(pixelMismatches(image, {...}), QString()), and a failure names every pixel
// that differs, not only the first.
inline QString pixelMismatches(const QImage &image, std::initializer_list<TExpectedPixel> expected)
{
    QString mismatches;
    for (const TExpectedPixel &pixel : expected) {
        const QRgb actual = image.pixel(pixel.at);
        if (actual != pixel.colour)
            mismatches += QStringLiteral("(%1,%2) is #%3, expected #%4\n")
                              .arg(pixel.at.x())
                              .arg(pixel.at.y())
                              .arg(actual, 8, 16, QLatin1Char('0'))
                              .arg(pixel.colour, 8, 16, QLatin1Char('0'));
    }
    return mismatches;
}
