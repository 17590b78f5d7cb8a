// SPDX-License-Identifier: MIT
#include "KavoBtns.h"

#include "Canvas.h"
#include "Form.h"
#include "KvGraph.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <stdexcept>

using toolkit::TColor;

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
        const auto sounds = form->findChildren<TkavoSoundSource *>(Qt::FindDirectChildrenOnly);
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
    ColorsChanged();
    update();
}

void TkavoCustomButton::setDefault(bool isDefault)
{
    if (isDefault == Default())
        return;
    QPushButton::setDefault(isDefault);
    RolesChanged();
}

void TkavoCustomButton::setCancel(bool cancel)
{
    if (cancel == FCancel)
        return;
    FCancel = cancel;
    RolesChanged();
}

void TkavoCustomButton::setModalResult(int result)
{
    if (result == FModalResult)
        return;
    FModalResult = result;
    RolesChanged();
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

void TkavoCustomButton::PaintRequest(QPainter &Canvas)
{
    const bool IsDown = isDown();
    const bool IsDefault = hasFocus();
    const TGlyphState State = !isEnabled() ? gsDisabled : IsDown ? gsDown : gsUp;
    PaintButton(Canvas, State, rect(), IsDown, IsDefault);
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

void TkavoCustomButton::PaintButton(QPainter &canvas, TGlyphState State, QRect Rect, bool IsDown, bool IsDefault)
{
    // The plain look of the base class: the face and the caption centred on it.
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
    QPainter canvas(this);
    PaintRequest(canvas);
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
        ColorsChanged();
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
    ColorsChanged();
    setCursorSlot(toolkit::crHandPoint);
    resize(75, 24);
    ParentColorChanged();
}

void TkavoBitBtn::resetCancel()
{
    if (Kind() == bkCustom)
        setCancel(false);
}

void TkavoBitBtn::resetDefault()
{
    if (Kind() == bkCustom)
        setDefault(false);
}

void TkavoBitBtn::resetGlyph()
{
    if (Kind() == bkCustom)
        setGlyph(QImage());
}

void TkavoBitBtn::resetModalResult()
{
    if (Kind() == bkCustom)
        setModalResult(0);
}

void TkavoBitBtn::resetNumGlyphs()
{
    if (Kind() == bkCustom)
        setNumGlyphs(GlyphNumGlyphs());
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
    RolesChanged();
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

void TkavoBitBtn::RolesChanged()
{
    if (FRawKind == bkCustom)
        return;
    const bool defaultLost = (FRawKind == bkOK || FRawKind == bkYes) && !Default();
    const bool cancelLost = (FRawKind == bkCancel || FRawKind == bkNo) && !Cancel();
    if (defaultLost || cancelLost || ModalResult() != KindModalResult(FRawKind) || FGlyphAssigned)
        FRawKind = bkCustom;
}

void TkavoBitBtn::ColorsChanged()
{
    FGlyphObject.setPalette(palette());
    FGlyphObject.FaceColor = Color();
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

void TkavoBitBtn::PaintButton(QPainter &canvas, TGlyphState State, QRect Rect, bool IsDown, bool IsDefault)
{
    canvas.setFont(font());
    const QPalette &colours = palette();
    if (Flat() && !Hover()) {
        canvas.fillRect(Rect, FBackColor.resolve(colours));
        if (FBtnType == btRectangle)
            drawContents(canvas, State, Rect, IsDown, IsDefault, Rect);
        else
            drawEllipse(canvas, State, Rect, IsDown, IsDefault);
        return;
    }
    if (FBtnType == btRectangle) {
        const QRect content = DrawFace(canvas, Rect, Color().resolve(colours), colours, Hover(), IsDown || FDown,
                                       FocusAnswer() && DrawFocus(), IsDefault);
        drawContents(canvas, State, content, IsDown, IsDefault, Rect);
    } else {
        canvas.fillRect(Rect, FBackColor.resolve(colours));
        drawEllipse(canvas, State, Rect, IsDown, IsDefault);
    }
}

void TkavoBitBtn::drawContents(QPainter &canvas, TGlyphState State, const QRect &R, bool IsDown, bool IsDefault,
                               const QRect &paintRect)
{
    const QPalette &colours = palette();
    canvas.setFont(font());
    canvas.setPen(colours.color(QPalette::Active, QPalette::ButtonText));
    if (OnPaint) {
        DoPaint(canvas, paintRect, IsDown || FDown, IsDefault);
        return;
    }

    QRect caption;
    if (TCustomImageList *images = Images()) {
        const bool hasImage = ImageIndex() >= 0 && ImageIndex() < images->Count() && images->Width() > 0
                              && images->Height() > 0;
        const QSize imageSize = hasImage ? QSize(images->Width(), images->Height()) : QSize(0, 0);
        const TGlyphLayout placed =
            TButtonGlyph::LayoutFor(R, imageSize, TButtonGlyph::CaptionSize(canvas, R, Caption()), FLayout, FMargin,
                                    FSpacing);
        const QPoint at = placed.GlyphPos;
        if (isEnabled())
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex(), idsTransparent);
        else if (NumGlyphs() >= 2)
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex() + 1, idsTransparent);
        else
            Images()->Draw(canvas, at.x(), at.y(), ImageIndex(), idsBlend25);
        TButtonGlyph::PaintCaption(canvas, Caption(), placed.TextBounds, State);
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
    // The triangle is laid in device pixels, so that a finer screen gets a sharper mark rather
    // than the same rows doubled: a tip of one device pixel, sides one device pixel steep, the
    // widest row within the seven logical pixels the mark spans. At ratio 1 that is rows of 7,
    // 5, 3 and 1 pixels from row y - 1 down.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    const int rows = (qRound(7 * ratio) + 1) / 2;
    const int offset = qMax(1, qRound(ratio)); // one logical pixel, for the disabled twin
    const int middle = qRound(x * ratio) + rows - 1;
    const int top = qRound((y - 1) * ratio);
    auto triangle = [&](int shift, const QColor &color) {
        for (int i = 0; i < rows; ++i) {
            const int halfWidth = rows - 1 - i;
            painter.fillRect(QRect(middle - halfWidth + shift, top + i + shift, 2 * halfWidth + 1, 1), color);
        }
    };
    const QPalette &colours = palette();
    painter.save();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    if (isEnabled()) {
        triangle(0, toolkit::clBtnText.resolve(colours));
    } else {
        triangle(offset, toolkit::clBtnHighlight.resolve(colours));
        triangle(0, toolkit::clBtnShadow.resolve(colours));
    }
    painter.restore();
}

void TkavoBitBtn::drawEllipse(QPainter &canvas, TGlyphState State, const QRect &clientRect, bool IsDown,
                              bool IsDefault)
{
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
