// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The hover label TkavoLabel, and the 3-D text and bevel colours it draws with.

#include "kavocontrols_export.h"

#include "Alignment.h"
#include "Cursors.h"
#include "Frame3D.h"
#include "KvCaption.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

/// The label's enumerations, in a namespace of the unit's name whose meta-object gives form
/// builders their names; the names are used unqualified everywhere else.
namespace KvCtrls {
Q_NAMESPACE_EXPORT(KAVOCONTROLS_EXPORT)
/// Where the label stands relative to its focus control: with wlpLeft the label is on the left
/// and the control on its right.
enum TkavoLabelPosition : quint8 { wlpTop, wlpLeft, wlpRight, wlpBottom, wlpUnLinked };
Q_ENUM_NS(TkavoLabelPosition)
/// The side the 3-D caption is lit from.
enum TLightPos : quint8 { lpLeft, lpRight, lpTop, lpBottom, lpLeftTop, lpLeftBottom, lpRightTop, lpRightBottom };
Q_ENUM_NS(TLightPos)
} // namespace KvCtrls
// A directive, not `using enum`: clang before 15 takes a class's own `using enum` of the same
// enumeration, which forms compiled by uic need, for a redeclaration of this one.
using namespace KvCtrls;

/// Fills the toolkit's hand-point cursor slot (crHandPoint) with the library's pointing hand, for
/// the rest of the run. A program that shows our controls calls it once at start-up, before its
/// first window; until then the slot shows the desktop's own hand. The picture is read the first
/// time a control shows it.
KAVOCONTROLS_EXPORT void RegisterPointCursor();

/// Rect is a copy: changes made by the handler do not flow back.
using TkavoLabelPaintEvent = std::function<void(QObject *Sender, QPainter &Canvas, QRect Rect)>;

/// Draws (or, with Measure, measures) a caption as 3-D text: R shrinks by Depth + 2 at the left
/// and right and Depth + 1 at the top and bottom, then the text is drawn three times, in
/// LightColor moved Depth pixels towards the light, in ShadowColor moved away from it, and in
/// FaceColor in place. Measuring leaves R as the extent the text needs from R's shrunk left and
/// top. The caption is cut to 256 characters.
KAVOCONTROLS_EXPORT void DrawText3D(const QString &Text, QRect &R, QPainter &Canvas, TLightPos Light,
                                    const QColor &FaceColor, const QColor &LightColor, const QColor &ShadowColor,
                                    int Depth, toolkit::TAlignment Alignment, bool WordWrap, bool NoPrefix,
                                    bool Measure);

/// A frame's colours, top-left then bottom-right: lowered is shadow over highlight, every other
/// cut the other way round.
KAVOCONTROLS_EXPORT std::pair<toolkit::TColor, toolkit::TColor> BevelColors(toolkit::TBevelCut cut);

/// A control with a button standing beside it on its right, such as a drop-down edit.
///
/// A TkavoLabel above or below such a control narrows it so that control and button together
/// span the label. A control of your own with such a button derives from this interface too.
///
/// @code
/// class TMyEdit : public QLineEdit, public TkavoSideButtonOwner
/// { public: int SideButtonWidth() const override { return 20; } };
/// @endcode
///
/// @qtdiff
/// Qt's layouts know nothing of a sibling that belongs to a control; QLabel::setBuddy() neither
/// places nor sizes its buddy.
class KAVOCONTROLS_EXPORT TkavoSideButtonOwner
{
public:
    /// The button's width, 0 while the button is hidden. The button keeps a 2-pixel gap.
    virtual int SideButtonWidth() const = 0;

protected:
    ~TkavoSideButtonOwner() = default;
};

/// The behaviour of the library's label, with no property published for form builders.
///
/// The label draws its caption as raised or sunken 3-D text inside an optional bevel frame,
/// with a hover look, and is linked to a focus control that it keeps placed beside itself and
/// focuses when clicked or when its accelerator is pressed. Forms use TkavoLabel; derive from
/// this class for a label that publishes properties of its own choosing.
///
/// @code
/// class TLinkLabel : public TkavoCustomLabel { using TkavoCustomLabel::TkavoCustomLabel; };
/// TLinkLabel link(window); link.setAlive(true);
/// @endcode
///
/// @qtdiff
/// QLabel is one class; here the behaviour and its published properties are split, so that a
/// derived label does not publish what it does not want set from a form.
class KAVOCONTROLS_EXPORT TkavoCustomLabel : public TkavoCaptionControl
{
    Q_OBJECT

public:
    explicit TkavoCustomLabel(QWidget *parent = nullptr);
    ~TkavoCustomLabel() override;

    bool Alive() const { return FAlive; }
    void setAlive(bool alive);
    int FocusOffset() const { return FFocusOffset; }
    void setFocusOffset(int offset);
    TkavoLabelPosition Position() const { return FPosition; }
    void setPosition(TkavoLabelPosition position);
    QWidget *FocusControl() const { return FFocusControl; }
    void setFocusControl(QWidget *control);
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool wordWrap);
    TLightPos Light() const { return FLight; }
    void setLight(TLightPos light);
    int Height3D() const { return FHeight3D; }
    /// A negative depth is refused and the previous one stays.
    void setHeight3D(int depth);
    toolkit::TColor LightColor() const { return FLightColor; }
    void setLightColor(toolkit::TColor color);
    toolkit::TColor ShadowColor() const { return FShadowColor; }
    void setShadowColor(toolkit::TColor color);
    toolkit::TAlignment Alignment() const { return FAlignment; }
    void setAlignment(toolkit::TAlignment alignment);
    toolkit::TBevelCut BevelInner() const { return FBevelInner; }
    void setBevelInner(toolkit::TBevelCut cut);
    toolkit::TBevelCut BevelOuter() const { return FBevelOuter; }
    void setBevelOuter(toolkit::TBevelCut cut);
    int BevelWidth() const { return FBevelWidth; }
    void setBevelWidth(int width);
    int BorderWidth() const { return FBorderWidth; }
    void setBorderWidth(int width);
    bool Bevel() const { return FBevel; }
    void setBevel(bool bevel);
    /// The font and background while the pointer is over the label. Setting either, except
    /// while loading, ends following the parent's font or colour.
    QFont FontActive() const { return FFontActive; }
    void setFontActive(const QFont &font);
    toolkit::TColor FontActiveColor() const { return FFontActiveColor; }
    void setFontActiveColor(toolkit::TColor color);
    toolkit::TColor ColorActive() const { return FColorActive; }
    void setColorActive(toolkit::TColor color);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool autoSize);
    /// The label's Font is the widget's font; following the parent's font is Qt's inheritance.
    bool ParentFont() const { return !testAttribute(Qt::WA_SetFont); }
    void setParentFont(bool parentFont);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool transparent);
    /// Whether the caption's "&" marks an accelerator; the "&" is shown underlined either way.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void setShowAccelChar(bool show);
    toolkit::TCursor Cursor() const { return FCursor; }
    /// The pointer over the label, a slot of the cursor table.
    void setCursorSlot(toolkit::TCursor cursor);

    /// Moves and sizes the label; a real change places the focus control beside it.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    /// Puts the focus control beside a label with the given bounds, as Position says. Nothing
    /// happens without a focus control, with wlpUnLinked, or when the control has another parent.
    void PlaceFocusControl(int ALeft, int ATop, int AWidth, int AHeight);
    /// Fits the label to its caption, frames and 3-D margins while AutoSize is on, so that the
    /// whole caption shows.
    void UpdateAutoSize();

    toolkit::TNotifyEvent OnDblClick;
    toolkit::TNotifyEvent OnMouseEnter;
    toolkit::TNotifyEvent OnMouseLeave;
    TkavoLabelPaintEvent OnBeforePaint;
    TkavoLabelPaintEvent OnAfterPaint;

    QSize sizeHint() const override { return {65, 21}; }

protected:
    void Loaded() override;
    virtual void DoBeforePaint(QPainter &Canvas, QRect Rect);
    virtual void DoAfterPaint(QPainter &Canvas, QRect Rect);
    /// A complete click on the label.
    void Click() override;
    void captionChanged() override;
    /// The colour belongs to the font: an own colour is an own font.
    void fontColorChanged() override;
    /// While following, the hover look keeps the parent's colour too.
    void followParentColor() override;
    void hoverChanged() override;
    bool acceleratorPressed() override;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void boundsChanged();
    void updateAccelerator();

    bool FAlive = false;
    int FFocusOffset = 2;
    TkavoLabelPosition FPosition = wlpLeft;
    bool FWordWrap = true;
    TLightPos FLight = lpLeftTop;
    int FHeight3D = 1;
    toolkit::TColor FLightColor = toolkit::clWhite;
    toolkit::TColor FShadowColor = toolkit::clGray;
    toolkit::TAlignment FAlignment = toolkit::taLeftJustify;
    toolkit::TBevelCut FBevelInner = toolkit::bvRaised;
    toolkit::TBevelCut FBevelOuter = toolkit::bvLowered;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    bool FBevel = true;
    QFont FFontActive;
    toolkit::TColor FFontActiveColor = toolkit::clWindowText;
    toolkit::TColor FColorActive = toolkit::clBtnFace;

    QPointer<QWidget> FFocusControl;
    bool FAutoSize = false;
    bool FTransparent = true;
    bool FShowAccelChar = true;
    toolkit::TCursor FCursor = toolkit::crDefault;
    QRect FBounds;
};

/// The library's label, with its properties published for Qt Designer, uic and QUiLoader.
///
/// A caption drawn as raised or sunken 3-D text inside an optional bevel frame. With Alive on
/// it changes font and background while the pointer is over it and focuses its focus control
/// when clicked, which it keeps placed beside itself as Position says. Each property with a
/// stream default resets to it; ColorActive, FontActive, FontActiveColor and Caption have none
/// and are always written to a stored form.
///
/// @code
/// auto *label = new TkavoLabel(dialog);
/// label->setCaption("&Size:"); label->setFocusControl(sizeEdit);
/// @endcode
///
/// @qtdiff
/// QLabel with a buddy only gives the buddy the focus; this label also moves its focus control
/// beside itself (FocusOffset pixels away) whenever either moves, and takes a click as well as
/// its accelerator. The caption is always drawn as 3-D text with its own light and shadow
/// colours, not as rich text, and colours are toolkit::TColor values that may name a desktop
/// colour. Events are callbacks (OnMouseEnter, OnDblClick...) rather than signals.
class KAVOCONTROLS_EXPORT TkavoLabel : public TkavoCustomLabel
{
    Q_OBJECT
    Q_PROPERTY(bool Alive READ Alive WRITE setAlive RESET resetAlive)
    Q_PROPERTY(toolkit::TColor ColorActive READ ColorActive WRITE setColorActive)
    Q_PROPERTY(QFont FontActive READ FontActive WRITE setFontActive)
    Q_PROPERTY(toolkit::TColor FontActiveColor READ FontActiveColor WRITE setFontActiveColor)
    Q_PROPERTY(int FocusOffset READ FocusOffset WRITE setFocusOffset RESET resetFocusOffset)
    Q_PROPERTY(KvCtrls::TkavoLabelPosition Position READ Position WRITE setPosition RESET resetPosition)
    Q_PROPERTY(QWidget *FocusControl READ FocusControl WRITE setFocusControl RESET resetFocusControl)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize RESET resetAutoSize)
    Q_PROPERTY(toolkit::TAlignment Alignment READ Alignment WRITE setAlignment RESET resetAlignment)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap RESET resetWordWrap)
    Q_PROPERTY(bool Bevel READ Bevel WRITE setBevel RESET resetBevel)
    Q_PROPERTY(toolkit::TBevelCut BevelInner READ BevelInner WRITE setBevelInner RESET resetBevelInner)
    Q_PROPERTY(toolkit::TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter RESET resetBevelOuter)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth RESET resetBorderWidth)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth RESET resetBevelWidth)
    Q_PROPERTY(toolkit::TColor LightColor READ LightColor WRITE setLightColor RESET resetLightColor)
    Q_PROPERTY(toolkit::TColor ShadowColor READ ShadowColor WRITE setShadowColor RESET resetShadowColor)
    Q_PROPERTY(KvCtrls::TLightPos Light READ Light WRITE setLight RESET resetLight)
    Q_PROPERTY(int Height3D READ Height3D WRITE setHeight3D RESET resetHeight3D)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(toolkit::TColor Color READ Color WRITE setColor RESET resetColor)
    Q_PROPERTY(toolkit::TColor FontColor READ FontColor WRITE setFontColor RESET resetFontColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled RESET resetEnabled)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor RESET resetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE setParentFont RESET resetParentFont)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent RESET resetTransparent)
    Q_PROPERTY(toolkit::TCursor Cursor READ Cursor WRITE setCursorSlot RESET resetCursor)

public:
    /// A form compiled by uic names the values through the class, as TkavoLabel::lpRight.
    using enum KvCtrls::TkavoLabelPosition;
    using enum KvCtrls::TLightPos;
    using enum toolkit::TAlignment;
    using enum toolkit::TBevelCut;

    explicit TkavoLabel(QWidget *parent = nullptr);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isAliveStored() const { return Alive(); }
    Q_INVOKABLE bool isFocusOffsetStored() const { return FocusOffset() != 2; }
    Q_INVOKABLE bool isPositionStored() const { return Position() != wlpLeft; }
    Q_INVOKABLE bool isFocusControlStored() const { return FocusControl() != nullptr; }
    Q_INVOKABLE bool isAutoSizeStored() const { return AutoSize(); }
    Q_INVOKABLE bool isAlignmentStored() const { return Alignment() != toolkit::taLeftJustify; }
    Q_INVOKABLE bool isWordWrapStored() const { return !WordWrap(); }
    Q_INVOKABLE bool isBevelStored() const { return !Bevel(); }
    Q_INVOKABLE bool isBevelInnerStored() const { return BevelInner() != toolkit::bvRaised; }
    Q_INVOKABLE bool isBevelOuterStored() const { return BevelOuter() != toolkit::bvLowered; }
    Q_INVOKABLE bool isBorderWidthStored() const { return BorderWidth() != 0; }
    Q_INVOKABLE bool isBevelWidthStored() const { return BevelWidth() != 1; }
    Q_INVOKABLE bool isLightColorStored() const { return LightColor() != toolkit::clWhite; }
    Q_INVOKABLE bool isShadowColorStored() const { return ShadowColor() != toolkit::clGray; }
    Q_INVOKABLE bool isLightStored() const { return Light() != lpLeftTop; }
    Q_INVOKABLE bool isHeight3DStored() const { return Height3D() != 1; }
    Q_INVOKABLE bool isColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isFontColorStored() const { return !ParentFont(); }
    Q_INVOKABLE bool isEnabledStored() const { return !isEnabled(); }
    Q_INVOKABLE bool isParentColorStored() const { return !ParentColor(); }
    Q_INVOKABLE bool isParentFontStored() const { return !ParentFont(); }
    Q_INVOKABLE bool isTransparentStored() const { return !Transparent(); }
    Q_INVOKABLE bool isCursorStored() const { return Cursor() != toolkit::crDefault; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetAlive() { setAlive(false); }
    void resetFocusOffset() { setFocusOffset(2); }
    void resetPosition() { setPosition(wlpLeft); }
    void resetFocusControl() { setFocusControl(nullptr); }
    void resetAutoSize() { setAutoSize(false); }
    void resetAlignment() { setAlignment(toolkit::taLeftJustify); }
    void resetWordWrap() { setWordWrap(true); }
    void resetBevel() { setBevel(true); }
    void resetBevelInner() { setBevelInner(toolkit::bvRaised); }
    void resetBevelOuter() { setBevelOuter(toolkit::bvLowered); }
    void resetBorderWidth() { setBorderWidth(0); }
    void resetBevelWidth() { setBevelWidth(1); }
    void resetLightColor() { setLightColor(toolkit::clWhite); }
    void resetShadowColor() { setShadowColor(toolkit::clGray); }
    void resetLight() { setLight(lpLeftTop); }
    void resetHeight3D() { setHeight3D(1); }
    /// The background follows the parent's colour again.
    void resetColor() { setParentColor(true); }
    /// The caption's colour is the font's: both follow the parent's font again.
    void resetFontColor();
    void resetEnabled() { setEnabled(true); }
    void resetParentColor() { setParentColor(true); }
    void resetParentFont() { setParentFont(true); }
    void resetTransparent() { setTransparent(true); }
    void resetCursor() { setCursorSlot(toolkit::crDefault); }
    ///@}
};
