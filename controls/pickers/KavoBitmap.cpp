// SPDX-License-Identifier: MIT
#include "KavoBitmap.h"

#include "Colors.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

TkavoBitmap::TkavoBitmap(const QImage &image)
{
    setImage(image);
}

void TkavoBitmap::setImage(const QImage &image)
{
    FImage = image.convertToFormat(QImage::Format_ARGB32);
    FImage.setDevicePixelRatio(1);
    FImage2x = QImage();
    FTransparent = FImage.isNull() ? QColor() : QColor::fromRgb(FImage.pixel(0, FImage.height() - 1));
}

void TkavoBitmap::setImage2x(const QImage &image)
{
    if (image.size() != FImage.size() * 2)
        return;
    FImage2x = image.convertToFormat(QImage::Format_ARGB32);
}

void TkavoBitmap::setTransparentColor(const QColor &color)
{
    FTransparent = color;
}

QImage TkavoBitmap::applyMask(const QImage &image, const QColor &transparent)
{
    QImage result = image;
    if (!transparent.isValid())
        return result;
    const QRgb key = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
    }
    return result;
}

QImage TkavoBitmap::masked(qreal ratio) const
{
    QImage result;
    if (ratio >= 1.5 && !FImage2x.isNull()) {
        result = applyMask(FImage2x, FTransparent);
        result.setDevicePixelRatio(2);
        return result;
    }
    // Whole multiples of each pixel keep edges sharp; a fractional ratio rounds down to the
    // nearest whole one and leaves the last step to the painter.
    const int factor = std::max(1, int(std::floor(ratio)));
    result = applyMask(FImage, FTransparent);
    if (factor > 1)
        result = result.scaled(result.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    result.setDevicePixelRatio(factor);
    return result;
}

void TkavoBitmap::Draw(QPainter &painter, QPoint topLeft) const
{
    if (isNull())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawImage(topLeft, masked(ratio));
}

void TkavoBitmap::DrawDisabled(QPainter &painter, QPoint topLeft, const QPalette &palette) const
{
    if (isNull())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage source = masked(ratio);
    // The shape is the pixels darker than light grey: a bitmap's light fill would otherwise
    // turn into one solid blot.
    auto shape = [&source](const QColor &color) {
        QImage result(source.size(), QImage::Format_ARGB32);
        result.fill(Qt::transparent);
        const QRgb rgb = color.rgb();
        for (int y = 0; y < source.height(); ++y) {
            const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
            for (int x = 0; x < source.width(); ++x)
                if (qAlpha(in[x]) > 127 && qGray(in[x]) < 192)
                    out[x] = rgb;
        }
        result.setDevicePixelRatio(source.devicePixelRatio());
        return result;
    };
    painter.drawImage(topLeft + QPoint(1, 1), shape(toolkit::clBtnHighlight.resolve(palette)));
    painter.drawImage(topLeft, shape(toolkit::clBtnShadow.resolve(palette)));
}

void TkavoBitmap::DrawScaled(QPainter &painter, const QRect &target) const
{
    if (isNull() || target.isEmpty())
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QSize pixels(qRound(target.width() * ratio), qRound(target.height() * ratio));
    const QImage source = ratio >= 1.5 && !FImage2x.isNull() ? applyMask(FImage2x, FTransparent)
                                                              : applyMask(FImage, FTransparent);
    QImage scaled = source.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    scaled.setDevicePixelRatio(ratio);
    painter.drawImage(target.topLeft(), scaled);
}
