// SPDX-License-Identifier: MIT
#pragma once

#include "RecordingDesktop.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTest>
#include <QWidget>
#include <QWindow>

// The pickers speak Russian and read decimal commas, as their users' desktops do.
inline void useRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

// Waits until window holds the keyboard. A dialog counts as active while its parent is, so
// qWaitForWindowActive does not tell whether the dialog itself has it yet.
inline bool waitForKeyboard(QWidget *window)
{
    return QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window->windowHandle(); });
}
