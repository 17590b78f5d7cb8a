// SPDX-License-Identifier: MIT
#include "KvDialogButtons.h"

#include "KavoBtns.h"

#include <QHBoxLayout>

QHBoxLayout *OkCancelRow(QWidget *dialog)
{
    auto *ok = new TkavoBitBtn(dialog);
    ok->setKind(bkOK);
    ok->setDefault(true);
    auto *cancel = new TkavoBitBtn(dialog);
    cancel->setKind(bkCancel);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    return buttons;
}
