// SPDX-License-Identifier: MIT
#include "KvCaption.h"

#include <QMouseEvent>

using namespace toolkit;

TkavoCaptionControl::TkavoCaptionControl(QWidget *parent)
    : QWidget(parent)
{
}

void TkavoCaptionControl::setCaption(const QString &caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    captionChanged();
    update();
}

void TkavoCaptionControl::setColor(TColor color)
{
    FBackground.set(this, color);
}

void TkavoCaptionControl::setParentColor(bool parentColor)
{
    if (FBackground.setFollowing(parentColor))
        followParentColor();
}

QColor TkavoCaptionControl::shownBackground(const QPalette &palette) const
{
    const QWidget *parent = parentWidget();
    if (FBackground.following() && parent && !parent->property("Color").isValid())
        return parent->palette().color(parent->backgroundRole());
    return FBackground.color().resolve(palette);
}

void TkavoCaptionControl::followParentColor()
{
    if (FBackground.follow(this))
        update();
}

void TkavoCaptionControl::setFontColor(TColor color)
{
    if (color == FFontColor)
        return;
    FFontColor = color;
    fontColorChanged();
    update();
}

void TkavoCaptionControl::hoverChanged()
{
    update();
}

void TkavoCaptionControl::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TkavoCaptionControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        if (FAccelerator.pressedBy(event) && acceleratorPressed())
            return true;
        break;
    case QEvent::ParentChange:
        followParentColor();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TkavoCaptionControl::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    FMouseInside = true;
    hoverChanged();
}

void TkavoCaptionControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    FMouseInside = false;
    hoverChanged();
}

void TkavoCaptionControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const bool click = FClickPressed && rect().contains(event->position().toPoint());
        FClickPressed = false;
        if (click)
            Click();
    }
    QWidget::mouseReleaseEvent(event);
}

void TkavoCaptionControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followParentColor();
}
