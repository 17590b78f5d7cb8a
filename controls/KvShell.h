// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

// The seam between the shell-open functions and the desktop. The real launcher starts programs
// with QProcess, never through a shell; tests install their own so that no browser, mail program
// or text viewer is ever started.
class ShellLauncher
{
public:
    virtual ~ShellLauncher() = default;

    // Starts the program and leaves it to itself. False when it could not be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    // Starts the program and hands over the process to be watched. A program that could not be
    // started comes back as a process that is not running, with the error FailedToStart.
    virtual std::unique_ptr<QProcess> start(const QString &program, const QStringList &arguments) = 0;
};

// The launcher in use: the real one unless a test installed another.
ShellLauncher &shellLauncher();
// Installs a launcher for the rest of the run; nullptr brings the real one back. The caller
// keeps ownership.
void setShellLauncher(ShellLauncher *launcher);

// Hands a document, a web address or a mail link to the desktop, which opens it with the
// program the user chose for it. Returns an empty text on success, else the message for the
// failure. With wait set, the event loop keeps running until the started process ends or the
// application is told to quit. Never throws.
QString ShellOpen(const QString &target, const QString &params = QString(), int showCommand = 5,
                  bool wait = false);

// The message for a shell failure code.
QString ShellErrorText(unsigned int code);

// True when the path names a file that is not a directory, whatever its permissions, or, when
// its last part holds wildcards (* ? [), when such a file in that folder matches it. Any failure
// counts as not found. Never throws.
bool FileFound(const QString &path);
