// SPDX-License-Identifier: MIT
#pragma once

#include "Colors.h"
#include "Component.h"
#include "Cursors.h"
#include "KvTools.h"

#include <QColor>
#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPainter>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QPushButton>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>


// ---------------------------------------------------------------------------------------------
// Image lists
// ---------------------------------------------------------------------------------------------

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

// ---------------------------------------------------------------------------------------------
// Glyph cache: state images of button glyphs, shared by every glyph of one size
// ---------------------------------------------------------------------------------------------

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

// An image list of one image size whose slots are handed out and taken back. A released slot
// keeps its pixels until it is handed out again.
class TGlyphList : public TCustomImageList
{
    Q_OBJECT

public:
    TGlyphList(int width, int height);

    int UsedCount() const { return FUsedCount; }
    const TBitPool &Used() const { return FUsed; }

    // Puts the image (with an optional mask, white = transparent) into the lowest free slot,
    // growing the list only when none is free. Returns the slot.
    int AddImage(const QImage &image, const QImage &mask = QImage());
    int AddImageMasked(const QImage &image, const QColor &maskColor);
    // Releasing a free slot does nothing.
    void ReleaseSlot(int slot);

private:
    int AcquireSlot();

    TBitPool FUsed;
    int FUsedCount = 0;
};

// The glyph lists of the process, one per image size.
class TGlyphCache
{
public:
    // The list for images of width x height, made on first demand.
    TGlyphList *ListFor(int width, int height);
    // Frees the list once no slot of it is in use.
    void Release(TGlyphList *list);
    bool IsEmpty() const { return FLists.empty(); }
    int ListCount() const { return int(FLists.size()); }

private:
    std::vector<std::unique_ptr<TGlyphList>> FLists;
};

// The process's glyph cache, or nullptr while no glyph needs one.
TGlyphCache *GlyphCache();

// The states a glyph is drawn in; strip image k belongs to state k.
enum TGlyphState : quint8 { gsUp, gsDisabled, gsDown, gsExclusive };

// Glyph and caption positions inside a button, from TButtonGlyph::ComputeLayout.
struct TGlyphLayout
{
    QPoint GlyphPos;
    QRect TextBounds;
};

enum TButtonLayout : quint8 { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// One button's glyph: a strip of one to four images (normal, disabled, pressed, exclusive)
// whose state images are built on demand into the shared list of their size.
class TButtonGlyph
{
public:
    static constexpr int MaxCaption = 255;

    TButtonGlyph();
    TButtonGlyph(const TButtonGlyph &) = delete;
    TButtonGlyph &operator=(const TButtonGlyph &) = delete;
    ~TButtonGlyph();

    // Background of the state images and mask colour of the normal and pressed ones.
    toolkit::TColor FaceColor = toolkit::clBtnFace;
    // Pixels of this colour in the strip are background.
    toolkit::TColor TransparentColor = toolkit::TColor::fromRgb(0x808000);
    // Fired when the glyph bitmap changes.
    std::function<void()> OnChange;

    // The palette that system colours are taken from; the application's unless set.
    void setPalette(const QPalette &palette) { FPalette = palette; }

    const QImage &Glyph() const { return FGlyph; }
    int NumGlyphs() const { return FNumGlyphs; }
    TGlyphList *List() const { return FList; }
    int Index(TGlyphState state) const { return FIndexes[state]; }

    // Takes a copy of the strip (a null image empties the glyph) and, for a strip whose width
    // is a whole multiple of its height, that many images (more than four count as one).
    void AssignStrip(const QImage &strip);
    // A count of 0 and the current count change nothing; no change event is fired.
    void SetImageCount(int count);
    // Replaces the bitmap as it is, keeping the image count, and fires the change event.
    void SetGlyphBitmap(const QImage &bitmap);

    // The slot of state's image in List(), built on first demand.
    int StateImage(TGlyphState state);
    void ReleaseImages();

    void PaintGlyph(QPainter &painter, int x, int y, TGlyphState state);
    void PaintCaption(QPainter &painter, const QString &caption, const QRect &rect, TGlyphState state) const;
    TGlyphLayout ComputeLayout(QPainter &painter, const QRect &client, const QString &caption, TButtonLayout layout,
                               int margin, int spacing) const;
    // The layout for a caption already measured: textSize (0 x 0 for no caption) placed at the
    // caption's rectangle's origin.
    static TGlyphLayout LayoutFor(const QRect &client, const QSize &glyphSize, const QSize &textSize,
                                  TButtonLayout layout, int margin, int spacing);
    // Lays out, draws glyph and caption, and returns the caption's rectangle.
    QRect Paint(QPainter &painter, const QRect &client, const QString &caption, TButtonLayout layout, int margin,
                int spacing, TGlyphState state);

    // The colour a bitmap's background is taken to be: its bottom-left pixel. None for an empty
    // bitmap.
    static std::optional<toolkit::TColor> BitmapTransparentColor(const QImage &bitmap);

private:
    bool hasGlyph() const { return !FGlyph.isNull() && FGlyph.width() > 0 && FGlyph.height() > 0; }
    QSize imageSize() const;
    QPalette palette() const;
    void glyphBitmapChanged();
    QImage embossedImage(const QColor &face) const;

    QImage FGlyph;
    TGlyphList *FList = nullptr;
    int FIndexes[4] = {-1, -1, -1, -1};
    int FNumGlyphs = 1;
    std::optional<QPalette> FPalette;
};

// ---------------------------------------------------------------------------------------------
// Drop-down menu
// ---------------------------------------------------------------------------------------------

// Which point of the menu goes to the popup point: its top-left, top-right or top centre.
enum TPopupAlignment : quint8 { paLeft, paRight, paCenter };

// A popup menu that knows whether it may open by itself and how it lines up with the point it
// is opened at.
class TPopupMenu : public QMenu
{
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE setAutoPopup)
    Q_PROPERTY(TPopupAlignment Alignment READ Alignment WRITE setAlignment)

public:
    explicit TPopupMenu(QWidget *parent = nullptr);

    // Whether a control may open the menu on its own, by a press.
    bool AutoPopup() const { return FAutoPopup; }
    void setAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void setAlignment(TPopupAlignment alignment) { FAlignment = alignment; }
    // The control that opened the menu last.
    QObject *PopupComponent() const { return FPopupComponent; }
    void setPopupComponent(QObject *component) { FPopupComponent = component; }

    // Where the menu's top-left corner goes for a popup at the global point.
    QPoint PopupOrigin(const QPoint &point) const;
    // Shows the menu at the global point, lined up as Alignment says, and returns when it has
    // closed.
    void Popup(const QPoint &point);

private:
    bool FAutoPopup = true;
    TPopupAlignment FAlignment = paLeft;
    QPointer<QObject> FPopupComponent;
};

// ---------------------------------------------------------------------------------------------
// Bitmap button
// ---------------------------------------------------------------------------------------------

enum TBitBtnKind : quint8 { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
enum TButtonStyle : quint8 { bsAutoDetect, bsWin31, bsNew };
enum TkavoButtonType : quint8 { btRectangle, btEllipse };
enum TkavoDropDownMenuPos : quint8 { dmpBottom, dmpRight };

// Rect is the rectangle the button was drawn in; IsDown says it is drawn pressed, IsDefault
// that it has the keyboard focus.
using TkavoButtonPaintEvent =
    std::function<void(QObject *Sender, QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault)>;
// X and Y in the control's coordinates.
using TMouseEvent = std::function<void(QObject *Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                                       int Y)>;

// Shows the help for a help context; the program installs it when it has help to show.
void setHelpContextHandler(std::function<void(int HelpContext)> handler);

// The caption a kind gives its button (empty for bkCustom), from the string table.
QString KindCaption(TBitBtnKind kind);
// The glyph strip of a kind (null for bkCustom), loaded once and shared.
QImage KindGlyph(TBitBtnKind kind);
// The modal result a kind gives its button.
int KindModalResult(TBitBtnKind kind);

// The library's owner-drawn push button: face, hover look, flat look, drop-down mark and paint
// events, with the default and cancel roles and modal result of a form's push button.
class TkavoCustomButton : public QPushButton, public toolkit::TComponent
{
    Q_OBJECT

public:
    explicit TkavoCustomButton(QWidget *parent = nullptr);

    bool DrawFocus() const { return FDrawFocus; }
    void setDrawFocus(bool drawFocus);
    TCustomImageList *Images() const { return FImages; }
    void setImages(TCustomImageList *images);
    int ImageIndex() const { return FImageIndex; }
    void setImageIndex(int index);
    bool Flat() const { return FFlat; }
    void setFlat(bool flat);
    toolkit::TColor Color() const { return FColor; }
    // Leaves ParentColor as it is.
    void setColor(toolkit::TColor color);
    bool ParentColor() const { return FParentColor; }
    void setParentColor(bool parentColor);
    TkavoSound *Sound() const { return FSound; }
    void setSound(TkavoSound *sound) { FSound = sound; }
    QString ClickSound() const { return FClickSound; }
    // A leading "#" names a raw-data resource, anything else a wave file.
    void setClickSound(const QString &sound) { FClickSound = sound; }
    toolkit::TCursor Cursor() const { return FCursor; }
    void setCursorSlot(toolkit::TCursor cursor);
    int HelpContext() const { return FHelpContext; }
    void setHelpContext(int context) { FHelpContext = context; }

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);
    bool Cancel() const { return FCancel; }
    void setCancel(bool cancel) { FCancel = cancel; }
    bool Default() const { return isDefault(); }
    int ModalResult() const { return FModalResult; }
    void setModalResult(int result) { FModalResult = result; }

    bool Hover() const { return FHover; }
    // The first form among the button's ancestors.
    QWidget *OwnerForm() const;
    // Whether the button should look focused: it is its form's active control, or, without a
    // form, what the last look request said.
    bool FocusAnswer() const;

    // The face of a rectangular button in rect: returns the rectangle left for the contents.
    static QRect DrawFace(QPainter &painter, const QRect &rect, const QColor &face, const QPalette &palette, bool Hover,
                          bool Pressed, bool Focused, bool IsDefault);

    TkavoButtonPaintEvent OnPaint;
    TkavoButtonPaintEvent OnAfterPaint;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    toolkit::TNotifyEvent OnClick;

    QSize sizeHint() const override { return {75, 24}; }

protected:
    // The canvas of the draw request being answered; inactive outside one.
    QPainter &Canvas() { return FPaintCanvas; }

    virtual void PaintRequest();
    virtual void DoPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault);
    virtual void DoAfterPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault);
    virtual void PaintButton(TGlyphState State, QRect Rect, bool IsDown, bool IsDefault);
    // Asked whenever the focus moves: whether the button should take the default look now.
    virtual void SetButtonStyle(bool ADefault);
    virtual void Click();
    virtual void ParentColorChanged();

    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

    void setHover(bool hover);

private:
    bool FDrawFocus = true;
    QPointer<TCustomImageList> FImages;
    int FImageIndex = -1;
    bool FHover = false;
    bool FFlat = false;
    toolkit::TColor FColor = toolkit::clBtnFace;
    bool FParentColor = true;
    QPointer<TkavoSound> FSound;
    QString FClickSound;
    bool FFocusedLook = false;
    QPainter FPaintCanvas;
    toolkit::TCursor FCursor = toolkit::crDefault;
    int FHelpContext = 0;
    bool FCancel = false;
    int FModalResult = 0;
};

// The bitmap button placed on forms: a glyph or image-list image beside the caption, standard
// kinds, flat and elliptical looks, and a drop-down menu.
class TkavoBitBtn : public TkavoCustomButton
{
    Q_OBJECT
    Q_PROPERTY(bool DrawFocus READ DrawFocus WRITE setDrawFocus)
    Q_PROPERTY(bool Down READ Down WRITE setDownLook)
    Q_PROPERTY(TPopupMenu *DropDownMenu READ DropDownMenu WRITE setDropDownMenu)
    Q_PROPERTY(TkavoDropDownMenuPos MenuPosition READ MenuPosition WRITE setMenuPosition)
    Q_PROPERTY(bool MarkDropDown READ MarkDropDown WRITE setMarkDropDown)
    Q_PROPERTY(TCustomImageList *Images READ Images WRITE setImages)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
    Q_PROPERTY(bool Flat READ Flat WRITE setFlat)
    Q_PROPERTY(toolkit::TColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Default READ Default WRITE setDefault)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph)
    Q_PROPERTY(TBitBtnKind Kind READ Kind WRITE setKind)
    Q_PROPERTY(TButtonLayout Layout READ Layout WRITE setLayout)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(TButtonStyle Style READ Style WRITE setStyle)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(TkavoButtonType BtnType READ BtnType WRITE setBtnType)
    Q_PROPERTY(toolkit::TColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(toolkit::TCursor Cursor READ Cursor WRITE setCursorSlot)
    Q_PROPERTY(TkavoSound *Sound READ Sound WRITE setSound)
    Q_PROPERTY(QString ClickSound READ ClickSound WRITE setClickSound)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE setHelpContext)

public:
    explicit TkavoBitBtn(QWidget *parent = nullptr);

    // Whether the face is drawn pressed whatever the pointer does; apart from Qt's own pressed
    // state (isDown()).
    bool Down() const { return FDown; }
    // Takes effect at the next repaint.
    void setDownLook(bool down) { FDown = down; }
    TPopupMenu *DropDownMenu() const { return FDropDownMenu; }
    void setDropDownMenu(TPopupMenu *menu);
    TkavoDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void setMenuPosition(TkavoDropDownMenuPos position) { FMenuPosition = position; }
    bool MarkDropDown() const { return FMarkDropDown; }
    void setMarkDropDown(bool mark);
    QImage Glyph() const { return FGlyphObject.Glyph(); }
    void setGlyph(const QImage &glyph);
    int NumGlyphs() const { return FGlyphObject.NumGlyphs(); }
    // Counts above 4 give 4; counts below 1 are refused.
    void setNumGlyphs(int count);
    // Falls back to bkCustom, for good, once the button no longer matches its kind.
    TBitBtnKind Kind() const;
    void setKind(TBitBtnKind kind);
    TButtonLayout Layout() const { return FLayout; }
    void setLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    // -1 centres the glyph and caption; values below -1 are refused.
    void setMargin(int margin);
    int Spacing() const { return FSpacing; }
    // -1 spreads the free space evenly.
    void setSpacing(int spacing);
    TButtonStyle Style() const { return FStyle; }
    void setStyle(TButtonStyle style);
    TkavoButtonType BtnType() const { return FBtnType; }
    void setBtnType(TkavoButtonType type);
    toolkit::TColor BackColor() const { return FBackColor; }
    // Ends following the parent's colour, except while loading.
    void setBackColor(toolkit::TColor color);

    bool PressTracking() const { return FPressTracking; }
    bool MenuOpen() const { return FMenuOpen; }
    // The point (in the button's coordinates) a press opens the drop-down menu at.
    QPoint MenuPoint() const;
    // Whether a left press at pos reaches the button; only the ellipse of an elliptical button
    // takes presses.
    bool HitTest(const QPoint &pos) const;

    Q_INVOKABLE bool isDrawFocusStored() const { return !DrawFocus(); }
    Q_INVOKABLE bool isDownStored() const { return FDown; }
    Q_INVOKABLE bool isDropDownMenuStored() const { return FDropDownMenu != nullptr; }
    Q_INVOKABLE bool isMenuPositionStored() const { return FMenuPosition != dmpBottom; }
    Q_INVOKABLE bool isMarkDropDownStored() const { return !FMarkDropDown; }
    Q_INVOKABLE bool isImagesStored() const { return Images() != nullptr; }
    Q_INVOKABLE bool isImageIndexStored() const { return ImageIndex() != -1; }
    Q_INVOKABLE bool isFlatStored() const { return Flat(); }
    Q_INVOKABLE bool isColorStored() const { return !ParentColor() && Color() != toolkit::clBtnFace; }
    Q_INVOKABLE bool isParentColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isCancelStored() const { return Kind() == bkCustom && Cancel(); }
    Q_INVOKABLE bool isCaptionStored() const { return Caption() != KindCaption(FRawKind); }
    Q_INVOKABLE bool isDefaultStored() const { return Kind() == bkCustom && Default(); }
    Q_INVOKABLE bool isGlyphStored() const { return Kind() == bkCustom && !Glyph().isNull(); }
    Q_INVOKABLE bool isKindStored() const { return Kind() != bkCustom; }
    Q_INVOKABLE bool isLayoutStored() const { return FLayout != blGlyphLeft; }
    Q_INVOKABLE bool isMarginStored() const { return FMargin != -1; }
    Q_INVOKABLE bool isModalResultStored() const { return Kind() == bkCustom && ModalResult() != 0; }
    Q_INVOKABLE bool isNumGlyphsStored() const { return Kind() == bkCustom && NumGlyphs() != 1; }
    Q_INVOKABLE bool isStyleStored() const { return FStyle != bsAutoDetect; }
    Q_INVOKABLE bool isSpacingStored() const { return FSpacing != 4; }
    Q_INVOKABLE bool isBtnTypeStored() const { return FBtnType != btRectangle; }
    Q_INVOKABLE bool isBackColorStored() const { return !ParentColor() && FBackColor != toolkit::clBtnFace; }
    Q_INVOKABLE bool isCursorStored() const { return Cursor() != toolkit::crHandPoint; }
    Q_INVOKABLE bool isSoundStored() const { return Sound() != nullptr; }
    Q_INVOKABLE bool isClickSoundStored() const { return !ClickSound().isEmpty(); }

protected:
    void PaintButton(TGlyphState State, QRect Rect, bool IsDown, bool IsDefault) override;
    void Click() override;
    void ParentColorChanged() override;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void drawContents(TGlyphState State, const QRect &R, bool IsDown, bool IsDefault, const QRect &paintRect);
    void drawEllipse(TGlyphState State, const QRect &clientRect, bool IsDown, bool IsDefault);
    void drawDropDownMark(QPainter &painter, int x, int y) const;
    void mouseUpStep(Qt::MouseButton button, const QPoint &pos);
    bool onButton(const QPoint &pos) const;

    TButtonGlyph FGlyphObject;
    TButtonStyle FStyle = bsNew;
    mutable TBitBtnKind FRawKind = bkCustom;
    TkavoButtonType FBtnType = btRectangle;
    toolkit::TColor FBackColor = toolkit::clBtnFace;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FGlyphAssigned = false;
    bool FMarkDropDown = true;
    QPointer<TPopupMenu> FDropDownMenu;
    bool FPressTracking = false;
    TkavoDropDownMenuPos FMenuPosition = dmpBottom;
    bool FMenuOpen = false;
    bool FDown = false;
    bool FDropQueuedPress = false;
};
