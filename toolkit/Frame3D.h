// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Bevelled frames.

#include "kavocontrols_export.h"
#include "Enums.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace toolkit {

/// Draws width nested one-pixel outlines, each with its top and left edges in topLeft and its
/// bottom and right edges in bottomRight, and shrinks rect by width on every side. Width 0
/// draws nothing.
KAVOCONTROLS_EXPORT void Frame3D(QPainter &painter, QRect &rect, const QColor &topLeft, const QColor &bottomRight,
                                 int width);

} // namespace toolkit
