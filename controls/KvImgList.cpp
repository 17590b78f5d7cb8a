// SPDX-License-Identifier: MIT
#include "KvImgList.h"

#include <QPaintDevice>

#include <algorithm>
#include <stdexcept>

namespace {

QRgb rgbOf(const QColor &color)
{
    return color.rgb() & 0xFFFFFFu;
}

// One Scale2x step: every pixel becomes a 2 x 2 block whose corners follow a diagonal edge that
// the pixel's four neighbours outline. Pixels beyond the border count as the pixel itself.
QImage scale2x(const QImage &picture)
{
    const int w = picture.width();
    const int h = picture.height();
    QImage result(2 * w, 2 * h, picture.format());
    auto at = [&](int x, int y, QRgb self) {
        return x < 0 || y < 0 || x >= w || y >= h ? self : picture.pixel(x, y);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = picture.pixel(x, y);
            const QRgb up = at(x, y - 1, p);
            const QRgb left = at(x - 1, y, p);
            const QRgb right = at(x + 1, y, p);
            const QRgb down = at(x, y + 1, p);
            const bool edge = up != down && left != right;
            result.setPixel(2 * x, 2 * y, edge && left == up ? up : p);
            result.setPixel(2 * x + 1, 2 * y, edge && up == right ? right : p);
            result.setPixel(2 * x, 2 * y + 1, edge && left == down ? left : p);
            result.setPixel(2 * x + 1, 2 * y + 1, edge && down == right ? right : p);
        }
    }
    return result;
}

int scaledLength(int length, qreal ratio)
{
    return qMax(1, qRound(length * ratio));
}

} // namespace

QImage PictureAtRatio(const QImage &picture, qreal ratio)
{
    if (ratio <= 1.0 || picture.isNull())
        return picture;
    // ARGB keeps a mask's transparency apart from every colour.
    QImage enlarged = picture.convertToFormat(QImage::Format_ARGB32);
    enlarged.setDevicePixelRatio(1.0);
    qreal reached = 1.0;
    while (reached < ratio - 1e-9) {
        enlarged = scale2x(enlarged);
        reached *= 2;
    }
    const int w = scaledLength(picture.width(), ratio);
    const int h = scaledLength(picture.height(), ratio);
    QImage result;
    if (enlarged.width() == w && enlarged.height() == h) {
        result = enlarged;
    } else {
        // Nearest pixel, sampled at the centre of each target pixel.
        result = QImage(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y) {
            const int sy = std::min(enlarged.height() - 1, int((y + 0.5) * enlarged.height() / h));
            for (int x = 0; x < w; ++x) {
                const int sx = std::min(enlarged.width() - 1, int((x + 0.5) * enlarged.width() / w));
                result.setPixel(x, y, enlarged.pixel(sx, sy));
            }
        }
    }
    result.setDevicePixelRatio(ratio);
    return result;
}

QImage StripAtRatio(const QImage &strip, int cellWidth, qreal ratio)
{
    if (ratio <= 1.0 || strip.isNull() || cellWidth <= 0)
        return strip;
    const int cells = strip.width() / cellWidth;
    const int cellW = scaledLength(cellWidth, ratio);
    const int cellH = scaledLength(strip.height(), ratio);
    QImage result(cells * cellW, cellH, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    for (int k = 0; k < cells; ++k) {
        const QImage cell = PictureAtRatio(strip.copy(k * cellWidth, 0, cellWidth, strip.height()), ratio);
        for (int y = 0; y < cellH; ++y) {
            for (int x = 0; x < cellW; ++x)
                result.setPixel(k * cellW + x, y, cell.pixel(x, y));
        }
    }
    result.setDevicePixelRatio(ratio);
    return result;
}

// ---------------------------------------------------------------------------------------------
// TCustomImageList

TCustomImageList::TCustomImageList(int width, int height, QObject *parent)
    : QObject(parent)
    , FWidth(qMax(width, 0))
    , FHeight(qMax(height, 0))
{
}

QImage TCustomImageList::piece(const QImage &bitmap, int left, const QImage &mask,
                               const std::optional<QColor> &maskColor) const
{
    QImage image(FWidth, FHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (bitmap.isNull())
        return image;
    const QImage source = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb masked = maskColor ? rgbOf(*maskColor) : 0;
    for (int y = 0; y < FHeight && y < source.height(); ++y) {
        for (int x = 0; x < FWidth && left + x < source.width(); ++x) {
            QRgb pixel = source.pixel(left + x, y);
            bool transparent = false;
            if (maskColor)
                transparent = (pixel & 0xFFFFFFu) == masked;
            else if (!mask.isNull() && left + x < mask.width() && y < mask.height())
                transparent = qGray(mask.pixel(left + x, y)) >= 128;
            if (transparent)
                pixel = qRgba(0, 0, 0, 0);
            else if (maskColor || !mask.isNull())
                pixel |= 0xFF000000u;
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

int TCustomImageList::Add(const QImage &strip, const QImage &mask)
{
    if (FWidth <= 0 || strip.width() < FWidth)
        return -1;
    const int first = Count();
    for (int left = 0; left + FWidth <= strip.width(); left += FWidth)
        FImages.push_back(piece(strip, left, mask, std::nullopt));
    Q_EMIT Changed();
    return first;
}

int TCustomImageList::AddMasked(const QImage &strip, const QColor &maskColor)
{
    if (FWidth <= 0 || strip.width() < FWidth)
        return -1;
    const int first = Count();
    for (int left = 0; left + FWidth <= strip.width(); left += FWidth)
        FImages.push_back(piece(strip, left, QImage(), maskColor));
    Q_EMIT Changed();
    return first;
}

int TCustomImageList::AddEmpty()
{
    FImages.push_back(piece(QImage(), 0, QImage(), std::nullopt));
    Q_EMIT Changed();
    return Count() - 1;
}

void TCustomImageList::Replace(int index, const QImage &bitmap, const QImage &mask)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("image list index out of range");
    FImages[size_t(index)] = piece(bitmap, 0, mask, std::nullopt);
    forgetEnlargement(index);
    Q_EMIT Changed();
}

void TCustomImageList::ReplaceMasked(int index, const QImage &bitmap, const QColor &maskColor)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("image list index out of range");
    FImages[size_t(index)] = piece(bitmap, 0, QImage(), maskColor);
    forgetEnlargement(index);
    Q_EMIT Changed();
}

QImage TCustomImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    return FImages[size_t(index)];
}

QImage TCustomImageList::GetBitmap(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    QImage bitmap(FWidth, FHeight, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    Draw(painter, 0, 0, index);
    return bitmap;
}

void TCustomImageList::forgetEnlargement(int index)
{
    for (TEnlargements &made : FEnlarged) {
        if (size_t(index) < made.Images.size())
            made.Images[size_t(index)] = QImage();
    }
}

const QImage &TCustomImageList::imageAtRatio(int index, qreal ratio) const
{
    auto made = std::find_if(FEnlarged.begin(), FEnlarged.end(),
                             [ratio](const TEnlargements &e) { return qFuzzyCompare(e.Ratio, ratio); });
    if (made == FEnlarged.end())
        made = FEnlarged.insert(FEnlarged.end(), TEnlargements{ratio, {}});
    if (made->Images.size() < FImages.size())
        made->Images.resize(FImages.size());
    QImage &image = made->Images[size_t(index)];
    if (image.isNull())
        image = PictureAtRatio(FImages[size_t(index)], ratio);
    return image;
}

void TCustomImageList::Draw(QPainter &painter, int x, int y, int index, TImageDrawStyle style) const
{
    if (index < 0 || index >= Count())
        return;
    // The images are kept pixel for pixel; a finer screen gets an enlargement that keeps their
    // edges and colours instead of a smoothed or doubled copy.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (style == idsBlend25)
        painter.setOpacity(painter.opacity() * 0.75);
    painter.drawImage(QPoint(x, y), ratio > 1.0 ? imageAtRatio(index, ratio) : FImages[size_t(index)]);
    painter.restore();
}

// ---------------------------------------------------------------------------------------------
// TBitPool

void TBitPool::check(int slot) const
{
    if (slot < 0 || slot >= FSize)
        throw std::out_of_range("glyph slot out of range");
}

void TBitPool::Resize(int size)
{
    if (size < 0 || size > MaxSlots)
        throw std::out_of_range("glyph pool size out of range");
    if (size == FSize)
        return;
    const int newWords = wordCount(size);
    const int oldWords = wordCount(FSize);
    if (newWords != oldWords) {
        std::unique_ptr<quint32[]> bits;
        if (newWords > 0) {
            bits = std::make_unique<quint32[]>(size_t(newWords)); // zero-filled
            std::copy_n(FBits.get(), qMin(newWords, oldWords), bits.get());
        }
        FBits = std::move(bits);
    }
    // Bits beyond the new size must read clear when the pool grows again within the same word.
    if (size < FSize && size % 32 != 0)
        FBits[size_t(size / 32)] &= (quint32(1) << (size % 32)) - 1;
    FSize = size;
}

void TBitPool::SetSlot(int slot, bool used)
{
    check(slot);
    const quint32 bit = quint32(1) << (slot % 32);
    if (used)
        FBits[size_t(slot / 32)] |= bit;
    else
        FBits[size_t(slot / 32)] &= ~bit;
}

bool TBitPool::SlotUsed(int slot) const
{
    check(slot);
    return (FBits[size_t(slot / 32)] >> (slot % 32)) & 1u;
}

int TBitPool::FirstFree() const
{
    const int words = wordCount(FSize);
    for (int w = 0; w < words; ++w) {
        const quint32 word = FBits[size_t(w)];
        if (word == 0xFFFFFFFFu)
            continue;
        int bit = 0;
        while ((word >> bit) & 1u)
            ++bit;
        const int slot = w * 32 + bit;
        return slot < FSize ? slot : -1;
    }
    return -1;
}
