// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Colours as the controls keep them: plain RGB values or the desktop's named colours.

#include "kavocontrols_export.h"

#include <QColor>
#include <QMetaType>
#include <QPalette>

class QWidget;

namespace toolkit {

/// The desktop's named colours. Each is looked up in a palette only when a control draws, so
/// a control follows the desktop's colour scheme and a palette change.
enum class TSystemColor : quint8 {
    BtnFace,
    BtnShadow,
    BtnHighlight,
    BtnText,
    Window,
    WindowText,
    WindowFrame,
    Light3D,
    DkShadow3D,
    Highlight,
    HighlightText,
    GrayText,
    InfoBk,
    InfoText,
};

/// A colour as the controls keep it: a plain RGB value or a system colour's name.
///
/// A system colour (clBtnFace, clWindowText...) is looked up in the palette only when a control
/// draws, so the control follows the desktop's colour scheme. Published colour properties are of
/// this type.
///
/// @code
/// label->setLightColor(toolkit::TColor::fromRgb(0xFFFF00)); label->setShadowColor(toolkit::clBtnShadow);
/// QColor face = toolkit::clBtnFace.resolve(widget->palette());
/// @endcode
///
/// @qtdiff
/// A QColor holds values only; a QPalette role (QPalette::Button) names a colour but is no
/// colour. TColor is either, and compares by what it holds: clBtnFace equals clBtnFace whatever
/// the palette says.
class KAVOCONTROLS_EXPORT TColor
{
public:
    constexpr TColor() = default; // black

    /// rgb is 0xRRGGBB; anything above the low 24 bits is dropped.
    static constexpr TColor fromRgb(quint32 rgb) { return TColor(false, rgb & 0xFFFFFFu); }
    static constexpr TColor fromSystem(TSystemColor color) { return TColor(true, quint32(color)); }

    constexpr bool isSystem() const { return FSystem; }
    /// Meaningful only for a plain RGB colour.
    constexpr quint32 rgb() const { return FSystem ? 0 : FValue; }
    constexpr TSystemColor systemColor() const { return TSystemColor(FSystem ? FValue : 0); }

    /// The colour to paint with. System colours come from the palette's active group: the
    /// desktop's system colours do not change with a control's state.
    QColor resolve(const QPalette &palette) const;

    constexpr bool operator==(const TColor &other) const = default;

private:
    constexpr TColor(bool system, quint32 value)
        : FSystem(system)
        , FValue(value)
    {
    }

    bool FSystem = false;
    quint32 FValue = 0;
};

inline constexpr TColor clBlack = TColor::fromRgb(0x000000);
inline constexpr TColor clMaroon = TColor::fromRgb(0x800000);
inline constexpr TColor clGreen = TColor::fromRgb(0x008000);
inline constexpr TColor clNavy = TColor::fromRgb(0x000080);
inline constexpr TColor clGray = TColor::fromRgb(0x808080);
inline constexpr TColor clSilver = TColor::fromRgb(0xC0C0C0);
inline constexpr TColor clRed = TColor::fromRgb(0xFF0000);
inline constexpr TColor clLime = TColor::fromRgb(0x00FF00);
inline constexpr TColor clBlue = TColor::fromRgb(0x0000FF);
inline constexpr TColor clWhite = TColor::fromRgb(0xFFFFFF);

inline constexpr TColor clBtnFace = TColor::fromSystem(TSystemColor::BtnFace);
inline constexpr TColor clBtnShadow = TColor::fromSystem(TSystemColor::BtnShadow);
inline constexpr TColor clBtnHighlight = TColor::fromSystem(TSystemColor::BtnHighlight);
inline constexpr TColor clBtnText = TColor::fromSystem(TSystemColor::BtnText);
inline constexpr TColor clWindow = TColor::fromSystem(TSystemColor::Window);
inline constexpr TColor clWindowText = TColor::fromSystem(TSystemColor::WindowText);
inline constexpr TColor clWindowFrame = TColor::fromSystem(TSystemColor::WindowFrame);
inline constexpr TColor cl3DLight = TColor::fromSystem(TSystemColor::Light3D);
inline constexpr TColor cl3DDkShadow = TColor::fromSystem(TSystemColor::DkShadow3D);
inline constexpr TColor clHighlight = TColor::fromSystem(TSystemColor::Highlight);
inline constexpr TColor clHighlightText = TColor::fromSystem(TSystemColor::HighlightText);
inline constexpr TColor clGrayText = TColor::fromSystem(TSystemColor::GrayText);
inline constexpr TColor clInfoBk = TColor::fromSystem(TSystemColor::InfoBk);
inline constexpr TColor clInfoText = TColor::fromSystem(TSystemColor::InfoText);

/// The desktop's ColorToRGB: a plain colour as it is, a system colour from the palette.
inline QColor ColorToRGB(TColor color, const QPalette &palette)
{
    return color.resolve(palette);
}

/// The colour that a control following its parent's colour takes: the parent's own "Color"
/// property when it has one, else the system colour its background stands for (a form's or a
/// panel's face is clBtnFace, an input field's clWindow), else the parent's background as RGB.
/// Without a parent: clBtnFace.
KAVOCONTROLS_EXPORT TColor parentColor(const QWidget *widget);

/// A control's background colour, which follows its parent's colour until the control is given
/// a colour of its own.
///
/// The captioned controls keep their Color and ParentColor properties in one; a control of your
/// own does the same, and calls follow() when its parent or the parent's colour changes.
///
/// @code
/// toolkit::TParentColor background; background.follow(this); // the parent's colour
/// background.set(this, toolkit::clWindow);                   // its own, until setFollowing(true)
/// @endcode
///
/// @qtdiff
/// Qt's palette propagation hands a parent's palette to every child that has not set the role
/// itself; this follows one colour, and also takes a parent's own "Color" property.
class KAVOCONTROLS_EXPORT TParentColor
{
public:
    TColor color() const { return FColor; }
    bool following() const { return FFollowing; }

    /// An own colour ends the following. True when the colour changed.
    bool set(TColor color)
    {
        if (color == FColor)
            return false;
        FColor = color;
        FFollowing = false;
        return true;
    }
    /// The same, repainting control when the colour changed.
    void set(QWidget *control, TColor color);
    /// True when the setting changed; the colour itself changes at the next follow().
    bool setFollowing(bool following)
    {
        if (following == FFollowing)
            return false;
        FFollowing = following;
        return true;
    }
    /// While following, takes the colour of control's parent. True when the colour changed.
    bool follow(const QWidget *control)
    {
        if (!FFollowing)
            return false;
        const TColor color = parentColor(control);
        if (color == FColor)
            return false;
        FColor = color;
        return true;
    }

private:
    TColor FColor = clBtnFace;
    bool FFollowing = true;
};

} // namespace toolkit

Q_DECLARE_METATYPE(toolkit::TColor)
