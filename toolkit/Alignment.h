// SPDX-License-Identifier: MIT
#pragma once

#include "Enums.h"

#include <Qt>

/// @file
/// The Qt alignment of a TAlignment.

namespace toolkit {

/// The Qt::Alignment flag that draws text as the toolkit::TAlignment says.
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
