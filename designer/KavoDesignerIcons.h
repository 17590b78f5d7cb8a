// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QString>

// The widget-box icon of one of the library's controls, drawn at whatever size and pixel ratio
// it is asked for, so it stays sharp in Designer's lists and on a ratio-2 screen. A class
// without a picture of its own gets the empty icon.
QIcon KavoDesignerIcon(const QString &className);
