// SPDX-License-Identifier: MIT
#pragma once

#include "KavoBitmap.h"
#include "KavoBtns.h"
#include "KavoDrop.h"
#include "KavoSpin.h"
#include "KvChkBox.h"
#include "KvCtrls.h"

#include <QSize>
#include <QWidget>

#include <array>

// One of the library's controls that a form holds: what a form builder needs to make it, and
// what Designer shows of it.
struct TkavoFormControl
{
    const char *ClassName;
    // As a program includes it from the installed headers.
    const char *Header;
    // A new control on a form is named after this, numbered on by Designer.
    const char *ObjectName;
    // The size a new control has.
    QSize DesignSize;
    const char *ToolTip;
    const char *WhatsThis;
    QWidget *(*Create)(QWidget *parent);
};

template<class Control>
QWidget *CreateFormControl(QWidget *parent)
{
    return new Control(parent);
}

// The one list of the controls a form holds, for the form writer and the Designer plugin alike.
inline constexpr std::array<TkavoFormControl, 8> KavoFormControls{{
    {"TkavoLabel", "KavoControls/KvCtrls.h", "kavoLabel", QSize(65, 21), "Label with a 3-D caption and a hover look",
     "A caption drawn as raised or sunken 3-D text in an optional bevel frame. Linked to a focus "
     "control, it keeps that control beside itself and focuses it when clicked.",
     &CreateFormControl<TkavoLabel>},
    {"TkavoSpinEdit", "KavoControls/KavoSpin.h", "kavoSpinEdit", QSize(121, 25), "Flat numeric entry with arrows",
     "A whole or decimal number stepped by the arrows or the Up and Down keys within MinValue to "
     "MaxValue, in a thin frame that turns dark while focused or under the pointer.",
     &CreateFormControl<TkavoSpinEdit>},
    {"TkavoCheckBox", "KavoControls/KvChkBox.h", "kavoCheckBox", QSize(75, 14), "Flat check box or radio button",
     "A self-painted check box in the flat style; with Style btRadioButton it acts as a radio button "
     "among its parent's radio-style boxes. Ctrl+Z undoes the last change.",
     &CreateFormControl<TkavoCheckBox>},
    {"TkavoBitBtn", "KavoControls/KavoBtns.h", "kavoBitBtn", QSize(75, 24), "Push button with a glyph and kinds",
     "A push button with a glyph beside its caption, standard kinds (OK, Cancel, Help ...) that set "
     "caption, glyph and modal result, flat and elliptical looks and a drop-down menu.",
     &CreateFormControl<TkavoBitBtn>},
    {"TkavoCalcEdit", "KavoControls/KavoDrop.h", "kavoCalcEdit", QSize(121, 21), "Number entry with a calculator",
     "A number entry whose side button, F4 or Alt+Down opens a calculator; a typed expression is "
     "worked out when the edit is left.",
     &CreateFormControl<TkavoCalcEdit>},
    {"TkavoDateEdit", "KavoControls/KavoDrop.h", "kavoDateEdit", QSize(121, 21), "Date entry with a calendar",
     "A date entry whose side button, F4 or Alt+Down opens a calendar.", &CreateFormControl<TkavoDateEdit>},
    {"TkavoPeriodEdit", "KavoControls/KavoDrop.h", "kavoPeriodEdit", QSize(201, 21), "Period entry with a dialog",
     "A period of two dates whose side button, F4 or Alt+Down opens the period dialog.",
     &CreateFormControl<TkavoPeriodEdit>},
    {"TkavoBitmapView", "KavoControls/KavoBitmap.h", "kavoBitmapView", QSize(105, 105), "Picture, normal, disabled or stretched",
     "Shows a picture with its transparent colour: as it is, embossed while disabled, or stretched "
     "pixel by pixel over the whole view.",
     &CreateFormControl<TkavoBitmapView>},
}};
