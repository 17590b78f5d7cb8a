// SPDX-License-Identifier: MIT
#include "KvCtrls.h"

#include "Canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

using namespace toolkit;

namespace {

} // namespace

void RegisterPointCursor()
{
    setScreenCursor(crHandPoint, [] { return QCursor(QPixmap(QStringLiteral(":/POINTCURSOR")), 6, 16); });
}

namespace {

// The most characters the 3-D text drawing takes.
constexpr qsizetype kCaptionLimit = 256;

// The direction of the light for each position; the lit copy moves that way, the shadow the
// other way.
QPoint lightDirection(TLightPos light)
{
    switch (light) {
    case lpLeft:
        return {-1, 0};
    case lpRight:
        return {1, 0};
    case lpTop:
        return {0, -1};
    case lpBottom:
        return {0, 1};
    case lpLeftTop:
        return {-1, -1};
    case lpLeftBottom:
        return {-1, 1};
    case lpRightTop:
        return {1, -1};
    case lpRightBottom:
        return {1, 1};
    }
    return {0, 0};
}

} // namespace

void DrawText3D(const QString &Text, QRect &R, QPainter &Canvas, TLightPos Light, const QColor &FaceColor,
                const QColor &LightColor, const QColor &ShadowColor, int Depth, TAlignment Alignment, bool WordWrap,
                bool NoPrefix, bool Measure)
{
    R.adjust(Depth + 2, Depth + 1, -(Depth + 2), -(Depth + 1));
    const unsigned format = DT_TOP | DT_EXPANDTABS | alignmentFormat(Alignment) | (WordWrap ? DT_WORDBREAK : 0)
                            | (NoPrefix ? DT_NOPREFIX : 0) | (Measure ? DT_CALCRECT : 0);
    const QPoint offset = lightDirection(Light) * Depth;
    QRect lit = R.translated(offset);
    QRect shadow = R.translated(-offset);
    const QString text = Text.left(kCaptionLimit);
    Canvas.save();
    Canvas.setPen(LightColor);
    DrawText(Canvas, text, lit, format);
    Canvas.setPen(ShadowColor);
    DrawText(Canvas, text, shadow, format);
    Canvas.setPen(FaceColor);
    DrawText(Canvas, text, R, format);
    Canvas.restore();
}

std::pair<TColor, TColor> BevelColors(TBevelCut cut)
{
    if (cut == bvLowered)
        return {clBtnShadow, clBtnHighlight};
    return {clBtnHighlight, clBtnShadow};
}

// ---------------------------------------------------------------------------------------------

TkavoCustomLabel::TkavoCustomLabel(QWidget *parent)
    : TkavoCaptionControl(parent)
{
    resize(65, 21);
    FBounds = geometry();
    FBackground.follow(this);
    FColorActive = FBackground.color();
}

TkavoCustomLabel::~TkavoCustomLabel()
{
    if (FFocusControl)
        FFocusControl->removeEventFilter(this);
}

void TkavoCustomLabel::setAlive(bool alive)
{
    if (alive == FAlive)
        return;
    FAlive = alive;
    update();
}

void TkavoCustomLabel::setFocusOffset(int offset)
{
    FFocusOffset = offset;
    PlaceFocusControl(x(), y(), width(), height());
}

void TkavoCustomLabel::setPosition(TkavoLabelPosition position)
{
    FPosition = position;
    PlaceFocusControl(x(), y(), width(), height());
}

void TkavoCustomLabel::setFocusControl(QWidget *control)
{
    if (control != FFocusControl) {
        if (FFocusControl)
            FFocusControl->removeEventFilter(this);
        FFocusControl = control;
        if (control)
            control->installEventFilter(this);
        updateAccelerator();
    }
    PlaceFocusControl(x(), y(), width(), height());
}

void TkavoCustomLabel::setWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setLight(TLightPos light)
{
    if (light == FLight)
        return;
    FLight = light;
    update();
}

void TkavoCustomLabel::setHeight3D(int depth)
{
    if (depth < 0 || depth == FHeight3D)
        return;
    FHeight3D = depth;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setLightColor(TColor color)
{
    if (color == FLightColor)
        return;
    FLightColor = color;
    update();
}

void TkavoCustomLabel::setShadowColor(TColor color)
{
    if (color == FShadowColor)
        return;
    FShadowColor = color;
    update();
}

void TkavoCustomLabel::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setBevelInner(TBevelCut cut)
{
    if (cut == FBevelInner)
        return;
    FBevelInner = cut;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setBevelOuter(TBevelCut cut)
{
    if (cut == FBevelOuter)
        return;
    FBevelOuter = cut;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setBevelWidth(int width)
{
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setBorderWidth(int width)
{
    if (width == FBorderWidth)
        return;
    FBorderWidth = width;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setBevel(bool bevel)
{
    if (bevel == FBevel)
        return;
    FBevel = bevel;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::setFontActive(const QFont &font)
{
    FFontActive = font;
    if (!isLoading())
        setParentFont(false);
    update();
}

void TkavoCustomLabel::setFontActiveColor(TColor color)
{
    FFontActiveColor = color;
    if (!isLoading())
        setParentFont(false);
    update();
}

void TkavoCustomLabel::setColorActive(TColor color)
{
    const bool changed = color != FColorActive;
    FColorActive = color;
    if (!isLoading())
        FBackground.setFollowing(false);
    if (changed)
        update();
}

void TkavoCustomLabel::setAutoSize(bool autoSize)
{
    if (autoSize == FAutoSize)
        return;
    FAutoSize = autoSize;
    UpdateAutoSize();
    update();
}

void TkavoCustomLabel::captionChanged()
{
    UpdateAutoSize();
    updateAccelerator();
}

void TkavoCustomLabel::followParentColor()
{
    if (!FBackground.following())
        return;
    FBackground.follow(this);
    FColorActive = FBackground.color();
    update();
}

void TkavoCustomLabel::setParentFont(bool parentFont)
{
    if (parentFont == ParentFont())
        return;
    if (parentFont) {
        // An empty font takes everything from the parent again.
        setFont(QFont());
    } else {
        QFont own = font();
        own.setResolveMask(QFont::AllPropertiesResolved);
        setFont(own);
    }
}

void TkavoCustomLabel::fontColorChanged()
{
    setParentFont(false);
}

void TkavoCustomLabel::setTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    update();
}

void TkavoCustomLabel::setShowAccelChar(bool show)
{
    if (show == FShowAccelChar)
        return;
    FShowAccelChar = show;
    updateAccelerator();
}

void TkavoCustomLabel::setCursorSlot(TCursor cursor)
{
    FCursor = cursor;
    applyCursor(this, cursor);
}

void TkavoCustomLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    setGeometry(ALeft, ATop, AWidth, AHeight);
    boundsChanged();
}

void TkavoCustomLabel::boundsChanged()
{
    const QRect bounds = geometry();
    if (bounds == FBounds)
        return;
    FBounds = bounds;
    PlaceFocusControl(bounds.x(), bounds.y(), bounds.width(), bounds.height());
}

void TkavoCustomLabel::PlaceFocusControl(int ALeft, int ATop, int AWidth, int AHeight)
{
    QWidget *control = FFocusControl;
    if (!control || FPosition == wlpUnLinked || control->parentWidget() != parentWidget())
        return;
    // Above or below, the control takes the label's width; one with a side button leaves room
    // for the gap and the button.
    int width = AWidth;
    if (const auto *owner = dynamic_cast<const TkavoSideButtonOwner *>(control); owner && owner->SideButtonWidth() > 0)
        width = std::max(0, AWidth - owner->SideButtonWidth() - 2);
    switch (FPosition) {
    case wlpTop:
        control->setGeometry(ALeft, ATop + AHeight + FFocusOffset, width, control->height());
        break;
    case wlpLeft:
        control->setGeometry(ALeft + AWidth + FFocusOffset, ATop, control->width(), AHeight);
        break;
    case wlpRight:
        control->setGeometry(ALeft - control->width() - FFocusOffset, ATop, control->width(), AHeight);
        break;
    case wlpBottom:
        control->setGeometry(ALeft, ATop - control->height() - FFocusOffset, width, control->height());
        break;
    case wlpUnLinked:
        break;
    }
}

void TkavoCustomLabel::UpdateAutoSize()
{
    if (!FAutoSize)
        return;
    QRect r(0, 0, width(), height());
    TScreenCanvas canvas(font());
    DrawText3D(FCaption, r, canvas.painter(), FLight, Qt::black, Qt::black, Qt::black, FHeight3D, FAlignment,
               FWordWrap, false, true);
    // Right and bottom as edges, one past the last pixel. The measure keeps the 3-D margins at
    // the left and top only; painting takes them on all four sides, so the far ones are added
    // too, or the caption's last pixels would be cut.
    int right = r.x() + r.width() + FHeight3D + 2;
    int bottom = r.y() + r.height() + FHeight3D + 1;
    if (FBevel) {
        if (FBevelOuter != bvNone) {
            right += 2 * FBevelWidth;
            bottom += 2 * FBevelWidth;
        }
        right += 2 * FBorderWidth;
        bottom += 2 * FBorderWidth;
        if (FBevelInner != bvNone) {
            right += 2 * FBevelWidth;
            bottom += 2 * FBevelWidth;
        }
    }
    SetBounds(x(), y(), right, bottom);
}

void TkavoCustomLabel::Loaded()
{
    TComponent::Loaded();
    PlaceFocusControl(x(), y(), width(), height());
}

void TkavoCustomLabel::DoBeforePaint(QPainter &Canvas, QRect Rect)
{
    if (OnBeforePaint)
        OnBeforePaint(this, Canvas, Rect);
}

void TkavoCustomLabel::DoAfterPaint(QPainter &Canvas, QRect Rect)
{
    if (OnAfterPaint)
        OnAfterPaint(this, Canvas, Rect);
}

void TkavoCustomLabel::Click()
{
    if (OnClick) {
        OnClick(this);
        return;
    }
    QWidget *control = FFocusControl;
    if (control && FAlive && control->isEnabled() && control->isVisible())
        control->setFocus(Qt::MouseFocusReason);
}

void TkavoCustomLabel::updateAccelerator()
{
    FAccelerator.release();
    // A control that cannot take the focus leaves the key to others.
    if (FFocusControl && FShowAccelChar && FAccelerator.grab(FCaption))
        FAccelerator.setEnabled(canFocus(FFocusControl));
}

bool TkavoCustomLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FFocusControl && FAccelerator.held()) {
        switch (event->type()) {
        case QEvent::EnabledChange:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            FAccelerator.setEnabled(canFocus(FFocusControl));
            break;
        default:
            break;
        }
    }
    return TkavoCaptionControl::eventFilter(watched, event);
}

bool TkavoCustomLabel::acceleratorPressed()
{
    if (FFocusControl && isEnabled() && FShowAccelChar && canFocus(FFocusControl))
        FFocusControl->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TkavoCustomLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &pal = palette();
    QRect r = rect();
    if (OnBeforePaint) {
        DoBeforePaint(painter, r);
    } else {
        if (FBevel) {
            if (FBevelOuter != bvNone) {
                const auto [topLeft, bottomRight] = BevelColors(FBevelOuter);
                Frame3D(painter, r, topLeft.resolve(pal), bottomRight.resolve(pal), FBevelWidth);
            }
            const QColor border = shownBackground(pal);
            Frame3D(painter, r, border, border, FBorderWidth);
            if (FBevelInner != bvNone) {
                const auto [topLeft, bottomRight] = BevelColors(FBevelInner);
                Frame3D(painter, r, topLeft.resolve(pal), bottomRight.resolve(pal), FBevelWidth);
            }
        }
        // A hover colour that is the followed colour itself stays the colour the parent shows,
        // so hovering paints no band on a dark scheme either.
        if (!FTransparent)
            painter.fillRect(r, FMouseInside && FColorActive != FBackground.color() ? FColorActive.resolve(pal)
                                                                                   : shownBackground(pal));
        painter.setBrush(Qt::NoBrush);
        painter.setFont(FMouseInside ? FFontActive : font());
        const QColor face = (FMouseInside ? FFontActiveColor : FFontColor).resolve(pal);
        DrawText3D(FCaption, r, painter, FLight, face, FLightColor.resolve(pal), FShadowColor.resolve(pal), FHeight3D,
                   FAlignment, FWordWrap, false, false);
    }
    DoAfterPaint(painter, r);
}

void TkavoCustomLabel::hoverChanged()
{
    const TNotifyEvent &handler = FMouseInside ? OnMouseEnter : OnMouseLeave;
    if (handler)
        handler(this);
    // Only a live label has a hover look.
    if (FAlive)
        update();
}

void TkavoCustomLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        FClickPressed = true;
    TkavoCaptionControl::mousePressEvent(event);
}

void TkavoCustomLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is no click of its own.
    if (event->button() == Qt::LeftButton && OnDblClick)
        OnDblClick(this);
    event->accept();
}

void TkavoCustomLabel::moveEvent(QMoveEvent *event)
{
    TkavoCaptionControl::moveEvent(event);
    boundsChanged();
}

void TkavoCustomLabel::resizeEvent(QResizeEvent *event)
{
    TkavoCaptionControl::resizeEvent(event);
    boundsChanged();
}

void TkavoCustomLabel::changeEvent(QEvent *event)
{
    TkavoCaptionControl::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        if (ParentFont())
            FFontActive = font();
        UpdateAutoSize();
        update();
    }
}

// ---------------------------------------------------------------------------------------------

TkavoLabel::TkavoLabel(QWidget *parent)
    : TkavoCustomLabel(parent)
{
}

void TkavoLabel::resetFontColor()
{
    // Setting the colour makes the font the label's own; following the parent undoes both.
    setFontColor(toolkit::clWindowText);
    setParentFont(true);
}
