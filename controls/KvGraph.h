// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Placing and drawing captions of the self-painted controls, and the edits' flat frame.
/// Rectangles are taken by value: the caller's rectangle never changes.

#include "kavocontrols_export.h"

#include "Alignment.h"

#include <QRect>
#include <QString>

class QPainter;
class QPalette;

/// The top that centres a height h in rect: rect's top plus half the room left, truncated
/// toward zero, so a height taller than rect starts above rect's top.
KAVOCONTROLS_EXPORT int CenterTop(QRect rect, int h);
/// The left that centres a width w in rect, in the same way.
KAVOCONTROLS_EXPORT int CenterLeft(QRect rect, int w);

/// Draws text in rect with the painter's font and pen, aligned as asked, clipped to rect; line
/// breaks in the text start new lines and an "&" underlines the following character. Only the
/// first 255 characters of a longer text are drawn.
KAVOCONTROLS_EXPORT void DrawAlignedText(QPainter &canvas, const QString &text, QRect rect,
                                         toolkit::TAlignment alignment);
/// The same with words wrapped at rect's right edge.
KAVOCONTROLS_EXPORT void DrawWrappedText(QPainter &canvas, const QString &text, QRect rect,
                                         toolkit::TAlignment alignment);

/// The flat frame the library's edits wear: a sunken outer ring, a ring whose top and left turn
/// black while the control is hot, and an inner ring in the window colour (button face when
/// disabled). Drawn over the edit's own painting in rect.
KAVOCONTROLS_EXPORT void PaintFlatEditFrame(QPainter &painter, QRect rect, const QPalette &palette, bool hot,
                                            bool enabled);
