// SPDX-License-Identifier: MIT
#include "Colors.h"

#include <QVariant>
#include <QWidget>

namespace toolkit {

namespace {

QPalette::ColorRole roleOf(TSystemColor color)
{
    switch (color) {
    case TSystemColor::BtnFace:
        return QPalette::Button;
    case TSystemColor::BtnShadow:
        return QPalette::Dark;
    case TSystemColor::BtnHighlight:
        return QPalette::Light;
    case TSystemColor::BtnText:
        return QPalette::ButtonText;
    case TSystemColor::Window:
        return QPalette::Base;
    case TSystemColor::WindowText:
        return QPalette::Text;
    case TSystemColor::WindowFrame:
    case TSystemColor::DkShadow3D:
        return QPalette::Shadow;
    case TSystemColor::Light3D:
        return QPalette::Midlight;
    case TSystemColor::Highlight:
        return QPalette::Highlight;
    case TSystemColor::HighlightText:
        return QPalette::HighlightedText;
    case TSystemColor::GrayText:
        return QPalette::Text; // taken from the disabled group, see resolve()
    case TSystemColor::InfoBk:
        return QPalette::ToolTipBase;
    case TSystemColor::InfoText:
        return QPalette::ToolTipText;
    }
    return QPalette::Button;
}

} // namespace

QColor TColor::resolve(const QPalette &palette) const
{
    if (!FSystem)
        return QColor::fromRgb(QRgb(0xFF000000u | FValue));
    const TSystemColor color = systemColor();
    const QPalette::ColorGroup group = color == TSystemColor::GrayText ? QPalette::Disabled : QPalette::Active;
    return palette.color(group, roleOf(color));
}

TColor parentColor(const QWidget *widget)
{
    const QWidget *parent = widget ? widget->parentWidget() : nullptr;
    if (!parent)
        return clBtnFace;
    const QVariant own = parent->property("Color");
    if (own.isValid() && own.canConvert<TColor>())
        return own.value<TColor>();
    switch (parent->backgroundRole()) {
    case QPalette::Window:
    case QPalette::Button:
        return clBtnFace;
    case QPalette::Base:
        return clWindow;
    default:
        return TColor::fromRgb(parent->palette().color(parent->backgroundRole()).rgb() & 0xFFFFFFu);
    }
}

void TParentColor::set(QWidget *control, TColor color)
{
    if (set(color))
        control->update();
}

} // namespace toolkit
