// SPDX-License-Identifier: MIT
#pragma once

#include "kavopickers_export.h"

#include <QColor>
#include <QImage>
#include <QPalette>

class QPainter;

// A picture with a transparent colour, drawn normal, disabled (embossed) or scaled, and crisp
// at any device pixel ratio: a 2x picture is used where the screen has twice the pixels, and
// without one each pixel becomes a block of whole screen pixels, never a blur.
class KAVOPICKERS_EXPORT TkavoBitmap
{
public:
    TkavoBitmap() = default;
    // The transparent colour is the bottom-left pixel's, as the desktop's bitmaps have it.
    explicit TkavoBitmap(const QImage &image);

    bool isNull() const { return FImage.isNull(); }
    // The size in device-independent pixels: the 1x picture's.
    QSize size() const { return FImage.size(); }

    const QImage &image() const { return FImage; }
    // Takes the transparent colour from the bottom-left pixel unless one is set afterwards.
    void setImage(const QImage &image);
    // A picture of twice the size for ratio-2 screens; ignored unless it is exactly that size.
    void setImage2x(const QImage &image);
    QColor TransparentColor() const { return FTransparent; }
    // An invalid colour makes every pixel opaque.
    void setTransparentColor(const QColor &color);

    // Draws at topLeft, in logical pixels.
    void Draw(QPainter &painter, QPoint topLeft) const;
    // The disabled look, as the check box draws a disabled caption: the dark pixels' shape in
    // highlight one pixel down and right, then in shadow over it.
    void DrawDisabled(QPainter &painter, QPoint topLeft, const QPalette &palette) const;
    // Stretches the picture over target, pixel by pixel (no smoothing).
    void DrawScaled(QPainter &painter, const QRect &target) const;

private:
    // The picture masked and sized for a device pixel ratio.
    QImage masked(qreal ratio) const;
    static QImage applyMask(const QImage &image, const QColor &transparent);

    QImage FImage;
    QImage FImage2x;
    QColor FTransparent;
};
