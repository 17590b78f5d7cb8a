// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// What assistive technology reads of the library's controls.

#include "kavocontrols_export.h"

/// Makes the library's self-painted controls tell assistive technology what they are: the spin
/// edit a spin box with its value and range, named by the label that leads to it; the flat check
/// box a check box (or radio button) with its caption and state; the hover label a label, or a
/// link with its address when it is one. The bitmap button is a push button already, through
/// Qt, named by its caption. Programs call this once at start-up; calling it again does nothing.
KAVOCONTROLS_EXPORT void RegisterKavoAccessibility();
