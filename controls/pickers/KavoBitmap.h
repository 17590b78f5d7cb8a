// SPDX-License-Identifier: MIT
#pragma once

/// @file
/// TkavoBitmap, a picture drawn normal, disabled or stretched, and TkavoBitmapView to show one.

#include "kavopickers_export.h"

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

class QPainter;

/// A picture with a transparent colour, drawn normal, disabled (embossed) or scaled, and crisp
/// at any device pixel ratio.
///
/// A 2x picture is used where the screen has twice the pixels, and without one each pixel
/// becomes a block of whole screen pixels, never a blur. TkavoBitmapView shows one on a form.
///
/// @code
/// TkavoBitmap logo(QImage(":/LOGO")); logo.setImage2x(QImage(":/LOGO@2x"));
/// isEnabled() ? logo.Draw(painter, {8, 8}) : logo.DrawDisabled(painter, {8, 8}, palette());
/// @endcode
///
/// @qtdiff
/// A QPixmap with a mask and QIcon::Disabled mode come closest: here the transparent colour is a
/// colour of the picture (its bottom-left pixel unless set), the disabled look is the desktop's
/// embossed one rather than QIcon's greyed one, and scaling never smooths.
class KAVOPICKERS_EXPORT TkavoBitmap
{
public:
    TkavoBitmap() = default;
    /// The transparent colour is the bottom-left pixel's, as the desktop's bitmaps have it.
    explicit TkavoBitmap(const QImage &image);

    bool isNull() const { return FImage.isNull(); }
    /// The size in device-independent pixels: the 1x picture's.
    QSize size() const { return FImage.size(); }

    const QImage &image() const { return FImage; }
    /// Takes the transparent colour from the bottom-left pixel unless one is set afterwards.
    void setImage(const QImage &image);
    /// A picture of twice the size for ratio-2 screens; ignored unless it is exactly that size.
    void setImage2x(const QImage &image);
    QColor TransparentColor() const { return FTransparent; }
    /// An invalid colour makes every pixel opaque.
    void setTransparentColor(const QColor &color);

    /// Draws at topLeft, in logical pixels.
    void Draw(QPainter &painter, QPoint topLeft) const;
    /// The disabled look, as the check box draws a disabled caption: the dark pixels' shape in
    /// highlight one pixel down and right, then in shadow over it.
    void DrawDisabled(QPainter &painter, QPoint topLeft, const QPalette &palette) const;
    /// Stretches the picture over target, pixel by pixel (no smoothing).
    void DrawScaled(QPainter &painter, const QRect &target) const;

private:
    // The picture masked and sized for a device pixel ratio.
    QImage masked(qreal ratio) const;
    static QImage applyMask(const QImage &image, const QColor &transparent);

    QImage FImage;
    QImage FImage2x;
    QColor FTransparent;
};

/// A widget that shows a picture as TkavoBitmap draws it, with its properties published for Qt
/// Designer, uic and QUiLoader.
///
/// The picture is shown as it is (at the top left, or centred), with the disabled look while the
/// widget is disabled, or stretched over the whole widget. Its bottom-left pixel is its
/// transparent colour unless Transparent is off.
///
/// @code
/// auto *logo = new TkavoBitmapView(aboutBox);
/// logo->setPicture(QPixmap(":/LOGO")); logo->setCenter(true);
/// @endcode
///
/// @qtdiff
/// QLabel with a pixmap shows it as it is or scaled smoothly (scaledContents); this view stretches
/// pixel by pixel, draws the embossed disabled look, and takes a "@2x" picture as the one for
/// screens of device pixel ratio 2.
class KAVOPICKERS_EXPORT TkavoBitmapView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture RESET resetPicture)
    Q_PROPERTY(bool Center READ Center WRITE setCenter RESET resetCenter)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch RESET resetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent RESET resetTransparent)

public:
    explicit TkavoBitmapView(QWidget *parent = nullptr);

    const TkavoBitmap &Bitmap() const { return FBitmap; }
    /// The picture exactly as given: with a 2x picture for ratio-2 screens, say.
    void setBitmap(const TkavoBitmap &bitmap);

    QPixmap Picture() const { return FPicture; }
    /// A picture of device pixel ratio 2 (a file named "@2x") is the 2x picture; its 1x picture
    /// takes every other pixel.
    void setPicture(const QPixmap &picture);
    bool Center() const { return FCenter; }
    void setCenter(bool center);
    bool Stretch() const { return FStretch; }
    void setStretch(bool stretch);
    bool Transparent() const { return FTransparent; }
    void setTransparent(bool transparent);

    /// @name Stored-form rules
    /// Whether each property is written to a stored form (toolkit::isPropertyStored()).
    ///@{

    Q_INVOKABLE bool isPictureStored() const { return !FPicture.isNull(); }
    Q_INVOKABLE bool isCenterStored() const { return FCenter; }
    Q_INVOKABLE bool isStretchStored() const { return FStretch; }
    Q_INVOKABLE bool isTransparentStored() const { return !FTransparent; }
    ///@}

    /// @name Resets
    /// Each property back to its stream default, as Qt Designer's reset does.
    ///@{

    void resetPicture() { setPicture(QPixmap()); }
    void resetCenter() { setCenter(false); }
    void resetStretch() { setStretch(false); }
    void resetTransparent() { setTransparent(true); }
    ///@}

    /// The picture's size; without a picture, the size a new view has.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void applyTransparency();

    TkavoBitmap FBitmap;
    QPixmap FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = true;
};
