// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Image lists and the enlargement of small pixel-exact pictures for high-density screens.

#include "kavocontrols_export.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPainter>

#include <memory>
#include <optional>
#include <vector>

/// Small pixel-exact pictures for a screen of a device pixel ratio above 1. Enlarged by the
/// Scale2x pixel-art rule (a pixel's corner takes a neighbour's colour where two equal
/// neighbours meet at that corner), diagonals get steps of one device pixel while every pixel
/// keeps a colour of the picture: nothing blurs and no colour is made up. A ratio that is not a
/// power of two samples that enlargement to the nearest device pixel. The result is
/// round(size x ratio) device pixels carrying ratio as its device pixel ratio; ratio 1 (or
/// less) gives the picture as it is.
KAVOCONTROLS_EXPORT QImage PictureAtRatio(const QImage &picture, qreal ratio);
/// The same for a strip of pictures cellWidth wide each, enlarged one by one so that no cell
/// takes colours from its neighbour; the cells of the result are round(cellWidth x ratio) wide.
KAVOCONTROLS_EXPORT QImage StripAtRatio(const QImage &strip, int cellWidth, qreal ratio);

/// How an image of a list is put on a canvas.
enum TImageDrawStyle : quint8 {
    /// Masked pixels leave the canvas as it is.
    idsTransparent,
    /// As transparent, with a quarter of the canvas showing through the image (the look of an
    /// image that stands for something disabled).
    idsBlend25,
};

/// A list of images of one size, each with a mask, drawn crisp at any device pixel ratio.
///
/// Images are kept with the mask as their alpha channel, so drawing is a plain composition. A
/// TkavoBitBtn shows one of them (Images, ImageIndex) instead of its glyph.
///
/// @code
/// auto *icons = new TCustomImageList(16, 16, window); icons->AddMasked(strip, Qt::magenta);
/// button->setImages(icons); button->setImageIndex(2);
/// @endcode
///
/// @qtdiff
/// Qt has no image list: a QIcon holds one picture in several sizes and modes, where this list
/// holds many pictures of one size, cut from a strip. On a screen of a device pixel ratio
/// above 1 each picture is enlarged by PictureAtRatio(), pixel-art style, not smoothed as
/// QIcon scales.
class KAVOCONTROLS_EXPORT TCustomImageList : public QObject
{
    Q_OBJECT

public:
    TCustomImageList(int width, int height, QObject *parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }

    /// Appends each whole Width x Height piece of the strip, left to right. The mask has the
    /// strip's size; its white pixels are transparent. Without a mask the strip's own alpha
    /// counts. Returns the index of the first image added, or -1 if the strip holds none.
    int Add(const QImage &strip, const QImage &mask = QImage());
    /// As Add, with the pixels of maskColor transparent.
    int AddMasked(const QImage &strip, const QColor &maskColor);
    /// Appends a fully transparent image and returns its index.
    int AddEmpty();
    /// Replaces image index with the top-left Width x Height piece of the bitmap.
    void Replace(int index, const QImage &bitmap, const QImage &mask = QImage());
    void ReplaceMasked(int index, const QImage &bitmap, const QColor &maskColor);

    /// The image with its mask as alpha; a null image for an index outside the list.
    QImage Image(int index) const;
    /// The image drawn on a white bitmap of the list's size, as a picture to hand on; a null
    /// image for an index outside the list.
    QImage GetBitmap(int index) const;
    /// Draws image index with its top-left corner at (x, y); an index outside the list draws
    /// nothing. On a device of a ratio above 1 the image is drawn from its enlargement for that
    /// ratio (see PictureAtRatio), made on first demand and kept until the image changes.
    void Draw(QPainter &painter, int x, int y, int index, TImageDrawStyle style = idsTransparent) const;

Q_SIGNALS:
    void Changed();

private:
    QImage piece(const QImage &bitmap, int left, const QImage &mask, const std::optional<QColor> &maskColor) const;

    // Image index enlarged for ratio, made on first demand.
    const QImage &imageAtRatio(int index, qreal ratio) const;
    void forgetEnlargement(int index);

    struct TEnlargements
    {
        qreal Ratio;
        // Indexed as the images; a null image is not made yet.
        std::vector<QImage> Images;
    };

    int FWidth;
    int FHeight;
    std::vector<QImage> FImages;
    // Drawing at a ratio fills these; they are copies of the images, not state of the list.
    mutable std::vector<TEnlargements> FEnlarged;
};

/// A growable set of bits: which slots of a glyph list are in use.
///
/// Slot numbers run from 0 to Size() - 1; any other slot number throws std::out_of_range and
/// never reaches the words.
///
/// @code
/// TBitPool pool; pool.Resize(64); pool.SetSlot(0, true);
/// int next = pool.FirstFree(); // 1
/// @endcode
///
/// @qtdiff
/// Much as QBitArray, with FirstFree() to find a clear bit, and an exception, not an
/// assertion, for a slot outside the set.
class KAVOCONTROLS_EXPORT TBitPool
{
public:
    static constexpr int MaxWords = 4097;
    static constexpr int MaxSlots = MaxWords * 32;

    int Size() const { return FSize; }
    /// New bits are clear, existing ones keep their values. Throws std::out_of_range for a size
    /// below 0 or above MaxSlots.
    void Resize(int size);
    void SetSlot(int slot, bool used);
    bool SlotUsed(int slot) const;
    /// The lowest clear slot, -1 if every slot is set.
    int FirstFree() const;

private:
    static int wordCount(int size) { return (size + 31) / 32; }
    void check(int slot) const;

    int FSize = 0;
    std::unique_ptr<quint32[]> FBits;
};
