// SPDX-License-Identifier: MIT
#include "Accelerator.h"

#include <QKeySequence>
#include <QShortcutEvent>
#include <QWidget>

namespace toolkit {

bool canFocus(const QWidget *widget)
{
    return widget->isVisible() && widget->isEnabled();
}

bool TAccelerator::grab(const QString &caption)
{
    release();
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!mnemonic.isEmpty())
        FId = FOwner->grabShortcut(mnemonic);
    return held();
}

void TAccelerator::release()
{
    if (FId == 0)
        return;
    FOwner->releaseShortcut(FId);
    FId = 0;
}

void TAccelerator::setEnabled(bool enabled)
{
    if (FId != 0)
        FOwner->setShortcutEnabled(FId, enabled);
}

bool TAccelerator::pressedBy(const QEvent *event) const
{
    return FId != 0 && event->type() == QEvent::Shortcut
           && static_cast<const QShortcutEvent *>(event)->shortcutId() == FId;
}

} // namespace toolkit
