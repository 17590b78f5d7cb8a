// SPDX-License-Identifier: MIT
#include "KvChkBox.h"

#include "Canvas.h"
#include "Frame3D.h"
#include "KvGlyphs.h"
#include "KvGraph.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

using namespace toolkit;

namespace {

constexpr int kCheckSize = 11;
constexpr int kRadioSize = 12;
// The caption starts right of the box.
constexpr int kCaptionLeft = 18;

QImage loadStrip(const char *resource)
{
    QImage strip(QString::fromLatin1(resource));
    return strip.convertToFormat(QImage::Format_RGB32);
}

// Cell `index` of a strip for a screen of device pixel ratio `ratio`. The strips are
// pixel-exact pictures for ratio 1; another ratio gets its enlargement made once, on first
// paint, and kept for the whole run.
QImage cellAtRatio(const QImage &strip, int cellSize, int index, qreal ratio)
{
    struct Made
    {
        const QImage *Strip;
        qreal Ratio;
        std::vector<QImage> Cells;
    };
    static std::vector<Made> made;
    auto it = std::find_if(made.begin(), made.end(), [&](const Made &m) {
        return m.Strip == &strip && qFuzzyCompare(m.Ratio, ratio);
    });
    if (it == made.end()) {
        Made cells{&strip, ratio, {}};
        for (int k = 0; k < strip.width() / cellSize; ++k)
            cells.Cells.push_back(PictureAtRatio(strip.copy(k * cellSize, 0, cellSize, strip.height()), ratio));
        made.push_back(std::move(cells));
        it = made.end() - 1;
    }
    return index < int(it->Cells.size()) ? it->Cells[size_t(index)] : QImage();
}

void drawCell(QPainter &painter, QPoint at, const QImage &strip, int cellSize, int index)
{
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (ratio > 1.0)
        painter.drawImage(at, cellAtRatio(strip, cellSize, index, ratio));
    else
        painter.drawImage(at, strip, QRect(index * cellSize, 0, cellSize, cellSize));
}

} // namespace

const QImage &CheckGlyphs()
{
    static const QImage strip = loadStrip(":/FLATCHECKS");
    return strip;
}

const QImage &RadioGlyphs()
{
    static const QImage strip = loadStrip(":/FLATRADIO");
    return strip;
}

TkavoCustomCheckBox::TkavoCustomCheckBox(QWidget *parent)
    : TkavoCaptionControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
    resize(75, 14);
    followParentColor();
}

TkavoCustomCheckBox::~TkavoCustomCheckBox() = default;

void TkavoCustomCheckBox::setStyle(TkavoCheckBoxType style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    update();
}

void TkavoCustomCheckBox::setChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    if (checked && FStyle == btRadioButton && parentWidget()) {
        // Handlers may change the family while it is walked; walk a snapshot.
        QList<QPointer<TkavoCheckBox>> siblings;
        for (QObject *child : parentWidget()->children()) {
            auto *box = qobject_cast<TkavoCheckBox *>(child);
            if (box && box != this)
                siblings.append(box);
        }
        for (const QPointer<TkavoCheckBox> &box : siblings) {
            if (box && box->Style() == btRadioButton)
                box->setChecked(false);
        }
    }
    NotifyChange();
    update();
}

void TkavoCustomCheckBox::setWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    update();
}

void TkavoCustomCheckBox::setVertAlign(TkavoCheckAlign align)
{
    if (align == FVertAlign)
        return;
    FVertAlign = align;
    update();
}

void TkavoCustomCheckBox::setAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    update();
}

TCheckBoxState TkavoCustomCheckBox::State() const
{
    if (!FChecked)
        return cbUnchecked;
    return isEnabled() ? cbChecked : cbGrayed;
}

void TkavoCustomCheckBox::setState(TCheckBoxState state)
{
    setEnabled(state != cbGrayed);
    setChecked(state != cbUnchecked);
}

void TkavoCustomCheckBox::setTabStop(bool tabStop)
{
    if (tabStop == FTabStop)
        return;
    FTabStop = tabStop;
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

void TkavoCustomCheckBox::NotifyChange()
{
    if (OnChange)
        OnChange(this);
}

void TkavoCustomCheckBox::Undo()
{
    const bool previous = FPrevChecked;
    FPrevChecked = FChecked;
    setChecked(previous);
    if (OnUndo)
        OnUndo(this);
}

void TkavoCustomCheckBox::Toggle()
{
    setChecked(!FChecked);
}

void TkavoCustomCheckBox::captionChanged()
{
    FAccelerator.grab(FCaption);
}

bool TkavoCustomCheckBox::acceleratorPressed()
{
    if (!isEnabled())
        return false;
    if (canFocus(this))
        setFocus(Qt::ShortcutFocusReason);
    Toggle();
    return true;
}

void TkavoCustomCheckBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        if (FTabStop && canFocus(this))
            setFocus(Qt::MouseFocusReason);
        Toggle();
        FClickPressed = true;
    }
    if (OnMouseDown) {
        const QPoint pos = event->position().toPoint();
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
    }
    TkavoCaptionControl::mousePressEvent(event);
}

void TkavoCustomCheckBox::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (OnKeyDown) {
        OnKeyDown(this, key, event->modifiers());
        if (key == 0) {
            event->accept();
            return;
        }
    }
    // On key down, so a held key toggles again with every repeat.
    if (isEnabled() && QKeyCombination(modifiers, Qt::Key(key)) == FToggleKey) {
        Toggle();
        event->accept();
        return;
    }
    if ((key == Qt::Key_Z && (modifiers & Qt::ControlModifier))
        || (key == Qt::Key_Backspace && (modifiers & Qt::AltModifier))) {
        Undo();
        event->accept();
        return;
    }
    TkavoCaptionControl::keyPressEvent(event);
}

void TkavoCustomCheckBox::focusInEvent(QFocusEvent *event)
{
    TkavoCaptionControl::focusInEvent(event);
    if (OnEnter && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        OnEnter(this);
    update();
}

void TkavoCustomCheckBox::focusOutEvent(QFocusEvent *event)
{
    TkavoCaptionControl::focusOutEvent(event);
    if (OnExit && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        OnExit(this);
    update();
}

void TkavoCustomCheckBox::changeEvent(QEvent *event)
{
    TkavoCaptionControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}

void TkavoCustomCheckBox::drawDisabledCaption(QPainter &painter, const QRect &rect) const
{
    const unsigned format = (FWordWrap ? DT_WORDBREAK : 0) | DT_EXPANDTABS | alignmentFormat(FAlignment);
    const QPalette &pal = palette();
    QRect r = rect.translated(1, 1);
    painter.setPen(clBtnHighlight.resolve(pal));
    DrawText(painter, FCaption, r, format);
    r = rect;
    painter.setPen(clBtnShadow.resolve(pal));
    DrawText(painter, FCaption, r, format);
}

QSize TkavoCustomCheckBox::sizeHint() const
{
    // The caption's right margin is the 3 pixels the wrapped caption keeps from the edge.
    return {kCaptionLeft + fontMetrics().horizontalAdvance(FCaption) + 3, 14};
}

void TkavoCustomCheckBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    const QPalette &pal = palette();
    const QRect client = rect();
    painter.fillRect(client, shownBackground(pal));

    const int size = FStyle == btCheckBox ? kCheckSize : kRadioSize;
    int top = 1;
    if (FVertAlign == baCenter)
        top = CenterTop(client, size);
    else if (FVertAlign == baBottom)
        top = client.height() - size - 1;

    const int column = FChecked ? 1 : 0;
    const bool active = hasFocus();
    const int row = !isEnabled() ? 2 : (FMouseInside || active) ? 0 : 1;
    if (FStyle == btCheckBox) {
        QRect frame(0, top, 13, 13);
        Frame3D(painter, frame, clBtnShadow.resolve(pal), clBtnHighlight.resolve(pal), 1);
        drawCell(painter, QPoint(1, top + 1), CheckGlyphs(), kCheckSize, row * 2 + column);
    } else {
        drawCell(painter, QPoint(0, top), RadioGlyphs(), kRadioSize, row * 2 + column);
    }

    QRect caption;
    const QFontMetrics metrics = painter.fontMetrics();
    if (!FWordWrap) {
        // The measure counts an "&" as a character: the box is as wide as the raw caption.
        const int textHeight = metrics.height();
        int textTop = 1;
        if (FVertAlign == baCenter)
            textTop = CenterTop(client, textHeight);
        else if (FVertAlign == baBottom)
            textTop = client.height() - textHeight - 1;
        caption = QRect(kCaptionLeft, textTop, metrics.horizontalAdvance(FCaption), textHeight);
        painter.setPen(FFontColor.resolve(pal));
        if (isEnabled())
            DrawAlignedText(painter, FCaption, caption, FAlignment);
        else
            drawDisabledCaption(painter, caption);
    } else {
        caption = QRect(QPoint(kCaptionLeft, 1), QPoint(client.width() - 3, client.height() - 2));
        painter.setPen(FFontColor.resolve(pal));
        if (isEnabled())
            DrawWrappedText(painter, FCaption, caption, FAlignment);
        else
            drawDisabledCaption(painter, caption);
    }

    if (active) {
        const int left = caption.left() - 4;
        const int right = std::min(caption.left() + caption.width() + 2, client.width()); // exclusive
        DrawFocusRect(painter, QRect(left, caption.top(), right - left, caption.height()));
    }
}

TkavoCheckBox::TkavoCheckBox(QWidget *parent)
    : TkavoCustomCheckBox(parent)
{
}
