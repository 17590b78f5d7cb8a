// SPDX-License-Identifier: MIT
#include "KvPopup.h"

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
