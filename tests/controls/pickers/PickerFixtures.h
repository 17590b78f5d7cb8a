// SPDX-License-Identifier: MIT
#pragma once

#include "RecordingDesktop.h"

#include <QLocale>

// The pickers speak Russian and read decimal commas, as their users' desktops do.
inline void useRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}
