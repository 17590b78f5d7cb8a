// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program's icon, in the sizes it is drawn in: the windows' icon and the about box's picture,
// at device pixel ratios 1 and 2.
QIcon ApplicationIcon();
