// SPDX-License-Identifier: MIT
#include "Frame3D.h"

#include <QPainter>

namespace toolkit {

void Frame3D(QPainter &painter, QRect &rect, const QColor &topLeft, const QColor &bottomRight, int width)
{
    for (int i = 0; i < width; ++i) {
        if (rect.width() > 0 && rect.height() > 0) {
            // Top and left edges stop one pixel short: the top-right and bottom-left corners
            // belong to the bottom-right colour, as on the classic desktop's 3-D frames.
            painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, topLeft);
            painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, topLeft);
            painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
            painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
        }
        rect.adjust(1, 1, -1, -1);
    }
}

} // namespace toolkit
