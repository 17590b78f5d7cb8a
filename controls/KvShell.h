// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// Handing documents, web addresses and mail links to the desktop, and finding files.

#include "kavocontrols_export.h"

#include <QString>
#include <QStringList>

/// Hands a document, a web address or a mail link to the desktop, which opens it with the
/// program the user chose for it. Returns an empty text on success, else the message for the
/// failure. params are further arguments for the opener (none may start with "-");
/// showCommand is kept for callers that pass one, the desktop decides how the program shows.
/// With wait set, the event loop keeps running until the started process ends or the
/// application is told to quit. Never throws.
KAVOCONTROLS_EXPORT QString ShellOpen(const QString &target, const QString &params = QString(),
                                      int showCommand = 5, bool wait = false);

/// The message for a shell failure code.
KAVOCONTROLS_EXPORT QString ShellErrorText(unsigned int code);

/// True when the path names a file that is not a directory, whatever its permissions, or, when
/// its last part holds wildcards (* ? [), when such a file in that folder matches it. Any failure
/// counts as not found. Never throws.
KAVOCONTROLS_EXPORT bool FileFound(const QString &path);
