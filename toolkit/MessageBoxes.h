// SPDX-License-Identifier: MIT
#pragma once

#include "Application.h"

#include <QString>

namespace toolkit {

// The seam through which the program shows its message boxes. The real boxes are modal Qt
// message boxes; tests install a recorder so that nothing blocks on a box nobody can close.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // A plain message: the application title as caption and one OK button. Returns when the
    // box has been closed.
    virtual void showMessage(const QString &text) = 0;
    // The standard confirmation: a question sign, the caption "Confirm" and the buttons "&Yes"
    // and "&No". True only for Yes; closing the box counts as No.
    virtual bool confirm(const QString &text) = 0;
};

// The boxes in use: the real ones unless a test installed others.
MessageBoxes &messageBoxes();
// Installs boxes for the rest of the run; nullptr brings the real ones back. The caller keeps
// ownership.
void setMessageBoxes(MessageBoxes *boxes);

inline void ShowMessage(const QString &text) { messageBoxes().showMessage(text); }

} // namespace toolkit
