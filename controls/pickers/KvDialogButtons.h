// SPDX-License-Identifier: MIT
#pragma once

class QHBoxLayout;
class QWidget;

// The foot of a picker dialog: OK (the default button) and Cancel at the right, children of
// dialog, in a row for the caller to add to its layout.
QHBoxLayout *OkCancelRow(QWidget *dialog);
