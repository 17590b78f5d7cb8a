// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// The program's cursor table: numbered slots that a library can fill with cursors of its own.

#include "kavocontrols_export.h"

#include <QCursor>

#include <functional>

class QWidget;

namespace toolkit {

/// A slot of the program's cursor table. The standard slots are negative; a library may fill a
/// slot with a cursor of its own, and a control then shows the slot's cursor by its number.
using TCursor = int;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

/// The cursor of a slot: what the slot was filled with, else the nearest standard shape (the
/// arrow for unknown slots).
KAVOCONTROLS_EXPORT QCursor screenCursor(TCursor slot);

/// Fills a slot. The loader runs the first time the slot's cursor is needed, so a library can
/// fill its slots at start-up, before the graphical side of the application exists.
KAVOCONTROLS_EXPORT void setScreenCursor(TCursor slot, std::function<QCursor()> loader);
/// Empties a slot again: it shows its standard shape.
KAVOCONTROLS_EXPORT void resetScreenCursor(TCursor slot);

/// Shows a slot's cursor over a widget; crDefault gives the widget its own default again.
KAVOCONTROLS_EXPORT void applyCursor(QWidget *widget, TCursor slot);

} // namespace toolkit
