// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace toolkit {

// The application's title: the caption of every plain message box. It is kept apart from
// Qt's application display name, which the desktop would append to every window caption.
QString applicationTitle();
void setApplicationTitle(const QString &title);

} // namespace toolkit
