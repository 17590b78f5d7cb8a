// SPDX-License-Identifier: MIT
#pragma once

#include "Enums.h"

#include <Qt>

namespace toolkit {

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
