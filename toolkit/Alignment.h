// SPDX-License-Identifier: MIT
#pragma once

#include <Qt>

namespace toolkit {

// Horizontal alignment of a text.
enum TAlignment : quint8 { taLeftJustify, taRightJustify, taCenter };

inline Qt::Alignment horizontalAlignment(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace toolkit
