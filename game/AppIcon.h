// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's icon, in the sizes it is drawn in: the windows' icon and the about box's picture.
QIcon ApplicationIcon();
