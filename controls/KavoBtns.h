// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The bitmap button TkavoBitBtn, its standard kinds and the owner-drawn button it builds on.

#include "kavocontrols_export.h"

#include "Colors.h"
#include "Component.h"
#include "Cursors.h"
#include "KvGlyphs.h"
#include "KvImgList.h"
#include "KvPopup.h"
#include "KvSoundSource.h"

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

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// ---------------------------------------------------------------------------------------------
/// Bitmap button
// ---------------------------------------------------------------------------------------------

/// The button's enumerations, in a namespace whose meta-object gives form builders their
/// names; the names are used unqualified everywhere else.
namespace KavoBtns {
Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)
/// A standard button: its caption, glyph, modal result and default or cancel role (bkCustom:
/// none of them).
enum TBitBtnKind : quint8 { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
Q_ENUM_NS(TBitBtnKind)
/// Kept for forms that name it; every style draws the same.
enum TButtonStyle : quint8 { bsAutoDetect, bsWin31, bsNew };
Q_ENUM_NS(TButtonStyle)
/// The button's shape.
enum TkavoButtonType : quint8 { btRectangle, btEllipse };
Q_ENUM_NS(TkavoButtonType)
/// Where the drop-down menu opens: below the button or at its right.
enum TkavoDropDownMenuPos : quint8 { dmpBottom, dmpRight };
Q_ENUM_NS(TkavoDropDownMenuPos)
} // namespace KavoBtns
// A directive, not `using enum`: clang before 15 takes a class's own `using enum` of the same
// enumeration, which forms compiled by uic need, for a redeclaration of this one.
using namespace KavoBtns;

/// Rect is the rectangle the button was drawn in; IsDown says it is drawn pressed, IsDefault
/// that it has the keyboard focus.
using TkavoButtonPaintEvent =
    std::function<void(QObject *Sender, QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault)>;

/// Shows the help for a help context; the program installs it when it has help to show.
KAVOCONTROLS_EXPORT void setHelpContextHandler(std::function<void(int HelpContext)> handler);

/// The caption a kind gives its button (empty for bkCustom), from the string table.
KAVOCONTROLS_EXPORT QString KindCaption(TBitBtnKind kind);
/// The glyph strip of a kind (null for bkCustom), loaded once and shared.
KAVOCONTROLS_EXPORT QImage KindGlyph(TBitBtnKind kind);
/// The modal result a kind gives its button.
KAVOCONTROLS_EXPORT int KindModalResult(TBitBtnKind kind);

/// The library's owner-drawn push button, with no property published for form builders.
///
/// It draws its own face with a hover and a flat look, calls paint events before and after,
/// and has the default and cancel roles and the modal result of a form's push button: in a
/// toolkit::TForm a click sets the form's modal result, which ends a modal showing. Forms use
/// TkavoBitBtn; derive from this class for a button that paints something else.
///
/// @code
/// class TSwatchButton : public TkavoCustomButton { using TkavoCustomButton::TkavoCustomButton; };
/// TSwatchButton swatch(form); swatch.setModalResult(toolkit::mrOk);
/// @endcode
///
/// @qtdiff
/// A QPushButton that paints itself rather than through the style. Cancel marks the button
/// Escape presses, as QDialogButtonBox's reject role would, and ModalResult is the result a
/// click gives its form, as QDialog::done() takes. The click reaches OnClick as well as
/// QAbstractButton::clicked().
class KAVOCONTROLS_EXPORT TkavoCustomButton : public QPushButton, public toolkit::TComponent
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
    /// Leaves ParentColor as it is.
    void setColor(toolkit::TColor color);
    bool ParentColor() const { return FParentColor; }
    void setParentColor(bool parentColor);
    TkavoSoundSource *Sound() const { return FSound; }
    void setSound(TkavoSoundSource *sound) { FSound = sound; }
    QString ClickSound() const { return FClickSound; }
    /// A leading "#" names a raw-data resource, anything else a wave file.
    void setClickSound(const QString &sound) { FClickSound = sound; }
    toolkit::TCursor Cursor() const { return FCursor; }
    void setCursorSlot(toolkit::TCursor cursor);
    int HelpContext() const { return FHelpContext; }
    void setHelpContext(int context) { FHelpContext = context; }

    QString Caption() const { return text(); }
    void setCaption(const QString &caption);
    bool Cancel() const { return FCancel; }
    void setCancel(bool cancel);
    bool Default() const { return isDefault(); }
    /// Stands in for QPushButton::setDefault, so that a descendant hears of the change.
    void setDefault(bool isDefault);
    int ModalResult() const { return FModalResult; }
    void setModalResult(int result);

    bool Hover() const { return FHover; }
    /// The first form among the button's ancestors.
    QWidget *OwnerForm() const;
    /// Whether the button should look focused: it is its form's active control, or, without a
    /// form, what the last look request said.
    bool FocusAnswer() const;

    /// The face of a rectangular button in rect: returns the rectangle left for the contents.
    static QRect DrawFace(QPainter &painter, const QRect &rect, const QColor &face, const QPalette &palette, bool Hover,
                          bool Pressed, bool Focused, bool IsDefault);

    TkavoButtonPaintEvent OnPaint;
    TkavoButtonPaintEvent OnAfterPaint;
    toolkit::TMouseEvent OnMouseDown;
    toolkit::TMouseEvent OnMouseUp;
    toolkit::TNotifyEvent OnClick;

    QSize sizeHint() const override { return {75, 24}; }

protected:
    virtual void PaintRequest(QPainter &Canvas);
    virtual void DoPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault);
    virtual void DoAfterPaint(QPainter &Canvas, QRect Rect, bool IsDown, bool IsDefault);
    virtual void PaintButton(QPainter &Canvas, TGlyphState State, QRect Rect, bool IsDown, bool IsDefault);
    /// Asked whenever the focus moves: whether the button should take the default look now.
    virtual void SetButtonStyle(bool ADefault);
    virtual void Click();
    virtual void ParentColorChanged();
    /// Default, Cancel or ModalResult has changed.
    virtual void RolesChanged() {}
    /// Color or the palette has changed.
    virtual void ColorsChanged() {}

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
    QPointer<TkavoSoundSource> FSound;
    QString FClickSound;
    bool FFocusedLook = false;
    toolkit::TCursor FCursor = toolkit::crDefault;
    int FHelpContext = 0;
    bool FCancel = false;
    int FModalResult = 0;
};

/// The library's bitmap button, with its properties published for Qt Designer, uic and
/// QUiLoader.
///
/// A glyph (a strip of up to four pictures: normal, disabled, pressed, exclusive) or an
/// image-list image beside the caption, laid out by Layout, Margin and Spacing; standard kinds
/// (Kind) that bring caption, glyph, modal result and default or cancel role; flat and
/// elliptical looks; a drop-down menu with its mark; and an optional click sound (Sound).
///
/// @code
/// auto *ok = new TkavoBitBtn(dialog);
/// ok->setKind(bkOK); // "OK", the green tick, default button, modal result mrOk
/// @endcode
///
/// @qtdiff
/// Where a QPushButton takes a QIcon, this button takes one picture strip whose disabled
/// picture it embosses itself when the strip has none, and it can put the picture on any side
/// of the caption. Its kinds stand for QDialogButtonBox's standard buttons, one button at a
/// time. The drop-down menu opens on a press, below or beside the button, as QToolButton's
/// menu does, and the button may be an ellipse that takes presses only inside its shape.
class KAVOCONTROLS_EXPORT TkavoBitBtn : public TkavoCustomButton
{
    Q_OBJECT
    Q_PROPERTY(bool DrawFocus READ DrawFocus WRITE setDrawFocus RESET resetDrawFocus)
    Q_PROPERTY(bool Down READ Down WRITE setDownLook RESET resetDown)
    Q_PROPERTY(TPopupMenu *DropDownMenu READ DropDownMenu WRITE setDropDownMenu RESET resetDropDownMenu)
    Q_PROPERTY(KavoBtns::TkavoDropDownMenuPos MenuPosition READ MenuPosition WRITE setMenuPosition RESET resetMenuPosition)
    Q_PROPERTY(bool MarkDropDown READ MarkDropDown WRITE setMarkDropDown RESET resetMarkDropDown)
    Q_PROPERTY(TCustomImageList *Images READ Images WRITE setImages RESET resetImages)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex RESET resetImageIndex)
    Q_PROPERTY(bool Flat READ Flat WRITE setFlat RESET resetFlat)
    Q_PROPERTY(toolkit::TColor Color READ Color WRITE setColor RESET resetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor RESET resetParentColor)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel RESET resetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption RESET resetCaption)
    Q_PROPERTY(bool Default READ Default WRITE setDefault RESET resetDefault)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE setGlyph RESET resetGlyph)
    Q_PROPERTY(KavoBtns::TBitBtnKind Kind READ Kind WRITE setKind RESET resetKind)
    Q_PROPERTY(KvGlyphs::TButtonLayout Layout READ Layout WRITE setLayout RESET resetLayout)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin RESET resetMargin)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult RESET resetModalResult)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs RESET resetNumGlyphs)
    Q_PROPERTY(KavoBtns::TButtonStyle Style READ Style WRITE setStyle RESET resetStyle)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing RESET resetSpacing)
    Q_PROPERTY(KavoBtns::TkavoButtonType BtnType READ BtnType WRITE setBtnType RESET resetBtnType)
    Q_PROPERTY(toolkit::TColor BackColor READ BackColor WRITE setBackColor RESET resetBackColor)
    Q_PROPERTY(toolkit::TCursor Cursor READ Cursor WRITE setCursorSlot RESET resetCursor)
    Q_PROPERTY(TkavoSoundSource *Sound READ Sound WRITE setSound RESET resetSound)
    Q_PROPERTY(QString ClickSound READ ClickSound WRITE setClickSound RESET resetClickSound)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE setHelpContext RESET resetHelpContext)

public:
    /// A form compiled by uic names the values through the class, as TkavoBitBtn::bkOK.
    using enum KavoBtns::TBitBtnKind;
    using enum KavoBtns::TButtonStyle;
    using enum KavoBtns::TkavoButtonType;
    using enum KavoBtns::TkavoDropDownMenuPos;
    using enum KvGlyphs::TButtonLayout;

    explicit TkavoBitBtn(QWidget *parent = nullptr);

    /// Whether the face is drawn pressed whatever the pointer does; apart from Qt's own pressed
    /// state (isDown()).
    bool Down() const { return FDown; }
    /// Takes effect at the next repaint.
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
    /// Counts above 4 give 4; counts below 1 are refused.
    void setNumGlyphs(int count);
    /// Falls back to bkCustom, for good, as soon as the button no longer matches its kind.
    TBitBtnKind Kind() const { return FRawKind; }
    void setKind(TBitBtnKind kind);
    TButtonLayout Layout() const { return FLayout; }
    void setLayout(TButtonLayout layout);
    int Margin() const { return FMargin; }
    /// -1 centres the glyph and caption; values below -1 are refused.
    void setMargin(int margin);
    int Spacing() const { return FSpacing; }
    /// -1 spreads the free space evenly.
    void setSpacing(int spacing);
    TButtonStyle Style() const { return FStyle; }
    void setStyle(TButtonStyle style);
    TkavoButtonType BtnType() const { return FBtnType; }
    void setBtnType(TkavoButtonType type);
    toolkit::TColor BackColor() const { return FBackColor; }
    /// Ends following the parent's colour, except while loading.
    void setBackColor(toolkit::TColor color);

    /// The count of images the glyph strip gives by its shape, 1 when it gives none.
    int GlyphNumGlyphs() const { return std::max(1, StripImageCount(Glyph())); }

    bool PressTracking() const { return FPressTracking; }
    bool MenuOpen() const { return FMenuOpen; }
    /// The point (in the button's coordinates) a press opens the drop-down menu at.
    QPoint MenuPoint() const;
    /// Whether a left press at pos reaches the button; only the ellipse of an elliptical button
    /// takes presses.
    bool HitTest(const QPoint &pos) const;

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

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
    /// A glyph strip sets the count its shape gives as it is read, so only another count is kept.
    Q_INVOKABLE bool isNumGlyphsStored() const { return Kind() == bkCustom && NumGlyphs() != GlyphNumGlyphs(); }
    Q_INVOKABLE bool isStyleStored() const { return FStyle != bsAutoDetect; }
    Q_INVOKABLE bool isSpacingStored() const { return FSpacing != 4; }
    Q_INVOKABLE bool isBtnTypeStored() const { return FBtnType != btRectangle; }
    Q_INVOKABLE bool isBackColorStored() const { return !ParentColor() && FBackColor != toolkit::clBtnFace; }
    Q_INVOKABLE bool isCursorStored() const { return Cursor() != toolkit::crHandPoint; }
    Q_INVOKABLE bool isSoundStored() const { return Sound() != nullptr; }
    Q_INVOKABLE bool isClickSoundStored() const { return !ClickSound().isEmpty(); }
    Q_INVOKABLE bool isHelpContextStored() const { return HelpContext() != 0; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetDrawFocus() { setDrawFocus(true); }
    void resetDown() { setDownLook(false); }
    void resetDropDownMenu() { setDropDownMenu(nullptr); }
    void resetMenuPosition() { setMenuPosition(dmpBottom); }
    void resetMarkDropDown() { setMarkDropDown(true); }
    void resetImages() { setImages(nullptr); }
    void resetImageIndex() { setImageIndex(-1); }
    void resetFlat() { setFlat(false); }
    void resetColor() { setColor(toolkit::clBtnFace); }
    void resetParentColor() { setParentColor(true); }
    /// Cancel, Default, Glyph, ModalResult and NumGlyphs belong to a kind while it is not
    /// bkCustom (changing one ends the kind); only a custom button has them to reset.
    void resetCancel();
    void resetCaption() { setCaption(KindCaption(FRawKind)); }
    void resetDefault();
    void resetGlyph();
    /// Keeps the caption, glyph and roles the kind gave.
    void resetKind() { setKind(bkCustom); }
    void resetLayout() { setLayout(blGlyphLeft); }
    void resetMargin() { setMargin(-1); }
    void resetModalResult();
    void resetNumGlyphs();
    void resetStyle() { setStyle(bsAutoDetect); }
    void resetSpacing() { setSpacing(4); }
    void resetBtnType() { setBtnType(btRectangle); }
    void resetBackColor() { setBackColor(toolkit::clBtnFace); }
    void resetCursor() { setCursorSlot(toolkit::crHandPoint); }
    void resetSound() { setSound(nullptr); }
    void resetClickSound() { setClickSound(QString()); }
    void resetHelpContext() { setHelpContext(0); }
    ///@}

protected:
    void PaintButton(QPainter &Canvas, TGlyphState State, QRect Rect, bool IsDown, bool IsDefault) override;
    void Click() override;
    void ParentColorChanged() override;
    void RolesChanged() override;
    void ColorsChanged() override;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void drawContents(QPainter &canvas, TGlyphState State, const QRect &R, bool IsDown, bool IsDefault,
                      const QRect &paintRect);
    void drawEllipse(QPainter &canvas, TGlyphState State, const QRect &clientRect, bool IsDown, bool IsDefault);
    void drawDropDownMark(QPainter &painter, int x, int y) const;
    void mouseUpStep(Qt::MouseButton button, const QPoint &pos);
    bool onButton(const QPoint &pos) const;

    TButtonGlyph FGlyphObject;
    // The stream default; the drawing is the same for every style.
    TButtonStyle FStyle = bsAutoDetect;
    TBitBtnKind FRawKind = bkCustom;
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
