// SPDX-License-Identifier: MIT
#include "AppIcon.h"

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/numbrax-%1.png").arg(size), QSize(size, size));
    return icon;
}
