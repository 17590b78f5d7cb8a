// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TAccelerator, the Alt+letter key of a caption's "&".

#include "kavocontrols_export.h"

#include <QString>

class QEvent;
class QWidget;

namespace toolkit {

/// Whether a control can take the focus now: it is shown and enabled.
KAVOCONTROLS_EXPORT bool canFocus(const QWidget *widget);

/// The accelerator a caption's "&" marks (Alt plus the letter after it), held as a shortcut of
/// the control that shows the caption.
///
/// The captioned controls (TkavoCaptionControl) keep one each; a control of your own that shows
/// a caption holds one the same way and reacts when pressedBy() its shortcut event.
///
/// @code
/// toolkit::TAccelerator accelerator{this}; accelerator.grab("&Size"); // Alt+S
/// bool event(QEvent *e) override { if (accelerator.pressedBy(e)) { setFocus(); return true; } ... }
/// @endcode
///
/// @qtdiff
/// What QAbstractButton and QLabel::setBuddy() do with the "&" of their text, for a widget
/// that is neither: a QShortcut-like grab on the owner, replaced whenever the caption changes.
class KAVOCONTROLS_EXPORT TAccelerator
{
public:
    explicit TAccelerator(QWidget *owner)
        : FOwner(owner)
    {
    }
    TAccelerator(const TAccelerator &) = delete;
    TAccelerator &operator=(const TAccelerator &) = delete;

    /// Takes the key the caption marks, letting go of the one held before; an empty caption or
    /// one without a mark holds none. True when a key is held.
    bool grab(const QString &caption);
    void release();
    bool held() const { return FId != 0; }
    /// A held key that is disabled is left to other controls.
    void setEnabled(bool enabled);
    /// Whether the event is the owner's shortcut event for this key.
    bool pressedBy(const QEvent *event) const;

private:
    QWidget *FOwner;
    int FId = 0;
};

} // namespace toolkit
