// SPDX-License-Identifier: MIT
#include "KavoBitmap.h"

#include "Colors.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

namespace {

// A bitmap view is a picture to assistive technology, named by its accessible name or, without
// one, by its tool tip.
class BitmapViewAccessible : public QAccessibleWidget
{
public:
    explicit BitmapViewAccessible(QWidget *view)
        : QAccessibleWidget(view, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *BitmapViewAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TkavoBitmapView") && object && object->isWidgetType())
        return new BitmapViewAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// The size a new view has, as the toolkit's picture control has it.
constexpr QSize kDesignSize(105, 105);

} // namespace

TkavoBitmapView::TkavoBitmapView(QWidget *parent)
    : QWidget(parent)
{
    static const bool accessible = (QAccessible::installFactory(BitmapViewAccessibleFactory), true);
    Q_UNUSED(accessible);
    resize(kDesignSize);
}

void TkavoBitmapView::setBitmap(const TkavoBitmap &bitmap)
{
    FBitmap = bitmap;
    FPicture = QPixmap::fromImage(bitmap.image());
    FTransparent = bitmap.TransparentColor().isValid();
    updateGeometry();
    update();
}

void TkavoBitmapView::setPicture(const QPixmap &picture)
{
    if (picture.cacheKey() == FPicture.cacheKey() && picture.isNull() == FPicture.isNull())
        return;
    FPicture = picture;
    if (picture.isNull()) {
        FBitmap = TkavoBitmap();
    } else if (picture.devicePixelRatio() >= 2) {
        const QImage large = picture.toImage();
        FBitmap = TkavoBitmap(large.scaled(large.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        FBitmap.setImage2x(large);
    } else {
        FBitmap = TkavoBitmap(picture.toImage());
    }
    applyTransparency();
    updateGeometry();
    update();
}

void TkavoBitmapView::applyTransparency()
{
    if (FBitmap.isNull())
        return;
    const QImage &image = FBitmap.image();
    FBitmap.setTransparentColor(FTransparent ? QColor::fromRgb(image.pixel(0, image.height() - 1)) : QColor());
}

void TkavoBitmapView::setCenter(bool center)
{
    if (center == FCenter)
        return;
    FCenter = center;
    update();
}

void TkavoBitmapView::setStretch(bool stretch)
{
    if (stretch == FStretch)
        return;
    FStretch = stretch;
    update();
}

void TkavoBitmapView::setTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    applyTransparency();
    update();
}

QSize TkavoBitmapView::sizeHint() const
{
    return FBitmap.isNull() ? kDesignSize : FBitmap.size();
}

void TkavoBitmapView::paintEvent(QPaintEvent *)
{
    if (FBitmap.isNull())
        return;
    QPainter painter(this);
    if (FStretch) {
        if (isEnabled()) {
            FBitmap.DrawScaled(painter, rect());
            return;
        }
        // The disabled look at the picture's own size, then stretched pixel by pixel like the
        // picture itself; the look reaches one pixel beyond the picture.
        QImage look(FBitmap.size() + QSize(1, 1), QImage::Format_ARGB32);
        look.fill(Qt::transparent);
        QPainter lookPainter(&look);
        FBitmap.DrawDisabled(lookPainter, QPoint(0, 0), palette());
        lookPainter.end();
        TkavoBitmap shown(look);
        shown.setTransparentColor(QColor());
        shown.DrawScaled(painter, rect());
        return;
    }
    QPoint topLeft(0, 0);
    if (FCenter)
        topLeft = QPoint((width() - FBitmap.size().width()) / 2, (height() - FBitmap.size().height()) / 2);
    if (isEnabled())
        FBitmap.Draw(painter, topLeft);
    else
        FBitmap.DrawDisabled(painter, topLeft, palette());
}
