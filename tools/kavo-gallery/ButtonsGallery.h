// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Opens the gallery's page of bitmap buttons, a window of its own placed right of beside:
// every kind, raised and flat, elliptical, disabled, with a drop-down menu and with images
// from an image list.
void showButtonsGallery(QWidget *beside);
