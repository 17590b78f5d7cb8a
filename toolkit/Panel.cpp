// SPDX-License-Identifier: MIT
#include "Panel.h"

#include <QPainter>

namespace toolkit {

TPanel::TPanel(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void TPanel::setCaption(const QString &caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    update();
}

void TPanel::setBevelOuter(TBevelCut cut)
{
    if (cut == FBevelOuter)
        return;
    FBevelOuter = cut;
    update();
}

void TPanel::setBevelInner(TBevelCut cut)
{
    if (cut == FBevelInner)
        return;
    FBevelInner = cut;
    update();
}

void TPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRect r = rect();
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone)
            return;
        if (cut == bvLowered)
            Frame3D(painter, r, shadow, light, 1);
        else
            Frame3D(painter, r, light, shadow, 1);
    };
    bevel(FBevelOuter);
    bevel(FBevelInner);
    if (!FCaption.isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(r, Qt::AlignCenter, FCaption);
    }
}

} // namespace toolkit
