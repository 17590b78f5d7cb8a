// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPainter>

#include <memory>
#include <optional>
#include <vector>

// How an image of a list is put on a canvas.
enum TImageDrawStyle : quint8 {
    // Masked pixels leave the canvas as it is.
    idsTransparent,
    // As transparent, with a quarter of the canvas showing through the image (the look of an
    // image that stands for something disabled).
    idsBlend25,
};

// A list of images of one size, each with a mask. Images are kept with the mask as their alpha
// channel, so drawing is a plain composition.
class TCustomImageList : public QObject
{
    Q_OBJECT

public:
    TCustomImageList(int width, int height, QObject *parent = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }

    // Appends each whole Width x Height piece of the strip, left to right. The mask has the
    // strip's size; its white pixels are transparent. Without a mask the strip's own alpha
    // counts. Returns the index of the first image added, or -1 if the strip holds none.
    int Add(const QImage &strip, const QImage &mask = QImage());
    // As Add, with the pixels of maskColor transparent.
    int AddMasked(const QImage &strip, const QColor &maskColor);
    // Appends a fully transparent image and returns its index.
    int AddEmpty();
    // Replaces image index with the top-left Width x Height piece of the bitmap.
    void Replace(int index, const QImage &bitmap, const QImage &mask = QImage());
    void ReplaceMasked(int index, const QImage &bitmap, const QColor &maskColor);

    // The image with its mask as alpha; a null image for an index outside the list.
    QImage Image(int index) const;
    // The image drawn on a white bitmap of the list's size, as a picture to hand on; a null
    // image for an index outside the list.
    QImage GetBitmap(int index) const;
    // Draws image index with its top-left corner at (x, y); an index outside the list draws
    // nothing.
    void Draw(QPainter &painter, int x, int y, int index, TImageDrawStyle style = idsTransparent) const;

Q_SIGNALS:
    void Changed();

private:
    QImage piece(const QImage &bitmap, int left, const QImage &mask, const std::optional<QColor> &maskColor) const;

    int FWidth;
    int FHeight;
    std::vector<QImage> FImages;
};

// A growable set of bits: which slots of a glyph list are in use. Slot numbers run from 0 to
// Size() - 1; any other slot number throws std::out_of_range and never reaches the words.
class TBitPool
{
public:
    static constexpr int MaxWords = 4097;
    static constexpr int MaxSlots = MaxWords * 32;

    int Size() const { return FSize; }
    // New bits are clear, existing ones keep their values. Throws std::out_of_range for a size
    // below 0 or above MaxSlots.
    void Resize(int size);
    void SetSlot(int slot, bool used);
    bool SlotUsed(int slot) const;
    // The lowest clear slot, -1 if every slot is set.
    int FirstFree() const;

private:
    static int wordCount(int size) { return (size + 31) / 32; }
    void check(int slot) const;

    int FSize = 0;
    std::unique_ptr<quint32[]> FBits;
};
