// SPDX-License-Identifier: MIT
#pragma once

#include "Alignment.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace toolkit {

// Format flags of the desktop's text drawing, with their classic values.
// Placement: left and top are the zero defaults.
inline constexpr unsigned DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
                          DT_BOTTOM = 0x8;
// Line handling and what the call does.
inline constexpr unsigned DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
                          DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800;

// The horizontal-alignment flag of a text format.
inline unsigned alignmentFormat(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    case taLeftJustify:
        break;
    }
    return DT_LEFT;
}

// The desktop's DrawText: draws text into rect with the painter's font and pen. The text is
// clipped to rect unless DT_NOCLIP; line breaks in the text start new lines; DT_WORDBREAK
// wraps words at rect's right edge (a word wider than rect is not split); an "&" underlines
// the following character unless DT_NOPREFIX ("&&" is a plain "&"). The text's background is
// left as it is. With DT_CALCRECT nothing is drawn and rect keeps its left and top while its
// right and bottom move to the text's extent (an empty text gives an empty rect). Returns the
// text's height.
int DrawText(QPainter &painter, const QString &text, QRect &rect, unsigned format);

// The desktop's focus rectangle: every other pixel of rect's outline is inverted, so drawing
// it twice restores the picture.
void DrawFocusRect(QPainter &painter, const QRect &rect);

// A drawing surface that measures text as the screen does, for measuring outside painting.
class TScreenCanvas
{
public:
    explicit TScreenCanvas(const QFont &font);
    TScreenCanvas(const TScreenCanvas &) = delete;
    TScreenCanvas &operator=(const TScreenCanvas &) = delete;

    QPainter &painter() { return FPainter; }

private:
    QImage FImage;
    QPainter FPainter;
};

} // namespace toolkit
