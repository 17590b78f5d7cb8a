// SPDX-License-Identifier: MIT
#include "Application.h"

#include <QCoreApplication>

namespace toolkit {

namespace {
QString title;
}

QString applicationTitle()
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

void setApplicationTitle(const QString &newTitle)
{
    title = newTitle;
}

} // namespace toolkit
