// SPDX-License-Identifier: MIT
#include "KvGlyphs.h"

#include "Canvas.h"

#include <QGuiApplication>
#include <QPaintDevice>

#include <stdexcept>

using toolkit::TColor;

namespace {

QRgb rgbOf(const QColor &color)
{
    return color.rgb() & 0xFFFFFFu;
}

// The strip's pixel as a 24-bit colour. A pixel that is mostly transparent stands for the
// background, which is what the strip's transparent colour says.
QRgb stripPixel(const QImage &strip, int x, int y, QRgb transparent)
{
    const QRgb pixel = strip.pixel(x, y);
    if (strip.hasAlphaChannel() && qAlpha(pixel) < 128)
        return transparent;
    return pixel & 0xFFFFFFu;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// TGlyphList

TGlyphList::TGlyphList(int width, int height)
    : TCustomImageList(width, height)
{
}

int TGlyphList::AcquireSlot()
{
    int slot = FUsed.FirstFree();
    if (slot == -1) {
        if (Count() >= TBitPool::MaxSlots)
            throw std::out_of_range("glyph list full");
        slot = AddEmpty();
        FUsed.Resize(slot + 1);
    }
    FUsed.SetSlot(slot, true);
    return slot;
}

int TGlyphList::AddImage(const QImage &image, const QImage &mask)
{
    const int slot = AcquireSlot();
    Replace(slot, image, mask);
    ++FUsedCount;
    return slot;
}

int TGlyphList::AddImageMasked(const QImage &image, const QColor &maskColor)
{
    const int slot = AcquireSlot();
    ReplaceMasked(slot, image, maskColor);
    ++FUsedCount;
    return slot;
}

void TGlyphList::ReleaseSlot(int slot)
{
    if (!FUsed.SlotUsed(slot))
        return;
    --FUsedCount;
    FUsed.SetSlot(slot, false);
}

// ---------------------------------------------------------------------------------------------
// TGlyphCache

namespace {

// Used from the user-interface thread only.
std::unique_ptr<TGlyphCache> glyphCache;

TGlyphCache &ensureGlyphCache()
{
    if (!glyphCache)
        glyphCache = std::make_unique<TGlyphCache>();
    return *glyphCache;
}

} // namespace

TGlyphCache *GlyphCache()
{
    return glyphCache.get();
}

TGlyphList *TGlyphCache::ListFor(int width, int height)
{
    // The newest list is the likeliest: buttons of one form share one glyph size.
    for (auto it = FLists.rbegin(); it != FLists.rend(); ++it) {
        if ((*it)->Width() == width && (*it)->Height() == height)
            return it->get();
    }
    FLists.push_back(std::make_unique<TGlyphList>(width, height));
    return FLists.back().get();
}

void TGlyphCache::Release(TGlyphList *list)
{
    if (!list || list->UsedCount() != 0)
        return;
    std::erase_if(FLists, [list](const std::unique_ptr<TGlyphList> &own) { return own.get() == list; });
}

// ---------------------------------------------------------------------------------------------
// TButtonGlyph

TButtonGlyph::TButtonGlyph()
{
    ensureGlyphCache();
}

TButtonGlyph::~TButtonGlyph()
{
    FGlyph = QImage();
    ReleaseImages();
    if (glyphCache && glyphCache->IsEmpty())
        glyphCache.reset();
}

std::optional<TColor> TButtonGlyph::BitmapTransparentColor(const QImage &bitmap)
{
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        return std::nullopt;
    return TColor::fromRgb(bitmap.pixel(0, bitmap.height() - 1) & 0xFFFFFFu);
}

QPalette TButtonGlyph::palette() const
{
    return FPalette ? *FPalette : QGuiApplication::palette();
}

QSize TButtonGlyph::imageSize() const
{
    if (!hasGlyph())
        return QSize(0, 0);
    return QSize(FGlyph.width() / FNumGlyphs, FGlyph.height());
}

void TButtonGlyph::AssignStrip(const QImage &strip)
{
    ReleaseImages();
    FGlyph = strip;
    glyphBitmapChanged();
    if (strip.isNull() || strip.height() <= 0)
        return;
    if (const auto transparent = BitmapTransparentColor(strip))
        TransparentColor = *transparent;
    if (const int count = StripImageCount(strip))
        SetImageCount(count);
}

int StripImageCount(const QImage &strip)
{
    if (strip.isNull() || strip.height() <= 0 || strip.width() % strip.height() != 0)
        return 0;
    const int count = strip.width() / strip.height();
    return count > 4 ? 1 : count;
}

void TButtonGlyph::SetGlyphBitmap(const QImage &bitmap)
{
    FGlyph = bitmap;
    glyphBitmapChanged();
}

void TButtonGlyph::SetImageCount(int count)
{
    if (count == FNumGlyphs || count <= 0)
        return;
    ReleaseImages();
    FNumGlyphs = qMin(count, 4);
}

void TButtonGlyph::glyphBitmapChanged()
{
    if (const auto transparent = BitmapTransparentColor(FGlyph))
        TransparentColor = *transparent;
    ReleaseImages();
    if (OnChange)
        OnChange();
}

void TButtonGlyph::ReleaseImages()
{
    FRatioImages.clear();
    for (int &index : FIndexes) {
        if (index != -1 && FList)
            FList->ReleaseSlot(index);
        index = -1;
    }
    if (glyphCache)
        glyphCache->Release(FList);
    FList = nullptr;
}

QImage TButtonGlyph::embossedImage(const QImage &strip, QSize size, const QColor &face, int emboss) const
{
    const int width = size.width();
    const int height = size.height();
    // The dark pixels of the first strip image make the embossed picture. A monochrome strip
    // marks them with colour index 0, a colour strip with black; an enlarged copy of a
    // monochrome strip with the colour of that index.
    const bool monochrome = strip.format() == QImage::Format_Mono || strip.format() == QImage::Format_MonoLSB;
    const bool glyphMonochrome = FGlyph.format() == QImage::Format_Mono || FGlyph.format() == QImage::Format_MonoLSB;
    const QRgb darkRgb = glyphMonochrome && FGlyph.colorCount() > 0 ? FGlyph.color(0) & 0xFFFFFFu : 0;
    const QRgb transparentRgb = rgbOf(TransparentColor.resolve(palette()));
    std::vector<char> dark(size_t(width) * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool isDark = monochrome ? strip.pixelIndex(x, y) == 0
                                           : stripPixel(strip, x, y, transparentRgb) == darkRgb;
            dark[size_t(y) * size_t(width) + size_t(x)] = isDark;
        }
    }
    auto isDark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && dark[size_t(y) * size_t(width) + size_t(x)];
    };
    const QRgb shadow = toolkit::clBtnShadow.resolve(palette()).rgb();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(face);
    // The picture in shadow, lit from the top left: a white copy one logical pixel down and
    // right shows where the picture does not cover it.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (isDark(x, y))
                image.setPixel(x, y, shadow);
            else if (isDark(x - emboss, y - emboss))
                image.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    return image;
}

QImage TButtonGlyph::statePicture(const QImage &strip, QSize size, TGlyphState state, int emboss,
                                  std::optional<QColor> &mask) const
{
    const QPalette colours = palette();
    const QColor face = FaceColor.resolve(colours);
    const QRgb faceRgb = rgbOf(face);
    const QRgb transparentRgb = rgbOf(TransparentColor.resolve(colours));
    const int w = size.width();
    const int h = size.height();
    const int k = state < FNumGlyphs ? int(state) : 0;

    QImage image(w, h, QImage::Format_RGB32);
    image.fill(face);
    // Copies strip image `from` into the state image; with faceForTransparent the strip's
    // background turns into the face colour.
    auto copyStripImage = [&](int from, bool faceForTransparent) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                QRgb pixel = stripPixel(strip, from * w + x, y, transparentRgb);
                if (faceForTransparent && pixel == transparentRgb)
                    pixel = faceRgb;
                image.setPixel(x, y, 0xFF000000u | pixel);
            }
        }
    };

    mask.reset();
    switch (state) {
    case gsUp:
    case gsDown:
        copyStripImage(k, true);
        mask = face;
        break;
    case gsDisabled:
        if (FNumGlyphs > 1) {
            copyStripImage(1, true);
        } else {
            image = embossedImage(strip, size, face, emboss);
        }
        break;
    case gsExclusive:
        copyStripImage(k, false);
        mask = QColor::fromRgb(transparentRgb);
        break;
    }
    return image;
}

int TButtonGlyph::StateImage(TGlyphState state)
{
    if (state == gsDown && FNumGlyphs < 3)
        state = gsUp;
    if (FIndexes[state] != -1)
        return FIndexes[state];
    const QSize size = imageSize();
    if (size.width() <= 0 || size.height() <= 0)
        return -1;
    if (!FList)
        FList = ensureGlyphCache().ListFor(size.width(), size.height());

    std::optional<QColor> mask;
    const QImage image = statePicture(FGlyph, size, state, 1, mask);
    FIndexes[state] = mask ? FList->AddImageMasked(image, *mask) : FList->AddImage(image);
    return FIndexes[state];
}

const QImage &TButtonGlyph::stateImageAtRatio(TGlyphState state, qreal ratio)
{
    if (state == gsDown && FNumGlyphs < 3)
        state = gsUp;
    for (const TRatioImage &made : FRatioImages) {
        if (made.State == state && qFuzzyCompare(made.Ratio, ratio))
            return made.Image;
    }
    // The strip is enlarged first and the state derived from the enlargement, so the disabled
    // picture's light copy lies one logical pixel off in device pixels too.
    const QSize size = imageSize();
    const QImage strip = StripAtRatio(FGlyph, size.width(), ratio);
    const QSize deviceSize(strip.width() / FNumGlyphs, strip.height());
    std::optional<QColor> mask;
    QImage image = statePicture(strip, deviceSize, state, qMax(1, qRound(ratio)), mask)
                       .convertToFormat(QImage::Format_ARGB32);
    if (mask) {
        const QRgb masked = rgbOf(*mask);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xFFFFFFu) == masked)
                    image.setPixel(x, y, 0);
            }
        }
    }
    image.setDevicePixelRatio(ratio);
    FRatioImages.push_back({state, ratio, std::move(image)});
    return FRatioImages.back().Image;
}

void TButtonGlyph::PaintGlyph(QPainter &painter, int x, int y, TGlyphState state)
{
    if (!hasGlyph())
        return;
    // The list holds the pictures as they are, pixel for pixel; a finer screen gets its own.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (ratio > 1.0) {
        const QImage &image = stateImageAtRatio(state, ratio);
        if (!image.isNull())
            painter.drawImage(QPoint(x, y), image);
        return;
    }
    const int index = StateImage(state);
    if (index != -1)
        FList->Draw(painter, x, y, index);
}

void TButtonGlyph::PaintCaption(QPainter &painter, const QString &caption, const QRect &rect, TGlyphState state)
{
    const QString text = caption.left(MaxCaption);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (state == gsDisabled) {
        QRect r = rect.translated(1, 1);
        painter.setPen(QColor(255, 255, 255));
        toolkit::DrawText(painter, text, r, 0);
        r = rect;
        painter.setPen(QColor(0x80, 0x80, 0x80));
        toolkit::DrawText(painter, text, r, 0);
    } else {
        QRect r = rect;
        toolkit::DrawText(painter, text, r, toolkit::DT_CENTER | toolkit::DT_VCENTER | toolkit::DT_SINGLELINE);
    }
    painter.restore();
}

QSize TButtonGlyph::CaptionSize(QPainter &painter, const QRect &client, const QString &caption)
{
    if (caption.isEmpty())
        return QSize(0, 0);
    QRect textBounds(0, 0, client.width(), 0);
    toolkit::DrawText(painter, caption.left(MaxCaption), textBounds, toolkit::DT_CALCRECT);
    return textBounds.size();
}

TGlyphLayout TButtonGlyph::ComputeLayout(QPainter &painter, const QRect &client, const QString &caption,
                                         TButtonLayout layout, int margin, int spacing) const
{
    return LayoutFor(client, imageSize(), CaptionSize(painter, client, caption), layout, margin, spacing);
}

TGlyphLayout TButtonGlyph::LayoutFor(const QRect &client, const QSize &glyphSize, const QSize &textSize,
                                     TButtonLayout layout, int margin, int spacing)
{
    const QSize clientSize = client.size();
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;

    QPoint glyphPos;
    QPoint textPos;
    if (horizontal) {
        glyphPos.setY(clientSize.height() / 2 - glyphSize.height() / 2);
        textPos.setY(clientSize.height() / 2 - textSize.height() / 2);
    } else {
        glyphPos.setX(clientSize.width() / 2 - glyphSize.width() / 2);
        textPos.setX(clientSize.width() / 2 - textSize.width() / 2);
    }

    if (textSize.width() == 0 || glyphSize.width() == 0)
        spacing = 0;

    auto along = [horizontal](const QSize &size) { return horizontal ? size.width() : size.height(); };
    if (margin == -1) {
        if (spacing == -1) {
            // Free space in three equal parts: before the glyph, between, after the caption
            // (which also takes the remainder).
            const QSize total = glyphSize + textSize;
            margin = (along(clientSize) - along(total)) / 3;
            spacing = margin;
        } else {
            const QSize total(glyphSize.width() + spacing + textSize.width(),
                              glyphSize.height() + spacing + textSize.height());
            margin = along(clientSize) / 2 - along(total) / 2;
        }
    } else if (spacing == -1) {
        const QSize total(clientSize.width() - (margin + glyphSize.width()),
                          clientSize.height() - (margin + glyphSize.height()));
        spacing = along(total) / 2 - along(textSize) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyphPos.setX(margin);
        textPos.setX(glyphPos.x() + glyphSize.width() + spacing);
        break;
    case blGlyphRight:
        glyphPos.setX(clientSize.width() - margin - glyphSize.width());
        textPos.setX(glyphPos.x() - spacing - textSize.width());
        break;
    case blGlyphTop:
        glyphPos.setY(margin);
        textPos.setY(glyphPos.y() + glyphSize.height() + spacing);
        break;
    case blGlyphBottom:
        glyphPos.setY(clientSize.height() - margin - glyphSize.height());
        textPos.setY(glyphPos.y() - spacing - textSize.height());
        break;
    }

    TGlyphLayout result;
    result.GlyphPos = glyphPos + client.topLeft();
    result.TextBounds = QRect(textPos + client.topLeft(), textSize);
    return result;
}

QRect TButtonGlyph::Paint(QPainter &painter, const QRect &client, const QString &caption, TButtonLayout layout,
                          int margin, int spacing, TGlyphState state)
{
    const TGlyphLayout placed = ComputeLayout(painter, client, caption, layout, margin, spacing);
    PaintGlyph(painter, placed.GlyphPos.x(), placed.GlyphPos.y(), state);
    PaintCaption(painter, caption, placed.TextBounds, state);
    return placed.TextBounds;
}
