// SPDX-License-Identifier: MIT
#include "Bevel.h"

#include "Colors.h"

#include <QPainter>

namespace toolkit {

TBevel::TBevel(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBevel::paintEvent(QPaintEvent *)
{
    // Lowered: the shadow line with the highlight line just under it.
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, clBtnShadow.resolve(palette()));
    painter.fillRect(0, 1, width(), 1, clBtnHighlight.resolve(palette()));
}

} // namespace toolkit
