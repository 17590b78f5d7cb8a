// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Opens the gallery's page of picker edits, a window of its own placed below beside: a number
// that opens the calculator, dates that open the calendar (one with limits, one disabled) and a
// period that opens the period dialog.
void showPickersGallery(QWidget *beside);
