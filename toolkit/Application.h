// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The application's title, the desktop's dialog font and centring a window.

#include "kavocontrols_export.h"

#include <QFont>
#include <QString>

class QWidget;

namespace toolkit {

/// The application's title: the caption of every plain message box. It is kept apart from
/// Qt's application display name, which the desktop would append to every window caption.
KAVOCONTROLS_EXPORT QString applicationTitle();
/// Sets the caption of every plain message box (see applicationTitle()).
KAVOCONTROLS_EXPORT void setApplicationTitle(const QString &title);

/// The desktop's user-interface font with its characters pixelSize pixels high. The windows
/// were laid out for a classic 8-point dialog font, 11 pixels on a 96-dpi screen; the desktop's
/// own font at that pixel size keeps their layout.
KAVOCONTROLS_EXPORT QFont desktopFont(int pixelSize = 11);

/// Places a top-level window in the middle of its screen's available area.
KAVOCONTROLS_EXPORT void centreOnScreen(QWidget &window);

} // namespace toolkit
