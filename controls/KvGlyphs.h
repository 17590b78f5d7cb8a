// SPDX-License-Identifier: MIT
#pragma once

#include "kavocontrols_export.h"

#include "Colors.h"
#include "KvImgList.h"

#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

/// @file
/// Button glyphs and their state images, shared by every glyph of one size.

/// An image list of one image size whose slots are handed out and taken back.
///
/// A released slot keeps its pixels until it is handed out again. The glyph cache keeps one per
/// size; TButtonGlyph puts its state images into the list of its size.
///
/// @code
/// TGlyphList *list = GlyphCache()->ListFor(16, 16);
/// int slot = list->AddImageMasked(picture, Qt::white); /* ... */ list->ReleaseSlot(slot);
/// @endcode
///
/// @qtdiff
/// A TCustomImageList whose slots are reused, as QPixmapCache reuses its room; nothing is
/// thrown out behind its holder's back.
class KAVOCONTROLS_EXPORT TGlyphList : public TCustomImageList
{
    Q_OBJECT

public:
    TGlyphList(int width, int height);

    int UsedCount() const { return FUsedCount; }
    const TBitPool &Used() const { return FUsed; }

    /// Puts the image (with an optional mask, white = transparent) into the lowest free slot,
    /// growing the list only when none is free. Returns the slot.
    int AddImage(const QImage &image, const QImage &mask = QImage());
    int AddImageMasked(const QImage &image, const QColor &maskColor);
    /// Releasing a free slot does nothing.
    void ReleaseSlot(int slot);

private:
    int AcquireSlot();

    TBitPool FUsed;
    int FUsedCount = 0;
};

/// The glyph lists of the process, one per image size.
///
/// @code
/// TGlyphCache *cache = GlyphCache();
/// TGlyphList *list = cache ? cache->ListFor(16, 16) : nullptr;
/// @endcode
///
/// @qtdiff
/// Much as QPixmapCache, one for the process; its lists go when their last slot is released,
/// never for want of room.
class KAVOCONTROLS_EXPORT TGlyphCache
{
public:
    /// The list for images of width x height, made on first demand.
    TGlyphList *ListFor(int width, int height);
    /// Frees the list once no slot of it is in use.
    void Release(TGlyphList *list);
    bool IsEmpty() const { return FLists.empty(); }
    int ListCount() const { return int(FLists.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};

/// The process's glyph cache, or nullptr while no glyph needs one.
KAVOCONTROLS_EXPORT TGlyphCache *GlyphCache();

/// The states a glyph is drawn in; strip image k belongs to state k.
enum TGlyphState : quint8 { gsUp, gsDisabled, gsDown, gsExclusive };

/// The number of images a glyph strip holds by its shape: its width over its height when that
/// is a whole number, a strip of more than four counting as one; 0 when the shape does not say.
KAVOCONTROLS_EXPORT int StripImageCount(const QImage &strip);

/// Glyph and caption positions inside a button, from TButtonGlyph::ComputeLayout().
///
/// @code
/// TGlyphLayout at = TButtonGlyph::LayoutFor(rect(), {16, 16}, {40, 13}, blGlyphLeft, -1, 4);
/// painter.drawRect(at.TextBounds);
/// @endcode
///
/// @qtdiff
/// What QStyle::subElementRect() would give for a QPushButton's icon and label, for the four
/// glyph sides of TButtonLayout and the button's Margin and Spacing.
struct TGlyphLayout
{
    QPoint GlyphPos;
    QRect TextBounds;
};

/// The glyph layout enumeration, in a namespace whose meta-object gives form builders its
/// names; the names are used unqualified everywhere else.
namespace KvGlyphs {
Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)
/// Where the glyph stands relative to the caption.
enum TButtonLayout : quint8 { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)
} // namespace KvGlyphs
// A directive, not `using enum`: clang before 15 takes a class's own `using enum` of the same
// enumeration, which forms compiled by uic need, for a redeclaration of this one.
using namespace KvGlyphs;

/// One button's glyph: a strip of one to four images (normal, disabled, pressed, exclusive)
/// whose state images are built on demand into the shared list of their size.
///
/// A state the strip has no image for is made from the normal one: the disabled image
/// embossed, the others as the normal one. Every TkavoBitBtn holds one.
///
/// @code
/// TButtonGlyph glyph; glyph.AssignStrip(QImage(":/SAVE")); // 2 images: normal and disabled
/// glyph.Paint(painter, rect(), "&Save", blGlyphLeft, -1, 4, isEnabled() ? gsUp : gsDisabled);
/// @endcode
///
/// @qtdiff
/// Much as a QIcon with its Normal, Disabled and Active modes, from one strip and with the
/// desktop's embossed disabled look where QIcon greys; the state images of all glyphs of one
/// size share one list.
class KAVOCONTROLS_EXPORT TButtonGlyph
{
public:
    static constexpr int MaxCaption = 255;

    TButtonGlyph();
    TButtonGlyph(const TButtonGlyph &) = delete;
    TButtonGlyph &operator=(const TButtonGlyph &) = delete;
    ~TButtonGlyph();

    /// Background of the state images and mask colour of the normal and pressed ones.
    toolkit::TColor FaceColor = toolkit::clBtnFace;
    /// Pixels of this colour in the strip are background.
    toolkit::TColor TransparentColor = toolkit::TColor::fromRgb(0x808000);
    /// Fired when the glyph bitmap changes.
    std::function<void()> OnChange;

    /// The palette that system colours are taken from; the application's unless set.
    void setPalette(const QPalette &palette) { FPalette = palette; }

    const QImage &Glyph() const { return FGlyph; }
    int NumGlyphs() const { return FNumGlyphs; }
    TGlyphList *List() const { return FList; }
    int Index(TGlyphState state) const { return FIndexes[state]; }

    /// Takes a copy of the strip (a null image empties the glyph) and, for a strip whose width
    /// is a whole multiple of its height, that many images (more than four count as one).
    void AssignStrip(const QImage &strip);
    /// A count of 0 and the current count change nothing; no change event is fired.
    void SetImageCount(int count);
    /// Replaces the bitmap as it is, keeping the image count, and fires the change event.
    void SetGlyphBitmap(const QImage &bitmap);

    /// The slot of state's image in List(), built on first demand.
    int StateImage(TGlyphState state);
    void ReleaseImages();

    void PaintGlyph(QPainter &painter, int x, int y, TGlyphState state);
    static void PaintCaption(QPainter &painter, const QString &caption, const QRect &rect, TGlyphState state);
    /// The extent the caption takes when laid out in client; 0 x 0 for no caption.
    static QSize CaptionSize(QPainter &painter, const QRect &client, const QString &caption);
    TGlyphLayout ComputeLayout(QPainter &painter, const QRect &client, const QString &caption, TButtonLayout layout,
                               int margin, int spacing) const;
    /// The layout for a caption already measured: textSize (0 x 0 for no caption) placed at the
    /// caption's rectangle's origin.
    static TGlyphLayout LayoutFor(const QRect &client, const QSize &glyphSize, const QSize &textSize,
                                  TButtonLayout layout, int margin, int spacing);
    /// Lays out, draws glyph and caption, and returns the caption's rectangle.
    QRect Paint(QPainter &painter, const QRect &client, const QString &caption, TButtonLayout layout, int margin,
                int spacing, TGlyphState state);

    /// The colour a bitmap's background is taken to be: its bottom-left pixel. None for an empty
    /// bitmap.
    static std::optional<toolkit::TColor> BitmapTransparentColor(const QImage &bitmap);

private:
    bool hasGlyph() const { return !FGlyph.isNull() && FGlyph.width() > 0 && FGlyph.height() > 0; }
    QSize imageSize() const;
    QPalette palette() const;
    void glyphBitmapChanged();
    // State's picture built from a strip of images of size, with the colour that stands for
    // its background when drawn (none for an opaque picture). emboss is the offset in pixels
    // of the disabled picture's light copy.
    QImage statePicture(const QImage &strip, QSize size, TGlyphState state, int emboss,
                        std::optional<QColor> &mask) const;
    QImage embossedImage(const QImage &strip, QSize size, const QColor &face, int emboss) const;
    // State's picture for a painter of a device pixel ratio other than 1, built once per ratio.
    const QImage &stateImageAtRatio(TGlyphState state, qreal ratio);

    struct TRatioImage
    {
        TGlyphState State;
        qreal Ratio;
        QImage Image;
    };

    QImage FGlyph;
    TGlyphList *FList = nullptr;
    int FIndexes[4] = {-1, -1, -1, -1};
    int FNumGlyphs = 1;
    std::optional<QPalette> FPalette;
    std::vector<TRatioImage> FRatioImages;
};
