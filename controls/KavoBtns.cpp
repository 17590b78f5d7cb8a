// SPDX-License-Identifier: MIT
#include "KavoBtns.h"

#include "Canvas.h"
#include "Form.h"
#include "KvGraph.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
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
    Q_EMIT Changed();
}

void TCustomImageList::ReplaceMasked(int index, const QImage &bitmap, const QColor &maskColor)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("image list index out of range");
    FImages[size_t(index)] = piece(bitmap, 0, QImage(), maskColor);
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

void TCustomImageList::Draw(QPainter &painter, int x, int y, int index, TImageDrawStyle style) const
{
    if (index < 0 || index >= Count())
        return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (style == idsBlend25)
        painter.setOpacity(painter.opacity() * 0.75);
    painter.drawImage(x, y, FImages[size_t(index)]);
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
    if (strip.width() % strip.height() == 0) {
        int count = strip.width() / strip.height();
        if (count > 4)
            count = 1;
        SetImageCount(count);
    }
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
    for (int &index : FIndexes) {
        if (index != -1 && FList)
            FList->ReleaseSlot(index);
        index = -1;
    }
    if (glyphCache)
        glyphCache->Release(FList);
    FList = nullptr;
}

QImage TButtonGlyph::embossedImage(const QColor &face) const
{
    const int width = FGlyph.width() / FNumGlyphs;
    const int height = FGlyph.height();
    // The dark pixels of the first strip image make the embossed picture. A monochrome strip
    // marks them with colour index 0, a colour strip with black.
    const bool monochrome = FGlyph.format() == QImage::Format_Mono || FGlyph.format() == QImage::Format_MonoLSB;
    std::vector<char> dark(size_t(width) * size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool isDark = monochrome ? FGlyph.pixelIndex(x, y) == 0
                                           : stripPixel(FGlyph, x, y, rgbOf(TransparentColor.resolve(palette()))) == 0;
            dark[size_t(y) * size_t(width) + size_t(x)] = isDark;
        }
    }
    auto isDark = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && dark[size_t(y) * size_t(width) + size_t(x)];
    };
    const QRgb shadow = toolkit::clBtnShadow.resolve(palette()).rgb();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(face);
    // The picture in shadow, lit from the top left: a white copy one pixel down and right shows
    // where the picture does not cover it.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (isDark(x, y))
                image.setPixel(x, y, shadow);
            else if (isDark(x - 1, y - 1))
                image.setPixel(x, y, qRgb(255, 255, 255));
        }
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
                QRgb pixel = stripPixel(FGlyph, from * w + x, y, transparentRgb);
                if (faceForTransparent && pixel == transparentRgb)
                    pixel = faceRgb;
                image.setPixel(x, y, 0xFF000000u | pixel);
            }
        }
    };

    switch (state) {
    case gsUp:
    case gsDown:
        copyStripImage(k, true);
        FIndexes[state] = FList->AddImageMasked(image, face);
        break;
    case gsDisabled:
        if (FNumGlyphs > 1) {
            copyStripImage(1, true);
            FIndexes[state] = FList->AddImage(image);
        } else {
            FIndexes[state] = FList->AddImage(embossedImage(face));
        }
        break;
    case gsExclusive:
        copyStripImage(k, false);
        FIndexes[state] = FList->AddImageMasked(image, QColor::fromRgb(transparentRgb));
        break;
    }
    return FIndexes[state];
}

void TButtonGlyph::PaintGlyph(QPainter &painter, int x, int y, TGlyphState state)
{
    if (!hasGlyph())
        return;
    const int index = StateImage(state);
    if (index != -1)
        FList->Draw(painter, x, y, index);
}

void TButtonGlyph::PaintCaption(QPainter &painter, const QString &caption, const QRect &rect, TGlyphState state) const
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

TGlyphLayout TButtonGlyph::ComputeLayout(QPainter &painter, const QRect &client, const QString &caption,
                                         TButtonLayout layout, int margin, int spacing) const
{
    QRect textBounds(0, 0, 0, 0);
    if (!caption.isEmpty()) {
        textBounds = QRect(0, 0, client.width(), 0);
        toolkit::DrawText(painter, caption.left(MaxCaption), textBounds, toolkit::DT_CALCRECT);
    }
    return LayoutFor(client, imageSize(), textBounds.size(), layout, margin, spacing);
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

// ---------------------------------------------------------------------------------------------
// TPopupMenu

TPopupMenu::TPopupMenu(QWidget *parent)
    : QMenu(parent)
{
}

QPoint TPopupMenu::PopupOrigin(const QPoint &point) const
{
    const int width = sizeHint().width();
    switch (FAlignment) {
    case paRight:
        return point - QPoint(width, 0);
    case paCenter:
        return point - QPoint(width / 2, 0);
    case paLeft:
        break;
    }
    return point;
}

void TPopupMenu::Popup(const QPoint &point)
{
    exec(PopupOrigin(point));
}

// ---------------------------------------------------------------------------------------------
// Kinds

namespace {

struct KindInfo
{
    const char *resource;
    const char *captionName;
    int modalResult;
};

constexpr KindInfo kKinds[] = {
    {nullptr, nullptr, toolkit::mrNone},
    {"SBBOK", "SOKButton", toolkit::mrOk},
    {"SBBCANCEL", "SCancelButton", toolkit::mrCancel},
    {"SBBHELP", "SHelpButton", toolkit::mrNone},
    {"SBBYES", "SYesButton", toolkit::mrYes},
    {"SBBNO", "SNoButton", toolkit::mrNo},
    {"SBBCLOSE", "SCloseButton", toolkit::mrNone},
    {"SBBABORT", "SAbortButton", toolkit::mrAbort},
    {"SBBRETRY", "SRetryButton", toolkit::mrRetry},
    {"SBBIGNORE", "SIgnoreButton", toolkit::mrIgnore},
    {"SBBALL", "SAllButton", toolkit::mrAll},
};
constexpr int kKindCount = int(sizeof(kKinds) / sizeof(kKinds[0]));

const KindInfo &kindInfo(TBitBtnKind kind)
{
    return kKinds[int(kind) < kKindCount ? int(kind) : 0];
}

// The button texts of the program's string table: "name=text" lines.
const QHash<QString, QString> &stringTable()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> texts;
        QFile file(QStringLiteral(":/strings/KavoBtns"));
        if (file.open(QIODevice::ReadOnly)) {
            const QString all = QString::fromUtf8(file.readAll());
            for (const QString &line : all.split(QLatin1Char('\n'))) {
                if (line.startsWith(QLatin1Char('#')))
                    continue;
                const qsizetype equals = line.indexOf(QLatin1Char('='));
                if (equals > 0)
                    texts.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
            }
        }
        return texts;
    }();
    return table;
}

std::function<void(int)> &helpContextHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

// (numerator / 2) rounded to the nearest integer, halves to the even one.
int halfRoundedToEven(int numerator)
{
    const int down = numerator >= 0 ? numerator / 2 : -((-numerator + 1) / 2);
    if (numerator % 2 == 0)
        return down;
    return down % 2 == 0 ? down : down + 1;
}

} // namespace

void setHelpContextHandler(std::function<void(int HelpContext)> handler)
{
    helpContextHandler() = std::move(handler);
}

QString KindCaption(TBitBtnKind kind)
{
    const KindInfo &info = kindInfo(kind);
    if (!info.captionName)
        return QString();
    return stringTable().value(QString::fromLatin1(info.captionName));
}

QImage KindGlyph(TBitBtnKind kind)
{
    // One bitmap per kind, loaded on first use and shared by every button for the whole run.
    static std::array<std::optional<QImage>, kKindCount> bitmaps;
    const int index = int(kind) < kKindCount ? int(kind) : 0;
    const KindInfo &info = kKinds[index];
    if (!info.resource)
        return QImage();
    if (!bitmaps[size_t(index)])
        bitmaps[size_t(index)] = QImage(QStringLiteral(":/") + QString::fromLatin1(info.resource));
    return *bitmaps[size_t(index)];
}

int KindModalResult(TBitBtnKind kind)
{
    return kindInfo(kind).modalResult;
}

// ---------------------------------------------------------------------------------------------
// TkavoCustomButton

namespace {

// Draws axis-parallel pen lines as the desktop does: from the pen's place up to, but not
// including, the end point, which becomes the pen's new place.
class PenLines
{
public:
    explicit PenLines(QPainter &painter)
        : FPainter(painter)
    {
    }

    void moveTo(int x, int y) { FAt = QPoint(x, y); }
    void lineTo(int x, int y, const QColor &color)
    {
        const QPoint to(x, y);
        if (to.y() == FAt.y() && to.x() != FAt.x()) {
            const int step = to.x() > FAt.x() ? 1 : -1;
            const int last = to.x() - step;
            FPainter.fillRect(QRect(QPoint(qMin(FAt.x(), last), to.y()), QPoint(qMax(FAt.x(), last), to.y())), color);
        } else if (to.x() == FAt.x() && to.y() != FAt.y()) {
            const int step = to.y() > FAt.y() ? 1 : -1;
            const int last = to.y() - step;
            FPainter.fillRect(QRect(QPoint(to.x(), qMin(FAt.y(), last)), QPoint(to.x(), qMax(FAt.y(), last))), color);
        }
        FAt = to;
    }

private:
    QPainter &FPainter;
    QPoint FAt;
};

// The rectangle from left, top to right, bottom, both exclusive as on the desktop.
QRect spanRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

TkavoCustomButton::TkavoCustomButton(QWidget *parent)
    : QPushButton(parent)
{
    // Default and Cancel are ours to set: Qt must not move the default role with the focus.
    setAutoDefault(false);
    // The button takes the focus itself, on the presses it accepts (an elliptical button refuses
    // those outside its ellipse).
    setFocusPolicy(Qt::TabFocus);
    if (QWidget *form = OwnerForm()) {
        const auto sounds = form->findChildren<TkavoSound *>(Qt::FindDirectChildrenOnly);
        if (!sounds.isEmpty())
            FSound = sounds.first();
    }
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (!now || now->window() != window())
            return;
        auto *button = qobject_cast<QPushButton *>(now);
        SetButtonStyle(button ? button == this : isDefault());
    });
}

void TkavoCustomButton::setDrawFocus(bool drawFocus)
{
    if (drawFocus == FDrawFocus)
        return;
    FDrawFocus = drawFocus;
    update();
}

void TkavoCustomButton::setImages(TCustomImageList *images)
{
    FImages = images;
    update();
}

void TkavoCustomButton::setImageIndex(int index)
{
    FImageIndex = index;
    update();
}

void TkavoCustomButton::setFlat(bool flat)
{
    if (flat == FFlat)
        return;
    FFlat = flat;
    update();
}

void TkavoCustomButton::setColor(toolkit::TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TkavoCustomButton::setParentColor(bool parentColor)
{
    if (parentColor == FParentColor)
        return;
    FParentColor = parentColor;
    if (FParentColor)
        ParentColorChanged();
}

void TkavoCustomButton::ParentColorChanged()
{
    if (FParentColor)
        setColor(toolkit::parentColor(this));
}

void TkavoCustomButton::setCursorSlot(toolkit::TCursor cursor)
{
    FCursor = cursor;
    toolkit::applyCursor(this, cursor);
}

void TkavoCustomButton::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    update();
}

QWidget *TkavoCustomButton::OwnerForm() const
{
    for (QWidget *owner = parentWidget(); owner; owner = owner->parentWidget()) {
        if (owner->isWindow())
            return owner;
    }
    return nullptr;
}

bool TkavoCustomButton::FocusAnswer() const
{
    if (const QWidget *form = OwnerForm())
        return form->focusWidget() == this;
    return FFocusedLook;
}

void TkavoCustomButton::SetButtonStyle(bool ADefault)
{
    if (ADefault == FocusAnswer())
        return;
    FFocusedLook = ADefault;
    update();
}

void TkavoCustomButton::setHover(bool hover)
{
    FHover = hover;
    update();
}

QRect TkavoCustomButton::DrawFace(QPainter &painter, const QRect &rect, const QColor &face, const QPalette &palette,
                                  bool Hover, bool Pressed, bool Focused, bool IsDefault)
{
    const QColor windowText = toolkit::clWindowText.resolve(palette);
    const QColor highlight = toolkit::clBtnHighlight.resolve(palette);
    const QColor shadow = toolkit::clBtnShadow.resolve(palette);
    int Left = rect.left();
    int Top = rect.top();
    int Right = rect.left() + rect.width();
    int Bottom = rect.top() + rect.height();
    PenLines pen(painter);

    if (Focused || IsDefault) {
        const QRect outline = spanRect(Left, Top, Right, Bottom);
        painter.fillRect(outline, windowText);
        ++Left, ++Top, --Right, --Bottom;
    }
    painter.fillRect(spanRect(Left, Top, Right, Bottom), face);
    if (Hover) {
        pen.moveTo(Right - 1, Top);
        pen.lineTo(Right - 1, Bottom - 1, windowText);
        pen.lineTo(Left - 1, Bottom - 1, windowText);
        pen.moveTo(Left, Bottom - 2);
        pen.lineTo(Left, Top, highlight);
        pen.lineTo(Right - 1, Top, highlight);
        pen.moveTo(Right - 2, Top + 1);
        pen.lineTo(Right - 2, Bottom - 2, shadow);
        pen.lineTo(Left, Bottom - 2, shadow);
    } else {
        pen.moveTo(Left, Bottom - 2);
        pen.lineTo(Left, Top, highlight);
        pen.lineTo(Right - 1, Top, highlight);
        pen.lineTo(Right - 1, Bottom - 1, shadow);
        pen.lineTo(Left - 1, Bottom - 1, shadow);
    }
    if (Pressed) {
        painter.fillRect(spanRect(Left, Top, Right, Bottom), face);
        pen.moveTo(Left, Bottom - 2);
        pen.lineTo(Left, Top, shadow);
        pen.lineTo(Right - 1, Top, shadow);
        pen.lineTo(Right - 1, Bottom - 1, highlight);
        pen.lineTo(Left - 1, Bottom - 1, highlight);
    }
    if (Focused && IsDefault) {
        Left += 3, Top += 3, Right -= 3, Bottom -= 3;
        toolkit::DrawFocusRect(painter, spanRect(Left, Top, Right, Bottom));
    }
    QRect content = spanRect(Left, Top, Right, Bottom);
    if (Pressed)
        content.translate(1, 1);
    return content;
}

void TkavoCustomButton::PaintRequest()
{
    FPaintCanvas.begin(this);
    const bool IsDown = isDown();
    const bool IsDefault = hasFocus();
    const TGlyphState State = !isEnabled() ? gsDisabled : IsDown ? gsDown : gsUp;
    PaintButton(State, rect(), IsDown, IsDefault);
    FPaintCanvas.end();
}

void TkavoCustomButton::DoPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault)
{
    if (OnPaint)
        OnPaint(this, Canvas, Rect, IsDown, IsDefault);
}

void TkavoCustomButton::DoAfterPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault)
{
    if (OnAfterPaint)
        OnAfterPaint(this, Canvas, Rect, IsDown, IsDefault);
}

void TkavoCustomButton::PaintButton(TGlyphState State, QRect Rect, bool IsDown, bool IsDefault)
{
    // The plain look of the base class: the face and the caption centred on it.
    QPainter &canvas = Canvas();
    const QRect content = DrawFace(canvas, Rect, FColor.resolve(palette()), palette(), FHover, IsDown,
                                   FocusAnswer() && FDrawFocus, IsDefault);
    if (OnPaint) {
        DoPaint(canvas, Rect, IsDown, IsDefault);
        return;
    }
    canvas.setFont(font());
    canvas.setPen(palette().color(State == gsDisabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText));
    QRect measured(0, 0, content.width(), 0);
    toolkit::DrawText(canvas, text(), measured, toolkit::DT_CALCRECT);
    const QRect place(CenterLeft(content, measured.width()), CenterTop(content, measured.height()), measured.width(),
                      measured.height());
    DrawAlignedText(canvas, text(), place, toolkit::taLeftJustify);
    DoAfterPaint(canvas, Rect, IsDown, IsDefault);
}

void TkavoCustomButton::Click()
{
    QPointer<TkavoCustomButton> self(this);
    if (FSound && !FClickSound.isEmpty()) {
        if (FClickSound.startsWith(QLatin1Char('#')))
            FSound->PlayResource(FClickSound.mid(1));
        else
            FSound->PlayFile(FClickSound);
    }
    if (!self)
        return;
    QWidget *top = window();
    if (top != this) {
        if (auto *form = qobject_cast<toolkit::TForm *>(top))
            form->setModalResult(FModalResult);
        else if (auto *dialog = qobject_cast<QDialog *>(top); dialog && FModalResult != 0 && dialog->isVisible())
            dialog->done(FModalResult);
    }
    if (self && OnClick)
        OnClick(this);
}

void TkavoCustomButton::paintEvent(QPaintEvent *)
{
    PaintRequest();
}

bool TkavoCustomButton::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange)
        ParentColorChanged();
    return QPushButton::event(event);
}

void TkavoCustomButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::PaletteChange:
        ParentColorChanged();
        break;
    default:
        break;
    }
}

void TkavoCustomButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    if (FFlat)
        setHover(true);
}

void TkavoCustomButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    if (FFlat)
        setHover(false);
}

void TkavoCustomButton::focusInEvent(QFocusEvent *event)
{
    QPushButton::focusInEvent(event);
    FFocusedLook = true;
    update();
}

void TkavoCustomButton::focusOutEvent(QFocusEvent *event)
{
    QPushButton::focusOutEvent(event);
    FFocusedLook = false;
    update();
}

// ---------------------------------------------------------------------------------------------
// TkavoBitBtn

TkavoBitBtn::TkavoBitBtn(QWidget *parent)
    : TkavoCustomButton(parent)
{
    FGlyphObject.OnChange = [this] { update(); };
    setCursorSlot(toolkit::crHandPoint);
    resize(75, 24);
    ParentColorChanged();
}

void TkavoBitBtn::setDropDownMenu(TPopupMenu *menu)
{
    FDropDownMenu = menu;
    if (FMarkDropDown)
        update();
}

void TkavoBitBtn::setMarkDropDown(bool mark)
{
    if (mark == FMarkDropDown)
        return;
    FMarkDropDown = mark;
    update();
}

void TkavoBitBtn::setGlyph(const QImage &glyph)
{
    FGlyphObject.AssignStrip(glyph);
    FGlyphAssigned = true;
    update();
}

void TkavoBitBtn::setNumGlyphs(int count)
{
    if (count < 1)
        return;
    count = qMin(count, 4);
    if (count == FGlyphObject.NumGlyphs())
        return;
    FGlyphObject.SetImageCount(count);
    update();
}

TBitBtnKind TkavoBitBtn::Kind() const
{
    if (FRawKind == bkCustom)
        return FRawKind;
    const bool defaultLost = (FRawKind == bkOK || FRawKind == bkYes) && !Default();
    const bool cancelLost = (FRawKind == bkCancel || FRawKind == bkNo) && !Cancel();
    if (defaultLost || cancelLost || ModalResult() != KindModalResult(FRawKind) || FGlyphAssigned)
        FRawKind = bkCustom;
    return FRawKind;
}

void TkavoBitBtn::setKind(TBitBtnKind kind)
{
    if (kind == FRawKind)
        return;
    if (kind == bkCustom) {
        FRawKind = bkCustom;
        update();
        return;
    }
    setDefault(kind == bkOK || kind == bkYes);
    setCancel(kind == bkCancel || kind == bkNo);
    if (!isLoading() || Caption().isEmpty())
        setCaption(KindCaption(kind));
    setModalResult(KindModalResult(kind));
    FGlyphObject.AssignStrip(KindGlyph(kind));
    setNumGlyphs(2);
    FGlyphAssigned = false;
    FRawKind = kind;
    update();
}

void TkavoBitBtn::setLayout(TButtonLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

void TkavoBitBtn::setMargin(int margin)
{
    if (margin == FMargin || margin < -1)
        return;
    FMargin = margin;
    update();
}

void TkavoBitBtn::setSpacing(int spacing)
{
    if (spacing == FSpacing)
        return;
    FSpacing = spacing;
    update();
}

void TkavoBitBtn::setStyle(TButtonStyle style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    update();
}

void TkavoBitBtn::setBtnType(TkavoButtonType type)
{
    if (type == FBtnType)
        return;
    FBtnType = type;
    update();
}

void TkavoBitBtn::setBackColor(toolkit::TColor color)
{
    if (color == FBackColor)
        return;
    if (!isLoading())
        setParentColor(false);
    FBackColor = color;
    repaint();
}

void TkavoBitBtn::ParentColorChanged()
{
    TkavoCustomButton::ParentColorChanged();
    if (!ParentColor())
        return;
    // Without a parent there is no form either: parentColor() gives the button face then.
    const toolkit::TColor color = toolkit::parentColor(this);
    if (color == FBackColor)
        return;
    FBackColor = color;
    update();
}

QPoint TkavoBitBtn::MenuPoint() const
{
    if (!FDropDownMenu)
        return QPoint(0, 0);
    const int w = width();
    const int h = height();
    switch (FDropDownMenu->Alignment()) {
    case paLeft:
        return FMenuPosition == dmpBottom ? QPoint(-1, h) : QPoint(w, -1);
    case paRight:
        return FMenuPosition == dmpBottom ? QPoint(w + 1, h) : QPoint(-1, -1);
    case paCenter:
        break;
    }
    return QPoint(w / 2, h);
}

bool TkavoBitBtn::HitTest(const QPoint &pos) const
{
    if (FBtnType != btEllipse)
        return true;
    // dx²/a² + dy²/b² <= 1, multiplied out so that a button one pixel wide or high (a or b
    // 0) takes the presses on its centre line instead of dividing by zero.
    const qint64 a = width() / 2;
    const qint64 b = height() / 2;
    const qint64 dx = a - pos.x();
    const qint64 dy = b - pos.y();
    return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
}

bool TkavoBitBtn::onButton(const QPoint &pos) const
{
    return pos.x() >= 0 && pos.x() < width() && pos.y() >= 0 && pos.y() <= height();
}

void TkavoBitBtn::mouseUpStep(Qt::MouseButton button, const QPoint &pos)
{
    if (!FPressTracking || button != Qt::LeftButton)
        return;
    FPressTracking = false;
    if (!onButton(pos)) {
        FDown = false;
        update();
    } else if (FDropDownMenu) {
        FDown = !FDown;
        update();
    }
}

void TkavoBitBtn::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    if (button == Qt::LeftButton && FDropQueuedPress && onButton(pos)) {
        FDropQueuedPress = false;
        event->accept();
        return;
    }
    // A press outside the ellipse, or one while the menu is open, never reaches the button.
    if ((button == Qt::LeftButton && !HitTest(pos)) || FMenuOpen) {
        event->accept();
        return;
    }
    QPointer<TkavoBitBtn> self(this);
    if (button == Qt::LeftButton && isEnabled())
        setFocus(Qt::MouseFocusReason);
    TkavoCustomButton::mousePressEvent(event);
    if (self && OnMouseDown)
        OnMouseDown(this, button, event->modifiers(), pos.x(), pos.y());
    if (!self || button != Qt::LeftButton || !isEnabled())
        return;

    if (FDropDownMenu) {
        if (FDown) {
            FDown = false;
        } else {
            FDown = true;
            repaint();
        }
    }
    FPressTracking = true;
    FMenuOpen = true;
    // Whatever happens while the menu is open, the press ends with neither flag set.
    struct PressEnd
    {
        QPointer<TkavoBitBtn> button;
        ~PressEnd()
        {
            if (!button)
                return;
            button->FMenuOpen = false;
            if (button->FDown) {
                button->FDown = false;
                button->update();
            }
        }
    } pressEnd{self};

    const QPoint point = MenuPoint();
    TPopupMenu *menu = FDropDownMenu;
    if (!menu || !menu->AutoPopup())
        return;
    // The menu takes the pointer: the press no longer holds the button down.
    QAbstractButton::setDown(false);
    menu->setPopupComponent(this);
    menu->Popup(mapToGlobal(point));
    if (!self)
        return;
    mouseUpStep(button, pos);
    // A press on the button that closed the menu comes back to the button (Qt replays it), and
    // would open the menu again: a press already queued now is dropped. Posted events arrive in
    // order, so the queued call below ends the drop after them.
    FDropQueuedPress = true;
    QMetaObject::invokeMethod(
        this, [this] { FDropQueuedPress = false; }, Qt::QueuedConnection);
}

void TkavoBitBtn::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    QPointer<TkavoBitBtn> self(this);
    TkavoCustomButton::mouseReleaseEvent(event);
    if (self && OnMouseUp)
        OnMouseUp(this, button, event->modifiers(), pos.x(), pos.y());
    if (self)
        mouseUpStep(button, pos);
}

void TkavoBitBtn::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click arrives as the double click alone: taken as a press,
    // each click of a double click is a click of its own.
    mousePressEvent(event);
}

void TkavoBitBtn::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    setHover(true);
}

void TkavoBitBtn::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    setHover(false);
}

void TkavoBitBtn::Click()
{
    if (FRawKind == bkHelp) {
        for (const QWidget *w = this; w; w = w->parentWidget()) {
            const int context = w->property("HelpContext").toInt();
            if (context != 0) {
                if (helpContextHandler())
                    helpContextHandler()(context);
                return;
            }
        }
    }
    if (FRawKind == bkClose) {
        if (QWidget *form = OwnerForm()) {
            form->close();
            return;
        }
    }
    TkavoCustomButton::Click();
}

void TkavoBitBtn::PaintButton(TGlyphState State, QRect Rect, bool IsDown, bool IsDefault)
{
    QPainter &canvas = Canvas();
    canvas.setFont(font());
    const QPalette &colours = palette();
    if (Flat() && !Hover()) {
        canvas.fillRect(Rect, FBackColor.resolve(colours));
        if (FBtnType == btRectangle)
            drawContents(State, Rect, IsDown, IsDefault, Rect);
        else
            drawEllipse(State, Rect, IsDown, IsDefault);
        return;
    }
    if (FBtnType == btRectangle) {
        const QRect content = DrawFace(canvas, Rect, Color().resolve(colours), colours, Hover(), IsDown || FDown,
                                       FocusAnswer() && DrawFocus(), IsDefault);
        drawContents(State, content, IsDown, IsDefault, Rect);
    } else {
        canvas.fillRect(Rect, FBackColor.resolve(colours));
        drawEllipse(State, Rect, IsDown, IsDefault);
    }
}

void TkavoBitBtn::drawContents(TGlyphState State, const QRect &R, bool IsDown, bool IsDefault, const QRect &paintRect)
{
    QPainter &canvas = Canvas();
    const QPalette &colours = palette();
    std::unique_ptr<TButtonGlyph> imageGlyph;
    if (Images()) {
        // Only for the layout: the image itself is drawn from the list.
        imageGlyph = std::make_unique<TButtonGlyph>();
        const QImage bitmap = Images()->GetBitmap(ImageIndex());
        imageGlyph->SetGlyphBitmap(bitmap);
        if (const auto face = TButtonGlyph::BitmapTransparentColor(bitmap))
            imageGlyph->FaceColor = *face;
    } else {
        FGlyphObject.setPalette(colours);
        FGlyphObject.FaceColor = Color();
        if (const auto transparent = TButtonGlyph::BitmapTransparentColor(Glyph()))
            FGlyphObject.TransparentColor = *transparent;
    }
    canvas.setFont(font());
    canvas.setPen(colours.color(QPalette::Active, QPalette::ButtonText));
    if (OnPaint) {
        DoPaint(canvas, paintRect, IsDown || FDown, IsDefault);
        return;
    }

    QRect caption;
    if (imageGlyph) {
        const TGlyphLayout placed = imageGlyph->ComputeLayout(canvas, R, Caption(), FLayout, FMargin, FSpacing);
        const QPoint at = placed.GlyphPos;
        if (isEnabled())
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex(), idsTransparent);
        else if (NumGlyphs() >= 2)
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex() + 1, idsTransparent);
        else
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex(), idsBlend25);
        imageGlyph->PaintCaption(canvas, Caption(), placed.TextBounds, State);
        caption = placed.TextBounds;
    } else {
        caption = FGlyphObject.Paint(canvas, R, Caption(), FLayout, FMargin, FSpacing, State);
    }

    if (FMarkDropDown && FDropDownMenu) {
        const int top = caption.top();
        const int bottom = caption.top() + caption.height();
        drawDropDownMark(canvas, caption.left() + caption.width() + 2, halfRoundedToEven(top + bottom));
    }
    DoAfterPaint(canvas, paintRect, IsDown || FDown, IsDefault);
}

void TkavoBitBtn::drawDropDownMark(QPainter &painter, int x, int y) const
{
    auto triangle = [&painter](int x0, int y0, const QColor &color) {
        painter.fillRect(QRect(x0, y0 - 1, 7, 1), color);
        painter.fillRect(QRect(x0 + 1, y0, 5, 1), color);
        painter.fillRect(QRect(x0 + 2, y0 + 1, 3, 1), color);
        painter.fillRect(QRect(x0 + 3, y0 + 2, 1, 1), color);
    };
    const QPalette &colours = palette();
    if (isEnabled()) {
        triangle(x, y, toolkit::clBtnText.resolve(colours));
    } else {
        triangle(x + 1, y + 1, toolkit::clBtnHighlight.resolve(colours));
        triangle(x, y, toolkit::clBtnShadow.resolve(colours));
    }
}

void TkavoBitBtn::drawEllipse(TGlyphState State, const QRect &clientRect, bool IsDown, bool IsDefault)
{
    QPainter &canvas = Canvas();
    const bool pressed = IsDown || FDown;
    if (OnPaint) {
        DoPaint(canvas, clientRect, pressed, IsDefault);
        return;
    }
    const QPalette &colours = palette();
    const QColor face = Color().resolve(colours);
    const QColor shadow = toolkit::clBtnShadow.resolve(colours);
    const QColor highlight = toolkit::clBtnHighlight.resolve(colours);
    const QColor frame = toolkit::clWindowFrame.resolve(colours);
    QRect T = clientRect;

    int Left = clientRect.left() + 1;
    int Top = clientRect.top() + 1;
    int Right = clientRect.left() + clientRect.width() - 1;
    int Bottom = clientRect.top() + clientRect.height() - 1;

    // 45 is taken in radians here, which puts the light's boundary at about 49 degrees.
    const double s = std::sin(45.0);
    const int dx = int(std::nearbyint(s * (Right - Left) / 2.0));
    const int dy = int(std::nearbyint(s * (Bottom - Top) / 2.0));
    const int cx = (Right - Left) / 2 + Left + 1;
    const int cy = (Bottom - Top) / 2 + Top + 1;
    const QPoint start(cx - dx, cy + dy);
    const QPoint end(start.x() + 2 * dx, start.y() - 2 * dy);

    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // The desktop's ellipse in left, top, right, bottom (right and bottom exclusive), outlined
    // in pen and filled with the face colour.
    auto ellipse = [&canvas, &face](int l, int t, int r, int b, const QColor &pen) {
        canvas.setPen(QPen(pen, 0));
        canvas.setBrush(face);
        canvas.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
    };
    // The counter-clockwise arc of that ellipse from the ray through `from` to the ray through
    // `to`, both from the ellipse's centre: the ellipse's own outline inside that wedge, so that
    // the arc covers the outline drawn before it pixel for pixel.
    auto arc = [&canvas](int l, int t, int r, int b, QPoint from, QPoint to, const QColor &pen) {
        const QRectF box(l, t, r - l - 1, b - t - 1);
        const QPointF centre = box.center();
        auto degrees = [&centre](QPoint p) { return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()) * 180.0 / M_PI; };
        const double startAngle = degrees(from);
        double span = degrees(to) - startAngle;
        while (span <= 0)
            span += 360.0;
        const double reach = 4.0 * (box.width() + box.height() + 2);
        QPainterPath wedge(centre);
        wedge.arcTo(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach), startAngle, span);
        wedge.closeSubpath();
        canvas.save();
        canvas.setClipPath(wedge, Qt::IntersectClip);
        canvas.setPen(QPen(pen, 0));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
        canvas.restore();
    };
    if (pressed) {
        ellipse(Left, Top, Right, Bottom, shadow);
        ellipse(Left + 1, Top + 1, Right, Bottom, highlight);
        ellipse(Left + 1, Top + 1, Right - 1, Bottom - 1, frame);
        arc(Left + 1, Top + 1, Right - 1, Bottom - 1, start, end, shadow);
    } else {
        ellipse(Left, Top, Right - 1, Bottom - 1, shadow);
        ellipse(Left + 2, Top + 2, Right, Bottom, frame);
        ellipse(Left + 1, Top + 1, Right - 1, Bottom - 1, highlight);
        arc(Left + 1, Top + 1, Right - 1, Bottom - 1, start, end, shadow);
    }
    canvas.restore();

    if (IsDown)
        T.translate(1, 1);
    const QString caption = Caption().left(TButtonGlyph::MaxCaption);
    const unsigned format = toolkit::DT_CENTER | toolkit::DT_VCENTER | toolkit::DT_SINGLELINE;
    canvas.setBrush(Qt::NoBrush);
    if (State == gsDisabled) {
        T.translate(1, 1);
        canvas.setPen(highlight);
        toolkit::DrawText(canvas, caption, T, format);
        T.translate(-1, -1);
        canvas.setPen(shadow);
        toolkit::DrawText(canvas, caption, T, format);
    } else {
        canvas.setFont(font());
        canvas.setPen(colours.color(QPalette::Active, QPalette::ButtonText));
        toolkit::DrawText(canvas, caption, T, format);
    }

    Left += 3, Top += 3, Right -= 3, Bottom -= 3;
    DoAfterPaint(canvas, clientRect, pressed, IsDefault);
    if (IsDefault) {
        canvas.save();
        canvas.setRenderHint(QPainter::Antialiasing, false);
        canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        canvas.setPen(QPen(face, 0, Qt::DotLine));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawEllipse(QRect(Left, Top, Right - Left - 1, Bottom - Top - 1));
        canvas.restore();
    }
}
